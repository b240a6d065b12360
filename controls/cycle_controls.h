#pragma once
// Holding the cycle still and moving it by hand, for showing one moment of it to a class:
// pause and resume, stroke by stroke (each stroke at its telling angle), degree by degree.
// Pure over the state; the keys call them.

#include "controls/view_state.h"

void togglePause(ViewState& state);
// To the telling angle of the next (+1) or previous (-1) stroke, wrapping round the cycle,
// and paused there.
void stepStroke(ViewState& state, int direction);
// To the next whole degree up (+1) or down (-1), wrapping round the cycle, and paused there.
void stepDegree(ViewState& state, int direction);
