#include "tools/stills/figures/valve_circle.h"

#include <cmath>
#include <cstdio>

#include "tools/stills/output/cairo_document.h"
#include "tools/stills/figures/figure_file.h"
#include "tools/stills/figures/label_placer.h"
#include "tools/stills/texts/printed_texts.h"
#include "tools/stills/figures/paper_greys.h"

namespace stills {

namespace {

// Diagram units. The spiral starts at the top, a turn every 360 degrees, and closes in towards the
// centre so that the cycle's second turn lies inside its first.
constexpr double kCentreX = 205.0;
constexpr double kCentreY = 200.0;
constexpr double kStartRadius = 122.0;      // at 0 degrees
constexpr double kRadiusPerTurn = 30.0;     // lost in each crank turn
constexpr double kBandWidth = 10.0;
constexpr double kFullTurnDeg = 360.0;

constexpr double kLabelGap = 3.0;           // between a band and a text
constexpr double kLabelReach = 80.0;        // how far along its ray a text may be pushed
constexpr double kRayShiftDeg = 5.0;        // a text that does not fit on its ray tries the next ones
constexpr int kRayShifts = 6;               // on either side: up to 30 degrees away
constexpr double kProbeStep = 2.0;          // along a text's edges, when clearing the spiral
constexpr double kArrowReachDeg = 9.0;      // the arrow beyond the spiral's end
constexpr double kArrowHalfBase = 7.0;

constexpr double kMargin = 8.0;
constexpr double kTitleBaseline = 15.0;
constexpr double kSubtitleBaseline = 30.0;
constexpr double kTopLimit = 36.0;          // the circle's texts stay under the titles
constexpr double kTitleSize = 13.0;
constexpr double kSubtitleSize = 9.5;
constexpr double kLabelSize = 9.5;
constexpr double kLegendSize = 9.0;
constexpr double kLegendLeft = 412.0;
constexpr double kDeadCentreShift = 3.0;    // PMH and PMB beside the line of the dead centres
constexpr double kLegendTop = 74.0;         // the first line's baseline
constexpr double kLegendLeading = 19.0;
constexpr double kMiddleDrop = 0.36;        // a line's middle above its baseline, in font sizes
constexpr double kLegendGap = 4.0;          // between the pieces of a line
constexpr double kKeySize = 10.0;           // a legend's sample square
constexpr double kAngleBoxWidth = 28.0;     // an angle's answer box
constexpr double kNameBoxWidth = 110.0;     // the overlap's answer box
constexpr double kTextSpacing = 7.0;        // between two texts on the circle

constexpr double kAxisDash[] = {3.0, 3.0};
constexpr double kThinLine = 0.6;
constexpr double kOutline = 0.8;
constexpr double kHatchSpacing = 3.5;
constexpr double kHatchLine = 0.6;
constexpr double kStarRadius = 7.0;         // the spark, an instant
constexpr double kStarLine = 1.6;
constexpr double kGraduationDeg = 10.0;     // the circle's graduations, from PMH
constexpr double kTickShort = 3.0;          // inward from the first turn's inner edge
constexpr double kTickLong = 6.0;           // every quarter turn

// Each stroke's band: its grey, and its hatching (+1 rising, -1 falling, 0 none), told apart on a
// grey photocopy.
struct BandStyle {
    double grey;
    int hatch;
};
constexpr BandStyle kStrokeStyles[kStrokeCount] = {
    {kPaperGrey, +1}, {kCompressionBandGrey, 0}, {kPowerBandGrey, 0}, {kPaperGrey, -1}};

// The cycle's events as the circle shows them, unwrapped crank degrees.
struct Events {
    double intakeOpens, intakeCloses, sparkFrom, sparkTo, exhaustOpens, exhaustCloses, powerStarts;
};

// The model's own cycle, or the real engine's: each event moved from the model's by its advance
// or delay.
Events eventsOf(const RealTiming& t)
{
    const ValveEvents in = valveEvents(ValveSide::intake), ex = valveEvents(ValveSide::exhaust);
    const double topOfCompression = strokeStartDeg(3);
    // The spark is an instant: at PMH in the theoretical cycle, the advance before it in the real one.
    if (!t.given)
        return {in.opensDeg, in.closesDeg, topOfCompression, topOfCompression, ex.opensDeg, ex.closesDeg,
                topOfCompression};
    const double spark = topOfCompression - t.sparkBeforeTdc;
    return {in.opensDeg - t.intakeOpensBeforeTdc, in.closesDeg + t.intakeClosesAfterBdc, spark, spark,
            ex.opensDeg - t.exhaustOpensBeforeBdc, ex.closesDeg + t.exhaustClosesAfterTdc, spark};
}

double spiralRadius(double angleDeg) { return kStartRadius - angleDeg * kRadiusPerTurn / kFullTurnDeg; }

// The spiral's point at angleDeg, moved out by shift (in by a negative one).
SpiralPoint spiralPoint(double angleDeg, double shift = 0.0)
{
    const double r = spiralRadius(angleDeg) + shift, a = angleDeg / kDegPerRad;
    return {angleDeg, kCentreX + r * std::sin(a), kCentreY - r * std::cos(a)};
}

CircleArc arcOf(double fromDeg, double toDeg)
{
    CircleArc arc{fromDeg, toDeg, {spiralPoint(fromDeg)}};
    for (double a = std::floor(fromDeg) + 1.0; a < toDeg; a += 1.0) arc.points.push_back(spiralPoint(a));
    if (toDeg > fromDeg) arc.points.push_back(spiralPoint(toDeg));
    return arc;
}

// Texts go where they clear the spiral, each other and the figure's edges.
class Placer {
public:
    Placer(double firstDeg, double lastDeg, std::vector<FigureText>* texts)
        : firstDeg_(firstDeg), lastDeg_(lastDeg + kArrowReachDeg),
          labels_("the valve-timing circle", texts,
                  [this](const FigureText& t, const std::vector<FigureText>& placed) { return fits(t.ink, placed); })
    {
    }
    Placer(const Placer&) = delete;         // its judge asks this one
    Placer& operator=(const Placer&) = delete;

