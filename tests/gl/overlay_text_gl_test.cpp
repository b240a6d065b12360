// The overlay's texts drawn from the glyph textures against the same frame drawn glyph by glyph
// with glutBitmapCharacter: the pictures must match byte for byte and leave the same state.

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/scene_state.h"
#include "render/display.h"
#include "render/glyph_atlas.h"
#include "render/overlay.h"
#include "render/stroke_text.h"
#include "tests/support/gl_window.h"

namespace {

std::vector<uint8_t> frameDrawn(bool fromTextures, int width, int height)
{
    setAtlasText(fromTextures);
    drawFrame();
    if (fromTextures) {
        EXPECT_TRUE(atlasTextInUse()) << "the frame was drawn glyph by glyph";
    }
    std::vector<uint8_t> pixels = testgl::readBuffer(width, height);
    setAtlasText(true);
    return pixels;
}

// Describes the first differing pixel and how many differ; empty when none does.
std::string difference(const std::vector<uint8_t>& reference, const std::vector<uint8_t>& fast, int width)
{
    int count = 0;
    std::string first;
    for (size_t i = 0; i + 2 < reference.size(); i += 3) {
        if (reference[i] == fast[i] && reference[i + 1] == fast[i + 1] && reference[i + 2] == fast[i + 2]) continue;
        if (count++ == 0) {
            const size_t pixel = i / 3;
            first = "first at (" + std::to_string(pixel % width) + ", " + std::to_string(pixel / width) +
                    "): glyphs " + std::to_string(reference[i]) + "," + std::to_string(reference[i + 1]) + "," +
                    std::to_string(reference[i + 2]) + " textures " + std::to_string(fast[i]) + "," +
                    std::to_string(fast[i + 1]) + "," + std::to_string(fast[i + 2]);
        }
    }
    return count == 0 ? std::string() : std::to_string(count) + " pixels differ, " + first;
}

int whitePixels(const std::vector<uint8_t>& pixels)
{
    int white = 0;
    for (size_t i = 0; i + 2 < pixels.size(); i += 3)
        if (pixels[i] == 255 && pixels[i + 1] == 255 && pixels[i + 2] == 255) ++white;
    return white;
}

struct Configuration {
    const char* name;
    std::function<void()> apply;
};

const Configuration kConfigurations[] = {
    {"start values", [] {}},
    {"help off", [] { scene.showHelp = false; }},
    {"explanations off, fps on", [] { scene.showExplanations = false; scene.showFps = true; scene.fps = 123.4; }},
    {"compression, speed -0.1", [] { scene.crankAngle = 200.0; scene.speed = -0.1; }},
    {"explosion, spark lit", [] { scene.crankAngle = 360.5; }},
    {"exhaust, whole engine view", [] { scene.crankAngle = 600.0; scene.viewMode = VIEW_ENGINE; }},
    {"block view, textures on", [] { scene.viewMode = VIEW_BLOCK; scene.texturesOn = true; }},
    {"valves view", [] { scene.viewMode = VIEW_VALVES; }},
    // Lines carried into the overlay: the texts must still be filled.
    {"crank view, gas off", [] { scene.showGas = false; }},
    // The engine in front of the texts: the depth test decides pixel by pixel.
    {"zoomed in over the texts", [] { scene.zoom = 2.0; }},
};

}  // namespace

TEST(OverlayText, TexturesLightTheSamePixelsAsBitmapsInEveryConfiguration)
{
    for (const Configuration& c : kConfigurations) {
        testgl::openScene(800, 600);
        c.apply();
        drawFrame();                        // a frame starts with the polygon modes the last left
        drawFrame();                        // and the textures are made in the second
        const std::vector<uint8_t> reference = frameDrawn(false, 800, 600);
        const std::vector<uint8_t> fast = frameDrawn(true, 800, 600);
        EXPECT_GT(whitePixels(reference), 300) << c.name << ": no text to compare";
        EXPECT_EQ(difference(reference, fast, 800), "") << c.name;
    }
}

