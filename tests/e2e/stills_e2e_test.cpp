// The stills tool run as a user runs it: its options, its files, and the pictures it draws.

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <png.h>

#include <gif_lib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "render/overlay.h"
#include "tests/support/image_region.h"
#include "tests/support/program.h"
#include "tests/support/temp_dir.h"

using testx::Image;
using testx::Program;
using testx::countDifferentIn;
using testx::run;

namespace {

constexpr int kRunTimeoutMs = 20000;        // one still on the software renderer takes < 1 s

struct Result {
    int exitCode = -1;                      // -1: did not end in time or was killed
    std::string errors;
    std::string output;
};

Result runStills(const std::vector<std::string>& args, const std::vector<std::string>& env = {})
{
    std::vector<std::string> argv{TARVEX_STILLS};
    argv.insert(argv.end(), args.begin(), args.end());
    Program program(argv, TARVEX_BUILD_DIR, env);
    Result result;
    const int status = program.waitExit(kRunTimeoutMs);
    if (status != -1 && WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
    result.errors = program.errors();
    result.output = program.output();
    return result;
}

bool exists(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

// A test's own folder, removed with everything in it at the test's end; dir + "/name" names a
// file in it.
struct Scratch : testx::TempDir {
    Scratch() : TempDir("tarvex-stills"), dir(path()) {}
    std::string operator+(const std::string& name) const { return dir + name; }
    std::string dir;
};

// What a poppler tool prints about a file, its whitespace collapsed to single spaces.
std::string popplerSays(const std::string& command)
{
    std::string out, collapsed;
    EXPECT_EQ(run(command, 20, &out), 0) << command;
    for (char c : out)
        if (!std::isspace(static_cast<unsigned char>(c))) collapsed += c;
        else if (!collapsed.empty() && collapsed.back() != ' ') collapsed += ' ';
    return collapsed;
}

// The Xvfb servers the tool started for itself that are still running.
int privateServers()
{
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        std::ifstream in(entry.path() / "cmdline");
        std::string cmdline;
        std::getline(in, cmdline);
        count += cmdline.rfind("Xvfb", 0) == 0 && cmdline.find("-displayfd") != std::string::npos;
    }
    return count;
}

// Reads an 8-bit RGB PNG; false (and a reason) when it is anything else.
bool readPng(const std::string& path, Image* image, std::string* why)
{
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str())) {
        *why = png.message;
        return false;
    }
    png.format = PNG_FORMAT_RGB;
    image->width = static_cast<int>(png.width);
    image->height = static_cast<int>(png.height);
    image->rgb.assign(PNG_IMAGE_SIZE(png), 0);
    if (!png_image_finish_read(&png, nullptr, image->rgb.data(), 0, nullptr)) {
        *why = png.message;
        return false;
    }
    return true;
}

// A still at the given angle with the texts off, so only the engine's own pixels change.
Image still(const Scratch& dir, const std::string& angle, std::vector<std::string> extra = {})
{
    const std::string path = dir + ("/angle-" + angle + ".png");
    std::vector<std::string> args{"--angle", angle, "--output", path, "--help-screen", "off",
                                  "--explanations", "off"};
    args.insert(args.end(), extra.begin(), extra.end());
    const Result r = runStills(args);
    Image image;
    std::string why;
    EXPECT_EQ(r.exitCode, 0) << r.errors;
    EXPECT_TRUE(readPng(path, &image, &why)) << path << ": " << why;
    return image;
}

std::vector<std::string> splitCsv(const std::string& line)
{
    std::vector<std::string> fields;
    std::stringstream in(line);
    std::string field;
    while (std::getline(in, field, ',')) fields.push_back(field);
    return fields;
}

}  // namespace

