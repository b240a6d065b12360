#include "tools/stills/pictures/offscreen_still.h"

#include <GL/freeglut.h>

#include <cstdio>
#include <utility>

#include "app/startup.h"
#include "render/display.h"
#include "tools/stills/output/document_format.h"

namespace stills {

namespace {

constexpr int kMapWaitMs = 5000;            // longest wait for the window's first expose

bool exposed = false;
int windowWidth = 0;
int windowHeight = 0;

void onFirstExpose() { exposed = true; }

void applySettings(const ViewSettings& s, double angleDeg)
{
    scene.settings() = s.scene;
    scene.crankAngle = angleDeg;
}

// The window at the size of the frame asked for: without a window manager a resize is done
// once the server has answered it.
bool sizeWindow(int width, int height)
{
    if (width == windowWidth && height == windowHeight) return true;
    glutReshapeWindow(width, height);
    const int start = glutGet(GLUT_ELAPSED_TIME);
    while ((glutGet(GLUT_WINDOW_WIDTH) != width || glutGet(GLUT_WINDOW_HEIGHT) != height)
           && glutGet(GLUT_ELAPSED_TIME) - start < kMapWaitMs)
        glutMainLoopEvent();
    if (glutGet(GLUT_WINDOW_WIDTH) != width || glutGet(GLUT_WINDOW_HEIGHT) != height) {
        std::fprintf(stderr, "%s: the window could not be resized to %dx%d\n", kProgram, width, height);
        return false;
    }
    windowWidth = width;
    windowHeight = height;
    onReshape(width, height);
    return true;
}

}  // namespace

bool openFrameWindow(const ViewSettings& settings, const char* argv0)
{
    // GLUT sees only the program name: the options are this tool's, not GLUT's.
    int glutArgc = 1;
    char* glutArgv[] = {const_cast<char*>(argv0), nullptr};
    glutInit(&glutArgc, glutArgv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    glutInitWindowPosition(0, 0);
    glutInitWindowSize(settings.width, settings.height);
    if (glutCreateWindow(kWindowTitle) == 0) {
        std::fprintf(stderr, "%s: cannot open a window\n", kProgram);
        return false;
    }
    glutDisplayFunc(onFirstExpose);
    glutReshapeFunc(onReshape);
    windowWidth = settings.width;
    windowHeight = settings.height;
    applySettings(settings, 0.0);
    initScene();

    const int start = glutGet(GLUT_ELAPSED_TIME);
    while (!exposed && glutGet(GLUT_ELAPSED_TIME) - start < kMapWaitMs) glutMainLoopEvent();
    onReshape(windowWidth, windowHeight);
    return true;
}

void closeFrameWindow()
{
    if (windowWidth == 0) return;
    glutExit();
    windowWidth = windowHeight = 0;
}

bool renderFrame(const ViewSettings& settings, double angleDeg, RgbImage* image, PictureProjection* projection)
{
    if (!sizeWindow(settings.width, settings.height)) return false;
    if (settings.style == PictureStyle::print) {
        SceneSettings paper = settings.scene;
        usePaperCamera(&paper);
        scene.settings() = paper;
        scene.crankAngle = angleDeg;
        if (renderPrintFrame(windowWidth, windowHeight, image, projection)) return true;
        std::fprintf(stderr, "%s: reading the frame back failed\n", kProgram);
        return false;
    }
    applySettings(settings, angleDeg);
    glDrawBuffer(GL_BACK);
    if (settings.overlay) drawFrame();
    else drawScene();
    PassImage frame;
    if (!readPass(windowWidth, windowHeight, true, false, &frame)) {
        std::fprintf(stderr, "%s: reading the frame back failed\n", kProgram);
        return false;
    }
    image->width = frame.width;
    image->height = frame.height;
    image->rgb = std::move(frame.rgb);
    return true;
}

bool writeStill(const ViewSettings& settings, double angleDeg, OutputFile* file)
{
    RgbImage image;
    return renderFrame(settings, angleDeg, &image) && writePng(file, image);
}

}  // namespace stills
