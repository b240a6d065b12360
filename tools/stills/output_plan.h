#pragma once
// The files a run writes, one for each output option given, in the order they are written, and what
// is checked of them before anything is drawn: a name must not say another kind than the one
// written under it (a GIF named .png), "-" (standard output) takes the text kinds only, and no
// file may be named for two outputs.

#include <string>
#include <vector>

#include "tools/stills/option_table.h"
#include "tools/stills/options.h"
#include "tools/stills/output/output_target.h"

namespace stills {

struct PlannedOutput {
    Output what;
    const char* option;                     // without its dashes
    std::string path;
    OutputKind kind;
    bool drawsEngine;                       // it needs the display
};

std::vector<PlannedOutput> plannedOutputs(const Options& options);
// Pure: "" or what is wrong with the names alone.
std::string namingProblem(const std::vector<PlannedOutput>& outputs);
// "" or which two outputs name one file; targets[i] is where outputs[i] is written.
std::string sameFileProblem(const std::vector<PlannedOutput>& outputs, const std::vector<const OutputTarget*>& targets);

}  // namespace stills
