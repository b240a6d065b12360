#include "interaction/keyboard.h"

#include <GL/glut.h>

#include <cstdlib>

#include "app/scene_state.h"
#include "interaction/cycle_controls.h"

namespace {

constexpr unsigned char kEscape = 27;
constexpr double kSpeedStep = 0.1;          // revolutions per second per key press
constexpr int kForward = 1;                 // the stepping keys' directions round the cycle
constexpr int kBack = -1;

}  // namespace

void onKeyboard(unsigned char key, int, int)
{
    switch (key) {
    case kEscape:
    case 'Q':
    case 'q': std::exit(EXIT_SUCCESS);
    case '+': scene.speed += kSpeedStep; break;
    case '-': scene.speed -= kSpeedStep; break;
    case '1': scene.viewMode = VIEW_ENGINE; break;
    case '2': scene.viewMode = VIEW_BLOCK; break;
    case '3': scene.viewMode = VIEW_CRANK; break;
    case '4': scene.viewMode = VIEW_VALVES; break;
    case '5': scene.showGas = !scene.showGas; break;
    case '6': scene.showBlock = !scene.showBlock; break;
    case 'A':
    case 'a': scene.showHelp = !scene.showHelp; break;
    case 'E':
    case 'e': scene.showExplanations = !scene.showExplanations; break;
    case 'F':
    case 'f': scene.showFps = !scene.showFps; break;
    case 'L':
    case 'l': scene.flickering = true; break;   // a running sequence goes on unchanged
    case 'R':
    case 'r': scene.showLightMarkers = !scene.showLightMarkers; break;
    case 'T':
    case 't': scene.texturesOn = !scene.texturesOn; break;
    // The stepping keys come in pairs side by side, back on the left, at the same places and
    // without Shift on AZERTY and QWERTY keyboards alike.
    case ' ': togglePause(scene); break;
    case 'B':
    case 'b': stepStroke(scene, kBack); break;
    case 'N':
    case 'n': stepStroke(scene, kForward); break;
    case 'J':
    case 'j': stepDegree(scene, kBack); break;
    case 'K':
    case 'k': stepDegree(scene, kForward); break;
    default: break;
    }
    glutPostRedisplay();
}
