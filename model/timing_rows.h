#pragma once
// The timing of one cycle, a degree a row, from the functions the frame itself draws with.

#include <vector>

#include "model/crank_kinematics.h"

struct TimingRow {
    int angleDeg;
    SliderCrank crank;
    double intake;                          // valve positions along x, model units
    double exhaust;
    bool spark;
    int stroke;                             // 1 to 4
};

std::vector<TimingRow> timingRows();        // 0 to 720 degrees, 721 rows
