#pragma once
// The A4 worksheet: page 1 the four strokes, each a still at a telling angle beside the stroke's
// title and explanation, page 2 the timing diagram, page 3 the valve-timing circle and the p-V
// diagram. The blank variant, for exercises, shows the
// stills without the 3-D labels and ruled lines instead of the explanations.

#include <string>

#include "tools/stills/options.h"

namespace stills {

// view: how the engine is shown (the view mode and the switches); the stills' size, the help
// screen and the explanations are the worksheet's own; figures: what the last page's figures
// show. Needs the frame window open.
bool writeWorksheet(const std::string& path, bool blank, const ViewSettings& view, const FigureSettings& figures);

}  // namespace stills
