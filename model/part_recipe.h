#pragma once
// A part as data: the steps that build it in its own frame (matrix pushes and pops, turns,
// moves and scalings, and the shapes drawn where they lead), with its material, whether it
// takes the block's texture and the group it belongs to. OpenGL 1.1 replays the steps call for
// call into a display list; another renderer evaluates them into one matrix a shape
// (model/placement.h). Model units and degrees.

#include <vector>

#include "model/material.h"
#include "model/shape.h"

// The groups a user singles out and picks; the gas belongs to none of them.
enum class PartGroup { valves, crankTrain, block, gas };

enum class StepKind { push, pop, translate, rotate, scale, shape };

struct Step {
    StepKind kind;
    float v[4];                             // translate, scale: x, y, z; rotate: degrees, axis
    Shape shape;                            // what StepKind::shape draws
};

using Steps = std::vector<Step>;

Step pushStep();
Step popStep();
Step translateStep(float x, float y, float z);
Step rotateStep(float degrees, float x, float y, float z);
Step scaleStep(float x, float y, float z);
Step shapeStep(const Shape& shape);

struct PartRecipe {
    const char* name;
    PartGroup group;
    Material material;
    bool textured;                          // takes the aluminium texture when textures are on
    Steps steps;
};
