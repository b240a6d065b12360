#include "render/glyph_box.h"

#include <algorithm>

LitBox cellLitBox(const std::vector<unsigned char>& lit, int width, int cellX, int cellY, int cellWidth,
                  int cellHeight)
{
    LitBox box{cellX + cellWidth, cellY + cellHeight, cellX - 1, cellY - 1, false};
    for (int y = cellY; y < cellY + cellHeight; ++y)
        for (int x = cellX; x < cellX + cellWidth; ++x) {
            if (lit[static_cast<size_t>(y) * width + x] == 0) continue;
            if (x == cellX || y == cellY || x == cellX + cellWidth - 1 || y == cellY + cellHeight - 1)
                box.touchesRing = true;
            box.x0 = std::min(box.x0, x);
            box.y0 = std::min(box.y0, y);
            box.x1 = std::max(box.x1, x);
            box.y1 = std::max(box.y1, y);
        }
    return box;
}
