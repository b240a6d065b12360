#pragma once
// Projector mode's texts, drawn where render/projector_layout.h puts them: the caption band,
// the corners and the help panel. The screen is the viewport.

#include "render/projector_layout.h"

ProjectorLayout currentProjectorLayout();   // of the viewport, for the explanations' rows
// Entered as drawOverlay is, in a frame of the viewport's pixels; leaves the matrices as found.
void drawProjectorOverlay();
