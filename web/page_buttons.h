#pragma once
// The on-screen buttons, in groups in one bar, for a whiteboard, a remote mouse or a tablet with
// no keys: each runs the command its key runs (the controls' applyKey), the speed's reset runs
// the middle button's, and full screen the page's layout. A toggle shows its state on itself
// (aria-pressed).

#include "controls/view_state.h"

// The bar's buttons, once, each running its command on state.
void addPageButtons(ViewState& state);
// Each toggle's aria-pressed, written only when it changes.
void updatePageButtons(const ViewState& state);
