#include "model/tessellation.h"

#include <cmath>

namespace {

constexpr double kFullTurn = 6.283185307179586;     // radians

// The walk shared by the three cylinders: bands of quad strips, upper vertex of each pair first
// (counter-clockwise from outside), then the two caps. sideNormalZ tilts the side normals,
// topNormalZ is the top cap's facing. Every loop is counted, not bounded by the angle, so the
// last column sits at the sweep only up to rounding.
Mesh walkCylinder(float radius, float length, int slices, int stacks, bool caps, double sweep,
                  float sideNormalZ, float topNormalZ)
{
    Mesh mesh;
    const double step = sweep / slices;
    const double h = static_cast<double>(length) / stacks;

    for (int i = 0; i < stacks; ++i) {
        MeshRun band{Primitive::quadStrip, true, {}};
        double angle = 0.0;
        for (int j = 0; j <= slices; ++j) {
            const double x = radius * std::cos(angle);
            const double y = radius * std::sin(angle);
            const float nx = static_cast<float>(x), ny = static_cast<float>(y);
            band.vertices.push_back({{x, y, (i + 1) * h}, {nx, ny, sideNormalZ},
                                     {angle / sweep, static_cast<double>(i + 1) / stacks}});
            band.vertices.push_back({{x, y, i * h}, {nx, ny, sideNormalZ},
                                     {angle / sweep, static_cast<double>(i) / stacks}});
            angle += step;
        }
        mesh.push_back(band);
    }
    if (!caps) return mesh;

    // Bottom cap: the rim runs from the sweep down to 0, counter-clockwise seen from -z.
    // Cap texture coordinates are the rim's own x and y in model units.
    MeshRun bottom{Primitive::triangleFan, true, {{{0.0, 0.0, 0.0}, {0.0f, 0.0f, -1.0f}, {0.0, 0.0}}}};
    double angle = sweep;
    for (int j = 0; j <= slices; ++j) {
        const double x = radius * std::cos(angle);
        const double y = radius * std::sin(angle);
        bottom.vertices.push_back({{x, y, 0.0}, {0.0f, 0.0f, -1.0f}, {x, y}});
        angle -= step;
    }
    mesh.push_back(bottom);

    const double top = length;
    MeshRun cap{Primitive::triangleFan, true, {{{0.0, 0.0, top}, {0.0f, 0.0f, topNormalZ}, {0.0, 0.0}}}};
    angle = 0.0;
    for (int j = 0; j <= slices; ++j) {
        const double x = radius * std::cos(angle);
        const double y = radius * std::sin(angle);
        cap.vertices.push_back({{x, y, top}, {0.0f, 0.0f, topNormalZ}, {x, y}});
        angle += step;
    }
    mesh.push_back(cap);
    return mesh;
}

constexpr double h = 0.5;                   // half the edge of the unit cube

// Six faces, four corners each, in the order the texture corners (0,0) (1,0) (1,1) (0,1) take.
// Faces 2, 4 and 6 run counter-clockwise from outside, 1, 3 and 5 clockwise; with no face
// culling both sides show.
constexpr double kFaces[6][4][3] = {
    {{h, h, h}, {h, h, -h}, {h, -h, -h}, {h, -h, h}},
    {{-h, h, h}, {-h, h, -h}, {-h, -h, -h}, {-h, -h, h}},
    {{-h, h, h}, {-h, h, -h}, {h, h, -h}, {h, h, h}},
    {{-h, -h, h}, {-h, -h, -h}, {h, -h, -h}, {h, -h, h}},
    {{-h, h, h}, {h, h, h}, {h, -h, h}, {-h, -h, h}},
    {{-h, h, -h}, {h, h, -h}, {h, -h, -h}, {-h, -h, -h}},
};
constexpr double kCorners[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};

}  // namespace

Mesh cylinderMesh(float radius, float length, int slices, int stacks, bool caps)
{
    return walkCylinder(radius, length, slices, stacks, caps, kFullTurn, 0.0f, 1.0f);
}

Mesh cylinderSectorMesh(float radius, float length, int slices, int stacks, bool caps, double sweep)
{
    return walkCylinder(radius, length, slices, stacks, caps, sweep, 1.0f, 1.0f);
}

Mesh cylinderSectorReversedMesh(float radius, float length, int slices, int stacks, bool caps,
                                double sweep)
{
    return walkCylinder(radius, length, slices, stacks, caps, sweep, -1.0f, -1.0f);
}

Mesh texturedCubeMesh()
{
    Mesh mesh;
    for (const auto& face : kFaces) {
        MeshRun run{Primitive::quads, false, {}};
        for (int v = 0; v < 4; ++v)
            run.vertices.push_back({{face[v][0], face[v][1], face[v][2]}, {0.0f, 0.0f, 0.0f},
                                    {kCorners[v][0], kCorners[v][1]}});
        mesh.push_back(run);
    }
    return mesh;
}
