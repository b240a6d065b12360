#include "interaction/animation.h"

#include <GL/glut.h>

double readElapsedMs()
{
    return static_cast<double>(glutGet(GLUT_ELAPSED_TIME));
}

void onIdle()
{
    if (stepAnimation(scene, readElapsedMs)) {
        if (scene.light0Lit) glEnable(GL_LIGHT0);
        else glDisable(GL_LIGHT0);
    }
    glutPostRedisplay();
}
