#include "tools/stills/output_plan.h"

#include <algorithm>

namespace stills {

namespace {

struct KindName {
    OutputKind kind;
    const char* extension;
    const char* what;
};

const KindName kKinds[] = {
    {OutputKind::png, ".png", "a PNG image"}, {OutputKind::gif, ".gif", "a GIF animation"},
    {OutputKind::pdf, ".pdf", "a PDF document"}, {OutputKind::svg, ".svg", "an SVG drawing"},
    {OutputKind::csv, ".csv", "a CSV table"},
};

const KindName& nameOf(OutputKind kind)
{
    for (const KindName& k : kKinds)
        if (k.kind == kind) return k;
    return kKinds[0];
}

// The kind the name's extension says, in any case; false when it says none of them.
bool kindOfName(const std::string& path, OutputKind* kind)
{
    for (const KindName& k : kKinds)
        if (hasExtension(path, k.extension)) {
            *kind = k.kind;
            return true;
        }
    return false;
}

OutputKind kindOf(DocumentFormat format)
{
    if (format == DocumentFormat::svg) return OutputKind::svg;
    return format == DocumentFormat::pdf ? OutputKind::pdf : OutputKind::png;
}

}  // namespace

std::vector<PlannedOutput> plannedOutputs(const Options& o)
{
    // The table's places are to write in; here they are only read.
    Options& options = const_cast<Options&>(o);
    std::vector<PlannedOutput> named;
    for (const OptionRow& row : optionTable()) {
        if (!row.writes) continue;
        PlannedOutput p{row.writes->what, row.name, "", row.writes->kind, row.writes->drawsEngine};
        if (row.kind == OptionKind::file) {
            p.path = *std::get<std::string* (*)(Options&)>(row.to)(options);
        } else {
            const FigureFile& figure = *std::get<FigureFile* (*)(Options&)>(row.to)(options);
            p.path = figure.path;
            p.kind = kindOf(figure.format);
        }
        if (!p.path.empty()) named.push_back(p);
    }
    std::stable_sort(named.begin(), named.end(),
                     [](const PlannedOutput& a, const PlannedOutput& b) { return a.what < b.what; });
    return named;
}

std::string namingProblem(const std::vector<PlannedOutput>& outputs)
{
    for (const PlannedOutput& p : outputs) {
        const std::string writes = std::string("--") + p.option + " writes " + nameOf(p.kind).what;
        if (p.path == "-" && p.kind != OutputKind::csv && p.kind != OutputKind::svg)
            return writes + ", which standard output ('-') does not take: only the CSV table "
                            "(--timing-csv -) and the SVG diagram (--timing -) are text";
        OutputKind named;
        if (kindOfName(p.path, &named) && named != p.kind)
            return writes + ", but '" + p.path + "' names " + nameOf(named).what + ": end the name in "
                   + nameOf(p.kind).extension;
    }
    return "";
}

std::string sameFileProblem(const std::vector<PlannedOutput>& outputs, const std::vector<const OutputTarget*>& targets)
{
    for (size_t i = 0; i < outputs.size(); ++i)
        for (size_t j = i + 1; j < outputs.size(); ++j)
            if (targets[i]->sameFileAs(*targets[j]))
                return "--" + std::string(outputs[i].option) + " '" + outputs[i].path + "' and --" + outputs[j].option
                       + " '" + outputs[j].path + "' name the same file: each output needs its own";
    return "";
}

}  // namespace stills
