#include "web/input.h"

#include <emscripten/html5.h>

#include <cstring>

#include "controls/commands.h"
#include "controls/orbit.h"

namespace {

ViewState* gState = nullptr;
ViewMode (*gPick)(int, int) = nullptr;

constexpr unsigned short kLeft = 0, kMiddle = 1, kRight = 2;     // DOM's button numbers

bool cameraKey(const char* key, CameraKey& out)
{
    static const struct {
        const char* name;
        CameraKey key;
    } kKeys[] = {{"ArrowLeft", CameraKey::left}, {"ArrowUp", CameraKey::up}, {"ArrowRight", CameraKey::right},
                 {"ArrowDown", CameraKey::down}, {"PageUp", CameraKey::pageUp}, {"PageDown", CameraKey::pageDown}};
    for (const auto& k : kKeys)
        if (std::strcmp(key, k.name) == 0) {
            out = k.key;
            return true;
        }
    return false;
}

EM_BOOL onKeyDown(int, const EmscriptenKeyboardEvent* e, void*)
{
    if (e->ctrlKey || e->altKey || e->metaKey) return EM_FALSE;     // the browser's own shortcuts
    CameraKey camera;
    if (cameraKey(e->key, camera)) {
        turnCamera(*gState, camera);
        return EM_TRUE;
    }
    // One printable character: the desktop's key of the same character. Quitting is left to
    // the browser.
    if (e->key[0] == '\0' || e->key[1] != '\0') return EM_FALSE;
    return applyKey(*gState, static_cast<unsigned char>(e->key[0])) == KeyEffect::changed ? EM_TRUE : EM_FALSE;
}

EM_BOOL onMouseDown(int, const EmscriptenMouseEvent* e, void*)
{
    const int x = static_cast<int>(e->targetX), y = static_cast<int>(e->targetY);
    switch (e->button) {
    case kLeft:
        gState->viewMode = gPick(x, y);
        pressButton(*gState, MouseButton::left, x, y);
        break;
    case kMiddle: pressButton(*gState, MouseButton::middle, x, y); break;
    case kRight: pressButton(*gState, MouseButton::right, x, y); break;
    default: return EM_FALSE;
    }
    return EM_TRUE;
}

EM_BOOL onMouseMove(int, const EmscriptenMouseEvent* e, void*)
{
    // GLUT's motion callback: only while a button is held.
    if (e->buttons == 0) return EM_FALSE;
    dragCamera(*gState, static_cast<int>(e->targetX), static_cast<int>(e->targetY));
    return EM_TRUE;
}

EM_BOOL onWheel(int, const EmscriptenWheelEvent* e, void*)
{
    // A step forward is X's button 4, which GLUT gives the desktop program as its "back" one.
    if (e->deltaY == 0.0) return EM_FALSE;
    pressButton(*gState, e->deltaY < 0.0 ? MouseButton::wheelBack : MouseButton::wheelForward,
                static_cast<int>(e->mouse.targetX), static_cast<int>(e->mouse.targetY));
    return EM_TRUE;
}

}  // namespace

void listenToInput(ViewState& state, ViewMode (*pick)(int x, int y))
{
    gState = &state;
    gPick = pick;
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, onKeyDown);
    emscripten_set_mousedown_callback("#canvas", nullptr, EM_FALSE, onMouseDown);
    emscripten_set_mousemove_callback("#canvas", nullptr, EM_FALSE, onMouseMove);
    emscripten_set_wheel_callback("#canvas", nullptr, EM_FALSE, onWheel);
}
