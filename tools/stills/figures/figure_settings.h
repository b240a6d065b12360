#pragma once
// What the figures are drawn for that the model does not give, and a figure's file.

#include <string>

#include "tools/stills/output/document_format.h"

namespace stills {

// The real cycle's distribution as textbooks give it: each event's advance or delay from its dead
// centre, in crank degrees. Drawn on the valve-timing circle only; the engine keeps its own cycle.
struct RealTiming {
    bool given = false;                     // any of them set: the circle shows the real cycle
    double intakeOpensBeforeTdc = 0.0;      // AOA
    double intakeClosesAfterBdc = 0.0;      // RFA
    double exhaustOpensBeforeBdc = 0.0;     // AOE
    double exhaustClosesAfterTdc = 0.0;     // RFE
    double sparkBeforeTdc = 0.0;            // AA
};

// A petrol engine's compression ratio (they run from 8 to 12): the p-V diagram's by default, so
// that its pressures are a sound engine's. The animated engine's own, about 3.6, is drawn to be
// seen, not to be measured, and stays the program's.
constexpr double kPetrolCompressionRatio = 9.5;

// What the p-V diagram needs that the model does not give.
struct PvSettings {
    double compressionRatio = kPetrolCompressionRatio;   // 0: the engine's own
    double pressureRise = 3.0;              // p3 / p2 of the combustion at constant volume
};

struct FigureSettings {
    RealTiming timing;
    PvSettings pv;
};

// A figure to write and its format, by the extension.
struct FigureFile {
    std::string path;
    DocumentFormat format = DocumentFormat::png;
};

}  // namespace stills
