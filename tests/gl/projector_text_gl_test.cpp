// Projector texts from glyphs drawn once against the lines they were made of: the same pixels
// to within a pixel's shift, accents included, following a changed text or screen.

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

#include "app/scene_state.h"
#include "app/startup.h"
#include "render/display.h"
#include "render/projector_overlay.h"
#include "render/stroke_glyphs.h"
#include "render/stroke_text.h"
#include "tests/support/gl_window.h"

namespace {

constexpr int kWidth = 800, kHeight = 600;  // pixels
constexpr int kLevels = 3;                  // of 255: rounding, and a blend done once
constexpr int kLit = 128, kTouched = 64;    // red levels: a pixel a stroke lights, one it reaches
constexpr double kInkShare = 0.1;           // how far the text's total light may differ

std::vector<uint8_t> frame(bool glyphs, int width = kWidth, int height = kHeight)
{
    setProjectorGlyphs(glyphs);
    drawFrame();
    std::vector<uint8_t> pixels = testgl::readBuffer(width, height);
    setProjectorGlyphs(true);
    return pixels;
}

// Lit pixels of a with no pixel of b reached around them (one pixel each way), and the other
// way round: what placing each glyph on a whole pixel cannot explain. Antialiasing spreads a
// thin stroke differently over the pixels at each fraction of a pixel, so levels are not asked.
int unexplained(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b, int width, int height)
{
    int n = 0;
    for (const auto* p : {&a, &b}) {
        const std::vector<uint8_t>& lit = *p;
        const std::vector<uint8_t>& other = p == &a ? b : a;
        for (int y = 1; y + 1 < height; ++y)
            for (int x = 1; x + 1 < width; ++x) {
                if (lit[(y * width + x) * 3] < kLit) continue;
                bool reached = false;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) reached |= other[((y + dy) * width + x + dx) * 3] >= kTouched;
                n += !reached;
            }
    }
    return n;
}

// The light the text adds to ground, summed over the picture's red channel.
double ink(const std::vector<uint8_t>& picture, const std::vector<uint8_t>& ground)
{
    double sum = 0.0;
    for (size_t i = 0; i < picture.size(); i += 3) sum += picture[i] - ground[i];
    return sum;
}

int differing(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b)
{
    int n = 0;
    for (size_t i = 0; i < a.size(); ++i) n += std::abs(a[i] - b[i]) > kLevels;
    return n;
}

void openProjectorScene(int width = kWidth, int height = kHeight)
{
    testgl::openScene(width, height);
    scene.projectorMode = true;
    scene.paused = true;                    // the pause line: "à" and the degree sign
    scene.crankAngle = 100.0;
    onReshape(width, height);               // the engine framed above the band
}

}  // namespace

TEST(ProjectorText, GlyphsLightThePixelsTheLinesLight)
{
    openProjectorScene();
    for (bool help : {false, true}) {
        scene.showHelp = help;
        scene.showFps = help;
        scene.fps = 59.9;
        const std::vector<uint8_t> lines = frame(false), glyphs = frame(true);
        scene.showHelp = false, scene.showFps = false, scene.paused = false, scene.showExplanations = false;
        const std::vector<uint8_t> noText = frame(false);
        scene.paused = true, scene.showExplanations = true;
        EXPECT_GT(differing(lines, noText), 2000) << "help " << help << ": no text to compare";
        EXPECT_EQ(unexplained(lines, glyphs, kWidth, kHeight), 0) << "help " << help;
        EXPECT_NEAR(ink(glyphs, noText), ink(lines, noText), kInkShare * ink(lines, noText)) << "help " << help;
    }
    scene.projectorMode = false;
}

