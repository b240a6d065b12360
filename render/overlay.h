#pragma once
// The 2-D texts over the 3-D view, in an 800 x 600 frame stretched over the window, and the
// bitmap text routine the 3-D labels use too.

// Helvetica at the current raster position: code 2 is 12 point, 3 is 18 point, others 10.
void drawBitmapText(const char* text, int fontCode);
void drawOverlay();
