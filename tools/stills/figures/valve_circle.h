#pragma once
// The valve-timing circle (épure circulaire de distribution): the two crank turns of one cycle as
// a spiral that starts at PMH, at the top, and turns clockwise; each stroke a band along it, the
// spark on it; for a real engine the valves' advances and delays written out and their overlap
// shaded. Drawn with cairo in diagram units (points in PDF and SVG).

#include <cairo.h>

#include <string>
#include <vector>

#include "model/cycle.h"
#include "tools/stills/figures/figure_text.h"
#include "tools/stills/figures/figure_settings.h"
#include "tools/stills/output/output_file.h"

namespace stills {

// A cycle angle, unwrapped, and its place on the spiral.
struct SpiralPoint {
    double angleDeg;
    double x, y;
};

// A stretch of the cycle along the spiral: a point a degree, and both ends.
struct CircleArc {
    double fromDeg, toDeg;                  // unwrapped: a real intake opens before 0
    std::vector<SpiralPoint> points;
};

struct CircleLayout {
    double centreX, centreY;
    CircleArc strokes[kStrokeCount];        // intake, compression, power, exhaust
    CircleArc spark;                        // an instant: its from and to are one angle
    std::vector<CircleArc> overlap;         // both valves open: at the cycle's end and its start
    std::vector<FigureText> texts;          // every word, and the answer boxes when blank
    Box sparkKey, overlapKey;               // the legend's samples (empty when not shown)
    std::vector<Box> graduations;           // ticks (x0, y0)-(x1, y1) every 10 degrees, between the turns
};

CircleLayout circleLayout(cairo_t* cr, const RealTiming& timing, bool blank);
// Draws the figure with its top-left corner at the origin of cr's user space; written fills the
// blank figure's boxes in, as its answer key.
void drawValveCircle(cairo_t* cr, const RealTiming& timing, bool blank, bool written = false);
bool writeValveCircle(OutputFile* file, DocumentFormat format, const RealTiming& timing, bool blank);

}  // namespace stills
