#pragma once
// What a reshape means while projector mode comes or goes: pure, so that the order in which a
// slow window system confirms a switch can be tried without one. Sizes and places in pixels.

#include "app/scene_state.h"

struct SwitchView {
    bool projectorMode;                     // the mode asked for last
    bool switching;                         // its size not seen yet, F11 held back
    bool placePending;                      // back from full screen, the place not given back yet
    WindowPlace place;                      // the windowed place and size to come back to
};

struct ReshapeOutcome {
    bool settles;                           // the switch is over: a held F11 may go
    bool movesWindow;                       // the window is to be put at place.x, place.y
    bool placeGivenBack;                    // placePending ends
};

// The reshape to width x height, the screen screenWidth x screenHeight, the window now at
// (windowX, windowY). The place is given back whenever the windowed size comes, also after a
// timeout stopped holding F11 back: on a slow machine the confirmation can come later.
ReshapeOutcome projectorReshape(const SwitchView& view, int width, int height, int screenWidth,
                                int screenHeight, int windowX, int windowY);
