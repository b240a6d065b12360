#pragma once
// What the user sets and what runs, without the window or GL: the switches, the singled-out
// group, the speed, the camera, the animation clock and the mouse. The desktop program's state
// and the browser page's are made of it, so that the keys, the mouse and the clock do the same
// on both.

#include "model/vec3.h"

// Which part group is singled out. The pick names of the groups are the same numbers.
enum ViewMode : int {
    VIEW_ENGINE = 0,
    VIEW_BLOCK = 1,
    VIEW_CRANK = 2,
    VIEW_VALVES = 3,
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

// The settings with the animation clock and the mouse, as the controls change them.
struct ViewState : SceneSettings {
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
};
