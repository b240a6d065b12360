// The projector layout's arithmetic: the sizes a room reads, the band under the engine, the
// wrapped explanation, the help panel and the engine's framing.

#include <gtest/gtest.h>

#include <algorithm>

#include "render/projector_layout.h"

TEST(ProjectorLayout, AtFullHdTheTitleAndTheLinesReadFromTheBackOfTheRoom)
{
    const ProjectorLayout l = projectorLayout(1920, 1080, 3);
    EXPECT_TRUE(l.titleCap >= 54.0 && l.bodyCap >= 32.0) << l.titleCap << ", " << l.bodyCap;
    EXPECT_GE(projectorStrokeWidth(l.titleCap), l.titleCap / 10);
    EXPECT_GE(projectorStrokeWidth(l.bodyCap), l.bodyCap / 10);
    // Top down: the engine, then the title, three lines and the pause line, none on another.
    EXPECT_DOUBLE_EQ(l.engineArea.y, l.bandTop);
    EXPECT_DOUBLE_EQ(l.engineArea.y + l.engineArea.height, 1080.0);
    EXPECT_LE(l.titleBaseline + l.titleCap, l.bandTop);
    EXPECT_GE(l.titleBaseline - l.firstLineBaseline, l.bodyCap + 0.3 * l.titleCap);
    EXPECT_GE(l.firstLineBaseline - 2 * l.linePitch - l.pauseBaseline, l.bodyCap);
    EXPECT_GT(l.engineArea.height, 0.55 * 1080) << "the engine gets most of the screen";
    // In proportion on another screen; one more line of explanation moves the band's top up.
    const ProjectorLayout small = projectorLayout(1280, 720, 3);
    EXPECT_NEAR(small.bandTop / 720, l.bandTop / 1080, 1e-9);
    EXPECT_NEAR(projectorLayout(1920, 1080, 4).bandTop - l.bandTop, l.linePitch, 1e-9);
}

TEST(ProjectorLayout, WrappingKeepsEveryWordInOrderWithinTheWidth)
{
    auto width = [](const std::string& s) { return 10.0 * s.size(); };
    const std::vector<std::string> lines = wrapWords("La soupape  d'admission est ouverte, celle ", 120, width);
    ASSERT_EQ(lines, (std::vector<std::string>{"La soupape", "d'admission", "est ouverte,", "celle"}));
    EXPECT_EQ(wrapWords("anticonstitutionnellement", 50, width).size(), 1u) << "a long word on a line alone";
}

TEST(ProjectorLayout, TheHelpPanelFitsAboveTheBandInTwoColumnsWhenOneWouldShrinkIt)
{
    const ProjectorLayout l = projectorLayout(1920, 1080, 3);
    const std::vector<double> widths(28, 200.0);
    const HelpPanel p = helpPanel(l, widths, 8.0);
    EXPECT_EQ(p.columns, 2);
    EXPECT_EQ(p.linesPerColumn, 14);
    EXPECT_GE(p.box.y, l.bandTop);
    EXPECT_LE(p.box.y + p.box.height, 1080.0);
    EXPECT_LE(p.box.x + p.box.width, 1920.0);
    EXPECT_GE(p.firstBaseline - (p.linesPerColumn - 1) * p.pitch, p.box.y) << "the last line below the panel";
    EXPECT_LE(p.scale * 8.0, l.bodyCap) << "no larger than the band's lines";
    EXPECT_EQ(helpPanel(l, std::vector<double>(4, 200.0), 8.0).columns, 1) << "four lines need one column";
}

TEST(ProjectorLayout, TheEngineFillsTheAreaAndIsCentredInIt)
{
    const Vec3 eye{-6.0, 7.0, -4.0}, target{0.0, 0.0, 0.5};
    constexpr double kFov = 20.0, kAspect = 1920.0 / 700.0, kZoom = 0.2;
    const EngineFraming f = frameEngine(eye, target, kFov, kAspect, kZoom);
    double left = 9, right = -9, bottom = 9, top = -9;
    for (int c = 0; c < 8; ++c) {
        const Vec3 p{c & 1 ? kEngineBoxHigh.x : kEngineBoxLow.x, c & 2 ? kEngineBoxHigh.y : kEngineBoxLow.y,
                     c & 4 ? kEngineBoxHigh.z : kEngineBoxLow.z};
        double x, y;
        ASSERT_TRUE(projectPoint(eye, target, kFov, kAspect, kZoom * f.zoomFactor, p, &x, &y));
        left = std::min(left, x + f.shiftX), right = std::max(right, x + f.shiftX);
        bottom = std::min(bottom, y + f.shiftY), top = std::max(top, y + f.shiftY);
    }
    EXPECT_TRUE(left >= -1.0 && right <= 1.0 && bottom >= -1.0 && top <= 1.0) << "the box goes out of the area";
    EXPECT_GT(std::max(right - left, top - bottom), 1.8) << "the box fills one direction";
    EXPECT_NEAR(left + right, 0.0, 1e-6);
    EXPECT_NEAR(bottom + top, 0.0, 1e-6);
}
