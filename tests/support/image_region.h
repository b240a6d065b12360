#pragma once
// Comparing two pictures of the same size inside one rectangle.

#include <algorithm>
#include <cstdlib>

#include "tests/support/program.h"

namespace testx {

// Pixels in [x0, x1) x [y0, y1) (y from the top) that differ by more than tolerance on some
// channel; the rectangle is clipped to both images.
inline int countDifferentIn(const Image& a, const Image& b, int x0, int y0, int x1, int y1,
                            int tolerance = 16)
{
    const int xEnd = std::min(x1, std::min(a.width, b.width));
    const int yEnd = std::min(y1, std::min(a.height, b.height));
    int n = 0;
    for (int y = std::max(y0, 0); y < yEnd; ++y)
        for (int x = std::max(x0, 0); x < xEnd; ++x)
            if (std::abs(a.r(x, y) - b.r(x, y)) > tolerance ||
                std::abs(a.g(x, y) - b.g(x, y)) > tolerance ||
                std::abs(a.b(x, y) - b.b(x, y)) > tolerance)
                ++n;
    return n;
}

}  // namespace testx

namespace testx {

// The first run of rows at or below y0 (y from the top) with a pixel at least minLevel in
// [x0, x1): its top row and its height, 0 when there is none.
struct RowRun {
    int top, height;
};
inline RowRun firstLitRun(const Image& i, int x0, int x1, int y0, int minLevel = 128)
{
    RowRun run{-1, 0};
    for (int y = std::max(y0, 0); y < i.height; ++y) {
        const bool lit = i.countBright(x0, y, x1, y + 1, minLevel) > 0;
        if (lit && run.top < 0) run.top = y;
        if (!lit && run.top >= 0) break;
        if (lit) ++run.height;
    }
    return run;
}

}  // namespace testx
