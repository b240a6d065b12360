#pragma once
// The p-V diagram of the theoretical cycle (cycle de Beau de Rochas): the gas's pressure against
// the cylinder's volume over one cycle, the volume the engine's own at each crank angle; intake
// and exhaust at atmospheric pressure, adiabatic compression and expansion, combustion and
// release at constant volume. Drawn with cairo in diagram units (points in PDF and SVG).

#include <cairo.h>

#include <string>
#include <vector>

#include "model/pv_cycle.h"
#include "tools/stills/figures/figure_text.h"
#include "tools/stills/figures/figure_settings.h"
#include "tools/stills/output/output_file.h"

namespace stills {

struct PvSample {
    double angleDeg;
    PvPhase phase;                          // the change this sample ends
    double volume;                          // model units, cubed
    double pressure;                        // bar
    double x, y;                            // on the figure, filled by the layout
};

struct PvTick {
    double bar;
    double y;
};

struct PvArrow {
    double x, y;                            // the arrowhead's middle, on the loop
    double dx, dy;                          // the way the cycle goes there, a unit vector
};

struct PvLayout {
    std::vector<PvSample> loop;             // 0 to 720 degrees in order: a sample a degree, and
                                            // the ends of the two constant-volume changes
    double topDeadCentreX, bottomDeadCentreX;   // PMH and PMB on the volume axis
    std::vector<PvTick> pressureTicks;
    std::vector<PvArrow> arrows;
    std::vector<FigureText> texts;          // every word, and the answer boxes when blank
    std::vector<Box> leaders;               // lines (x0, y0)-(x1, y1) from a name to its arrow
};

// The legend's numbers as printed, each computed from the rounded ones before it.
struct PvLegendValues {
    double ratio, gamma, rise, p1, p2, p3, p4;  // p in bar
    bool engineOwn;                         // the ratio is the animated engine's
};
PvLegendValues pvLegendValues(const PvSettings& settings);

// The model's cycle, its places on the figure not yet filled.
std::vector<PvSample> pvCycle(const PvSettings& settings);
// blank leaves the names as boxes and the pressures to compute; written (its answer key) writes
// them in.
PvLayout pvLayout(cairo_t* cr, const PvSettings& settings, bool blank, bool written = false);
// Draws the figure with its top-left corner at the origin of cr's user space.
void drawPvDiagram(cairo_t* cr, const PvSettings& settings, bool blank, bool written = false);
bool writePvDiagram(OutputFile* file, DocumentFormat format, const PvSettings& settings, bool blank);

}  // namespace stills
