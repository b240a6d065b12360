#include "interaction/mouse.h"

#include <GL/glu.h>
#include <GL/glut.h>

#include "app/scene_state.h"
#include "app/startup.h"
#include "controls/commands.h"
#include "interaction/camera.h"
#include "render/display.h"

namespace {

constexpr int kSelectBufferSize = 1024;     // entries; three records of four at the most
constexpr double kPickRegion = 3.0;         // pixels on each side
constexpr int kWheelBack = 3;               // GLUT's numbers for the wheel's two directions
constexpr int kWheelForward = 4;
constexpr GLuint kNoName = 0xFFFFFFFFu;     // placeholder that the group names replace

void loadPickName(ViewMode group) { glLoadName(group); }

}  // namespace

void onMouse(int button, int state, int x, int y)
{
    if (state != GLUT_DOWN) return;         // releases change nothing
    switch (button) {
    case GLUT_LEFT_BUTTON:
        pickObject(x, y);
        pressButton(scene, MouseButton::left, x, y);
        break;
    case GLUT_RIGHT_BUTTON: pressButton(scene, MouseButton::right, x, y); break;
    case GLUT_MIDDLE_BUTTON: pressButton(scene, MouseButton::middle, x, y); break;
    case kWheelBack: pressButton(scene, MouseButton::wheelBack, x, y); break;
    case kWheelForward: pressButton(scene, MouseButton::wheelForward, x, y); break;
    default: break;
    }
}

void pickObject(int x, int y)
{
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLuint buffer[kSelectBufferSize];
    glSelectBuffer(kSelectBufferSize, buffer);
    glRenderMode(GL_SELECT);
    glInitNames();
    glPushName(kNoName);

    // GLUT counts y downwards, OpenGL upwards.
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluPickMatrix(x, viewport[3] - y, kPickRegion, kPickRegion, viewport);
    applyProjection();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    applyCamera();
    // Faces must hit where they are seen, whatever polygon mode the last frame ended with (a
    // wireframe block when the gas is hidden); the frame gets its mode back.
    glPushAttrib(GL_POLYGON_BIT);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    drawPickScene();
    glPopAttrib();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glFlush();

    const int hits = glRenderMode(GL_RENDER);
    applyPickHits(hits, buffer);
}

void drawPickScene()
{
    // Hit records follow the frame's drawing order, so valves win over the crank train, which
    // wins over the block, whatever their depths. The block is picked untextured.
    drawPartGroups(loadPickName, false);
}

void applyPickHits(int hits, const unsigned* buffer)
{
    // Without a hit the buffer holds no record; -1 (an overflow) cannot be trusted either.
    if (hits <= 0) {
        if (hits == 0) scene.viewMode = VIEW_ENGINE;
        return;
    }
    const unsigned name = buffer[3];        // name count, min depth, max depth, then the name
    if (name == VIEW_BLOCK || name == VIEW_CRANK || name == VIEW_VALVES)
        scene.viewMode = static_cast<ViewMode>(name);
}
