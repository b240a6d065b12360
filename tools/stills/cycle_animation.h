#pragma once
// One whole cycle (0 to 720 degrees) as a looping GIF, drawn by the program's own frame code,
// with one palette for all the frames together so that a still part keeps its colours from
// frame to frame (output/gif_writer.h). The frames are drawn twice, first for the palette's
// colours, then to be encoded one by one: memory does not grow with their number.

#include "tools/stills/pictures/view_settings.h"
#include "tools/stills/output/output_file.h"

namespace stills {

constexpr int kFrameDelayCs = 4;            // hundredths of a second a frame: 25 frames a second

// Needs the frame window open. Shows its progress on stderr when that is a terminal.
bool writeAnimation(OutputFile* file, const ViewSettings& view, int frames);

}  // namespace stills
