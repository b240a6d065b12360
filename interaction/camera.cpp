#include "interaction/camera.h"

#include <GL/glu.h>
#include <GL/glut.h>

#include "app/projector.h"

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
    case GLUT_KEY_LEFT:      turnCamera(scene, CameraKey::left); break;
    case GLUT_KEY_UP:        turnCamera(scene, CameraKey::up); break;
    case GLUT_KEY_RIGHT:     turnCamera(scene, CameraKey::right); break;
    case GLUT_KEY_DOWN:      turnCamera(scene, CameraKey::down); break;
    case GLUT_KEY_PAGE_UP:   turnCamera(scene, CameraKey::pageUp); break;
    case GLUT_KEY_PAGE_DOWN: turnCamera(scene, CameraKey::pageDown); break;
    case GLUT_KEY_F11:       toggleProjectorMode(); break;
    default: break;
    }
    updateEyePosition();
    glutPostRedisplay();
}

void onMotion(int x, int y)
{
    dragCamera(scene, x, y);
    glutPostRedisplay();
}
