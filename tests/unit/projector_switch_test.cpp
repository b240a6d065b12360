#include <gtest/gtest.h>

#include "app/projector_switch.h"

namespace {

constexpr int kScreenW = 1920, kScreenH = 1080;
constexpr WindowPlace kPlace{300, 200, 800, 600};

ReshapeOutcome reshape(const SwitchView& v, int w, int h, int x = 0, int y = 0)
{
    return projectorReshape(v, w, h, kScreenW, kScreenH, x, y);
}

}  // namespace

TEST(ProjectorSwitch, AReshapeEndsTheSwitchOnlyAtTheSizeItWasWaitingFor)
{
    const SwitchView entering{true, true, false, kPlace};
    EXPECT_FALSE(reshape(entering, 800, 600).settles);          // the old size, seen again
    const ReshapeOutcome full = reshape(entering, kScreenW, kScreenH);
    EXPECT_TRUE(full.settles);
    EXPECT_FALSE(full.movesWindow);

    const SwitchView leaving{false, true, true, kPlace};
    EXPECT_FALSE(reshape(leaving, kScreenW, kScreenH).settles);  // still the full screen's size
    const ReshapeOutcome back = reshape(leaving, 800, 600, 0, 0);
    EXPECT_TRUE(back.settles);
    EXPECT_TRUE(back.placeGivenBack);
    EXPECT_TRUE(back.movesWindow);
    // A platform that put the window back itself is left alone.
    EXPECT_FALSE(reshape(leaving, 800, 600, kPlace.x, kPlace.y).movesWindow);
}

TEST(ProjectorSwitch, TheWindowGetsItsPlaceBackWhenTheWindowSystemConfirmsAfterTheTimeout)
{
    // The timeout already stopped holding F11 back: the switch is over, the place still owed.
    const SwitchView late{false, false, true, kPlace};
    const ReshapeOutcome back = reshape(late, 800, 600, 0, 0);
    EXPECT_TRUE(back.movesWindow);
    EXPECT_TRUE(back.placeGivenBack);
    EXPECT_FALSE(back.settles);
    // Once given back, a user's own resize to the same size moves nothing.
    EXPECT_FALSE(reshape({false, false, false, kPlace}, 800, 600, 40, 40).movesWindow);
    // A late reshape of the last exit seen after the next entry asks for no move.
    EXPECT_FALSE(reshape({true, true, false, kPlace}, 800, 600, 0, 0).movesWindow);
}
