#include "render/valve.h"

#include <GL/glut.h>

#include "render/material.h"
#include "render/mesh.h"

namespace {

constexpr float kStemRadius = 0.1f;
constexpr float kStemLength = 4.0f;
constexpr float kHeadRadius = 0.5f;
constexpr double kNeckHeight = 1.0;         // cone from the head towards the stem
constexpr int kValveSlices = 12;
constexpr int kNeckSlices = 20;

}  // namespace

Valve::Valve() : list(glGenLists(1))
{
    glNewList(list, GL_COMPILE);
    applyMaterial(kCrankMaterial);
    glPushMatrix();
        glRotatef(90.0f, 0.0f, 1.0f, 0.0f);         // local z along the frame's +x
        drawCylinder(kStemRadius, kStemLength, kValveSlices, 1, true);
        drawCylinder(kHeadRadius, kValveHeadThickness, kValveSlices, 1, true);
        glutSolidCone(kHeadRadius, kNeckHeight, kNeckSlices, 1);
    glPopMatrix();
    glEndList();
}

void drawValvePair(const Valve& intake, const Valve& exhaust, double crankAngleDeg)
{
    glPushMatrix();
        glTranslatef(static_cast<float>(valveLift(crankAngleDeg, ValveSide::intake)), kIntakeY, 0.0f);
        intake.draw();
    glPopMatrix();
    glPushMatrix();
        glTranslatef(static_cast<float>(valveLift(crankAngleDeg, ValveSide::exhaust)), kExhaustY, 0.0f);
        exhaust.draw();
    glPopMatrix();
}

void Valve::draw() const
{
    glCallList(list);
}
