#include "model/crank_train.h"

#include <cmath>

Vec3 pistonCentre(double angleDeg)
{
    // The body starts at the pin's plane; the piston's frame is raised by one thickness.
    return {sliderCrank(angleDeg, kCrankRadius, kRodLength).pistonX + kPistonBodyLength / 2, 0.0,
            kPistonZ + kThickness};
}

Vec3 rodMiddle(double angleDeg)
{
    const SliderCrank k = sliderCrank(angleDeg, kCrankRadius, kRodLength);
    return {(k.pistonX + kCrankAxisX + kCrankRadius * std::cos(k.crankAngleRad)) / 2,
            kCrankRadius * std::sin(k.crankAngleRad) / 2, kRodZ};
}

Vec3 crankWebMiddle(double angleDeg)
{
    const double theta = sliderCrank(angleDeg, kCrankRadius, kRodLength).crankAngleRad;
    return {kCrankAxisX + kCrankRadius / 2 * std::cos(theta), kCrankRadius / 2 * std::sin(theta),
            kCrankAxisZ + kWebSpacing};
}
