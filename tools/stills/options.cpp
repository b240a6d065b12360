#include "tools/stills/options.h"

#include <getopt.h>

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <vector>

#include "tools/stills/option_table.h"
#include "tools/stills/output_plan.h"

namespace stills {

namespace {

constexpr const char* kStandardOutput = "-";
constexpr int kFirstLongId = 256;           // getopt's ids of options without a short name: past every char
constexpr size_t kHelpColumn = 30;          // characters: where the usage text's help starts
constexpr size_t kHelpGap = 2;              // characters at least between an option and its help
constexpr size_t kLineWidth = 80;           // characters: a help that does not fit starts below

template <typename Value>
struct Named {
    const char* word;
    Value value;
};
const Named<ViewMode> kViews[] = {
    {"engine", VIEW_ENGINE}, {"block", VIEW_BLOCK}, {"crank", VIEW_CRANK}, {"valves", VIEW_VALVES},
};
const Named<PictureStyle> kStyles[] = {{"print", PictureStyle::print}, {"screen", PictureStyle::screen}};

// "a, b or c".
std::string listed(const std::vector<std::string>& words)
{
    std::string text;
    for (size_t i = 0; i < words.size(); ++i)
        text += (i == 0 ? "" : i + 1 == words.size() ? " or " : ", ") + words[i];
    return text;
}

template <typename Names>
std::string wordsOf(const Names& names)
{
    std::vector<std::string> words;
    for (const auto& n : names) words.push_back(n.word);
    return listed(words);
}

std::string rangeText(const OptionRange& range)
{
    char text[64];
    std::snprintf(text, sizeof text, "%g to %g", range.min, range.max);
    return text;
}

int idOf(const OptionRow& row)
{
    return row.shortName != 0 ? row.shortName : kFirstLongId + static_cast<int>(&row - optionTable().data());
}

const OptionRow* rowOf(int id)
{
    for (const OptionRow& row : optionTable())
        if (idOf(row) == id) return &row;
    return nullptr;
}

const std::vector<option>& longOptions()
{
    static const std::vector<option> options = [] {
        std::vector<option> list;
        for (const OptionRow& row : optionTable())
            list.push_back({row.name, row.argument != nullptr ? required_argument : no_argument, nullptr, idOf(row)});
        list.push_back({nullptr, 0, nullptr, 0});
        return list;
    }();
    return options;
}

std::string shortOptions()
{
    std::string text = ":";                 // ':' for a missing value, not '?'
    for (const OptionRow& row : optionTable())
        if (row.shortName != 0) text += std::string(1, row.shortName) + (row.argument != nullptr ? ":" : "");
    return text;
}

bool parseSwitch(const std::string& value, bool* out)
{
    if (value == "on") { *out = true; return true; }
    if (value == "off") { *out = false; return true; }
    return false;
}

bool parseCount(const std::string& text, const OptionRange& range, int* out)
{
    if (text.empty() || text[0] == '-' || text[0] == '+') return false;
    errno = 0;
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || v > range.max || v < range.min) return false;
    *out = static_cast<int>(v);
    return true;
}

bool parseSize(const std::string& text, const OptionRange& range, ViewSettings* out)
{
    const size_t x = text.find('x');
    if (x == std::string::npos) return false;
    return parseCount(text.substr(0, x), range, &out->width) && parseCount(text.substr(x + 1), range, &out->height);
}

bool parseNumber(const std::string& text, const OptionRange& range, double* out)
{
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (errno != 0 || *end != '\0' || !std::isfinite(v) || v < range.min || v > range.max || v < range.min) return false;
    *out = v;
    return true;
}

template <typename Value, size_t count>
bool parseWord(const std::string& text, const Named<Value> (&names)[count], Value* out)
{
    for (const Named<Value>& n : names)
        if (text == n.word) {
            *out = n.value;
            return true;
        }
    return false;
}

bool parseFigureFile(const std::string& text, bool standardOutput, FigureFile* out)
{
    out->path = text;
    if (standardOutput && text == kStandardOutput) {
        out->format = DocumentFormat::svg;
        return true;
    }
    return formatOf(text, &out->format);
}

template <typename Value>
Value* to(const OptionRow& row, Options* o)
{
    return std::get<Value* (*)(Options&)>(row.to)(*o);
}

// Takes one option's value; false when it is not one the option takes.
bool takeValue(const OptionRow& row, const std::string& v, Options* o)
{
    if (row.noted != nullptr) *row.noted(*o) = true;
    switch (row.kind) {
    case OptionKind::flag: *to<bool>(row, o) = true; return true;
    case OptionKind::file: *to<std::string>(row, o) = v; return !v.empty();
    case OptionKind::figureFile: return parseFigureFile(v, false, to<FigureFile>(row, o));
    case OptionKind::diagramFile: return parseFigureFile(v, true, to<FigureFile>(row, o));
    case OptionKind::onOff: return parseSwitch(v, to<bool>(row, o));
    case OptionKind::count: return parseCount(v, row.range, to<int>(row, o));
    case OptionKind::size: return parseSize(v, row.range, to<ViewSettings>(row, o));
    case OptionKind::number: return parseNumber(v, row.range, to<double>(row, o));
    case OptionKind::view: return parseWord(v, kViews, to<ViewMode>(row, o));
    case OptionKind::style: return parseWord(v, kStyles, to<PictureStyle>(row, o));
    }
    return false;
}

const char* optionName(int id)
{
    const OptionRow* row = rowOf(id);
    return row != nullptr ? row->name : "?";
}

// What is wrong with an argument getopt refused: an unknown option, or the start of several.
std::string refusedOption(const std::string& argument)
{
    const std::string start = argument.substr(0, argument.find('='));
    std::string candidates;
    int count = 0;
    for (const OptionRow& o : optionTable())
        if (start.size() > 2 && start.compare(0, 2, "--") == 0
            && std::string(o.name).compare(0, start.size() - 2, start, 2) == 0) {
            candidates += (count++ == 0 ? "--" : ", --") + std::string(o.name);
        }
    if (count > 1) return "ambiguous option '" + start + "': it could be " + candidates;
    return "unknown option '" + argument + "'";
}

// The help of one option (or of a run of them that share it), starting at the help column.
void addHelp(const std::string& entry, const std::string& help, std::string* text)
{
    const std::string firstLine = help.substr(0, help.find('\n'));
    const std::string indent(kHelpColumn, ' ');
    *text += entry;
    if (entry.size() + kHelpGap <= kHelpColumn) *text += std::string(kHelpColumn - entry.size(), ' ');
    else if (entry.size() + kHelpGap + firstLine.size() <= kLineWidth) *text += std::string(kHelpGap, ' ');
    else *text += "\n" + indent;
    for (const char c : help) *text += c == '\n' ? "\n" + indent : std::string(1, c);
    *text += "\n";
}

std::string composedUsage()
{
    std::string text = usageHead();
    std::string entry;
    for (const OptionRow& row : optionTable()) {
        if (row.heading != nullptr) text += row.heading;
        if (entry.empty()) entry = row.shortName != 0 ? std::string("  -") + row.shortName + ", " : "      ";
        else entry += " ";
        entry += std::string("--") + row.name + (row.argument != nullptr ? std::string("=") + row.argument : "");
        if (row.help == nullptr) continue;
        addHelp(entry, row.help, &text);
        entry.clear();
    }
    return text + usageTail();
}

std::string nothingToWrite()
{
    std::vector<std::string> outputs;
    for (const OptionRow& row : optionTable())
        if (row.writes) outputs.push_back(std::string("--") + row.name);
    return "nothing to write: give " + listed(outputs);
}

}  // namespace

