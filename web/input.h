#pragma once
// The page's keyboard and mouse, given to the controls as the desktop's GLUT callbacks give
// them: the same keys (but quitting: a page is closed by its browser), the arrows and page keys
// for the camera, left press to pick and turn, right drag to zoom, the middle button and the
// wheel for the speed; one finger turns, two pinch to zoom, a tap picks. The page itself
// never scrolls or zooms under them.

#include "controls/view_state.h"

// pick: the group under a canvas pixel, from the current frame.
void listenToInput(ViewState& state, ViewMode (*pick)(int x, int y));
