#pragma once
// The slider-crank law shared by the crank train and the gas charge, and the dimensions the
// two must agree on. Model units and degrees; pure functions.

constexpr float kCrankRadius = 1.5f;        // crank axis to crank pin
constexpr float kRodLength = 5.0f;          // between the rod's two eyes
constexpr float kThickness = 0.1f;          // base dimension of rod sizes and part offsets
constexpr double kPi = 3.141592653589793;

struct SliderCrank {
    double crankAngleRad;                   // theta
    double rodAngleRad;                     // beta
    double rodAngleDeg;                     // beta in degrees
    double pistonX;                         // piston pin along world x: 3.25 at TDC, 0.25 at BDC
};

SliderCrank sliderCrank(double angleDeg, double crankRadius, double rodLength);
