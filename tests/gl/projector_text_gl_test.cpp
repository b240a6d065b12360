// Projector texts from their images against lines: the same pixels, following a changed text.

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/scene_state.h"
#include "app/startup.h"
#include "render/cached_text.h"
#include "render/display.h"
#include "tests/support/gl_window.h"

namespace {

constexpr int kWidth = 800, kHeight = 600;  // pixels
constexpr int kRoundingLevels = 2;          // of 255: blending once instead of stroke by stroke

std::vector<uint8_t> frame(bool fromImages, int width = kWidth, int height = kHeight)
{
    setTextImages(fromImages);
    drawFrame();
    std::vector<uint8_t> pixels = testgl::readBuffer(width, height);
    setTextImages(true);
    return pixels;
}

// How many pixels differ by more than rounding.
int differing(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b)
{
    int n = 0;
    for (size_t i = 0; i + 2 < a.size(); i += 3)
        n += std::abs(a[i] - b[i]) > kRoundingLevels || std::abs(a[i + 1] - b[i + 1]) > kRoundingLevels ||
             std::abs(a[i + 2] - b[i + 2]) > kRoundingLevels;
    return n;
}

void openProjectorScene(int width = kWidth, int height = kHeight)
{
    testgl::openScene(width, height);
    scene.projectorMode = true;
    scene.paused = true;                    // the pause line, with its crank angle
    scene.crankAngle = 100.0;
    onReshape(width, height);               // the engine framed above the band
}

struct Change {
    const char* name;
    std::function<void()> apply;
};

}  // namespace

TEST(ProjectorText, ImagesLightTheSamePixelsAsTheLinesTheyWereMadeOf)
{
    openProjectorScene();
    for (bool help : {false, true}) {
        scene.showHelp = help;
        scene.showFps = help;
        scene.fps = 59.9;
        const std::vector<uint8_t> lines = frame(false), images = frame(true);
        scene.showHelp = false, scene.showFps = false, scene.paused = false, scene.showExplanations = false;
        const std::vector<uint8_t> noText = frame(false);
        scene.paused = true, scene.showExplanations = true;
        EXPECT_GT(differing(lines, noText), 2000) << "help " << help << ": no text to compare";
        EXPECT_EQ(differing(lines, images), 0) << "help " << help;
    }
    scene.projectorMode = false;
}

TEST(ProjectorText, AChangedTextIsDrawnAnew)
{
    const Change changes[] = {
        {"the pause line's degrees", [] { scene.crankAngle = 101.0; }},
        {"the stroke, its title and explanation", [] { scene.crankAngle = 280.0; }},
        {"the speed", [] { scene.speed = 0.5; }},
        {"the frame rate", [] { scene.fps = 12.5; }},
        {"the screen's size", [] { testgl::openWindow(640, 480); onReshape(640, 480); }},
    };
    openProjectorScene();
    scene.showFps = true;
    scene.fps = 59.9;
    scene.showHelp = true;
    for (const Change& c : changes) {
        const std::vector<uint8_t> before = frame(true);
        const long made = textImagesMade();
        EXPECT_EQ(differing(frame(true), before), 0) << c.name << ": the same frame twice";
        EXPECT_EQ(textImagesMade(), made) << c.name << ": an image made again for a text that did not change";
        c.apply();
        const int width = glutGet(GLUT_WINDOW_WIDTH), height = glutGet(GLUT_WINDOW_HEIGHT);
        const std::vector<uint8_t> lines = frame(false, width, height), images = frame(true, width, height);
        if (width == kWidth) {
            EXPECT_GT(differing(lines, before), 20) << c.name << ": the change changed nothing";
        }
        EXPECT_EQ(differing(lines, images), 0) << c.name;
    }
    scene.projectorMode = false;
}
