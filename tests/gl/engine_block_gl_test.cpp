#include <GL/glu.h>
#include <GL/glut.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "app/scene_state.h"
#include "app/startup.h"
#include "render/engine_block.h"
#include "tests/support/gl_window.h"
#include "tests/support/temp_dir.h"

namespace {

const char kTextureFile[] = "textureAluminum.ppm";

// A scratch working directory for the duration of a test; the previous one is restored.
class WorkIn {
public:
    WorkIn()
    {
        if (path().empty() || getcwd(previous_, sizeof previous_) == nullptr) std::abort();
        if (chdir(path().c_str()) != 0) std::abort();
    }
    ~WorkIn()
    {
        if (chdir(previous_) != 0) std::abort();
    }
    const std::string& path() const { return scratch_.path(); }
    void write(const char* name, const std::string& bytes) const { scratch_.write(name, bytes); }

private:
    testx::TempDir scratch_{"tarvex-block"};
    char previous_[4096];
};

bool fileHere(const char* name) { return std::ifstream(name).good(); }

// The start camera of the program: eye (-6.975, -5.639, 4.422) towards (0, 0, 0.5), +z up,
// zoom 0.2, 20-degree perspective at 4:3. One white light at the viewer and a bright ambient
// so that every face, whatever its normal, is clearly above the background.
void startCamera()
{
    glViewport(0, 0, 800, 600);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(20.0, 800.0 / 600.0, 1.0, 20.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const GLfloat fromViewer[4] = {0.0f, 0.0f, 1.0f, 0.0f};
    const GLfloat ambient[4] = {1.0f, 1.0f, 1.0f, 1.0f}, white[4] = {1, 1, 1, 1}, black[4] = {0, 0, 0, 1};
    glLightfv(GL_LIGHT0, GL_POSITION, fromViewer);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
    glLightfv(GL_LIGHT0, GL_SPECULAR, white);
    glLightfv(GL_LIGHT0, GL_AMBIENT, black);
    glEnable(GL_LIGHT0);
    for (GLenum light : {GL_LIGHT1, GL_LIGHT2, GL_LIGHT3, GL_LIGHT4}) glDisable(light);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
    gluLookAt(-6.975, -5.639, 4.422, 0.0, 0.0, 0.5, 0.0, 0.0, 1.0);
    glScalef(0.2f, 0.2f, 0.2f);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
}

void drawFrame(EngineBlock& block, bool textured)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    block.draw(textured);
    glFinish();
}

struct Spot {
    const char* what;
    double x, y, z;                         // a model point on a face the start camera sees
};

// Faces of the casing and the plug seen from the start camera, spread over the picture.
const Spot kCasingSpots[] = {
    {"crankcase wall at 240 degrees", -4.8, -2.771, 0.6},
    {"sump below the funnel", -3.2, -1.7, -3.5},
    {"bore, far side", 4.0, 1.6, -1.2},
    {"box 2, outer side", 3.6, -3.0, 0.5},
    {"box 2, top", 2.0, -2.5, 1.0},
    {"box 5 (turned -50 degrees), top", -0.886, -2.833, 1.01},
    {"box 6 (not turned), outer side", -2.4, -4.3, -0.4},
    {"box 7, end wall top", 10.2, -4.0, 0.95},
};
const Spot kPlugSpot = {"spark plug", 7.35, 0.0, 0.12};
const Spot kEmptySpot = {"empty space beside the head", 3.0, -8.0, 0.0};

struct Pixel {
    int x, y;                               // GL window coordinates, origin bottom left
};

Pixel pixelOf(const Spot& s)
{
    double wx = 0, wy = 0;
    testgl::project(s.x, s.y, s.z, &wx, &wy);
    return {static_cast<int>(std::floor(wx)), static_cast<int>(std::floor(wy))};
}

// True when the visible surface at the pixel of s lies within 0.15 model units of s (a pixel
// covers about 0.03 there); otherwise says what lies there instead.
bool surfaceAt(const Spot& s, std::string* failures)
{
    Pixel p = pixelOf(s);
    GLfloat depth = 1.0f;
    glReadPixels(p.x, p.y, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    GLdouble model[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    double x = 0, y = 0, z = 0;
    gluUnProject(p.x + 0.5, p.y + 0.5, depth, model, projection, viewport, &x, &y, &z);
    const double off = std::sqrt((x - s.x) * (x - s.x) + (y - s.y) * (y - s.y) + (z - s.z) * (z - s.z));
    if (depth < 1.0f && off < 0.15) return true;
    char line[240];
    std::snprintf(line, sizeof line, "%s at pixel (%d, %d): %s (%.2f, %.2f, %.2f), %.2f from (%.2f, %.2f, %.2f)\n",
                  s.what, p.x, p.y, depth < 1.0f ? "surface at" : "nothing drawn, far plane at", x, y, z, off,
                  s.x, s.y, s.z);
    *failures += line;
    return false;
}

// Selection-mode hits of the block's untextured draw through a 3 x 3 pick window at pixel p.
int pickHits(EngineBlock& block, Pixel p)
{
    GLuint buffer[64];
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glSelectBuffer(64, buffer);
    glRenderMode(GL_SELECT);
    glInitNames();
    glPushName(1);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluPickMatrix(p.x + 0.5, p.y + 0.5, 3.0, 3.0, viewport);
    gluPerspective(20.0, 800.0 / 600.0, 1.0, 20.0);
    glMatrixMode(GL_MODELVIEW);
    block.draw(false);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    return glRenderMode(GL_RENDER);
}

void setUpScene()
{
    testgl::openWindow();
    initScene();
    startCamera();
}

}  // namespace

TEST(EngineBlockLists, InitSceneBuildsTheBlockWithBothListsAndNoTexture)
{
    setUpScene();
    ASSERT_NE(scene.block, nullptr);
    EngineBlock& block = *scene.block;
    EXPECT_TRUE(glIsList(block.casingList));
    EXPECT_TRUE(glIsList(block.sparkPlugList));
    EXPECT_TRUE(glIsList(block.cube.list));
    EXPECT_NE(block.casingList, block.sparkPlugList);
    EXPECT_EQ(block.textureName, 0u);
    EXPECT_EQ(block.textureImage, nullptr);
    EXPECT_FALSE(block.textureTried);
}

TEST(EngineBlockDraw, LeavesMatrixPolygonModeAndSwitchesAsItFoundThem)
{
    setUpScene();
    ASSERT_TRUE(fileHere(kTextureFile)) << "the GL tests run in the build directory, beside " << kTextureFile;
    EngineBlock& block = *scene.block;
    glPolygonMode(GL_FRONT, GL_LINE);
    glPolygonMode(GL_BACK, GL_FILL);
    GLdouble before[16], after[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, before);
    GLint depthBefore = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depthBefore);

    for (bool textured : {false, true, true, false}) {
        SCOPED_TRACE(textured ? "textured" : "untextured");
        block.draw(textured);
        glGetDoublev(GL_MODELVIEW_MATRIX, after);
        for (int i = 0; i < 16; ++i) EXPECT_EQ(after[i], before[i]) << "element " << i;
        GLint depth = 0, mode = 0, polygon[2] = {0, 0};
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
        glGetIntegerv(GL_MATRIX_MODE, &mode);
        glGetIntegerv(GL_POLYGON_MODE, polygon);
        EXPECT_EQ(depth, depthBefore);
        EXPECT_EQ(mode, GL_MODELVIEW);
        EXPECT_EQ(polygon[0], GL_LINE);
        EXPECT_EQ(polygon[1], GL_FILL);
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
        EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    }
    EXPECT_NE(block.textureName, 0u);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), block.textureName);     // the texture stays bound
}

