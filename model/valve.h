#pragma once
// A poppet valve in one display list: head at the local origin, stem 4 units along +x. The
// cycle's valveLift places it along world x for a crank angle in degrees.

#include <GL/gl.h>

#include "model/cycle.h"
#include "model/vec3.h"

class Valve;

// The middle of the valve's head at a crank angle: where it stands off its seat.
Vec3 valveHeadCentre(double crankAngleDeg, ValveSide side);

// Places both valves on their sides (intake at y = +1, exhaust at y = -1) at the lift of the
// crank angle and draws them: the frame and the picking pass share it, so a click finds the
// valves exactly where they are drawn.
void drawValvePair(const Valve& intake, const Valve& exhaust, double crankAngleDeg);

class Valve {
public:
    Valve();                                // compiles the list; needs a current GL context
    void draw() const;

    GLuint list;
};
