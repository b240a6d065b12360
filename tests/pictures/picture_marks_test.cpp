// The marks over the worksheet's upright print pictures, read against what is drawn under them:
// each part found by its colour in the pass that draws it alone, on black. Every leader line ends
// on its own part and none crosses another, the piston's and the crank's arrows turn the way the
// drawn parts move, the gas flows in through the intake and out through the exhaust, and the
// spark stands on the power stroke alone.

#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "app/scene_state.h"
#include "model/cycle.h"
#include "tools/stills/pictures/offscreen_still.h"
#include "tools/stills/pictures/picture_marks.h"
#include "tools/stills/pictures/print_style.h"
#include "tools/stills/pictures/upright.h"
#include "tools/stills/texts/printed_texts.h"

using namespace stills;

namespace {

constexpr int kWide = 800, kHigh = 600;     // the worksheet's pictures, before they stand upright
constexpr double kUnitsPerPixel = 0.25;     // about the page's points per picture pixel
constexpr double kColumn = 98.0;            // the worksheet's label columns
constexpr double kDotClearance = 3.0;       // page units between a leader line and another's end dot

// A picture stood upright, with the passes it was composed from, stood up with it.
struct Upright {
    RgbImage picture, valves, crank, block;
    PictureMarks marks;
};

RgbImage colours(const PassImage& pass) { return {pass.width, pass.height, pass.rgb}; }

Upright drawnAt(double angleDeg)
{
    SceneSettings paper;
    usePaperCamera(&paper);
    scene.settings() = paper;
    scene.crankAngle = angleDeg;
    RgbImage picture;
    PictureProjection projection;
    PrintPasses passes;
    EXPECT_TRUE(renderPrintFrame(kWide, kHigh, &picture, &projection, &passes));
    return {uprightImage(picture), uprightImage(colours(passes.valves)), uprightImage(colours(passes.crank)),
            uprightImage(colours(passes.block)), uprightMarks(pictureMarks(projection, angleDeg), kWide)};
}

struct Rgb {
    int r, g, b;
};

Rgb at(const RgbImage& image, int x, int y)
{
    const unsigned char* p = &image.rgb[(static_cast<size_t>(y) * image.width + x) * 3];
    return {p[0], p[1], p[2]};
}

// The parts' colours in their passes, lit on black (the faces turned from the light dark but
// not black): the piston red, the rod grey, the webs and the valves yellow; anything at all in
// the others.
bool drawn(Rgb c) { return c.r + c.g + c.b > 30; }
bool red(Rgb c) { return c.r > 25 && c.r > 2 * c.g && c.r > 2 * c.b; }
bool grey(Rgb c) { return c.r > 25 && std::abs(c.r - c.g) < 20 && std::abs(c.g - c.b) < 20; }
bool yellow(Rgb c) { return c.r > 25 && std::abs(c.r - c.g) < 25 && c.b < 0.6 * c.r; }

// Whether a pixel within reach of p has the colour.
template <typename Is>
bool near(const RgbImage& image, DiagramPoint p, Is is, int reach = 2)
{
    for (int y = static_cast<int>(p.y) - reach; y <= static_cast<int>(p.y) + reach; ++y)
        for (int x = static_cast<int>(p.x) - reach; x <= static_cast<int>(p.x) + reach; ++x)
            if (x >= 0 && y >= 0 && x < image.width && y < image.height && is(at(image, x, y))) return true;
    return false;
}

const MarkedPart* part(const PictureMarks& marks, const char* name)
{
    for (const MarkedPart& p : marks.parts)
        if (std::string(p.name) == name) return &p;
    return nullptr;
}

// Where the pixels of a colour are, on average (only those within, when given); (-1, -1) when none.
template <typename Is, typename Within = bool (*)(int, int)>
DiagramPoint middleOf(const RgbImage& image, Is is, Within within = [](int, int) { return true; })
{
    double sx = 0, sy = 0, n = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (is(at(image, x, y)) && within(x, y)) sx += x, sy += y, ++n;
    return n == 0 ? DiagramPoint{-1, -1} : DiagramPoint{sx / n, sy / n};
}

// The turn from a to b seen from c: positive clockwise on the page (y down).
double turn(DiagramPoint c, DiagramPoint a, DiagramPoint b)
{
    return (a.x - c.x) * (b.y - c.y) - (a.y - c.y) * (b.x - c.x);
}

constexpr double kLaterDeg = 20.0;          // crank degrees

double distance(DiagramPoint a, DiagramPoint b) { return std::hypot(a.x - b.x, a.y - b.y); }

// From p to the nearest point of segment ab.
double distanceToSegment(DiagramPoint p, DiagramPoint a, DiagramPoint b)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    return distance(p, {a.x + t * dx, a.y + t * dy});
}

