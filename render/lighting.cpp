#include "render/lighting.h"

#include <GL/gl.h>

#include "app/scene_state.h"
#include "render/axis_marker.h"
#include "model/cycle.h"

namespace {

struct LightColours {
    GLfloat ambient[4];
    GLfloat diffuse[4];
    GLfloat specular[4];
};

// A spotlight fixed to the engine: where it stands (model units) and its cone (degrees).
struct Spotlight {
    GLenum light;
    GLfloat place[3];
    GLfloat direction[3];
    GLfloat cutoffDeg;
    GLfloat exponent;
    LightColours colours;
};

constexpr GLfloat kAtLocalOrigin[4] = {0.0f, 0.0f, 0.0f, 1.0f};

// Grey light 10 units above the eye, specified in eye coordinates: it travels with the viewer.
constexpr GLfloat kViewerLightPosition[4] = {0.0f, 10.0f, 0.0f, 1.0f};
constexpr LightColours kViewerLight = {
    {0.4f, 0.4f, 0.4f, 0.3f}, {0.8f, 0.8f, 0.8f, 0.3f}, {0.3f, 0.3f, 0.3f, 0.01f}};

// White spark light in the combustion chamber, facing down the cylinder (-x). OpenGL refuses a
// cutoff of 100 degrees and keeps 180, so this is a point light; 180 is sent as such.
constexpr GLfloat kSparkPlace[3] = {6.8f, 0.0f, 0.0f};
constexpr LightColours kSparkLight = {
    {0.01f, 0.01f, 0.01f, 0.1f}, {1.0f, 1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f, 1.0f}};
constexpr GLfloat kSparkDirection[3] = {-1.0f, 0.0f, 0.0f};
constexpr GLfloat kSparkCutoffDeg = 180.0f;
constexpr GLfloat kSparkExponent = 50.0f;
constexpr GLfloat kSparkQuadraticAttenuation = 0.3f;   // per squared eye-space unit

// Tinted spotlights fixed to the engine.
constexpr Spotlight kSpotlights[] = {
    {GL_LIGHT2, {12.0f, 6.0f, 3.0f}, {-0.3f, -0.8f, -0.5f}, 70.0f, 2.0f,
     {{0.5f, 0.2f, 0.3f, 0.6f}, {0.5f, 0.2f, 0.3f, 0.8f}, {0.2f, 0.1f, 0.2f, 0.01f}}},
    {GL_LIGHT3, {-1.0f, 0.0f, 2.5f}, {-1.0f, 0.0f, -0.35f}, 70.0f, 2.0f,
     {{0.3f, 0.3f, 0.5f, 0.4f}, {0.3f, 0.3f, 0.5f, 0.3f}, {0.2f, 0.2f, 0.3f, 0.01f}}},
    {GL_LIGHT4, {2.0f, -5.0f, -3.0f}, {-1.0f, 0.8f, 0.5f}, 90.0f, 2.0f,
     {{0.2f, 0.2f, 0.4f, 0.3f}, {0.2f, 0.2f, 0.4f, 0.4f}, {0.0f, 0.0f, 0.0f, 0.01f}}},
};

void sendPositionAndColours(GLenum light, const GLfloat* position, const LightColours& c)
{
    glLightfv(light, GL_POSITION, position);
    glLightfv(light, GL_DIFFUSE, c.diffuse);
    glLightfv(light, GL_SPECULAR, c.specular);
    glLightfv(light, GL_AMBIENT, c.ambient);
}

}  // namespace

void placeViewerLight()
{
    // Assumes the identity model-view; light 0 is switched only by the flicker.
    sendPositionAndColours(GL_LIGHT0, kViewerLightPosition, kViewerLight);
}

void placeEngineLights()
{
    // Assumes the camera and zoom on the model-view; leaves the matrix as it found it.
    glPushMatrix();
        glTranslatef(kSparkPlace[0], kSparkPlace[1], kSparkPlace[2]);
        sendPositionAndColours(GL_LIGHT1, kAtLocalOrigin, kSparkLight);
        glLightf(GL_LIGHT1, GL_QUADRATIC_ATTENUATION, kSparkQuadraticAttenuation);
        glLightfv(GL_LIGHT1, GL_SPOT_DIRECTION, kSparkDirection);
        glLightf(GL_LIGHT1, GL_SPOT_CUTOFF, kSparkCutoffDeg);
        glLightf(GL_LIGHT1, GL_SPOT_EXPONENT, kSparkExponent);
    glPopMatrix();
    if (sparkLit(scene.crankAngle)) glEnable(GL_LIGHT1);
    else glDisable(GL_LIGHT1);

    for (const Spotlight& s : kSpotlights) {
        glPushMatrix();
            glTranslatef(s.place[0], s.place[1], s.place[2]);
            if (scene.showLightMarkers && scene.axisMarker) scene.axisMarker->draw();
            sendPositionAndColours(s.light, kAtLocalOrigin, s.colours);
            glLightfv(s.light, GL_SPOT_DIRECTION, s.direction);
            glLightf(s.light, GL_SPOT_CUTOFF, s.cutoffDeg);
            glLightf(s.light, GL_SPOT_EXPONENT, s.exponent);
        glPopMatrix();
    }
}
