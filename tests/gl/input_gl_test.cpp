#include <GL/freeglut.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>

#include "app/scene_state.h"
#include "app/startup.h"
#include "interaction/animation.h"
#include "interaction/camera.h"
#include "interaction/keyboard.h"
#include "interaction/mouse.h"
#include "render/display.h"
#include "tests/support/gl_window.h"

namespace {

int gDisplays = 0;
void countDisplay() { ++gDisplays; }

void openScene()
{
    testgl::openScene();
    glutDisplayFunc(countDisplay);
}

// Everything a key or a button may change, to compare before and after.
struct Snapshot {
    double speed, crankAngle;
    int viewMode;
    bool paused, projectorMode;
    bool showGas, showBlock, showHelp, showExplanations, showFps, showLightMarkers, texturesOn;
    bool flickering, leftDragging, rightDragging;
    int flashCountdown, pressX, pressY, rightPressY;
    double azimuth, elevation, distance, zoom;
};
Snapshot snapshot()
{
    return {scene.speed, scene.crankAngle, scene.viewMode, scene.paused, scene.projectorMode, scene.showGas, scene.showBlock, scene.showHelp,
            scene.showExplanations, scene.showFps, scene.showLightMarkers, scene.texturesOn,
            scene.flickering, scene.leftDragging, scene.rightDragging, scene.flashCountdown,
            scene.pressX, scene.pressY, scene.rightPressY, scene.azimuth, scene.elevation,
            scene.distance, scene.zoom};
}
auto fields(const Snapshot& s)
{
    return std::tie(s.speed, s.crankAngle, s.viewMode, s.paused, s.projectorMode, s.showGas, s.showBlock, s.showHelp, s.showExplanations, s.showFps,
                    s.showLightMarkers, s.texturesOn, s.flickering, s.leftDragging, s.rightDragging,
                    s.flashCountdown, s.pressX, s.pressY, s.rightPressY, s.azimuth, s.elevation, s.distance,
                    s.zoom);
}
bool same(const Snapshot& a, const Snapshot& b) { return fields(a) == fields(b); }

// Presses a key and reports whether a redisplay followed.
bool pressPostsRedisplay(unsigned char key)
{
    testgl::pumpEvents(3);
    gDisplays = 0;
    onKeyboard(key, 10, 10);
    testgl::pumpEvents(2);
    return gDisplays > 0;
}

// GLUT coordinates (y down) of a model point under the start camera.
void glutPoint(double x, double y, double z, int* gx, int* gy, double* rawY = nullptr)
{
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    applyCamera();
    double wx, wy;
    testgl::project(x, y, z, &wx, &wy);
    glPopMatrix();
    *gx = static_cast<int>(wx + 0.5);
    *gy = 600 - static_cast<int>(wy + 0.5);
    if (rawY) *rawY = wy;
}

// Picks at a model point, starting from a view mode other than the expected one, so that a
// pick that changes nothing fails.
ViewMode pickAt(double x, double y, double z, ViewMode expected)
{
    int gx, gy;
    glutPoint(x, y, z, &gx, &gy);
    scene.viewMode = static_cast<ViewMode>((expected + 1) % 4);
    pickObject(gx, gy);
    return scene.viewMode;
}

}  // namespace