// Whether segments ab and cd cross strictly inside both.
bool segmentsCross(DiagramPoint a, DiagramPoint b, DiagramPoint c, DiagramPoint d)
{
    const double den = (b.x - a.x) * (d.y - c.y) - (b.y - a.y) * (d.x - c.x);
    if (den == 0.0) return false;
    const double t = ((c.x - a.x) * (d.y - c.y) - (c.y - a.y) * (d.x - c.x)) / den;
    const double u = ((c.x - a.x) * (b.y - a.y) - (c.y - a.y) * (b.x - a.x)) / den;
    return t > 1e-9 && t < 1 - 1e-9 && u > 1e-9 && u < 1 - 1e-9;
}

class PictureMarksTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ViewSettings view;
        view.width = kWide;
        view.height = kHigh;
        view.style = PictureStyle::print;
        ASSERT_TRUE(openFrameWindow(view, "tarvex-stills"));
        for (int stroke = 1; stroke <= kStrokeCount; ++stroke) pictures[stroke - 1] = drawnAt(tellingAngleDeg(stroke));
    }
    static void TearDownTestSuite() { closeFrameWindow(); }
    static Upright pictures[kStrokeCount];

    // The labels as the worksheet lays them out beside the picture of a stroke: the names, or the
    // exercise's numbers.
    static std::vector<LeaderLabel> labelsOf(int stroke, Box* box, bool numbered)
    {
        const Upright& u = pictures[stroke - 1];
        *box = {kColumn + 10, 10, kColumn + 10 + u.picture.width * kUnitsPerPixel, 10 + u.picture.height * kUnitsPerPixel};
        cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 10, 10);
        cairo_t* cr = cairo_create(surface);
        std::vector<LeaderLabel> labels = layoutLeaderLabels(cr, u.marks, *box, kUnitsPerPixel, kColumn, numbered);
        cairo_destroy(cr);
        cairo_surface_destroy(surface);
        return labels;
    }
};

Upright PictureMarksTest::pictures[kStrokeCount];

TEST_F(PictureMarksTest, EveryLeaderLineEndsOnThePixelsOfItsOwnPart)
{
    for (int stroke = 1; stroke <= kStrokeCount; ++stroke) {
        const Upright& u = pictures[stroke - 1];
        SCOPED_TRACE("stroke " + std::to_string(stroke));
        ASSERT_EQ(u.marks.parts.size(), static_cast<size_t>(kMarkedPartCount));
        auto end = [&](const char* name) { return part(u.marks, name)->at; };
        EXPECT_TRUE(near(u.crank, end(kPiston), red));
        EXPECT_TRUE(near(u.crank, end(kRod), grey));
        EXPECT_TRUE(near(u.crank, end(kCrankshaft), yellow));
        EXPECT_TRUE(near(u.block, end(kCylinder), drawn));
        EXPECT_FALSE(near(u.crank, end(kCylinder), drawn, 0)) << "« Cylindre » ends on a moving part";
        for (const char* valve : {kIntakeValve, kExhaustValve}) EXPECT_TRUE(near(u.valves, end(valve), yellow)) << valve;
        for (const char* pipe : {kIntakePipe, kExhaustPipe}) EXPECT_TRUE(near(u.block, end(pipe), drawn)) << pipe;
        // The plug is drawn over the picture, from its tip in the chamber, between the valves'
        // heads, out through the head; « Bougie » ends on it.
        ASSERT_EQ(u.marks.sparkPlug.size(), 2u);
        const DiagramPoint tip = u.marks.sparkPlug[0], out = u.marks.sparkPlug[1], plug = end(kSparkPlug);
        EXPECT_LT(out.y, tip.y - 10) << "the plug runs up out of the head";
        EXPECT_NEAR(distance(tip, plug) + distance(plug, out), distance(tip, out), 0.5) << "« Bougie » ends off the plug";
        const double left = std::min(end(kIntakeValve).x, end(kExhaustValve).x);
        const double right = std::max(end(kIntakeValve).x, end(kExhaustValve).x);
        EXPECT_GT(tip.x, left);
        EXPECT_LT(tip.x, right);
        // Each pipe on its own valve's side.
        EXPECT_LT(std::fabs(end(kIntakePipe).x - end(kIntakeValve).x), std::fabs(end(kIntakePipe).x - end(kExhaustValve).x));
        EXPECT_LT(std::fabs(end(kExhaustPipe).x - end(kExhaustValve).x), std::fabs(end(kExhaustPipe).x - end(kIntakeValve).x));
    }
    // The valve named for the intake is the one off its seat at the intake, the exhaust's at the
    // exhaust; both are on their seats in compression.
    auto depth = [](int stroke, const char* name) { return part(pictures[stroke - 1].marks, name)->at.y; };
    EXPECT_GT(std::fabs(depth(1, kIntakeValve) - depth(2, kIntakeValve)), 5);
    EXPECT_NEAR(depth(1, kExhaustValve), depth(2, kExhaustValve), 1);
    EXPECT_GT(std::fabs(depth(4, kExhaustValve) - depth(2, kExhaustValve)), 5);
    EXPECT_NEAR(depth(4, kIntakeValve), depth(2, kIntakeValve), 1);
}

