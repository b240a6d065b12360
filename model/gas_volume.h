#pragma once
// Where the gas charges stand: the cylinder charge between piston crown and head at every
// angle, and the intake and exhaust passage charges. World model units.

#include "model/cycle.h"
#include "model/crank_kinematics.h"
#include "model/cylinder.h"
#include "model/part_recipe.h"
#include "model/vec3.h"

// The charge runs from just past the crown to the head's plane.
constexpr double kPastCrown = 0.1;          // model units along the axis
constexpr double kCrownGap = kPistonCrownOffset + kPastCrown;      // from the piston pin
constexpr float kChargeZ = 5 * kThickness / 2;     // the axis of the cylinder's charge

// Passage charge: a box over the passage, centre and size.
constexpr float kPassageBoxX = 8.9f;
constexpr float kPassageBoxY = 2.8f;
constexpr float kPassageBoxZ = 0.3f;
constexpr float kPassageBoxSize[3] = {1.4f, 4.4f, 1.4f};

inline float sideSign(ValveSide side) { return side == ValveSide::intake ? 1.0f : -1.0f; }

// The charges at a crank angle, world frame: translucent, added to what is behind them, made
// afresh every frame since the chamber's length follows the piston.
PartRecipe gasCharges(double angleDeg);

// Points on the gas's way, world model units: the middle of the charge in the cylinder at a
// crank angle, and of a passage, and the passage's outer mouth.
Vec3 chamberCentre(double angleDeg);
Vec3 passageCentre(ValveSide side);
Vec3 passageMouth(ValveSide side);
