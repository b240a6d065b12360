#include "render/lighting.h"

#include <GL/gl.h>

#include "app/scene_state.h"
#include "render/axis_marker.h"
#include "model/cycle.h"
#include "model/lights.h"

namespace {

constexpr GLfloat kAtLocalOrigin[4] = {0.0f, 0.0f, 0.0f, 1.0f};
constexpr GLenum kSpotlightNames[kSpotlightCount] = {GL_LIGHT2, GL_LIGHT3, GL_LIGHT4};

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

    for (int i = 0; i < kSpotlightCount; ++i) {
        const Spotlight& s = kSpotlights[i];
        const GLenum light = kSpotlightNames[i];
        glPushMatrix();
            glTranslatef(s.place[0], s.place[1], s.place[2]);
            if (scene.showLightMarkers && scene.axisMarker) scene.axisMarker->draw();
            sendPositionAndColours(light, kAtLocalOrigin, s.colours);
            glLightfv(light, GL_SPOT_DIRECTION, s.direction);
            glLightf(light, GL_SPOT_CUTOFF, s.cutoffDeg);
            glLightf(light, GL_SPOT_EXPONENT, s.exponent);
        glPopMatrix();
    }
}
