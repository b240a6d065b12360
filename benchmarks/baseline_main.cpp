// The cheapest possible GLUT frame, for comparison with Tarvex's: clear and swap, as fast as
// the event loop allows, in a window of the same size and mode.

#include <GL/glut.h>

#include <cstdlib>

namespace {

void onDisplay()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glutSwapBuffers();
}

void onIdle() { glutPostRedisplay(); }

void onKeyboard(unsigned char key, int, int)
{
    if (key == 'q' || key == 27) std::exit(0);
}

}  // namespace

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    glutInitWindowPosition(0, 0);
    glutInitWindowSize(800, 600);
    glutCreateWindow("Tarvex baseline");
    glutDisplayFunc(onDisplay);
    glutKeyboardFunc(onKeyboard);
    glutIdleFunc(onIdle);
    glutMainLoop();
    return 0;
}
