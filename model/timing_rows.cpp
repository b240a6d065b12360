#include "model/timing_rows.h"

#include "model/cycle.h"

std::vector<TimingRow> timingRows()
{
    std::vector<TimingRow> rows;
    for (int a = 0; a <= static_cast<int>(kCycleDeg); ++a) {
        const double angle = a;
        rows.push_back({a, sliderCrank(angle, kCrankRadius, kRodLength),
                        valveLift(angle, ValveSide::intake), valveLift(angle, ValveSide::exhaust),
                        sparkLit(angle), strokeOf(angle)});
    }
    return rows;
}