TEST_F(PictureMarksTest, NoLeaderLineCrossesAnotherNorRunsAlongAnotherPart)
{
    for (int check = 0; check < 2 * kStrokeCount; ++check) {
        const int stroke = check / 2 + 1;
        const bool numbered = check % 2 == 1;
        SCOPED_TRACE("stroke " + std::to_string(stroke) + (numbered ? ", numbered" : ""));
        const Upright& u = pictures[stroke - 1];
        Box box;
        const std::vector<LeaderLabel> labels = labelsOf(stroke, &box, numbered);
        ASSERT_EQ(labels.size(), static_cast<size_t>(kMarkedPartCount));
        for (size_t i = 0; i < labels.size(); ++i)
            for (size_t j = i + 1; j < labels.size(); ++j)
                EXPECT_FALSE(segmentsCross(labels[i].from, labels[i].to, labels[j].from, labels[j].to))
                    << labels[i].lines[0] << " and " << labels[j].lines[0];
        // Nor passes so near another's end that its dot could be taken for its own.
        for (const LeaderLabel& line : labels)
            for (const LeaderLabel& other : labels) {
                if (&line == &other) continue;
                EXPECT_GT(distanceToSegment(other.to, line.from, line.to), kDotClearance)
                    << line.lines[0] << " passes by the end of " << other.lines[0];
            }
        // Along a line, pixel by pixel in the picture, the longest stretch over a moving part or
        // a valve that is not its own: crossing a stem takes a few pixels, running along one many.
        for (size_t i = 0; i < labels.size(); ++i) {
            const std::string name = numbered ? markedPartName(std::stoi(labels[i].lines[0])) : labels[i].lines[0];
            auto other = [&](int x, int y) {
                const Rgb valve = at(u.valves, x, y), crank = at(u.crank, x, y);
                if (name.rfind("Soupape", 0) != 0 && yellow(valve)) return true;
                if (!drawn(crank)) return false;
                return !((name == kPiston && red(crank)) || (name == kRod && grey(crank)) ||
                         (name == kCrankshaft && yellow(crank)));
            };
            const DiagramPoint a{(labels[i].from.x - box.left) / kUnitsPerPixel, (labels[i].from.y - box.top) / kUnitsPerPixel};
            const DiagramPoint b{(labels[i].to.x - box.left) / kUnitsPerPixel, (labels[i].to.y - box.top) / kUnitsPerPixel};
            const int steps = static_cast<int>(distance(a, b));
            int run = 0, longest = 0;
            for (int k = 0; k < steps; ++k) {
                const DiagramPoint p{a.x + (b.x - a.x) * k / steps, a.y + (b.y - a.y) * k / steps};
                const bool inside = p.x >= 0 && p.y >= 0 && p.x < u.valves.width && p.y < u.valves.height;
                run = inside && other(static_cast<int>(p.x), static_cast<int>(p.y)) ? run + 1 : 0;
                longest = std::max(longest, run);
            }
            EXPECT_LT(longest, 15) << name << "'s line runs along another part";
        }
    }
}

