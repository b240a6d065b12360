#pragma once
// Cylinder builders emitting immediate-mode geometry about the local z axis, from z = 0 to
// z = length. Radii and lengths in model units, sweeps in radians from +x towards +y.
// They set no material or matrix; normals are not unit length (GL_NORMALIZE is on).

void drawCylinder(float radius, float length, int slices, int stacks, bool caps);
// Side normals tilted towards +z.
void drawCylinderSector(float radius, float length, int slices, int stacks, bool caps, double sweep);
// Side normals tilted towards -z, top cap facing -z.
void drawCylinderSectorReversed(float radius, float length, int slices, int stacks, bool caps,
                                double sweep);
