// The real program used as a person uses it: the keyboard commands its help screen lists, each
// seen on the screen, and a window made larger by the user.

#include <gtest/gtest.h>

#include <string>

#include "tests/support/image_region.h"
#include "tests/support/program.h"

using testx::Image;
using testx::Program;
using testx::countDifferentIn;

namespace {

constexpr int kChangeTimeoutMs = 3000;      // longest wait for a key's effect on the screen
constexpr int kPollMs = 50;

struct Region {
    const char* what;
    int x0, y0, x1, y1;                     // pixels of the 800 x 600 start window, y from the top
};

// Where each text of the overlay lies in the start window, and the 3-D view.
constexpr Region kHelpColumn{"help screen", 0, 60, 250, 420};
constexpr Region kExplanationLines{"explanation lines", 0, 540, 400, 590};
constexpr Region kFpsCorner{"frame rate", 730, 0, 800, 24};
constexpr Region kSpeedLine{"speed line", 0, 495, 200, 515};
constexpr Region kEngineView{"engine", 200, 100, 800, 500};

// The running program with its window found, the pointer on it (keys follow the pointer) and
// the crank stopped, so that only what a key changes changes.
class PersonAtTheKeyboard : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = testx::findWindow("Tarvex", 10000);
        ASSERT_NE(window, 0u) << program.errors();
        // --sync waits for the pointer to move, so it first leaves the spot an earlier test
        // may have left it on.
        ASSERT_TRUE(testx::xdo("mousemove 390 290"));
        ASSERT_TRUE(testx::xdo("mousemove --sync 400 300"));
        ASSERT_TRUE(testx::xdo("key minus"));   // 0.1 - 0.1 revolutions per second: stopped
        testx::sleepMs(300);
        ASSERT_TRUE(steady(&last)) << "the picture did not settle after stopping the crank";
    }

    // Two screenshots in a row that agree: the frame no longer changes.
    bool steady(Image* image)
    {
        Image previous;
        if (!testx::screenshot(window, &previous)) return false;
        for (int waited = 0; waited < kChangeTimeoutMs; waited += kPollMs) {
            testx::sleepMs(kPollMs);
            if (!testx::screenshot(window, image)) return false;
            if (image->countDifferent(previous, 16) == 0) return true;
            previous = *image;
        }
        return false;
    }

    // Presses key and waits until region shows something else; returns how many pixels changed
    // there (0 when nothing did within the time limit) and keeps the new picture.
    int pressAndWatch(const std::string& key, const Region& region)
    {
        const Image before = last;
        if (!testx::xdo("key " + key)) return 0;
        int changed = 0;
        for (int waited = 0; waited < kChangeTimeoutMs && changed == 0; waited += kPollMs) {
            testx::sleepMs(kPollMs);
            if (!testx::screenshot(window, &last)) return 0;
            changed = countDifferentIn(before, last, region.x0, region.y0, region.x1, region.y1);
        }
        steady(&last);
        return countDifferentIn(before, last, region.x0, region.y0, region.x1, region.y1);
    }

    Program program{{TARVEX_BINARY}, TARVEX_BUILD_DIR};
    unsigned long window = 0;
    Image last;
};

// The centre of the engine's lit pixels, left of the texts and above the credit line.
bool engineCentre(const Image& image, double* cx, double* cy)
{
    double sx = 0.0, sy = 0.0;
    int n = 0;
    for (int y = 0; y < image.height * 95 / 100; ++y)
        for (int x = image.width / 5; x < image.width; ++x)
            if (image.r(x, y) > 60 || image.g(x, y) > 60 || image.b(x, y) > 60) {
                sx += x;
                sy += y;
                ++n;
            }
    if (n < 1000) return false;
    *cx = sx / n;
    *cy = sy / n;
    return true;
}

}  // namespace

