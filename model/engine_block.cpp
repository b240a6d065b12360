#include "model/engine_block.h"

namespace {

constexpr int kRoundSlices = 35;            // angular steps of every cylinder of the casing
constexpr int kConeSlices = 20;             // angular steps of the GLUT cones
constexpr int kOneStack = 1;

// Lit grey metal with no highlight; the aluminium texture multiplies it (GL_MODULATE).
constexpr Material kCasingMaterial = {
    {0.2f, 0.2f, 0.2f, 1.0f}, {0.3f, 0.3f, 0.3f, 1.0f}, {0.0f, 0.0f, 0.0f, 1.0f}, 10.0f};
// Yellowish ceramic with a strong yellow highlight.
constexpr Material kSparkPlugMaterial = {
    {0.2f, 0.2f, 0.1f, 1.0f}, {0.3f, 0.3f, 0.2f, 1.0f}, {0.8f, 0.8f, 0.1f, 1.0f}, 10.0f};

// Crankcase, about the vertical line x = -3.2, y = 0 (model units).
constexpr float kCrankcaseX = -3.2f;
constexpr float kCrankcaseRadius = 3.2f;
constexpr float kCrankcaseWallBottomZ = -0.8f;
constexpr float kCrankcaseWallHeight = 1.8f;
constexpr float kCrankcaseWallStartDeg = 36.0f;          // the 72-degree gap is centred on +x
constexpr double kCrankcaseWallSweep = 1.6 * kPi;        // 288 degrees of wall
constexpr float kCrankcaseDrumDrop = -1.2f;              // drum below the wall, z -2 to -0.6
constexpr float kCrankcaseDrumHeight = 1.4f;
constexpr float kCrankcaseBottomZ = -2.0f;               // the funnel hangs down from here
constexpr float kFunnelHeight = 1.8f;
constexpr float kSumpRadius = 1.7f;
constexpr float kSumpLength = 1.8f;

// Barrel: the shells' dimensions beyond the header's.
constexpr float kBore = static_cast<float>(kBoreRadius);
constexpr float kBarrelOuterLength = 10.0f;
constexpr double kHalfTurn = kPi;                        // radians: the half below z = 0

// A box of the casing: an optional turn about z (degrees), then translation, scale and the
// unit cube drawn at cubeScale. Model units.
struct Box {
    float turnDeg;
    float x, y, z;
    float sx, sy, sz;
    float cubeScale;
};

constexpr Box kBoxes[] = {
    {0.0f, 3.6f, 2.5f, 0.5f, 8.7f, 1.0f, 1.0f, 1.0f},        // raises the barrel's +y rim to z = 1
    {0.0f, 3.6f, -2.5f, 0.5f, 8.7f, 1.0f, 1.0f, 1.0f},       // and its -y rim
    {50.0f, 1.6f, 2.5f, -0.4f, 1.0f, 2.5f, 2.35f, 1.2f},     // sloping wall, crankcase to barrel, +y
    {0.0f, -2.4f, 3.7f, -0.4f, 1.3f, 1.0f, 2.35f, 1.2f},     // its foot on the crankcase, +y
    {-50.0f, 1.6f, -2.5f, -0.4f, 1.0f, 2.5f, 2.35f, 1.2f},   // sloping wall, -y
    {0.0f, -2.4f, -3.7f, -0.4f, 1.3f, 1.0f, 2.35f, 1.2f},    // its foot, -y
    {0.0f, 10.2f, 0.0f, -1.0f, 1.0f, 10.0f, 3.9f, 1.0f},     // head: end wall
    {0.0f, 7.8f, 3.25f, -1.0f, 0.6f, 3.5f, 3.9f, 1.0f},      // head: inner wall, intake side
    {0.0f, 7.8f, -3.25f, -1.0f, 0.6f, 3.5f, 3.9f, 1.0f},     // head: inner wall, exhaust side
    {0.0f, 9.0f, 0.0f, -1.75f, 3.0f, 10.0f, 2.5f, 1.0f},     // head: floor of both passages
    {0.0f, 9.0f, 0.0f, 0.5f, 3.0f, 1.0f, 1.0f, 1.0f},        // head: ridge between the passages
};

// Spark plug: the cone's base radius.
constexpr float kPlugRadius = 0.2f;

PartRecipe makeCasing()
{
    Steps s;
    // Crankcase wall and drum.
    s.push_back(pushStep());
    s.push_back(translateStep(kCrankcaseX, 0.0f, kCrankcaseWallBottomZ));
    s.push_back(rotateStep(kCrankcaseWallStartDeg, 0.0f, 0.0f, 1.0f));
    s.push_back(shapeStep(cylinderSectorShape(kCrankcaseRadius, kCrankcaseWallHeight, kRoundSlices,
                                              kOneStack, false, kCrankcaseWallSweep)));
    s.push_back(translateStep(0.0f, 0.0f, kCrankcaseDrumDrop));
    s.push_back(shapeStep(cylinderShape(kCrankcaseRadius, kCrankcaseDrumHeight, kRoundSlices, kOneStack, true)));
    s.push_back(popStep());
    // Crankcase bottom, local +z down. The funnel has its own push and pop: Mesa drops the
    // cylinder that directly follows a GLUT shape in a list replayed in selection mode, and a
    // click there must pick the block.
    s.push_back(pushStep());
    s.push_back(translateStep(kCrankcaseX, 0.0f, kCrankcaseBottomZ));
    s.push_back(rotateStep(180.0f, 0.0f, 1.0f, 0.0f));
    s.push_back(pushStep());
    s.push_back(shapeStep(solidConeShape(kCrankcaseRadius, kFunnelHeight, kConeSlices, kOneStack)));
    s.push_back(popStep());
    s.push_back(shapeStep(cylinderShape(kSumpRadius, kSumpLength, kRoundSlices, kOneStack, true)));
    s.push_back(popStep());
    // Barrel, local +z along -x.
    s.push_back(pushStep());
    s.push_back(translateStep(kBarrelHeadX, 0.0f, 0.0f));
    s.push_back(rotateStep(-90.0f, 1.0f, 0.0f, 0.0f));
    s.push_back(rotateStep(-90.0f, 0.0f, 1.0f, 0.0f));
    s.push_back(translateStep(0.0f, 0.0f, kBarrelHeadGap));
    s.push_back(shapeStep(cylinderSectorReversedShape(kBore, kBoreLength, kRoundSlices, kOneStack, false, kHalfTurn)));
    s.push_back(shapeStep(cylinderSectorShape(kBarrelOuterRadius, kBarrelOuterLength, kRoundSlices,
                                              kOneStack, false, kHalfTurn)));
    s.push_back(popStep());
    // The boxes, each from the casing's own frame.
    for (const Box& b : kBoxes) {
        s.push_back(pushStep());
        if (b.turnDeg != 0.0f) s.push_back(rotateStep(b.turnDeg, 0.0f, 0.0f, 1.0f));
        s.push_back(translateStep(b.x, b.y, b.z));
        s.push_back(scaleStep(b.sx, b.sy, b.sz));
        s.push_back(shapeStep(texturedCubeShape(b.cubeScale)));
        s.push_back(popStep());
    }
    return {"casing", PartGroup::block, kCasingMaterial, true, s};
}

PartRecipe makeSparkPlug()
{
    return {"spark plug", PartGroup::block, kSparkPlugMaterial, false,
            {pushStep(), translateStep(kPlugBaseX, 0.0f, 0.0f), rotateStep(-90.0f, 0.0f, 1.0f, 0.0f),
             shapeStep(solidConeShape(kPlugRadius, kPlugLength, kConeSlices, kOneStack)), popStep()}};
}

}  // namespace

const PartRecipe& casingRecipe()
{
    static const PartRecipe recipe = makeCasing();
    return recipe;
}

const PartRecipe& sparkPlugRecipe()
{
    static const PartRecipe recipe = makeSparkPlug();
    return recipe;
}

Vec3 sparkPlugTip() { return {kPlugBaseX - kPlugLength, 0.0, 0.0}; }

Vec3 cylinderWallPoint()
{
    return {kBarrelHeadX - kBarrelHeadGap - kBoreLength / 2, -(kBoreRadius + kBarrelOuterRadius) / 2, 0.0};
}
