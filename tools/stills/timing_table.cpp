#include "tools/stills/timing_table.h"

#include <cstdio>

#include "model/cycle.h"
#include "render/overlay.h"

namespace stills {

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

namespace {

// A field quoted when it holds a comma, a quote or a line break.
std::string csvField(const std::string& text)
{
    if (text.find_first_of(",\"\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

}  // namespace

std::string timingCsv()
{
    std::string text = "angle,piston_x,rod_angle_deg,intake_lift,exhaust_lift,spark,stroke\n";
    char line[200];
    for (const TimingRow& r : timingRows()) {
        std::snprintf(line, sizeof line, "%d,%.6f,%.6f,%.6f,%.6f,%d,", r.angleDeg, r.crank.pistonX,
                      r.crank.rodAngleDeg, r.intake, r.exhaust, r.spark ? 1 : 0);
        text += line;
        text += csvField(strokeTitle(r.stroke));
        text += '\n';
    }
    return text;
}

}  // namespace stills
