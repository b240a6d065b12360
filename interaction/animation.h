#pragma once
// The window's animation clock: each idle step (controls/animation_step.h) reads GLUT's clock
// and switches light 0 as the flicker asks.

#include "app/scene_state.h"
#include "controls/animation_step.h"

double readElapsedMs();                     // glutGet(GLUT_ELAPSED_TIME) as a double
void onIdle();
