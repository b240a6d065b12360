#include "app/projector.h"

#include <GL/freeglut.h>

#include "app/scene_state.h"

void toggleProjectorMode()
{
    // A window manager, or Windows, puts the window back where it was on leaving full screen;
    // without one freeglut only gives back its size, and the reshape sees to the place.
    if (!scene.projectorMode) {
        scene.windowedPlace = {glutGet(GLUT_WINDOW_X), glutGet(GLUT_WINDOW_Y),
                               glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT)};
        // Without a window manager freeglut fills the screen from a window moved to (x, y) by
        // someone else at (-x, -y), part of the picture off the screen: from the corner it fills
        // it exactly. The way back puts the window in its place again.
        glutPositionWindow(0, 0);
        glutFullScreen();
    } else {
        glutLeaveFullScreen();
        scene.windowedPlacePending = true;
    }
    scene.projectorMode = !scene.projectorMode;
}

void restoreWindowedPlace(int width, int height)
{
    const WindowPlace& place = scene.windowedPlace;
    if (!scene.windowedPlacePending || scene.projectorMode || width != place.width || height != place.height)
        return;
    scene.windowedPlacePending = false;
    if (glutGet(GLUT_WINDOW_X) != place.x || glutGet(GLUT_WINDOW_Y) != place.y)
        glutPositionWindow(place.x, place.y);
}
