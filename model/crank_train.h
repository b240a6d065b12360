#pragma once
// Crankshaft (two webs with counterweights), connecting rod and piston. Placed in the world
// frame: crank axis on x = -3.25, y = 0; piston axis y = 0, z = 0.25 along +x. Model units.

#include <GL/gl.h>

#include "model/vec3.h"

// Where the pieces stand at a cycle angle in degrees, world model units: points inside each
// piece, for the labels and arrows drawn over pictures of it.
Vec3 pistonCentre(double angleDeg);         // on the piston's axis, half-way along its body
Vec3 rodMiddle(double angleDeg);            // half-way between the piston pin and the crank pin
Vec3 crankWebMiddle(double angleDeg);       // on the nearer web, half-way from the axis to the pin

class CrankTrain {
public:
    CrankTrain();                           // compiles the four lists; needs a GL context
    void draw(float angleDeg);              // cycle angle in degrees, 0 to 720

    GLuint rodList;
    GLuint pistonList;
    GLuint webList;
    GLuint mirroredWebList;
    float crankRadius;
    float rodLength;
    float thickness;
    double crankAngleRad;                   // of the last draw
    double rodAngleRad;
    double rodAngleDeg;
    double pistonX;
};
