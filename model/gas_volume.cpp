#include "model/gas_volume.h"

Vec3 chamberCentre(double angleDeg)
{
    const double crown = sliderCrank(angleDeg, kCrankRadius, kRodLength).pistonX + kCrownGap;
    return {(crown + kHeadPlaneX) / 2, 0.0, kChargeZ};
}

Vec3 passageCentre(ValveSide side)
{
    return {kPassageBoxX, sideSign(side) * kPassageBoxY, kPassageBoxZ};
}

Vec3 passageMouth(ValveSide side)
{
    return {kPassageBoxX, sideSign(side) * (kPassageBoxY + kPassageBoxSize[1] / 2), kPassageBoxZ};
}
