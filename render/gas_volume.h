#pragma once
// Translucent, additive gas charges: the cylinder charge between piston crown and head at
// every angle, and the intake and exhaust passage charges while their valve is well open.
// Emitted directly every frame, world model units.

#include "model/gas_volume.h"

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