TEST(StillsOptions, BadOptionsAndValuesAreRefusedWithStatusTwoAndAMessage)
{
    const Scratch dir;
    const std::string out = dir + "/never.png";
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const Case cases[] = {
        {{"--bogus", "--output", out}, "unknown option '--bogus'"},
        {{"--angle", "721", "--output", out}, "bad value '721' for --angle"},
        {{"--angle", "-1", "--output", out}, "bad value '-1' for --angle"},
        {{"--angle", "ninety", "--output", out}, "bad value 'ninety' for --angle"},
        {{"--angle", "nan", "--output", out}, "bad value 'nan' for --angle"},
        {{"--view", "piston", "--output", out}, "bad value 'piston' for --view"},
        {{"--size", "800", "--output", out}, "bad value '800' for --size"},
        {{"--size", "8x600", "--output", out}, "bad value '8x600' for --size"},
        {{"--size", "800x-600", "--output", out}, "bad value '800x-600' for --size"},
        {{"--size", "99999x600", "--output", out}, "bad value '99999x600' for --size"},
        {{"--gas", "yes", "--output", out}, "bad value 'yes' for --gas"},
        {{"--textures=maybe", "--output", out}, "bad value 'maybe' for --textures"},
        {{"--output", out, "--angle"}, "option --angle needs a value"},
        {{"--angle", "90"}, "nothing to write"},
        {{"--timing", dir + "/t.jpg"}, "ending in .png, .svg or .pdf"},
        {{"--frames", "1", "--animation", out}, "bad value '1' for --frames"},
        {{"--output", out, "stray"}, "unexpected argument 'stray'"},
        {{"--aoa", "91", "--valve-circle", out}, "bad value '91' for --aoa"},
        {{"--compression-ratio", "2", "--pv", out}, "bad value '2' for --compression-ratio"},
        {{"--pv-blank", dir + "/p.jpg"}, "ending in .png, .svg or .pdf"},
        // GLUT's own options are not this tool's.
        {{"-display", ":0", "--output", out}, "unknown option '-d'"},
    };
    for (const Case& c : cases) {
        std::string joined;
        for (const std::string& a : c.args) joined += a + " ";
        const Result r = runStills(c.args);
        EXPECT_EQ(r.exitCode, 2) << joined;
        EXPECT_NE(r.errors.find(c.message), std::string::npos) << joined << "said: " << r.errors;
        EXPECT_NE(r.errors.find("--help"), std::string::npos) << joined << "said: " << r.errors;
    }
    EXPECT_FALSE(exists(out));
}

