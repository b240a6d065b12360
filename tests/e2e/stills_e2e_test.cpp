// The stills tool run as a user runs it: its options, its files, and the pictures it draws.

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "model/crank_kinematics.h"
#include "model/valve.h"
#include "render/lighting.h"
#include "render/overlay.h"
#include "tests/support/image_region.h"
#include "tests/support/program.h"
#include "tests/support/temp_dir.h"

using testx::Image;
using testx::Program;
using testx::countDifferentIn;

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
Image still(const std::string& dir, const std::string& angle, std::vector<std::string> extra = {})
{
    const std::string path = dir + "/angle-" + angle + ".png";
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
    testx::TempDir scratch("tarvex-stills");
    const std::string& dir = scratch.path();
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
        // GLUT's own options are not this tool's.
        {{"-display", ":0", "--output", out}, "unknown option '-display'"},
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
                               "--timing-png", "800x600", "0 to 720", "engine, block, crank or valves"})
        EXPECT_NE(r.output.find(option), std::string::npos) << "help lacks " << option;
}

TEST(StillsFiles, AnUnwritablePathFailsAndLeavesNoFile)
{
    testx::TempDir scratch("tarvex-stills");
    const std::string& dir = scratch.path();
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
}

TEST(StillsFiles, AStillNeedsADisplayAndSaysSo)
{
    testx::TempDir scratch("tarvex-stills");
    const std::string path = scratch.file("x.png");
    const Result r = runStills({"--output", path}, {"DISPLAY="});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.errors.find("needs an X display"), std::string::npos) << r.errors;
    EXPECT_FALSE(exists(path));
}

TEST(StillsTiming, TheTableHasOneRowPerDegreeFromTheEnginesOwnLaws)
{
    testx::TempDir scratch("tarvex-stills");
    const std::string path = scratch.file("timing.csv");
    // No display needed: the table comes without GLUT.
    const Result r = runStills({"--timing-csv", path}, {"DISPLAY="});
    ASSERT_EQ(r.exitCode, 0) << r.errors;
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    ASSERT_EQ(lines.size(), 722u);
    EXPECT_EQ(lines[0], "angle,piston_x,rod_angle_deg,intake_lift,exhaust_lift,spark,stroke");
    for (size_t i = 1; i < lines.size(); ++i) {
        const std::vector<std::string> f = splitCsv(lines[i]);
        ASSERT_EQ(f.size(), 7u) << lines[i];
        const int angle = static_cast<int>(i) - 1;
        ASSERT_EQ(std::stoi(f[0]), angle);
        EXPECT_EQ(std::stoi(f[5]), sparkLit(angle) ? 1 : 0) << lines[i];
        EXPECT_EQ(f[6], strokeTitle(strokeOf(angle))) << lines[i];
    }
    for (int angle : {0, 90, 630}) {
        const std::vector<std::string> f = splitCsv(lines[static_cast<size_t>(angle) + 1]);
        const SliderCrank crank = sliderCrank(angle, kCrankRadius, kRodLength);
        EXPECT_NEAR(std::stod(f[1]), crank.pistonX, 1e-6) << "at " << angle;
        EXPECT_NEAR(std::stod(f[2]), crank.rodAngleDeg, 1e-6) << "at " << angle;
        EXPECT_NEAR(std::stod(f[3]), valveLift(angle, ValveSide::intake), 1e-6) << "at " << angle;
        EXPECT_NEAR(std::stod(f[4]), valveLift(angle, ValveSide::exhaust), 1e-6) << "at " << angle;
    }
    // Where the engine is known without its laws: top dead centre, the valves wide open.
    EXPECT_NEAR(std::stod(splitCsv(lines[1])[1]), 3.25, 1e-6);
    EXPECT_NEAR(std::stod(splitCsv(lines[91])[3]), kValveOpenX, 1e-6);
    EXPECT_NEAR(std::stod(splitCsv(lines[631])[4]), kValveOpenX, 1e-6);
    EXPECT_FALSE(exists(path + ".tmp"));
}

TEST(StillsTiming, TheDiagramShowsTheValveLiftsInTheirStrokes)
{
    testx::TempDir scratch("tarvex-stills");
    const std::string path = scratch.file("timing.png");
    const Result r = runStills({"--timing-png", path}, {"DISPLAY="});
    ASSERT_EQ(r.exitCode, 0) << r.errors;
    Image plot;
    std::string why;
    ASSERT_TRUE(readPng(path, &plot, &why)) << why;
    ASSERT_GT(plot.width, 720);
    // The intake curve (green) lies in the first stroke only, the exhaust (red) in the fourth.
    int greenLeft = 0, greenRight = 0, redLeft = 0, redRight = 0;
    for (int y = 0; y < plot.height; ++y)
        for (int x = 0; x < plot.width; ++x) {
            const bool green = plot.g(x, y) > 120 && plot.r(x, y) < 60 && plot.b(x, y) < 80;
            const bool red = plot.r(x, y) > 180 && plot.g(x, y) < 60 && plot.b(x, y) < 60;
            (x < plot.width / 4 ? greenLeft : greenRight) += green;
            (x > plot.width * 3 / 4 ? redRight : redLeft) += red;
        }
    EXPECT_GT(greenLeft, 200);
    EXPECT_GT(redRight, 200);
    // Along the closed valve's flat line only: each of those is at most one row of the plot.
    EXPECT_LT(greenRight, plot.width * 3);
    EXPECT_LT(redLeft, plot.width * 3);
}

TEST(StillsPicture, TheImageHasTheRequestedSize)
{
    testx::TempDir scratch("tarvex-stills");
    const std::string path = scratch.file("small.png");
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
    testx::TempDir scratch("tarvex-stills");
    const std::string& dir = scratch.path();
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
    testx::TempDir scratch("tarvex-stills");
    const std::string& dir = scratch.path();
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
