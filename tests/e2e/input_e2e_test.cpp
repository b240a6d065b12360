#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "tests/support/program.h"

using testx::Image;
using testx::Program;

namespace {

// Where the start camera puts a model point in the 800 x 600 window, pixels from the top left:
// the eye on its orbit looking at (0, 0, 0.5), +z up, the scene scaled by the zoom 0.2, a
// 20-degree vertical field of view.
void projectStart(double x, double y, double z, double* px, double* py)
{
    const double az = 6.963, el = -3.5996, dist = 10.0, zoom = 0.2;
    const double e[3] = {std::cos(el) * std::cos(az) * dist, std::cos(el) * std::sin(az) * dist, std::sin(el) * dist};
    double f[3] = {-e[0], -e[1], 0.5 - e[2]};
    double fl = std::sqrt(f[0] * f[0] + f[1] * f[1] + f[2] * f[2]);
    for (double& c : f) c /= fl;
    double s[3] = {f[1], -f[0], 0.0};               // f x (0, 0, 1)
    double sl = std::sqrt(s[0] * s[0] + s[1] * s[1]);
    for (double& c : s) c /= sl;
    const double u[3] = {s[1] * f[2] - s[2] * f[1], s[2] * f[0] - s[0] * f[2], s[0] * f[1] - s[1] * f[0]};
    const double d[3] = {zoom * x - e[0], zoom * y - e[1], zoom * z - e[2]};
    const double vx = s[0] * d[0] + s[1] * d[1] + s[2] * d[2];
    const double vy = u[0] * d[0] + u[1] * d[1] + u[2] * d[2];
    const double depth = f[0] * d[0] + f[1] * d[1] + f[2] * d[2];
    const double cot = 1.0 / std::tan(10.0 * 3.141592653589793 / 180.0);
    *px = (cot / (800.0 / 600.0) * vx / depth + 1.0) / 2.0 * 800.0;
    *py = 600.0 - (cot * vy / depth + 1.0) / 2.0 * 600.0;
}

// White label pixels in a box above and to the right of a label's anchor.
int labelPixels(const Image& image, double x, double y, double z)
{
    double px, py;
    projectStart(x, y, z, &px, &py);
    return image.countBright(static_cast<int>(px), static_cast<int>(py) - 16, static_cast<int>(px) + 70,
                             static_cast<int>(py) + 1, 240);
}

// The speed line's glyphs as a mask: it starts at (0.01, 0.15) of the window.
std::vector<bool> speedLine(const Image& image)
{
    std::vector<bool> mask;
    for (int y = 600 - 102; y < 600 - 86; ++y)
        for (int x = 6; x < 170; ++x) mask.push_back(image.r(x, y) > 200 && image.g(x, y) > 200 && image.b(x, y) > 200);
    return mask;
}

class RealWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = testx::findWindow("Tarvex", 10000);
        ASSERT_NE(window, 0u) << program.errors();
        ASSERT_TRUE(testx::movePointer(400, 300));
    }
    void TearDown() override
    {
        testx::movePointer(400, 300);
        testx::xdo("key q");
        const int status = program.waitExit(5000);
        EXPECT_NE(status, -1) << "did not quit";
        if (status != -1) {
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }
    }
    Image shot(int settleMs = 250)
    {
        testx::sleepMs(settleMs);
        Image image;
        EXPECT_TRUE(testx::screenshot(window, &image));
        return image;
    }
    // Screenshots until one satisfies done, for up to timeoutMs. The first pick of a run can
    // take a while on a software renderer, which builds its selection-mode code then.
    template <typename Done>
    Image shotWhen(Done done, int timeoutMs = 8000)
    {
        Image image;
        for (int waited = 0; waited < timeoutMs; waited += 100) {
            image = shot(100);
            if (done(image)) break;
        }
        return image;
    }
    void keys(const std::string& names) { ASSERT_TRUE(testx::xdo("key --delay 30 " + names)); }

    Program program{{TARVEX_BINARY}, TARVEX_BUILD_DIR};
    unsigned long window = 0;
};

}  // namespace

TEST(StartCamera, ProjectsTheValveStemWhereTheWindowShowsIt)
{
    double px, py;
    projectStart(10, 1, 0, &px, &py);
    EXPECT_NEAR(px, 562.6, 0.2);
    EXPECT_NEAR(py, 268.2, 0.2);
}

TEST_F(RealWindow, ClickOnTheValvesSinglesThemOutWithTheirLabels)
{
    keys("minus a e");                              // the crank stops; fewer texts on screen
    const Image before = shot();
    EXPECT_GT(labelPixels(before, 0, -1, 2.8), 30) << "no Piston label at start";
    EXPECT_LT(labelPixels(before, 9, -1, 2.5), 10);

    double px, py;
    projectStart(10, 1, 0, &px, &py);               // the intake valve's stem
    ASSERT_TRUE(testx::movePointer(int(px + 0.5), int(py + 0.5)));
    testx::sleepMs(300);                            // a click right after the move can be lost
    ASSERT_TRUE(testx::xdo("click 1"));
    const Image after = shotWhen([](const Image& i) { return labelPixels(i, 9, -1, 2.5) > 30; });
    EXPECT_GT(labelPixels(after, 9, -1, 2.5), 30) << "no Soupapes label after the click";
    EXPECT_GT(labelPixels(after, 9, 3, 1.5), 20) << "no Admission label after the click";
    EXPECT_LT(labelPixels(after, 0, -1, 2.8), 10) << "the Piston label stayed";
    const Image later = shot(500);
    EXPECT_GT(labelPixels(later, 9, -1, 2.5), 30) << "the labels did not stay";
}

TEST_F(RealWindow, LeftDragTurnsTheView)
{
    keys("minus a e");
    const Image before = shot();
    ASSERT_TRUE(testx::movePointer(750, 50));
    testx::sleepMs(300);
    ASSERT_TRUE(testx::xdo("mousedown 1"));
    for (int x = 700; x >= 450; x -= 50) ASSERT_TRUE(testx::movePointer(x, 50));
    ASSERT_TRUE(testx::xdo("mouseup 1"));
    const Image after = shotWhen([&](const Image& i) { return i.countDifferent(before, 24) > 5000; });
    EXPECT_GT(after.countDifferent(before, 24), 5000) << "the picture hardly changed";
    // Released, the view stays where the drag left it.
    const Image settled = shot(300);
    EXPECT_LT(shot(300).countDifferent(settled, 24), 500);
}

TEST_F(RealWindow, MinusWheelAndMiddleButtonChangeTheSpeedLine)
{
    const std::vector<bool> start = speedLine(shot());
    keys("minus");
    const std::vector<bool> stopped = speedLine(shot());
    keys("minus");
    const std::vector<bool> backwards = speedLine(shot());      // "-0.1"
    EXPECT_NE(stopped, start);
    EXPECT_NE(backwards, stopped);
    EXPECT_NE(backwards, start);

    ASSERT_TRUE(testx::xdo("click 2"));                          // middle button: 0.1 again
    EXPECT_EQ(speedLine(shot()), start);
    ASSERT_TRUE(testx::xdo("click 4"));                          // wheel: GLUT button 3, -0.1
    EXPECT_EQ(speedLine(shot()), stopped);
    ASSERT_TRUE(testx::xdo("click 4"));
    EXPECT_EQ(speedLine(shot()), backwards);
    ASSERT_TRUE(testx::xdo("click 5 click 5"));                  // the other way, +0.1 twice
    EXPECT_EQ(speedLine(shot()), start);
}