    // Puts text (centred on the origin) on the ray at angleDeg from the centre, as near the
    // spiral's point there as it fits, going out first or in first; then on the rays beside it.
    // A text that fits nowhere is a fault of the layout's numbers: it is said, not dropped.
    void onRay(const FigureText& text, double angleDeg, bool outFirst)
    {
        for (bool out : {outFirst, !outFirst})
            for (int shift = 0; shift <= 2 * kRayShifts; ++shift) {
                const double ray = angleDeg + (shift % 2 == 0 ? 1 : -1) * ((shift + 1) / 2) * kRayShiftDeg;
                // Out of its own band, and on until it fits, but never over the next turn.
                bool offBand = false;
                for (double step = 0.0; step <= kLabelReach; step += 1.0) {
                    const double r = spiralRadius(angleDeg) + (out ? step : -step);
                    if (r < 0.0) break;
                    const double a = ray / kDegPerRad;
                    const FigureText t = moved(text, kCentreX + r * std::sin(a), kCentreY - r * std::cos(a));
                    const Placement fit = labels_.take(t);
                    if (fit == Placement::taken) return;
                    if (fit == Placement::onLine && offBand) break;
                    offBand = offBand || fit != Placement::onLine;
                }
            }
        char where[64];
        std::snprintf(where, sizeof where, " at %g degrees", angleDeg);
        labels_.missing(text, moved(text, kCentreX, kCentreY), where);
    }

