#include "model/shape.h"

Shape cylinderShape(float radius, float length, int slices, int stacks, bool caps)
{
    return {ShapeKind::cylinder, radius, length, slices, stacks, caps, 0.0, 0.0f};
}

Shape cylinderSectorShape(float radius, float length, int slices, int stacks, bool caps, double sweep)
{
    return {ShapeKind::cylinderSector, radius, length, slices, stacks, caps, sweep, 0.0f};
}

Shape cylinderSectorReversedShape(float radius, float length, int slices, int stacks, bool caps,
                                  double sweep)
{
    return {ShapeKind::cylinderSectorReversed, radius, length, slices, stacks, caps, sweep, 0.0f};
}

Shape texturedCubeShape(float scale) { return {ShapeKind::texturedCube, 0.0f, 0.0f, 0, 0, false, 0.0, scale}; }

Shape solidCubeShape(float edge) { return {ShapeKind::solidCube, 0.0f, 0.0f, 0, 0, false, 0.0, edge}; }

Shape solidConeShape(float baseRadius, float height, int slices, int stacks)
{
    return {ShapeKind::solidCone, baseRadius, height, slices, stacks, false, 0.0, 0.0f};
}

Mesh tessellate(const Shape& s)
{
    switch (s.kind) {
    case ShapeKind::cylinder: return cylinderMesh(s.radius, s.length, s.slices, s.stacks, s.caps);
    case ShapeKind::cylinderSector:
        return cylinderSectorMesh(s.radius, s.length, s.slices, s.stacks, s.caps, s.sweep);
    case ShapeKind::cylinderSectorReversed:
        return cylinderSectorReversedMesh(s.radius, s.length, s.slices, s.stacks, s.caps, s.sweep);
    case ShapeKind::texturedCube: return texturedCubeMesh();
    case ShapeKind::solidCube: return solidCubeMesh(s.size);
    case ShapeKind::solidCone: return solidConeMesh(s.radius, s.length, s.slices, s.stacks);
    }
    return {};
}
