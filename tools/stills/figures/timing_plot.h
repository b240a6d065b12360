#pragma once
// The labelled timing diagram of one cycle: the four strokes shaded and named, the piston
// position between its dead centres, the two valve positions, the spark window, the crank angle
// axis. Drawn with cairo in diagram units (points in PDF and SVG).

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
};

DiagramLayout diagramLayout(cairo_t* cr);
// Draws the diagram with its top-left corner at the origin of cr's user space; blank, for
// exercises, leaves the strokes' and the curves' names as empty boxes.
void drawTimingDiagram(cairo_t* cr, bool blank = false);
bool writeTimingDiagram(OutputFile* file, DocumentFormat format);

}  // namespace stills
