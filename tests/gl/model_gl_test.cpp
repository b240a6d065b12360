#include <GL/glu.h>
#include <GL/glut.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <vector>

#include "app/scene_state.h"
#include "app/startup.h"
#include "model/engine_parts.h"
#include "model/gas_volume.h"
#include "model/placement.h"
#include "render/axis_marker.h"
#include "render/crank_train.h"
#include "render/gas_volume.h"
#include "render/mesh.h"
#include "render/part_steps.h"
#include "render/textured_cube.h"
#include "render/valve.h"
#include "tests/support/gl_window.h"

namespace {

// A vertex as feedback mode returns it with GL_3D_COLOR_TEXTURE: window x, y, z, colour, s t r q.
struct FeedbackVertex {
    float x, y, z, colour[4], tex[4];
};
struct Feedback {
    int polygons = 0;
    int lines = 0;
    std::vector<FeedbackVertex> vertices;
};

// Orthographic view of [-10, 10] x [-7.5, 7.5] seen from +z, 40 pixels a unit, so window
// x = 400 + 40 * model x and window y = 300 + 40 * model y.
void topView()
{
    testgl::openWindow();
    glViewport(0, 0, 800, 600);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-10, 10, -7.5, 7.5, -20, 20);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

template <typename Draw>
Feedback feedback(Draw draw)
{
    std::vector<GLfloat> buffer(1 << 20);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const int n = glRenderMode(GL_RENDER);
    Feedback f;
    constexpr int kVertexFloats = 11;
    for (int i = 0; i < n;) {
        const int token = static_cast<int>(buffer[i++]);
        int count = 0;
        if (token == GL_POLYGON_TOKEN) {
            count = static_cast<int>(buffer[i++]);
            ++f.polygons;
        } else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
            count = 2;
            ++f.lines;
        } else if (token == GL_POINT_TOKEN || token == GL_BITMAP_TOKEN ||
                   token == GL_DRAW_PIXEL_TOKEN || token == GL_COPY_PIXEL_TOKEN) {
            count = 1;
        } else if (token == GL_PASS_THROUGH_TOKEN) {
            ++i;
        }
        for (int v = 0; v < count; ++v, i += kVertexFloats) {
            FeedbackVertex fv;
            std::copy(&buffer[i], &buffer[i] + kVertexFloats, &fv.x);
            f.vertices.push_back(fv);
        }
    }
    return f;
}

void expectIdentityModelview(const char* what)
{
    GLdouble m[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, m);
    for (int i = 0; i < 16; ++i) EXPECT_DOUBLE_EQ(m[i], i % 5 == 0 ? 1.0 : 0.0) << what << " element " << i;
}

// Smallest and largest vertex coordinate along one window axis, in model units of topView.
std::pair<double, double> extent(const Feedback& f, float FeedbackVertex::*axis, float centre)
{
    float lo = 1e9f, hi = -1e9f;
    for (const FeedbackVertex& v : f.vertices) {
        lo = std::min(lo, v.*axis);
        hi = std::max(hi, v.*axis);
    }
    return {(lo - centre) / 40.0, (hi - centre) / 40.0};
}

std::vector<float> currentNormal()
{
    std::vector<float> n(3);
    glGetFloatv(GL_CURRENT_NORMAL, n.data());
    return n;
}

// Lit from the viewer's side with one plain white light, so a part shows its diffuse colour.
void plainLight()
{
    glEnable(GL_LIGHTING);
    glDisable(GL_LIGHT2);
    glDisable(GL_LIGHT3);
    glDisable(GL_LIGHT4);
    glEnable(GL_LIGHT0);
    const GLfloat white[4] = {1, 1, 1, 1};
    const GLfloat towardsViewer[4] = {0, 0, 1, 0};
    const GLfloat black[4] = {0, 0, 0, 1};
    glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
    glLightfv(GL_LIGHT0, GL_SPECULAR, black);       // no highlight over the diffuse colour
    glLightfv(GL_LIGHT0, GL_POSITION, towardsViewer);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_NORMALIZE);
}

void restoreStartLights()
{
    glDisable(GL_LIGHT0);
    glEnable(GL_LIGHT2);
    glEnable(GL_LIGHT3);
    glEnable(GL_LIGHT4);
}

}  // namespace

