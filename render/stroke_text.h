#pragma once
// Text of any size for projector mode. A bitmap font's layout (its glyph advances, from the
// current raster position) magnified, with each glyph drawn in GLUT's Roman stroke font as
// antialiased lines scaled to the bitmap's capital height, so that it stays crisp however
// large. Latin-1 letters with accents are the stroke letter with its mark drawn on.

// Draws text at the current raster position, scale times the size of bitmapFont, whose
// capitals are capHeightPx pixels high, at the raster position's depth; nothing where the
// raster position is invalid. The colour is the current one; lighting is the caller's.
void drawStrokeText(const char* text, void* bitmapFont, int capHeightPx, double scale);

// Text in the Roman stroke font's own advances, its baseline starting at (x, y) of the current
// matrices, capitals capPx high, strokes lineWidthPx wide; and its width in pixels.
void drawStrokeLine(const char* text, double x, double y, double capPx, double lineWidthPx);
double strokeTextWidth(const char* text, double capPx);

// Whether the byte has a glyph here: printable ASCII, the accented letters of French, the
// degree sign.
bool hasStrokeGlyph(unsigned char byte);
