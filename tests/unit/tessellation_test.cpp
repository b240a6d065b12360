#include <gtest/gtest.h>

#include <cmath>

#include "model/tessellation.h"

TEST(Tessellation, VertexCountsAndTheCubesCorners)
{
    // Two per column of each band, then a centre and slices + 1 rim points per cap.
    size_t n = 0;
    for (const MeshRun& run : cylinderMesh(1.0f, 2.0f, 8, 3, true)) n += run.vertices.size();
    EXPECT_EQ(n, 3u * 2 * 9 + 2 * 10);
    const Mesh cube = texturedCubeMesh();
    ASSERT_EQ(cube.size(), 6u);
    for (const MeshRun& run : cube)
        for (const MeshVertex& v : run.vertices)
            for (double c : v.position) EXPECT_DOUBLE_EQ(std::fabs(c), 0.5);
}

TEST(Tessellation, VerticesOnTheShellToTheSweepAndNormalsAlongTheRadius)
{
    const float radius = 2.0f, length = 1.5f;
    const Mesh mesh = cylinderSectorReversedMesh(radius, length, 35, 2, true, 3.141592653589793);
    EXPECT_NEAR(mesh.front().vertices.back().position[0], -radius, 1e-9);     // half a turn
    for (const MeshRun& run : mesh)
        for (const MeshVertex& v : run.vertices) {
            EXPECT_LE(std::hypot(v.position[0], v.position[1]), radius + 1e-9);
            EXPECT_TRUE(v.position[2] >= 0.0 && v.position[2] <= length + 1e-9);
            const float* m = v.normal;
            const bool side = run.primitive == Primitive::quadStrip;
            EXPECT_NEAR(std::hypot(m[0], m[1]), side ? radius : 0.0f, 1e-5);
            EXPECT_FLOAT_EQ(std::fabs(m[2]), 1.0f);
        }
}
