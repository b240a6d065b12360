#include <GL/freeglut.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "app/scene_state.h"
#include "app/startup.h"
#include "interaction/camera.h"
#include "render/display.h"
#include "render/lighting.h"
#include "render/overlay.h"
#include "tests/support/gl_window.h"

namespace {

int gDisplays = 0;
void countDisplay() { ++gDisplays; }

// Window coordinates (y up) of a model point under the frame's camera.
void projectModel(double x, double y, double z, double* wx, double* wy)
{
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    applyCamera();
    testgl::project(x, y, z, wx, wy);
    glPopMatrix();
}

// Bright pixels in a label-sized box to the upper right of a label's anchor.
int labelPixels(double x, double y, double z, int width = 70)
{
    double wx, wy;
    projectModel(x, y, z, &wx, &wy);
    return testgl::countBright(static_cast<int>(wx), static_cast<int>(wy), static_cast<int>(wx) + width,
                               static_cast<int>(wy) + 14, 230);
}

// Window positions of every bitmap glyph a frame draws, read through feedback mode.
std::vector<std::pair<float, float>> glyphPositions()
{
    std::vector<GLfloat> buffer(1 << 18);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    drawFrame();
    const int n = glRenderMode(GL_RENDER);
    std::vector<std::pair<float, float>> glyphs;
    for (int i = 0; i < n;) {
        const int token = static_cast<int>(buffer[i++]);
        if (token == GL_POLYGON_TOKEN) i += 1 + 3 * static_cast<int>(buffer[i]);
        else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) i += 6;
        else if (token == GL_POINT_TOKEN || token == GL_DRAW_PIXEL_TOKEN || token == GL_COPY_PIXEL_TOKEN) i += 3;
        else if (token == GL_BITMAP_TOKEN) {
            glyphs.emplace_back(buffer[i], buffer[i + 1]);
            i += 3;
        } else if (token == GL_PASS_THROUGH_TOKEN) i += 1;
        else break;
    }
    return glyphs;
}

// True when the glyphs on the row at window height y, from x to 400 pixels right of it, are
// exactly those of text in font starting at x: the text, at its place, and nothing else there.
bool rowShows(const std::vector<std::pair<float, float>>& glyphs, double x, double y, const char* text, void* font)
{
    std::vector<double> seen, expected;
    for (const auto& g : glyphs)
        if (std::fabs(g.second - y) < 0.5 && g.first > x - 0.5 && g.first < x + 400) seen.push_back(g.first);
    for (const char* c = text; *c; x += glutBitmapWidth(font, *c++)) expected.push_back(x);
    std::sort(seen.begin(), seen.end());
    if (seen.size() != expected.size()) return false;
    for (size_t i = 0; i < seen.size(); ++i)
        if (std::fabs(seen[i] - expected[i]) > 0.5) return false;
    return true;
}

void polygonModes(GLint* front, GLint* back)
{
    GLint modes[2];
    glGetIntegerv(GL_POLYGON_MODE, modes);
    *front = modes[0];
    *back = modes[1];
}

bool postsRedisplay(void (*action)())
{
    glutDisplayFunc(countDisplay);
    testgl::pumpEvents(3);
    gDisplays = 0;
    action();
    testgl::pumpEvents(2);
    return gDisplays > 0;
}

}  // namespace

