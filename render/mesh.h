#pragma once
// The model's mesh primitives given to GL in immediate mode, vertex for vertex as
// model/tessellation.h lists them. They set no material or matrix; normals are not unit length
// (GL_NORMALIZE is on).

#include "model/tessellation.h"

void drawMesh(const Mesh& mesh);

void drawCylinder(float radius, float length, int slices, int stacks, bool caps);
void drawCylinderSector(float radius, float length, int slices, int stacks, bool caps, double sweep);
void drawCylinderSectorReversed(float radius, float length, int slices, int stacks, bool caps,
                                double sweep);
