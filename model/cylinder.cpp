#include "model/cylinder.h"

#include "model/crank_kinematics.h"
#include "model/cycle.h"

double cylinderVolume(double angleDeg)
{
    const double crownX = sliderCrank(angleDeg, kCrankRadius, kRodLength).pistonX + kPistonCrownOffset;
    return kPi * kBoreRadius * kBoreRadius * (kHeadPlaneX - crownX);
}

// The piston stands highest at the start of the intake stroke and lowest at its end.
double topDeadCentreVolume() { return cylinderVolume(strokeStartDeg(1)); }

double bottomDeadCentreVolume() { return cylinderVolume(strokeStartDeg(2)); }

double compressionRatio() { return bottomDeadCentreVolume() / topDeadCentreVolume(); }
