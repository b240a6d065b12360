#pragma once
// The fixed, cut-away casing (crankcase, barrel, walls, cylinder head with both passages)
// and the spark plug, in two display lists; optionally textured with the aluminium image.
// World model units: cylinder axis along +x, head towards +x.

#include <GL/gl.h>

#include "model/engine_block.h"
#include "render/textured_cube.h"

class EngineBlock {
public:
    EngineBlock();                          // compiles the lists; needs a current GL context
    // The casing (textured when asked and the image could be read), then the spark plug.
    void draw(bool textured);

    // The texture image read by the PPM reader into a new RGB buffer (release with delete[]),
    // rows in file order. Here the program decides: a file that cannot be opened ends it with
    // EXIT_FAILURE, as textures were asked for; an invalid file or a failed allocation gives a
    // message on standard output and a null result, and the block is drawn without it.
    static unsigned char* readPpm(const char* fileName, int* width, int* height);

    // The image as the texture, with its mipmaps, into a new texture object named in *name.
    // Null when done; otherwise the reason, with *name left 0.
    static const char* uploadTexture(const unsigned char* rgb, int width, int height, GLuint* name);

    GLuint casingList;
    GLuint sparkPlugList;
    TexturedCube cube;
    int textureWidth = 0;
    int textureHeight = 0;
    unsigned char* textureImage = nullptr;  // only between the file read and the mipmap upload
    GLuint textureName = 0;                 // 0 while no texture object exists
    bool textureTried = false;              // the image file is read at most once per run

private:
    void buildTexture();                    // reads the image and uploads it with its mipmaps
};
