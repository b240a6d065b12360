#pragma once
// The engine as the model describes it, in the page's terms: each part's recipe evaluated at a
// crank angle into batches, and the labels that name the singled-out group's pieces.

#include <vector>

#include "controls/view_state.h"
#include "model/vec3.h"
#include "web/frame_geometry.h"

struct PageLabel {
    ViewMode group;
    const char* text;                       // from the printed texts
    Vec3 anchor;                            // the engine's frame, model units
    bool large;                             // the group's own name
};

const std::vector<PageLabel>& engineLabels();
// Valves, crank train, block, then the gas: the desktop program's drawing order.
std::vector<Batch> engineBatches(double crankAngleDeg);
