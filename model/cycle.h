#pragma once
// The four-stroke cycle's timing law, the one place that says what happens when: the cycle's
// length, the four strokes, the spark, the valves' events and lift, the gas in the passages, and
// the angle each stroke is best shown at. Crank degrees over one cycle of two turns; the valves'
// places in model units along world x. Pure functions: the frame, the overlay, the pictures and
// the diagrams all ask here.

constexpr double kCycleDeg = 720.0;         // one four-stroke cycle, two crank turns
constexpr double kStrokeDeg = 180.0;        // one stroke, half a crank turn
constexpr int kStrokeCount = 4;

// Brings any finite angle into [0, 720]; an exact 0 or 720 stays as it is.
double wrapCrankAngle(double angleDeg);

// An open interval of crank angles: both bounds excluded.
struct AngleWindow {
    double fromDeg;
    double toDeg;
    bool contains(double angleDeg) const { return angleDeg > fromDeg && angleDeg < toDeg; }
};

// 1 intake, 2 compression, 3 power, 4 exhaust, from 0 degrees on; a boundary angle belongs to
// the later stroke, and 720 to the exhaust.
int strokeOf(double angleDeg);
double strokeStartDeg(int stroke);          // stroke 1 to 4
// The angle a stroke is shown at, on paper and by the stroke keys: the intake valve wide open,
// both valves shut in mid compression, the spark burning, the exhaust valve wide open.
double tellingAngleDeg(int stroke);         // stroke 1 to 4

// Ignition at the top of the compression stroke: the spark burns for 20 degrees around 360.
AngleWindow sparkWindow();
bool sparkLit(double angleDeg);

enum class ValveSide { intake, exhaust };

constexpr double kValveClosedX = 7.5;       // model units, the seat
constexpr double kValveOpenX = 8.85;        // fully open, half-way through its stroke

// Each valve leaves its seat at opensDeg, is fully open at fullyOpenDeg and back on its seat at
// closesDeg, in its own stroke.
struct ValveEvents {
    double opensDeg;
    double fullyOpenDeg;
    double closesDeg;
};
ValveEvents valveEvents(ValveSide side);
// The valve's place along x: a linear rise to full lift and the same fall back.
double valveLift(double angleDeg, ValveSide side);
// Gas shows in a valve's passage while the valve stands beyond half its travel.
AngleWindow passageWindow(ValveSide side);
