// The engine's parts as data, with no window: where the tessellated shapes stand at a crank
// angle, read back through the same matrices another renderer draws them with.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "model/crank_train.h"
#include "model/cycle.h"
#include "model/engine_block.h"
#include "model/engine_parts.h"
#include "model/gas_volume.h"
#include "model/placement.h"
#include "model/valve.h"

namespace {

struct Box {
    Vec3 lo{std::numeric_limits<double>::max(), std::numeric_limits<double>::max(),
            std::numeric_limits<double>::max()};
    Vec3 hi{-std::numeric_limits<double>::max(), -std::numeric_limits<double>::max(),
            -std::numeric_limits<double>::max()};
    void add(const Vec3& p)
    {
        lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
        hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
    }
    bool contains(const Vec3& p) const
    {
        return p.x >= lo.x && p.x <= hi.x && p.y >= lo.y && p.y <= hi.y && p.z >= lo.z && p.z <= hi.z;
    }
};

// Every vertex of the recipe's shapes in the world frame, with the part placed by placement.
Box worldBox(const PartRecipe& recipe, const Steps& placement)
{
    Box box;
    for (const PlacedShape& s : placeShapes(recipe.steps, stepsMatrix(placement, identityMatrix())))
        for (const MeshRun& run : tessellate(s.shape))
            for (const MeshVertex& v : run.vertices)
                box.add(transformPoint(s.model, {v.position[0], v.position[1], v.position[2]}));
    return box;
}

const PlacedPart& partNamed(const std::vector<PlacedPart>& parts, const char* name, int nth = 0)
{
    for (const PlacedPart& p : parts)
        if (std::string(p.recipe->name) == name && nth-- == 0) return p;
    throw std::runtime_error(name);
}

size_t vertexCount(const Shape& s)
{
    size_t n = 0;
    for (const MeshRun& run : tessellate(s)) n += run.vertices.size();
    return n;
}

}  // namespace

TEST(EngineParts, TheCrankTrainAndTheGasStayInsideTheBlockAtEveryAngle)
{
    // The casing is cut away above the cylinder's axis: what it would hold reaches up to the
    // barrel's outer radius. (The valve stems stand out of the head, as in an engine.)
    Box block = worldBox(casingRecipe(), {});
    block.hi.z = kBarrelOuterRadius;
    for (double angle = 0.0; angle <= kCycleDeg; angle += 15.0) {
        for (const PlacedPart& p : enginePartsAt(angle)) {
            if (p.recipe->group != PartGroup::crankTrain) continue;
            const Box b = worldBox(*p.recipe, p.placement);
            EXPECT_TRUE(block.contains(b.lo) && block.contains(b.hi)) << p.recipe->name << " at " << angle;
        }
        const Box gas = worldBox(gasCharges(angle), {});
        EXPECT_TRUE(block.contains(gas.lo) && block.contains(gas.hi)) << "gas at " << angle;
    }
}

TEST(EngineParts, ThePistonsCrownIsWhereTheCylindersVolumesSayAtBothDeadCentres)
{
    for (const double angle : {0.0, 180.0, 360.0, 540.0, 90.0}) {
        const Box piston = worldBox(pistonRecipe(), pistonFrame(angle));
        const double pinX = sliderCrank(angle, kCrankRadius, kRodLength).pistonX;
        EXPECT_NEAR(piston.hi.x, pinX + kPistonCrownOffset, 1e-5) << angle;
        // As wide as the bore, up to the 35-sided polygon's rounding.
        EXPECT_LE(piston.hi.y, kBoreRadius + 1e-6) << angle;
        EXPECT_GT(piston.hi.y - piston.lo.y, 0.995 * 2 * kBoreRadius) << angle;
        // The chamber the volumes are computed for starts there.
        EXPECT_NEAR(worldBox(gasCharges(angle), {}).lo.x, pinX + kCrownGap, 1e-5) << angle;
    }
    // At top dead centre the crown stands closest to the head, and short of it.
    const double tdcCrown = worldBox(pistonRecipe(), pistonFrame(0.0)).hi.x;
    EXPECT_LT(tdcCrown, kHeadPlaneX);
    EXPECT_GT(tdcCrown, worldBox(pistonRecipe(), pistonFrame(180.0)).hi.x);
}

