#pragma once
// A cube of edge 1 centred on the local origin, with texture coordinates on every face,
// kept in one display list. It sets no normal or material: the caller's apply.

#include <GL/gl.h>

class TexturedCube {
public:
    TexturedCube();                         // compiles the list; needs a current GL context
    void draw(double scale) const;          // the cube scaled uniformly by scale

    GLuint list;
};