TEST(StillsOptions, HelpNamesEveryOptionAndTheDefaults)
{
    const Result r = runStills({"--help"});
    ASSERT_EQ(r.exitCode, 0) << r.errors;
    for (const char* option : {"--angle", "--view", "--size", "--output", "--help-screen",
                               "--explanations", "--gas", "--block", "--textures", "--timing-csv",
                               "--timing-png", "--timing=", "--worksheet=", "--worksheet-blank=",
                               "--animation=", "--frames=", "--version", "800x600", "0 to 720",
                               "--valve-circle=", "--valve-circle-blank=", "--pv=", "--pv-blank=", "--aoa=",
                               "--rfa=", "--aoe=", "--rfe=", "--aa=", "--compression-ratio=", "--pressure-rise=",
                               "engine, block, crank or valves"})
        EXPECT_NE(r.output.find(option), std::string::npos) << "help lacks " << option;
    EXPECT_EQ(r.output.rfind("Usage: tarvex-stills [OPTION]...\n", 0), 0u) << r.output;
    const Result version = runStills({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.output, std::string("tarvex-stills ") + TARVEX_VERSION + "\n");
}

TEST(StillsFiles, AnUnwritablePathFailsAndLeavesNoFile)
{
    const Scratch dir;
    const std::string missingDir = dir + "/no/such/dir";
    for (const char* flag : {"--output", "--timing-csv", "--timing-png"}) {
        const std::string path = missingDir + "/file";
        const Result r = runStills({flag, path});
        EXPECT_NE(r.exitCode, 0) << flag;
        EXPECT_NE(r.exitCode, -1) << flag << " did not end";
        EXPECT_NE(r.errors.find("cannot write '" + path + "'"), std::string::npos) << r.errors;
    }
    // A directory in the way: the temporary file is written, the rename fails and is cleaned up.
    const std::string inTheWay = dir + "/taken";
    ASSERT_EQ(mkdir(inTheWay.c_str(), 0755), 0);
    ASSERT_EQ(mkdir((inTheWay + "/child").c_str(), 0755), 0);
    for (const char* flag : {"--output", "--timing-csv"}) {
        const Result r = runStills({flag, inTheWay});
        EXPECT_NE(r.exitCode, 0) << flag;
        EXPECT_NE(r.errors.find("cannot write '" + inTheWay + "'"), std::string::npos) << r.errors;
        EXPECT_FALSE(exists(inTheWay + ".tmp")) << flag << " left its temporary file";
        EXPECT_TRUE(exists(inTheWay + "/child")) << flag << " touched what was in the way";
    }
    // A full disk, of every kind of file: the device is written to, not replaced.
    for (const char* flag : {"--output", "--timing-csv", "--timing-png", "--worksheet", "--animation"}) {
        const Result r = runStills({flag, "/dev/full", "--frames", "2", "--size", "64x48"});
        EXPECT_EQ(r.exitCode, 1) << flag;
        EXPECT_NE(r.errors.find("cannot write '/dev/full': No space left on device"), std::string::npos)
            << flag << " said: " << r.errors;
    }
    struct stat device;
    EXPECT_TRUE(stat("/dev/full", &device) == 0 && S_ISCHR(device.st_mode));
}

TEST(StillsDisplay, WithoutADisplayAPrivateXvfbDrawsTheStillAndIsStoppedAfter)
{
    const Scratch dir;
    const std::string path = dir + "/x.png";
    const Result r = runStills({"--output", path, "--size", "320x240"}, {"DISPLAY="});
    ASSERT_EQ(r.exitCode, 0) << r.errors;
    Image image;
    std::string why;
    ASSERT_TRUE(readPng(path, &image, &why)) << why;
    EXPECT_GT(image.countBright(0, 0, 320, 240, 120), 50);
    EXPECT_EQ(privateServers(), 0);
}

TEST(StillsDisplay, WithoutDisplayNorXvfbAStillFailsWithAMessageTheTimingDoesNot)
{
    const Scratch dir;
    const std::vector<std::string> noX{"DISPLAY=", "PATH=" + dir.dir};
    const Result r = runStills({"--output", dir + "/x.png"}, noX);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.errors.find("Xvfb, which would give one, is not installed"), std::string::npos) << r.errors;
    EXPECT_FALSE(exists(dir + "/x.png"));
    EXPECT_EQ(runStills({"--timing", dir + "/t.svg"}, noX).exitCode, 0);
}

