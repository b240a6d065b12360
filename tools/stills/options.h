#pragma once
// The tool's command line: what to write and how the engine is shown. Pure: no display, no file.

#include <string>

#include "model/cycle.h"
#include "tools/stills/figures/figure_settings.h"
#include "tools/stills/output/document_format.h"
#include "tools/stills/pictures/view_settings.h"

namespace stills {

constexpr int kUsageStatus = 2;
constexpr int kFailureStatus = 1;

struct Options {
    bool help = false;
    bool version = false;
    std::string output;                     // a still, PNG
    std::string timingCsv;                  // "-": standard output
    std::string timingPng;                  // the diagram as PNG, any name but another kind's
    FigureFile timing;                      // the diagram, PNG, SVG or PDF by the extension; "-": SVG
                                            // on standard output
    std::string worksheet;                  // PDF
    std::string worksheetBlank;             // PDF, for exercises
    std::string worksheetKey;               // PDF, the exercise's answers
    int seed = 0;                           // the exercise's and the key's order of the strokes
    std::string animation;                  // GIF
    FigureFile valveCircle;
    FigureFile valveCircleBlank;            // for exercises: empty boxes for the answers
    FigureFile pv;
    FigureFile pvBlank;
    FigureSettings figures;
    int frames = 144;                       // frames of the animation's cycle: 5 degrees apart
    double angleDeg = 0.0;
    ViewSettings settings;
    bool styleGiven = false;                // --style was given: it applies to the worksheets too

    bool needsDisplay() const;              // a picture of the engine is written
};

struct OptionRow;
// What the option takes, as a refusal says it: "a count from 2 to 720".
std::string expectedValue(const OptionRow& row);

// Fills options from argv; returns "" or what is wrong with the first bad option.
std::string parseOptions(int argc, char** argv, Options* options);
const char* usageText();

}  // namespace stills
