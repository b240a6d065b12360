#include "model/valve.h"

#include <GL/glut.h>

#include "model/material.h"
#include "model/mesh.h"

namespace {

constexpr double kTravelPerDegree = 0.015;  // model units of lift per crank degree
constexpr double kIntakeOpens = 0.0;        // crank degrees
constexpr double kIntakeFullyOpen = 90.0;
constexpr double kIntakeCloses = 180.0;
constexpr double kExhaustOpens = 540.0;
constexpr double kExhaustFullyOpen = 630.0;

constexpr float kStemRadius = 0.1f;
constexpr float kStemLength = 4.0f;
constexpr float kHeadRadius = 0.5f;
constexpr float kHeadThickness = 0.1f;
constexpr double kNeckHeight = 1.0;         // cone from the head towards the stem
constexpr int kValveSlices = 12;
constexpr int kNeckSlices = 20;

}  // namespace

double valveLift(double a, ValveSide side)
{
    // Each valve rises linearly for 90 degrees to full lift, then returns at the same rate;
    // the exhaust's closing branch runs to the end of the cycle at 720.
    if (side == ValveSide::intake) {
        if (a >= kIntakeOpens && a < kIntakeFullyOpen) return kValveClosedX + kTravelPerDegree * a;
        if (a >= kIntakeFullyOpen && a < kIntakeCloses)
            return kValveOpenX - kTravelPerDegree * (a - kIntakeFullyOpen);
        return kValveClosedX;
    }
    if (a >= kExhaustOpens && a < kExhaustFullyOpen)
        return kValveClosedX + kTravelPerDegree * (a - kExhaustOpens);
    if (a >= kExhaustFullyOpen) return kValveOpenX - kTravelPerDegree * (a - kExhaustFullyOpen);
    return kValveClosedX;
}

Valve::Valve() : list(glGenLists(1))
{
    glNewList(list, GL_COMPILE);
    applyMaterial(kCrankMaterial);
    glPushMatrix();
        glRotatef(90.0f, 0.0f, 1.0f, 0.0f);         // local z along the frame's +x
        drawCylinder(kStemRadius, kStemLength, kValveSlices, 1, true);
        drawCylinder(kHeadRadius, kHeadThickness, kValveSlices, 1, true);
        glutSolidCone(kHeadRadius, kNeckHeight, kNeckSlices, 1);
    glPopMatrix();
    glEndList();
}

void drawValvePair(const Valve& intake, const Valve& exhaust, double crankAngleDeg)
{
    glPushMatrix();
        glTranslatef(static_cast<float>(valveLift(crankAngleDeg, ValveSide::intake)), 1.0f, 0.0f);
        intake.draw();
    glPopMatrix();
    glPushMatrix();
        glTranslatef(static_cast<float>(valveLift(crankAngleDeg, ValveSide::exhaust)), -1.0f, 0.0f);
        exhaust.draw();
    glPopMatrix();
}

void Valve::draw() const
{
    glCallList(list);
}