TEST(EngineBlockTexture, OneTextureObjectAndOneFileReadForManyTexturedDraws)
{
    setUpScene();
    ASSERT_TRUE(fileHere(kTextureFile)) << "the GL tests run in the build directory, beside " << kTextureFile;
    EngineBlock& block = *scene.block;
    testing::internal::CaptureStdout();
    block.draw(false);
    EXPECT_FALSE(block.textureTried);       // without textures the file is never needed
    block.draw(true);
    const GLuint name = block.textureName;
    ASSERT_NE(name, 0u);
    EXPECT_TRUE(glIsTexture(name));
    EXPECT_EQ(block.textureWidth, 256);
    EXPECT_EQ(block.textureHeight, 256);
    EXPECT_EQ(block.textureImage, nullptr); // OpenGL holds the image from the upload on

    GLint levelWidth = 0;
    glBindTexture(GL_TEXTURE_2D, name);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 8, GL_TEXTURE_WIDTH, &levelWidth);
    EXPECT_EQ(levelWidth, 1);               // mipmaps down to 1 x 1: 256 / 2^8

    {
        // Where the file no longer exists a second read would end the process.
        WorkIn empty;
        for (int i = 0; i < 20; ++i) {
            block.draw(i % 3 != 0);
            EXPECT_EQ(block.textureName, name);
        }
    }
    EXPECT_FALSE(glIsTexture(name + 1));    // no second texture object was made
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

