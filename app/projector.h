#pragma once
// Projector mode: the window fills the screen and every text grows with it, for a class to
// read from the back of the room; the same key gives the window back its size and place.

void toggleProjectorMode();
// From the reshape: once the window has its windowed size again, puts it back in its place
// where the platform did not (a screen without a window manager restores only the size).
void restoreWindowedPlace(int width, int height);
