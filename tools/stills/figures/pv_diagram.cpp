#include "tools/stills/figures/pv_diagram.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

#include "model/cycle.h"
#include "model/cylinder.h"
#include "tools/stills/output/cairo_document.h"
#include "tools/stills/figures/figure_file.h"
#include "tools/stills/figures/label_placer.h"
#include "tools/stills/texts/printed_texts.h"
#include "tools/stills/figures/paper_greys.h"

namespace stills {

namespace {

// Diagram units. The plot, the pressure axis on its left, the legend in its top right corner,
// where the loop never goes. The volume axis lies a little below pressure 0, so that the line the
// intake and the exhaust share has room for their names under it.
constexpr double kMargin = 8.0;
constexpr double kPlotLeft = 58.0;          // the pressure axis
constexpr double kPlotRight = 538.0;        // the volume axis's end
constexpr double kPlotTop = 54.0;           // the highest pressure tick
constexpr double kZeroPressureY = 302.0;
constexpr double kVolumeAxisY = 324.0;
constexpr double kVolumeHeadroom = 1.1;     // the volume axis runs on past PMB by this factor
constexpr double kPressureHeadroom = 1.04;  // and the pressure axis past the highest pressure
constexpr int kMaxTicks = 7;
constexpr double kAxisOvershoot = 10.0;     // the axes' arrows past their last values
constexpr double kTickLength = 4.0;
constexpr double kTitleBaseline = 15.0;
constexpr double kAxisTitleBaseline = 32.0;
constexpr double kMarkRowGap = 13.0;        // from the volume axis to PMH and PMB's baseline
constexpr double kVolumeTitleGap = 28.0;    // and to « Volume »'s
constexpr double kTitleSize = 13.0;
constexpr double kLabelSize = 9.5;
constexpr double kNumberSize = 10.0;
constexpr double kLegendSize = 9.0;
constexpr double kLegendLeft = 330.0;
constexpr double kLegendTop = 58.0;         // the first line's baseline
constexpr double kLegendLeading = 12.5;
constexpr double kLegendParagraph = 4.0;
constexpr int kLegendDecimals = 1;          // the legend's numbers: ε, γ, the rise and the pressures

constexpr double kCurveWidth = 1.6;
constexpr double kThinLine = 0.6;
constexpr double kDash[] = {3.0, 3.0};
constexpr double kPointRadius = 2.2;
constexpr double kArrowLength = 8.0;
constexpr double kArrowHalfWidth = 3.5;
constexpr double kSharedLineArrows[2] = {0.25, 0.75};  // along the intake's line: the exhaust's, the intake's
constexpr double kCombustionArrow = 0.85;   // up its line: the rest is left for its name
constexpr double kCompressionArrow = 0.6;   // of the compression stroke

// Where texts may go: beside a point, rings of distances and a turn of directions round it; along
// the loop, sample by sample from a stretch's middle.
constexpr double kReach[] = {2, 4, 7, 11};
constexpr double kCalloutReach[] = {24, 36, 50, 66, 84, 104, 126};   // a name far from its thin loop
constexpr int kDirections = 12;             // 30 degrees apart
constexpr double kClearance = 2.5;          // between a text and a line
constexpr double kTextSpacing = 4.0;        // between two texts
constexpr double kProbeStep = 2.0;          // along a text's outline
constexpr double kDrift = 24.0;             // how far a name may leave its line for room
constexpr double kDriftStep = 2.0;
constexpr double kStraightStep = 2.0;       // samples along a straight change
constexpr double kFullTurnRad = 2.0 * kPi;

struct Scale {
    double volumeToX, pressureToY, axisTopBar, tickBar;
    double x(double volume) const { return kPlotLeft + volume * volumeToX; }
    double y(double bar) const { return kZeroPressureY - bar * pressureToY; }
};

// 1, 2 or 5 times a power of ten: the smallest that splits top into at most kMaxTicks steps.
double tickStep(double top)
{
    for (double power = 1.0;; power *= 10.0)
        for (double step : {1.0, 2.0, 5.0})
            if (top / (step * power) <= kMaxTicks) return step * power;
}

Scale scaleFor(const std::vector<PvSample>& loop)
{
    double largestVolume = 0.0, highest = 0.0;
    for (const PvSample& s : loop) {
        largestVolume = std::max(largestVolume, s.volume);
        highest = std::max(highest, s.pressure);
    }
    const double step = tickStep(highest * kPressureHeadroom);
    const double axisTop = step * std::ceil(highest * kPressureHeadroom / step);
    return {(kPlotRight - kPlotLeft) / (largestVolume * kVolumeHeadroom), (kZeroPressureY - kPlotTop) / axisTop,
            axisTop, step};
}

double distanceToSegment(const DiagramPoint& p, const Box& segment)
{
    const double dx = segment.right - segment.left, dy = segment.bottom - segment.top;
    const double lengthSquared = dx * dx + dy * dy;
    double t = lengthSquared > 0.0 ? ((p.x - segment.left) * dx + (p.y - segment.top) * dy) / lengthSquared : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x - (segment.left + t * dx), p.y - (segment.top + t * dy));
}

// Texts go where they clear the loop, the axes, the arrows and each other.
class Placer {
public:
    Placer(PvLayout* layout, std::vector<Box> lines)
        : layout_(layout), labels_("the p-V diagram", &layout->texts, [lines = std::move(lines)](const FigureText& t,
                                                                         const std::vector<FigureText>& placed) {
              return judged(t, placed, lines);
          })
    {
    }

