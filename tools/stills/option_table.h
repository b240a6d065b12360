#pragma once
// Every option of the tool as one row: its name, the value it takes and where that goes, its
// range, its help and, for an output, what it writes. The parser, the usage text, the messages
// and the output plan all read this table, so that an option is added or changed in one place.

#include <optional>
#include <variant>
#include <vector>

#include "tools/stills/options.h"

namespace stills {

enum class OptionKind {
    flag,                                   // no value: --help, --version
    file,                                   // a file name
    figureFile,                             // a file name ending in .png, .svg or .pdf
    diagramFile,                            // the same, or "-": SVG on standard output
    onOff,
    count,                                  // a whole number in the range
    size,                                   // WIDTHxHEIGHT, each a whole number in the range
    number,                                 // a real number in the range
    view,                                   // one of the part groups' names
    style,                                  // one of the styles' names
};

// The outputs in the order they are written: the quick ones first, then those that need the display.
enum class Output {
    timingCsv, timingPng, timing, valveCircle, valveCircleBlank, pv, pvBlank, still, worksheet, worksheetBlank, worksheetKey,
    animation,
};
enum class OutputKind { png, gif, pdf, svg, csv };

struct OptionRange {
    double min = 0;
    double max = 0;
};

// Where the value goes: the kind says which of these the row holds.
using OptionDestination =
    std::variant<bool* (*)(Options&), int* (*)(Options&), double* (*)(Options&), std::string* (*)(Options&),
                 FigureFile* (*)(Options&), ViewMode* (*)(Options&), PictureStyle* (*)(Options&),
                 ViewSettings* (*)(Options&)>;

// What an output option writes: for a figure the kind is its file's format.
struct OptionOutput {
    Output what;
    OutputKind kind = OutputKind::png;
    bool drawsEngine = false;               // a picture of the engine: it needs the display
};

struct OptionRow {
    const char* name;                       // without its dashes
    char shortName;                         // 0: none
    const char* argument;                   // "FILE" in --output=FILE; nullptr for a flag
    OptionKind kind;
    OptionDestination to;
    bool* (*noted)(Options&);               // also set when the option is given; may be nullptr
    OptionRange range;                      // count, size and number
    const char* expected;                   // what a number is, as the range message names it
    std::optional<OptionOutput> writes;
    const char* heading;                    // the usage text before this option; may be nullptr
    const char* help;                       // lines broken by '\n'; nullptr: the next option's
};

const std::vector<OptionRow>& optionTable();
const char* usageHead();                    // before the first option
const char* usageTail();                    // after the last

}  // namespace stills
