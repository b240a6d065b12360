#pragma once
// The theoretical cycle (Beau de Rochas) over the engine's own volumes: intake and exhaust at
// atmospheric pressure, adiabatic compression and expansion, combustion and release at
// constant volume.

#include <vector>

// The gas: air's ratio of heat capacities, and the pressure the engine breathes at.
constexpr double kGamma = 1.4;
constexpr double kAtmosphereBar = 1.0;      // the textbooks' round atmospheric pressure

enum class PvPhase { intake, compression, combustion, expansion, release, exhaust };

struct PvState {
    double angleDeg;
    PvPhase phase;                          // the change this state ends
    double volume;                          // model units, cubed
    double pressure;                        // bar
};

// 0 to 720 degrees in order: a state a degree, and the ends of the two constant-volume changes.
// compressionRatio 0: the engine's own; otherwise the clearance that gives it, with the engine's
// stroke. pressureRise: p3 / p2 of the combustion.
std::vector<PvState> pvCycle(double compressionRatio, double pressureRise);
