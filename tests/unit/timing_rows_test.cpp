#include "model/timing_rows.h"

#include <gtest/gtest.h>

#include "model/cycle.h"

TEST(TimingRows, ADegreeARowOverOneCycleFromTheCycleItself)
{
    const std::vector<TimingRow> rows = timingRows();
    ASSERT_EQ(rows.size(), 721u);
    for (const TimingRow& r : rows) {
        EXPECT_EQ(r.stroke, strokeOf(r.angleDeg));
        EXPECT_EQ(r.spark, sparkLit(r.angleDeg));
        EXPECT_DOUBLE_EQ(r.intake, valveLift(r.angleDeg, ValveSide::intake));
    }
    EXPECT_EQ(rows.back().angleDeg, 720);
}
