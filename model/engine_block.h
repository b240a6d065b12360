#pragma once
// The fixed, cut-away casing (crankcase, barrel, walls, cylinder head with both passages)
// and the spark plug, in two display lists; optionally textured with the aluminium image.
// World model units: cylinder axis along +x, head towards +x.

#include <GL/gl.h>

#include "model/textured_cube.h"

class EngineBlock {
public:
    EngineBlock();                          // compiles the lists; needs a current GL context
    void draw(bool textured);

    GLuint casingList;
    GLuint sparkPlugList;
    TexturedCube cube;
    int textureWidth = 0;
    int textureHeight = 0;
    unsigned char* textureImage = nullptr;
    GLuint textureName = 0;
};
