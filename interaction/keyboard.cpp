#include "interaction/keyboard.h"

#include <GL/glut.h>

#include <cstdlib>

#include "app/scene_state.h"
#include "controls/commands.h"

void onKeyboard(unsigned char key, int, int)
{
    if (applyKey(scene, key) == KeyEffect::quit) std::exit(EXIT_SUCCESS);
    glutPostRedisplay();
}
