#pragma once
// Where a glyph drawn once into its cell of a read-back image lit pixels: the glyph textures
// are cut from these boxes. Pixels in rows of width bytes, 0 unlit; pure.

#include <vector>

struct LitBox {
    int x0, y0, x1, y1;                     // inclusive; x1 < x0 when nothing is lit
    bool touchesRing;                       // a lit pixel on the cell's outer ring: the cell was too small
};

LitBox cellLitBox(const std::vector<unsigned char>& lit, int width, int cellX, int cellY, int cellWidth,
                  int cellHeight);
