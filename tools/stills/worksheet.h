#pragma once
// The A4 worksheet, in French: pages 1 and 2 the four strokes, each with its title, its
// explanation and a picture at its telling angle whose parts are named beside it, page 3 the
// timing diagram, page 4 the valve-timing circle and the p-V diagram. The blank variant, for
// exercises, holds none of the answers: headings and ruled lines to fill, the parts numbered
// for the pupil to name, the figures' names as boxes.

#include "tools/stills/options.h"
#include "tools/stills/output/output_file.h"

namespace stills {

// view: how the engine is shown (the style and the switches); the pictures' size, the help
// screen and the explanations are the worksheet's own; figures: what the last page's figures
// show. Needs the frame window open.
bool writeWorksheet(OutputFile* file, bool blank, const ViewSettings& view, const FigureSettings& figures);

}  // namespace stills
