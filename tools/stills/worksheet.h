#pragma once
// The A4 worksheet: page 1 the four strokes, each a still at a telling angle beside the stroke's
// title and explanation, page 2 the timing diagram. The blank variant, for exercises, shows the
// stills without the 3-D labels and ruled lines instead of the explanations.

#include "tools/stills/options.h"
#include "tools/stills/output_file.h"

namespace stills {

// view: how the engine is shown (the view mode and the switches); the stills' size, the help
// screen and the explanations are the worksheet's own. Needs the frame window open.
bool writeWorksheet(OutputFile* file, bool blank, const ViewSettings& view);

}  // namespace stills
