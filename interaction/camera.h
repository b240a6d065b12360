#pragma once
// The orbit camera: the eye moves on a sphere about the world origin and looks at the fixed
// target (0, 0, 0.5), world +z up; the zoom scales the scene after the viewing transform.

#include "app/scene_state.h"
#include "controls/orbit.h"


void updateEyePosition();                   // scene.eye from azimuth, elevation, distance
void applyCamera();                         // gluLookAt and the zoom scale, on the current matrix
void onSpecialKey(int key, int x, int y);  // the camera keys, and F11 for projector mode
void onMotion(int x, int y);