TEST(CylinderBuilders, EmitStacksOfQuadStripsAndTwoFansForCaps)
{
    topView();
    // A quad strip of n vertex pairs comes back as 2 (n - 1) triangles; a fan of k vertices as k - 2.
    Feedback open = feedback([] { drawCylinder(1.0f, 2.0f, 8, 3, false); });
    EXPECT_EQ(open.polygons, 3 * 2 * 8);
    Feedback closed = feedback([] { drawCylinder(1.0f, 2.0f, 8, 3, true); });
    EXPECT_EQ(closed.polygons, 3 * 2 * 8 + 2 * 8);
    Feedback sector = feedback([] { drawCylinderSector(2.0f, 1.0f, 10, 1, true, 3.141592653589793); });
    EXPECT_EQ(sector.polygons, 2 * 10 + 2 * 10);
}

TEST(CylinderBuilders, TextureCoordinatesSpanTheSideAndStepByStack)
{
    topView();
    Feedback f = feedback([] { drawCylinder(1.0f, 2.0f, 12, 10, false); });
    ASSERT_FALSE(f.vertices.empty());
    float sMin = 1e9f, sMax = -1e9f;
    std::set<int> tSteps;
    for (const FeedbackVertex& v : f.vertices) {
        sMin = std::min(sMin, v.tex[0]);
        sMax = std::max(sMax, v.tex[0]);
        const float tenths = v.tex[1] * 10.0f;
        EXPECT_NEAR(tenths, std::round(tenths), 1e-4) << "t " << v.tex[1] << " is not a multiple of 0.1";
        tSteps.insert(static_cast<int>(std::lround(tenths)));
    }
    EXPECT_NEAR(sMin, 0.0f, 1e-5);
    EXPECT_NEAR(sMax, 1.0f, 1e-5);
    EXPECT_EQ(tSteps.size(), 11u);                  // 0, 0.1, ..., 1
}

TEST(CylinderBuilders, SideNormalsTiltAsEachBuilderSays)
{
    topView();
    const double pi = 3.141592653589793;
    // The last side normal is the vertex's own x and y at the sweep, with the builder's z.
    drawCylinder(2.0f, 1.0f, 10, 1, false);
    std::vector<float> n = currentNormal();
    EXPECT_NEAR(n[0], 2.0f, 1e-4);
    EXPECT_NEAR(n[1], 0.0f, 1e-4);
    EXPECT_FLOAT_EQ(n[2], 0.0f);

    drawCylinderSector(2.0f, 1.0f, 10, 1, false, pi);
    n = currentNormal();
    EXPECT_NEAR(n[0], -2.0f, 1e-4);
    EXPECT_NEAR(n[1], 0.0f, 1e-4);
    EXPECT_FLOAT_EQ(n[2], 1.0f);                    // about 26.6 degrees towards +z at radius 2

    drawCylinderSectorReversed(2.0f, 1.0f, 10, 1, false, pi);
    EXPECT_FLOAT_EQ(currentNormal()[2], -1.0f);
    drawCylinderSectorReversed(2.0f, 1.0f, 10, 1, true, pi);
    EXPECT_FLOAT_EQ(currentNormal()[2], -1.0f);     // its top cap faces -z
    drawCylinderSector(2.0f, 1.0f, 10, 1, true, pi);
    EXPECT_FLOAT_EQ(currentNormal()[2], 1.0f);
}

TEST(TexturedCubeAndMarker, CubeSpansItsScaleAndMarkerLeavesLightingOnAndBlue)
{
    topView();
    TexturedCube cube;
    EXPECT_TRUE(glIsList(cube.list));
    Feedback f = feedback([&] { cube.draw(1.2); });
    EXPECT_EQ(f.polygons, 12);
    float xMin = 1e9f, xMax = -1e9f, yMin = 1e9f, yMax = -1e9f;
    for (const FeedbackVertex& v : f.vertices) {
        xMin = std::min(xMin, v.x);
        xMax = std::max(xMax, v.x);
        yMin = std::min(yMin, v.y);
        yMax = std::max(yMax, v.y);
    }
    EXPECT_NEAR(xMax - xMin, 1.2f * 40, 0.01);     // 40 pixels a unit
    EXPECT_NEAR(yMax - yMin, 1.2f * 40, 0.01);
    EXPECT_NEAR((xMax + xMin) / 2, 400.0f, 0.01);
    expectIdentityModelview("after the cube");

    AxisMarker marker;
    EXPECT_TRUE(glIsList(marker.list));
    glDisable(GL_LIGHTING);
    Feedback m = feedback([&] { marker.draw(); });
    EXPECT_EQ(m.lines, 3);
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[0], 0.0f);
    EXPECT_FLOAT_EQ(colour[1], 0.0f);
    EXPECT_FLOAT_EQ(colour[2], 1.0f);
}