TEST(EngineParts, EachValvesHeadStandsAtItsLiftOnItsSide)
{
    for (double angle = 0.0; angle <= kCycleDeg; angle += 30.0) {
        const std::vector<PlacedPart> parts = enginePartsAt(angle);
        for (const ValveSide side : {ValveSide::intake, ValveSide::exhaust}) {
            const PlacedPart& valve = partNamed(parts, "valve", side == ValveSide::intake ? 0 : 1);
            const Box b = worldBox(*valve.recipe, valve.placement);
            EXPECT_NEAR(b.lo.x, valveLift(angle, side), 1e-5) << angle;
            EXPECT_NEAR((b.lo.y + b.hi.y) / 2, valveY(side), 1e-5) << angle;
            EXPECT_TRUE(b.contains(valveHeadCentre(angle, side))) << angle;
        }
    }
}

TEST(EngineParts, TheLabelsPointsLieInTheirParts)
{
    for (int stroke = 1; stroke <= kStrokeCount; ++stroke) {
        const double angle = tellingAngleDeg(stroke);
        const std::vector<PlacedPart> parts = enginePartsAt(angle);
        const PlacedPart& piston = partNamed(parts, "piston");
        EXPECT_TRUE(worldBox(*piston.recipe, piston.placement).contains(pistonCentre(angle))) << angle;
        const PlacedPart& rod = partNamed(parts, "connecting rod");
        EXPECT_TRUE(worldBox(*rod.recipe, rod.placement).contains(rodMiddle(angle))) << angle;
        const PlacedPart& web = partNamed(parts, "crank web", 1);
        EXPECT_TRUE(worldBox(*web.recipe, web.placement).contains(crankWebMiddle(angle))) << angle;
        EXPECT_TRUE(worldBox(gasCharges(angle), {}).contains(chamberCentre(angle))) << angle;
    }
    // The plug's cone ends at its tip in the chamber.
    const Box plug = worldBox(sparkPlugRecipe(), {});
    EXPECT_NEAR(plug.lo.x, sparkPlugTip().x, 1e-5);
    EXPECT_TRUE(worldBox(casingRecipe(), {}).contains(cylinderWallPoint()));
    // Every group that can be singled out names itself first, in the large size.
    for (const PartGroup g : {PartGroup::valves, PartGroup::crankTrain, PartGroup::block}) {
        const auto first = std::find_if(partLabels().begin(), partLabels().end(),
                                        [g](const PartLabel& l) { return l.group == g; });
        ASSERT_NE(first, partLabels().end());
        EXPECT_EQ(first->size, LabelSize::groupName);
    }
}

TEST(EngineParts, GroupsTexturesAndTheTessellationsSize)
{
    int perGroup[3] = {0, 0, 0};
    for (const PlacedPart& p : enginePartsAt(0.0)) {
        ++perGroup[static_cast<int>(p.recipe->group)];
        EXPECT_EQ(p.recipe->textured, std::string(p.recipe->name) == "casing") << p.recipe->name;
    }
    EXPECT_EQ(perGroup[static_cast<int>(PartGroup::valves)], 2);
    EXPECT_EQ(perGroup[static_cast<int>(PartGroup::crankTrain)], 4);   // two webs, piston, rod
    EXPECT_EQ(perGroup[static_cast<int>(PartGroup::block)], 2);        // casing and plug

    // Strips of two vertices a column, fans of a centre and a rim, the cube's twelve triangles.
    EXPECT_EQ(vertexCount(cylinderShape(1.0f, 2.0f, 8, 3, true)), 3u * 9 * 2 + 2u * 10);
    EXPECT_EQ(vertexCount(cylinderSectorShape(1.0f, 2.0f, 10, 1, false, 1.0)), 11u * 2);
    EXPECT_EQ(vertexCount(solidCubeShape(2.0f)), 36u);
    EXPECT_EQ(vertexCount(solidConeShape(1.0f, 1.0f, 20, 3)), 4u * 21 * 2);
    EXPECT_EQ(vertexCount(texturedCubeShape(1.2f)), 24u);

    // GLUT's normals are of unit length; the cylinders' side normals point away from their axis.
    for (const Shape& s : {solidConeShape(3.2f, 1.8f, 20, 1), solidCubeShape(0.7f)})
        for (const MeshRun& run : tessellate(s))
            for (const MeshVertex& v : run.vertices)
                EXPECT_NEAR(std::hypot(v.normal[0], v.normal[1], v.normal[2]), 1.0, 1e-6);
    for (const MeshRun& run : tessellate(cylinderShape(1.5f, 1.0f, 12, 1, false)))
        for (const MeshVertex& v : run.vertices)
            EXPECT_GT(v.normal[0] * v.position[0] + v.normal[1] * v.position[1], 0.0);
}