    // Keeps text where it is, for the others to clear.
    void fixed(const FigureText& text) { labels_.fixed(text); }

private:
    // On the spiral is on a line; off the figure's room or on another text is elsewhere.
    Placement fits(const Box& b, const std::vector<FigureText>& placed) const
    {
        const double width = b.right - b.left, height = b.bottom - b.top;
        for (double s = 0.0; s <= width; s += kProbeStep)
            if (!clear(b.left + s, b.top) || !clear(b.left + s, b.bottom)) return Placement::onLine;
        for (double s = 0.0; s <= height; s += kProbeStep)
            if (!clear(b.left, b.top + s) || !clear(b.right, b.top + s)) return Placement::onLine;
        if (!clear(b.right, b.bottom)) return Placement::onLine;
        if (b.left < kMargin || b.right > kLegendLeft - kLegendGap || b.top < kTopLimit || b.bottom > kFigureHeight)
            return Placement::outside;
        for (const FigureText& t : placed)
            if (overlap(grown(b, kTextSpacing), t.ink)) return Placement::onText;
        return Placement::taken;
    }

    // Whether (x, y) is kLabelGap or more away from every turn of the spiral.
    bool clear(double x, double y) const
    {
        const double dx = x - kCentreX, dy = y - kCentreY;
        double polar = std::atan2(dx, -dy) * kDegPerRad;
        if (polar < 0.0) polar += kFullTurnDeg;
        const double r = std::hypot(dx, dy);
        for (double a = polar - kFullTurnDeg; a <= lastDeg_; a += kFullTurnDeg)
            if (a >= firstDeg_ && std::fabs(r - spiralRadius(a)) < kBandWidth / 2 + kLabelGap) return false;
        return true;
    }