TEST(OverlayText, TexturesLightTheSamePixelsAsBitmapsInOtherWindowSizes)
{
    // Sizes whose overlay positions fall between pixels, and a narrow tall one.
    const int sizes[][2] = {{1000, 500}, {1023, 611}, {641, 479}, {333, 777}, {1279, 1001}};
    for (const auto& size : sizes) {
        testgl::openScene(size[0], size[1]);
        drawFrame();
        drawFrame();
        const std::vector<uint8_t> reference = frameDrawn(false, size[0], size[1]);
        const std::vector<uint8_t> fast = frameDrawn(true, size[0], size[1]);
        EXPECT_GT(whitePixels(reference), 300) << size[0] << " x " << size[1];
        EXPECT_EQ(difference(reference, fast, size[0]), "") << size[0] << " x " << size[1];
    }
    testgl::openScene(800, 600);
}

TEST(OverlayText, LeavesTheSameStateBehindAsBitmaps)
{
    struct State {
        GLint texture, polygon[2], matrixMode, alphaFunc;
        GLboolean texturing, alphaTest, lighting, blend;
        GLfloat raster[4], color[4];
    };
    auto stateAfterFrame = [](bool fromTextures) {
        setAtlasText(fromTextures);
        drawFrame();
        setAtlasText(true);
        State s{};
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &s.texture);
        glGetIntegerv(GL_POLYGON_MODE, s.polygon);
        glGetIntegerv(GL_MATRIX_MODE, &s.matrixMode);
        glGetIntegerv(GL_ALPHA_TEST_FUNC, &s.alphaFunc);
        s.texturing = glIsEnabled(GL_TEXTURE_2D);
        s.alphaTest = glIsEnabled(GL_ALPHA_TEST);
        s.lighting = glIsEnabled(GL_LIGHTING);
        s.blend = glIsEnabled(GL_BLEND);
        glGetFloatv(GL_CURRENT_RASTER_POSITION, s.raster);
        glGetFloatv(GL_CURRENT_COLOR, s.color);
        return s;
    };
    testgl::openScene(800, 600);
    scene.texturesOn = true;                // the block leaves its texture bound
    scene.showGas = false;                  // and the wireframe's polygon modes
    drawFrame();
    drawFrame();
    ASSERT_TRUE(atlasTextInUse());
    const State glyphs = stateAfterFrame(false);
    const State textures = stateAfterFrame(true);
    EXPECT_NE(glyphs.texture, 0);
    EXPECT_EQ(textures.texture, glyphs.texture);
    EXPECT_EQ(textures.polygon[0], glyphs.polygon[0]);
    EXPECT_EQ(textures.polygon[1], glyphs.polygon[1]);
    EXPECT_EQ(textures.matrixMode, glyphs.matrixMode);
    EXPECT_EQ(textures.alphaFunc, glyphs.alphaFunc);
    EXPECT_EQ(textures.texturing, glyphs.texturing);
    EXPECT_EQ(textures.alphaTest, glyphs.alphaTest);
    EXPECT_EQ(textures.lighting, glyphs.lighting);
    EXPECT_EQ(textures.blend, glyphs.blend);
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(textures.raster[i], glyphs.raster[i], 1e-3) << "raster position " << i;
        EXPECT_EQ(textures.color[i], glyphs.color[i]) << "colour " << i;
    }
}

TEST(OverlayText, FeedbackPassesStillSeeEveryGlyphAsABitmap)
{
    testgl::openScene(800, 600);
    auto bitmapsInFeedback = [] {
        std::vector<GLfloat> buffer(1 << 18);
        glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
        glRenderMode(GL_FEEDBACK);
        drawFrame();
        const int n = glRenderMode(GL_RENDER);
        int bitmaps = 0;
        for (int i = 0; i < n; ++i)
            if (buffer[i] == GL_BITMAP_TOKEN) ++bitmaps;   // a token or a value that equals it
        return bitmaps;
    };
    setAtlasText(false);
    const int reference = bitmapsInFeedback();
    setAtlasText(true);
    drawFrame();                            // the textures exist from the second frame on
    drawFrame();
    ASSERT_TRUE(atlasTextInUse());
    EXPECT_EQ(bitmapsInFeedback(), reference);
    EXPECT_GT(reference, 500);              // the help screen alone has more glyphs
}

