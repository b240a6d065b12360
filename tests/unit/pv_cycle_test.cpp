#include "model/pv_cycle.h"

#include <gtest/gtest.h>

#include <cmath>

#include "model/cylinder.h"

TEST(PvCycle, ClosesItsLoopWithTheTwoAdiabatsAndTheGivenRise)
{
    const std::vector<PvState> loop = pvCycle(0.0, 3.0);
    ASSERT_EQ(loop.size(), 723u);           // a state a degree and the two constant-volume ends
    EXPECT_DOUBLE_EQ(loop.front().pressure, kAtmosphereBar);
    EXPECT_DOUBLE_EQ(loop.back().pressure, kAtmosphereBar);
    const double ratio = bottomDeadCentreVolume() / topDeadCentreVolume();
    const double p2 = kAtmosphereBar * std::pow(ratio, kGamma);
    for (size_t i = 1; i < loop.size(); ++i)
        if (loop[i].phase == PvPhase::combustion) {
            EXPECT_NEAR(loop[i - 1].pressure, p2, 1e-9 * p2);
            EXPECT_NEAR(loop[i].pressure, 3.0 * p2, 1e-9 * p2);
            EXPECT_DOUBLE_EQ(loop[i].volume, loop[i - 1].volume);
        }
}

TEST(PvCycle, AChosenRatioSetsTheSmallestVolume)
{
    const std::vector<PvState> loop = pvCycle(9.5, 3.0);
    double smallest = loop.front().volume, largest = smallest;
    for (const PvState& s : loop) {
        smallest = std::min(smallest, s.volume);
        largest = std::max(largest, s.volume);
    }
    EXPECT_NEAR(largest / smallest, 9.5, 1e-9);
}
