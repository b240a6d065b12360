#pragma once
// Projector mode's texts, drawn where render/projector_layout.h puts them: the caption band,
// the corners and the help panel. The screen is the viewport.

#include "render/projector_layout.h"

ProjectorLayout currentProjectorLayout();   // of the viewport, for the explanations' rows
// Entered as drawOverlay is, in a frame of the viewport's pixels; leaves the matrices as found.
void drawProjectorOverlay();

// Makes, once per screen size, the glyphs of every size the mode shows, so that its texts are
// drawn from them; until then, and in feedback and selection passes, they are drawn in lines.
// Only before a frame's clear: it draws into the back buffer.
void prepareProjectorText();
// The text at the current raster position in a bitmap font's layout grown scale times (as
// drawScaledText), from the glyphs when they are made for that size.
void drawProjectorScaledText(const char* text, int fontCode, double scale);
// Off, the texts are drawn in lines every frame (the reference the glyphs match).
void setProjectorGlyphs(bool on);
long projectorGlyphSetsMade();             // sets of glyphs made since the start
