#include "model/pv_cycle.h"

#include <cmath>

#include "model/cycle.h"
#include "model/cylinder.h"

std::vector<PvState> pvCycle(double compressionRatio, double pressureRise)
{
    // The engine's stroke and bore; its clearance volume, or the one that gives the chosen ratio.
    const double tdc = topDeadCentreVolume();
    const double swept = bottomDeadCentreVolume() - tdc;
    const double clearance = compressionRatio > 0.0 ? swept / (compressionRatio - 1.0) : tdc;
    const double compressionStarts = strokeStartDeg(2), powerStarts = strokeStartDeg(3);
    const double exhaustStarts = strokeStartDeg(4);
    const double v1 = clearance + cylinderVolume(compressionStarts) - tdc;
    const double v3 = clearance + cylinderVolume(powerStarts) - tdc;
    const double p2 = kAtmosphereBar * std::pow(v1 / v3, kGamma);
    const double p3 = pressureRise * p2;

    std::vector<PvState> loop;
    for (int a = 0; a <= static_cast<int>(kCycleDeg); ++a) {
        const double v = clearance + cylinderVolume(a) - tdc;
        if (a <= compressionStarts) {
            loop.push_back({double(a), PvPhase::intake, v, kAtmosphereBar});
        } else if (a <= powerStarts) {
            loop.push_back({double(a), PvPhase::compression, v, kAtmosphereBar * std::pow(v1 / v, kGamma)});
            if (a == powerStarts) loop.push_back({double(a), PvPhase::combustion, v, p3});
        } else if (a <= exhaustStarts) {
            loop.push_back({double(a), PvPhase::expansion, v, p3 * std::pow(v3 / v, kGamma)});
            if (a == exhaustStarts) loop.push_back({double(a), PvPhase::release, v, kAtmosphereBar});
        } else {
            loop.push_back({double(a), PvPhase::exhaust, v, kAtmosphereBar});
        }
    }
    return loop;
}
