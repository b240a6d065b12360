#pragma once
// The frame: clear, viewer light, camera, engine lights, valves, crank train, block, gas,
// overlay, swap.

void onDisplay();
