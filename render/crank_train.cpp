#include "render/crank_train.h"

#include <GL/glut.h>

#include "model/crank_train.h"
#include "render/material.h"
#include "render/mesh.h"

namespace {

constexpr Material kRodMaterial = {
    {0.2f, 0.2f, 0.2f, 1.0f}, {0.8f, 0.8f, 0.8f, 1.0f}, {0.8f, 0.8f, 0.8f, 1.0f}, 40.0f};
// Red piston. A shininess of 200 is beyond OpenGL's 0 to 128 and would be refused, leaving the
// webs' 20 in force; 20 is given directly, which is the same picture without the GL error.
constexpr Material kPistonMaterial = {
    {0.2f, 0.1f, 0.0f, 1.0f}, {0.9f, 0.1f, 0.1f, 1.0f}, {0.1f, 0.1f, 0.1f, 1.0f}, 20.0f};

// Crank web, in its own frame: crank axis along local z, crank pin on +x. Model units.
constexpr float kStubRadius = 0.1f;         // the stubs on the axis and at the pin
constexpr float kStubLength = 0.2f;
constexpr int kStubSlices = 8;
constexpr float kPinBossRadius = 0.5f;      // half disc around the pin
constexpr float kPinBossThickness = 0.3f;
constexpr int kBossSlices = 10;
constexpr float kArmLength = 3.0f;          // box centred on the axis
constexpr float kArmWidth = 1.0f;
constexpr float kArmThickness = 0.3f;
constexpr float kCounterweightRadius = 3.0f;
constexpr float kCounterweightStartDeg = 135.0f;   // spans 135 to 225 degrees, opposite the pin
constexpr float kCutPlateOffset = -1.48f;  // plates that close the counterweight's two cuts
constexpr float kCutPlateThickness = 0.01f;

// Connecting rod, small eye at the origin, big eye at (rodLength, 0, 0).
constexpr int kShankSlices = 10;
constexpr int kShankStacks = 10;

// Piston, pin at the origin, axis along +x: a body and three discs with 0.2 gaps, the last one's
// face the crown.
constexpr float kPistonRadius = static_cast<float>(kBoreRadius);
constexpr float kPistonDiscLength = 0.2f;
constexpr float kDiscPitch = 0.4f;
constexpr float kFirstDiscOffset =          // from the body's start
    static_cast<float>(kPistonCrownOffset - 2 * kDiscPitch - kPistonDiscLength);
constexpr int kPistonSlices = 35;
constexpr double kFullTurn = 2.0 * kPi;

}  // namespace