TEST(OrbitCamera, SpecialKeysStepTheOrbitAndRedraw)
{
    testgl::openScene();
    struct Step {
        int key;
        double dAzimuth, dElevation, distanceFactor;
    } steps[] = {
        {GLUT_KEY_LEFT, -0.1, 0, 1}, {GLUT_KEY_RIGHT, 0.1, 0, 1}, {GLUT_KEY_UP, 0, 0.1, 1},
        {GLUT_KEY_DOWN, 0, -0.1, 1}, {GLUT_KEY_PAGE_UP, 0, 0, 1.1}, {GLUT_KEY_PAGE_DOWN, 0, 0, 1 / 1.1},
        {GLUT_KEY_F1, 0, 0, 1},
    };
    for (const Step& s : steps) {
        testgl::resetToStartValues();
        static int key;
        key = s.key;
        EXPECT_TRUE(postsRedisplay([] { onSpecialKey(key, 0, 0); })) << "key " << s.key;
        EXPECT_NEAR(scene.azimuth, 6.963 + s.dAzimuth, 1e-12) << "key " << s.key;
        EXPECT_NEAR(scene.elevation, -3.5996 + s.dElevation, 1e-12) << "key " << s.key;
        EXPECT_NEAR(scene.distance, 10.0 * s.distanceFactor, 1e-12) << "key " << s.key;
        Vec3 e = orbitEye(scene.azimuth, scene.elevation, scene.distance);
        EXPECT_DOUBLE_EQ(scene.eye.x, e.x);
        EXPECT_DOUBLE_EQ(scene.eye.y, e.y);
        EXPECT_DOUBLE_EQ(scene.eye.z, e.z);
    }
    testgl::resetToStartValues();
    for (int i = 0; i < 10; ++i) onSpecialKey(GLUT_KEY_PAGE_UP, 0, 0);
    EXPECT_NEAR(scene.distance, 25.937, 1e-3);
    for (int i = 0; i < 10; ++i) onSpecialKey(GLUT_KEY_PAGE_DOWN, 0, 0);
    EXPECT_NEAR(scene.distance, 10.0, 1e-9);
    glutDisplayFunc(countDisplay);
}

TEST(OrbitCamera, TurningDragHasATwentyPixelDeadZone)
{
    testgl::openScene();
    scene.leftDragging = true;
    scene.pressX = 400;
    scene.pressY = 300;
    EXPECT_TRUE(postsRedisplay([] { onMotion(420, 280); }));  // 20 pixels on both axes
    EXPECT_DOUBLE_EQ(scene.azimuth, 6.963);
    EXPECT_DOUBLE_EQ(scene.elevation, -3.5996);
    onMotion(379, 300);                             // 21 pixels left of the press point
    EXPECT_NEAR(scene.azimuth, 6.963 + 0.021, 1e-12);
    onMotion(379, 300);                             // a rate: the same offset turns again
    EXPECT_NEAR(scene.azimuth, 6.963 + 0.042, 1e-12);
    onMotion(400, 200);                             // 100 pixels up raises the elevation
    EXPECT_NEAR(scene.elevation, -3.5996 + 0.1, 1e-12);
    EXPECT_EQ(scene.dragDX, 0);
    EXPECT_EQ(scene.dragDY, 100);
}

TEST(OrbitCamera, ZoomDragIsClampedAtExactlyZeroAndGrowsBack)
{
    testgl::openScene();
    scene.rightDragging = true;
    scene.rightPressY = 300;
    onMotion(500, 200);                             // up 100 pixels: zoom in
    EXPECT_NEAR(scene.zoom, 0.21, 1e-12);
    for (int i = 0; i < 30; ++i) onMotion(0, 1000);
    EXPECT_EQ(scene.zoom, 0.0);
    onMotion(0, 200);
    EXPECT_NEAR(scene.zoom, 0.01, 1e-12);
    scene.rightDragging = false;
    const double before = scene.zoom;
    EXPECT_TRUE(postsRedisplay([] { onMotion(0, 0); }));      // no drag armed: nothing moves
    EXPECT_EQ(scene.zoom, before);
}

