#pragma once
// A part recipe replayed as OpenGL 1.1 calls, step for step: inside glNewList for the parts'
// display lists, or directly for the gas. The GLUT solids stay glutSolidCube and glutSolidCone;
// the textured cube is the block's own list, called at its scale.

#include "model/part_recipe.h"

class TexturedCube;

// The steps' matrix calls and shapes; a textured cube needs cube.
void emitSteps(const Steps& steps, const TexturedCube* cube);
// The recipe's material (ambient, diffuse, specular, shininess), then its steps.
void emitRecipe(const PartRecipe& recipe, const TexturedCube* cube);
