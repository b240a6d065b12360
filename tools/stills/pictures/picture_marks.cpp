#include "tools/stills/pictures/picture_marks.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "model/crank_kinematics.h"
#include "model/crank_train.h"
#include "model/cycle.h"
#include "model/engine_block.h"
#include "model/gas_volume.h"
#include "model/valve.h"
#include "tools/stills/output/cairo_document.h"
#include "tools/stills/figures/figure_text.h"
#include "tools/stills/figures/label_placer.h"
#include "tools/stills/texts/printed_texts.h"
#include "tools/stills/figures/paper_greys.h"

namespace stills {

namespace {

constexpr double kPistonArrowRise = 2.8;    // model units above the piston's axis: over it
constexpr double kPistonArrowLength = 2.5;  // model units along the cylinder
constexpr double kDegreeStep = 1.0;         // crank degrees either side, for the piston's way
// The plug drawn from its tip in the chamber out through the head and standing out of it, as a
// real one does; « Bougie »'s leader ends near its top, above the valves' heads and their lines,
// open or shut. Model units along the plug from its tip.
constexpr double kDrawnPlugLength = 3.3;
constexpr double kPlugAnchor = 3.0;
// The crank's arrow: an arc over the nearer web's counterweight, on the side away from the
// cylinder, from one angle to another (degrees from the cylinder's axis, the model's sense).
constexpr double kTurnRadius = 1.45 * kCrankRadius;
constexpr double kTurnFromDeg = 130.0;
constexpr double kTurnToDeg = 230.0;
constexpr double kTurnStepDeg = 5.0;

// Page units (points).
constexpr double kLabelLeading = 10.0;
constexpr double kLabelGap = 3.0;           // between two labels of a column
constexpr double kColumnGap = 6.0;          // between a column and the picture
constexpr double kLeaderWidth = 0.6;
constexpr double kAnchorDot = 1.4;          // radius
constexpr double kArrowWidth = 1.8;
constexpr double kArrowHead = 6.0;          // from the tip to a corner of the base
constexpr double kArrowHeadHalfAngle = 0.45;    // radians
constexpr double kGasDash = 3.5;
constexpr double kSparkRadius = 7.0;
constexpr int kSparkPoints = 8;
constexpr double kPlugWidth = 4.0;          // page units: the plug's body
constexpr double kPlugOutline = 0.8;

// The plug's axis runs out of the chamber along the cylinder's (+x), as the head holds it.
Vec3 alongPlug(double fromTip) { const Vec3 t = sparkPlugTip(); return {t.x + fromTip, t.y, t.z}; }

enum class Column { left, right };

// Each part in the order of the printed list, its number there one past its place here, with
// the point its leader line ends on. Each is named on its side of the upright picture, so that
// no line crosses the engine to reach it: the moving parts and the intake (at the back, on the
// left) on the left; the cylinder (its front wall), the exhaust and the plug on the right. Each
// name stands in the same place on every picture.
struct PartRow {
    const char* name;
    Vec3 (*anchor)(double angleDeg);
    Column column;
};
const PartRow kParts[] = {
    {kPiston, pistonCentre, Column::left},
    {kRod, rodMiddle, Column::left},
    {kCrankshaft, crankWebMiddle, Column::left},
    {kCylinder, [](double) { return cylinderWallPoint(); }, Column::right},
    {kIntakeValve, [](double angleDeg) { return valveHeadCentre(angleDeg, ValveSide::intake); }, Column::left},
    {kExhaustValve, [](double angleDeg) { return valveHeadCentre(angleDeg, ValveSide::exhaust); }, Column::right},
    {kSparkPlug, [](double) { return alongPlug(kPlugAnchor); }, Column::right},
    {kIntakePipe, [](double) { return passageCentre(ValveSide::intake); }, Column::left},
    {kExhaustPipe, [](double) { return passageCentre(ValveSide::exhaust); }, Column::right},
};

static_assert(std::size(kParts) == kMarkedPartCount, "the printed list numbers every part");

const PartRow& partOf(int number) { return kParts[number - 1]; }

std::vector<DiagramPoint> projected(const PictureProjection& projection, const std::vector<Vec3>& points)
{
    std::vector<DiagramPoint> out;
    for (const Vec3& p : points) {
        DiagramPoint d{0, 0};
        if (projection.project(p, &d.x, &d.y)) out.push_back(d);
    }
    return out;
}

void arrow(cairo_t* cr, const std::vector<DiagramPoint>& way)
{
    if (way.size() < 2) return;
    cairo_move_to(cr, way[0].x, way[0].y);
    for (size_t i = 1; i < way.size(); ++i) cairo_line_to(cr, way[i].x, way[i].y);
    cairo_stroke(cr);
    const DiagramPoint tip = way.back(), before = way[way.size() - 2];
    const double angle = std::atan2(tip.y - before.y, tip.x - before.x);
    cairo_set_dash(cr, nullptr, 0, 0);
    drawArrowHead(cr, tip.x, tip.y, std::cos(angle), std::sin(angle), kArrowHead * std::cos(kArrowHeadHalfAngle),
                  kArrowHead * std::sin(kArrowHeadHalfAngle));
}

// A star for the spark.
void spark(cairo_t* cr, DiagramPoint at)
{
    for (int i = 0; i < 2 * kSparkPoints; ++i) {
        const double r = i % 2 == 0 ? kSparkRadius : kSparkRadius * 0.4;
        const double a = i * kPi / kSparkPoints;
        if (i == 0) cairo_move_to(cr, at.x + r * std::cos(a), at.y + r * std::sin(a));
        else cairo_line_to(cr, at.x + r * std::cos(a), at.y + r * std::sin(a));
    }
    cairo_close_path(cr);
    cairo_set_source_rgb(cr, 1.0, 0.85, 0.2);
    cairo_fill_preserve(cr);
    setGrey(cr, kInkGrey);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
}

DiagramPoint onPage(DiagramPoint p, const Box& picture, double unitsPerPixel)
{
    return {picture.left + p.x * unitsPerPixel, picture.top + p.y * unitsPerPixel};
}

}  // namespace

const char* markedPartName(int number) { return partOf(number).name; }

PictureMarks pictureMarks(const PictureProjection& projection, double angleDeg)
{
    PictureMarks marks;
    for (int n = 1; n <= kMarkedPartCount; ++n) {
        DiagramPoint at{0, 0};
        if (projection.project(partOf(n).anchor(angleDeg), &at.x, &at.y)) marks.parts.push_back({n, partOf(n).name, at});
    }

    // Down is towards the crankshaft (-x), as the slider-crank law moves the piston.
    const double before = sliderCrank(angleDeg - kDegreeStep, kCrankRadius, kRodLength).pistonX;
    const double after = sliderCrank(angleDeg + kDegreeStep, kCrankRadius, kRodLength).pistonX;
    const double way = after > before ? 1.0 : after < before ? -1.0 : 0.0;
    if (way != 0.0) {
        const Vec3 c = pistonCentre(angleDeg);
        const Vec3 from{c.x - way * kPistonArrowLength / 2, c.y, c.z + kPistonArrowRise};
        const Vec3 to{c.x + way * kPistonArrowLength / 2, c.y, c.z + kPistonArrowRise};
        marks.pistonWay = projected(projection, {from, to});
    }

    // Through an open valve: in from the intake's mouth, out through the exhaust's.
    for (ValveSide side : {ValveSide::intake, ValveSide::exhaust}) {
        if (valveLift(angleDeg, side) <= kValveClosedX) continue;
        std::vector<Vec3> path = {passageMouth(side), passageCentre(side), valveHeadCentre(angleDeg, side),
                                  chamberCentre(angleDeg)};
        if (side == ValveSide::exhaust) std::reverse(path.begin(), path.end());
        marks.gasWays.push_back(projected(projection, path));
    }

    // The crank turns as the model's angle grows: the arc in that sense round its axis.
    const double webZ = kCrankAxisZ + kWebSpacing;
    std::vector<Vec3> turn;
    for (double a = kTurnFromDeg; a <= kTurnToDeg + 1e-9; a += kTurnStepDeg)
        turn.push_back({kCrankAxisX + kTurnRadius * std::cos(a * kRadPerDeg), kTurnRadius * std::sin(a * kRadPerDeg),
                        webZ});
    marks.crankTurn = projected(projection, turn);
    projection.project({kCrankAxisX, 0.0, webZ}, &marks.crankAxis.x, &marks.crankAxis.y);

    marks.spark = sparkLit(angleDeg) && projection.project(sparkPlugTip(), &marks.sparkAt.x, &marks.sparkAt.y);
    marks.sparkPlug = projected(projection, {sparkPlugTip(), alongPlug(kDrawnPlugLength)});
    return marks;
}

std::vector<LeaderLabel> layoutLeaderLabels(cairo_t* cr, const PictureMarks& marks, const Box& picture,
                                            double unitsPerPixel, double columnWidth, bool numbered)
{
    useFont(cr, kLeaderLabelSize, numbered);
    std::vector<LeaderLabel> labels;
    std::vector<LeaderLine> drawn;          // the left column's lines, for the right's to clear
    for (const Column column : {Column::left, Column::right}) {
        const bool left = column == Column::left;
        const double edge = left ? picture.left - kColumnGap / 2 : picture.right + kColumnGap / 2;
        std::vector<LeaderLabel> placed;
        std::vector<ColumnLabel> stack;
        for (const MarkedPart& part : marks.parts) {
            if (partOf(part.number).column != column) continue;
            LeaderLabel label;
            label.lines = numbered ? std::vector<std::string>{std::to_string(part.number)}
                                   : wrapText(cr, part.name, columnWidth);
            label.to = onPage(part.at, picture, unitsPerPixel);
            label.rightAligned = left;
            label.x = left ? picture.left - kColumnGap : picture.right + kColumnGap;
            placed.push_back(label);
            stack.push_back({label.lines.size() * kLabelLeading, label.to});
        }
        const std::vector<double> tops = stackLeaderColumn(stack, edge, picture.top, picture.bottom, kLabelGap, drawn);
        for (size_t i = 0; i < placed.size(); ++i) {
            placed[i].firstBaseline = tops[i] + kLabelLeading - 2;
            placed[i].from = {edge, tops[i] + stack[i].height / 2};
            drawn.push_back({placed[i].from, placed[i].to});
            labels.push_back(placed[i]);
        }
    }
    return labels;
}

void drawMarkedPicture(cairo_t* cr, const RgbImage& image, const PictureMarks& marks, const Box& picture,
                       double columnWidth, bool numbered)
{
    const double unitsPerPixel = (picture.right - picture.left) / image.width;
    cairo_save(cr);
    cairo_surface_t* surface = cairoSurfaceOf(image);
    cairo_save(cr);
    cairo_translate(cr, picture.left, picture.top);
    cairo_scale(cr, unitsPerPixel, unitsPerPixel);
    cairo_set_source_surface(cr, surface, 0, 0);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_destroy(surface);

    auto page = [&](const std::vector<DiagramPoint>& way) {
        std::vector<DiagramPoint> out;
        for (const DiagramPoint& p : way) out.push_back(onPage(p, picture, unitsPerPixel));
        return out;
    };
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    setGrey(cr, kInkGrey);
    cairo_set_line_width(cr, kArrowWidth);
    arrow(cr, page(marks.pistonWay));
    arrow(cr, page(marks.crankTurn));
    const double dash[] = {kGasDash, kGasDash};
    for (const std::vector<DiagramPoint>& way : marks.gasWays) {
        cairo_set_source_rgb(cr, 0.1, 0.25, 0.6);
        cairo_set_dash(cr, dash, 2, 0);
        arrow(cr, page(way));
    }
    cairo_set_dash(cr, nullptr, 0, 0);
    if (marks.sparkPlug.size() == 2) {
        // A dark outline round a light body: seen on the light print, in grey too.
        const std::vector<DiagramPoint> plug = page(marks.sparkPlug);
        for (const auto& [width, grey] : {std::pair<double, double>{kPlugWidth + 2 * kPlugOutline, kInkGrey},
                                          {kPlugWidth, kPlugBodyGrey}}) {
            setGrey(cr, grey);
            cairo_set_line_width(cr, width);
            cairo_move_to(cr, plug[0].x, plug[0].y);
            cairo_line_to(cr, plug[1].x, plug[1].y);
            cairo_stroke(cr);
        }
        setGrey(cr, kInkGrey);
    }
    if (marks.spark) spark(cr, onPage(marks.sparkAt, picture, unitsPerPixel));

    setGrey(cr, kInkGrey);
    for (const LeaderLabel& label : layoutLeaderLabels(cr, marks, picture, unitsPerPixel, columnWidth, numbered)) {
        cairo_set_line_width(cr, kLeaderWidth);
        cairo_move_to(cr, label.from.x, label.from.y);
        cairo_line_to(cr, label.to.x, label.to.y);
        cairo_stroke(cr);
        cairo_arc(cr, label.to.x, label.to.y, kAnchorDot, 0, 2 * kPi);
        cairo_fill(cr);
        double baseline = label.firstBaseline;
        for (const std::string& line : label.lines) {
            cairo_move_to(cr, label.rightAligned ? label.x - textWidth(cr, line) : label.x, baseline);
            cairo_show_text(cr, line.c_str());
            baseline += kLabelLeading;
        }
    }
    cairo_restore(cr);
}

}  // namespace stills
