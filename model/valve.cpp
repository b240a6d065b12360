#include "model/valve.h"

#include "model/material.h"

namespace {

constexpr float kStemRadius = 0.1f;
constexpr float kStemLength = 4.0f;
constexpr float kHeadRadius = 0.5f;
constexpr float kNeckHeight = 1.0f;         // cone from the head towards the stem
constexpr int kValveSlices = 12;
constexpr int kNeckSlices = 20;

PartRecipe makeValve()
{
    return {"valve", PartGroup::valves, kCrankMaterial, false,
            {pushStep(), rotateStep(90.0f, 0.0f, 1.0f, 0.0f),   // local z along the frame's +x
             shapeStep(cylinderShape(kStemRadius, kStemLength, kValveSlices, 1, true)),
             shapeStep(cylinderShape(kHeadRadius, kValveHeadThickness, kValveSlices, 1, true)),
             shapeStep(solidConeShape(kHeadRadius, kNeckHeight, kNeckSlices, 1)), popStep()}};
}

}  // namespace

const PartRecipe& valveRecipe()
{
    static const PartRecipe recipe = makeValve();
    return recipe;
}

Steps valveFrame(double crankAngleDeg, ValveSide side)
{
    return {translateStep(static_cast<float>(valveLift(crankAngleDeg, side)), valveY(side), 0.0f)};
}

Vec3 valveHeadCentre(double crankAngleDeg, ValveSide side)
{
    return {valveLift(crankAngleDeg, side) + kValveHeadThickness / 2, valveY(side), 0.0};
}
