// The cost of one frame in each configuration, on a real 800 x 600 GLUT window: what each
// feature (help screen, explanations, gas, block, textures, view modes) adds.

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

void ignoreDisplay() {}

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
    glutInitWindowSize(800, 600);
    glutCreateWindow("Tarvex frame benchmark");
    glutDisplayFunc(ignoreDisplay);
    for (int i = 0; i < 20; ++i) glutMainLoopEvent();
    initScene();
    onReshape(800, 600);
    open = true;
}

void resetToStartValues()
{
    scene.settings() = SceneSettings{};
    scene.crankAngle = 100.0;               // inside the intake window: all gas charges drawn
}

enum Config { START, HELP_OFF, EXPLANATIONS_OFF, GAS_OFF, BLOCK_OFF, TEXTURES_ON,
              ENGINE_VIEW, BLOCK_VIEW, VALVES_VIEW };

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
    }
    drawFrame();                            // builds the texture once, outside the timing
    glFinish();
    for (auto _ : state) {
        drawFrame();
        glutSwapBuffers();
        glFinish();
    }
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
BENCHMARK_CAPTURE(frame, start_values, START)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK_CAPTURE(frame, help_off, HELP_OFF)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK_CAPTURE(frame, explanations_off, EXPLANATIONS_OFF)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK_CAPTURE(frame, gas_off, GAS_OFF)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK_CAPTURE(frame, block_off, BLOCK_OFF)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK_CAPTURE(frame, textures_on, TEXTURES_ON)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK_CAPTURE(frame, view_engine, ENGINE_VIEW)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK_CAPTURE(frame, view_block, BLOCK_VIEW)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK_CAPTURE(frame, view_valves, VALVES_VIEW)->Unit(benchmark::kMicrosecond)->UseRealTime();

BENCHMARK_MAIN();
