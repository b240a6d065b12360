#include "render/gas_volume.h"

#include <GL/glut.h>

#include <initializer_list>

#include "render/material.h"
#include "render/mesh.h"

namespace {

// Yellowish and half transparent; with lighting on the charge's alpha is the diffuse alpha.
constexpr Material kGasMaterial = {
    {0.2f, 0.2f, 0.1f, 1.0f}, {0.8f, 0.8f, 0.2f, 0.5f}, {0.8f, 0.8f, 0.8f, 1.0f}, 20.0f};

// The charge runs from just past the crown to the head's plane, a little wider than the bore so
// that no seam shows.
constexpr double kOverBore = 0.1;           // model units of radius
constexpr float kChamberRadius = static_cast<float>(kBoreRadius + kOverBore);
constexpr int kChamberSlices = 35;

// Passage charges, drawn while their valve stands beyond half its travel.
constexpr float kPortStartX = 7.5f;         // cylinder around the valve, along +x
constexpr float kPortY = 1.0f;
constexpr float kPortRadius = 0.8f;
constexpr float kPortLength = 1.5f;
constexpr int kPortSlices = 12;

// One passage charge on the side whose sign is ySign (+1 intake, -1 exhaust).
void drawPassageCharge(float ySign)
{
    glPushMatrix();
        glTranslatef(kPassageBoxX, ySign * kPassageBoxY, kPassageBoxZ);
        glScalef(kPassageBoxSize[0], kPassageBoxSize[1], kPassageBoxSize[2]);
        glutSolidCube(1.0);
    glPopMatrix();
    glPushMatrix();
        glTranslatef(kPortStartX, ySign * kPortY, 0.0f);
        glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
        drawCylinder(kPortRadius, kPortLength, kPortSlices, 1, true);
    glPopMatrix();
}

}  // namespace

GasVolume::GasVolume()
    : crankRadius(kCrankRadius), rodLength(kRodLength), thickness(kThickness),
      crankAngleRad(0.0), rodAngleRad(0.0), pistonX(0.0)
{
}

void GasVolume::draw(float angleDeg)
{
    // Each charge adds half its lit colour to what is behind it.
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_BLEND);

    const SliderCrank k = sliderCrank(angleDeg, crankRadius, rodLength);
    crankAngleRad = k.crankAngleRad;
    rodAngleRad = k.rodAngleRad;
    pistonX = k.pistonX;

    applyMaterial(kGasMaterial);

    glPushMatrix();
        glTranslatef(static_cast<float>(pistonX + kCrownGap), 0.0f, kChargeZ);
        glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
        drawCylinder(kChamberRadius, static_cast<float>(kHeadPlaneX - kCrownGap - pistonX),
                     kChamberSlices, 1, true);
    glPopMatrix();

    for (ValveSide side : {ValveSide::intake, ValveSide::exhaust})
        if (passageWindow(side).contains(angleDeg)) drawPassageCharge(sideSign(side));

    glDisable(GL_BLEND);
}
