#include "render/mesh.h"

#include <GL/gl.h>

namespace {

GLenum glMode(Primitive p)
{
    switch (p) {
    case Primitive::quadStrip: return GL_QUAD_STRIP;
    case Primitive::triangleFan: return GL_TRIANGLE_FAN;
    case Primitive::quads: return GL_QUADS;
    case Primitive::triangleStrip: return GL_TRIANGLE_STRIP;
    case Primitive::triangles: return GL_TRIANGLES;
    }
    return GL_QUADS;
}

bool sameNormal(const float* a, const float* b) { return a[0] == b[0] && a[1] == b[1] && a[2] == b[2]; }

}  // namespace

void drawMesh(const Mesh& mesh)
{
    for (const MeshRun& run : mesh) {
        // A fan's shared normal goes before its glBegin, a strip's with each column.
        const bool oneNormal = run.primitive == Primitive::triangleFan;
        if (run.hasNormals && oneNormal && !run.vertices.empty()) glNormal3fv(run.vertices.front().normal);
        glBegin(glMode(run.primitive));
        const float* last = nullptr;
        for (const MeshVertex& v : run.vertices) {
            if (run.hasNormals && !oneNormal && (last == nullptr || !sameNormal(last, v.normal)))
                glNormal3fv(v.normal);
            last = v.normal;
            glTexCoord2dv(v.texCoord);
            glVertex3dv(v.position);
        }
        glEnd();
    }
}

void drawCylinder(float radius, float length, int slices, int stacks, bool caps)
{
    drawMesh(cylinderMesh(radius, length, slices, stacks, caps));
}

void drawCylinderSector(float radius, float length, int slices, int stacks, bool caps, double sweep)
{
    drawMesh(cylinderSectorMesh(radius, length, slices, stacks, caps, sweep));
}

void drawCylinderSectorReversed(float radius, float length, int slices, int stacks, bool caps,
                                double sweep)
{
    drawMesh(cylinderSectorReversedMesh(radius, length, slices, stacks, caps, sweep));
}
