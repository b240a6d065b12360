#include "interaction/camera.h"

#include <GL/glu.h>
#include <GL/glut.h>

#include <cmath>
#include <cstdlib>

#include "app/projector.h"

namespace {

constexpr double kAngleStep = 0.1;          // radians per arrow-key press
constexpr double kDistanceFactor = 1.1;     // per page-key press
constexpr int kDragDeadZone = 20;           // pixels on each axis; 21 already turns
constexpr double kTurnPerPixel = 0.001;     // radians per pixel of offset, per motion event
constexpr double kZoomPerPixel = 0.0001;    // zoom per pixel of offset, per motion event

}  // namespace

Vec3 orbitEye(double azimuth, double elevation, double distance)
{
    return {std::cos(elevation) * (std::cos(azimuth) * distance),
            std::cos(elevation) * (std::sin(azimuth) * distance),
            std::sin(elevation) * distance};
}

void updateEyePosition()
{
    scene.eye = orbitEye(scene.azimuth, scene.elevation, scene.distance);
}

void applyCamera()
{
    gluLookAt(scene.eye.x, scene.eye.y, scene.eye.z,
              scene.lookAt.x, scene.lookAt.y, scene.lookAt.z,
              0.0, 0.0, 1.0);
    const float zoom = static_cast<float>(scene.projectorMode ? scene.zoom * projectorZoomFactor() : scene.zoom);
    glScalef(zoom, zoom, zoom);
}

void onSpecialKey(int key, int, int)
{
    switch (key) {
    case GLUT_KEY_LEFT:      scene.azimuth -= kAngleStep; break;
    case GLUT_KEY_UP:        scene.elevation += kAngleStep; break;
    case GLUT_KEY_RIGHT:     scene.azimuth += kAngleStep; break;
    case GLUT_KEY_DOWN:      scene.elevation -= kAngleStep; break;
    case GLUT_KEY_PAGE_UP:   scene.distance *= kDistanceFactor; break;
    case GLUT_KEY_PAGE_DOWN: scene.distance /= kDistanceFactor; break;
    case GLUT_KEY_F11:       toggleProjectorMode(); break;
    default: break;
    }
    updateEyePosition();
    glutPostRedisplay();
}

void onMotion(int x, int y)
{
    // The offsets run from the press point, so holding the cursor away from it keeps turning:
    // a rate control, stopped by coming back inside the dead zone.
    if (scene.leftDragging) {
        scene.dragDX = scene.pressX - x;
        scene.dragDY = scene.pressY - y;
        if (std::abs(scene.dragDX) <= kDragDeadZone) scene.dragDX = 0;
        if (std::abs(scene.dragDY) <= kDragDeadZone) scene.dragDY = 0;
        scene.azimuth += scene.dragDX * kTurnPerPixel;
        scene.elevation += scene.dragDY * kTurnPerPixel;
    } else if (scene.rightDragging) {
        scene.zoomDelta = scene.rightPressY - y;
        scene.zoom += scene.zoomDelta * kZoomPerPixel;
        if (scene.zoom < 0.0) scene.zoom = 0.0;
    }
    updateEyePosition();
    glutPostRedisplay();
}
