#include "render/textured_cube.h"

#include "render/mesh.h"

TexturedCube::TexturedCube() : list(glGenLists(1))
{
    glNewList(list, GL_COMPILE);
    glPushMatrix();
    drawMesh(texturedCubeMesh());
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
