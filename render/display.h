#pragma once
// The frame: clear, viewer light, camera, engine lights, valves, crank train, block, gas,
// overlay, swap.

#include "app/scene_state.h"

void onDisplay();
void drawFrame();                           // the frame without the swap, for read-back

// The view-mode highlighting of the group that `group` singles out: its labels and fill when
// it is the one, fill in VIEW_ENGINE, the group's wireframe call otherwise.
void highlightGroup(ViewMode group);

// The engine's part groups in one order, for the frame and the pick pass alike: the valves, the
// crank train, then the block when it is shown, each at the scene's crank angle. Before each
// group, beforeGroup gets the group's view mode, which is also its pick name.
void drawPartGroups(void (*beforeGroup)(ViewMode group), bool texturedBlock);
