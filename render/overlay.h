#pragma once
// The 2-D texts over the 3-D view, in an 800 x 600 frame stretched over the window, and the
// bitmap text routine the 3-D labels use too.

#include "model/stroke_title.h"

constexpr int kTextBufferSize = 100;        // every text is formatted into one of these

// Helvetica at the current raster position: code 2 is 12 point, 3 is 18 point, others 10.
void drawBitmapText(const char* text, int fontCode);
void drawOverlay();
// Projector mode's texts: the font code's bitmap layout drawn scale times larger in strokes,
// at the current raster position.
void drawScaledText(const char* text, int fontCode, double scale);
int bitmapTextWidth(const char* text, int fontCode);    // pixels, in the font code's bitmap font
int bitmapCapHeight(int fontCode);                      // its capitals, pixels
const char* creditLine();
// Readies the textures the overlay draws its texts from, once; they are drawn glyph by glyph
// until then. Only before a frame's clear: it draws into the back buffer.
void prepareOverlayText();
// false draws the overlay glyph by glyph from then on (the reference the textures match).
void setAtlasText(bool on);
bool atlasTextInUse();

// A stroke's texts; the stroke of an angle is the cycle's (model/cycle.h), its title the
// model's (model/stroke_title.h).
const char* strokeLine(int stroke, int line);           // line 1 to 3, top first
void formatSpeedLine(char (&text)[kTextBufferSize], double speed);
void formatFpsLine(char (&text)[kTextBufferSize], double fps);
void formatPauseLine(char (&text)[kTextBufferSize], double crankAngleDeg);   // ISO 8859-1

struct OverlayText {
    double fy;                              // fraction of the window height from the bottom
    int fontCode;
    const char* text;
};
// The help screen's lines, top first, all at 0.01 of the width.
extern const OverlayText kHelpLines[];
extern const int kHelpLineCount;
