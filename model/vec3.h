#pragma once
// A point or a direction in the world frame, model units.

struct Vec3 {
    double x, y, z;
};
