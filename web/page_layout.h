#pragma once
// The page's three layouts, as the body's data-layout says to its style sheet: "wide", the texts
// over the engine as in the desktop's window; "projector", in full screen, the engine above a
// caption band in type read from the back of a classroom; "compact", on a phone-sized screen,
// the engine above the texts and the buttons. The help, a list of keys, is hidden on entering
// either of the last two, until asked for.

#include "controls/view_state.h"

bool isFullScreen();
void toggleFullScreen();
// Chooses the layout now and whenever the window's size or full screen changes.
void followLayout(ViewState& state);