TEST(EngineBlockTexture, AMalformedFileIsReportedOnceAndTheCasingDrawnUntextured)
{
    setUpScene();
    EngineBlock& block = *scene.block;
    WorkIn dir;
    dir.write(kTextureFile, "P6\n256 256\n255\n" + std::string(1000, '\x80'));   // far too short

    std::vector<uint8_t> untextured, textured;
    testing::internal::CaptureStdout();
    drawFrame(block, false);
    untextured = testgl::readBuffer(800, 600);
    for (int i = 0; i < 5; ++i) {
        drawFrame(block, true);
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    }
    textured = testgl::readBuffer(800, 600);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "fichier textureAluminum.ppm invalide: donnees de pixels incompletes\n");
    EXPECT_EQ(block.textureName, 0u);
    EXPECT_EQ(block.textureImage, nullptr);
    EXPECT_TRUE(textured == untextured) << "the casing without an image must look untextured";

    dir.write(kTextureFile, "");            // a later fix of the file is not looked at in this run
    testing::internal::CaptureStdout();
    drawFrame(block, true);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

TEST(EngineBlockTexture, TheLongestSideAcceptedIsUploadedAndLongerOnesAreRefused)
{
    setUpScene();
    WorkIn dir;
    const std::string row(4096 * 3, '\x80');
    struct Case {
        const char* header;
        const char* said;
    };
    const Case cases[] = {
        {"P6\n4096 1\n255\n", ""},
        {"P6\n1 4096\n255\n", ""},
        {"P6\n4097 1\n255\n", "fichier textureAluminum.ppm invalide: image trop grande (plus de 4096 pixels de cote)\n"},
    };
    for (const Case& c : cases) {
        dir.write(kTextureFile, c.header + row + "\x80\x80\x80");   // every pixel present
        EngineBlock block;
        testing::internal::CaptureStdout();
        block.draw(true);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), c.said) << c.header;
        EXPECT_EQ(block.textureName != 0, c.said[0] == '\0') << c.header;
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    }

    // Sides the renderer cannot hold are refused before a texel is read.
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    GLuint name = 0;
    const unsigned char pixel[3] = {0, 0, 0};
    EXPECT_STREQ(EngineBlock::uploadTexture(pixel, 4 * largest, 1, &name), "image trop grande pour le rendu OpenGL");
    EXPECT_STREQ(EngineBlock::uploadTexture(pixel, 1, 4 * largest, &name), "image trop grande pour le rendu OpenGL");
    EXPECT_EQ(name, 0u);
}