    // Puts text (centred on the origin) beside (x, y), towards preferDeg first (counted
    // anticlockwise from the right), then round the point and farther out.
    void near(const FigureText& text, double x, double y, double preferDeg)
    {
        const double halfW = (text.ink.right - text.ink.left) / 2, halfH = (text.ink.bottom - text.ink.top) / 2;
        for (double reach : kReach)
            for (int k = 0; k < kDirections; ++k) {
                const double turn = (k % 2 == 0 ? 1 : -1) * ((k + 1) / 2) * (360.0 / kDirections);
                const double a = (preferDeg + turn) * kRadPerDeg;
                const double dx = std::cos(a), dy = -std::sin(a);
                const double out = reach + std::fabs(dx) * halfW + std::fabs(dy) * halfH;
                if (labels_.take(moved(text, x + dx * out, y + dy * out)) == Placement::taken) return;
            }
        missing(text);
    }

    // The last resort of a name with no room along its line: level, in the free space up and to
    // the right of (x, y), with a leader line back to it.
    void callout(const FigureText& text, double x, double y)
    {
        const double halfW = (text.ink.right - text.ink.left) / 2, halfH = (text.ink.bottom - text.ink.top) / 2;
        for (double reach : kCalloutReach)
            for (double deg : {60.0, 45.0, 75.0, 30.0, 90.0}) {
                const double dx = std::cos(deg * kRadPerDeg), dy = -std::sin(deg * kRadPerDeg);
                const double out = reach + std::fabs(dx) * halfW + std::fabs(dy) * halfH;
                if (labels_.take(moved(text, x + dx * out, y + dy * out)) != Placement::taken) continue;
                const Box& b = labels_.last().ink;
                layout_->leaders.push_back({x, y, std::clamp(x, b.left, b.right), std::clamp(y, b.top, b.bottom)});
                return;
            }
        missing(text);
    }

