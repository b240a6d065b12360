// What the tool prints is French as a book prints it: a no-break space before every colon.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/stills/texts/printed_texts.h"

TEST(PrintedTexts, EveryColonHasANoBreakSpaceBeforeIt)
{
    using namespace stills;
    std::vector<std::string> texts = {kPupilName, kBlankStrokeTitle, kExerciseInstructions, kPartsListHeading,
                                      kSheetDocumentTitle, kExerciseDocumentTitle, kTimingDocumentTitle,
                                      kCircleDocumentTitle, kPvDocumentTitle, kCircleReal, kEventName,
                                      kEngineRatio, kChosenRatio, kAdiabatic, kIntakePressure, kCircleCaption,
                                      kPvCaption};
    for (int stroke = 1; stroke <= 4; ++stroke)
        for (const char* text : {stills::printedStrokeTitle(stroke), stills::printedStrokeShortTitle(stroke),
                                 stills::printedStrokeExplanation(stroke)})
            texts.push_back(text);
    for (const std::string& text : texts)
        for (size_t colon = text.find(':'); colon != std::string::npos; colon = text.find(':', colon + 1))
            EXPECT_TRUE(colon >= 2 && text.compare(colon - 2, 2, "\u00A0") == 0) << text;
}
