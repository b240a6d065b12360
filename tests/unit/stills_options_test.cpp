// The options table read by the parser, the messages, the usage text and the output plan: each
// option's range as the parser keeps it, as its refusal says it and as its help says it.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tools/stills/option_table.h"
#include "tools/stills/options.h"
#include "tools/stills/output_plan.h"

using namespace stills;

namespace {

std::string parsed(std::vector<std::string> args, Options* options)
{
    args.insert(args.begin(), "tarvex-stills");
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    return parseOptions(static_cast<int>(args.size()), argv.data(), options);
}

std::string parsed(const std::vector<std::string>& args)
{
    Options options;
    return parsed(args, &options);
}

std::string number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

// The help an option shares with the options after it that have none of their own.
std::string helpOf(const OptionRow& row)
{
    const std::vector<OptionRow>& table = optionTable();
    for (size_t i = &row - table.data(); i < table.size(); ++i)
        if (table[i].help != nullptr) return table[i].help;
    return "";
}

// A figure's kind is its file's: PNG by default.
const char* extensionOf(OutputKind kind)
{
    switch (kind) {
    case OutputKind::gif: return ".gif";
    case OutputKind::pdf: return ".pdf";
    case OutputKind::csv: return ".csv";
    default: return ".png";
    }
}

bool ranged(const OptionRow& row)
{
    return row.kind == OptionKind::count || row.kind == OptionKind::number || row.kind == OptionKind::size;
}

std::string valueOf(const OptionRow& row, double v)
{
    return row.kind == OptionKind::size ? number(v) + "x" + number(v) : number(v);
}

}  // namespace

TEST(StillsOptionTable, EachRangeIsTakenToItsEndsAndRefusedPastThemInTheWordsOfItsHelp)
{
    const std::vector<std::string> somethingToWrite = {"--timing-csv", "-"};
    for (const OptionRow& row : optionTable()) {
        if (!ranged(row)) continue;
        const std::string name = std::string("--") + row.name;
        const std::string range = number(row.range.min) + " to " + number(row.range.max);
        EXPECT_NE(expectedValue(row).find(range), std::string::npos) << name << ": " << expectedValue(row);
        EXPECT_NE(helpOf(row).find(range), std::string::npos) << name << "'s help lacks " << range;
        const double step = row.kind == OptionKind::number ? 0.5 : 1.0;
        for (const double inside : {row.range.min, row.range.max}) {
            std::vector<std::string> args = somethingToWrite;
            args.insert(args.end(), {name, valueOf(row, inside)});
            EXPECT_EQ(parsed(args), "") << name << " " << valueOf(row, inside);
        }
        for (const double outside : {row.range.min - step, row.range.max + step}) {
            std::vector<std::string> args = somethingToWrite;
            args.insert(args.end(), {name, valueOf(row, outside)});
            EXPECT_EQ(parsed(args), "bad value '" + valueOf(row, outside) + "' for " + name + ": expected "
                                        + expectedValue(row));
        }
    }
}

TEST(StillsOptionTable, EveryOptionTakesAValueOfItsKindIntoItsPlace)
{
    for (const OptionRow& row : optionTable()) {
        const std::string name = std::string("--") + row.name;
        std::vector<std::string> args = {name};
        switch (row.kind) {
        case OptionKind::flag: break;
        case OptionKind::file: args.push_back(std::string("x") + extensionOf(row.writes->kind)); break;
        case OptionKind::figureFile:
        case OptionKind::diagramFile: args.push_back("x.svg"); break;
        case OptionKind::onOff: args.push_back("off"); break;
        case OptionKind::view: args.push_back("valves"); break;
        case OptionKind::style: args.push_back("print"); break;
        default: args.push_back(valueOf(row, row.range.max)); break;
        }
        if (!row.writes && row.kind != OptionKind::flag) args.insert(args.end(), {"--timing-csv", "-"});
        Options options;
        EXPECT_EQ(parsed(args, &options), "") << name;
        switch (row.kind) {
        case OptionKind::flag: EXPECT_TRUE(*std::get<bool* (*)(Options&)>(row.to)(options)) << name; break;
        case OptionKind::onOff: EXPECT_FALSE(*std::get<bool* (*)(Options&)>(row.to)(options)) << name; break;
        case OptionKind::number:
            EXPECT_EQ(*std::get<double* (*)(Options&)>(row.to)(options), row.range.max) << name;
            break;
        case OptionKind::view: EXPECT_EQ(options.settings.scene.viewMode, VIEW_VALVES); break;
        case OptionKind::style: EXPECT_EQ(options.settings.style, PictureStyle::print); break;
        default: break;
        }
    }
}

TEST(StillsOptionTable, EveryOutputIsPlannedInTheOrderWrittenAndNamedWhenNoneIsGiven)
{
    std::vector<std::string> args;
    size_t outputs = 0;
    for (const OptionRow& row : optionTable()) {
        if (!row.writes) continue;
        ++outputs;
        args.push_back(std::string("--") + row.name + "=" + row.name + extensionOf(row.writes->kind));
    }
    Options options;
    ASSERT_EQ(parsed(args, &options), "");
    const std::vector<PlannedOutput> planned = plannedOutputs(options);
    ASSERT_EQ(planned.size(), outputs);
    for (size_t i = 0; i < planned.size(); ++i) {
        EXPECT_EQ(planned[i].path.rfind(planned[i].option, 0), 0u) << planned[i].path;
        if (i > 0) {
            EXPECT_LT(planned[i - 1].what, planned[i].what) << planned[i].option;
        }
    }
    EXPECT_TRUE(options.needsDisplay());

    const std::string nothing = parsed({"--angle", "90"});
    for (const OptionRow& row : optionTable())
        if (row.writes) {
            EXPECT_NE(nothing.find(std::string("--") + row.name), std::string::npos) << nothing;
        }
}
