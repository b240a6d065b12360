#include "tests/support/gl_window.h"

#include <GL/glu.h>
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/scene_state.h"
#include "app/startup.h"

namespace testgl {
namespace {

int gWindow = 0;
int gWidth = 0;
int gHeight = 0;

void ignoreDisplay() {}

// The GL state the program starts with and each test may count on, whatever ran before it in
// this process: tests change the clear colour, lights, light model, modes and matrices freely.
void resetGlState(int width, int height)
{
    glClearColor(0.05f, 0.05f, 0.05f, 0.0f);
    for (GLenum light = GL_LIGHT0; light <= GL_LIGHT4; ++light)
        if (light >= GL_LIGHT2) glEnable(light);
        else glDisable(light);
    const GLfloat defaultAmbient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, defaultAmbient);
    for (GLenum on : {GL_DEPTH_TEST, GL_LIGHTING, GL_NORMALIZE}) glEnable(on);
    for (GLenum off : {GL_BLEND, GL_TEXTURE_2D, GL_ALPHA_TEST, GL_CULL_FACE}) glDisable(off);
    glShadeModel(GL_SMOOTH);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glColor3f(1.0f, 1.0f, 1.0f);
    glViewport(0, 0, width, height);
    for (GLenum matrix : {GL_PROJECTION, GL_MODELVIEW}) {
        glMatrixMode(matrix);
        glLoadIdentity();
    }
}

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
        // The texture file lies beside the test program, wherever it is started from.
        std::string self(4096, '\0');
        const ssize_t n = readlink("/proc/self/exe", &self[0], self.size());
        if (n > 0 && chdir(self.substr(0, self.rfind('/', n)).c_str()) != 0) std::abort();
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
    resetGlState(width, height);
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
    scene.settings() = SceneSettings{};
    scene.crankAngle = 0.0;
    scene.flickering = scene.light0Lit = false;
    scene.flashCountdown = 5;
    scene.leftDragging = scene.rightDragging = false;
    scene.pressX = scene.pressY = scene.rightPressY = 0;
    scene.paused = scene.projectorMode = false;
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
