#include "interaction/animation.h"

#include <GL/glut.h>

#include <cmath>

namespace {

constexpr double kDegreesPerRevolution = 360.0;
constexpr double kMsPerSecond = 1000.0;
constexpr double kFlickerIntervalMs = 100.0;    // a toggle needs strictly more than this
constexpr int kTogglesPerFlicker = 5;           // odd: a sequence leaves light 0 flipped

}  // namespace

double wrapCrankAngle(double angleDeg)
{
    // One subtraction or addition of 720 is enough for an ordinary step; after a long stall at
    // a high speed the advance can span many cycles, and the valves, the stroke text and the
    // spark all read the angle, so it is brought fully back into the cycle here.
    if (angleDeg > kCycleDegrees) {
        angleDeg = std::fmod(angleDeg, kCycleDegrees);
        if (angleDeg == 0.0) angleDeg = kCycleDegrees;   // 1440 comes back as 720, as 720 - 720 would not
    } else if (angleDeg < 0.0) {
        angleDeg = std::fmod(angleDeg, kCycleDegrees) + kCycleDegrees;
        if (angleDeg >= kCycleDegrees) angleDeg = 0.0;   // a whole number of cycles back lands on 0
    }
    return angleDeg;
}

bool stepAnimation(SceneState& state, double (*readClockMs)())
{
    double elapsedMs = readClockMs() - state.lastFrameTime;
    if (elapsedMs < 0.0) elapsedMs = 0.0;           // the 32-bit clock wrapped (after 24.8 days)

    state.crankAngle = wrapCrankAngle(
        state.crankAngle + (state.speed * kDegreesPerRevolution) * (elapsedMs / kMsPerSecond));

    // Two steps within one clock tick keep the previous frame rate instead of dividing by 0.
    if (elapsedMs > 0.0) state.fps = 1.0 / (elapsedMs / kMsPerSecond);

    bool toggled = false;
    if (state.flickering && readClockMs() - state.lastFlashTime > kFlickerIntervalMs) {
        state.lastFlashTime = readClockMs();
        state.flashCountdown -= 1;
        state.light0Lit = !state.light0Lit;
        toggled = true;
    }
    if (state.flashCountdown == 0) {
        state.flashCountdown = kTogglesPerFlicker;
        state.flickering = false;
    }

    // Taken at the end, so the time spent drawing until the next step counts in that step.
    state.lastFrameTime = readClockMs();
    return toggled;
}

double readElapsedMs()
{
    return static_cast<double>(glutGet(GLUT_ELAPSED_TIME));
}

void onIdle()
{
    if (stepAnimation(scene, readElapsedMs)) {
        if (scene.light0Lit) glEnable(GL_LIGHT0);
        else glDisable(GL_LIGHT0);
    }
    glutPostRedisplay();
}