TEST_F(PersonAtTheKeyboard, EachCommandOfTheHelpScreenShowsOnTheScreen)
{
    struct Step {
        const char* key;
        Region where;
    };
    // Toggles are pressed twice, so each one is seen going both ways.
    const Step steps[] = {
        {"a", kHelpColumn},     {"a", kHelpColumn},
        {"e", kExplanationLines}, {"e", kExplanationLines},
        {"f", kFpsCorner},      {"f", kFpsCorner},
        {"r", kEngineView},     {"r", kEngineView},
        {"1", kEngineView},     {"2", kEngineView},     {"4", kEngineView},   {"3", kEngineView},
        {"5", kEngineView},     {"5", kEngineView},
        {"6", kEngineView},     {"6", kEngineView},
        {"Left", kEngineView},  {"Right", kEngineView}, {"Up", kEngineView},  {"Down", kEngineView},
        {"Prior", kEngineView}, {"Next", kEngineView},
        {"plus", kSpeedLine},   {"minus", kSpeedLine},
    };
    for (const Step& s : steps)
        EXPECT_GT(pressAndWatch(s.key, s.where), 20) << "key " << s.key << ": the " << s.where.what
                                                      << " did not change";
    // The help text leaves the 3-D view alone.
    const Image before = last;
    pressAndWatch("a", kHelpColumn);
    EXPECT_EQ(countDifferentIn(before, last, 300, 0, 800, 480), 0) << "the help key moved the engine";
}

TEST_F(PersonAtTheKeyboard, TheLightKeyMakesTheMainLightFlicker)
{
    const Image before = last;
    ASSERT_TRUE(testx::xdo("key l"));
    int most = 0;
    for (int waited = 0; waited < kChangeTimeoutMs; waited += kPollMs) {
        testx::sleepMs(kPollMs);
        Image now;
        ASSERT_TRUE(testx::screenshot(window, &now));
        most = std::max(most, countDifferentIn(before, now, kEngineView.x0, kEngineView.y0,
                                               kEngineView.x1, kEngineView.y1));
    }
    EXPECT_GT(most, 500) << "the engine's lighting never changed after l";
}

TEST_F(PersonAtTheKeyboard, AResizedWindowKeepsTheOverlayFractionsAndTheViewFollows)
{
    // Only the speed line, the stroke title and the credit stay on the overlay.
    pressAndWatch("a", kHelpColumn);
    pressAndWatch("e", kExplanationLines);
    const Image small = last;
    double cx0 = 0.0, cy0 = 0.0;
    ASSERT_TRUE(engineCentre(small, &cx0, &cy0));

    ASSERT_TRUE(testx::xdo("windowsize --sync " + std::to_string(window) + " 1000 500"));
    testx::Geometry g{};
    ASSERT_TRUE(windowGeometry(window, &g));
    ASSERT_EQ(g.width, 1000);
    ASSERT_EQ(g.height, 500);
    Image large;
    testx::sleepMs(300);
    ASSERT_TRUE(steady(&large));
    ASSERT_EQ(large.width, 1000);
    ASSERT_EQ(large.height, 500);

    // The speed line stands 0.15 of the height above the bottom: its 10-point text ends on row
    // 425 of the new window. Nothing was drawn there at the left before.
    EXPECT_GT(large.countBright(0, 412, 150, 428, 150), 30) << "no speed line at its new height";
    EXPECT_EQ(small.countBright(0, 412, 150, 428, 150), 0);

    // The same vertical field of view over the new aspect: the engine keeps its place relative
    // to the window's centre, scaled by the height ratio.
    double cx1 = 0.0, cy1 = 0.0;
    ASSERT_TRUE(engineCentre(large, &cx1, &cy1));
    const double scale = 500.0 / 600.0;
    EXPECT_NEAR(cx1, 500.0 + (cx0 - 400.0) * scale, 15.0);
    EXPECT_NEAR(cy1, 250.0 + (cy0 - 300.0) * scale, 15.0);
}
