#include "controls/commands.h"

#include "controls/cycle_controls.h"

namespace {

constexpr unsigned char kEscape = 27;
constexpr double kSpeedStep = 0.1;          // revolutions per second per key press or wheel step
constexpr int kForward = 1;                 // the stepping keys' directions round the cycle
constexpr int kBack = -1;

}  // namespace

KeyEffect applyKey(ViewState& state, unsigned char key)
{
    switch (key) {
    case kEscape:
    case 'Q':
    case 'q': return KeyEffect::quit;
    case '+': state.speed += kSpeedStep; break;
    case '-': state.speed -= kSpeedStep; break;
    case '1': state.viewMode = VIEW_ENGINE; break;
    case '2': state.viewMode = VIEW_BLOCK; break;
    case '3': state.viewMode = VIEW_CRANK; break;
    case '4': state.viewMode = VIEW_VALVES; break;
    case '5': state.showGas = !state.showGas; break;
    case '6': state.showBlock = !state.showBlock; break;
    case 'A':
    case 'a': state.showHelp = !state.showHelp; break;
    case 'E':
    case 'e': state.showExplanations = !state.showExplanations; break;
    case 'F':
    case 'f': state.showFps = !state.showFps; break;
    case 'L':
    case 'l': state.flickering = true; break;   // a running sequence goes on unchanged
    case 'R':
    case 'r': state.showLightMarkers = !state.showLightMarkers; break;
    case 'T':
    case 't': state.texturesOn = !state.texturesOn; break;
    // The stepping keys come in pairs side by side, back on the left, at the same places and
    // without Shift on AZERTY and QWERTY keyboards alike.
    case ' ': togglePause(state); break;
    case 'B':
    case 'b': stepStroke(state, kBack); break;
    case 'N':
    case 'n': stepStroke(state, kForward); break;
    case 'J':
    case 'j': stepDegree(state, kBack); break;
    case 'K':
    case 'k': stepDegree(state, kForward); break;
    default: return KeyEffect::none;
    }
    return KeyEffect::changed;
}

void pressButton(ViewState& state, MouseButton button, int x, int y)
{
    switch (button) {
    case MouseButton::left:
        state.pressX = x;
        state.pressY = y;
        state.leftDragging = true;
        state.rightDragging = false;
        break;
    case MouseButton::right:
        state.rightPressY = y;
        state.leftDragging = false;
        state.rightDragging = true;
        break;
    case MouseButton::middle: state.speed = SceneSettings{}.speed; break;
    case MouseButton::wheelBack: state.speed -= kSpeedStep; break;
    case MouseButton::wheelForward: state.speed += kSpeedStep; break;
    }
}
