// The cost of one frame in each configuration, on a real 800 x 600 GLUT window: what each
// feature (help screen, explanations, gas, block, textures, view modes) adds; and projector
// mode's frame on a 1920 x 1080 window (the display's screen must be at least that large).

#include <GL/freeglut.h>
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/scene_state.h"
#include "app/startup.h"
#include "render/engine_block.h"
#include "model/ppm_reader.h"
#include "render/display.h"

namespace {

constexpr int kWindowWidth = 800, kWindowHeight = 600;         // pixels
constexpr int kProjectorWidth = 1920, kProjectorHeight = 1080;  // pixels, a classroom projector
constexpr int kResizeEventRounds = 200;     // event loop rounds to wait for a new window size
// Frames drawn before the timing: the glyph textures are made in the second, and the renderer
// compiles its shaders for each new state on first use.
constexpr int kWarmUpFrames = 5;

void ignoreDisplay() {}

// The window brought to width x height, and the scene told of it as a reshape would.
void resizeWindow(int width, int height)
{
    if (glutGet(GLUT_WINDOW_WIDTH) != width || glutGet(GLUT_WINDOW_HEIGHT) != height) {
        glutReshapeWindow(width, height);
        for (int i = 0; i < kResizeEventRounds; ++i) {
            glutMainLoopEvent();
            if (glutGet(GLUT_WINDOW_WIDTH) == width && glutGet(GLUT_WINDOW_HEIGHT) == height) break;
            usleep(1000);
        }
    }
    onReshape(width, height);
}

void openWindowOnce()
{
    static bool open = false;
    if (open) return;
    int argc = 1;
    char name[] = "tarvex_frame_benchmark";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    glutInitWindowPosition(0, 0);
    glutInitWindowSize(kWindowWidth, kWindowHeight);
    glutCreateWindow("Tarvex frame benchmark");
    glutDisplayFunc(ignoreDisplay);
    for (int i = 0; i < 20; ++i) glutMainLoopEvent();
    initScene();
    onReshape(kWindowWidth, kWindowHeight);
    open = true;
}

void resetToStartValues()
{
    if (scene.projectorMode) {
        scene.projectorMode = false;
        resizeWindow(kWindowWidth, kWindowHeight);
    }
    scene.settings() = SceneSettings{};
    scene.crankAngle = 100.0;               // inside the intake window: all gas charges drawn
}

enum Config { START, HELP_OFF, EXPLANATIONS_OFF, GAS_OFF, BLOCK_OFF, TEXTURES_ON,
              ENGINE_VIEW, BLOCK_VIEW, VALVES_VIEW, PROJECTOR_HELP, PROJECTOR_HELP_OFF };

void frame(benchmark::State& state, Config config)
{
    openWindowOnce();
    resetToStartValues();
    switch (config) {
    case START: break;
    case HELP_OFF: scene.showHelp = false; break;
    case EXPLANATIONS_OFF: scene.showExplanations = false; break;
    case GAS_OFF: scene.showGas = false; break;
    case BLOCK_OFF: scene.showBlock = false; break;
    case TEXTURES_ON: scene.texturesOn = true; break;
    case ENGINE_VIEW: scene.viewMode = VIEW_ENGINE; break;
    case BLOCK_VIEW: scene.viewMode = VIEW_BLOCK; break;
    case VALVES_VIEW: scene.viewMode = VIEW_VALVES; break;
    case PROJECTOR_HELP:
    case PROJECTOR_HELP_OFF:
        // As F11 leaves it once the screen is filled: laid out for the room, the title and
        // its explanation in the band, the help as a panel or hidden.
        scene.projectorMode = true;
        resizeWindow(kProjectorWidth, kProjectorHeight);
        scene.showHelp = config == PROJECTOR_HELP;
        break;
    }
    if (glutGet(GLUT_WINDOW_WIDTH) != (scene.projectorMode ? kProjectorWidth : kWindowWidth))
        state.SkipWithError("the window did not take its size");
    for (int i = 0; i < kWarmUpFrames; ++i) {   // the texture built once, outside the timing
        drawFrame();
        glutSwapBuffers();
    }
    glFinish();
    for (auto _ : state) {
        drawFrame();
        glutSwapBuffers();
        glFinish();
    }
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// Forgets the block's texture, so that the next textured frame reads and uploads the file again.
void forgetTexture()
{
    glDeleteTextures(1, &scene.block->textureName);
    scene.block->textureName = 0;
    scene.block->textureTried = false;
}

// The first frame after `t` when the texture file holds the largest image the reader accepts:
// the file read, its check, the upload with every mipmap level and the frame itself.
void firstTexturedFrameOfTheLargestImage(benchmark::State& state)
{
    openWindowOnce();
    resetToStartValues();
    char folder[] = "/tmp/tarvex-bench-XXXXXX";
    if (mkdtemp(folder) == nullptr) std::abort();
    const std::string previous = std::filesystem::current_path();
    {
        std::ofstream image(std::string(folder) + "/textureAluminum.ppm", std::ios::binary);
        image << "P6\n" << kPpmMaxSide << ' ' << kPpmMaxSide << "\n255\n";
        const std::string row(static_cast<size_t>(kPpmMaxSide) * 3, '\xB0');
        for (int y = 0; y < kPpmMaxSide; ++y) image << row;
    }
    std::filesystem::current_path(folder);
    scene.texturesOn = true;
    for (auto _ : state) {
        state.PauseTiming();
        forgetTexture();
        state.ResumeTiming();
        drawFrame();
        glutSwapBuffers();
        glFinish();
    }
    if (scene.block->textureName == 0) state.SkipWithError("the largest image was not used as the texture");
    forgetTexture();
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(folder);
}

}  // namespace

BENCHMARK(firstTexturedFrameOfTheLargestImage)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK_CAPTURE(frame, start_values, START)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK_CAPTURE(frame, help_off, HELP_OFF)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK_CAPTURE(frame, explanations_off, EXPLANATIONS_OFF)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK_CAPTURE(frame, gas_off, GAS_OFF)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK_CAPTURE(frame, block_off, BLOCK_OFF)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK_CAPTURE(frame, textures_on, TEXTURES_ON)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK_CAPTURE(frame, view_engine, ENGINE_VIEW)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK_CAPTURE(frame, view_block, BLOCK_VIEW)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK_CAPTURE(frame, view_valves, VALVES_VIEW)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK_CAPTURE(frame, projector_help, PROJECTOR_HELP)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK_CAPTURE(frame, projector_help_off, PROJECTOR_HELP_OFF)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime()->UseRealTime();

BENCHMARK_MAIN();