    // Puts the text make(turnDeg) makes along path, turned with it, on the side that side points
    // to and above floorY: at the path's middle when it fits there, else at the nearest sample
    // where it does. False when it fits nowhere along it.
    template <typename Make>
    bool along(Make make, const std::vector<DiagramPoint>& path, DiagramPoint side, double floorY = kFigureHeight)
    {
        const FigureText flat = make(0.0);
        const double across = (flat.ink.bottom - flat.ink.top) / 2 + kClearance + kCurveWidth / 2;
        const int n = static_cast<int>(path.size()), middle = n / 2;
        for (int k = 0; k < 2 * n; ++k) {
            const int i = middle + (k % 2 == 0 ? 1 : -1) * ((k + 1) / 2);
            if (i < 0 || i >= n) continue;
            const DiagramPoint& a = path[std::max(i - 1, 0)];
            const DiagramPoint& b = path[std::min(i + 1, n - 1)];
            double tx = b.x - a.x, ty = b.y - a.y;
            const double length = std::hypot(tx, ty);
            tx /= length;
            ty /= length;
            if (tx < -1e-9 || (tx < 1e-9 && ty > 0.0)) {    // read left to right, or upwards
                tx = -tx;
                ty = -ty;
            }
            double nx = ty, ny = -tx;                        // over the text as it reads
            if (nx * side.x + ny * side.y < 0.0) {
                nx = -nx;
                ny = -ny;
            }
            const FigureText t = make(std::atan2(-ty, tx) / kRadPerDeg);
            // Away from its line until it fits, but never past another line.
            for (double off = across; off <= across + kDrift; off += kDriftStep) {
                const FigureText there = moved(t, path[i].x + nx * off, path[i].y + ny * off);
                if (there.ink.bottom > floorY) break;
                const Placement v = labels_.take(there);
                if (v == Placement::taken) return true;
                if (v == Placement::onLine) break;
            }
        }
        return false;
    }

    template <typename Make>
    void alongOrMissing(Make make, const std::vector<DiagramPoint>& path, DiagramPoint side)
    {
        if (!along(make, path, side)) missing(make(0.0));
    }

    void missing(const FigureText& text) { labels_.missing(text, text); }

private:
    static Placement judged(const FigureText& t, const std::vector<FigureText>& placed, const std::vector<Box>& lines)
    {
        const Box& b = t.ink;
        if (b.left < kPlotLeft + kClearance || b.right > kFigureWidth - kMargin || b.top < kPlotTop - kAxisOvershoot
            || b.bottom > kVolumeAxisY - kClearance)
            return Placement::outside;
        for (const DiagramPoint& p : outlinePoints(t, kProbeStep))
            for (const Box& line : lines)
                if (distanceToSegment(p, line) < kClearance) return Placement::onLine;
        for (const FigureText& other : placed)
            if (!apart(t, other, kTextSpacing)) return Placement::onText;
        return Placement::taken;
    }

    PvLayout* layout_;
    LabelPlacer labels_;                    // keeping off segments (x0, y0)-(x1, y1)
};

// The points of the straight line from a to b, kStraightStep apart.
std::vector<DiagramPoint> straight(DiagramPoint a, DiagramPoint b)
{
    const int n = std::max(2, static_cast<int>(std::hypot(b.x - a.x, b.y - a.y) / kStraightStep));
    std::vector<DiagramPoint> path;
    for (int k = 0; k <= n; ++k) path.push_back({a.x + (b.x - a.x) * k / n, a.y + (b.y - a.y) * k / n});
    return path;
}

// The points of the loop's samples of phase.
std::vector<DiagramPoint> stretch(const std::vector<PvSample>& loop, PvPhase phase)
{
    std::vector<DiagramPoint> path;
    for (const PvSample& s : loop)
        if (s.phase == phase) path.push_back({s.x, s.y});
    return path;
}

// The sample of phase at angleDeg, or the last of that phase.
const PvSample& sampleAt(const std::vector<PvSample>& loop, PvPhase phase, double angleDeg)
{
    const PvSample* found = nullptr;
    for (const PvSample& s : loop)
        if (s.phase == phase && (found == nullptr || s.angleDeg <= angleDeg)) found = &s;
    return *found;
}

// The way the loop goes at sample i, from its neighbours.
PvArrow arrowAt(const std::vector<PvSample>& loop, size_t i)
{
    const PvSample& a = loop[i - 1];
    const PvSample& b = loop[std::min(i + 1, loop.size() - 1)];
    const double length = std::hypot(b.x - a.x, b.y - a.y);
    return {loop[i].x, loop[i].y, (b.x - a.x) / length, (b.y - a.y) / length};
}

// A point along a straight change (the same phase, from one sample to the next) at fraction f.
PvArrow along(const PvSample& from, const PvSample& to, double f)
{
    const double length = std::hypot(to.x - from.x, to.y - from.y);
    return {from.x + f * (to.x - from.x), from.y + f * (to.y - from.y), (to.x - from.x) / length,
            (to.y - from.y) / length};
}

size_t indexOf(const std::vector<PvSample>& loop, const PvSample& s) { return static_cast<size_t>(&s - loop.data()); }

// value as the legend prints it, with decimals digits.
double printedValue(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return std::round(value * scale) / scale;
}

}  // namespace

