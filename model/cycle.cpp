#include "model/cycle.h"

#include <cmath>

namespace {

constexpr double kSparkFromDeg = 350.0;     // both bounds excluded: ignition at 360
constexpr double kSparkToDeg = 370.0;
constexpr double kTellingAnglesDeg[kStrokeCount] = {90.0, 270.0, 365.0, 630.0};

// Each valve works over its own stroke: off its seat at the stroke's start, fully open half-way,
// back on its seat at the stroke's end.
constexpr double kTravelPerDegree = 0.015;  // model units of lift per crank degree: 1.35 in 90
constexpr int kIntakeStroke = 1;
constexpr int kExhaustStroke = 4;

}  // namespace

double wrapCrankAngle(double angleDeg)
{
    // One subtraction or addition of 720 is enough for an ordinary step; after a long stall at
    // a high speed the advance can span many cycles, and the valves, the stroke text and the
    // spark all read the angle, so it is brought fully back into the cycle here.
    if (angleDeg > kCycleDeg) {
        angleDeg = std::fmod(angleDeg, kCycleDeg);
        if (angleDeg == 0.0) angleDeg = kCycleDeg;      // 1440 comes back as 720, as 720 - 720 would not
    } else if (angleDeg < 0.0) {
        angleDeg = std::fmod(angleDeg, kCycleDeg) + kCycleDeg;
        if (angleDeg >= kCycleDeg) angleDeg = 0.0;      // a whole number of cycles back lands on 0
    }
    return angleDeg;
}

int strokeOf(double angleDeg)
{
    for (int stroke = kStrokeCount; stroke > 1; --stroke)
        if (angleDeg >= strokeStartDeg(stroke)) return stroke;
    return 1;
}

double strokeStartDeg(int stroke) { return (stroke - 1) * kStrokeDeg; }

double tellingAngleDeg(int stroke) { return kTellingAnglesDeg[stroke - 1]; }

AngleWindow sparkWindow() { return {kSparkFromDeg, kSparkToDeg}; }

bool sparkLit(double angleDeg) { return sparkWindow().contains(angleDeg); }

ValveEvents valveEvents(ValveSide side)
{
    const int stroke = side == ValveSide::intake ? kIntakeStroke : kExhaustStroke;
    const double opens = strokeStartDeg(stroke);
    return {opens, opens + kStrokeDeg / 2, opens + kStrokeDeg};
}

double valveLift(double angleDeg, ValveSide side)
{
    const ValveEvents e = valveEvents(side);
    if (angleDeg >= e.opensDeg && angleDeg < e.fullyOpenDeg)
        return kValveClosedX + kTravelPerDegree * (angleDeg - e.opensDeg);
    if (angleDeg >= e.fullyOpenDeg && angleDeg < e.closesDeg)
        return kValveOpenX - kTravelPerDegree * (angleDeg - e.fullyOpenDeg);
    return kValveClosedX;
}

AngleWindow passageWindow(ValveSide side)
{
    // The lift is linear, so the valve passes half its travel half-way through its rise and
    // again half-way through its fall.
    const ValveEvents e = valveEvents(side);
    return {(e.opensDeg + e.fullyOpenDeg) / 2, (e.fullyOpenDeg + e.closesDeg) / 2};
}
