// The textbook figures drawn from the model: the valve-timing circle's arcs where the cycle's own
// functions change, the p-V loop on the cylinder's own volumes, and words that fit and read right.

#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "model/cycle.h"
#include "model/cylinder.h"
#include "tools/stills/figures/figure_file.h"
#include "tools/stills/figures/pv_diagram.h"
#include "tools/stills/figures/valve_circle.h"

using namespace stills;

namespace {

const double kPiHere = std::acos(-1.0);
// The engine as drawn: a bore of radius 2, the head's face at x = 7.6, the crown 3.2 ahead of the
// piston pin, the pin at 3.25 at top dead centre and at 0.25 at bottom dead centre.
const double kBoreArea = kPiHere * 2.0 * 2.0;
const double kTdcVolume = kBoreArea * (7.6 - 3.2 - 3.25);
const double kBdcVolume = kBoreArea * (7.6 - 3.2 - 0.25);

// Texts are measured with cairo; its font caches and fontconfig's are released after, which a
// leak checker would report else.
class Figures : public ::testing::Test {
protected:
    ~Figures() override
    {
        cairo_destroy(cr);
        cairo_surface_destroy(surface);
        cairo_debug_reset_static_data();
        FcFini();
    }
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1);
    cairo_t* cr = cairo_create(surface);
};

bool inside(const CircleArc& arc, double angleDeg)
{
    return arc.points.front().angleDeg < angleDeg && angleDeg < arc.points.back().angleDeg;
}

RealTiming textbookTiming()
{
    RealTiming t;
    t.given = true;
    t.intakeOpensBeforeTdc = 10;
    t.intakeClosesAfterBdc = 40;
    t.exhaustOpensBeforeBdc = 45;
    t.exhaustClosesAfterTdc = 10;
    t.sparkBeforeTdc = 15;
    return t;
}

double distanceToSegment(DiagramPoint p, const PvSample& a, const PvSample& b)
{
    const double dx = b.x - a.x, dy = b.y - a.y, length2 = dx * dx + dy * dy;
    const double t = length2 > 0 ? std::fmax(0.0, std::fmin(1.0, ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2)) : 0.0;
    return std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy);
}

}  // namespace

TEST(CylinderVolume, ItsEndsAreTheDrawnEnginesDeadCentres)
{
    EXPECT_NEAR(topDeadCentreVolume(), kTdcVolume, 1e-9);
    EXPECT_NEAR(bottomDeadCentreVolume(), kBdcVolume, 1e-9);
    EXPECT_NEAR(compressionRatio(), 4.15 / 1.15, 1e-9);
    for (double a = 0.0; a <= kCycleDeg; a += 0.5) {
        EXPECT_GE(cylinderVolume(a), kTdcVolume - 1e-9) << a;
        EXPECT_LE(cylinderVolume(a), kBdcVolume + 1e-9) << a;
    }
}

TEST_F(Figures, TheCirclesArcsStartAndEndWhereTheModelsFunctionsChange)
{
    const CircleLayout c = circleLayout(cr, RealTiming{}, false);
    for (double a = 0.0; a <= kCycleDeg; a += 0.5) {
        // Without real timing the intake is open through its stroke, 0 to 180, and the exhaust
        // through its own, 540 to 720.
        EXPECT_EQ(inside(c.strokes[0], a), 0.0 < a && a < 180.0) << a;
        EXPECT_EQ(inside(c.strokes[3], a), 540.0 < a && a < 720.0) << a;
        // Off the strokes' own boundaries, each band is its stroke.
        if (std::fmod(a, kStrokeDeg) != 0.0) {
            for (int s = 1; s <= kStrokeCount; ++s) EXPECT_EQ(inside(c.strokes[s - 1], a), strokeOf(a) == s) << a;
        }
    }
    EXPECT_TRUE(c.overlap.empty());
    // The theoretical spark is an instant at PMH, 360 degrees: on the second turn, at the top,
    // not the animation's 20-degree flash.
    EXPECT_DOUBLE_EQ(c.spark.points.front().angleDeg, 360.0);
    EXPECT_DOUBLE_EQ(c.spark.points.back().angleDeg, 360.0);
    EXPECT_NEAR(c.spark.points.front().x, c.centreX, 1e-9);
    EXPECT_LT(c.spark.points.front().y, c.centreY);
    EXPECT_NEAR(std::hypot(c.spark.points.front().x - c.centreX, c.spark.points.front().y - c.centreY),
                std::hypot(c.strokes[2].points.front().x - c.centreX, c.strokes[2].points.front().y - c.centreY), 1e-9);
    // Drawn where they say: PMH at the top, clockwise, each turn inside the one before.
    double lastRadius = 1e9;
    for (const CircleArc& arc : c.strokes)
        for (const SpiralPoint& p : arc.points) {
            const double polar = std::atan2(p.x - c.centreX, c.centreY - p.y) * 180.0 / kPiHere;
            EXPECT_NEAR(std::remainder(polar - p.angleDeg, 360.0), 0.0, 1e-9) << p.angleDeg;
            const double radius = std::hypot(p.x - c.centreX, p.y - c.centreY);
            EXPECT_LE(radius, lastRadius + 1e-9) << p.angleDeg;
            lastRadius = radius;
        }
}