TEST(SceneObjects, InitSceneBuildsThemAndEveryListCompiles)
{
    testgl::openWindow();
    initScene();
    ASSERT_TRUE(scene.axisMarker && scene.crankTrain && scene.gas && scene.intakeValve && scene.exhaustValve);
    EXPECT_TRUE(glIsList(scene.axisMarker->list));
    EXPECT_TRUE(glIsList(scene.crankTrain->webList));
    EXPECT_TRUE(glIsList(scene.crankTrain->mirroredWebList));
    EXPECT_TRUE(glIsList(scene.crankTrain->rodList));
    EXPECT_TRUE(glIsList(scene.crankTrain->pistonList));
    EXPECT_TRUE(glIsList(scene.intakeValve->list));
    EXPECT_TRUE(glIsList(scene.exhaustValve->list));
    EXPECT_NE(scene.intakeValve->list, scene.exhaustValve->list);
}

TEST(SceneObjects, DrawsLeaveTheMatrixAndGasLeavesBlendingOff)
{
    topView();
    CrankTrain crank;
    GasVolume gas;
    Valve valve;
    for (float angle : {0.0f, 90.0f, 100.0f, 359.0f, 600.0f, 720.0f}) {
        crank.draw(angle);
        expectIdentityModelview("after the crank train");
        gas.draw(angle);
        expectIdentityModelview("after the gas");
        EXPECT_FALSE(glIsEnabled(GL_BLEND)) << angle;
        valve.draw();
        expectIdentityModelview("after a valve");
    }
    crank.draw(90.0f);
    EXPECT_NEAR(crank.rodAngleDeg, 17.4576, 1e-3);
    EXPECT_NEAR(crank.pistonX, 1.51977, 1e-4);
}

TEST(GasVolume, PassageChargesOnlyStrictlyInsideTheirWindows)
{
    topView();
    GasVolume gas;
    const int chamberOnly = feedback([&] { gas.draw(0.0f); }).polygons;
    ASSERT_GT(chamberOnly, 0);
    for (float angle : {0.0f, 45.0f, 135.0f, 300.0f, 585.0f, 675.0f, 720.0f})
        EXPECT_EQ(feedback([&] { gas.draw(angle); }).polygons, chamberOnly) << angle;
    for (float angle : {45.01f, 90.0f, 134.99f, 585.01f, 630.0f, 674.99f}) {
        Feedback f = feedback([&] { gas.draw(angle); });
        EXPECT_GT(f.polygons, chamberOnly) << angle;
        // Fresh mixture fills the intake passage out to y = 5 and burnt gas the exhaust passage
        // out to y = -5; on the other side only the chamber charge's 35-sided 2.1 radius is reached.
        const auto [yMin, yMax] = extent(f, &FeedbackVertex::y, 300.0f);
        EXPECT_NEAR(yMax, angle < 360.0f ? 5.0 : 2.1, 0.01) << angle;
        EXPECT_NEAR(yMin, angle < 360.0f ? -2.1 : -5.0, 0.01) << angle;
    }

    // The chamber charge runs from 0.1 past the crown to the plug's base at x = 7.6.
    for (auto [angle, from] : {std::pair<float, double>{0.0f, 6.55}, {180.0f, 3.55}, {360.0f, 6.55}}) {
        const auto [xMin, xMax] = extent(feedback([&] { gas.draw(angle); }), &FeedbackVertex::x, 400.0f);
        EXPECT_NEAR(xMin, from, 1e-3) << angle;
        EXPECT_NEAR(xMax, 7.6, 1e-3) << angle;
    }
}

