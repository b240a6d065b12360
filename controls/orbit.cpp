#include "controls/orbit.h"

#include <cmath>
#include <cstdlib>

namespace {

constexpr double kAngleStep = 0.1;          // radians per arrow-key press
constexpr double kDistanceFactor = 1.1;     // per page-key press
constexpr int kDragDeadZone = 20;           // pixels on each axis; 21 already turns
constexpr double kTurnPerPixel = 0.001;     // radians per pixel of offset, per motion event
constexpr double kZoomPerPixel = 0.0001;    // zoom per pixel of offset, per motion event

void updateEye(ViewState& state) { state.eye = orbitEye(state.azimuth, state.elevation, state.distance); }

}  // namespace

Vec3 orbitEye(double azimuth, double elevation, double distance)
{
    return {std::cos(elevation) * (std::cos(azimuth) * distance),
            std::cos(elevation) * (std::sin(azimuth) * distance),
            std::sin(elevation) * distance};
}

void turnCamera(ViewState& state, CameraKey key)
{
    switch (key) {
    case CameraKey::left:     state.azimuth -= kAngleStep; break;
    case CameraKey::up:       state.elevation += kAngleStep; break;
    case CameraKey::right:    state.azimuth += kAngleStep; break;
    case CameraKey::down:     state.elevation -= kAngleStep; break;
    case CameraKey::pageUp:   state.distance *= kDistanceFactor; break;
    case CameraKey::pageDown: state.distance /= kDistanceFactor; break;
    }
    updateEye(state);
}

void dragCamera(ViewState& state, int x, int y)
{
    // The offsets run from the press point, so holding the cursor away from it keeps turning:
    // a rate control, stopped by coming back inside the dead zone.
    if (state.leftDragging) {
        state.dragDX = state.pressX - x;
        state.dragDY = state.pressY - y;
        if (std::abs(state.dragDX) <= kDragDeadZone) state.dragDX = 0;
        if (std::abs(state.dragDY) <= kDragDeadZone) state.dragDY = 0;
        state.azimuth += state.dragDX * kTurnPerPixel;
        state.elevation += state.dragDY * kTurnPerPixel;
    } else if (state.rightDragging) {
        state.zoomDelta = state.rightPressY - y;
        state.zoom += state.zoomDelta * kZoomPerPixel;
        if (state.zoom < 0.0) state.zoom = 0.0;
    }
    updateEye(state);
}
