#include "render/textured_cube.h"

namespace {

constexpr float h = 0.5f;                   // half the edge of the unit cube

// Six faces, four corners each, in the order the texture corners (0,0) (1,0) (1,1) (0,1) take.
// Faces 2, 4 and 6 run counter-clockwise from outside, 1, 3 and 5 clockwise; with no face
// culling both sides show.
constexpr float kFaces[6][4][3] = {
    {{h, h, h}, {h, h, -h}, {h, -h, -h}, {h, -h, h}},
    {{-h, h, h}, {-h, h, -h}, {-h, -h, -h}, {-h, -h, h}},
    {{-h, h, h}, {-h, h, -h}, {h, h, -h}, {h, h, h}},
    {{-h, -h, h}, {-h, -h, -h}, {h, -h, -h}, {h, -h, h}},
    {{-h, h, h}, {h, h, h}, {h, -h, h}, {-h, -h, h}},
    {{-h, h, -h}, {h, h, -h}, {h, -h, -h}, {-h, -h, -h}},
};
constexpr float kCorners[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};

}  // namespace

TexturedCube::TexturedCube() : list(glGenLists(1))
{
    glNewList(list, GL_COMPILE);
    glPushMatrix();
    for (const auto& face : kFaces) {
        glBegin(GL_QUADS);
        for (int v = 0; v < 4; ++v) {
            glTexCoord2fv(kCorners[v]);
            glVertex3fv(face[v]);
        }
        glEnd();
    }
    glPopMatrix();
    glEndList();
}

void TexturedCube::draw(double scale) const
{
    const float s = static_cast<float>(scale);
    glPushMatrix();
    glScalef(s, s, s);
    glCallList(list);
    glPopMatrix();
}
