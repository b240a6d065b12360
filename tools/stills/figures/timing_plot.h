#pragma once
// The labelled timing diagram of one cycle: the four strokes shaded and named, the piston
// position between its dead centres, the two valve lifts, the spark as an instant (at PMH in the
// theoretical cycle, at the ignition advance before it in the real one), the crank angle axis. Drawn with cairo in diagram units (points in PDF and SVG).

#include <cairo.h>

#include <string>
#include <vector>

#include "tools/stills/figures/figure_text.h"
#include "tools/stills/figures/figure_settings.h"
#include "tools/stills/output/output_file.h"

namespace stills {

constexpr double kDiagramWidth = 800.0;     // diagram units
constexpr double kDiagramHeight = 425.0;

// Where every text and every curve point falls: the texts measured with cr's font machinery.
struct DiagramLayout {
    std::vector<FigureText> texts;
    std::vector<DiagramPoint> piston, intake, exhaust;
    double sparkX;                          // the spark's line across both panels
};

// The crank angle of the spark: PMH, or the ignition advance before it when the real timing is given.
double sparkAngleDeg(const RealTiming& timing);
DiagramLayout diagramLayout(cairo_t* cr, const RealTiming& timing = {});
// Draws the diagram with its top-left corner at the origin of cr's user space; blank, for
// exercises, leaves the strokes' and the curves' names as empty boxes, which written (for the
// exercise's key) fills in.
void drawTimingDiagram(cairo_t* cr, bool blank = false, const RealTiming& timing = {}, bool written = false);
bool writeTimingDiagram(OutputFile* file, DocumentFormat format, const RealTiming& timing = {});

}  // namespace stills
