// Projector mode on a 1920 x 1080 screen, read as the back row reads it: the real program full
// screen, its letters measured in rows of lit pixels, the engine above the band, the help panel,
// and the window's own frame given back. Run on a screen of its own that size.

#include <sys/wait.h>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "tests/support/image_region.h"
#include "tests/support/program.h"

using namespace testx;

constexpr int kScreenWidth = 1920, kScreenHeight = 1080;   // pixels
constexpr int kTitleCapPx = 54, kLineCapPx = 32;
constexpr int kWaitMs = 8000;

Image shotWhen(unsigned long window, const std::function<bool(const Image&)>& done)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWaitMs);
    Image i;
    while (!(screenshot(window, &i) && done(i)) && std::chrono::steady_clock::now() < deadline) sleepMs(50);
    return i;
}

// Rows from the top of the first and last pixels that differ between a and b, -1 when none.
std::pair<int, int> differingRows(const Image& a, const Image& b)
{
    int first = -1, last = -1;
    for (int y = 0; y < a.height; ++y)
        if (countDifferentIn(a, b, 0, y, a.width, y + 1) > 0) {
            if (first < 0) first = y;
            last = y;
        }
    return {first, last};
}

TEST(ProjectorRoom, BigLettersUnderTheEngineAHelpPanelAndTheWindowBack)
{
    Program program{{TARVEX_BINARY}, TARVEX_BUILD_DIR};
    const unsigned long window = findWindow("Tarvex");
    ASSERT_NE(window, 0u);
    ASSERT_TRUE(movePointer(400, 300));
    ASSERT_TRUE(xdo("key space"));                         // paused at the start, in the intake
    Image windowed;
    shotWhen(window, [&](const Image& i) {                 // two screenshots alike: held
        const bool held = i.width == 800 && i.countDifferent(windowed, 0) == 0;
        windowed = i;
        return held;
    });
    ASSERT_EQ(windowed.width, 800);

    ASSERT_TRUE(xdo("key F11"));
    auto title = [](const Image& i) { return firstLitRun(i, 0, kTitleCapPx, kScreenHeight / 3); };
    const Image full = shotWhen(window, [&](const Image& i) { return i.width == kScreenWidth && title(i).height >= kTitleCapPx; });
    ASSERT_EQ(full.width, kScreenWidth);
    const RowRun t = title(full);
    EXPECT_GE(t.height, kTitleCapPx) << "the title's T";
    const RowRun l = firstLitRun(full, 0, kTitleCapPx, t.top + t.height);
    EXPECT_GE(l.height, kLineCapPx) << "the explanation's L";
    EXPECT_LT(l.height, kTitleCapPx) << "the explanation's L as large as the title";

    // The block's pixels, all there is of it: hidden, then shown again.
    ASSERT_TRUE(xdo("key 6"));
    const Image noBlock = shotWhen(window, [&](const Image& i) { return countDifferentIn(i, full, 0, 0, i.width, i.height) > 1000; });
    const auto [engineTop, engineBottom] = differingRows(noBlock, full);
    EXPECT_GE(engineTop, 0) << "hiding the block changed nothing";
    EXPECT_LT(engineBottom, t.top) << "the engine reaches the band";
    EXPECT_GT(engineBottom - engineTop, t.top / 2) << "the engine does not fill the space above the band";
    ASSERT_TRUE(xdo("key 6"));
    ASSERT_EQ(shotWhen(window, [&](const Image& i) { return i.countDifferent(full, 0) == 0; }).countDifferent(full, 0), 0);

    // Hidden on entering; a shows it over the engine where its headings start, a again hides it.
    auto helpCorner = [&](const Image& i) { return i.countBright(0, 0, kScreenWidth / 5, t.top / 4); };
    EXPECT_LT(helpCorner(full), 50) << "the help is shown on entering";
    ASSERT_TRUE(xdo("key a"));
    const Image help = shotWhen(window, [&](const Image& i) { return countDifferentIn(i, full, 0, 0, i.width, t.top) > 20000; });
    EXPECT_GT(countDifferentIn(help, full, 0, 0, help.width, t.top), 20000) << "no help panel";
    EXPECT_GT(helpCorner(help), 2000) << "no help panel";
    EXPECT_EQ(countDifferentIn(help, full, 0, t.top, help.width, help.height), 0) << "the help covers the band";
    ASSERT_TRUE(xdo("key a"));
    EXPECT_EQ(shotWhen(window, [&](const Image& i) { return i.countDifferent(full, 0) == 0; }).countDifferent(full, 0), 0)
        << "the help stayed";

    ASSERT_TRUE(xdo("key F11"));
    const Image back = shotWhen(window, [&](const Image& i) { return i.width == 800 && i.countDifferent(windowed, 0) == 0; });
    EXPECT_TRUE(back.width == 800 && back.countDifferent(windowed, 0) == 0) << "the windowed frame did not come back";
    EXPECT_TRUE(xdo("key q") && WIFEXITED(program.waitExit(5000))) << "did not quit";
}
