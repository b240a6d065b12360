// The figures' label placer: a text goes where its figure's judge finds nothing, one that would
// meet a placed text stays out, and one that fits nowhere is said and kept at its fallback.

#include <gtest/gtest.h>

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
