#pragma once
// What goes over and beside a print picture of the engine: the parts' names on leader lines,
// an arrow for the piston's way, one for the gas's way through an open valve, a curved one for
// the crank's turning, and the spark,
// each placed by projecting the model's own points at the picture's crank angle.

#include <cairo.h>

#include <string>
#include <vector>

#include "tools/stills/pictures/print_style.h"
#include "tools/stills/figures/figure_text.h"

namespace stills {

// A part and the point of it a leader line ends on, in picture pixels from the top-left.
struct MarkedPart {
    int number;                             // 1 to 9, in the order of the printed list
    const char* name;
    DiagramPoint at;
};

struct PictureMarks {
    std::vector<MarkedPart> parts;
    std::vector<DiagramPoint> pistonWay;    // from the piston onwards; empty at a dead centre
    std::vector<std::vector<DiagramPoint>> gasWays;     // each from where the gas comes from
    std::vector<DiagramPoint> crankTurn;    // an arc round the crank's axis, the way it turns
    DiagramPoint crankAxis{0, 0};
    bool spark = false;
    DiagramPoint sparkAt{0, 0};
    // The spark plug, drawn over the picture where the print style leaves it out: from its tip in
    // the chamber out through the head. Empty when it does not project.
    std::vector<DiagramPoint> sparkPlug;
};

constexpr int kMarkedPartCount = 9;
const char* markedPartName(int number);     // 1 to 9

// The marks of a picture drawn at angleDeg through projection.
PictureMarks pictureMarks(const PictureProjection& projection, double angleDeg);

// A label beside the picture and its leader line, in page units.
struct LeaderLabel {
    std::vector<std::string> lines;         // the name, broken to the column's width, or a number
    bool rightAligned = false;              // in the left column, its lines end at x
    double x = 0, firstBaseline = 0;        // where its lines start (or end), its first baseline
    DiagramPoint from{0, 0}, to{0, 0};      // the leader line, from the label to the part
};

// Labels in two columns of columnWidth beside the picture (each part on its side of the engine:
// the moving parts and the intake on the left, the cylinder, the exhaust and the plug on the
// right), each as near its part's height as the others let it, none overlapping, their leader
// lines crossing none they need not. cr measures the texts in the labels' font.
std::vector<LeaderLabel> layoutLeaderLabels(cairo_t* cr, const PictureMarks& marks, const Box& picture,
                                            double pixelsPerUnit, double columnWidth, bool numbered);

// The picture in its box with the marks over it and the labels beside it.
void drawMarkedPicture(cairo_t* cr, const RgbImage& image, const PictureMarks& marks, const Box& picture,
                       double columnWidth, bool numbered);

constexpr double kLeaderLabelSize = 8.5;    // points: legible on the page

}  // namespace stills