TEST(PixelProbes, PistonRedAtItsCrownAtTopDeadCentreOnly)
{
    topView();
    plainLight();
    CrankTrain crank;
    std::string failures;
    // x = 5.5 lies inside the piston at 0 degrees (3.25 to 6.45) and past it at 180 (0.25 to 3.45).
    const int px = 400 + static_cast<int>(5.5 * 40), py = 300;
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    crank.draw(0.0f);
    testgl::Rgb seen = testgl::readPixel(px, py);
    EXPECT_GT(seen.r, 150) << seen.r << "," << seen.g << "," << seen.b;
    EXPECT_LT(seen.g, 60);
    EXPECT_LT(seen.b, 60);

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    crank.draw(180.0f);
    testgl::probe(px, py, {0, 0, 0}, 2, &failures, "past the piston at 180");

    // The crank pin: at 0 degrees it lies at x = -1.75, at 180 degrees at x = -4.75.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    crank.draw(0.0f);
    testgl::Rgb boss = testgl::readPixel(400 + static_cast<int>(-1.5 * 40), 300);
    EXPECT_GT(boss.r + boss.g + boss.b, 150) << "nothing at the crank pin";

    // At 90 degrees the crank pin stands at (-3.25, 1.5) and the piston pin at x = 1.52: the
    // counterweight lies opposite the pin and the rod's middle at (-0.865, 0.75). At 270 degrees
    // both are mirrored in y, and the mirror image of each is empty space.
    const struct {
        const char* what;
        double x, y;
    } parts[] = {{"counterweight", -3.25, -2.5}, {"rod's middle", -0.865, 0.75}};
    for (auto [angle, side] : {std::pair<float, int>{90.0f, 1}, {270.0f, -1}}) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        crank.draw(angle);
        for (const auto& p : parts) {
            const int px = 400 + static_cast<int>(std::lround(p.x * 40));
            const int dy = static_cast<int>(std::lround(side * p.y * 40));
            testgl::Rgb part = testgl::readPixel(px, 300 + dy);
            EXPECT_GT(part.r + part.g + part.b, 150) << "no " << p.what << " at " << angle;
            testgl::probe(px, 300 - dy, {0, 0, 0}, 2, &failures, p.what);
        }
    }
    EXPECT_EQ(failures, "");
    restoreStartLights();
}

TEST(PixelProbes, EachValveYellowAlongItsStemOnItsSideAtItsLift)
{
    topView();
    plainLight();
    Valve intake, exhaust;
    glClearColor(0, 0, 0, 0);
    // Heads from the lift table: the intake valve (y = +1) opens over the intake stroke, the
    // exhaust valve (y = -1) over the exhaust stroke.
    const struct {
        float angle;
        double intakeHead, exhaustHead;
    } cases[] = {{0.0f, 7.5, 7.5}, {45.0f, 8.175, 7.5}, {90.0f, 8.85, 7.5}, {630.0f, 7.5, 8.85}};
    for (const auto& c : cases) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glPushMatrix();
        glTranslatef(-5.0f, 0.0f, 0.0f);            // so that both whole valves are in the view
        drawValvePair(intake, exhaust, c.angle);
        glPopMatrix();
        for (auto [y, head] : {std::pair<int, double>{1, c.intakeHead}, {-1, c.exhaustHead}}) {
            auto pixelX = [&](double past) { return 400 + static_cast<int>(std::lround((head - 5.0 + past) * 40)); };
            // The stem reaches from the head 4 units along +x; the neck cone covers the first unit.
            testgl::Rgb stem = testgl::readPixel(pixelX(3.85), 300 + 40 * y);
            EXPECT_GT(stem.r, 120) << c.angle << " side " << y;
            EXPECT_GT(stem.g, 120) << c.angle << " side " << y;
            EXPECT_LT(stem.b, stem.r / 2) << c.angle << " side " << y;
            std::string failures;
            testgl::probe(pixelX(4.15), 300 + 40 * y, {0, 0, 0}, 2, &failures, "past the stem");
            testgl::probe(pixelX(-0.3), 300 + 40 * y, {0, 0, 0}, 2, &failures, "before the head");
            EXPECT_EQ(failures, "") << c.angle << " side " << y;
        }
    }
    restoreStartLights();
}

