#pragma once
// The crank train's placement in the world frame and the points the pictures' labels point
// at: crank axis on x = -3.25, y = 0; piston axis y = 0, z = 0.25 along +x. Model units.

#include "model/crank_kinematics.h"
#include "model/cylinder.h"
#include "model/material.h"
#include "model/part_recipe.h"
#include "model/vec3.h"

// Piston, pin at the origin, axis along +x: a body and three discs with 0.2 gaps, the last
// one's face the crown.
constexpr float kPistonBodyLength = 2.0f;
constexpr float kWebSpacing = 0.8f;         // between the two webs along the crank axis

// Heights (world z) of the pieces' frames, from the base thickness.
constexpr float kCrankAxisZ = kThickness - 0.2f;
constexpr float kPistonZ = 3 * kThickness / 2;
constexpr float kRodZ = 5 * kThickness / 2;
constexpr float kCrankAxisX = -(kRodLength + kCrankRadius) / 2;

// The pieces, each in its own frame: a crank web (crank axis along local z, pin on +x), the
// connecting rod (small eye at the origin, big eye at (kRodLength, 0, 0)) and the piston (pin
// at the origin, axis along +x).
const PartRecipe& crankWebRecipe();
const PartRecipe& rodRecipe();
const PartRecipe& pistonRecipe();

// Their frames at a cycle angle in degrees: the crank's (both webs turn in it), from which the
// first web is the recipe turned by mirroredWebTurn and the second the recipe moved by
// secondWebShift; the piston's and the rod's, from the world frame.
Steps crankFrame(double angleDeg);
Steps mirroredWebTurn();
Steps secondWebShift();
Steps pistonFrame(double angleDeg);
Steps rodFrame(double angleDeg);

// Where the pieces stand at a cycle angle in degrees, world model units: points inside each
// piece, for the labels and arrows drawn over pictures of it.
Vec3 pistonCentre(double angleDeg);         // on the piston's axis, half-way along its body
Vec3 rodMiddle(double angleDeg);            // half-way between the piston pin and the crank pin
Vec3 crankWebMiddle(double angleDeg);       // on the nearer web, half-way from the axis to the pin
