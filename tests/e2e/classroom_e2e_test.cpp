// The real program paused, stepped and full screen, as in front of a class. At an angle the
// window must show the model's own frame there, as the stills tool draws it.

#include <sys/wait.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>

#include "tests/support/image_region.h"
#include "tests/support/program.h"
#include "tests/support/temp_dir.h"

using namespace testx;

constexpr int kPauseTop = 470, kPauseBottom = 495;     // the pause line's rows at 800 x 600
constexpr int kPauseRight = 200;                        // and its columns
constexpr int kPlaceX = 120, kPlaceY = 80;              // the windowed place, off the screen's corner
constexpr int kWaitMs = 8000;                           // for a frame, a place, a size

// Polls until done holds or timeoutMs has passed; the last answer.
bool waitFor(const std::function<bool()>& done, int timeoutMs = kWaitMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        sleepMs(20);
    }
    return true;
}

class Classroom : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(window = findWindow("Tarvex"));
        ASSERT_TRUE(xdo("windowmove " + std::to_string(window) + " " + std::to_string(kPlaceX) + " " +
                        std::to_string(kPlaceY)));
        ASSERT_TRUE(waitFor([&] { return placeIs(kPlaceX, kPlaceY, 800, 600); })) << "the window did not move";
        ASSERT_TRUE(movePointer(kPlaceX + 400, kPlaceY + 300));
    }
    void TearDown() override { EXPECT_TRUE(xdo("key q") && WIFEXITED(program.waitExit(5000))) << "did not quit"; }
    bool placeIs(int x, int y, int width, int height)
    {
        Geometry g{};
        return windowGeometry(window, &g) && g.x == x && g.y == y && g.width == width && g.height == height;
    }
    Image take()
    {
        Image i;
        screenshot(window, &i);                     // an empty image when it failed
        return i;
    }
    // Screenshots until one satisfies done, for up to kWaitMs; the last one.
    Image shot(const std::function<bool(const Image&)>& done)
    {
        Image i;
        waitFor([&] { return done(i = take()); });
        return i;
    }
    // Presses keys; the pixels outside the pause line that then differ from the still at angle.
    // The last screenshot stays in last.
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
        last = shot([&](const Image& i) { return differences(i) == 0; });
        return differences(last);
    }
    static int pauseLineDifferences(const Image& a, const Image& b)
    {
        return countDifferentIn(a, b, 0, kPauseTop, kPauseRight, kPauseBottom);
    }

    Program program{{TARVEX_BINARY}, TARVEX_BUILD_DIR};
    unsigned long window = 0;
    Image last;
};

// F11 pressed faster than the window system carries out a switch: three presses leave the screen
// filled, five more give the window back, and the key still works after that.
TEST_F(Classroom, F11PressedInQuickRunsEndsAsItsCountSaysAndTheWindowComesBackToItsPlace)
{
    ASSERT_EQ(pressAndCompare("n", 270), 0) << "n to 270";
    std::string size;
    ASSERT_EQ(run("xdotool getdisplaygeometry", 5, &size), 0);
    const int w = std::stoi(size), h = std::stoi(size.substr(size.find(' ')));
    Geometry g{};
    auto where = [&] {
        windowGeometry(window, &g);
        return std::to_string(g.x) + "," + std::to_string(g.y) + " " + std::to_string(g.width) + " x " +
               std::to_string(g.height);
    };
    ASSERT_TRUE(xdo("key --delay 5 F11 F11 F11"));
    EXPECT_TRUE(waitFor([&] { return placeIs(0, 0, w, h); })) << "three quick F11: " << where();
    ASSERT_TRUE(xdo("key --delay 5 F11 F11 F11 F11 F11"));
    EXPECT_TRUE(waitFor([&] { return placeIs(kPlaceX, kPlaceY, 800, 600); })) << "five quick F11: " << where();
    ASSERT_TRUE(xdo("key F11"));
    EXPECT_TRUE(waitFor([&] { return placeIs(0, 0, w, h); })) << "F11 after the quick runs: " << where();
    EXPECT_EQ(pressAndCompare("F11", 270), 0) << "the windowed frame did not come back";
    EXPECT_TRUE(waitFor([&] { return placeIs(kPlaceX, kPlaceY, 800, 600); })) << "and back: " << where();
}

