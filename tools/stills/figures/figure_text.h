#pragma once
// Texts placed on the textbook figures: measured with cairo's font machinery, anchored at a point
// or centred and turned along a curve; on an exercise, an empty box the size of a handwritten word
// in their place, and on its key the same box with the answer written in. Diagram units, y down.

#include <cairo.h>

#include <array>
#include <string>
#include <vector>

#include "model/crank_kinematics.h"

namespace stills {

// Angles on the figures are in degrees; cairo and the C library turn in radians.
constexpr double kRadPerDeg = kPi / 180.0;
constexpr double kDegPerRad = 180.0 / kPi;

struct Box {
    double left, top, right, bottom;
};

enum class TextAnchor { left, centre, right };

struct DiagramPoint {
    double x, y;
};

struct FigureText {
    std::string text;                       // what it says, or what its answer box is for
    bool answer;                            // an empty box to write text in, text not shown
    double x, y;                            // start of the baseline, or the box's centre
    double size;                            // font size, diagram units
    bool bold;
    double turnDeg;                         // anticlockwise on the page: 90 reads upwards
    double boxWidth, boxHeight;             // an answer box's size, along and across its line
    std::array<DiagramPoint, 4> outline;          // where its glyphs or its box fall, turned
    Box ink;                                // the outline's upright bounds
    bool written = false;                   // an answer key's: dark italic on a tint, in its box if any
};

// The text with its baseline's anchor at (x, y).
FigureText placeText(cairo_t* cr, const std::string& text, double x, double y, TextAnchor anchor,
                     double size, bool bold = false);
// The same with the middle of its glyphs on y.
FigureText placeMiddle(cairo_t* cr, const std::string& text, double x, double y, TextAnchor anchor,
                       double size, bool bold = false);
// The text, or its answer box when blank, centred on (0, 0) and turned by turnDeg: to be moved.
// An answer box is answerWidth long, or the text's length when that is more, and a handwritten
// word high; answers of one kind get one width, so that a box's length does not tell its word.
FigureText centredText(cairo_t* cr, const std::string& text, double size, bool bold, double turnDeg, bool blank,
                       double answerWidth = 0.0);
// The widest of texts, as an answer box holds it.
double answerWidthFor(cairo_t* cr, const std::vector<std::string>& texts, double size, bool bold);
FigureText moved(FigureText text, double dx, double dy);

// A filled arrowhead in the current colour, its tip at (x, y), pointing along the unit vector
// (dx, dy), length long and twice halfWidth wide at its base.
void drawArrowHead(cairo_t* cr, double x, double y, double dx, double dy, double length, double halfWidth);

// The text in the current colour on a white ground, or the empty box; written, the text (in
// its box) in an answer key's dark italic on its tint.
void drawFigureText(cairo_t* cr, const FigureText& text);
// The texts with every answer box written in, as an answer key shows them.
std::vector<FigureText> writtenIn(std::vector<FigureText> texts);
// A grey from 0 (black) to 1 (white) as cr's source.
inline void setGrey(cairo_t* cr, double grey) { cairo_set_source_rgb(cr, grey, grey, grey); }

bool overlap(const Box& a, const Box& b);
// Whether the outlines of a and b stay spacing or more apart.
bool apart(const FigureText& a, const FigureText& b, double spacing);
Box grown(const Box& box, double by);
// Points along the outline's edges, step apart at most, corners included.
std::vector<DiagramPoint> outlinePoints(const FigureText& text, double step);
// The lines of text, broken at its spaces (not at its no-break spaces) to fit width.
std::vector<std::string> wrapped(cairo_t* cr, const std::string& text, double size, double width);

}  // namespace stills
