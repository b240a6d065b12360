#pragma once
// A poppet valve's head and where the cycle places it: each valve runs along world x at the
// cycle's valveLift for a crank angle in degrees. Model units.

#include "model/cycle.h"
#include "model/part_recipe.h"
#include "model/vec3.h"

constexpr float kValveHeadThickness = 0.1f;
constexpr float kIntakeY = 1.0f;            // each valve's line along x, at z = 0
constexpr float kExhaustY = -1.0f;

inline float valveY(ValveSide side) { return side == ValveSide::intake ? kIntakeY : kExhaustY; }

// A valve in its own frame: head at the origin, stem 4 units along +x; both valves are this
// recipe, each in its frame at a crank angle.
const PartRecipe& valveRecipe();
Steps valveFrame(double crankAngleDeg, ValveSide side);

// The middle of the valve's head at a crank angle: where it stands off its seat.
Vec3 valveHeadCentre(double crankAngleDeg, ValveSide side);
