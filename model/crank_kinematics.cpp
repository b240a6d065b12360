#include "model/crank_kinematics.h"

#include <cmath>

SliderCrank sliderCrank(double angleDeg, double crankRadius, double rodLength)
{
    SliderCrank k;
    k.crankAngleRad = angleDeg * kPi / 180.0;
    // |r sin(theta) / L| stays at or below 0.3, so the arcsine is always defined.
    k.rodAngleRad = std::asin(std::sin(k.crankAngleRad) * crankRadius / rodLength);
    k.rodAngleDeg = 180.0 * k.rodAngleRad / kPi;
    // The crank axis stands at x = -(L + r) / 2, so the pin runs from 3.25 (TDC) to 0.25 (BDC).
    k.pistonX = crankRadius * std::cos(k.crankAngleRad) + rodLength * std::cos(k.rodAngleRad) -
                (rodLength + crankRadius) / 2.0;
    return k;
}
