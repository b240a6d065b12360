#pragma once
// Projector mode: the window fills the screen and every text grows with it, for a class to
// read from the back of the room; the same key gives the window back its size and place.

void toggleProjectorMode();
// From the reshape: a switch ends when the window has the screen's size, or its windowed size
// again; then the window goes back to its place where the platform did not (a screen without
// a window manager restores only the size), and an F11 pressed meanwhile is carried out.
void restoreWindowedPlace(int width, int height);
