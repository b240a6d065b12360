#pragma once
// The shapes the engine's parts are made of, as parameters: the three cylinders of the mesh
// primitives (about the local z axis from z = 0 to z = length), the textured unit cube, and
// the GLUT solids a part also uses, a cube centred on its origin and a cone standing on z = 0.
// Radii, lengths and edges in model units, sweeps in radians; pure.

#include "model/tessellation.h"

enum class ShapeKind {
    cylinder,
    cylinderSector,
    cylinderSectorReversed,     // normals towards -z, top cap facing -z
    texturedCube,               // edge 1 scaled by size, texture coordinates, no normals
    solidCube,                  // GLUT's cube of edge size
    solidCone,                  // GLUT's cone: radius at its base, length its height
};

struct Shape {
    ShapeKind kind;
    float radius;
    float length;
    int slices;
    int stacks;
    bool caps;
    double sweep;
    float size;
};

Shape cylinderShape(float radius, float length, int slices, int stacks, bool caps);
Shape cylinderSectorShape(float radius, float length, int slices, int stacks, bool caps, double sweep);
Shape cylinderSectorReversedShape(float radius, float length, int slices, int stacks, bool caps,
                                  double sweep);
Shape texturedCubeShape(float scale);
Shape solidCubeShape(float edge);
Shape solidConeShape(float baseRadius, float height, int slices, int stacks);

// The shape's vertices, normals and texture coordinates in its own frame, in the order a
// renderer gives them; the textured cube at edge 1 (its scale is the renderer's to apply, as
// the display list does).
Mesh tessellate(const Shape& shape);