TEST_F(Figures, TheRealCyclesAnglesMoveTheArcsAndShadeTheOverlap)
{
    const CircleLayout c = circleLayout(cr, textbookTiming(), false);
    const double ends[kStrokeCount][2] = {{-10, 220}, {220, 345}, {345, 495}, {495, 730}};
    for (int s = 0; s < kStrokeCount; ++s) {
        EXPECT_DOUBLE_EQ(c.strokes[s].points.front().angleDeg, ends[s][0]) << "stroke " << s + 1;
        EXPECT_DOUBLE_EQ(c.strokes[s].points.back().angleDeg, ends[s][1]) << "stroke " << s + 1;
    }
    EXPECT_DOUBLE_EQ(c.spark.points.front().angleDeg, 345.0);
    EXPECT_DOUBLE_EQ(c.spark.points.back().angleDeg, 345.0);
    ASSERT_EQ(c.overlap.size(), 2u);
    EXPECT_DOUBLE_EQ(c.overlap[0].points.front().angleDeg, -10.0);
    EXPECT_DOUBLE_EQ(c.overlap[0].points.back().angleDeg, 10.0);
    EXPECT_DOUBLE_EQ(c.overlap[1].points.front().angleDeg, 710.0);
    EXPECT_DOUBLE_EQ(c.overlap[1].points.back().angleDeg, 730.0);
    // The animation keeps the model's own cycle.
    EXPECT_EQ(valveLift(715.0, ValveSide::intake), kValveClosedX);
    EXPECT_EQ(valveLift(5.0, ValveSide::exhaust), kValveClosedX);
}

TEST_F(Figures, ThePvLoopRunsOnTheCylindersVolumesAndItsChangesFollowTheirLaws)
{
    for (double ratio : {0.0, 9.5}) {
        PvSettings settings;
        settings.compressionRatio = ratio;
        const PvLayout l = pvLayout(cr, settings, false);
        // The engine's volumes, or its stroke over the clearance that gives the chosen ratio.
        const double swept = kBdcVolume - kTdcVolume;
        const double tdc = ratio > 0 ? swept / (ratio - 1) : kTdcVolume, bdc = tdc + swept;
        // Read as a pupil reads the figure: the volume from the PMH and PMB marks, the pressure
        // from the axis's first and last ticks.
        auto volumeAt = [&](double x) {
            return tdc + (x - l.topDeadCentreX) / (l.bottomDeadCentreX - l.topDeadCentreX) * swept;
        };
        const PvTick& low = l.pressureTicks.front();
        const PvTick& high = l.pressureTicks.back();
        auto pressureAt = [&](double y) { return low.bar + (y - low.y) / (high.y - low.y) * (high.bar - low.bar); };

        double smallest = 1e9, largest = 0.0, p2 = 0.0, p3 = 0.0;
        for (const PvSample& s : l.loop) {
            smallest = std::fmin(smallest, s.volume);
            largest = std::fmax(largest, s.volume);
            EXPECT_NEAR(volumeAt(s.x), s.volume, 1e-6 * bdc) << "drawn off scale at " << s.angleDeg;
            const double p = pressureAt(s.y), v = volumeAt(s.x);
            if (s.phase == PvPhase::intake || s.phase == PvPhase::exhaust || s.phase == PvPhase::release) {
                EXPECT_NEAR(p, 1.0, 0.01) << s.angleDeg;
            }
            if (s.phase == PvPhase::compression) {
                EXPECT_NEAR(p * std::pow(v, 1.4) / std::pow(bdc, 1.4), 1.0, 0.01) << "p V^1.4 at " << s.angleDeg;
                p2 = p;
            }
            if (s.phase == PvPhase::combustion) p3 = p;
            if (s.phase == PvPhase::expansion) {
                EXPECT_NEAR(p * std::pow(v, 1.4) / (p3 * std::pow(tdc, 1.4)), 1.0, 0.01) << s.angleDeg;
            }
        }
        EXPECT_NEAR(smallest, tdc, 1e-9 * bdc) << ratio;
        EXPECT_NEAR(largest, bdc, 1e-9 * bdc) << ratio;
        EXPECT_NEAR(p3 / p2, 3.0, 0.03) << ratio;   // the combustion's default rise, p3 = 3 p2
    }
}

