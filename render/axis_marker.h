#pragma once
// Three unlit unit lines from the local origin, x red, y green, z blue, in one display list.
// The list leaves lighting enabled and the current colour blue.

#include <GL/gl.h>

class AxisMarker {
public:
    AxisMarker();                           // compiles the list; needs a current GL context
    void draw() const;

    GLuint list;
};
