// What the tool prints is French as a book prints it, and teaches the cycle as a petrol engine
// runs it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/stills/texts/printed_texts.h"

namespace {

std::vector<std::string> everyPrintedText()
{
    using namespace stills;
    std::vector<std::string> texts = {kBlankStrokeTitle, kExerciseInstructions, kDiagramExercise, kPartsListHeading,
                                      kSheetDocumentTitle, kExerciseDocumentTitle, kTimingDocumentTitle,
                                      kCircleDocumentTitle, kPvDocumentTitle, kCircleReal, kEventName,
                                      kEngineRatio, kChosenRatio, kAdiabatic, kIsochoric, kPressureRise,
                                      kIntakePressure, kPointPressure, kPressureToFind, kCircleCaption,
                                      kCircleExercise, kRealCircleCaption, kPvCaption, kPvExercise, kIntakeValve,
                                      kExhaustValve, kKeyHeading, kPictureAngle, kSummaryExercise, kSummaryPart,
                                      kIntakePipe, kExhaustPipe, kDiagramPageTitle, kDiagramPageTitleAdvanced, kCrankAngleAxis};
    for (const PupilField& field : kPupilFields) texts.push_back(field.name);
    for (const PageButtonText& b : {kPauseButton, kPreviousStrokeButton, kNextStrokeButton, kDegreeDownButton, kDegreeUpButton,
                                    kSlowerButton, kFasterButton, kResetSpeedButton, kEngineViewButton, kBlockViewButton, kCrankViewButton,
                                    kValvesViewButton, kGasButton, kBlockButton, kTexturesButton, kExplanationsButton, kHelpButton, kFullScreenButton})
        texts.push_back(b.name);
    for (int stroke = 1; stroke <= 4; ++stroke)
        for (const char* text : {printedStrokeTitle(stroke), printedStrokeShortTitle(stroke),
                                 printedStrokeExplanation(stroke)})
            texts.push_back(text);
    return texts;
}

}  // namespace

TEST(PrintedTexts, EveryHighPunctuationHasANoBreakSpaceBeforeItAndApostrophesAreTypographic)
{
    for (const std::string& text : everyPrintedText()) {
        for (char mark : {':', ';', '?', '!'})
            for (size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at + 1))
                EXPECT_TRUE(at >= 2 && text.compare(at - 2, 2, "\u00A0") == 0) << mark << " in " << text;
        EXPECT_EQ(text.find('\''), std::string::npos) << "a typewriter apostrophe in " << text;
    }
}

TEST(PrintedTexts, TheThirdStrokeIsCombustionAndExpansionAndTheSparkComesFirst)
{
    using namespace stills;
    for (int stroke = 1; stroke <= 4; ++stroke)
        for (const std::string title : {printedStrokeTitle(stroke), printedStrokeShortTitle(stroke)})
            EXPECT_EQ(title.find("xplosion"), std::string::npos) << title;
    EXPECT_EQ(std::string(printedStrokeTitle(3)), "Temps 3\u00A0: Combustion-détente (temps moteur)");
    EXPECT_EQ(std::string(printedStrokeShortTitle(3)), "Temps 3\u00A0: Combustion-détente");
    const std::string power = printedStrokeExplanation(3);
    ASSERT_NE(power.find("enflamme"), std::string::npos) << power;
    ASSERT_NE(power.find("combustion"), std::string::npos) << power;
    EXPECT_LT(power.find("étincelle"), power.find("enflamme")) << power;
    EXPECT_LT(power.find("enflamme"), power.find("combustion")) << power;
    EXPECT_NE(power.find("du PMH au PMB"), std::string::npos) << power;
    // A petrol engine breathes its mixture, not air; nothing explodes; the way the piston goes is
    // told from one dead centre to the other.
    EXPECT_NE(std::string(printedStrokeExplanation(1)).find("mélange air-essence"), std::string::npos);
    const char* ways[] = {"descend du PMH au PMB", "remonte du PMB au PMH", "du PMH au PMB", "remonte du PMB au PMH"};
    for (int stroke = 1; stroke <= 4; ++stroke) {
        const std::string text = printedStrokeExplanation(stroke);
        EXPECT_NE(text.find(ways[stroke - 1]), std::string::npos) << text;
        for (const char* wrong : {"l’air ou", "xplosion", "en bas du cylindre"})
            EXPECT_EQ(text.find(wrong), std::string::npos) << wrong << " in " << text;
    }
}
