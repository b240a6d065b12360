#pragma once
// Crankshaft (two webs with counterweights), connecting rod and piston in four display lists,
// placed where model/crank_train.h says.

#include <GL/gl.h>

#include "model/crank_train.h"

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
