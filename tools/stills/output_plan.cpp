#include "tools/stills/output_plan.h"

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
    const PlannedOutput all[] = {
        {Output::timingCsv, "timing-csv", o.timingCsv, OutputKind::csv},
        {Output::timingPng, "timing-png", o.timingPng, OutputKind::png},
        {Output::timing, "timing", o.timing, kindOf(o.timingFormat)},
        {Output::valveCircle, "valve-circle", o.valveCircle.path, kindOf(o.valveCircle.format)},
        {Output::valveCircleBlank, "valve-circle-blank", o.valveCircleBlank.path, kindOf(o.valveCircleBlank.format)},
        {Output::pv, "pv", o.pv.path, kindOf(o.pv.format)},
        {Output::pvBlank, "pv-blank", o.pvBlank.path, kindOf(o.pvBlank.format)},
        {Output::still, "output", o.output, OutputKind::png},
        {Output::worksheet, "worksheet", o.worksheet, OutputKind::pdf},
        {Output::worksheetBlank, "worksheet-blank", o.worksheetBlank, OutputKind::pdf},
        {Output::animation, "animation", o.animation, OutputKind::gif},
    };
    std::vector<PlannedOutput> named;
    for (const PlannedOutput& p : all)
        if (!p.path.empty()) named.push_back(p);
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
