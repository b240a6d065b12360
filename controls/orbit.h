#pragma once
// The orbit camera's laws: the eye moves on a sphere about the world origin and looks at the
// fixed target (0, 0, 0.5), world +z up, through a 20-degree perspective; the keys turn it or
// move it away and nearer, a left drag turns it at a rate, a right drag zooms. Pure over the
// state: the desktop window and the browser page apply the same.

#include "controls/view_state.h"

constexpr double kFieldOfViewDeg = 20.0;    // vertical
constexpr double kNearPlane = 1.0;          // model units from the eye
constexpr double kFarPlane = 20.0;

// Eye point of an orbit, radians and model units.
Vec3 orbitEye(double azimuth, double elevation, double distance);

enum class CameraKey { left, up, right, down, pageUp, pageDown };

// One press of a camera key; the eye follows.
void turnCamera(ViewState& state, CameraKey key);
// A motion event at window pixel (x, y), y downwards, while a left or right drag is armed; the
// eye follows.
void dragCamera(ViewState& state, int x, int y);