TEST(Keyboard, EveryCommandKeyChangesItsFieldAndRedraws)
{
    openScene();
    struct Case {
        unsigned char key;
        void (*expect)(const Snapshot& before);
    } cases[] = {
        {'+', [](const Snapshot& b) { EXPECT_NEAR(scene.speed, b.speed + 0.1, 1e-12); }},
        {'-', [](const Snapshot& b) { EXPECT_NEAR(scene.speed, b.speed - 0.1, 1e-12); }},
        {'1', [](const Snapshot&) { EXPECT_EQ(scene.viewMode, VIEW_ENGINE); }},
        {'2', [](const Snapshot&) { EXPECT_EQ(scene.viewMode, VIEW_BLOCK); }},
        {'3', [](const Snapshot&) { EXPECT_EQ(scene.viewMode, VIEW_CRANK); }},
        {'4', [](const Snapshot&) { EXPECT_EQ(scene.viewMode, VIEW_VALVES); }},
        {'5', [](const Snapshot& b) { EXPECT_NE(scene.showGas, b.showGas); }},
        {'6', [](const Snapshot& b) { EXPECT_NE(scene.showBlock, b.showBlock); }},
        {'a', [](const Snapshot& b) { EXPECT_NE(scene.showHelp, b.showHelp); }},
        {'A', [](const Snapshot& b) { EXPECT_NE(scene.showHelp, b.showHelp); }},
        {'e', [](const Snapshot& b) { EXPECT_NE(scene.showExplanations, b.showExplanations); }},
        {'E', [](const Snapshot& b) { EXPECT_NE(scene.showExplanations, b.showExplanations); }},
        {'f', [](const Snapshot& b) { EXPECT_NE(scene.showFps, b.showFps); }},
        {'F', [](const Snapshot& b) { EXPECT_NE(scene.showFps, b.showFps); }},
        {'l', [](const Snapshot&) { EXPECT_TRUE(scene.flickering); }},
        {'L', [](const Snapshot&) { EXPECT_TRUE(scene.flickering); }},
        {'r', [](const Snapshot& b) { EXPECT_NE(scene.showLightMarkers, b.showLightMarkers); }},
        {'R', [](const Snapshot& b) { EXPECT_NE(scene.showLightMarkers, b.showLightMarkers); }},
        {'t', [](const Snapshot& b) { EXPECT_NE(scene.texturesOn, b.texturesOn); }},
        {'T', [](const Snapshot& b) { EXPECT_NE(scene.texturesOn, b.texturesOn); }},
        // From the start, at 0 degrees in the intake stroke and running.
        {' ', [](const Snapshot& b) { EXPECT_TRUE(scene.paused && scene.crankAngle == b.crankAngle); }},
        {'n', [](const Snapshot&) { EXPECT_TRUE(scene.paused && scene.crankAngle == 270.0) << scene.crankAngle; }},
        {'N', [](const Snapshot&) { EXPECT_TRUE(scene.paused && scene.crankAngle == 270.0) << scene.crankAngle; }},
        {'b', [](const Snapshot&) { EXPECT_TRUE(scene.paused && scene.crankAngle == 630.0) << scene.crankAngle; }},
        {'B', [](const Snapshot&) { EXPECT_TRUE(scene.paused && scene.crankAngle == 630.0) << scene.crankAngle; }},
        {'k', [](const Snapshot&) { EXPECT_TRUE(scene.paused && scene.crankAngle == 1.0) << scene.crankAngle; }},
        {'K', [](const Snapshot&) { EXPECT_TRUE(scene.paused && scene.crankAngle == 1.0) << scene.crankAngle; }},
        {'j', [](const Snapshot&) { EXPECT_TRUE(scene.paused && scene.crankAngle == 719.0) << scene.crankAngle; }},
        {'J', [](const Snapshot&) { EXPECT_TRUE(scene.paused && scene.crankAngle == 719.0) << scene.crankAngle; }},
    };
    for (const Case& c : cases) {
        testgl::resetToStartValues();
        if (c.key >= '1' && c.key <= '4') scene.viewMode = c.key == '3' ? VIEW_VALVES : VIEW_CRANK;
        const Snapshot before = snapshot();
        EXPECT_TRUE(pressPostsRedisplay(c.key)) << "key " << c.key;
        c.expect(before);
        // Only its own field moved: undo it and compare the rest.
        Snapshot after = snapshot();
        after.speed = before.speed;
        after.crankAngle = before.crankAngle;
        after.paused = before.paused;
        after.viewMode = before.viewMode;
        after.showGas = before.showGas;
        after.showBlock = before.showBlock;
        after.showHelp = before.showHelp;
        after.showExplanations = before.showExplanations;
        after.showFps = before.showFps;
        after.showLightMarkers = before.showLightMarkers;
        after.texturesOn = before.texturesOn;
        after.flickering = before.flickering;
        EXPECT_TRUE(same(after, before)) << "key " << c.key << " changed something else";
    }
    testgl::resetToStartValues();
    onKeyboard('-', 0, 0);
    onKeyboard('-', 0, 0);
    EXPECT_NEAR(scene.speed, -0.1, 1e-12);
}

