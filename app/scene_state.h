#pragma once
// The one record of application state. Every GLUT callback reads and writes the single
// instance `scene` directly; the scene objects it owns exist from initScene on.

#include <memory>

#include "model/vec3.h"

class AxisMarker;
class EngineBlock;
class CrankTrain;
class GasVolume;
class Valve;

// Which part group is singled out. The pick names of the groups are the same numbers.
enum ViewMode : int {
    VIEW_ENGINE = 0,
    VIEW_BLOCK = 1,
    VIEW_CRANK = 2,
    VIEW_VALVES = 3,
};

// A window's place and client size on the screen, pixels.
struct WindowPlace {
    int x, y, width, height;
};

constexpr int kStartWindowWidth = 800;      // pixels
constexpr int kStartWindowHeight = 600;

// What the user sets and a picture of the engine depends on: the switches, the singled-out
// group, the speed and the camera, each with the program's start value. A plain value: the
// start is SceneSettings{}, and a reset is an assignment.
struct SceneSettings {
    SceneSettings();                        // the eye from the start camera

    // Display options
    bool showExplanations = true;
    bool showHelp = true;
    bool showBlock = true;
    bool showGas = true;
    bool showFps = false;
    bool showLightMarkers = false;
    bool texturesOn = false;
    bool showLabels = true;         // the singled-out group's 3-D labels; off only in blank worksheets
    ViewMode viewMode = VIEW_CRANK;

    double speed = 0.1;             // crank revolutions per second, may be zero or negative

    // Camera
    double azimuth = 6.963;         // radians about world z, from +x towards +y
    double elevation = -3.5996;     // radians above the x-y plane, not clamped
    double distance = 10.0;         // model units from the world origin
    Vec3 eye;                       // always the orbit point of the three above
    Vec3 lookAt{0.0, 0.0, 0.5};     // model units, never changed
    double zoom = 0.2;              // uniform scale after the viewing transform, never below 0
};

// The settings, the window, the animation clock, the mouse and the GL scene objects; the
// objects stay apart from the copyable settings.
struct SceneState : SceneSettings {
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

    // Animation
    double crankAngle = 0.0;        // degrees over one four-stroke cycle, [0, 720]
    double lastFrameTime = 0.0;     // elapsed-time clock at the end of the last step, ms
    double fps = 0.0;               // frames per second of the last step
    bool flickering = false;        // a light-0 flicker sequence is running
    int flashCountdown = 5;         // toggles left in the running sequence
    bool light0Lit = false;         // mirrors whether GL_LIGHT0 is enabled
    double lastFlashTime = 0.0;     // elapsed-time clock at the last flicker toggle, ms
    bool paused = false;            // the crank angle holds; the rest of each step goes on

    // Mouse, GLUT window coordinates in pixels (origin top left, y downwards)
    int pressX = 0;
    int pressY = 0;
    bool leftDragging = false;
    bool rightDragging = false;
    int rightPressY = 0;
    int dragDX = 0;
    int dragDY = 0;
    int zoomDelta = 0;

    // Scene objects, built by initScene once the GL context exists
    std::unique_ptr<AxisMarker> axisMarker;
    std::unique_ptr<EngineBlock> block;
    std::unique_ptr<CrankTrain> crankTrain;
    std::unique_ptr<GasVolume> gas;
    std::unique_ptr<Valve> intakeValve;
    std::unique_ptr<Valve> exhaustValve;
};

extern SceneState scene;
