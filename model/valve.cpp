#include "model/valve.h"

Vec3 valveHeadCentre(double crankAngleDeg, ValveSide side)
{
    return {valveLift(crankAngleDeg, side) + kValveHeadThickness / 2, valveY(side), 0.0};
}
