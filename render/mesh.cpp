#include "render/mesh.h"

#include <GL/gl.h>

#include <cmath>

namespace {

constexpr double kFullTurn = 6.283185307179586;     // radians

// The walk shared by the three builders: bands of quad strips, upper vertex of each pair
// first (counter-clockwise from outside), then the two caps. sideNormalZ tilts the side
// normals, topNormalZ is the top cap's facing. Every loop is counted, not bounded by the
// angle, so the last column sits at the sweep only up to rounding.
void walkCylinder(float radius, float length, int slices, int stacks, bool caps, double sweep,
                  float sideNormalZ, float topNormalZ)
{
    const double step = sweep / slices;
    const double h = static_cast<double>(length) / stacks;

    for (int i = 0; i < stacks; ++i) {
        glBegin(GL_QUAD_STRIP);
        double angle = 0.0;
        for (int j = 0; j <= slices; ++j) {
            const double x = radius * std::cos(angle);
            const double y = radius * std::sin(angle);
            glNormal3f(static_cast<float>(x), static_cast<float>(y), sideNormalZ);
            glTexCoord2d(angle / sweep, static_cast<double>(i + 1) / stacks);
            glVertex3d(x, y, (i + 1) * h);
            glTexCoord2d(angle / sweep, static_cast<double>(i) / stacks);
            glVertex3d(x, y, i * h);
            angle += step;
        }
        glEnd();
    }
    if (!caps) return;

    // Bottom cap: the rim runs from the sweep down to 0, counter-clockwise seen from -z.
    // Cap texture coordinates are the rim's own x and y in model units.
    glNormal3f(0.0f, 0.0f, -1.0f);
    glBegin(GL_TRIANGLE_FAN);
    glTexCoord2d(0.0, 0.0);
    glVertex3d(0.0, 0.0, 0.0);
    double angle = sweep;
    for (int j = 0; j <= slices; ++j) {
        const double x = radius * std::cos(angle);
        const double y = radius * std::sin(angle);
        glTexCoord2d(x, y);
        glVertex3d(x, y, 0.0);
        angle -= step;
    }
    glEnd();

    glNormal3f(0.0f, 0.0f, topNormalZ);
    glBegin(GL_TRIANGLE_FAN);
    glTexCoord2d(0.0, 0.0);
    glVertex3d(0.0, 0.0, length);
    angle = 0.0;
    for (int j = 0; j <= slices; ++j) {
        const double x = radius * std::cos(angle);
        const double y = radius * std::sin(angle);
        glTexCoord2d(x, y);
        glVertex3d(x, y, length);
        angle += step;
    }
    glEnd();
}

}  // namespace

void drawCylinder(float radius, float length, int slices, int stacks, bool caps)
{
    walkCylinder(radius, length, slices, stacks, caps, kFullTurn, 0.0f, 1.0f);
}

void drawCylinderSector(float radius, float length, int slices, int stacks, bool caps, double sweep)
{
    walkCylinder(radius, length, slices, stacks, caps, sweep, 1.0f, 1.0f);
}

void drawCylinderSectorReversed(float radius, float length, int slices, int stacks, bool caps,
                                double sweep)
{
    walkCylinder(radius, length, slices, stacks, caps, sweep, -1.0f, -1.0f);
}
