#include "render/engine_block.h"

#include <GL/glu.h>
#include <GL/glut.h>

#include <cstdio>
#include <cstdlib>

#include "render/material.h"
#include "render/mesh.h"
#include "model/ppm_reader.h"
#include "render/texture_fit.h"

namespace {

constexpr double kPi = 3.141592653589793;
constexpr int kRoundSlices = 35;            // angular steps of every cylinder of the casing
constexpr int kConeSlices = 20;             // angular steps of the GLUT cones
constexpr int kOneStack = 1;

// Lit grey metal with no highlight; the aluminium texture multiplies it (GL_MODULATE).
constexpr Material kCasingMaterial = {
    {0.2f, 0.2f, 0.2f, 1.0f}, {0.3f, 0.3f, 0.3f, 1.0f}, {0.0f, 0.0f, 0.0f, 1.0f}, 10.0f};
// Yellowish ceramic with a strong yellow highlight.
constexpr Material kSparkPlugMaterial = {
    {0.2f, 0.2f, 0.1f, 1.0f}, {0.3f, 0.3f, 0.2f, 1.0f}, {0.8f, 0.8f, 0.1f, 1.0f}, 10.0f};

// Crankcase, about the vertical line x = -3.2, y = 0 (model units).
constexpr float kCrankcaseX = -3.2f;
constexpr float kCrankcaseRadius = 3.2f;
constexpr float kCrankcaseWallBottomZ = -0.8f;
constexpr float kCrankcaseWallHeight = 1.8f;
constexpr float kCrankcaseWallStartDeg = 36.0f;          // the 72-degree gap is centred on +x
constexpr double kCrankcaseWallSweep = 1.6 * kPi;        // 288 degrees of wall
constexpr float kCrankcaseDrumDrop = -1.2f;              // drum below the wall, z -2 to -0.6
constexpr float kCrankcaseDrumHeight = 1.4f;
constexpr float kCrankcaseBottomZ = -2.0f;               // the funnel hangs down from here
constexpr float kFunnelHeight = 1.8f;
constexpr float kSumpRadius = 1.7f;
constexpr float kSumpLength = 1.8f;

// Barrel: the shells' dimensions beyond model/engine_block.h.
constexpr float kBore = static_cast<float>(kBoreRadius);
constexpr float kBarrelOuterLength = 10.0f;
constexpr double kHalfTurn = kPi;                        // radians: the half below z = 0

// A box of the casing: an optional turn about z (degrees), then translation, scale and the
// unit cube drawn at cubeScale. Model units.
struct Box {
    float turnDeg;
    float x, y, z;
    float sx, sy, sz;
    double cubeScale;
};

constexpr Box kBoxes[] = {
    {0.0f, 3.6f, 2.5f, 0.5f, 8.7f, 1.0f, 1.0f, 1.0f},        // raises the barrel's +y rim to z = 1
    {0.0f, 3.6f, -2.5f, 0.5f, 8.7f, 1.0f, 1.0f, 1.0f},       // and its -y rim
    {50.0f, 1.6f, 2.5f, -0.4f, 1.0f, 2.5f, 2.35f, 1.2f},     // sloping wall, crankcase to barrel, +y
    {0.0f, -2.4f, 3.7f, -0.4f, 1.3f, 1.0f, 2.35f, 1.2f},     // its foot on the crankcase, +y
    {-50.0f, 1.6f, -2.5f, -0.4f, 1.0f, 2.5f, 2.35f, 1.2f},   // sloping wall, -y
    {0.0f, -2.4f, -3.7f, -0.4f, 1.3f, 1.0f, 2.35f, 1.2f},    // its foot, -y
    {0.0f, 10.2f, 0.0f, -1.0f, 1.0f, 10.0f, 3.9f, 1.0f},     // head: end wall
    {0.0f, 7.8f, 3.25f, -1.0f, 0.6f, 3.5f, 3.9f, 1.0f},      // head: inner wall, intake side
    {0.0f, 7.8f, -3.25f, -1.0f, 0.6f, 3.5f, 3.9f, 1.0f},     // head: inner wall, exhaust side
    {0.0f, 9.0f, 0.0f, -1.75f, 3.0f, 10.0f, 2.5f, 1.0f},     // head: floor of both passages
    {0.0f, 9.0f, 0.0f, 0.5f, 3.0f, 1.0f, 1.0f, 1.0f},        // head: ridge between the passages
};

// Spark plug: the cone's base radius.
constexpr float kPlugRadius = 0.2f;

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

void compileCasing(const TexturedCube& cube)
{
    applyMaterial(kCasingMaterial);

    glPushMatrix();                                      // crankcase wall and drum
        glTranslatef(kCrankcaseX, 0.0f, kCrankcaseWallBottomZ);
        glRotatef(kCrankcaseWallStartDeg, 0.0f, 0.0f, 1.0f);
        drawCylinderSector(kCrankcaseRadius, kCrankcaseWallHeight, kRoundSlices, kOneStack, false,
                           kCrankcaseWallSweep);
        glTranslatef(0.0f, 0.0f, kCrankcaseDrumDrop);
        drawCylinder(kCrankcaseRadius, kCrankcaseDrumHeight, kRoundSlices, kOneStack, true);
    glPopMatrix();

    glPushMatrix();                                      // crankcase bottom, local +z down
        glTranslatef(kCrankcaseX, 0.0f, kCrankcaseBottomZ);
        glRotatef(180.0f, 0.0f, 1.0f, 0.0f);
        // Its own push and pop: Mesa drops the cylinder that directly follows a GLUT shape in
        // a list replayed in selection mode, and a click there must pick the block.
        glPushMatrix();
            glutSolidCone(kCrankcaseRadius, kFunnelHeight, kConeSlices, kOneStack);
        glPopMatrix();
        drawCylinder(kSumpRadius, kSumpLength, kRoundSlices, kOneStack, true);
    glPopMatrix();

    glPushMatrix();                                      // barrel, local +z along -x
        glTranslatef(kBarrelHeadX, 0.0f, 0.0f);
        glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
        glRotatef(-90.0f, 0.0f, 1.0f, 0.0f);
        glTranslatef(0.0f, 0.0f, kBarrelHeadGap);
        drawCylinderSectorReversed(kBore, kBoreLength, kRoundSlices, kOneStack, false, kHalfTurn);
        drawCylinderSector(kBarrelOuterRadius, kBarrelOuterLength, kRoundSlices, kOneStack, false, kHalfTurn);
    glPopMatrix();

    glPushMatrix();                                      // every box starts from this matrix
    const int boxCount = static_cast<int>(sizeof kBoxes / sizeof kBoxes[0]);
    for (int i = 0; i < boxCount; ++i) {
        const Box& b = kBoxes[i];
        if (b.turnDeg != 0.0f) glRotatef(b.turnDeg, 0.0f, 0.0f, 1.0f);
        glTranslatef(b.x, b.y, b.z);
        glScalef(b.sx, b.sy, b.sz);
        cube.draw(b.cubeScale);
        glPopMatrix();
        if (i + 1 < boxCount) glPushMatrix();
    }
}

void compileSparkPlug()
{
    applyMaterial(kSparkPlugMaterial);
    glPushMatrix();
        glTranslatef(kPlugBaseX, 0.0f, 0.0f);
        glRotatef(-90.0f, 0.0f, 1.0f, 0.0f);
        glutSolidCone(kPlugRadius, kPlugLength, kConeSlices, kOneStack);
    glPopMatrix();
}

}  // namespace

EngineBlock::EngineBlock()
{
    casingList = glGenLists(1);
    glNewList(casingList, GL_COMPILE);
    compileCasing(cube);
    glEndList();

    sparkPlugList = glGenLists(1);
    glNewList(sparkPlugList, GL_COMPILE);
    compileSparkPlug();
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