TEST(StillsTiming, TheTableHasOneRowPerDegreeFromTheEnginesOwnLaws)
{
    const Scratch dir;
    const std::string path = dir + "/timing.csv";
    // No display needed: the table comes without GLUT.
    const Result r = runStills({"--timing-csv", path}, {"DISPLAY="});
    ASSERT_EQ(r.exitCode, 0) << r.errors;
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    ASSERT_EQ(lines.size(), 722u);
    EXPECT_EQ(lines[0], "angle,piston_x,rod_angle_deg,intake_lift,exhaust_lift,spark,stroke");
    // Expectations from the engine's drawing, not from the laws the tool calls: the stroke
    // titles, the spark window (350, 370), the rod of 5 between the piston pin and the crank pin
    // (radius 1.5 about x = -3.25), the valves between 7.5 (seated) and 8.85, never both open.
    const char* const titles[4] = {"Temps 1: Admission", "Temps 2: Compression", "Temps 3: Explosion",
                                   "Temps 4: Echappement"};
    const double pi = std::acos(-1.0);
    for (size_t i = 1; i < lines.size(); ++i) {
        const std::vector<std::string> f = splitCsv(lines[i]);
        ASSERT_EQ(f.size(), 7u) << lines[i];
        const int angle = static_cast<int>(i) - 1;
        ASSERT_EQ(std::stoi(f[0]), angle);
        EXPECT_EQ(std::stoi(f[5]), angle > 350 && angle < 370 ? 1 : 0) << lines[i];
        EXPECT_EQ(f[6], titles[std::min(angle / 180, 3)]) << lines[i];
        const double a = angle * pi / 180.0;
        EXPECT_NEAR(std::hypot(std::stod(f[1]) - (-3.25 + 1.5 * std::cos(a)), 1.5 * std::sin(a)), 5.0, 1e-6)
            << lines[i];
        const double intake = std::stod(f[3]), exhaust = std::stod(f[4]);
        EXPECT_TRUE(intake >= 7.5 - 1e-9 && intake <= 8.85 + 1e-9 && exhaust >= 7.5 - 1e-9 && exhaust <= 8.85 + 1e-9)
            << lines[i];
        EXPECT_FALSE(intake > 7.5 + 1e-9 && exhaust > 7.5 + 1e-9) << lines[i];
    }
    // angle, piston_x, rod angle (NaN: not checked), intake and exhaust positions.
    const double n = std::nan("");
    const double rows[][5] = {{0, 3.25, 0, 7.5, 7.5},          {45, n, n, 8.175, 7.5},
                              {90, 1.51977, 17.4576, 8.85, 7.5}, {135, n, n, 8.175, 7.5},
                              {180, 0.25, 0, 7.5, 7.5},          {270, 1.51977, -17.4576, 7.5, 7.5},
                              {585, n, n, 7.5, 8.175},           {630, 1.51977, -17.4576, 7.5, 8.85},
                              {720, 3.25, 0, 7.5, 7.5}};
    for (const auto& row : rows) {
        const std::vector<std::string> f = splitCsv(lines[static_cast<size_t>(row[0]) + 1]);
        for (int column = 1; column < 5; ++column) {
            if (std::isnan(row[column])) continue;
            EXPECT_NEAR(std::stod(f[static_cast<size_t>(column)]), row[column], 1e-4)
                << "column " << column << " at " << row[0];
        }
    }
    EXPECT_FALSE(exists(path + ".tmp"));
}

TEST(StillsTiming, TheDiagramIsLabelledInEveryFormatAndShowsTheValvesInTheirStrokes)
{
    const Scratch dir;
    for (const char* name : {"/t.pdf", "/t.svg", "/t.png"}) {
        const Result r = runStills({"--timing", dir + name}, {"DISPLAY="});
        ASSERT_EQ(r.exitCode, 0) << name << ": " << r.errors;
    }
    const std::string words = popplerSays("pdftotext " + dir.dir + "/t.pdf -");
    for (const char* label : {"PMH", "PMB", "Soupape d'admission", "Soupape d'echappement", "Etincelle",
                              "Angle du vilebrequin (degres)", " 90 ", " 180 ", " 270 ", " 360 ", " 450 ",
                              " 540 ", " 630 ", " 720"})
        EXPECT_NE(words.find(label), std::string::npos) << "the diagram lacks " << label << ": " << words;
    for (int stroke = 1; stroke <= 4; ++stroke)
        EXPECT_NE(words.find(strokeTitle(stroke)), std::string::npos) << words;
    std::ifstream svgFile(dir + "/t.svg");
    const std::string svg((std::istreambuf_iterator<char>(svgFile)), std::istreambuf_iterator<char>());
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_NE(svg.find("width=\"800pt\" height=\"425pt\""), std::string::npos);

    Image plot;
    std::string why;
    ASSERT_TRUE(readPng(dir + "/t.png", &plot, &why)) << why;
    EXPECT_EQ(plot.width, 1200);
    EXPECT_EQ(plot.height, 637);
    // In the valves' panel (the lower half) the highest green pixel is the intake valve wide
    // open, in the first quarter of the cycle; the highest red one the exhaust, in the last.
    int greenTop = plot.height, greenX = -1, redTop = plot.height, redX = -1;
    for (int y = plot.height / 2; y < plot.height; ++y)
        for (int x = 0; x < plot.width; ++x) {
            const bool green = plot.g(x, y) > 120 && plot.r(x, y) < 60 && plot.b(x, y) < 80;
            const bool red = plot.r(x, y) > 180 && plot.g(x, y) < 60 && plot.b(x, y) < 60;
            if (green && y < greenTop) { greenTop = y; greenX = x; }
            if (red && y < redTop) { redTop = y; redX = x; }
        }
    EXPECT_GT(greenX, plot.width / 8);
    EXPECT_LT(greenX, plot.width / 4);
    EXPECT_GT(redX, plot.width * 3 / 4);
    EXPECT_LT(redX, plot.width * 7 / 8);
}