TEST(ProjectorText, AccentedLettersKeepTheirMarks)
{
    testgl::openWindow(kWidth, kHeight);
    glDisable(GL_LIGHTING), glDisable(GL_DEPTH_TEST);
    constexpr double kCap = 32.4, kX = 10.3, kY = 40.6;    // pixels: between pixels on purpose
    const char* letters = "\xC0\xC2\xC7\xC8\xC9\xCA\xCB\xD4\xD9\xDB \xE0\xE2\xE7\xE8\xE9\xEA\xEB\xF4\xF9\xFB\xFC\xB0";
    const double strokeWidth = projectorStrokeWidth(kCap);
    auto draw = [&](const char* s, int x, int y) { drawStrokeLine(s, x, y, kCap, strokeWidth); };
    StrokeGlyphs glyphs;
    glViewport(0, 0, kWidth, kHeight);
    glMatrixMode(GL_PROJECTION), glLoadIdentity(), glOrtho(0, kWidth, 0, kHeight, -1, 1);
    glMatrixMode(GL_MODELVIEW), glLoadIdentity();
    ASSERT_TRUE(glyphs.make(draw, [&](unsigned char b) { const char s[2] = {static_cast<char>(b), 0}; return strokeTextWidth(s, kCap); },
                            hasStrokeGlyph, kCap, 2 * kCap, kCap));
    std::vector<uint8_t> picture[2];
    for (int way = 0; way < 2; ++way) {
        glClearColor(0, 0, 0, 1), glClear(GL_COLOR_BUFFER_BIT);
        glColor3d(1, 1, 1);
        if (way == 0) drawStrokeLine(letters, kX, kY, kCap, strokeWidth);
        else glyphs.draw(letters, kX, kY, 0.0);
        picture[way] = testgl::readBuffer(kWidth, kHeight);
    }
    EXPECT_EQ(unexplained(picture[0], picture[1], kWidth, kHeight), 0);
    // The marks over the capitals and the cedillas under the baseline, as bright both ways.
    int marks[2] = {0, 0}, cedillas[2] = {0, 0};
    for (int way = 0; way < 2; ++way)
        for (int x = 0; x < kWidth; ++x) {
            for (int y = static_cast<int>(kY + 1.15 * kCap); y < kY + 1.6 * kCap; ++y) marks[way] += picture[way][(y * kWidth + x) * 3] >= kLit;
            for (int y = static_cast<int>(kY - 0.35 * kCap); y < kY - 0.1 * kCap; ++y) cedillas[way] += picture[way][(y * kWidth + x) * 3] >= kLit;
        }
    EXPECT_GT(marks[0], 150);
    EXPECT_GT(cedillas[0], 10);
    EXPECT_NEAR(marks[1], marks[0], kInkShare * marks[0]);
    EXPECT_NEAR(cedillas[1], cedillas[0], 2 * kInkShare * cedillas[0]) << "(fewer pixels: one more or less is a larger share)";
}

TEST(ProjectorText, AChangedTextOrScreenIsDrawnRight)
{
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"the pause line's degrees", [] { scene.crankAngle = 101.0; }},
        {"the stroke, its title and explanation", [] { scene.crankAngle = 280.0; }},
        {"the speed", [] { scene.speed = 0.5; }},
        {"the frame rate", [] { scene.fps = 12.5; }},
        {"the screen's size", [] { testgl::openWindow(640, 480); onReshape(640, 480); }},
    };
    openProjectorScene();
    scene.showFps = true, scene.fps = 59.9, scene.showHelp = true;
    for (const auto& [name, apply] : changes) {
        const std::vector<uint8_t> before = frame(true);
        const long made = projectorGlyphSetsMade();
        EXPECT_EQ(differing(frame(true), before), 0) << name << ": the same frame twice";
        EXPECT_EQ(projectorGlyphSetsMade(), made) << name << ": glyphs made again for the same screen";
        apply();
        const int width = glutGet(GLUT_WINDOW_WIDTH), height = glutGet(GLUT_WINDOW_HEIGHT);
        const std::vector<uint8_t> lines = frame(false, width, height), glyphs = frame(true, width, height);
        if (width == kWidth) EXPECT_GT(differing(lines, before), 20) << name << ": the change changed nothing";
        else EXPECT_GT(projectorGlyphSetsMade(), made) << name << ": no glyphs made for the new screen";
        EXPECT_EQ(unexplained(lines, glyphs, width, height), 0) << name;
    }
    scene.projectorMode = false;
}