    double firstDeg_, lastDeg_;
    LabelPlacer labels_;
};

// A piece of a legend's line on the baseline y from x, or its answer box; returns where it ends.
double legendPiece(cairo_t* cr, CircleLayout* layout, const std::string& text, double x, double y, bool answer,
                   double answerWidth = kAngleBoxWidth)
{
    if (!answer) {
        layout->texts.push_back(placeText(cr, text, x, y, TextAnchor::left, kLegendSize));
        return x + textWidth(cr, text) + kLegendGap;
    }
    const FigureText box = centredText(cr, text, kLegendSize, false, 0.0, true, answerWidth);
    layout->texts.push_back(moved(box, x - box.ink.left, y - kMiddleDrop * kLegendSize));
    return layout->texts.back().ink.right + kLegendGap;
}

void placeLegend(cairo_t* cr, CircleLayout* layout, const RealTiming& timing, bool blank)
{
    double y = kLegendTop;
    const double keyLeft = kLegendLeft, textLeft = kLegendLeft + kKeySize + kLegendGap;
    if (timing.given) {
        struct Line {
            const char* name;
            double degrees;
            const char* from;
        } lines[] = {
            {kIntakeOpens, timing.intakeOpensBeforeTdc, kBeforeTopDeadCentre},
            {kIntakeCloses, timing.intakeClosesAfterBdc, kAfterBottomDeadCentre},
            {kExhaustOpens, timing.exhaustOpensBeforeBdc, kBeforeBottomDeadCentre},
            {kExhaustCloses, timing.exhaustClosesAfterTdc, kAfterTopDeadCentre},
            {kSparkAdvance, timing.sparkBeforeTdc, kBeforeTopDeadCentre},
        };
        for (const Line& line : lines) {
            double x = legendPiece(cr, layout, filled(kEventName, line.name), keyLeft, y, false);
            x = legendPiece(cr, layout, frenchDegrees(line.degrees), x, y, blank);
            legendPiece(cr, layout, line.from, x, y, false);
            y += kLegendLeading;
        }
        if (!layout->overlap.empty()) {
            y += kLegendLeading / 2;
            const double middle = y - kMiddleDrop * kLegendSize;
            layout->overlapKey = {keyLeft, middle - kKeySize / 2, keyLeft + kKeySize, middle + kKeySize / 2};
            legendPiece(cr, layout, kValveOverlap, textLeft, y, blank, kNameBoxWidth);
        }
        return;
    }
    for (const std::string& line : wrapped(cr, kValvesAtDeadCentres, kLegendSize, kFigureWidth - kLegendLeft - kMargin)) {
        legendPiece(cr, layout, line, keyLeft, y, false);
        y += kLegendLeading;
    }
    y += kLegendLeading / 2;
    const double middle = y - kMiddleDrop * kLegendSize;
    layout->sparkKey = {keyLeft, middle - kKeySize / 2, keyLeft + kKeySize, middle + kKeySize / 2};
    double x = legendPiece(cr, layout, filled(kEventName, kSpark), textLeft, y, false);
    x = legendPiece(cr, layout, kSparkAtTdc, x, y, false);
    legendPiece(cr, layout, frenchDegrees(layout->spark.fromDeg), x, y, blank);
}

// The band of width along arc, as the current path.
void bandPath(cairo_t* cr, const CircleArc& arc, double width)
{
    for (const SpiralPoint& p : arc.points) {
        const SpiralPoint q = spiralPoint(p.angleDeg, width / 2);
        cairo_line_to(cr, q.x, q.y);
    }
    for (auto p = arc.points.rbegin(); p != arc.points.rend(); ++p) {
        const SpiralPoint q = spiralPoint(p->angleDeg, -width / 2);
        cairo_line_to(cr, q.x, q.y);
    }
    cairo_close_path(cr);
}

// Parallel lines at 45 degrees over the current clip: rising (+1) or falling (-1).
void hatch(cairo_t* cr, int direction)
{
    const double span = kFigureWidth + kFigureHeight;
    for (double c = -span; c <= span; c += kHatchSpacing) {
        cairo_move_to(cr, c, direction > 0 ? kFigureHeight : 0.0);
        cairo_line_to(cr, c + kFigureHeight, direction > 0 ? 0.0 : kFigureHeight);
    }
    setGrey(cr, kHatchGrey);
    cairo_set_line_width(cr, kHatchLine);
    cairo_stroke(cr);
}

void drawBand(cairo_t* cr, const CircleArc& arc, BandStyle style, double width)
{
    cairo_save(cr);
    bandPath(cr, arc, width);
    setGrey(cr, style.grey);
    cairo_fill_preserve(cr);
    cairo_clip_preserve(cr);
    cairo_new_path(cr);
    if (style.hatch != 0) hatch(cr, style.hatch);
    cairo_restore(cr);
    cairo_save(cr);
    bandPath(cr, arc, width);
    setGrey(cr, kInkGrey);
    cairo_set_line_width(cr, kOutline);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void drawOverlap(cairo_t* cr, const Box& where)
{
    cairo_save(cr);
    cairo_rectangle(cr, where.left, where.top, where.right - where.left, where.bottom - where.top);
    setGrey(cr, kOverlapGrey);
    cairo_fill_preserve(cr);
    cairo_clip(cr);
    hatch(cr, +1);
    hatch(cr, -1);
    cairo_restore(cr);
}

// The spark, an instant: a star on the spiral at its angle (and in the legend's key).
void drawSpark(cairo_t* cr, double x, double y)
{
    cairo_save(cr);
    setGrey(cr, kInkGrey);
    cairo_set_line_width(cr, kStarLine);
    for (int ray = 0; ray < 4; ++ray) {
        const double a = ray * kFullTurnDeg / 8 / kDegPerRad;
        cairo_move_to(cr, x - kStarRadius * std::cos(a), y - kStarRadius * std::sin(a));
        cairo_line_to(cr, x + kStarRadius * std::cos(a), y + kStarRadius * std::sin(a));
    }
    cairo_stroke(cr);
    cairo_restore(cr);
}

// Where the cycle goes on: an arrowhead past the spiral's end.
void drawArrow(cairo_t* cr, double endDeg)
{
    const SpiralPoint a = spiralPoint(endDeg, kArrowHalfBase), b = spiralPoint(endDeg, -kArrowHalfBase);
    const SpiralPoint tip = spiralPoint(endDeg + kArrowReachDeg);
    setGrey(cr, kInkGrey);
    cairo_move_to(cr, a.x, a.y);
    cairo_line_to(cr, tip.x, tip.y);
    cairo_line_to(cr, b.x, b.y);
    cairo_close_path(cr);
    cairo_fill(cr);
}

}  // namespace

CircleLayout circleLayout(cairo_t* cr, const RealTiming& timing, bool blank)
{
    const Events e = eventsOf(timing);
    CircleLayout layout{};
    layout.centreX = kCentreX;
    layout.centreY = kCentreY;
    layout.strokes[0] = arcOf(e.intakeOpens, e.intakeCloses);
    layout.strokes[1] = arcOf(e.intakeCloses, e.powerStarts);
    layout.strokes[2] = arcOf(e.powerStarts, e.exhaustOpens);
    layout.strokes[3] = arcOf(e.exhaustOpens, e.exhaustCloses);
    layout.spark = arcOf(e.sparkFrom, e.sparkTo);
    // The exhaust closes after the intake opened, one cycle later.
    const double overlapEnd = e.exhaustCloses - kCycleDeg;
    if (overlapEnd > e.intakeOpens) {
        layout.overlap.push_back(arcOf(e.intakeOpens, overlapEnd));
        layout.overlap.push_back(arcOf(e.intakeOpens + kCycleDeg, e.exhaustCloses));
    }

    // Ticks every 10 degrees in the gap between the two turns, for reading angles off; none on
    // the dead centres' line, which is drawn there already.
    for (double a = kGraduationDeg; a < kFullTurnDeg; a += kGraduationDeg) {
        if (std::fmod(a, kStrokeDeg) == 0.0) continue;
        const double length = std::fmod(a, kStrokeDeg / 2) == 0.0 ? kTickLong : kTickShort;
        const SpiralPoint from = spiralPoint(a, -kBandWidth / 2), to = spiralPoint(a, -kBandWidth / 2 - length);
        layout.graduations.push_back({from.x, from.y, to.x, to.y});
    }

    std::vector<FigureText>& texts = layout.texts;
    texts.push_back(placeText(cr, kCircleTitle, kMargin, kTitleBaseline, TextAnchor::left, kTitleSize, true));
    texts.push_back(placeText(cr, timing.given ? kCircleReal : kCircleTheoretical, kMargin, kSubtitleBaseline,
                              TextAnchor::left, kSubtitleSize));
    placeLegend(cr, &layout, timing, blank);

    Placer placer(e.intakeOpens, e.exhaustCloses, &texts);
    // The dead centres' names beside their line, just outside the first turn, so that the events
    // around them have room on the other side.
    const double deadCentreX = kCentreX + kDeadCentreShift;
    const double top = kCentreY - spiralRadius(0.0) - kBandWidth / 2 - kLabelGap;
    const double bottom = kCentreY + spiralRadius(kStrokeDeg) + kBandWidth / 2 + kLabelGap;
    FigureText tdc = placeText(cr, kTopDeadCentre, deadCentreX, top, TextAnchor::left, kLabelSize, true);
    FigureText bdc = placeText(cr, kBottomDeadCentre, deadCentreX, bottom, TextAnchor::left, kLabelSize, true);
    placer.fixed(tdc);
    placer.fixed(moved(bdc, 0.0, bottom - bdc.ink.top));
    const std::vector<std::string> names = {kIntakeName, kCompressionName, kPowerStrokeName, kExhaustName};
    const double boxWidth = answerWidthFor(cr, names, kLabelSize, true);
    for (int s = 0; s < kStrokeCount; ++s) {
        const CircleArc& arc = layout.strokes[s];
        // The first turn's strokes are named outside the spiral, nearer their start, where the
        // corners leave room for the widest box; the second turn's inside, just past their start,
        // which stacks them across the middle, where the inner turn is widest.
        const bool outside = s < 2;
        const double along = outside ? 0.3 : 0.1;
        placer.onRay(centredText(cr, names[s], kLabelSize, true, 0.0, blank, boxWidth),
                     arc.fromDeg + along * (arc.toDeg - arc.fromDeg), outside);
    }
    const double sparkDeg = (e.sparkFrom + e.sparkTo) / 2;
    placer.onRay(centredText(cr, timing.given ? kSparkAdvance : kSpark, kLabelSize, false, 0.0, false), sparkDeg, true);
    if (timing.given) {
        const std::pair<const char*, double> events[] = {{kIntakeOpens, e.intakeOpens}, {kIntakeCloses, e.intakeCloses},
                                                         {kExhaustOpens, e.exhaustOpens}, {kExhaustCloses, e.exhaustCloses}};
        for (const auto& event : events)
            placer.onRay(centredText(cr, event.first, kLabelSize, false, 0.0, false), event.second,
                         event.second < kStrokeDeg * 2);
    }
    return layout;
}

void drawValveCircle(cairo_t* cr, const RealTiming& timing, bool blank, bool written)
{
    CircleLayout layout = circleLayout(cr, timing, blank);
    if (written) layout.texts = writtenIn(layout.texts);
    cairo_save(cr);
    setGrey(cr, kPaperGrey);                                   // its own ground, not the page's
    cairo_rectangle(cr, 0.0, 0.0, kFigureWidth, kFigureHeight);
    cairo_fill(cr);

    setGrey(cr, kAxisGrey);                             // the dead centres' line
    cairo_set_line_width(cr, kThinLine);
    cairo_set_dash(cr, kAxisDash, 2, 0.0);
    const double reach = spiralRadius(std::min(0.0, layout.strokes[0].fromDeg)) + kBandWidth;
    cairo_move_to(cr, kCentreX, kCentreY - reach);
    cairo_line_to(cr, kCentreX, kCentreY + reach);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0.0);

