// The figures' label placer: a text goes where its figure's judge finds nothing, one that would
// meet a placed text stays out, and one that fits nowhere is said and kept at its fallback.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "tools/stills/figures/label_placer.h"

using namespace stills;

namespace {

FigureText textAt(const std::string& words, double left, double top)
{
    FigureText t{};
    t.text = words;
    t.ink = {left, top, left + 20, top + 10};
    return t;
}

}  // namespace

TEST(LabelPlacer, TakesWhatItsJudgeClearsAndSaysWhatFitsNowhere)
{
    std::vector<FigureText> texts;
    LabelPlacer placer("the test figure", &texts, [](const FigureText& t, const std::vector<FigureText>& placed) {
        if (t.ink.left < 0) return Placement::outside;
        for (const FigureText& other : placed)
            if (overlap(t.ink, other.ink)) return Placement::onText;
        return Placement::taken;
    });
    EXPECT_EQ(placer.take(textAt("PMH", 0, 0)), Placement::taken);
    EXPECT_EQ(placer.take(textAt("PMB", 10, 5)), Placement::onText);
    EXPECT_EQ(placer.take(textAt("AOA", -5, 40)), Placement::outside);
    EXPECT_EQ(placer.take(textAt("RFA", 30, 0)), Placement::taken);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(placer.last().text, "RFA");

    testing::internal::CaptureStderr();
    placer.missing(textAt("AOE", 10, 5), textAt("AOE", 100, 100), " at 30 degrees");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "tarvex-stills: the test figure has no room for 'AOE' at 30 degrees\n");
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts.back().ink.left, 100);
}

TEST(LeaderLines, CrossOnlyWhereBothLinesPassEachOther)
{
    EXPECT_TRUE(leadersCross({{0, 0}, {10, 10}}, {{0, 10}, {10, 0}}));
    EXPECT_FALSE(leadersCross({{0, 0}, {10, 0}}, {{0, 5}, {10, 5}}));
    EXPECT_FALSE(leadersCross({{0, 0}, {10, 10}}, {{0, 10}, {4, 6}})) << "one stops short of the other";
    EXPECT_FALSE(leadersCross({{0, 0}, {10, 10}}, {{10, 10}, {20, 0}})) << "a shared end";
}

TEST(LeaderLines, AColumnStandsInTheOrderWhoseLinesCrossNone)
{
    // Labels on the edge x = 0, their points to the right: the higher point is the farther, so
    // that the points' own top-down order would cross the two lines once the labels are pushed
    // apart.
    const std::vector<ColumnLabel> labels = {{10, {100, 50}}, {10, {10, 45}}};
    const std::vector<double> tops = stackLeaderColumn(labels, 0, 0, 200, 3);
    ASSERT_EQ(tops.size(), 2u);
    EXPECT_GE(std::fabs(tops[0] - tops[1]), 13) << "the labels overlap";
    const LeaderLine far{{0, tops[0] + 5}, labels[0].to}, close{{0, tops[1] + 5}, labels[1].to};
    EXPECT_FALSE(leadersCross(far, close)) << tops[0] << " " << tops[1];
    // None past the foot, the whole column moved up from it.
    const std::vector<double> low = stackLeaderColumn({{10, {50, 195}}, {20, {50, 196}}}, 0, 0, 200, 3);
    for (size_t i = 0; i < low.size(); ++i) EXPECT_LE(low[i] + (i == 0 ? 10 : 20), 200);
    EXPECT_GE(std::min(low[0], low[1]), 0);
    // Where nothing is in the way, each label stands level with its point.
    const std::vector<double> level = stackLeaderColumn({{10, {50, 20}}, {10, {50, 60}}}, 0, 0, 200, 3);
    EXPECT_DOUBLE_EQ(level[0], 15);
    EXPECT_DOUBLE_EQ(level[1], 55);
    // A line given from elsewhere (the other column's) is crossed when another order avoids it:
    // here the label of the higher point must go under the other's to pass below that line.
    const LeaderLine given{{8, 0}, {8, 52}};
    const std::vector<ColumnLabel> around = {{10, {50, 40}}, {10, {10, 60}}};
    const std::vector<double> clear = stackLeaderColumn(around, 0, 0, 200, 3, {given});
    for (size_t i = 0; i < around.size(); ++i)
        EXPECT_FALSE(leadersCross({{0, clear[i] + 5}, around[i].to}, given)) << i;
    EXPECT_FALSE(leadersCross({{0, clear[0] + 5}, around[0].to}, {{0, clear[1] + 5}, around[1].to}));
}