TEST(Keyboard, OtherKeysDoNothingButStillRedraw)
{
    openScene();
    const unsigned char idle[] = {'7', '8', '9', '0', '=', '_', 'z', 'Z', 'c', 'w', 'x', '\t', '\r', 'p', 200};
    for (unsigned char key : idle) {
        testgl::resetToStartValues();
        const Snapshot before = snapshot();
        EXPECT_TRUE(pressPostsRedisplay(key)) << "key " << int(key);
        EXPECT_TRUE(same(snapshot(), before)) << "key " << int(key) << " changed the state";
    }
}

TEST(Keyboard, FlickerKeyLeavesLight0FlippedAfterEachSequenceAndNothingDuringOne)
{
    openScene();
    // The light stays as each sequence of an odd number of toggles leaves it: on after the
    // first, dark again after the second. Every toggle waits 100 ms of the real clock.
    constexpr int kSequenceTimeoutMs = 5000;
    for (bool litAfter : {true, false}) {
        onKeyboard('l', 0, 0);
        const int deadline = glutGet(GLUT_ELAPSED_TIME) + kSequenceTimeoutMs;
        while (scene.flickering && glutGet(GLUT_ELAPSED_TIME) < deadline) onIdle();
        EXPECT_FALSE(scene.flickering) << "the sequence did not end";
        EXPECT_EQ(glIsEnabled(GL_LIGHT0) == GL_TRUE, litAfter);
    }
    scene.flickering = true;
    scene.flashCountdown = 3;
    onKeyboard('l', 0, 0);
    onKeyboard('L', 0, 0);
    EXPECT_TRUE(scene.flickering);
    EXPECT_EQ(scene.flashCountdown, 3);
}

TEST(MouseButtons, PressesArmTheDragsAndReleasesChangeNothing)
{
    openScene();
    glutDisplayFunc(countDisplay);
    onMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 5, 7);     // a corner: background
    EXPECT_TRUE(scene.leftDragging);
    EXPECT_FALSE(scene.rightDragging);
    EXPECT_EQ(scene.pressX, 5);
    EXPECT_EQ(scene.pressY, 7);
    EXPECT_EQ(scene.viewMode, VIEW_ENGINE);

    onMouse(GLUT_RIGHT_BUTTON, GLUT_DOWN, 50, 70);
    EXPECT_FALSE(scene.leftDragging);
    EXPECT_TRUE(scene.rightDragging);
    EXPECT_EQ(scene.rightPressY, 70);
    EXPECT_EQ(scene.pressX, 5);

    const Snapshot before = snapshot();
    for (int button : {0, 1, 2, 3, 4}) onMouse(button, GLUT_UP, 300, 300);
    EXPECT_TRUE(same(snapshot(), before)) << "a release changed the state";

    onMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 5, 7);
    EXPECT_TRUE(scene.leftDragging);
    EXPECT_FALSE(scene.rightDragging);
}

TEST(MouseButtons, WheelStepsTheSpeedAndTheMiddleButtonRestoresIt)
{
    openScene();
    onMouse(3, GLUT_DOWN, 0, 0);
    EXPECT_NEAR(scene.speed, 0.0, 1e-12);
    onMouse(3, GLUT_DOWN, 0, 0);
    EXPECT_NEAR(scene.speed, -0.1, 1e-12);
    onMouse(GLUT_MIDDLE_BUTTON, GLUT_DOWN, 0, 0);
    EXPECT_DOUBLE_EQ(scene.speed, 0.1);
    onMouse(4, GLUT_DOWN, 0, 0);
    EXPECT_NEAR(scene.speed, 0.2, 1e-12);
    testgl::pumpEvents(3);
    gDisplays = 0;
    onMouse(4, GLUT_DOWN, 0, 0);
    testgl::pumpEvents(2);
    EXPECT_EQ(gDisplays, 0) << "the button callback posts no redisplay";
}