std::string expectedValue(const OptionRow& row)
{
    constexpr const char* kFigureName = "a file name ending in .png, .svg or .pdf";
    switch (row.kind) {
    case OptionKind::flag: return "nothing";
    case OptionKind::file: return "a file name";
    case OptionKind::figureFile: return kFigureName;
    case OptionKind::diagramFile: return std::string(kFigureName) + ", or " + kStandardOutput;
    case OptionKind::onOff: return "on or off";
    case OptionKind::count:
    case OptionKind::number: return std::string(row.expected) + " from " + rangeText(row.range);
    case OptionKind::size: return "WIDTHxHEIGHT, each " + rangeText(row.range) + " pixels";
    case OptionKind::view: return wordsOf(kViews);
    case OptionKind::style: return wordsOf(kStyles);
    }
    return "";
}

bool Options::needsDisplay() const
{
    for (const PlannedOutput& p : plannedOutputs(*this))
        if (p.drawsEngine) return true;
    return false;
}

std::string parseOptions(int argc, char** argv, Options* o)
{
    opterr = 0;                             // the messages below name the option and its value
    optind = 0;                             // 0: getopt starts afresh, the GNU way
    const std::string shortNames = shortOptions();
    for (;;) {
        const int id = getopt_long(argc, argv, shortNames.c_str(), longOptions().data(), nullptr);
        if (id == -1) break;
        if (id == ':') return std::string("option --") + optionName(optopt) + " needs a value";
        const OptionRow* row = rowOf(id);
        if (row == nullptr) {
            if (optopt != 0) return std::string("unknown option '-") + static_cast<char>(optopt) + "'";
            return refusedOption(argv[optind - 1]);
        }
        const std::string value = optarg != nullptr ? optarg : "";
        if (!takeValue(*row, value, o))
            return "bad value '" + value + "' for --" + row->name + ": expected " + expectedValue(*row);
    }
    if (optind < argc) return std::string("unexpected argument '") + argv[optind] + "'";
    if (!o->help && !o->version && plannedOutputs(*o).empty()) return nothingToWrite();
    return namingProblem(plannedOutputs(*o));
}

const char* usageText()
{
    static const std::string text = composedUsage();
    return text.c_str();
}

}  // namespace stills