TEST(StillsWorksheet, ThreeA4PagesWithTheStrokesAtPrintResolutionAndABlankVariant)
{
    const Scratch dir;
    const Result r = runStills({"--worksheet", dir + "/w.pdf", "--worksheet-blank", dir + "/b.pdf"});
    ASSERT_EQ(r.exitCode, 0) << r.errors;
    for (const char* name : {"/w.pdf", "/b.pdf"}) {
        const std::string file = dir + name;
        const std::string info = popplerSays("pdfinfo -f 1 -l 3 " + file);
        EXPECT_NE(info.find("Pages: 3"), std::string::npos) << info;
        EXPECT_NE(info.find("Page 1 size: 595.276 x 841.89 pts (A4)"), std::string::npos) << info;
        EXPECT_NE(info.find("Page 2 size: 841.89 x 595.276 pts (A4)"), std::string::npos) << info;
        EXPECT_NE(info.find("Page 3 size: 595.276 x 841.89 pts (A4)"), std::string::npos) << info;
        // Page 3: both figures with their titles, the exercise's without the strokes' names.
        const std::string page3 = popplerSays("pdftotext -f 3 -l 3 " + file + " -");
        for (const char* title : {"Épure circulaire de distribution", "Cycle théorique de Beau de Rochas (diagramme p-V)"})
            EXPECT_NE(page3.find(title), std::string::npos) << name << page3;
        EXPECT_EQ(page3.find("Détente") == std::string::npos, std::string(name) == "/b.pdf") << name << page3;
        const std::string page1 = popplerSays("pdftotext -f 1 -l 1 " + file + " -");
        const std::string page2 = popplerSays("pdftotext -f 2 -l 2 " + file + " -");
        for (int stroke = 1; stroke <= 4; ++stroke) {
            EXPECT_NE(page1.find(strokeTitle(stroke)), std::string::npos) << name << page1;
            std::string explanation;
            for (int line = 1; line <= 3; ++line) explanation += std::string(strokeLine(stroke, line)) + " ";
            explanation = explanation.substr(0, explanation.find("  "));    // as far as one space apart
            EXPECT_EQ(page1.find(explanation) != std::string::npos, std::string(name) == "/w.pdf")
                << name << " and " << explanation;
        }
        EXPECT_NE(page2.find("Temps 3: Explosion"), std::string::npos) << page2;
        EXPECT_NE(page2.find("PMH"), std::string::npos) << page2;
        // pdfimages lists each still with its resolution on the page: 4, each at 150 dpi or more.
        std::string list;
        ASSERT_EQ(run("pdfimages -list " + file + " | tail -n +3", 20, &list), 0);
        std::istringstream rows(list);
        int stills = 0;
        for (std::string row; std::getline(rows, row); ++stills) {
            std::istringstream fields(row);
            std::string f[13];
            for (std::string& field : f) fields >> field;
            EXPECT_EQ(f[0], "1") << row;                        // page
            EXPECT_GE(std::stoi(f[12]), 150) << row;            // x-ppi
        }
        EXPECT_EQ(stills, 4) << list;
    }
}

