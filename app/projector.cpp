#include "app/projector.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

#include "app/projector_switch.h"
#include "app/scene_state.h"
#include "app/startup.h"
#include "render/projector_overlay.h"

namespace {

double engineAreaAspect(const ProjectorLayout& layout)
{
    return layout.engineArea.width / layout.engineArea.height;
}

// At the start zoom the engine fills the area; the user's zoom then scales it from there.
EngineFraming currentFraming(const ProjectorLayout& layout)
{
    return frameEngine(scene.eye, scene.lookAt, kFieldOfViewDeg, engineAreaAspect(layout), SceneSettings{}.zoom);
}

}  // namespace

namespace {

// A switch the window system never confirms (a window manager that keeps a panel, a screen
// already the window's size) stops holding F11 back after this long.
constexpr unsigned int kSwitchTimeoutMs = 2000;
int switchSerial = 0;                   // which switch a timeout belongs to

void beginSwitch(bool placeKnown);

// F11 pressed while freeglut was still carrying out the last switch would reach it half done:
// a full screen asked for and left before it happened comes afterwards all the same, with
// freeglut's own idea of the window's size taken from the full screen, and the window never
// gets its size back. So a press during a switch waits for that switch to end.
void settleSwitch()
{
    scene.projectorSwitching = false;
    if (scene.projectorToggleQueued) {
        scene.projectorToggleQueued = false;
        beginSwitch(true);
    }
}

void onSwitchTimeout(int serial)
{
    if (serial == switchSerial && scene.projectorSwitching) settleSwitch();
}

void beginSwitch(bool placeKnown)
{
    // A window manager, or Windows, puts the window back where it was on leaving full screen;
    // without one freeglut only gives back its size, and the reshape sees to the place.
    if (!scene.projectorMode) {
        // Right after leaving, the window's place may not have been carried out yet: the place
        // it is going back to is the one to keep.
        if (!placeKnown)
            scene.windowedPlace = {glutGet(GLUT_WINDOW_X), glutGet(GLUT_WINDOW_Y),
                                   glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT)};
        // Without a window manager freeglut fills the screen from a window moved to (x, y) by
        // someone else at (-x, -y), part of the picture off the screen: from the corner it fills
        // it exactly. The way back puts the window in its place again.
        scene.windowedPlacePending = false;
        glutPositionWindow(0, 0);
        glutFullScreen();
        // The help would hide the engine from the room: it comes as a panel on `a`.
        scene.windowedShowHelp = scene.showHelp;
        scene.showHelp = false;
    } else {
        glutLeaveFullScreen();
        scene.showHelp = scene.windowedShowHelp;
        scene.windowedPlacePending = true;
    }
    scene.projectorMode = !scene.projectorMode;
    scene.projectorSwitching = true;
    glutTimerFunc(kSwitchTimeoutMs, onSwitchTimeout, ++switchSerial);
}

}  // namespace

void toggleProjectorMode()
{
    if (scene.projectorSwitching) scene.projectorToggleQueued = !scene.projectorToggleQueued;
    else beginSwitch(false);
}

void restoreWindowedPlace(int width, int height)
{
    const SwitchView view{scene.projectorMode, scene.projectorSwitching, scene.windowedPlacePending,
                          scene.windowedPlace};
    const ReshapeOutcome out = projectorReshape(view, width, height, glutGet(GLUT_SCREEN_WIDTH),
                                                glutGet(GLUT_SCREEN_HEIGHT), glutGet(GLUT_WINDOW_X),
                                                glutGet(GLUT_WINDOW_Y));
    if (out.placeGivenBack) scene.windowedPlacePending = false;
    if (out.movesWindow) glutPositionWindow(scene.windowedPlace.x, scene.windowedPlace.y);
    if (out.settles) settleSwitch();
}

void applyProjectorFraming()
{
    const ProjectorLayout layout = currentProjectorLayout();
    const EngineFraming framing = currentFraming(layout);
    // The full screen's y from -1 to 1 squeezed into the area above the band, then the engine's
    // box centred in it.
    const double bottom = 2.0 * layout.engineArea.y / layout.height - 1.0;
    glTranslated(0.0, (1.0 + bottom) / 2.0, 0.0);
    glScaled(1.0, (1.0 - bottom) / 2.0, 1.0);
    glTranslated(framing.shiftX, framing.shiftY, 0.0);
    gluPerspective(kFieldOfViewDeg, engineAreaAspect(layout), kNearPlane, kFarPlane);
}

double projectorZoomFactor() { return currentFraming(currentProjectorLayout()).zoomFactor; }
