// Tarvex: an animated, cut-away single-cylinder four-stroke petrol engine.

#include <GL/glut.h>

#include "app/scene_state.h"
#include "app/startup.h"
#include "interaction/animation.h"
#include "interaction/camera.h"
#include "interaction/keyboard.h"
#include "interaction/mouse.h"
#include "render/display.h"

int main(int argc, char** argv)
{
    printBanner();
    glutInit(&argc, argv);
    // freeglut starts its elapsed-time clock in glutInit, so the first stamps are taken here.
    scene.lastFlashTime = readElapsedMs();
    scene.lastFrameTime = readElapsedMs();

    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    glutInitWindowPosition(0, 0);
    glutInitWindowSize(scene.windowWidth, scene.windowHeight);
    if (glutCreateWindow(kWindowTitle) == 0) return 1;

    initScene();

    glutReshapeFunc(onReshape);
    glutDisplayFunc(onDisplay);
    glutKeyboardFunc(onKeyboard);
    glutSpecialFunc(onSpecialKey);
    glutMouseFunc(onMouse);
    glutMotionFunc(onMotion);
    glutIdleFunc(onIdle);
    glutMainLoop();
    return 0;
}
