#include "render/valve.h"

#include "render/part_steps.h"

Valve::Valve() : list(glGenLists(1))
{
    glNewList(list, GL_COMPILE);
    emitRecipe(valveRecipe(), nullptr);
    glEndList();
}

void drawValvePair(const Valve& intake, const Valve& exhaust, double crankAngleDeg)
{
    glPushMatrix();
        emitSteps(valveFrame(crankAngleDeg, ValveSide::intake), nullptr);
        intake.draw();
    glPopMatrix();
    glPushMatrix();
        emitSteps(valveFrame(crankAngleDeg, ValveSide::exhaust), nullptr);
        exhaust.draw();
    glPopMatrix();
}

void Valve::draw() const
{
    glCallList(list);
}
