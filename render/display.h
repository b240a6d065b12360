#pragma once
// The frame: clear, viewer light, camera, engine lights, valves, crank train, block, gas,
// overlay, swap.

#include "app/scene_state.h"

void onDisplay();
void drawFrame();                           // the frame without the swap, for read-back

// The view-mode highlighting of the group that `group` singles out: its labels and fill when
// it is the one, fill in VIEW_ENGINE, the group's wireframe call otherwise.
void highlightGroup(ViewMode group);
