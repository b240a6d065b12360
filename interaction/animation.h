#pragma once
// The animation clock: each idle step turns the crank by what the speed covers in the real
// time since the previous step, wraps the angle into one cycle, measures the frame rate and
// runs the light-0 flicker sequence. While paused the angle holds and the rest goes on.

#include "app/scene_state.h"

// One animation step on state. readClockMs is read each time the step needs the elapsed-time
// clock (milliseconds). Returns true when light 0 must be toggled to match state.light0Lit.
bool stepAnimation(SceneState& state, double (*readClockMs)());

double readElapsedMs();                     // glutGet(GLUT_ELAPSED_TIME) as a double
void onIdle();
