#include "tools/stills/figures/timing_plot.h"

#include <cairo-pdf.h>

#include <algorithm>
#include <cstdio>

#include "model/cycle.h"
#include "model/timing_rows.h"
#include "tools/stills/output/cairo_document.h"
#include "tools/stills/figures/figure_file.h"
#include "tools/stills/figures/figure_text.h"
#include "tools/stills/texts/printed_texts.h"
#include "tools/stills/figures/paper_greys.h"

namespace stills {

namespace {

// Diagram units. One unit a degree along the plot; two panels, the piston above, the valves
// below, with the stroke titles over them and the angle axis under them.
constexpr double kPlotLeft = 64.0;
constexpr double kUnitsPerDeg = 1.0;
constexpr double kTitleBaseline = 28.0;
constexpr double kPanelTop[2] = {40.0, 210.0};
constexpr double kPanelHeight = 150.0;
constexpr double kCurveInset = 12.0;        // between a curve's extreme and the panel's edge
constexpr double kTickLength = 6.0;
constexpr double kTickTextBaseline = 382.0;
constexpr double kAxisTitleBaseline = 412.0;
constexpr double kAxisLabelGap = 8.0;       // between a y label and the axis
constexpr double kTickDeg = kStrokeDeg / 2;    // a quarter turn

constexpr double kValveLabelGapDeg = 24.0;  // between a valve's peak and its name
constexpr double kValveLabelValue = 0.9;    // height of the valves' names, 1 fully open
constexpr double kSparkLabelValue = 0.5;
constexpr double kPistonLabelValue = 0.6;   // the piston's name over its trough, 1 at PMH, clear of the curve

constexpr double kTitleSize = 12.5;         // the strokes' titles, or less, so that the widest fits
constexpr double kTitleRoomDeg = 170.0;     // of a stroke's 180 degrees
constexpr double kLabelSize = 12.0;
constexpr double kSmallSize = 11.0;
constexpr double kCurveWidth = 2.2;
constexpr double kPngScale = 1.5;           // pixels per diagram unit in a PNG

struct Colour {
    double r, g, b;
};
constexpr Colour kInk{kInkGrey, kInkGrey, kInkGrey};
constexpr Colour kGrid{0.72, 0.72, 0.72};
// Each stroke's band a tint of its own lightness, so that a grey photocopy still tells the four
// apart; the exhaust's, as light as the intake's, hatched.
constexpr Colour kStrokeBands[kStrokeCount] = {{0.95, 0.97, 1.0}, {0.87, 0.87, 0.87}, {0.93, 0.62, 0.52}, {0.95, 0.97, 1.0}};
constexpr bool kHatchedBand[kStrokeCount] = {false, false, false, true};
constexpr Colour kHatch{0.62, 0.62, 0.62};
constexpr double kHatchSpacing = 9.0;
constexpr double kHatchWidth = 0.6;
constexpr double kSparkMarkWidth = 2.4;     // the spark, an instant: one line across both panels
constexpr double kSparkLabelGap = 4.0;      // between the spark's line and its name
constexpr double kExhaustDash[] = {7.0, 3.5};   // the exhaust's curve, told from the intake's by more than colour
constexpr Colour kPistonColour{0.12, 0.27, 0.78};
constexpr Colour kIntakeColour{0.08, 0.55, 0.16};
constexpr Colour kExhaustColour{0.80, 0.12, 0.12};
constexpr Colour kSparkText{0.55, 0.40, 0.0};
constexpr Colour kSparkMark{0.45, 0.22, 0.0};

// The texts' colours, in the order diagramLayout places them, and whether each is an answer (a
// stroke's or a curve's name), which an exercise leaves as an empty box.
struct Styled {
    FigureText text;
    Colour colour;
    bool answer = false;
    TextAnchor boxAnchor = TextAnchor::centre;  // the edge an answer's box keeps, where the curves are near
};

double plotX(double angleDeg) { return kPlotLeft + angleDeg * kUnitsPerDeg; }
double plotRight() { return plotX(kCycleDeg); }

// value 0 at the panel's foot, 1 at its top, inset so that the curves clear the edges.
double panelY(int panel, double value)
{
    return kPanelTop[panel] + kCurveInset + (1.0 - value) * (kPanelHeight - 2 * kCurveInset);
}

void setColour(cairo_t* cr, Colour c) { cairo_set_source_rgb(cr, c.r, c.g, c.b); }

Styled answer(FigureText text, Colour colour, TextAnchor keep = TextAnchor::centre) { return {text, colour, true, keep}; }

// The strokes' titles' size: kTitleSize, unless the widest would run into its neighbour.
double titleSize(cairo_t* cr)
{
    std::vector<std::string> titles;
    for (int stroke = 1; stroke <= kStrokeCount; ++stroke) titles.push_back(printedStrokeShortTitle(stroke));
    const double widest = answerWidthFor(cr, titles, kTitleSize, true);
    return std::min(kTitleSize, kTitleSize * kTitleRoomDeg * kUnitsPerDeg / widest);
}

std::vector<Styled> styledTexts(cairo_t* cr, double sparkDeg)
{
    std::vector<Styled> texts;
    const double size = titleSize(cr);
    for (int stroke = 1; stroke <= kStrokeCount; ++stroke)
        texts.push_back(answer(placeText(cr, printedStrokeShortTitle(stroke), plotX((stroke - 0.5) * kStrokeDeg),
                                     kTitleBaseline, TextAnchor::centre, size, true), kInk));
    const double labelX = kPlotLeft - kAxisLabelGap;
    texts.push_back({placeMiddle(cr, kTopDeadCentre, labelX, panelY(0, 1.0), TextAnchor::right, kLabelSize), kPistonColour});
    texts.push_back({placeMiddle(cr, kBottomDeadCentre, labelX, panelY(0, 0.0), TextAnchor::right, kLabelSize),
                     kPistonColour});
    texts.push_back({placeMiddle(cr, kValveLift, labelX, panelY(1, 1.0), TextAnchor::right, kSmallSize), kInk});
    texts.push_back({placeMiddle(cr, kNoLift, labelX, panelY(1, 0.0), TextAnchor::right, kSmallSize), kInk});
    // The piston's name in its first trough, each valve's name beside its peak on the side
    // where the other strokes are, the spark's beside its line: places no curve passes.
    texts.push_back(answer(placeMiddle(cr, kPiston, plotX(kStrokeDeg), panelY(0, kPistonLabelValue), TextAnchor::centre,
                                       kLabelSize), kPistonColour));
    texts.push_back(answer(placeMiddle(cr, kIntakeValve, plotX(kValveLabelGapDeg + kStrokeDeg / 2),
                                       panelY(1, kValveLabelValue), TextAnchor::left, kLabelSize), kIntakeColour,
                           TextAnchor::left));
    texts.push_back(answer(placeMiddle(cr, kExhaustValve, plotX(3.5 * kStrokeDeg - kValveLabelGapDeg),
                                       panelY(1, kValveLabelValue), TextAnchor::right, kLabelSize), kExhaustColour,
                           TextAnchor::right));
    // Where both valves are shut, half way up.
    texts.push_back(answer(placeMiddle(cr, kSpark, plotX(sparkDeg) + kSparkLabelGap, panelY(1, kSparkLabelValue),
                                       TextAnchor::left, kLabelSize, true), kSparkText, TextAnchor::left));
    for (double a = 0; a <= kCycleDeg; a += kTickDeg) {
        char number[8];
        std::snprintf(number, sizeof number, "%d", static_cast<int>(a));
        texts.push_back({placeText(cr, number, plotX(a), kTickTextBaseline, TextAnchor::centre, kSmallSize), kInk});
    }
    texts.push_back({placeText(cr, kCrankAngleAxis, plotX(kCycleDeg / 2), kAxisTitleBaseline,
                           TextAnchor::centre, kLabelSize, true), kInk});
    return texts;
}

void drawCurve(cairo_t* cr, const std::vector<DiagramPoint>& points, Colour colour, bool dashed = false)
{
    setColour(cr, colour);
    if (dashed) cairo_set_dash(cr, kExhaustDash, 2, 0);
    cairo_set_line_width(cr, kCurveWidth);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_move_to(cr, points[0].x, points[0].y);
    for (const DiagramPoint& p : points) cairo_line_to(cr, p.x, p.y);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
}

// Lines rising to the right across the band from x0 to x1, between top and bottom.
void hatchBand(cairo_t* cr, double x0, double x1, double top, double bottom)
{
    cairo_save(cr);
    cairo_rectangle(cr, x0, top, x1 - x0, bottom - top);
    cairo_clip(cr);
    setColour(cr, kHatch);
    cairo_set_line_width(cr, kHatchWidth);
    for (double x = x0 - (bottom - top); x < x1; x += kHatchSpacing) {
        cairo_move_to(cr, x, bottom);
        cairo_line_to(cr, x + (bottom - top), top);
    }
    cairo_stroke(cr);
    cairo_restore(cr);
}

void hline(cairo_t* cr, double y, double from, double to)
{
    cairo_move_to(cr, from, y);
    cairo_line_to(cr, to, y);
}

}  // namespace

double sparkAngleDeg(const RealTiming& timing)
{
    return strokeStartDeg(3) - (timing.given ? timing.sparkBeforeTdc : 0.0);
}

DiagramLayout diagramLayout(cairo_t* cr, const RealTiming& timing)
{
    DiagramLayout layout;
    layout.sparkX = plotX(sparkAngleDeg(timing));
    for (const Styled& s : styledTexts(cr, sparkAngleDeg(timing))) layout.texts.push_back(s.text);
    // Top dead centre at 0 degrees, bottom dead centre at 180, in model units along x.
    const double pistonBdcX = sliderCrank(kStrokeDeg, kCrankRadius, kRodLength).pistonX;
    const double travel = sliderCrank(0.0, kCrankRadius, kRodLength).pistonX - pistonBdcX;
    const double lift = kValveOpenX - kValveClosedX;
    for (const TimingRow& r : timingRows()) {
        const double x = plotX(r.angleDeg);
        layout.piston.push_back({x, panelY(0, (r.crank.pistonX - pistonBdcX) / travel)});
        layout.intake.push_back({x, panelY(1, (r.intake - kValveClosedX) / lift)});
        layout.exhaust.push_back({x, panelY(1, (r.exhaust - kValveClosedX) / lift)});
    }
    return layout;
}

void drawTimingDiagram(cairo_t* cr, bool blank, const RealTiming& timing, bool written)
{
    cairo_save(cr);
    setGrey(cr, kPaperGrey);
    cairo_rectangle(cr, 0, 0, kDiagramWidth, kDiagramHeight);
    cairo_fill(cr);

    for (int panel = 0; panel < 2; ++panel) {
        const double top = kPanelTop[panel], bottom = top + kPanelHeight;
        for (int stroke = 1; stroke <= kStrokeCount; ++stroke) {
            setColour(cr, kStrokeBands[stroke - 1]);
            cairo_rectangle(cr, plotX((stroke - 1) * kStrokeDeg), top, kStrokeDeg * kUnitsPerDeg, kPanelHeight);
            cairo_fill(cr);
            if (kHatchedBand[stroke - 1])
                hatchBand(cr, plotX((stroke - 1) * kStrokeDeg), plotX(stroke * kStrokeDeg), top, bottom);
        }

        setColour(cr, kGrid);                           // a line every quarter turn
        cairo_set_line_width(cr, 0.6);
        for (double a = kTickDeg; a < kCycleDeg; a += kTickDeg) {
            cairo_move_to(cr, plotX(a), top);
            cairo_line_to(cr, plotX(a), bottom);
        }
        cairo_stroke(cr);
        const double dash[] = {3.0, 3.0};               // the extremes of the curves
        cairo_set_dash(cr, dash, 2, 0);
        hline(cr, panelY(panel, 0.0), kPlotLeft, plotRight());
        hline(cr, panelY(panel, 1.0), kPlotLeft, plotRight());
        cairo_stroke(cr);
        cairo_set_dash(cr, nullptr, 0, 0);

        setColour(cr, kInk);
        cairo_set_line_width(cr, 1.0);
        cairo_rectangle(cr, kPlotLeft, top, kCycleDeg * kUnitsPerDeg, kPanelHeight);
        cairo_stroke(cr);
    }
    const double axisY = kPanelTop[1] + kPanelHeight;
    for (double a = 0; a <= kCycleDeg; a += kTickDeg) {
        cairo_move_to(cr, plotX(a), axisY);
        cairo_line_to(cr, plotX(a), axisY + kTickLength);
    }
    cairo_stroke(cr);

    const DiagramLayout layout = diagramLayout(cr, timing);
    setColour(cr, kSparkMark);
    cairo_set_line_width(cr, kSparkMarkWidth);
    cairo_move_to(cr, layout.sparkX, kPanelTop[0]);
    cairo_line_to(cr, layout.sparkX, kPanelTop[1] + kPanelHeight);
    cairo_stroke(cr);
    drawCurve(cr, layout.piston, kPistonColour);
    drawCurve(cr, layout.intake, kIntakeColour);
    drawCurve(cr, layout.exhaust, kExhaustColour, true);

    // Every stroke's box as wide as the widest title, so that none tells its name by its length.
    std::vector<std::string> titles;
    for (int stroke = 1; stroke <= kStrokeCount; ++stroke) titles.push_back(printedStrokeShortTitle(stroke));
    const double size = titleSize(cr);
    const double strokeBox = answerWidthFor(cr, titles, size, true);
    // And every curve's box as wide as the widest of their names, for the same reason.
    const double curveBox = answerWidthFor(cr, {kPiston, kIntakeValve, kExhaustValve, kSpark}, kLabelSize, true);
    const std::vector<Styled> texts = styledTexts(cr, sparkAngleDeg(timing));
    for (size_t i = 0; i < texts.size(); ++i) {
        const Styled& s = texts[i];
        if (blank && s.answer) {
            const Box& b = s.text.ink;
            const double width = i < static_cast<size_t>(kStrokeCount) ? strokeBox : curveBox;
            FigureText box = centredText(cr, s.text.text, s.text.size, s.text.bold, 0.0, true, width);
            box.written = written;
            const double half = box.boxWidth / 2;
            const double x = s.boxAnchor == TextAnchor::left    ? b.left + half
                             : s.boxAnchor == TextAnchor::right ? b.right - half
                                                                : (b.left + b.right) / 2;
            setColour(cr, kInk);
            drawFigureText(cr, moved(box, x, (b.top + b.bottom) / 2));
            continue;
        }
        useFont(cr, s.text.size, s.text.bold);
        setColour(cr, s.colour);
        cairo_move_to(cr, s.text.x, s.text.y);
        cairo_show_text(cr, s.text.text.c_str());
    }
    cairo_restore(cr);
}

bool writeTimingDiagram(OutputFile* file, DocumentFormat format, const RealTiming& timing)
{
    return writeFigure(file, format, kTimingDocumentTitle, [&](cairo_t* cr) { drawTimingDiagram(cr, false, timing); },
                       FigureFrame{kDiagramWidth, kDiagramHeight, kPngScale});
}

}  // namespace stills