namespace {

// Every feedback vertex of two drawings, lit, so that their colours carry the normals too.
void expectSameFeedback(const Feedback& ours, const Feedback& glut, const char* what)
{
    ASSERT_EQ(ours.polygons, glut.polygons) << what;
    ASSERT_EQ(ours.vertices.size(), glut.vertices.size()) << what;
    for (size_t i = 0; i < ours.vertices.size(); ++i) {
        const FeedbackVertex& a = ours.vertices[i];
        const FeedbackVertex& b = glut.vertices[i];
        EXPECT_NEAR(a.x, b.x, 1e-4) << what << " vertex " << i;
        EXPECT_NEAR(a.y, b.y, 1e-4) << what << " vertex " << i;
        EXPECT_NEAR(a.z, b.z, 1e-6) << what << " vertex " << i;
        for (int c = 0; c < 3; ++c) EXPECT_NEAR(a.colour[c], b.colour[c], 1e-5) << what << " vertex " << i;
    }
}

}  // namespace

TEST(GlutShapesAsData, TheCubeAndTheConeGiveGlutsOwnTrianglesNormalsAndOrder)
{
    topView();
    plainLight();
    glRotatef(30.0f, 1.0f, 1.0f, 0.0f);             // every face turned towards the light a little
    struct Cone {
        float base, height;
        int slices, stacks;
    };
    // The engine's cones (funnel, plug, valve neck) and a cone of several stacks.
    for (const Cone c : {Cone{3.2f, 1.8f, 20, 1}, Cone{0.2f, 0.4f, 20, 1}, Cone{0.5f, 1.0f, 20, 1},
                         Cone{2.0f, 3.0f, 7, 4}}) {
        const Feedback glut = feedback([&] { glutSolidCone(c.base, c.height, c.slices, c.stacks); });
        const Feedback ours = feedback([&] { drawMesh(solidConeMesh(c.base, c.height, c.slices, c.stacks)); });
        EXPECT_GT(glut.polygons, 2 * c.slices);
        expectSameFeedback(ours, glut, "cone");
    }
    for (const float edge : {1.0f, 0.7f, 3.5f}) {
        const Feedback glut = feedback([&] { glutSolidCube(edge); });
        const Feedback ours = feedback([&] { drawMesh(solidCubeMesh(edge)); });
        expectSameFeedback(ours, glut, "cube");
    }
    restoreStartLights();
}

TEST(GlutShapesAsData, EachShapesMatrixIsTheOneOpenGlHoldsWhenItIsDrawn)
{
    testgl::openWindow();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    std::vector<PlacedPart> parts = enginePartsAt(tellingAngleDeg(3));
    parts.push_back({nullptr, {}});                 // the gas, in the world frame
    const PartRecipe gas = gasCharges(tellingAngleDeg(1));
    int shapes = 0;
    for (const PlacedPart& part : parts) {
        const PartRecipe& recipe = part.recipe != nullptr ? *part.recipe : gas;
        const std::vector<PlacedShape> placed = placeShapes(recipe.steps, stepsMatrix(part.placement, identityMatrix()));
        glPushMatrix();
        emitSteps(part.placement, nullptr);
        size_t k = 0;
        for (const Step& step : recipe.steps) {
            if (step.kind != StepKind::shape) {
                emitSteps({step}, nullptr);
                continue;
            }
            ASSERT_LT(k, placed.size()) << recipe.name;
            glPushMatrix();
            if (step.shape.kind == ShapeKind::texturedCube) glScalef(step.shape.size, step.shape.size, step.shape.size);
            GLdouble m[16];
            glGetDoublev(GL_MODELVIEW_MATRIX, m);
            glPopMatrix();
            for (int i = 0; i < 16; ++i) EXPECT_NEAR(placed[k].model.m[i], m[i], 1e-5) << recipe.name << " shape " << k;
            ++k;
            ++shapes;
        }
        EXPECT_EQ(k, placed.size()) << recipe.name;
        glPopMatrix();
    }
    expectIdentityModelview("after every part's steps");
    EXPECT_GT(shapes, 40);
}
