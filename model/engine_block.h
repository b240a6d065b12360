#pragma once
// The fixed, cut-away casing and the spark plug: the dimensions the pictures' labels share with
// the drawing, and the points they point at. World model units: cylinder axis along +x, head
// towards +x.

#include "model/crank_kinematics.h"
#include "model/cylinder.h"
#include "model/part_recipe.h"
#include "model/vec3.h"

// Barrel: two half shells along -x from x = 7.8, open on top so the piston shows.
constexpr float kBarrelHeadX = 8.0f;
constexpr float kBarrelHeadGap = 0.2f;                   // the shells start at x = 7.8
constexpr float kBoreLength = 8.5f;
constexpr float kBarrelOuterRadius = 3.0f;

// Spark plug: a cone whose base lies in the head's plane and whose tip points along -x into the
// combustion chamber.
constexpr float kPlugBaseX = static_cast<float>(kHeadPlaneX);
constexpr float kPlugLength = 0.4f;

// The casing (crankcase, barrel, walls, cylinder head with both passages: textured) and the
// spark plug (never textured), in the world frame.
const PartRecipe& casingRecipe();
const PartRecipe& sparkPlugRecipe();

Vec3 sparkPlugTip();                        // in the combustion chamber, world model units
Vec3 cylinderWallPoint();                   // in the barrel's wall on the -y side, half-way along

constexpr const char* kTextureFileName = "textureAluminum.ppm";   // looked up in the working directory
