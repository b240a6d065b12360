#include <gtest/gtest.h>

#include "model/cycle.h"

TEST(SparkWindow, StrictlyBetween350And370)
{
    EXPECT_FALSE(sparkLit(350.0));
    EXPECT_TRUE(sparkLit(350.5));
    EXPECT_TRUE(sparkLit(360.0));
    EXPECT_TRUE(sparkLit(369.5));
    EXPECT_FALSE(sparkLit(370.0));
    EXPECT_FALSE(sparkLit(10.0));
}

TEST(ValveLift, FollowsItsTableWithBoundsIncluded)
{
    struct Case {
        double angle;
        ValveSide side;
        double x;
    } cases[] = {
        {0, ValveSide::intake, 7.5},     {45, ValveSide::intake, 8.175},  {89.999, ValveSide::intake, 8.85},
        {90, ValveSide::intake, 8.85},   {135, ValveSide::intake, 8.175}, {180, ValveSide::intake, 7.5},
        {179.9, ValveSide::intake, 7.5015}, {360, ValveSide::intake, 7.5}, {720, ValveSide::intake, 7.5},
        {540, ValveSide::exhaust, 7.5},  {585, ValveSide::exhaust, 8.175}, {630, ValveSide::exhaust, 8.85},
        {675, ValveSide::exhaust, 8.175}, {720, ValveSide::exhaust, 7.5}, {539.9, ValveSide::exhaust, 7.5},
        {0, ValveSide::exhaust, 7.5},    {90, ValveSide::exhaust, 7.5},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(valveLift(c.angle, c.side), c.x, 1e-4)
            << (c.side == ValveSide::intake ? "intake" : "exhaust") << " at " << c.angle;
}

TEST(ValveLift, NeverBothOffTheirSeatAndClosedFrom180To540)
{
    for (double a = 0.0; a <= 720.0; a += 0.1) {
        const double in = valveLift(a, ValveSide::intake);
        const double ex = valveLift(a, ValveSide::exhaust);
        EXPECT_FALSE(in != kValveClosedX && ex != kValveClosedX) << "both open at " << a;
        EXPECT_GE(in, kValveClosedX);
        EXPECT_LE(in, kValveOpenX + 1e-12);
        EXPECT_GE(ex, kValveClosedX - 1e-12);
        EXPECT_LE(ex, kValveOpenX + 1e-12);
        if (a >= 180.0 && a <= 540.0) {
            EXPECT_EQ(in, kValveClosedX) << a;
            EXPECT_EQ(ex, kValveClosedX) << a;
        }
    }
}

TEST(CycleEvents, PassagesTellingAnglesAndValveEventsAgreeWithTheLaw)
{
    // The gas shows in a passage exactly while its valve stands beyond half its travel.
    const double halfTravel = (kValveOpenX + kValveClosedX) / 2;
    for (ValveSide side : {ValveSide::intake, ValveSide::exhaust})
        for (double a = 0.0; a <= 720.0; a += 0.25)
            EXPECT_EQ(passageWindow(side).contains(a), valveLift(a, side) > halfTravel + 1e-9) << a;
    EXPECT_DOUBLE_EQ(passageWindow(ValveSide::intake).fromDeg, 45.0);
    EXPECT_DOUBLE_EQ(passageWindow(ValveSide::exhaust).toDeg, 675.0);

    // Each telling angle lies in its stroke and shows what the stroke is known by.
    for (int stroke = 1; stroke <= kStrokeCount; ++stroke) EXPECT_EQ(strokeOf(tellingAngleDeg(stroke)), stroke);
    EXPECT_EQ(valveLift(tellingAngleDeg(1), ValveSide::intake), kValveOpenX);
    EXPECT_TRUE(sparkLit(tellingAngleDeg(3)));
    EXPECT_EQ(valveLift(tellingAngleDeg(4), ValveSide::exhaust), kValveOpenX);

    const ValveEvents exhaust = valveEvents(ValveSide::exhaust);
    EXPECT_DOUBLE_EQ(exhaust.opensDeg, 540.0);
    EXPECT_DOUBLE_EQ(exhaust.closesDeg, 720.0);
    EXPECT_DOUBLE_EQ(strokeStartDeg(4), 540.0);
}
