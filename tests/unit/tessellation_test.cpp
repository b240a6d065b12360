#include <gtest/gtest.h>

#include <cmath>

#include "model/tessellation.h"

namespace {

size_t vertexCount(const Mesh& mesh)
{
    size_t n = 0;
    for (const MeshRun& run : mesh) n += run.vertices.size();
    return n;
}

}  // namespace

TEST(Tessellation, VertexCountPerShape)
{
    // Two per column of each band, then a centre and slices + 1 rim points per cap.
    EXPECT_EQ(vertexCount(cylinderMesh(1.0f, 2.0f, 8, 3, false)), 3u * 2 * 9);
    EXPECT_EQ(vertexCount(cylinderMesh(1.0f, 2.0f, 8, 3, true)), 3u * 2 * 9 + 2 * 10);
    EXPECT_EQ(cylinderSectorMesh(2.0f, 1.0f, 10, 1, true, 3.14).size(), 3u);
    EXPECT_EQ(vertexCount(texturedCubeMesh()), 24u);
}

TEST(Tessellation, VerticesOnTheShellAndNormalsAlongTheRadius)
{
    const float radius = 2.0f, length = 1.5f;
    for (const MeshRun& run : cylinderSectorReversedMesh(radius, length, 35, 2, true, 3.141592653589793))
        for (const MeshVertex& v : run.vertices) {
            const double r = std::hypot(v.position[0], v.position[1]);
            EXPECT_LE(r, radius + 1e-9);
            EXPECT_GE(v.position[2], 0.0);
            EXPECT_LE(v.position[2], length + 1e-9);
            EXPECT_GE(v.position[1], -1e-6);    // half a turn from +x through +y
            const float* n = v.normal;
            if (run.primitive == Primitive::quadStrip) {
                EXPECT_NEAR(std::hypot(n[0], n[1]), radius, 1e-5);
                EXPECT_FLOAT_EQ(n[2], -1.0f);
            } else {
                EXPECT_FLOAT_EQ(std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]), 1.0f);
            }
        }
}

TEST(Tessellation, TheStripStartsAtZeroAndEndsAtTheSweep)
{
    const double sweep = 1.6 * 3.141592653589793;
    const MeshRun strip = cylinderSectorMesh(3.2f, 1.8f, 35, 1, false, sweep).front();
    EXPECT_NEAR(std::atan2(strip.vertices.front().position[1], strip.vertices.front().position[0]), 0.0, 1e-12);
    const MeshVertex& last = strip.vertices.back();
    EXPECT_NEAR(std::atan2(last.position[1], last.position[0]), sweep - 2 * 3.141592653589793, 1e-9);
    EXPECT_NEAR(last.texCoord[0], 1.0, 1e-9);
}

TEST(Tessellation, TheCubeSpansItsEdgeWithoutNormals)
{
    for (const MeshRun& run : texturedCubeMesh()) {
        EXPECT_FALSE(run.hasNormals);
        for (const MeshVertex& v : run.vertices)
            for (double c : v.position) EXPECT_DOUBLE_EQ(std::fabs(c), 0.5);
    }
}