PvLegendValues pvLegendValues(const PvSettings& settings)
{
    // Each value from the rounded ones printed before it, so that a pupil who works the sheet
    // out with a calculator finds the sheet's own number.
    PvLegendValues v{};
    const double ratio = settings.compressionRatio > 0.0 ? settings.compressionRatio : compressionRatio();
    v.ratio = printedValue(ratio, kLegendDecimals);
    v.engineOwn = settings.compressionRatio <= 0.0 || v.ratio == printedValue(compressionRatio(), kLegendDecimals);
    v.gamma = printedValue(kGamma, kLegendDecimals);
    v.rise = printedValue(settings.pressureRise, kLegendDecimals);
    v.p1 = printedValue(kAtmosphereBar, 0);
    const double compression = std::pow(v.ratio, v.gamma);
    v.p2 = printedValue(v.p1 * compression, kLegendDecimals);
    v.p3 = printedValue(v.rise * v.p2, kLegendDecimals);
    v.p4 = printedValue(v.p3 / compression, kLegendDecimals);
    return v;
}

namespace {

// The data, then the pressures the cycle reaches: printed on the sheet, to be worked out in the
// exercise, written in by its key (the value alone, where the pupil writes it).
void placeLegend(cairo_t* cr, PvLayout* layout, const PvSettings& settings, bool blank, bool written)
{
    const PvLegendValues v = pvLegendValues(settings);
    auto number = [](double value) { return frenchNumber(value, kLegendDecimals); };
    std::vector<std::string> entries = {
        filled(v.engineOwn ? kEngineRatio : kChosenRatio, number(v.ratio)),
        filled(kAdiabatic, number(v.gamma)),
        kIsochoric,
        filled(kPressureRise, number(v.rise)),
        filled(kIntakePressure, frenchNumber(v.p1, 0)),
    };
    const std::pair<const char*, double> found[] = {{"₂", v.p2}, {"₃", v.p3}, {"₄", v.p4}};
    const bool computed = blank && written;
    if (!computed)
        for (const auto& [index, bar] : found)
            entries.push_back(blank ? filled(kPressureToFind, index) : filled(kPointPressure, index, number(bar)));
    double y = kLegendTop;
    for (const std::string& entry : entries) {
        for (const std::string& line : wrapped(cr, entry, kLegendSize, kFigureWidth - kLegendLeft - kMargin)) {
            layout->texts.push_back(placeText(cr, line, kLegendLeft, y, TextAnchor::left, kLegendSize));
            y += kLegendLeading;
        }
        y += kLegendParagraph;
    }
    if (!computed) return;
    // The printed line around its value, the value written in the middle of the exercise's blank
    // for it, the rest where the exercise has it.
    const std::string mark = "\x01";
    for (const auto& [index, bar] : found) {
        const std::string line = filled(kPointPressure, index, mark);
        const size_t at = line.find(mark);
        const std::string before = line.substr(0, at), after = line.substr(at + mark.size());
        useFont(cr, kLegendSize);
        const double blankWidth =
            textWidth(cr, filled(kPressureToFind, index)) - textWidth(cr, before) - textWidth(cr, after);
        const double x = kLegendLeft + textWidth(cr, before);
        layout->texts.push_back(placeText(cr, before, kLegendLeft, y, TextAnchor::left, kLegendSize));
        FigureText value = placeText(cr, number(bar), x + blankWidth / 2, y, TextAnchor::centre, kLegendSize);
        value.written = true;
        layout->texts.push_back(value);
        layout->texts.push_back(placeText(cr, after, x + blankWidth, y, TextAnchor::left, kLegendSize));
        y += kLegendLeading + kLegendParagraph;
    }
}

}  // namespace

