#pragma once
// The single-key commands (speed, view modes, display switches, light flicker, pausing and
// stepping the cycle) and the mouse buttons' presses (the speed, arming a turn or a zoom), as
// they change the state. Picking and quitting are the caller's: only it knows its window.

#include "controls/view_state.h"

enum class KeyEffect { none, changed, quit };

KeyEffect applyKey(ViewState& state, unsigned char key);

enum class MouseButton { left, right, middle, wheelBack, wheelForward };

// A press at window pixel (x, y), y downwards; releases change nothing.
void pressButton(ViewState& state, MouseButton button, int x, int y);
