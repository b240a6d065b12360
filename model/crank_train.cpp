#include "model/crank_train.h"

#include <cmath>

namespace {

constexpr Material kRodMaterial = {
    {0.2f, 0.2f, 0.2f, 1.0f}, {0.8f, 0.8f, 0.8f, 1.0f}, {0.8f, 0.8f, 0.8f, 1.0f}, 40.0f};
// Red piston. A shininess of 200 is beyond OpenGL's 0 to 128 and would be refused, leaving the
// webs' 20 in force; 20 is given directly, which is the same picture without the GL error.
constexpr Material kPistonMaterial = {
    {0.2f, 0.1f, 0.0f, 1.0f}, {0.9f, 0.1f, 0.1f, 1.0f}, {0.1f, 0.1f, 0.1f, 1.0f}, 20.0f};

// Crank web, in its own frame: crank axis along local z, crank pin on +x. Model units.
constexpr float kStubRadius = 0.1f;         // the stubs on the axis and at the pin
constexpr float kStubLength = 0.2f;
constexpr int kStubSlices = 8;
constexpr float kPinBossRadius = 0.5f;      // half disc around the pin
constexpr float kPinBossThickness = 0.3f;
constexpr int kBossSlices = 10;
constexpr float kArmLength = 3.0f;          // box centred on the axis
constexpr float kArmWidth = 1.0f;
constexpr float kArmThickness = 0.3f;
constexpr float kCounterweightRadius = 3.0f;
constexpr float kCounterweightStartDeg = 135.0f;   // spans 135 to 225 degrees, opposite the pin
constexpr float kCutPlateOffset = -1.48f;  // plates that close the counterweight's two cuts
constexpr float kCutPlateThickness = 0.01f;

// Connecting rod, small eye at the origin, big eye at (rodLength, 0, 0).
constexpr float kEyeEdge = 7 * kThickness;  // each eye a cube
constexpr int kShankSlices = 10;
constexpr int kShankStacks = 10;

// Piston: a body and three discs with 0.2 gaps, the last one's face the crown.
constexpr float kPistonRadius = static_cast<float>(kBoreRadius);
constexpr float kPistonDiscLength = 0.2f;
constexpr float kDiscPitch = 0.4f;
constexpr float kFirstDiscOffset =          // from the body's start
    static_cast<float>(kPistonCrownOffset - 2 * kDiscPitch - kPistonDiscLength);
constexpr int kPistonSlices = 35;
constexpr double kFullTurn = 2.0 * kPi;

// The second web is the first turned half a turn about x: pin and counterweight keep their
// angles while the stubs point the other way along the axis.
constexpr float kMirrorTurnDeg = 180.0f;

Shape stub() { return cylinderShape(kStubRadius, kStubLength, kStubSlices, 1, true); }

PartRecipe makeWeb()
{
    const Shape plate = solidCubeShape(1.0f);
    return {"crank web", PartGroup::crankTrain, kCrankMaterial, false,
            {pushStep(), translateStep(0.0f, 0.0f, kThickness / 2), shapeStep(stub()), popStep(),
             pushStep(), translateStep(kCrankRadius, 0.0f, kThickness / 2), shapeStep(stub()), popStep(),
             pushStep(), translateStep(kCrankRadius, 0.0f, -kPinBossThickness / 2),
             rotateStep(-90.0f, 0.0f, 0.0f, 1.0f),
             shapeStep(cylinderSectorShape(kPinBossRadius, kPinBossThickness, kBossSlices, 1, true, kPi)),
             popStep(),
             pushStep(), scaleStep(kArmLength, kArmWidth, kArmThickness), shapeStep(plate), popStep(),
             pushStep(), rotateStep(kCounterweightStartDeg, 0.0f, 0.0f, 1.0f),
             translateStep(0.0f, 0.0f, -kArmThickness / 2),
             shapeStep(cylinderSectorShape(kCounterweightRadius, kArmThickness, kBossSlices, 1, true, kPi / 2)),
             popStep(),
             pushStep(), rotateStep(45.0f, 0.0f, 0.0f, 1.0f), translateStep(kCutPlateOffset, 0.0f, 0.0f),
             scaleStep(kArmLength, kCutPlateThickness, kArmThickness), shapeStep(plate), popStep(),
             pushStep(), rotateStep(-45.0f, 0.0f, 0.0f, 1.0f), translateStep(kCutPlateOffset, 0.0f, 0.0f),
             scaleStep(kArmLength, kCutPlateThickness, kArmThickness), shapeStep(plate), popStep()}};
}

PartRecipe makeRod()
{
    return {"connecting rod", PartGroup::crankTrain, kRodMaterial, false,
            {shapeStep(solidCubeShape(kEyeEdge)),
             pushStep(), translateStep(kRodLength, 0.0f, 0.0f), shapeStep(solidCubeShape(kEyeEdge)), popStep(),
             pushStep(), translateStep(kThickness / 2, 0.0f, 0.0f), rotateStep(90.0f, 0.0f, 1.0f, 0.0f),
             shapeStep(cylinderShape(3 * kThickness, kRodLength - kThickness, kShankSlices, kShankStacks, false)),
             popStep()}};
}

PartRecipe makePiston()
{
    const Shape body = cylinderSectorShape(kPistonRadius, kPistonBodyLength, kPistonSlices, 1, true, kFullTurn);
    const Shape disc = cylinderSectorShape(kPistonRadius, kPistonDiscLength, kPistonSlices, 1, true, kFullTurn);
    // Local z runs along the frame's +x and local x along its -z: the move raises the piston by
    // one thickness.
    return {"piston", PartGroup::crankTrain, kPistonMaterial, false,
            {pushStep(), rotateStep(90.0f, 0.0f, 1.0f, 0.0f), translateStep(-kThickness, 0.0f, 0.0f),
             shapeStep(body), translateStep(0.0f, 0.0f, kFirstDiscOffset), shapeStep(disc),
             translateStep(0.0f, 0.0f, kDiscPitch), shapeStep(disc), translateStep(0.0f, 0.0f, kDiscPitch),
             shapeStep(disc), popStep()}};
}

}  // namespace

const PartRecipe& crankWebRecipe()
{
    static const PartRecipe recipe = makeWeb();
    return recipe;
}

const PartRecipe& rodRecipe()
{
    static const PartRecipe recipe = makeRod();
    return recipe;
}

const PartRecipe& pistonRecipe()
{
    static const PartRecipe recipe = makePiston();
    return recipe;
}

Steps crankFrame(double angleDeg)
{
    return {translateStep(kCrankAxisX, 0.0f, kCrankAxisZ),
            rotateStep(static_cast<float>(angleDeg), 0.0f, 0.0f, 1.0f)};   // twice per cycle
}

Steps mirroredWebTurn() { return {rotateStep(kMirrorTurnDeg, 1.0f, 0.0f, 0.0f)}; }

Steps secondWebShift() { return {translateStep(0.0f, 0.0f, kWebSpacing)}; }

Steps pistonFrame(double angleDeg)
{
    const double x = sliderCrank(angleDeg, kCrankRadius, kRodLength).pistonX;
    return {translateStep(static_cast<float>(x), 0.0f, kPistonZ)};
}

Steps rodFrame(double angleDeg)
{
    // The rod runs from the piston pin back to the crank pin: its big eye lands on the pin.
    const SliderCrank k = sliderCrank(angleDeg, kCrankRadius, kRodLength);
    return {translateStep(static_cast<float>(k.pistonX), 0.0f, kRodZ),
            rotateStep(static_cast<float>(180.0 - k.rodAngleDeg), 0.0f, 0.0f, 1.0f)};
}

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
