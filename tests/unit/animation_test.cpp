#include "interaction/animation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "model/cycle.h"

namespace {

// A clock the test scripts: each read returns the next value; the last one repeats.
std::vector<double> gReadings;
size_t gNext = 0;
double scriptedClock()
{
    double v = gReadings[std::min(gNext, gReadings.size() - 1)];
    ++gNext;
    return v;
}
void script(std::vector<double> readings)
{
    gReadings = std::move(readings);
    gNext = 0;
}
// A clock that stands at one time for a whole step.
double gNow = 0.0;
double fixedClock() { return gNow; }

// One step of `ms` milliseconds at the fixed clock.
bool stepBy(SceneState& s, double ms)
{
    gNow = s.lastFrameTime + ms;
    return stepAnimation(s, fixedClock);
}

}  // namespace

TEST(CrankAngle, AdvancesBySpeedTimesElapsedTime)
{
    SceneState s;
    s.lastFrameTime = 1000.0;
    stepBy(s, 100.0);
    EXPECT_NEAR(s.crankAngle, 3.6, 1e-12);          // 0.1 rev/s * 360 * 0.1 s
    EXPECT_DOUBLE_EQ(s.lastFrameTime, 1100.0);

    s.speed = 2.5;
    stepBy(s, 40.0);
    EXPECT_NEAR(s.crankAngle, 3.6 + 36.0, 1e-12);
}

TEST(CrankAngle, WrapsIntoOneCycleKeepingExactBounds)
{
    SceneState s;
    s.crankAngle = 718.0;
    stepBy(s, 100.0);
    EXPECT_NEAR(s.crankAngle, 1.6, 1e-9);

    s.crankAngle = 716.4;
    stepBy(s, 100.0);
    EXPECT_DOUBLE_EQ(s.crankAngle, 720.0);          // lands exactly on 720: stays

    s.crankAngle = 3.6;
    s.speed = -0.1;
    stepBy(s, 100.0);
    EXPECT_DOUBLE_EQ(s.crankAngle, 0.0);            // lands exactly on 0: stays

    stepBy(s, 100.0);
    EXPECT_NEAR(s.crankAngle, 716.4, 1e-9);         // below 0: into the exhaust band
    EXPECT_GE(s.crankAngle, 540.0);

    EXPECT_DOUBLE_EQ(wrapCrankAngle(1440.0), 720.0);
    EXPECT_DOUBLE_EQ(wrapCrankAngle(-720.0), 0.0);
    EXPECT_DOUBLE_EQ(wrapCrankAngle(360.0), 360.0);
}

TEST(CrankAngle, StallOfManyCyclesLandsInsideTheCycleAtOnce)
{
    SceneState s;
    s.speed = 12.3;                                 // 123 presses of +
    s.crankAngle = 100.0;
    stepBy(s, 3000.0);                              // a three-second stall: 13284 degrees
    EXPECT_GE(s.crankAngle, 0.0);
    EXPECT_LE(s.crankAngle, 720.0);
    EXPECT_NEAR(s.crankAngle, std::fmod(100.0 + 12.3 * 360.0 * 3.0, 720.0), 1e-6);

    s.speed = -12.3;
    stepBy(s, 3000.0);
    EXPECT_GE(s.crankAngle, 0.0);
    EXPECT_LE(s.crankAngle, 720.0);
    EXPECT_NEAR(s.crankAngle, 100.0, 1e-6);
}

TEST(CrankAngle, StandsStillAtSpeedZeroWhileFpsGoesOn)
{
    SceneState s;
    s.speed = 0.0;
    s.crankAngle = 123.0;
    stepBy(s, 20.0);
    EXPECT_DOUBLE_EQ(s.crankAngle, 123.0);
    EXPECT_DOUBLE_EQ(s.fps, 50.0);
}

