#pragma once
// The one record of application state. Every GLUT callback reads and writes the single
// instance `scene` directly; the scene objects it owns exist from initScene on.

#include <memory>

#include "controls/view_state.h"

class AxisMarker;
class EngineBlock;
class CrankTrain;
class GasVolume;
class Valve;

// A window's place and client size on the screen, pixels.
struct WindowPlace {
    int x, y, width, height;
};

// The view's state (controls/view_state.h), the window and the GL scene objects; the objects
// stay apart from the copyable settings.
struct SceneState : ViewState {
    SceneState();
    ~SceneState();
    SceneState(const SceneState&) = delete;
    SceneState& operator=(const SceneState&) = delete;

    SceneSettings& settings() { return *this; }
    const SceneSettings& settings() const { return *this; }

    // Window: the size asked for at creation; also the overlay's 2-D frame, never changed.
    int windowWidth = kStartWindowWidth;    // pixels at start; overlay units
    int windowHeight = kStartWindowHeight;  // pixels at start; overlay units
    float aspect = 0.0f;            // width / height of the last reshape
    bool projectorMode = false;     // full screen, laid out for a room (F11)
    bool windowedShowHelp = true;   // the help's switch before projector mode, given back after
    WindowPlace windowedPlace{};    // where the window was before projector mode
    bool projectorSwitching = false;    // full screen asked for or left, the new size not seen yet
    bool projectorToggleQueued = false; // F11 pressed while a switch was under way
    bool windowedPlacePending = false;  // back from full screen, the window not yet in its place

    // Scene objects, built by initScene once the GL context exists
    std::unique_ptr<AxisMarker> axisMarker;
    std::unique_ptr<EngineBlock> block;
    std::unique_ptr<CrankTrain> crankTrain;
    std::unique_ptr<GasVolume> gas;
    std::unique_ptr<Valve> intakeValve;
    std::unique_ptr<Valve> exhaustValve;
};

extern SceneState scene;
