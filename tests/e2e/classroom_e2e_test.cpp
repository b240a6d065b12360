// The real program paused, stepped and full screen, as in front of a class. At an angle the
// window must show the model's own frame there, as the stills tool draws it.

#include <sys/wait.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "tests/support/image_region.h"
#include "tests/support/program.h"
#include "tests/support/temp_dir.h"

using namespace testx;

constexpr int kPauseTop = 470, kPauseBottom = 495;     // the pause line's rows at 800 x 600

class Classroom : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE((window = findWindow("Tarvex")) && movePointer(400, 300)); }
    void TearDown() override { EXPECT_TRUE(xdo("key q") && WIFEXITED(program.waitExit(5000))) << "did not quit"; }
    // A screenshot after settleMs, and more until one satisfies done, for up to 8 s.
    Image shot(int settleMs, const std::function<bool(const Image&)>& done = nullptr)
    {
        Image i;
        for (int waited = 0; waited < 8000 && (waited == 0 || (done && !done(i))); waited += 100) {
            sleepMs(waited == 0 ? settleMs : 100);
            EXPECT_TRUE(screenshot(window, &i));
        }
        return i;
    }
    // Presses keys; the pixels outside the pause line that then differ from the still at angle.
    int pressAndCompare(const std::string& keys, int angle)
    {
        TempDir dir;
        std::string rgb, png = dir.file("still.png");
        run(std::string(TARVEX_STILLS) + " --angle " + std::to_string(angle) + " --output " + png + " && convert " +
                png + " -depth 8 rgb:-", 30, &rgb);
        const Image still{800, 600, std::vector<uint8_t>(rgb.begin(), rgb.end())};
        auto differences = [&](const Image& i) {
            if (i.width != 800 || rgb.size() != 800u * 600u * 3u) return -1;
            return countDifferentIn(i, still, 0, 0, 800, kPauseTop) + countDifferentIn(i, still, 0, kPauseBottom, 800, 600);
        };
        EXPECT_TRUE(xdo("key --delay 30 " + keys));
        return differences(shot(0, [&](const Image& i) { return differences(i) == 0; }));
    }

    Program program{{TARVEX_BINARY}, TARVEX_BUILD_DIR};
    unsigned long window = 0;
};

TEST_F(Classroom, StrokeAndDegreeKeysHoldTheCrankF11ProjectsAndComesBackSpaceResumesAndPauses)
{
    // From the start, in the intake stroke, to the compression stroke.
    ASSERT_EQ(pressAndCompare("n", 270), 0) << "n to 270";
    std::string size;
    ASSERT_EQ(run("xdotool getdisplaygeometry", 5, &size), 0);
    const int w = std::stoi(size), h = std::stoi(size.substr(size.find(' '))), left = w / 100;
    // At 1920 x 1080, where the 800 x 600 layout fits 1.8 times, the title's capitals reach 24 px.
    const double fit = std::min(w / 800.0, h / 600.0);
    auto title = [&](const Image& i) {              // the rows the title's T lights
        int rows = 0;
        for (int y = static_cast<int>(i.height * 0.855); y < i.height * 0.895; ++y)
            rows += i.countBright(left, y, left + 12, y + 1, 128) > 0;
        return rows;
    };
    ASSERT_TRUE(xdo("key F11"));
    const Image full = shot(0, [&](const Image& i) { return i.width == w && title(i) >= 24 * fit / 1.8; });
    EXPECT_TRUE(full.width == w && full.height == h) << full.width << " x " << full.height;
    EXPECT_GE(title(full), 24 * fit / 1.8) << "the title's T";
    EXPECT_EQ(pressAndCompare("F11", 270), 0) << "the windowed frame did not come back";
    Geometry g{};
    ASSERT_TRUE(windowGeometry(window, &g));
    EXPECT_TRUE(g.x == 0 && g.y == 0 && g.width == 800 && g.height == 600) << g.x << "," << g.y << " " << g.width;
    // Power, exhaust, intake, compression, and back.
    for (int angle : {365, 630, 90, 270}) EXPECT_EQ(pressAndCompare("n", angle), 0) << "n to " << angle;
    for (int angle : {90, 630}) EXPECT_EQ(pressAndCompare("b", angle), 0) << "b to " << angle;
    EXPECT_EQ(pressAndCompare("k k k k k k k k k k", 640), 0) << "ten degrees on";
    EXPECT_EQ(pressAndCompare("j j j j j j j j j j j j j j j", 625), 0) << "fifteen degrees back";
    for (const char* state : {"stepped", "running", "paused"}) {
        const Image first = shot(300), second = shot(1000);
        EXPECT_EQ(countDifferentIn(first, second, 200, 0, 800, 480) > 500, state[0] == 'r') << state << ": the engine";
        EXPECT_EQ(first.countBright(0, kPauseTop, 200, kPauseBottom) > 30, state[0] != 'r') << state << ": the pause line";
        ASSERT_TRUE(xdo("key space"));
    }
}
