#pragma once
// Frames of the engine drawn by the program's own frame code into the back buffer of a GLUT
// window, and read back. One window a run; every frame of a run has the window's size.

#include "tools/stills/pictures/view_settings.h"
#include "tools/stills/output/output_file.h"
#include "tools/stills/pictures/print_style.h"

namespace stills {

// Opens the window of settings' size on $DISPLAY and builds the scene; false (reported) when
// no window can be had. Once a process.
bool openFrameWindow(const ViewSettings& settings, const char* argv0);
// Closes the window and GLUT's connection, if opened: before a private display goes away.
void closeFrameWindow();
// The frame at a crank angle in the settings' style, the window resized to their size when it
// has another; false (reported) when that or reading it failed. A print frame says where the
// model's points landed in *projection, when given.
bool renderFrame(const ViewSettings& settings, double angleDeg, RgbImage* image,
                 PictureProjection* projection = nullptr);
// A still written as a PNG.
bool writeStill(const ViewSettings& settings, double angleDeg, OutputFile* file);

}  // namespace stills
