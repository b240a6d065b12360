#include "controls/cycle_controls.h"

#include <gtest/gtest.h>

#include "interaction/animation.h"
#include "render/overlay.h"

namespace {
double gNowMs = 0.0;
double clockNow() { return gNowMs; }
}  // namespace

TEST(Pause, HoldsTheAngleWhileTheClockRunsResumesWithoutAJumpAndStepsByWholeDegrees)
{
    SceneState s;
    s.crankAngle = 100.0;
    togglePause(s);
    gNowMs = 5000.0;                                // five seconds paused
    stepAnimation(s, clockNow);
    EXPECT_DOUBLE_EQ(s.crankAngle, 100.0);
    s.speed = 0.2;                                  // set while paused, it applies on resume
    togglePause(s);
    gNowMs = 5100.0;
    stepAnimation(s, clockNow);
    EXPECT_NEAR(s.crankAngle, 100.0 + 0.2 * 360 * 0.1, 1e-9);
    char text[kTextBufferSize];
    formatPauseLine(text, 269.6);
    EXPECT_STREQ(text, "En pause \xE0 270\xB0");
    s.crankAngle = 0.6;                             // degree steps: whole degrees, round the cycle
    for (double expected : {0.0, 719.0, 720.0, 1.0}) {
        stepDegree(s, expected == 0.0 || expected == 719.0 ? -1 : 1);
        EXPECT_DOUBLE_EQ(s.crankAngle, expected);
    }
}
