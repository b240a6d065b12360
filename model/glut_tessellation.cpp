// GLUT's solid cube and cone, vertex for vertex as the library hands them to OpenGL, so that a
// renderer without GLUT draws the same triangles as the desktop program. The arithmetic is done
// in single precision in the library's order: its vertices are floats computed that way.
#include <cmath>

#include "model/crank_kinematics.h"
#include "model/tessellation.h"

namespace {

constexpr float kHalf = 0.5f;

// A cube face: its outward normal and its four corners as signs of the half edge, in the order
// the library walks them; each face becomes the triangles (0, 1, 2) and (0, 2, 3).
struct CubeFace {
    float normal[3];
    float corners[4][3];
};

constexpr CubeFace kCubeFaces[] = {
    {{0, 0, 1}, {{1, 1, 1}, {-1, 1, 1}, {-1, -1, 1}, {1, -1, 1}}},
    {{1, 0, 0}, {{1, 1, 1}, {1, -1, 1}, {1, -1, -1}, {1, 1, -1}}},
    {{0, 1, 0}, {{1, 1, 1}, {1, 1, -1}, {-1, 1, -1}, {-1, 1, 1}}},
    {{-1, 0, 0}, {{-1, 1, 1}, {-1, 1, -1}, {-1, -1, -1}, {-1, -1, 1}}},
    {{0, -1, 0}, {{-1, -1, -1}, {1, -1, -1}, {1, -1, 1}, {-1, -1, 1}}},
    {{0, 0, -1}, {{1, -1, -1}, {-1, -1, -1}, {-1, 1, -1}, {1, 1, -1}}},
};
constexpr int kFaceTriangles[6] = {0, 1, 2, 0, 2, 3};

struct ConeVertex {
    float position[3];
    float normal[3];
};

MeshVertex meshVertex(const ConeVertex& v)
{
    return {{v.position[0], v.position[1], v.position[2]}, {v.normal[0], v.normal[1], v.normal[2]},
            {0.0, 0.0}};
}

}  // namespace

Mesh solidCubeMesh(float edge)
{
    MeshRun run{Primitive::triangles, true, {}};
    for (const CubeFace& face : kCubeFaces) {
        for (int corner : kFaceTriangles) {
            const float* c = face.corners[corner];
            // The library scales its unit cube's corners by the edge.
            run.vertices.push_back({{edge * (c[0] * kHalf), edge * (c[1] * kHalf), edge * (c[2] * kHalf)},
                                    {face.normal[0], face.normal[1], face.normal[2]},
                                    {0.0, 0.0}});
        }
    }
    return {run};
}

Mesh solidConeMesh(float baseRadius, float height, int slices, int stacks)
{
    if (slices == 0 || stacks < 1) return {};

    // Sines and cosines round the circle, clockwise seen from +z, the first repeated at the end.
    const float step = 2 * static_cast<float>(kPi) / static_cast<float>(-slices);
    std::vector<float> sines(slices + 1), cosines(slices + 1);
    sines[0] = 0.0f;
    cosines[0] = 1.0f;
    for (int j = 1; j < slices; ++j) {
        sines[j] = static_cast<float>(std::sin(static_cast<double>(step * j)));
        cosines[j] = static_cast<float>(std::cos(static_cast<double>(step * j)));
    }
    sines[slices] = sines[0];
    cosines[slices] = cosines[0];

    // The side's normals lean out of the axis by the cone's half angle.
    const double slant = std::sqrt(static_cast<double>(height * height + baseRadius * baseRadius));
    const float normalOut = static_cast<float>(height / slant);
    const float normalUp = static_cast<float>(baseRadius / slant);
    const float zStep = height / stacks;
    const float rStep = baseRadius / stacks;

    // The vertex array: the base's centre, the base's rim facing down, then one ring a stack
    // boundary from the base up to the tip.
    std::vector<ConeVertex> v;
    v.push_back({{0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, -1.0f}});
    for (int j = 0; j < slices; ++j)
        v.push_back({{cosines[j] * baseRadius, sines[j] * baseRadius, 0.0f}, {0.0f, 0.0f, -1.0f}});
    float z = 0.0f;
    float r = baseRadius;
    for (int i = 0; i <= stacks; ++i) {
        for (int j = 0; j < slices; ++j)
            v.push_back({{cosines[j] * r, sines[j] * r, z}, {cosines[j] * normalOut, sines[j] * normalOut, normalUp}});
        z += zStep;
        r -= rStep;
    }

    Mesh mesh;
    MeshRun base{Primitive::triangleStrip, true, {}};
    for (int j = 0; j <= slices; ++j) {
        base.vertices.push_back(meshVertex(v[0]));
        base.vertices.push_back(meshVertex(v[1 + j % slices]));
    }
    mesh.push_back(base);
    for (int i = 0; i < stacks; ++i) {
        MeshRun band{Primitive::triangleStrip, true, {}};
        const int ring = 1 + (i + 1) * slices;
        for (int j = 0; j <= slices; ++j) {
            band.vertices.push_back(meshVertex(v[ring + j % slices]));
            band.vertices.push_back(meshVertex(v[ring + slices + j % slices]));
        }
        mesh.push_back(band);
    }
    return mesh;
}
