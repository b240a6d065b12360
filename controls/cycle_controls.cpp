#include "controls/cycle_controls.h"

#include <cmath>

#include "model/cycle.h"

void togglePause(ViewState& state)
{
    state.paused = !state.paused;
}

void stepStroke(ViewState& state, int direction)
{
    // Strokes 1 to 4 as 0 to 3, so that the wrap is a remainder.
    const int from = strokeOf(state.crankAngle) - 1;
    const int to = (from + (direction > 0 ? 1 : kStrokeCount - 1)) % kStrokeCount;
    state.crankAngle = tellingAngleDeg(to + 1);
    state.paused = true;
}

void stepDegree(ViewState& state, int direction)
{
    // Whole degrees, so that the angle shown while paused is the angle drawn.
    const double next = direction > 0 ? std::floor(state.crankAngle) + 1.0 : std::ceil(state.crankAngle) - 1.0;
    state.crankAngle = wrapCrankAngle(next);
    state.paused = true;
}