TEST_F(Classroom, StrokeAndDegreeKeysHoldTheCrankF11ProjectsAndComesBackSpaceResumesAndPauses)
{
    // From the start, in the intake stroke, to the compression stroke.
    ASSERT_EQ(pressAndCompare("n", 270), 0) << "n to 270";
    std::string size;
    ASSERT_EQ(run("xdotool getdisplaygeometry", 5, &size), 0);
    const int w = std::stoi(size), h = std::stoi(size.substr(size.find(' ')));
    // The title's T at the caption band's left, capitals 5 % of the screen's height.
    auto title = [&](const Image& i) { return firstLitRun(i, 0, h / 20, h / 3).height; };
    ASSERT_TRUE(xdo("key F11"));
    const Image full = shot([&](const Image& i) { return i.width == w && title(i) >= h / 20; });
    Geometry fg{};
    windowGeometry(window, &fg);
    EXPECT_TRUE(full.width == w && full.height == h) << full.width << " x " << full.height << " at " << fg.x << ","
                                                     << fg.y << " " << fg.width << " x " << fg.height;
    EXPECT_GE(title(full), h / 20) << "the title's T";
    EXPECT_EQ(pressAndCompare("F11", 270), 0) << "the windowed frame did not come back";
    Geometry g{};
    EXPECT_TRUE(waitFor([&] { return placeIs(kPlaceX, kPlaceY, 800, 600); }) || !windowGeometry(window, &g))
        << "back at " << g.x << "," << g.y << " " << g.width << " x " << g.height << ", not at " << kPlaceX << ","
        << kPlaceY << " 800 x 600";
    // Power, exhaust, intake, compression, and back.
    for (int angle : {365, 630, 90, 270}) EXPECT_EQ(pressAndCompare("n", angle), 0) << "n to " << angle;
    for (int angle : {90, 630}) EXPECT_EQ(pressAndCompare("b", angle), 0) << "b to " << angle;
    // The pause line read by its pixels: at 630, reached by a stroke key, it is the reference.
    const Image at630 = last;
    EXPECT_EQ(pressAndCompare("k k k k k k k k k k", 640), 0) << "ten degrees on";
    EXPECT_GT(pauseLineDifferences(last, at630), 0) << "the pause line still says 630 at 640";
    EXPECT_EQ(pressAndCompare("j j j j j j j j j j j j j j j", 625), 0) << "fifteen degrees back";
    const Image at625 = last;
    EXPECT_GT(pauseLineDifferences(at625, at630), 0) << "the pause line says 630 at 625";
    EXPECT_EQ(pressAndCompare("k k k k k", 630), 0) << "five degrees on";
    EXPECT_EQ(pauseLineDifferences(last, at630), 0) << "five degrees after 625 is not the line of 630";
    EXPECT_GT(at630.countBright(0, kPauseTop, kPauseRight, kPauseBottom), 30) << "no pause line when paused";

    // Running: the engine moves off the held frame by itself, and the pause line goes.
    ASSERT_TRUE(xdo("key space"));
    const Image running = shot([&](const Image& i) { return countDifferentIn(i, at630, 200, 0, 800, 480) > 500; });
    EXPECT_GT(countDifferentIn(running, at630, 200, 0, 800, 480), 500) << "running: the engine did not move";
    EXPECT_LE(running.countBright(0, kPauseTop, kPauseRight, kPauseBottom), 30) << "running: a pause line";
    // Paused again: once the pause line shows (two equal screenshots can come from a program
    // that drew nothing between them), no screenshot differs for a second.
    ASSERT_TRUE(xdo("key space"));
    const Image held = shot([&](const Image& i) { return i.countBright(0, kPauseTop, kPauseRight, kPauseBottom) > 30; });
    EXPECT_FALSE(waitFor([&] { return take().countDifferent(held, 0) != 0; }, 1000)) << "paused: the engine moved";
    EXPECT_GT(held.countBright(0, kPauseTop, kPauseRight, kPauseBottom), 30) << "paused: no pause line";
}