TEST_F(Figures, EveryWordFitsReadsInFrenchAndLeavesTheLinesClear)
{
    std::vector<std::pair<std::string, std::vector<FigureText>>> figures;
    std::vector<PvLayout> loops;
    for (bool blank : {false, true}) {
        figures.push_back({"theoretical circle", circleLayout(cr, RealTiming{}, blank).texts});
        figures.push_back({"real circle", circleLayout(cr, textbookTiming(), blank).texts});
        for (double ratio : {0.0, 9.5}) {
            PvSettings settings;
            settings.compressionRatio = ratio;
            loops.push_back(pvLayout(cr, settings, blank));
            figures.push_back({"p-V " + std::to_string(ratio), loops.back().texts});
        }
    }
    const size_t answers[] = {0, 0, 0, 0, 5, 10, 5, 5};     // boxes: names, angles, the overlap
    for (size_t f = 0; f < figures.size(); ++f) {
        const auto& [name, texts] = figures[f];
        size_t boxes = 0;
        for (size_t i = 0; i < texts.size(); ++i) {
            const FigureText& t = texts[i];
            boxes += t.answer;
            EXPECT_TRUE(t.ink.left >= 0 && t.ink.top >= 0 && t.ink.right <= kFigureWidth && t.ink.bottom <= kFigureHeight)
                << name << ": '" << t.text << "' leaves the figure at " << t.ink.left << ", " << t.ink.top << " to "
                << t.ink.right << ", " << t.ink.bottom;
            for (size_t j = i + 1; j < texts.size(); ++j)
                EXPECT_TRUE(apart(t, texts[j], 0.0)) << name << ": '" << t.text << "' on '" << texts[j].text << "'";
            // French puts a no-break space before a colon.
            for (size_t k = t.text.find(':'); k != std::string::npos; k = t.text.find(':', k + 1))
                EXPECT_TRUE(k >= 2 && t.text.compare(k - 2, 2, "\u00A0") == 0) << name << ": '" << t.text << "'";
        }
        EXPECT_EQ(boxes, answers[f]) << name;
    }
    for (const PvLayout& l : loops)
        for (const FigureText& t : l.texts)
            for (const DiagramPoint& p : outlinePoints(t, 1.0))
                for (size_t i = 1; i < l.loop.size(); ++i)
                    ASSERT_GT(distanceToSegment(p, l.loop[i - 1], l.loop[i]), 1.0) << "'" << t.text << "' on the loop";
}

