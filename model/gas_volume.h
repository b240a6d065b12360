#pragma once
// Translucent, additive gas charges: the cylinder charge between piston crown and head at
// every angle, and the intake and exhaust passage charges while their valve is well open.
// Emitted directly every frame, world model units.

#include "model/cycle.h"
#include "model/vec3.h"

// Points on the gas's way, world model units: the middle of the charge in the cylinder at a
// crank angle, and of a passage, and the passage's outer mouth.
Vec3 chamberCentre(double angleDeg);
Vec3 passageCentre(ValveSide side);
Vec3 passageMouth(ValveSide side);

class GasVolume {
public:
    GasVolume();                            // needs no GL context
    void draw(float angleDeg);              // leaves blending disabled

    float crankRadius;
    float rodLength;
    float thickness;
    double crankAngleRad;
    double rodAngleRad;
    double pistonX;
};
