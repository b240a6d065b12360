#pragma once
// A poppet valve in one display list: head at the local origin, stem 4 units along +x,
// placed as model/valve.h says.

#include <GL/gl.h>

#include "model/valve.h"

class Valve;

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
