#include <GL/glu.h>
#include <GL/glut.h>
#include <gtest/gtest.h>

#include <cmath>

#include "app/scene_state.h"
#include "app/startup.h"
#include "tests/support/gl_window.h"

namespace {

bool enabled(GLenum capability) { return glIsEnabled(capability) == GL_TRUE; }

}  // namespace

TEST(StartState, InitSceneSetsTheLightsAndCapabilities)
{
    testgl::openWindow();
    initScene();
    EXPECT_FALSE(enabled(GL_LIGHT0));
    EXPECT_FALSE(enabled(GL_LIGHT1));
    EXPECT_TRUE(enabled(GL_LIGHT2));
    EXPECT_TRUE(enabled(GL_LIGHT3));
    EXPECT_TRUE(enabled(GL_LIGHT4));
    EXPECT_TRUE(enabled(GL_DEPTH_TEST));
    EXPECT_TRUE(enabled(GL_LIGHTING));
    EXPECT_TRUE(enabled(GL_NORMALIZE));
    EXPECT_FALSE(enabled(GL_CULL_FACE));
    EXPECT_FALSE(enabled(GL_BLEND));
    EXPECT_FALSE(enabled(GL_TEXTURE_2D));

    GLint shade = 0;
    glGetIntegerv(GL_SHADE_MODEL, &shade);
    EXPECT_EQ(shade, GL_SMOOTH);

    GLfloat clear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_NEAR(clear[0], 0.05, 1e-6);
    EXPECT_NEAR(clear[1], 0.05, 1e-6);
    EXPECT_NEAR(clear[2], 0.05, 1e-6);

    // The clear colour reaches the pixels: 0.05 of 255 is about 13.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    std::string failures;
    testgl::probe(400, 300, {13, 13, 13}, 1, &failures, "background");
    EXPECT_EQ(failures, "");
}

TEST(Reshape, SetsViewportAspectAndTheTwentyDegreeProjection)
{
    testgl::openWindow();
    onReshape(1000, 500);
    EXPECT_FLOAT_EQ(scene.aspect, 2.0f);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 1000);
    EXPECT_EQ(viewport[3], 500);

    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);

    GLdouble got[16], expected[16];
    glMatrixMode(GL_PROJECTION);
    glGetDoublev(GL_PROJECTION_MATRIX, got);
    glPushMatrix();
    glLoadIdentity();
    gluPerspective(20.0, 2.0, 1.0, 20.0);
    glGetDoublev(GL_PROJECTION_MATRIX, expected);
    glPopMatrix();
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(got[i], expected[i], 1e-6) << "element " << i;

    glMatrixMode(GL_MODELVIEW);
    GLdouble modelview[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    for (int i = 0; i < 16; ++i) EXPECT_DOUBLE_EQ(modelview[i], i % 5 == 0 ? 1.0 : 0.0);

    EXPECT_EQ(scene.windowWidth, 800);              // the overlay frame never follows
    EXPECT_EQ(scene.windowHeight, 600);
    onReshape(800, 600);
}

TEST(Reshape, ZeroHeightKeepsThePreviousAspect)
{
    testgl::openWindow();
    onReshape(800, 600);
    onReshape(640, 0);
    EXPECT_FLOAT_EQ(scene.aspect, 800.0f / 600.0f);
    GLdouble projection[16];
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    for (double v : projection) EXPECT_TRUE(std::isfinite(v));

    scene.aspect = 0.0f;                            // as before the first reshape
    onReshape(640, 0);
    EXPECT_FLOAT_EQ(scene.aspect, 1.0f);
    onReshape(800, 600);
}
