#include "model/gas_volume.h"

#include <initializer_list>

namespace {

// Yellowish and half transparent; with lighting on the charge's alpha is the diffuse alpha.
constexpr Material kGasMaterial = {
    {0.2f, 0.2f, 0.1f, 1.0f}, {0.8f, 0.8f, 0.2f, 0.5f}, {0.8f, 0.8f, 0.8f, 1.0f}, 20.0f};

// The charge runs from just past the crown to the head's plane, a little wider than the bore so
// that no seam shows.
constexpr double kOverBore = 0.1;           // model units of radius
constexpr float kChamberRadius = static_cast<float>(kBoreRadius + kOverBore);
constexpr int kChamberSlices = 35;

// Passage charges, drawn while their valve stands beyond half its travel.
constexpr float kPortStartX = 7.5f;         // cylinder around the valve, along +x
constexpr float kPortY = 1.0f;
constexpr float kPortRadius = 0.8f;
constexpr float kPortLength = 1.5f;
constexpr int kPortSlices = 12;

// One passage charge on the side whose sign is ySign (+1 intake, -1 exhaust).
void addPassageCharge(Steps& s, float ySign)
{
    s.insert(s.end(), {pushStep(), translateStep(kPassageBoxX, ySign * kPassageBoxY, kPassageBoxZ),
                       scaleStep(kPassageBoxSize[0], kPassageBoxSize[1], kPassageBoxSize[2]),
                       shapeStep(solidCubeShape(1.0f)), popStep(),
                       pushStep(), translateStep(kPortStartX, ySign * kPortY, 0.0f),
                       rotateStep(90.0f, 0.0f, 1.0f, 0.0f),
                       shapeStep(cylinderShape(kPortRadius, kPortLength, kPortSlices, 1, true)), popStep()});
}

}  // namespace

PartRecipe gasCharges(double angleDeg)
{
    const double pistonX = sliderCrank(angleDeg, kCrankRadius, kRodLength).pistonX;
    Steps s = {pushStep(), translateStep(static_cast<float>(pistonX + kCrownGap), 0.0f, kChargeZ),
               rotateStep(90.0f, 0.0f, 1.0f, 0.0f),
               shapeStep(cylinderShape(kChamberRadius, static_cast<float>(kHeadPlaneX - kCrownGap - pistonX),
                                       kChamberSlices, 1, true)),
               popStep()};
    for (ValveSide side : {ValveSide::intake, ValveSide::exhaust})
        if (passageWindow(side).contains(angleDeg)) addPassageCharge(s, sideSign(side));
    return {"gas", PartGroup::gas, kGasMaterial, false, s};
}

Vec3 chamberCentre(double angleDeg)
{
    const double crown = sliderCrank(angleDeg, kCrankRadius, kRodLength).pistonX + kCrownGap;
    return {(crown + kHeadPlaneX) / 2, 0.0, kChargeZ};
}

Vec3 passageCentre(ValveSide side)
{
    return {kPassageBoxX, sideSign(side) * kPassageBoxY, kPassageBoxZ};
}

Vec3 passageMouth(ValveSide side)
{
    return {kPassageBoxX, sideSign(side) * (kPassageBoxY + kPassageBoxSize[1] / 2), kPassageBoxZ};
}
