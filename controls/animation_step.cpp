#include "controls/animation_step.h"

#include "model/cycle.h"

namespace {

constexpr double kDegreesPerRevolution = 360.0;
constexpr double kMsPerSecond = 1000.0;
constexpr double kFlickerIntervalMs = 100.0;    // a toggle needs strictly more than this
constexpr int kTogglesPerFlicker = 5;           // odd: a sequence leaves light 0 flipped

}  // namespace

bool stepAnimation(ViewState& state, double (*readClockMs)())
{
    double elapsedMs = readClockMs() - state.lastFrameTime;
    if (elapsedMs < 0.0) elapsedMs = 0.0;           // the 32-bit clock wrapped (after 24.8 days)

    // Paused, the time still passes into lastFrameTime below, so resuming does not jump.
    if (!state.paused)
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
