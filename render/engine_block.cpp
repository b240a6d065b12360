#include "render/engine_block.h"

#include <GL/glu.h>
#include <GL/glut.h>

#include <cstdio>
#include <cstdlib>

#include "model/ppm_reader.h"
#include "render/part_steps.h"
#include "render/texture_fit.h"

namespace {

const char* const kBeyondRenderer = "image trop grande pour le rendu OpenGL";
const char* const kNoMipmaps = "construction des mipmaps impossible";

// The side gluBuild2DMipmaps gives the first level: the power of two nearest to side (a side of
// 3 x 2^k and more goes up to 4 x 2^k).
int mipmapSide(int side)
{
    if (side < 3) return side;
    int p = 1;
    while (p <= side / 2) p *= 2;
    return side >= p + p / 2 ? 2 * p : p;
}

}  // namespace

EngineBlock::EngineBlock()
{
    casingList = glGenLists(1);
    glNewList(casingList, GL_COMPILE);
    emitRecipe(casingRecipe(), &cube);
    glEndList();

    sparkPlugList = glGenLists(1);
    glNewList(sparkPlugList, GL_COMPILE);
    emitRecipe(sparkPlugRecipe(), nullptr);
    glEndList();
}

void EngineBlock::draw(bool textured)
{
    if (textured) {
        if (!textureTried) buildTexture();
        else if (textureName != 0) glBindTexture(GL_TEXTURE_2D, textureName);
    }
    if (textured && textureName != 0) {
        glEnable(GL_TEXTURE_2D);
        glCallList(casingList);
        glDisable(GL_TEXTURE_2D);
    } else {
        glCallList(casingList);                          // also when the image could not be read
    }
    glCallList(sparkPlugList);                           // never textured
}

void EngineBlock::buildTexture()
{
    textureTried = true;
    textureImage = readPpm(kTextureFileName, &textureWidth, &textureHeight);
    if (textureImage == nullptr) return;
    const char* refused = uploadTexture(textureImage, textureWidth, textureHeight, &textureName);
    // OpenGL keeps its own copy of the image and of every mipmap level.
    delete[] textureImage;
    textureImage = nullptr;
    if (refused != nullptr) reportInvalidPpm(kTextureFileName, refused);
}

unsigned char* EngineBlock::readPpm(const char* fileName, int* width, int* height)
{
    PpmFile image = readPpmFile(fileName);
    switch (image.status) {
    case PpmFileStatus::missing:
        std::printf("fichier %s introuvable\n", fileName);
        std::fflush(stdout);
        std::exit(EXIT_FAILURE);
    case PpmFileStatus::invalid:
        reportInvalidPpm(fileName, image.error);
        return nullptr;
    case PpmFileStatus::noMemory:
        std::printf("erreur d'allocation de l'image de texture\n");
        std::fflush(stdout);
        return nullptr;
    case PpmFileStatus::read:
        break;
    }
    *width = image.width;
    *height = image.height;
    return image.pixels.release();
}

const char* EngineBlock::uploadTexture(const unsigned char* rgb, int width, int height, GLuint* name)
{
    // GLU would otherwise shrink an image the renderer cannot hold, or fail inside.
    if (!rendererHoldsTexture(GL_RGB, GL_RGB, mipmapSide(width), mipmapSide(height))) return kBeyondRenderer;
    glGenTextures(1, name);
    glBindTexture(GL_TEXTURE_2D, *name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);               // rows of width x 3 bytes, unpadded
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    if (gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGB, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb) == 0)
        return nullptr;
    glDeleteTextures(1, name);
    *name = 0;
    return kNoMipmaps;
}