std::vector<PvSample> pvCycle(const PvSettings& settings)
{
    std::vector<PvSample> loop;
    for (const PvState& s : ::pvCycle(settings.compressionRatio, settings.pressureRise))
        loop.push_back({s.angleDeg, s.phase, s.volume, s.pressure, 0, 0});
    return loop;
}

PvLayout pvLayout(cairo_t* cr, const PvSettings& settings, bool blank, bool written)
{
    PvLayout layout{};
    layout.loop = pvCycle(settings);
    std::vector<PvSample>& loop = layout.loop;
    const Scale scale = scaleFor(loop);
    for (PvSample& s : loop) {
        s.x = scale.x(s.volume);
        s.y = scale.y(s.pressure);
    }
    const PvSample& p1 = sampleAt(loop, PvPhase::intake, kCycleDeg);
    const PvSample& p2 = sampleAt(loop, PvPhase::compression, kCycleDeg);
    const PvSample& p3 = sampleAt(loop, PvPhase::combustion, kCycleDeg);
    const PvSample& p4 = sampleAt(loop, PvPhase::expansion, kCycleDeg);
    const PvSample& start = loop.front();
    layout.topDeadCentreX = start.x;
    layout.bottomDeadCentreX = p1.x;

    std::vector<FigureText>& texts = layout.texts;
    texts.push_back(placeText(cr, kPvTitle, kMargin, kTitleBaseline, TextAnchor::left, kTitleSize, true));
    texts.push_back(placeText(cr, kPressureAxis, kMargin, kAxisTitleBaseline, TextAnchor::left, kLabelSize, true));
    for (double bar = 0.0; bar <= scale.axisTopBar + 1e-9; bar += scale.tickBar) {
        layout.pressureTicks.push_back({bar, scale.y(bar)});
        texts.push_back(placeMiddle(cr, frenchNumber(bar, 0), kPlotLeft - kTickLength - 2, scale.y(bar),
                                    TextAnchor::right, kLabelSize));
    }
    const double markRow = kVolumeAxisY + kMarkRowGap;
    texts.push_back(placeText(cr, kTopDeadCentre, layout.topDeadCentreX, markRow, TextAnchor::centre, kLabelSize, true));
    texts.push_back(placeText(cr, kBottomDeadCentre, layout.bottomDeadCentreX, markRow, TextAnchor::centre, kLabelSize, true));
    texts.push_back(placeText(cr, kVolumeAxis, (kPlotLeft + kPlotRight) / 2, kVolumeAxisY + kVolumeTitleGap,
                              TextAnchor::centre, kLabelSize, true));
    placeLegend(cr, &layout, settings, blank, written);

    // An arrow in the middle of each change; the compression's a little nearer PMH, so that it
    // does not stand under the expansion's; on the line that intake and exhaust share, the
    // exhaust's nearer PMH and the intake's nearer PMB.
    const PvSample& midCompression =
        sampleAt(loop, PvPhase::compression, strokeStartDeg(2) + kCompressionArrow * kStrokeDeg);
    const PvSample& midExpansion = sampleAt(loop, PvPhase::expansion, (strokeStartDeg(3) + strokeStartDeg(4)) / 2);
    const PvArrow exhaust = along(p1, start, 1.0 - kSharedLineArrows[0]);
    const PvArrow intake = along(start, p1, kSharedLineArrows[1]);
    const PvArrow compression = arrowAt(loop, indexOf(loop, midCompression));
    const PvArrow expansion = arrowAt(loop, indexOf(loop, midExpansion));
    const PvArrow combustion = along(p2, p3, kCombustionArrow), release = along(p4, loop[indexOf(loop, p4) + 1], 0.5);
    layout.arrows = {intake, compression, combustion, expansion, release, exhaust};

    // What texts keep off: the loop, the axes and the arrows.
    std::vector<Box> lines;
    for (size_t i = 1; i < loop.size(); ++i) lines.push_back({loop[i - 1].x, loop[i - 1].y, loop[i].x, loop[i].y});
    lines.push_back({kPlotLeft, kVolumeAxisY, kPlotRight + kAxisOvershoot, kVolumeAxisY});
    lines.push_back({kPlotLeft, kVolumeAxisY, kPlotLeft, kPlotTop - kAxisOvershoot});
    for (const PvArrow& a : layout.arrows) {
        const double bx = a.x - kArrowLength / 2 * a.dx, by = a.y - kArrowLength / 2 * a.dy;
        const double tipX = a.x + kArrowLength / 2 * a.dx, tipY = a.y + kArrowLength / 2 * a.dy;
        for (double side : {-1.0, 1.0})
            lines.push_back({bx + side * kArrowHalfWidth * a.dy, by - side * kArrowHalfWidth * a.dx, tipX, tipY});
    }
    Placer placer(&layout, lines);

    const PvSample* points[] = {&p1, &p2, &p3, &p4};
    // Degrees: right; left and a little down, off combustion's line; above; right.
    const double pointSides[] = {0.0, 210.0, 90.0, 0.0};
    for (int i = 0; i < 4; ++i)
        placer.near(centredText(cr, std::to_string(i + 1), kNumberSize, true, 0.0, false), points[i]->x,
                    points[i]->y, pointSides[i]);

    // Each name along its change, on the side where the loop leaves room: compression inside the
    // loop, expansion over it, combustion on the left of its line, intake and exhaust under theirs.
    const std::vector<std::string> names = {kIntakeName, kCompressionName, kCombustionName, kExpansionName, kExhaustName};
    const double boxWidth = answerWidthFor(cr, names, kLabelSize, true);
    auto name = [&](const char* text) {
        return [&cr, text, blank, boxWidth](double turnDeg) {
            return centredText(cr, text, kLabelSize, true, turnDeg, blank, boxWidth);
        };
    };
    constexpr DiagramPoint up{0.0, -1.0}, down{0.0, 1.0}, left{-1.0, 0.0};
    // Compression inside the loop, or, where the loop is thin, under its curve and over the
    // intake's line.
    const std::vector<DiagramPoint> compressionPath = stretch(loop, PvPhase::compression);
    if (!placer.along(name(kCompressionName), compressionPath, up) &&
        !placer.along(name(kCompressionName), compressionPath, down, p1.y - kClearance))
        placer.callout(name(kCompressionName)(0.0), compression.x, compression.y);
    placer.alongOrMissing(name(kExpansionName), stretch(loop, PvPhase::expansion), up);
    // Up its line when that is long enough; level beside it when the compression is too low.
    const DiagramPoint from2{p2.x, p2.y}, toArrow{combustion.x, combustion.y};
    if (!placer.along(name(kCombustionName), straight(from2, toArrow), left))
        placer.near(name(kCombustionName)(0.0), (from2.x + toArrow.x) / 2, (from2.y + toArrow.y) / 2, 180.0);
    const std::vector<DiagramPoint> shared = straight({start.x, start.y}, {p1.x, p1.y});
    const std::vector<DiagramPoint> nearTdc(shared.begin(), shared.begin() + shared.size() / 2);
    const std::vector<DiagramPoint> nearBdc(shared.begin() + shared.size() / 2, shared.end());
    placer.alongOrMissing(name(kExhaustName), nearTdc, down);
    placer.alongOrMissing(name(kIntakeName), nearBdc, down);
    return layout;
}