TEST_F(PictureMarksTest, ThePistonsArrowPointsTheWayTheDrawnPistonMoves)
{
    for (int stroke = 1; stroke <= kStrokeCount; ++stroke) {
        SCOPED_TRACE("stroke " + std::to_string(stroke));
        const std::vector<DiagramPoint>& way = pictures[stroke - 1].marks.pistonWay;
        ASSERT_GE(way.size(), 2u);
        const double dy = way.back().y - way.front().y, dx = way.back().x - way.front().x;
        EXPECT_GT(std::fabs(dy), 3 * std::fabs(dx)) << "the arrow runs up or down the cylinder";
        // Down the page in the strokes the piston goes from PMH to PMB: the intake and the power.
        EXPECT_EQ(dy > 0, stroke == 1 || stroke == 3);
        // And the way the red piston itself moves between two pictures either side.
        const double angle = tellingAngleDeg(stroke);
        const double before = middleOf(drawnAt(angle - 5).crank, red).y, after = middleOf(drawnAt(angle + 5).crank, red).y;
        EXPECT_EQ(dy > 0, after > before) << before << " to " << after;
    }
}

TEST_F(PictureMarksTest, TheCrankArrowTurnsTheWayTheDrawnWebsTurn)
{
    for (int stroke = 1; stroke <= kStrokeCount; ++stroke) {
        SCOPED_TRACE("stroke " + std::to_string(stroke));
        const PictureMarks& marks = pictures[stroke - 1].marks;
        ASSERT_GE(marks.crankTurn.size(), 3u);
        double arrowTurn = 0.0;
        for (size_t i = 1; i < marks.crankTurn.size(); ++i)
            arrowTurn += turn(marks.crankAxis, marks.crankTurn[i - 1], marks.crankTurn[i]);
        // Each arc point the same way round the axis, the arrow a curve and not a spot.
        for (size_t i = 1; i < marks.crankTurn.size(); ++i)
            EXPECT_GT(turn(marks.crankAxis, marks.crankTurn[i - 1], marks.crankTurn[i]) * arrowTurn, 0.0);
        EXPECT_GT(distance(marks.crankTurn.front(), marks.crankTurn.back()), 30.0);
        // The webs' counterweights drawn a little later have turned the same way round the axis:
        // the yellow of the webs beyond the crank pin's reach, opposite the pin, and short of the
        // piston's rings, which catch the light yellow.
        const double angle = tellingAngleDeg(stroke);
        const double arc = distance(marks.crankAxis, marks.crankTurn.front());
        auto counterweight = [&](double a) {
            return middleOf(drawnAt(a).crank, yellow, [&](int x, int y) {
                const double r = distance({double(x), double(y)}, marks.crankAxis);
                return r > 0.8 * arc && r < 1.6 * arc;
            });
        };
        const DiagramPoint now = counterweight(angle), later = counterweight(angle + kLaterDeg);
        EXPECT_GT(turn(marks.crankAxis, now, later) * arrowTurn, 0.0)
            << now.x << "," << now.y << " then " << later.x << "," << later.y;
    }
}

TEST_F(PictureMarksTest, TheGasFlowsInThroughTheIntakeAndOutThroughTheExhaust)
{
    auto end = [](int stroke, const char* name) { return part(pictures[stroke - 1].marks, name)->at; };
    ASSERT_EQ(pictures[0].marks.gasWays.size(), 1u);
    const std::vector<DiagramPoint>& in = pictures[0].marks.gasWays[0];
    EXPECT_LT(distance(in.front(), end(1, kIntakePipe)), distance(in.back(), end(1, kIntakePipe)));
    EXPECT_GT(in.back().y, end(1, kIntakeValve).y) << "the charge ends in the cylinder, under the valve";
    EXPECT_TRUE(pictures[1].marks.gasWays.empty());
    EXPECT_TRUE(pictures[2].marks.gasWays.empty());
    ASSERT_EQ(pictures[3].marks.gasWays.size(), 1u);
    const std::vector<DiagramPoint>& out = pictures[3].marks.gasWays[0];
    EXPECT_LT(distance(out.back(), end(4, kExhaustPipe)), distance(out.front(), end(4, kExhaustPipe)));
    EXPECT_GT(out.front().y, end(4, kExhaustValve).y) << "the burnt gas comes from the cylinder";
}

TEST_F(PictureMarksTest, TheSparkStandsOnThePowerStrokeAloneAtThePlugsTip)
{
    for (int stroke = 1; stroke <= kStrokeCount; ++stroke) {
        const PictureMarks& marks = pictures[stroke - 1].marks;
        EXPECT_EQ(marks.spark, stroke == 3) << "stroke " << stroke;
        if (marks.spark) {
            EXPECT_LT(distance(marks.sparkAt, marks.sparkPlug[0]), 1.0);
        }
    }
}

}  // namespace
