#include "web/input.h"

#include <emscripten/html5.h>

#include <cmath>
#include <cstring>

#include "controls/commands.h"
#include "controls/orbit.h"

namespace {

ViewState* gState = nullptr;
ViewMode (*gPick)(int, int) = nullptr;

constexpr unsigned short kLeft = 0, kMiddle = 1, kRight = 2;     // DOM's button numbers
constexpr int kTapSlop = 10;                // CSS px a finger may move and still tap

// A finger on the canvas: where it came down, whether it moved on (a drag, not a tap), and
// two fingers' spread when they came down (a pinch, the right drag's zoom).
struct Fingers {
    int downX = 0, downY = 0;
    bool moved = false;
    bool pinching = false;
    double startSpread = 0.0;
} gFingers;

// Space and Enter on a focused on-screen button are that button's.
EM_JS(int, buttonFocused, (), { return document.activeElement && document.activeElement.tagName === "BUTTON" ? 1 : 0; });

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
    if (e->key[0] == ' ' && buttonFocused()) return EM_FALSE;
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
    if (e->deltaY == 0.0) return EM_TRUE;
    pressButton(*gState, e->deltaY < 0.0 ? MouseButton::wheelBack : MouseButton::wheelForward,
                static_cast<int>(e->mouse.targetX), static_cast<int>(e->mouse.targetY));
    return EM_TRUE;
}

int fingersDown(const EmscriptenTouchEvent* e, bool ending)
{
    int down = 0;
    for (int i = 0; i < e->numTouches; ++i) down += (ending && e->touches[i].isChanged) ? 0 : 1;
    return down;
}

double spread(const EmscriptenTouchEvent* e)
{
    return std::hypot(static_cast<double>(e->touches[1].targetX - e->touches[0].targetX),
                      static_cast<double>(e->touches[1].targetY - e->touches[0].targetY));
}

// One finger down arms a turn as the left button does; a second one turns the drag into a
// pinch: its spread, grown by d pixels, is a right drag d pixels upwards, which zooms in.
EM_BOOL onTouchStart(int, const EmscriptenTouchEvent* e, void*)
{
    const int down = fingersDown(e, false);
    if (down == 1) {
        gFingers = {static_cast<int>(e->touches[0].targetX), static_cast<int>(e->touches[0].targetY)};
        pressButton(*gState, MouseButton::left, gFingers.downX, gFingers.downY);
    } else if (down == 2) {
        gFingers.pinching = true;
        gFingers.startSpread = spread(e);
        pressButton(*gState, MouseButton::right, 0, 0);
    }
    return EM_TRUE;                         // no mouse events after it, no scrolling or zooming of the page
}

EM_BOOL onTouchMove(int, const EmscriptenTouchEvent* e, void*)
{
    const int down = fingersDown(e, false);
    if (gFingers.pinching && down >= 2) {
        dragCamera(*gState, 0, -static_cast<int>(std::lround(spread(e) - gFingers.startSpread)));
    } else if (!gFingers.pinching && down == 1) {
        const int x = static_cast<int>(e->touches[0].targetX), y = static_cast<int>(e->touches[0].targetY);
        if (std::abs(x - gFingers.downX) > kTapSlop || std::abs(y - gFingers.downY) > kTapSlop) gFingers.moved = true;
        dragCamera(*gState, x, y);
    }
    return EM_TRUE;
}

// A finger lifted where it came down, with no other, is a tap: it picks as a click does.
EM_BOOL onTouchEnd(int, const EmscriptenTouchEvent* e, void*)
{
    if (fingersDown(e, true) > 0) return EM_TRUE;
    if (!gFingers.pinching && !gFingers.moved) gState->viewMode = gPick(gFingers.downX, gFingers.downY);
    gFingers = {};
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
    emscripten_set_touchstart_callback("#canvas", nullptr, EM_FALSE, onTouchStart);
    emscripten_set_touchmove_callback("#canvas", nullptr, EM_FALSE, onTouchMove);
    emscripten_set_touchend_callback("#canvas", nullptr, EM_FALSE, onTouchEnd);
    emscripten_set_touchcancel_callback("#canvas", nullptr, EM_FALSE, onTouchEnd);
}
