#include "render/part_steps.h"

#include <GL/glut.h>

#include "render/material.h"
#include "render/mesh.h"
#include "render/textured_cube.h"

namespace {

void emitShape(const Shape& s, const TexturedCube* cube)
{
    switch (s.kind) {
    case ShapeKind::cylinder:
    case ShapeKind::cylinderSector:
    case ShapeKind::cylinderSectorReversed: drawMesh(tessellate(s)); break;
    case ShapeKind::texturedCube:
        if (cube != nullptr) cube->draw(s.size);
        break;
    case ShapeKind::solidCube: glutSolidCube(s.size); break;
    case ShapeKind::solidCone: glutSolidCone(s.radius, s.length, s.slices, s.stacks); break;
    }
}

}  // namespace

void emitSteps(const Steps& steps, const TexturedCube* cube)
{
    for (const Step& step : steps) {
        const float* v = step.v;
        switch (step.kind) {
        case StepKind::push: glPushMatrix(); break;
        case StepKind::pop: glPopMatrix(); break;
        case StepKind::translate: glTranslatef(v[0], v[1], v[2]); break;
        case StepKind::rotate: glRotatef(v[0], v[1], v[2], v[3]); break;
        case StepKind::scale: glScalef(v[0], v[1], v[2]); break;
        case StepKind::shape: emitShape(step.shape, cube); break;
        }
    }
}

void emitRecipe(const PartRecipe& recipe, const TexturedCube* cube)
{
    applyMaterial(recipe.material);
    emitSteps(recipe.steps, cube);
}
