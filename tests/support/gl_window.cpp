#include "tests/support/gl_window.h"

#include <GL/glu.h>
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cstdio>

#include "app/scene_state.h"
#include "app/startup.h"
#include "interaction/camera.h"
#include <cstdlib>

namespace testgl {
namespace {

int gWindow = 0;
int gWidth = 0;
int gHeight = 0;

void ignoreDisplay() {}

}  // namespace

void openWindow(int width, int height)
{
    if (gWindow == 0) {
        static int argc = 1;
        static char name[] = "tarvex-gl-test";
        static char* argv[] = {name, nullptr};
        glutInit(&argc, argv);
        glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
        glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
        glutInitWindowPosition(0, 0);
        glutInitWindowSize(width, height);
        gWindow = glutCreateWindow("Tarvex GL test");
        if (gWindow == 0) {
            std::fprintf(stderr, "cannot create the test window\n");
            std::abort();
        }
        // Tests draw themselves; GLUT must still have a display callback.
        glutDisplayFunc(ignoreDisplay);
        gWidth = width;
        gHeight = height;
        pumpEvents(20);
    } else if (width != gWidth || height != gHeight) {
        glutSetWindow(gWindow);
        glutReshapeWindow(width, height);
        gWidth = width;
        gHeight = height;
        for (int i = 0; i < 50 && (glutGet(GLUT_WINDOW_WIDTH) != width ||
                                   glutGet(GLUT_WINDOW_HEIGHT) != height); ++i)
            pumpEvents(1);
    }
    glutSetWindow(gWindow);
    glViewport(0, 0, width, height);
}

int windowId() { return gWindow; }

void pumpEvents(int passes)
{
    for (int i = 0; i < passes; ++i) glutMainLoopEvent();
}

Rgb readPixel(int x, int y)
{
    glFinish();
    unsigned char p[3] = {0, 0, 0};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, p);
    return {p[0], p[1], p[2]};
}

std::vector<uint8_t> readBuffer(int width, int height)
{
    glFinish();
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

bool probe(int x, int y, Rgb expected, int tolerance, std::string* failures, const char* what)
{
    Rgb seen = readPixel(x, y);
    bool ok = std::abs(seen.r - expected.r) <= tolerance && std::abs(seen.g - expected.g) <= tolerance &&
              std::abs(seen.b - expected.b) <= tolerance;
    if (!ok && failures) {
        char line[200];
        std::snprintf(line, sizeof line, "probe %s at (%d, %d): saw (%d, %d, %d), expected (%d, %d, %d) +- %d\n",
                      what, x, y, seen.r, seen.g, seen.b, expected.r, expected.g, expected.b, tolerance);
        *failures += line;
    }
    return ok;
}

int countBright(int x0, int y0, int x1, int y1, int minLevel)
{
    if (x1 <= x0 || y1 <= y0) return 0;
    const int w = x1 - x0;
    const int h = y1 - y0;
    std::vector<uint8_t> pixels(static_cast<size_t>(w) * h * 3);
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(x0, y0, w, h, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    int count = 0;
    for (size_t i = 0; i < pixels.size(); i += 3)
        if (pixels[i] >= minLevel && pixels[i + 1] >= minLevel && pixels[i + 2] >= minLevel) ++count;
    return count;
}

void resetToStartValues()
{
    scene.azimuth = 6.963;
    scene.elevation = -3.5996;
    scene.distance = 10.0;
    scene.zoom = 0.2;
    updateEyePosition();
    scene.crankAngle = 0.0;
    scene.speed = 0.1;
    scene.viewMode = VIEW_CRANK;
    scene.showHelp = scene.showExplanations = scene.showGas = scene.showBlock = true;
    scene.showFps = scene.showLightMarkers = scene.texturesOn = false;
    scene.flickering = false;
    scene.flashCountdown = 5;
    scene.leftDragging = scene.rightDragging = false;
    scene.pressX = scene.pressY = scene.rightPressY = 0;
}

void openScene(int width, int height)
{
    openWindow(width, height);
    if (!scene.crankTrain) initScene();
    onReshape(width, height);
    resetToStartValues();
}

bool project(double x, double y, double z, double* wx, double* wy, double* wz)
{
    GLdouble model[16], proj[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, proj);
    glGetIntegerv(GL_VIEWPORT, viewport);
    double depth = 0.0;
    bool ok = gluProject(x, y, z, model, proj, viewport, wx, wy, &depth) == GL_TRUE;
    if (wz) *wz = depth;
    return ok;
}

}  // namespace testgl
