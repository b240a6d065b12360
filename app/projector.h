#pragma once
// Projector mode: the window fills the screen and is laid out for a room to read from its back
// (render/projector_layout.h: the caption band, the engine framed above it, the help panel);
// the same key gives the window back its size, its place and its picture.

void toggleProjectorMode();
// From the reshape: a switch ends when the window has the screen's size, or its windowed size
// again; then the window goes back to its place where the platform did not (a screen without
// a window manager restores only the size), and an F11 pressed meanwhile is carried out.
void restoreWindowedPlace(int width, int height);
// The engine framed above the band, multiplied onto the current matrix: the projection's share
// (before the perspective) and the factor on the camera's zoom.
void applyProjectorFraming();
double projectorZoomFactor();
