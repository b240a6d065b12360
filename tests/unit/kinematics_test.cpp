#include <gtest/gtest.h>

#include <cmath>

#include "model/crank_kinematics.h"

namespace {

constexpr double kCrankAxisX = -3.25;       // the engine's dimensions, model units
constexpr double kCrank = 1.5;
constexpr double kRod = 5.0;
constexpr double kDegree = 3.141592653589793 / 180.0;

}  // namespace

TEST(SliderCrank, PistonAndRodAtTheCycleLandmarks)
{
    struct Case {
        double angle, rodAngleDeg, pistonX;
    } cases[] = {
        {0, 0.0, 3.25},     {90, 17.4576, 1.51977}, {180, 0.0, 0.25},  {270, -17.4576, 1.51977},
        {360, 0.0, 3.25},   {540, 0.0, 0.25},       {630, -17.4576, 1.51977}, {720, 0.0, 3.25},
    };
    for (const Case& c : cases) {
        SliderCrank k = sliderCrank(c.angle, kCrank, kRod);
        EXPECT_NEAR(k.rodAngleDeg, c.rodAngleDeg, 1e-3) << "at " << c.angle;
        EXPECT_NEAR(k.pistonX, c.pistonX, 1e-4) << "at " << c.angle;
        EXPECT_NEAR(k.rodAngleRad / kDegree, k.rodAngleDeg, 1e-12);
    }
}

TEST(SliderCrank, TheRodIsRigidAndLeansTowardsTheCrankPin)
{
    // Whatever the angle, the piston pin on the x axis and the crank pin on its circle stay one
    // rod length apart, and the rod's angle is the slope of the line between them.
    for (double a = 0.0; a <= 720.0; a += 0.25) {
        SliderCrank k = sliderCrank(a, kCrank, kRod);
        const double pinX = kCrankAxisX + kCrank * std::cos(a * kDegree), pinY = kCrank * std::sin(a * kDegree);
        EXPECT_NEAR(std::hypot(k.pistonX - pinX, pinY), kRod, 1e-9) << a;
        EXPECT_NEAR(k.rodAngleRad, std::atan2(pinY, k.pistonX - pinX), 1e-9) << a;
        EXPECT_GE(k.pistonX, 0.25 - 1e-12);
        EXPECT_LE(k.pistonX, 3.25 + 1e-12);
    }
}
