#include "tools/stills/pictures/upright.h"

namespace stills {

RgbImage uprightImage(const RgbImage& image)
{
    RgbImage out;
    out.width = image.height;
    out.height = image.width;
    out.rgb.resize(image.rgb.size());
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            // (x, y) goes to (y, width - 1 - x): the right edge to the top, the top to the left.
            const size_t from = (static_cast<size_t>(y) * image.width + x) * 3;
            const size_t to = (static_cast<size_t>(image.width - 1 - x) * out.width + y) * 3;
            for (int c = 0; c < 3; ++c) out.rgb[to + c] = image.rgb[from + c];
        }
    return out;
}

DiagramPoint uprightPoint(DiagramPoint p, int width) { return {p.y, width - p.x}; }

PictureMarks uprightMarks(const PictureMarks& marks, int width)
{
    PictureMarks out = marks;
    for (MarkedPart& part : out.parts) part.at = uprightPoint(part.at, width);
    for (DiagramPoint& p : out.pistonWay) p = uprightPoint(p, width);
    for (std::vector<DiagramPoint>& way : out.gasWays)
        for (DiagramPoint& p : way) p = uprightPoint(p, width);
    for (DiagramPoint& p : out.crankTurn) p = uprightPoint(p, width);
    out.crankAxis = uprightPoint(out.crankAxis, width);
    out.sparkAt = uprightPoint(out.sparkAt, width);
    for (DiagramPoint& p : out.sparkPlug) p = uprightPoint(p, width);
    return out;
}

}  // namespace stills
