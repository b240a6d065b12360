#pragma once
// The animation clock: each step turns the crank by what the speed covers in the real time
// since the previous step, wraps the angle into one cycle, measures the frame rate and runs the
// light-0 flicker sequence. While paused the angle holds and the rest goes on.

#include "controls/view_state.h"

// One animation step on state. readClockMs is read each time the step needs the elapsed-time
// clock (milliseconds). Returns true when light 0 must be toggled to match state.light0Lit.
bool stepAnimation(ViewState& state, double (*readClockMs)());
