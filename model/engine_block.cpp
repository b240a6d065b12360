#include "model/engine_block.h"

Vec3 sparkPlugTip() { return {kPlugBaseX - kPlugLength, 0.0, 0.0}; }

Vec3 cylinderWallPoint()
{
    return {kBarrelHeadX - kBarrelHeadGap - kBoreLength / 2, -(kBoreRadius + kBarrelOuterRadius) / 2, 0.0};
}