TEST(StillsFigures, EveryFormatEveryWordInFrenchAndTheBlankVariantsHoldNoAnswer)
{
    const Scratch dir;
    const std::vector<std::string> real{"--aoa", "10", "--rfa", "40", "--aoe", "45", "--rfe", "10", "--aa", "15",
                                        "--compression-ratio", "9.5"};
    std::vector<std::string> args{"--valve-circle", dir + "/c.pdf", "--valve-circle-blank", dir + "/cb.pdf",
                                  "--pv", dir + "/p.pdf", "--pv-blank", dir + "/pb.pdf"};
    args.insert(args.end(), real.begin(), real.end());
    ASSERT_EQ(runStills(args, {"DISPLAY="}).exitCode, 0);
    ASSERT_EQ(runStills({"--valve-circle", dir + "/c.svg", "--pv", dir + "/p.png"}, {"DISPLAY="}).exitCode, 0);

    // The words as drawn, spaces left out: a word written along a curve comes out in pieces.
    auto words = [&](const char* name) {
        std::string out, packed;
        EXPECT_EQ(run("pdftotext -raw " + dir.dir + name + " -", 20, &out), 0) << name;
        for (char c : out)
            if (!std::isspace(static_cast<unsigned char>(c))) packed += c;
        return packed;
    };
    auto packed = [](std::string text) {
        text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
        return text;
    };
    const std::vector<std::string> circleAnswers{"Admission", "Compression", "Détente", "Échappement",
                                                 "croisement", "10°", "40°", "45°", "15°"};
    const std::vector<std::string> pvAnswers{"Admission", "Compression", "Combustion", "Détente", "Échappement"};
    struct Figure {
        const char* full;
        const char* blank;
        std::vector<std::string> always;
        const std::vector<std::string>& answers;
    } figures[] = {
        {"/c.pdf", "/cb.pdf", {"Épure circulaire de distribution", "Cycle réel : avances et retards", "AOA :",
                                "avant PMH", "après PMB", "PMB", "RFE", "AA"}, circleAnswers},
        {"/p.pdf", "/pb.pdf", {"Cycle théorique de Beau de Rochas (diagramme p-V)", "Volume", "Pression (bar)", "PMH",
                                "PMB", "ε = 9,5", "γ = 1,4", "p₃ = 3,0 × p₂", "p₁ = 1 bar : pression atmosphérique"},
         pvAnswers},
    };
    for (const Figure& f : figures) {
        const std::string full = words(f.full), blank = words(f.blank);
        for (const std::string& w : f.always) {
            EXPECT_NE(full.find(packed(w)), std::string::npos) << f.full << " lacks " << w << ": " << full;
            EXPECT_NE(blank.find(packed(w)), std::string::npos) << f.blank << " lacks " << w << ": " << blank;
        }
        for (const std::string& w : f.answers) {
            EXPECT_NE(full.find(w), std::string::npos) << f.full << " lacks " << w << ": " << full;
            EXPECT_EQ(blank.find(w), std::string::npos) << f.blank << " gives away " << w << ": " << blank;
        }
        for (const char* unaccented : {"Echappement", "Detente", "Epure", "theorique", "apres", "volumetrique"})
            EXPECT_EQ(full.find(unaccented), std::string::npos) << f.full << " writes " << unaccented;
    }
    std::ifstream svgFile(dir + "/c.svg");
    const std::string svg((std::istreambuf_iterator<char>(svgFile)), std::istreambuf_iterator<char>());
    EXPECT_NE(svg.find("width=\"560pt\" height=\"360pt\""), std::string::npos);
    Image png;
    std::string why;
    ASSERT_TRUE(readPng(dir + "/p.png", &png, &why)) << why;
    EXPECT_EQ(png.width, 1120);
    EXPECT_EQ(png.height, 720);
}