CrankTrain::CrankTrain()
    : rodList(0), pistonList(0), webList(0), mirroredWebList(0),
      crankRadius(kCrankRadius), rodLength(kRodLength), thickness(kThickness),
      crankAngleRad(0.0), rodAngleRad(0.0), rodAngleDeg(0.0), pistonX(0.0)
{
    webList = glGenLists(1);
    glNewList(webList, GL_COMPILE);
    applyMaterial(kCrankMaterial);
    glPushMatrix();
        glTranslatef(0.0f, 0.0f, thickness / 2);
        drawCylinder(kStubRadius, kStubLength, kStubSlices, 1, true);
    glPopMatrix();
    glPushMatrix();
        glTranslatef(crankRadius, 0.0f, thickness / 2);
        drawCylinder(kStubRadius, kStubLength, kStubSlices, 1, true);
    glPopMatrix();
    glPushMatrix();
        glTranslatef(crankRadius, 0.0f, -kPinBossThickness / 2);
        glRotatef(-90.0f, 0.0f, 0.0f, 1.0f);
        drawCylinderSector(kPinBossRadius, kPinBossThickness, kBossSlices, 1, true, kPi);
    glPopMatrix();
    glPushMatrix();
        glScalef(kArmLength, kArmWidth, kArmThickness);
        glutSolidCube(1.0);
    glPopMatrix();
    glPushMatrix();
        glRotatef(kCounterweightStartDeg, 0.0f, 0.0f, 1.0f);
        glTranslatef(0.0f, 0.0f, -kArmThickness / 2);
        drawCylinderSector(kCounterweightRadius, kArmThickness, kBossSlices, 1, true, kPi / 2);
    glPopMatrix();
    glPushMatrix();
        glRotatef(45.0f, 0.0f, 0.0f, 1.0f);
        glTranslatef(kCutPlateOffset, 0.0f, 0.0f);
        glScalef(kArmLength, kCutPlateThickness, kArmThickness);
        glutSolidCube(1.0);
    glPopMatrix();
    glPushMatrix();
        glRotatef(-45.0f, 0.0f, 0.0f, 1.0f);
        glTranslatef(kCutPlateOffset, 0.0f, 0.0f);
        glScalef(kArmLength, kCutPlateThickness, kArmThickness);
        glutSolidCube(1.0);
    glPopMatrix();
    glEndList();

    // The same web turned half a turn about x: pin and counterweight keep their angles while
    // the stubs point the other way along the axis.
    mirroredWebList = glGenLists(1);
    glNewList(mirroredWebList, GL_COMPILE);
    glPushMatrix();
        glRotatef(180.0f, 1.0f, 0.0f, 0.0f);
        glCallList(webList);
    glPopMatrix();
    glEndList();

    rodList = glGenLists(1);
    glNewList(rodList, GL_COMPILE);
    applyMaterial(kRodMaterial);
    glutSolidCube(7 * thickness);
    glPushMatrix();
        glTranslatef(rodLength, 0.0f, 0.0f);
        glutSolidCube(7 * thickness);
    glPopMatrix();
    glPushMatrix();
        glTranslatef(thickness / 2, 0.0f, 0.0f);
        glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
        drawCylinder(3 * thickness, rodLength - thickness, kShankSlices, kShankStacks, false);
    glPopMatrix();
    glEndList();

    pistonList = glGenLists(1);
    glNewList(pistonList, GL_COMPILE);
    applyMaterial(kPistonMaterial);
    glPushMatrix();
        // Local z now runs along the frame's +x and local x along its -z: this raises the
        // piston by one thickness.
        glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
        glTranslatef(-thickness, 0.0f, 0.0f);
        drawCylinderSector(kPistonRadius, kPistonBodyLength, kPistonSlices, 1, true, kFullTurn);
        glTranslatef(0.0f, 0.0f, kFirstDiscOffset);
        drawCylinderSector(kPistonRadius, kPistonDiscLength, kPistonSlices, 1, true, kFullTurn);
        glTranslatef(0.0f, 0.0f, kDiscPitch);
        drawCylinderSector(kPistonRadius, kPistonDiscLength, kPistonSlices, 1, true, kFullTurn);
        glTranslatef(0.0f, 0.0f, kDiscPitch);
        drawCylinderSector(kPistonRadius, kPistonDiscLength, kPistonSlices, 1, true, kFullTurn);
    glPopMatrix();
    glEndList();
}

void CrankTrain::draw(float angleDeg)
{
    const SliderCrank k = sliderCrank(angleDeg, crankRadius, rodLength);
    crankAngleRad = k.crankAngleRad;
    rodAngleRad = k.rodAngleRad;
    rodAngleDeg = k.rodAngleDeg;
    pistonX = k.pistonX;

    glPushMatrix();
        glTranslatef(kCrankAxisX, 0.0f, kCrankAxisZ);
        glRotatef(angleDeg, 0.0f, 0.0f, 1.0f);      // the crank turns twice per cycle
        glCallList(mirroredWebList);
        glTranslatef(0.0f, 0.0f, kWebSpacing);
        glCallList(webList);
    glPopMatrix();
    glPushMatrix();
        glTranslatef(static_cast<float>(pistonX), 0.0f, kPistonZ);
        glCallList(pistonList);
    glPopMatrix();
    // The rod runs from the piston pin back to the crank pin: its big eye lands on the pin.
    glPushMatrix();
        glTranslatef(static_cast<float>(pistonX), 0.0f, kRodZ);
        glRotatef(static_cast<float>(180.0 - rodAngleDeg), 0.0f, 0.0f, 1.0f);
        glCallList(rodList);
    glPopMatrix();
}
