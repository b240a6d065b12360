#pragma once
// Crankshaft (two webs with counterweights), connecting rod and piston. Placed in the world
// frame: crank axis on x = -3.25, y = 0; piston axis y = 0, z = 0.25 along +x. Model units.

#include <GL/gl.h>

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