TEST(EngineBlockTextureDeathTest, AMissingFileEndsTheProgramWithFailure)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");     // the child opens its own window
    setUpScene();
    WorkIn empty;
    EngineBlock& block = *scene.block;
    block.draw(false);                      // untextured draws never need the file
    EXPECT_EXIT(
        {
            dup2(2, 1);
            rmdir(empty.path().c_str());    // the child's own scratch directory: exit skips ~WorkIn
            block.draw(true);
            std::exit(0);
        },
        testing::ExitedWithCode(EXIT_FAILURE), "fichier textureAluminum.ppm introuvable\n$");
}

TEST(EngineBlockPicture, CasingAndPlugWhereTheStartCameraSeesThem)
{
    setUpScene();
    ASSERT_TRUE(fileHere(kTextureFile)) << "the GL tests run in the build directory, beside " << kTextureFile;
    EngineBlock& block = *scene.block;
    const testgl::Rgb background = {13, 13, 13};

    drawFrame(block, false);
    std::string failures;
    bool pass = true;
    for (const Spot& s : kCasingSpots) pass = surfaceAt(s, &failures) && pass;
    pass = surfaceAt(kPlugSpot, &failures) && pass;
    Pixel empty = pixelOf(kEmptySpot);
    pass = testgl::probe(empty.x, empty.y, background, 2, &failures, kEmptySpot.what) && pass;
    std::vector<testgl::Rgb> plain;
    for (const Spot& s : kCasingSpots) {
        Pixel p = pixelOf(s);
        plain.push_back(testgl::readPixel(p.x, p.y));
        // Lit grey: the ambient alone gives 0.2 x 0.2 of 255.
        if (plain.back().r < 40) {
            failures += std::string(s.what) + ": too dark for the lit casing\n";
            pass = false;
        }
    }
    Pixel plug = pixelOf(kPlugSpot);
    testgl::Rgb plainPlug = testgl::readPixel(plug.x, plug.y);
    EXPECT_GT(plainPlug.r, plainPlug.b + 10) << "the spark plug is yellowish";

    // With the aluminium (about 0.64 to 0.83 of full level, a little bluer than red) every
    // casing spot darkens; the plug stays as it was.
    drawFrame(block, true);
    ASSERT_NE(block.textureName, 0u);
    for (size_t i = 0; i < plain.size(); ++i) {
        Pixel p = pixelOf(kCasingSpots[i]);
        testgl::Rgb seen = testgl::readPixel(p.x, p.y);
        const bool darker = seen.r <= plain[i].r * 0.88 && seen.r >= plain[i].r * 0.55 && seen.b >= seen.r;
        if (!darker) {
            char line[200];
            std::snprintf(line, sizeof line, "%s textured: saw (%d, %d, %d), untextured (%d, %d, %d)\n",
                          kCasingSpots[i].what, seen.r, seen.g, seen.b, plain[i].r, plain[i].g, plain[i].b);
            failures += line;
            pass = false;
        }
        pass = surfaceAt(kCasingSpots[i], &failures) && pass;
    }
    pass = testgl::probe(plug.x, plug.y, plainPlug, 1, &failures, "spark plug, textured draw") && pass;
    pass = testgl::probe(empty.x, empty.y, background, 2, &failures, kEmptySpot.what) && pass;
    EXPECT_TRUE(pass) << failures;
}

TEST(EngineBlockPicking, TheSumpBelowTheFunnelIsPickedInSelectionMode)
{
    // The sump's cylinder follows the funnel's GLUT cone in the casing list; where it sticks
    // out below the cone only the cylinder can give the hit.
    setUpScene();
    EngineBlock& block = *scene.block;
    EXPECT_GE(pickHits(block, pixelOf(kCasingSpots[1])), 1) << kCasingSpots[1].what;
    EXPECT_GE(pickHits(block, pixelOf(kCasingSpots[3])), 1) << kCasingSpots[3].what;
    EXPECT_EQ(pickHits(block, pixelOf(kEmptySpot)), 0) << kEmptySpot.what;
}