TEST(StillsAnimation, OneLoopingGifOfTheAskedSizeAndFrameCount)
{
    const Scratch dir;
    const std::string path = dir + "/a.gif";
    const Result r = runStills({"--animation", path, "--frames", "12", "--size", "160x120", "--view", "valves"});
    ASSERT_EQ(r.exitCode, 0) << r.errors;
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    ASSERT_NE(gif, nullptr) << GifErrorString(error);
    ASSERT_EQ(DGifSlurp(gif), GIF_OK);
    EXPECT_EQ(gif->SWidth, 160);
    EXPECT_EQ(gif->SHeight, 120);
    EXPECT_EQ(gif->ImageCount, 12);
    bool loops = false;
    // The extensions before the first frame are kept with it.
    for (int i = 0; i < gif->SavedImages[0].ExtensionBlockCount; ++i) {
        const ExtensionBlock& e = gif->SavedImages[0].ExtensionBlocks[i];
        loops |= e.Function == APPLICATION_EXT_FUNC_CODE && e.ByteCount == 11
                 && std::string(reinterpret_cast<char*>(e.Bytes), 11) == "NETSCAPE2.0";
    }
    EXPECT_TRUE(loops);
    // Every frame after the first redraws only what moved: the engine, not the whole picture.
    for (int i = 1; i < gif->ImageCount; ++i)
        EXPECT_LT(gif->SavedImages[i].ImageDesc.Width * gif->SavedImages[i].ImageDesc.Height, 160 * 120) << i;
    DGifCloseFile(gif, &error);
}

TEST(StillsPicture, TheImageHasTheRequestedSize)
{
    const Scratch dir;
    const std::string path = dir + "/small.png";
    const Result r = runStills({"--size", "320x200", "--angle", "370", "--output", path});
    ASSERT_EQ(r.exitCode, 0) << r.errors;
    Image image;
    std::string why;
    ASSERT_TRUE(readPng(path, &image, &why)) << why;
    EXPECT_EQ(image.width, 320);
    EXPECT_EQ(image.height, 200);
    // Not a blank read-back: the engine and the overlay put light pixels on the dark clear.
    EXPECT_GT(image.countBright(0, 0, 320, 200, 120), 50);
    EXPECT_FALSE(exists(path + ".tmp"));
}

TEST(StillsPicture, ThePistonMovesBetweenTopAndBottomDeadCentre)
{
    const Scratch dir;
    const Image top = still(dir, "0");
    const Image again = still(dir, "0", {"--size", "800x600"});
    const Image bottom = still(dir, "180");
    ASSERT_EQ(top.width, 800);
    ASSERT_EQ(bottom.width, 800);
    ASSERT_EQ(again.width, 800);
    // The crank train's region in the start view, around the piston and the rod.
    const int x0 = 300, y0 = 200, x1 = 700, y1 = 480;
    EXPECT_EQ(countDifferentIn(top, again, 0, 0, 800, 600), 0) << "the same angle drew differently";
    EXPECT_GT(countDifferentIn(top, bottom, x0, y0, x1, y1), 2000);
}

TEST(StillsPicture, SwitchesChangeWhatIsDrawn)
{
    const Scratch dir;
    const Image plain = still(dir, "90");
    const Image help = still(dir, "90", {"--help-screen", "on"});
    const Image noBlock = still(dir, "90", {"--block", "off"});
    ASSERT_EQ(plain.width, 800);
    ASSERT_EQ(help.width, 800);
    ASSERT_EQ(noBlock.width, 800);
    // The command list lies at the left from a tenth of the height down to two thirds.
    EXPECT_GT(countDifferentIn(plain, help, 0, 60, 250, 420), 500);
    EXPECT_EQ(countDifferentIn(plain, help, 600, 0, 800, 560), 0);
    EXPECT_GT(countDifferentIn(plain, noBlock, 200, 150, 800, 500), 1000);
}
