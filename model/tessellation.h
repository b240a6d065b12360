#pragma once
// The mesh primitives as plain vertices, for any renderer: cylinders about the local z axis
// from z = 0 to z = length (radii and lengths in model units, sweeps in radians from +x towards
// +y), the textured unit cube, and the GLUT library's solid cube and cone as it emits them. Each
// run is one primitive, its vertices in the order they are to be given; pure.

#include <vector>

enum class Primitive { quadStrip, triangleFan, quads, triangleStrip, triangles };

struct MeshVertex {
    double position[3];
    float normal[3];                        // not unit length: the renderer normalises
    double texCoord[2];
};

struct MeshRun {
    Primitive primitive;
    bool hasNormals;                        // false: the renderer's current normal applies
    std::vector<MeshVertex> vertices;
};

using Mesh = std::vector<MeshRun>;

Mesh cylinderMesh(float radius, float length, int slices, int stacks, bool caps);
// Side normals tilted towards +z.
Mesh cylinderSectorMesh(float radius, float length, int slices, int stacks, bool caps, double sweep);
// Side normals tilted towards -z, top cap facing -z.
Mesh cylinderSectorReversedMesh(float radius, float length, int slices, int stacks, bool caps,
                                double sweep);
// A cube of edge 1 centred on the local origin with texture coordinates on every face, no
// normals.
Mesh texturedCubeMesh();

// GLUT's solid cube of the given edge, centred on the local origin: six faces of two triangles,
// one normal a face.
Mesh solidCubeMesh(float edge);
// GLUT's solid cone: its base disc on z = 0 facing -z, its tip at z = height; the base and each
// stack one triangle strip, slices counted clockwise seen from +z.
Mesh solidConeMesh(float baseRadius, float height, int slices, int stacks);