TEST(PickHits, FirstRecordDecidesAndNoHitNeverReadsTheBuffer)
{
    const unsigned garbage[8] = {1, 0, 0, 2, 1, 0, 0, 1};
    scene.viewMode = VIEW_VALVES;
    applyPickHits(0, garbage);                      // the buffer holds a stale name 2
    EXPECT_EQ(scene.viewMode, VIEW_ENGINE);

    const unsigned valvesFirst[8] = {1, 5, 9, 3, 1, 2, 3, 1};
    applyPickHits(2, valvesFirst);
    EXPECT_EQ(scene.viewMode, VIEW_VALVES);

    const unsigned unknown[4] = {1, 5, 9, 0xFFFFFFFFu};
    applyPickHits(1, unknown);
    EXPECT_EQ(scene.viewMode, VIEW_VALVES);

    applyPickHits(-1, valvesFirst);                 // an overflowed buffer is not trusted
    EXPECT_EQ(scene.viewMode, VIEW_VALVES);
}

TEST(Picking, ClicksSingleOutThePartUnderTheCursor)
{
    openScene();
    // The intake valve's stem 3 units past its head, which the lift table puts at these x.
    for (auto [angle, head] : {std::pair<double, double>{0, 7.5}, {45, 8.175}, {90, 8.85}, {120, 8.4}, {300, 7.5}}) {
        scene.crankAngle = angle;
        EXPECT_EQ(pickAt(head + 3.0, 1.0, 0.0, VIEW_VALVES), VIEW_VALVES) << angle;
    }
    scene.crankAngle = 0.0;
    // The crankshaft on its axis, between the webs.
    EXPECT_EQ(pickAt(-3.25, 0.0, 0.35, VIEW_CRANK), VIEW_CRANK);
    // The cylinder head's end wall, no moving part in front of it.
    EXPECT_EQ(pickAt(10.2, -4.5, -2.0, VIEW_BLOCK), VIEW_BLOCK);
    // A valve stem over the block behind it.
    EXPECT_EQ(pickAt(7.5 + 2.0, -1.0, 0.0, VIEW_VALVES), VIEW_VALVES);
    // The background.
    scene.viewMode = VIEW_CRANK;
    pickObject(20, 20);
    EXPECT_EQ(scene.viewMode, VIEW_ENGINE);
    // The block hidden: nothing behind the wall's place.
    scene.showBlock = false;
    EXPECT_EQ(pickAt(10.2, -4.5, -2.0, VIEW_ENGINE), VIEW_ENGINE);
    scene.showBlock = true;

    // Off the centre line, so a pick without the y flip finds something else.
    int gx, gy;
    double rawY;
    glutPoint(10.2, -4.5, -2.0, &gx, &gy, &rawY);
    EXPECT_GT(std::abs(gy - 300), 40);
    scene.viewMode = VIEW_CRANK;
    pickObject(gx, static_cast<int>(rawY + 0.5));   // GL's y given as GLUT's
    EXPECT_NE(scene.viewMode, VIEW_BLOCK);
}

TEST(Picking, AFaceOfTheBlockIsPickedWhateverPolygonModeTheLastFrameLeft)
{
    openScene();
    // Each view mode, gas shown and hidden: the frame ends with filled faces, both sides as
    // lines (the block singled out away) or front lines only.
    for (bool gas : {true, false})
        for (ViewMode view : {VIEW_ENGINE, VIEW_BLOCK, VIEW_CRANK, VIEW_VALVES}) {
            scene.showGas = gas;
            scene.viewMode = view;
            drawFrame();
            GLint before[2], after[2];
            glGetIntegerv(GL_POLYGON_MODE, before);
            EXPECT_EQ(pickAt(10.2, -4.5, -2.0, VIEW_BLOCK), VIEW_BLOCK) << "view " << view << " gas " << gas;
            glGetIntegerv(GL_POLYGON_MODE, after);
            EXPECT_TRUE(before[0] == after[0] && before[1] == after[1]) << "view " << view << " gas " << gas;
        }
    scene.showGas = true;
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
}
