// The cost of one frame in each configuration, on a real 800 x 600 GLUT window: what each
// feature (help screen, explanations, gas, block, textures, view modes) adds.

#include <GL/freeglut.h>
#include <benchmark/benchmark.h>

#include "app/scene_state.h"
#include "app/startup.h"
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
    scene.showHelp = true;
    scene.showExplanations = true;
    scene.showGas = true;
    scene.showBlock = true;
    scene.texturesOn = false;
    scene.viewMode = VIEW_CRANK;
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

}  // namespace

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