TEST(Lights, PositionsAndDirectionsFollowTheCameraAndTheViewerLightTheEye)
{
    testgl::openScene();
    for (double azimuth : {6.963, 5.0}) {
        scene.azimuth = azimuth;
        updateEyePosition();
        drawFrame();
        GLfloat m[16];
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
        applyCamera();
        glGetFloatv(GL_MODELVIEW_MATRIX, m);
        glPopMatrix();
        struct Light {
            GLenum id;
            float x, y, z, dx, dy, dz;
        } lights[] = {{GL_LIGHT1, 6.8f, 0, 0, -1, 0, 0}, {GL_LIGHT2, 12, 6, 3, -0.3f, -0.8f, -0.5f},
                      {GL_LIGHT3, -1, 0, 2.5f, -1, 0, -0.35f}, {GL_LIGHT4, 2, -5, -3, -1, 0.8f, 0.5f}};
        for (const Light& l : lights) {
            GLfloat p[4], d[3];
            glGetLightfv(l.id, GL_POSITION, p);
            glGetLightfv(l.id, GL_SPOT_DIRECTION, d);
            for (int r = 0; r < 3; ++r) {
                const float expected = m[r] * l.x + m[4 + r] * l.y + m[8 + r] * l.z + m[12 + r];
                EXPECT_NEAR(p[r], expected, 1e-4) << "light " << l.id - GL_LIGHT0 << " row " << r;
                const float dir = m[r] * l.dx + m[4 + r] * l.dy + m[8 + r] * l.dz;
                EXPECT_NEAR(d[r], dir, 1e-4) << "light " << l.id - GL_LIGHT0 << " direction row " << r;
            }
        }
        GLfloat p0[4];
        glGetLightfv(GL_LIGHT0, GL_POSITION, p0);
        EXPECT_FLOAT_EQ(p0[0], 0.0f);
        EXPECT_FLOAT_EQ(p0[1], 10.0f);
        EXPECT_FLOAT_EQ(p0[2], 0.0f);
        GLfloat cutoff = 0;
        glGetLightfv(GL_LIGHT2, GL_SPOT_CUTOFF, &cutoff);
        EXPECT_FLOAT_EQ(cutoff, 70.0f);
        glGetLightfv(GL_LIGHT4, GL_SPOT_CUTOFF, &cutoff);
        EXPECT_FLOAT_EQ(cutoff, 90.0f);
        GLfloat attenuation = 0;
        glGetLightfv(GL_LIGHT1, GL_QUADRATIC_ATTENUATION, &attenuation);
        EXPECT_FLOAT_EQ(attenuation, 0.3f);
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(Lights, SparkBurnsOnlyInsideItsWindow)
{
    testgl::openScene();
    for (auto [angle, lit] : {std::pair<double, bool>{350.0, false}, {350.5, true}, {369.5, true},
                              {370.0, false}, {0.0, false}}) {
        scene.crankAngle = angle;
        drawFrame();
        EXPECT_EQ(glIsEnabled(GL_LIGHT1) == GL_TRUE, lit) << angle;
    }
    EXPECT_FALSE(glIsEnabled(GL_LIGHT0));           // only the flicker switches it

    // What it sends: white tiles one unit below the plug and 9 units behind it, seen from +z at
    // 40 pixels a unit and lit by the spark alone: white (1 / (1 + 0.3) of full) under the plug,
    // dark far off, and both dark outside the spark's window.
    const GLfloat white[4] = {1, 1, 1, 1}, black[4] = {0, 0, 0, 1};
    for (auto [angle, lit] : {std::pair<double, bool>{350.0, false}, {360.5, true}}) {
        scene.crankAngle = angle;
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-10, 10, -7.5, 7.5, -20, 20);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        placeEngineLights();
        for (GLenum light : {GL_LIGHT2, GL_LIGHT3, GL_LIGHT4}) glDisable(light);
        glMaterialfv(GL_FRONT, GL_AMBIENT, black);
        glMaterialfv(GL_FRONT, GL_DIFFUSE, white);
        glMaterialfv(GL_FRONT, GL_SPECULAR, black);
        glNormal3f(0, 0, 1);
        glTranslatef(0, 0, -1);
        for (float x : {6.8f, -2.2f}) glRectf(x - 0.1f, -0.1f, x + 0.1f, 0.1f);   // lit per vertex: small
        std::string failures;
        const int under = lit ? 194 : 0;
        testgl::probe(400 + 272, 300, {under, under, under}, 8, &failures, "under the plug");
        testgl::probe(400 - 88, 300, {0, 0, 0}, 3, &failures, "9 units behind the plug");
        EXPECT_EQ(failures, "") << angle;
    }
}

TEST(Overlay, EachTextLightsItsRectangleOnlyWhileItsSwitchIsOn)
{
    testgl::openScene();
    scene.zoom = 0.0;                               // the engine shrinks to a point: text only
    struct Box {
        const char* what;
        int x0, y0, x1, y1;
        bool* flag;
    } boxes[] = {
        {"speed line", 8, 88, 160, 100, nullptr},
        {"stroke title", 8, 64, 160, 79, nullptr},
        {"explanation lines", 8, 20, 400, 58, &scene.showExplanations},
        {"help screen", 8, 190, 300, 532, &scene.showHelp},
        {"help screen's classroom keys", 8, 280, 200, 323, &scene.showHelp},
        {"frame rate", 740, 584, 800, 600, &scene.showFps},
        {"credit", 660, 10, 800, 22, nullptr},
    };
    scene.showFps = true;
    scene.fps = 123.4;
    drawFrame();
    for (const Box& b : boxes)
        EXPECT_GT(testgl::countBright(b.x0, b.y0, b.x1, b.y1), 20) << b.what << " shows no text";
    for (const Box& b : boxes) {
        if (!b.flag) continue;
        *b.flag = false;
        drawFrame();
        EXPECT_EQ(testgl::countBright(b.x0, b.y0, b.x1, b.y1), 0) << b.what << " still drawn when off";
        *b.flag = true;
    }
    // Each text on its own row in its own order: the glyphs start at (0.01, fy) of the window.
    scene.showFps = false;
    const auto glyphs = glyphPositions();
    void* const small = GLUT_BITMAP_HELVETICA_10;
    EXPECT_TRUE(rowShows(glyphs, 8, 90, "Vitesse: 0.1 tours/sec", small));
    EXPECT_TRUE(rowShows(glyphs, 8, 66, "Temps 1: Admission", GLUT_BITMAP_HELVETICA_12));
    const char* explanation[] = {"La soupape d'admission est ouverte, celle d'echappement",
                                 "est fermee. Le piston descend, aspirant ainsi le melange ",
                                 "qui se trouve dans la tubulure d'admission."};
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(rowShows(glyphs, 8, 600 * (0.08 - 0.02 * i), explanation[i], small)) << "explanation " << i + 1;
    // The classroom keys close up to 11 pixels apart, to fit above the mouse heading.
    const double classroomKeysY[] = {0.525, 0.507, 0.489, 0.471};
    ASSERT_EQ(kHelpLineCount, 28);
    for (int i = 0; i < 28; ++i) {
        const double fy = i == 0 ? 0.87 : i < 17 ? 0.86 - 0.02 * i : i < 21 ? classroomKeysY[i - 17]
                        : i == 21 ? 0.45 : 0.86 - 0.02 * i;
        void* const font = i == 0 || i == 21 ? GLUT_BITMAP_HELVETICA_12 : small;   // the two headings
        EXPECT_TRUE(rowShows(glyphs, 8, 600 * fy, kHelpLines[i].text, font)) << "help line " << i << " at " << fy;
    }

    // The text is white, not merely light.
    drawFrame();
    std::vector<uint8_t> pixels = testgl::readBuffer(800, 600);
    int white = 0;
    for (size_t i = 0; i < pixels.size(); i += 3)
        if (pixels[i] == 255 && pixels[i + 1] == 255 && pixels[i + 2] == 255) ++white;
    EXPECT_GT(white, 1000);
}

TEST(Overlay, KeepsItsFractionsInAResizedWindow)
{
    testgl::openScene(1000, 500);
    scene.zoom = 0.0;
    scene.showHelp = false;
    scene.showExplanations = false;
    drawFrame();
    // The speed line starts at (0.01, 0.15) of the window: pixel (10, 75).
    int left = -1, bottom = -1;
    for (int x = 0; x < 60 && left < 0; ++x)
        if (testgl::countBright(x, 70, x + 1, 95) > 0) left = x;
    for (int y = 68; y < 95 && bottom < 0; ++y)   // above the stroke title
        if (testgl::countBright(0, y, 160, y + 1) > 0) bottom = y;
    EXPECT_GE(left, 10);
    EXPECT_LE(left, 12);
    EXPECT_GE(bottom, 74);
    EXPECT_LE(bottom, 77);
    testgl::openScene(800, 600);
}

TEST(Frame, PolygonModesOfEachViewModeAndTheCarriedBackFaceMode)
{
    testgl::openScene();
    GLint front, back;
    // Singled out: fill on both faces after its highlighting.
    for (ViewMode m : {VIEW_BLOCK, VIEW_CRANK, VIEW_VALVES}) {
        scene.viewMode = m;
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        highlightGroup(m);
        polygonModes(&front, &back);
        EXPECT_EQ(front, GL_FILL) << m;
        EXPECT_EQ(back, GL_FILL) << m;
    }
    // Another group singled out: valves and crank train turn front faces only, the block both.
    scene.viewMode = VIEW_BLOCK;
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    highlightGroup(VIEW_VALVES);
    polygonModes(&front, &back);
    EXPECT_EQ(front, GL_LINE);
    EXPECT_EQ(back, GL_FILL);
    scene.viewMode = VIEW_VALVES;
    highlightGroup(VIEW_BLOCK);
    polygonModes(&front, &back);
    EXPECT_EQ(front, GL_LINE);
    EXPECT_EQ(back, GL_LINE);
    scene.viewMode = VIEW_ENGINE;
    highlightGroup(VIEW_CRANK);
    polygonModes(&front, &back);
    EXPECT_EQ(front, GL_FILL);
    EXPECT_EQ(back, GL_FILL);

    // With the gas shown the frame ends on fill; without it, in VIEW_CRANK, the block's
    // both-faces line call is the last, and the next frame's valves keep line back faces.
    scene.viewMode = VIEW_CRANK;
    drawFrame();
    polygonModes(&front, &back);
    EXPECT_EQ(back, GL_FILL);
    scene.showGas = false;
    drawFrame();
    polygonModes(&front, &back);
    EXPECT_EQ(front, GL_LINE);
    EXPECT_EQ(back, GL_LINE);
    highlightGroup(VIEW_VALVES);
    polygonModes(&front, &back);
    EXPECT_EQ(front, GL_LINE);
    EXPECT_EQ(back, GL_LINE);
}

TEST(Frame, OnlyTheSingledOutGroupsLabelsAppearAtTheirAnchors)
{
    testgl::openScene();
    scene.showHelp = false;
    scene.showExplanations = false;
    void* const large = GLUT_BITMAP_HELVETICA_18;
    void* const medium = GLUT_BITMAP_HELVETICA_12;
    // Exhaust side at -y, intake side at +y; two anchors are shared across groups.
    struct Anchor {
        ViewMode group;
        const char* text;
        double x, y, z;
        void* font;
    } anchors[] = {{VIEW_VALVES, "Soupapes", 9, -1, 2.5, large},
                   {VIEW_VALVES, "Echappement", 9, -3, 1.5, medium},
                   {VIEW_VALVES, "Admission", 9, 3, 1.5, medium},
                   {VIEW_CRANK, "Piston", 0, -1, 2.8, large},
                   {VIEW_CRANK, "Vilebrequin", -5, 0, 1.5, medium},
                   {VIEW_BLOCK, "Caisson", 5, 0, 2.8, large},
                   {VIEW_BLOCK, "Collecteur d'echappement", 9, -3, 1.5, medium},
                   {VIEW_BLOCK, "Tubulure d'admission", 9, 3, 1.5, medium},
                   {VIEW_BLOCK, "Bougie", 7, 0, 1.5, medium}};
    constexpr int kAnchors = sizeof anchors / sizeof anchors[0];
    // The label of view m at anchor i's place, or none.
    auto labelIn = [&](ViewMode m, const Anchor& a) -> const Anchor* {
        for (const Anchor& b : anchors)
            if (b.group == m && b.x == a.x && b.y == a.y && b.z == a.z) return &b;
        return nullptr;
    };
    scene.viewMode = VIEW_ENGINE;
    drawFrame();
    int plain[kAnchors];
    for (int i = 0; i < kAnchors; ++i) plain[i] = labelPixels(anchors[i].x, anchors[i].y, anchors[i].z);
    for (ViewMode m : {VIEW_ENGINE, VIEW_BLOCK, VIEW_CRANK, VIEW_VALVES}) {
        scene.viewMode = m;
        drawFrame();
        for (int i = 0; i < kAnchors; ++i) {
            if (anchors[i].group != m) continue;
            EXPECT_GT(labelPixels(anchors[i].x, anchors[i].y, anchors[i].z), plain[i] + 15)
                << "no white label at anchor " << i << " in view " << m;
        }
        // The glyphs themselves: at each anchor's window position exactly the text of the
        // singled-out group's label there, and nothing where that group has none.
        const auto glyphs = glyphPositions();
        for (const Anchor& a : anchors) {
            double wx, wy;
            projectModel(a.x, a.y, a.z, &wx, &wy);
            const Anchor* label = labelIn(m, a);
            EXPECT_TRUE(rowShows(glyphs, wx, wy, label ? label->text : "", label ? label->font : medium))
                << "at the anchor of " << a.text << " in view " << m;
        }
    }
    // The block hidden in VIEW_BLOCK: no block and no block label.
    scene.viewMode = VIEW_BLOCK;
    scene.showBlock = false;
    drawFrame();
    EXPECT_LE(labelPixels(5, 0, 2.8), plain[5] + 3);
    EXPECT_LE(labelPixels(7, 0, 1.5), plain[8] + 3);
    double wx, wy;
    projectModel(10.2, -4.5, -2.0, &wx, &wy);       // the head's end wall, nothing in front
    std::string failures;
    testgl::probe(static_cast<int>(wx), static_cast<int>(wy), {13, 13, 13}, 2, &failures, "hidden block");
    EXPECT_EQ(failures, "");
    scene.showBlock = true;
    drawFrame();
    testgl::Rgb wall = testgl::readPixel(static_cast<int>(wx), static_cast<int>(wy));
    EXPECT_NE(wall.r + wall.g + wall.b, 39) << "the block's wall should be drawn there";
}

TEST(Frame, GasIsAddedOverWhatLiesBehindIt)
{
    testgl::openScene();
    scene.viewMode = VIEW_ENGINE;
    scene.showHelp = false;
    scene.showExplanations = false;
    scene.crankAngle = 180.0;                       // the chamber charge is longest
    double wx, wy;
    projectModel(5.5, 0.0, 1.5, &wx, &wy);
    const int x = static_cast<int>(wx), y = static_cast<int>(wy);
    scene.showGas = false;
    drawFrame();
    testgl::Rgb behind = testgl::readPixel(x, y);
    scene.showGas = true;
    drawFrame();
    testgl::Rgb mixed = testgl::readPixel(x, y);
    EXPECT_GE(mixed.r, behind.r);
    EXPECT_GE(mixed.g, behind.g);
    EXPECT_GE(mixed.b, behind.b);
    EXPECT_GT(mixed.r + mixed.g - behind.r - behind.g, 15) << "the gas adds nothing";
    EXPECT_GT(behind.r + behind.g + behind.b, 39) << "nothing behind the probe to mix with";
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
}
