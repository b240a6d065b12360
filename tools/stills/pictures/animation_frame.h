#pragma once
// A frame of the cycle animation, made for slides: the engine without the program's texts (its
// speed line would be false on a GIF that turns at its own pace, and its help screen and ASCII
// labels have no place on a slide), and the stroke's title as it is printed, in a corner.

#include "tools/stills/pictures/view_settings.h"
#include "tools/stills/output/output_file.h"

namespace stills {

// Needs the frame window open; view's size and style. False (reported) as renderFrame.
bool renderAnimationFrame(const ViewSettings& view, double angleDeg, RgbImage* image);

}  // namespace stills
