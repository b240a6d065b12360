#pragma once
// A part's front-face material: colours as red, green, blue, alpha; shininess 0 to 128.
// Each part's list begins with it, in the order ambient, diffuse, specular, shininess.

#include <GL/gl.h>

struct Material {
    GLfloat ambient[4];
    GLfloat diffuse[4];
    GLfloat specular[4];
    GLfloat shininess;
};

inline void applyMaterial(const Material& m)
{
    glMaterialfv(GL_FRONT, GL_AMBIENT, m.ambient);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, m.diffuse);
    glMaterialfv(GL_FRONT, GL_SPECULAR, m.specular);
    glMaterialf(GL_FRONT, GL_SHININESS, m.shininess);
}

// Polished yellow steel of the crank webs and the valves.
constexpr Material kCrankMaterial = {
    {0.2f, 0.2f, 0.1f, 1.0f}, {0.8f, 0.8f, 0.2f, 1.0f}, {0.8f, 0.8f, 0.8f, 1.0f}, 20.0f};
