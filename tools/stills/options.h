#pragma once
// The tool's command line: what to write and how the engine is shown. Pure: no display, no file.

#include <string>

#include "app/scene_state.h"
#include "model/cycle.h"

namespace stills {

constexpr int kUsageStatus = 2;
constexpr int kFailureStatus = 1;
constexpr const char* kProgram = "tarvex-stills";

enum class DocumentFormat { png, svg, pdf };

// By the extension, in any case; false when it is none of the three.
bool formatOf(const std::string& path, DocumentFormat* format);
// Whether the name ends in extension (".png", lower case), in any case, after something.
bool hasExtension(const std::string& path, const char* extension);

// screen: the program's own frame; print: a line drawing on white for paper, without texts.
enum class PictureStyle { screen, print };

// How the engine is shown: the program's own settings, its start values by default, the
// picture's size and its style.
struct ViewSettings {
    SceneSettings scene;
    int width = kStartWindowWidth;          // pixels
    int height = kStartWindowHeight;        // pixels
    PictureStyle style = PictureStyle::screen;
    bool overlay = true;                    // the program's texts over a screen frame
};

// The real cycle's distribution as textbooks give it: each event's advance or delay from its dead
// centre, in crank degrees. Drawn on the valve-timing circle only; the engine keeps its own cycle.
struct RealTiming {
    bool given = false;                     // any of them set: the circle shows the real cycle
    double intakeOpensBeforeTdc = 0.0;      // AOA
    double intakeClosesAfterBdc = 0.0;      // RFA
    double exhaustOpensBeforeBdc = 0.0;     // AOE
    double exhaustClosesAfterTdc = 0.0;     // RFE
    double sparkBeforeTdc = 0.0;            // AA
};

// What the p-V diagram needs that the model does not give.
struct PvSettings {
    double compressionRatio = 0.0;          // 0: the engine's own
    double pressureRise = 3.0;              // p3 / p2 of the combustion at constant volume
};

struct FigureSettings {
    RealTiming timing;
    PvSettings pv;
};

// A figure to write and its format, by the extension.
struct FigureFile {
    std::string path;
    DocumentFormat format = DocumentFormat::png;
};

struct Options {
    bool help = false;
    bool version = false;
    std::string output;                     // a still, PNG
    std::string timingCsv;                  // "-": standard output
    std::string timingPng;                  // the diagram as PNG, any name but another kind's
    std::string timing;                     // the diagram, PNG, SVG or PDF by the extension; "-": SVG
                                            // on standard output
    DocumentFormat timingFormat = DocumentFormat::png;
    std::string worksheet;                  // PDF
    std::string worksheetBlank;             // PDF, for exercises
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

    bool needsDisplay() const;
    bool writesFigures() const;
};

// Fills options from argv; returns "" or what is wrong with the first bad option.
std::string parseOptions(int argc, char** argv, Options* options);
const char* usageText();
std::string versionText();

}  // namespace stills
