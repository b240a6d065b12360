#include "model/part_recipe.h"

namespace {

Step transformStep(StepKind kind, float a, float b, float c, float d)
{
    return {kind, {a, b, c, d}, {}};
}

}  // namespace

Step pushStep() { return transformStep(StepKind::push, 0, 0, 0, 0); }
Step popStep() { return transformStep(StepKind::pop, 0, 0, 0, 0); }
Step translateStep(float x, float y, float z) { return transformStep(StepKind::translate, x, y, z, 0); }
Step rotateStep(float degrees, float x, float y, float z)
{
    return transformStep(StepKind::rotate, degrees, x, y, z);
}
Step scaleStep(float x, float y, float z) { return transformStep(StepKind::scale, x, y, z, 0); }
Step shapeStep(const Shape& shape) { return {StepKind::shape, {0, 0, 0, 0}, shape}; }