TEST(FrameRate, IsTheInverseOfTheStepAndSurvivesZeroAndNegativeSteps)
{
    SceneState s;
    s.lastFrameTime = 500.0;
    stepBy(s, 4.0);
    EXPECT_DOUBLE_EQ(s.fps, 250.0);

    stepBy(s, 0.0);                                 // two steps in one clock tick
    EXPECT_DOUBLE_EQ(s.fps, 250.0);
    EXPECT_DOUBLE_EQ(s.crankAngle, 0.1 * 360 * 0.004);

    double before = s.crankAngle;
    s.lastFrameTime = 2147483000.0;                 // the clock wrapped since the last step
    gNow = 10.0;
    stepAnimation(s, fixedClock);
    EXPECT_DOUBLE_EQ(s.crankAngle, before);
    EXPECT_DOUBLE_EQ(s.fps, 250.0);
    EXPECT_DOUBLE_EQ(s.lastFrameTime, 10.0);
}

TEST(FrameRate, LastFrameTimeIsTheReadingTakenAtTheEndOfTheStep)
{
    SceneState s;
    s.lastFrameTime = 0.0;
    script({100.0, 130.0});                         // start of step, then end of step
    stepAnimation(s, scriptedClock);
    EXPECT_NEAR(s.crankAngle, 3.6, 1e-12);          // the first reading drives the step
    EXPECT_DOUBLE_EQ(s.lastFrameTime, 130.0);
}

TEST(Flicker, FiveTogglesEachMoreThan100msAfterTheLast)
{
    SceneState s;
    s.lastFlashTime = 0.0;
    s.flickering = true;

    std::vector<double> toggleTimes;
    for (double t = 1.0; t <= 2000.0 && s.flickering; t += 1.0) {
        gNow = t;
        if (stepAnimation(s, fixedClock)) toggleTimes.push_back(t);
    }
    ASSERT_EQ(toggleTimes.size(), 5u);
    EXPECT_DOUBLE_EQ(toggleTimes[0], 101.0);        // strictly more than 100 ms after the stamp
    for (size_t i = 1; i < toggleTimes.size(); ++i)
        EXPECT_DOUBLE_EQ(toggleTimes[i] - toggleTimes[i - 1], 101.0);
    EXPECT_FALSE(s.flickering);
    EXPECT_EQ(s.flashCountdown, 5);
    EXPECT_TRUE(s.light0Lit);                       // on, off, on, off, on

    // The next sequence ends with the light dark again.
    s.flickering = true;
    int toggles = 0;
    for (double t = 2001.0; t <= 4000.0 && s.flickering; t += 1.0) {
        gNow = t;
        if (stepAnimation(s, fixedClock)) ++toggles;
    }
    EXPECT_EQ(toggles, 5);
    EXPECT_FALSE(s.light0Lit);
}

TEST(Flicker, NoToggleAtExactly100msAndNoneWithoutASequence)
{
    SceneState s;
    s.lastFlashTime = 1000.0;
    gNow = 1100.0;
    s.flickering = true;
    EXPECT_FALSE(stepAnimation(s, fixedClock));
    EXPECT_EQ(s.flashCountdown, 5);

    s.flickering = false;
    gNow = 5000.0;
    EXPECT_FALSE(stepAnimation(s, fixedClock));
    EXPECT_FALSE(s.light0Lit);
    EXPECT_DOUBLE_EQ(s.lastFlashTime, 1000.0);
}

TEST(Flicker, StartingAgainDuringASequenceChangesNothing)
{
    SceneState s;
    s.flickering = true;
    gNow = 200.0;
    stepAnimation(s, fixedClock);
    ASSERT_EQ(s.flashCountdown, 4);

    s.flickering = true;                            // what the l key does
    EXPECT_EQ(s.flashCountdown, 4);
    int toggles = 0;
    for (double t = 201.0; t <= 2000.0 && s.flickering; t += 1.0) {
        gNow = t;
        if (stepAnimation(s, fixedClock)) ++toggles;
    }
    EXPECT_EQ(toggles, 4);                          // the sequence was not lengthened
}