void drawPvDiagram(cairo_t* cr, const PvSettings& settings, bool blank, bool written)
{
    PvLayout layout = pvLayout(cr, settings, blank, written);
    if (written) layout.texts = writtenIn(layout.texts);
    const std::vector<PvSample>& loop = layout.loop;
    cairo_save(cr);
    setGrey(cr, kPaperGrey);                                   // its own ground, not the page's
    cairo_rectangle(cr, 0.0, 0.0, kFigureWidth, kFigureHeight);
    cairo_fill(cr);

    cairo_set_line_width(cr, kThinLine);
    setGrey(cr, kGridGrey);
    for (const PvTick& t : layout.pressureTicks) {
        cairo_move_to(cr, kPlotLeft, t.y);
        cairo_line_to(cr, kPlotRight, t.y);
    }
    cairo_stroke(cr);

    // The work: the area between compression and expansion.
    setGrey(cr, kWorkGrey);
    for (const PvSample& s : loop)
        if (s.phase != PvPhase::intake && s.phase != PvPhase::exhaust) cairo_line_to(cr, s.x, s.y);
    cairo_close_path(cr);
    cairo_fill(cr);

    setGrey(cr, kMarkGrey);                             // PMH and PMB up to the loop
    cairo_set_dash(cr, kDash, 2, 0.0);
    for (double x : {layout.topDeadCentreX, layout.bottomDeadCentreX}) {
        double top = kVolumeAxisY;
        for (const PvSample& s : loop)
            if (std::fabs(s.x - x) < 1e-9) top = std::min(top, s.y);
        cairo_move_to(cr, x, kVolumeAxisY);
        cairo_line_to(cr, x, top);
    }
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0.0);

    setGrey(cr, kInkGrey);
    cairo_set_line_width(cr, kThinLine * 1.5);
    cairo_move_to(cr, kPlotLeft, kPlotTop - kAxisOvershoot);
    cairo_line_to(cr, kPlotLeft, kVolumeAxisY);
    cairo_line_to(cr, kPlotRight + kAxisOvershoot, kVolumeAxisY);
    for (const PvTick& t : layout.pressureTicks) {
        cairo_move_to(cr, kPlotLeft - kTickLength, t.y);
        cairo_line_to(cr, kPlotLeft, t.y);
    }
    for (double x : {layout.topDeadCentreX, layout.bottomDeadCentreX}) {
        cairo_move_to(cr, x, kVolumeAxisY);
        cairo_line_to(cr, x, kVolumeAxisY + kTickLength);
    }
    cairo_stroke(cr);
    drawArrowHead(cr, kPlotLeft, kPlotTop - kAxisOvershoot - kArrowLength / 2, 0.0, -1.0, kArrowLength, kArrowHalfWidth);
    drawArrowHead(cr, kPlotRight + kAxisOvershoot + kArrowLength / 2, kVolumeAxisY, 1.0, 0.0, kArrowLength,
                  kArrowHalfWidth);

    cairo_set_line_width(cr, kCurveWidth);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    for (const PvSample& s : loop) cairo_line_to(cr, s.x, s.y);
    cairo_stroke(cr);
    for (PvPhase phase : {PvPhase::intake, PvPhase::compression, PvPhase::combustion, PvPhase::expansion}) {
        const PvSample& point = sampleAt(loop, phase, kCycleDeg);
        cairo_arc(cr, point.x, point.y, kPointRadius, 0.0, kFullTurnRad);
        cairo_fill(cr);
    }
    for (const PvArrow& a : layout.arrows)
        drawArrowHead(cr, a.x + kArrowLength / 2 * a.dx, a.y + kArrowLength / 2 * a.dy, a.dx, a.dy, kArrowLength,
                      kArrowHalfWidth);

    cairo_set_line_width(cr, kThinLine);
    for (const Box& l : layout.leaders) {
        cairo_move_to(cr, l.left, l.top);
        cairo_line_to(cr, l.right, l.bottom);
    }
    cairo_stroke(cr);
    for (const FigureText& t : layout.texts) drawFigureText(cr, t);
    cairo_restore(cr);
}

bool writePvDiagram(OutputFile* file, DocumentFormat format, const PvSettings& settings, bool blank)
{
    return writeFigure(file, format, kPvDocumentTitle,
                       [&](cairo_t* cr) { drawPvDiagram(cr, settings, blank); });
}

}  // namespace stills
