#pragma once
// Start-up: the console banner, the OpenGL start state with the scene objects, and the
// reshape callback that keeps the 3-D projection matched to the window.

// Window title; the "a grave" is the ISO 8859-1 byte 0xE0, as X window names expect, and the
// same byte in Windows-1252, the ANSI code page of French Windows that the title goes through.
constexpr const char* kWindowTitle = "Tarvex \xE0 explosion (essence, 4 temps)";

#include "controls/orbit.h"               // the perspective: kFieldOfViewDeg, kNearPlane, kFarPlane

// The banner's six lines, the title's "a grave" encoded for a console whose character set is
// UTF-8 (utf8) or ISO 8859-1.
const char* const* bannerLines(bool utf8);
bool consoleIsUtf8();                       // from the user's locale settings
void printBanner();
void initScene();                           // needs the window's GL context current
void onReshape(int width, int height);
// The 3-D perspective of the window's aspect, multiplied onto the current matrix: the frame's
// projection (set by onReshape) and the pick pass's, behind its pick matrix.
void applyProjection();