TEST(OverlayText, AViewportTooSmallForTheGlyphsLeavesTheTextToBitmaps)
{
    testgl::openScene(800, 600);
    GlyphAtlas atlas(GLUT_BITMAP_HELVETICA_18);
    EXPECT_FALSE(atlas.capture(100, 50));
    EXPECT_FALSE(atlas.ready());
    EXPECT_TRUE(atlas.capture(800, 600));
    EXPECT_TRUE(atlas.ready());
    // The layout is the window's no more: a wide window gives the same small texture.
    GlyphAtlas wide(GLUT_BITMAP_HELVETICA_18);
    ASSERT_TRUE(wide.capture(2400, 600));
    GLint size[2][2];
    for (const GlyphAtlas* a : {&atlas, &wide}) {
        glBindTexture(GL_TEXTURE_2D, a->texture());
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &size[a == &wide][0]);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &size[a == &wide][1]);
    }
    EXPECT_TRUE(size[0][0] == size[1][0] && size[0][1] == size[1][1]);
    EXPECT_LE(std::max(size[0][0], size[0][1]), 512);
    // A byte without a glyph is refused before anything is drawn.
    glRasterPos2i(10, 10);
    EXPECT_FALSE(atlas.draw("caf\xe9", 1.0, 1.0));
}

TEST(ProjectorText, AnAccentedLetterIsItsPlainLetterWithAMarkAbove)
{
    testgl::openWindow();
    // One letter at four times the 18-point font, white on black in a pixel-exact 2-D frame.
    constexpr int kCapHeightPx = 13, kLeft = 100, kBaseline = 200;
    constexpr double kScale = 4.0;
    auto lit = [&](const char* letter) {
        glViewport(0, 0, 800, 600);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, 800, 0, 600, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_LIGHTING);
        glDisable(GL_DEPTH_TEST);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glColor3f(1, 1, 1);
        glRasterPos2i(kLeft, kBaseline);
        drawStrokeText(letter, GLUT_BITMAP_HELVETICA_18, kCapHeightPx, kScale);
        return testgl::readBuffer(800, 600);
    };
    auto brightRows = [](const std::vector<uint8_t>& rgb, int y0, int y1) {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = 0; x < 800; ++x) n += rgb[(static_cast<size_t>(y) * 800 + x) * 3] >= 128;
        return n;
    };
    // Above a small letter's top (its x-height, well under the capital height) the plain
    // letter lights nothing and the accented one draws its mark; below, the two are one letter.
    const int xTop = kBaseline + static_cast<int>(kCapHeightPx * kScale * 0.8);
    for (auto [plain, accented] : {std::pair<const char*, const char*>{"e", "\xE9"}, {"a", "\xE0"}}) {
        const std::vector<uint8_t> p = lit(plain), a = lit(accented);
        EXPECT_GT(brightRows(p, kBaseline, xTop), 50) << plain << ": the letter itself";
        EXPECT_EQ(brightRows(p, xTop, 600), 0) << plain << ": nothing above it";
        EXPECT_GT(brightRows(a, xTop, 600), 20) << plain << ": no mark above the accented letter";
        int differing = 0;
        for (int y = 0; y < xTop; ++y)
            for (int x = 0; x < 800; ++x) differing += p[(static_cast<size_t>(y) * 800 + x) * 3] != a[(static_cast<size_t>(y) * 800 + x) * 3];
        EXPECT_LT(differing, 20) << plain << ": the accented letter is another letter";
    }
}