    for (int s = 0; s < kStrokeCount; ++s) drawBand(cr, layout.strokes[s], kStrokeStyles[s], kBandWidth);
    for (const CircleArc& arc : layout.overlap) {
        cairo_save(cr);
        bandPath(cr, arc, kBandWidth);
        cairo_clip(cr);
        drawOverlap(cr, {0.0, 0.0, kFigureWidth, kFigureHeight});
        cairo_restore(cr);
    }
    drawSpark(cr, layout.spark.points.front().x, layout.spark.points.front().y);
    setGrey(cr, kInkGrey);
    cairo_set_line_width(cr, kThinLine);
    for (const Box& tick : layout.graduations) {
        cairo_move_to(cr, tick.left, tick.top);
        cairo_line_to(cr, tick.right, tick.bottom);
    }
    cairo_stroke(cr);
    drawArrow(cr, layout.strokes[kStrokeCount - 1].toDeg);

    if (layout.sparkKey.right > layout.sparkKey.left)
        drawSpark(cr, (layout.sparkKey.left + layout.sparkKey.right) / 2, (layout.sparkKey.top + layout.sparkKey.bottom) / 2);
    if (layout.overlapKey.right > layout.overlapKey.left) {
        drawOverlap(cr, layout.overlapKey);
        setGrey(cr, kInkGrey);
        cairo_set_line_width(cr, kOutline);
        cairo_rectangle(cr, layout.overlapKey.left, layout.overlapKey.top, kKeySize, kKeySize);
        cairo_stroke(cr);
    }
    setGrey(cr, kInkGrey);
    for (const FigureText& t : layout.texts) drawFigureText(cr, t);
    cairo_restore(cr);
}

bool writeValveCircle(OutputFile* file, DocumentFormat format, const RealTiming& timing, bool blank)
{
    return writeFigure(file, format, kCircleDocumentTitle,
                       [&](cairo_t* cr) { drawValveCircle(cr, timing, blank); });
}

}  // namespace stills