TEST(PvLegend, ARealisticRatioByDefaultAndEveryValueFromTheRoundedOnesPrinted)
{
    // The sheet's default: a petrol engine's ε = 9,5, so p₂ = 9,5^1,4 = 23,4 bar, not the
    // animated engine's 6 bar.
    const PvLegendValues v = pvLegendValues(PvSettings{});
    EXPECT_DOUBLE_EQ(v.ratio, 9.5);
    EXPECT_FALSE(v.engineOwn);
    EXPECT_DOUBLE_EQ(v.p2, 23.4);
    EXPECT_DOUBLE_EQ(v.p3, 70.2);
    EXPECT_DOUBLE_EQ(v.p4, 3.0);
    // The engine's own ratio, 3.609, printed 3,6: p₂ 6,0 and p₃ 3 × 6,0 = 18,0 (18,1 from the
    // unrounded ratio would not be the pupil's result).
    PvSettings engine;
    engine.compressionRatio = 0.0;
    const PvLegendValues e = pvLegendValues(engine);
    EXPECT_TRUE(e.engineOwn);
    EXPECT_DOUBLE_EQ(e.ratio, 3.6);
    EXPECT_DOUBLE_EQ(e.p2, 6.0);
    EXPECT_DOUBLE_EQ(e.p3, 18.0);
    // Any ratio and rise: each value is the one a calculator gives from those printed before it.
    for (double ratio : {3.0, 8.0, 9.5, 10.37, 12.0, 14.0})
        for (double rise : {2.5, 3.0, 3.46, 5.0}) {
            PvSettings s;
            s.compressionRatio = ratio;
            s.pressureRise = rise;
            const PvLegendValues l = pvLegendValues(s);
            auto tenth = [](double x) { return std::round(x * 10.0) / 10.0; };
            EXPECT_DOUBLE_EQ(l.p2, tenth(l.p1 * std::pow(l.ratio, l.gamma))) << ratio;
            EXPECT_DOUBLE_EQ(l.p3, tenth(l.rise * l.p2)) << ratio << " " << rise;
            EXPECT_DOUBLE_EQ(l.p4, tenth(l.p3 / std::pow(l.ratio, l.gamma))) << ratio << " " << rise;
        }
}

TEST_F(Figures, TheCircleIsGraduatedEveryTenDegreesBetweenItsTwoTurns)
{
    const CircleLayout c = circleLayout(cr, RealTiming{}, true);
    ASSERT_EQ(c.graduations.size(), 34u);   // 10 to 350 degrees, but for PMB's line
    std::vector<double> angles;
    for (const Box& tick : c.graduations) {
        const double polar = std::atan2(tick.left - c.centreX, c.centreY - tick.top) * 180.0 / kPiHere;
        const double a = polar < 0 ? polar + 360.0 : polar;
        EXPECT_NEAR(std::remainder(a, 10.0), 0.0, 1e-6) << a;
        // Each tick on its own ray, pointing at the centre, in the gap between the turns.
        const double outer = std::hypot(tick.left - c.centreX, tick.top - c.centreY);
        const double inner = std::hypot(tick.right - c.centreX, tick.bottom - c.centreY);
        const double polarEnd = std::atan2(tick.right - c.centreX, c.centreY - tick.bottom) * 180.0 / kPiHere;
        EXPECT_NEAR(std::remainder(polarEnd - polar, 360.0), 0.0, 1e-6) << a;
        const auto radiusAt = [&](double deg) {
            const auto& p = deg < 180.0 ? c.strokes[0].points : c.strokes[1].points;
            for (const SpiralPoint& s : p)
                if (std::fabs(s.angleDeg - deg) < 1e-9) return std::hypot(s.x - c.centreX, s.y - c.centreY);
            return -1.0;
        };
        const double firstTurn = radiusAt(a);
        ASSERT_GT(firstTurn, 0.0) << a;
        EXPECT_LT(outer, firstTurn) << a;
        EXPECT_LT(inner, outer) << a;
        EXPECT_GT(inner, firstTurn - 30.0 + 5.0) << a << ": on the second turn";
        EXPECT_NEAR(outer - inner, std::fmod(a, 90.0) == 0.0 ? 6.0 : 3.0, 1e-9) << a;
        angles.push_back(a);
    }
    std::sort(angles.begin(), angles.end());
    for (size_t i = 1; i < angles.size(); ++i) EXPECT_GT(angles[i] - angles[i - 1], 9.0);
}
