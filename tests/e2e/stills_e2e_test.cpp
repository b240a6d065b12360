// The stills tool run as a user runs it: its options, its files, and the pictures it draws.

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <png.h>

#include <gif_lib.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <regex>
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

Result runStills(const std::vector<std::string>& args, const std::vector<std::string>& env = {},
                 const std::string& workingDir = TARVEX_BUILD_DIR)
{
    std::vector<std::string> argv{TARVEX_STILLS};
    argv.insert(argv.end(), args.begin(), args.end());
    Program program(argv, workingDir, env);
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

// The names in a folder, sorted.
std::vector<std::string> entries(const std::string& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

// The display number an X server process listens on, from its sockets' names; -1 if none yet.
int displayOf(pid_t server)
{
    std::vector<std::string> sockets;
    std::error_code e;
    for (const auto& fd : std::filesystem::directory_iterator("/proc/" + std::to_string(server) + "/fd", e)) {
        const std::string link = std::filesystem::read_symlink(fd.path(), e).string();
        if (link.rfind("socket:[", 0) == 0) sockets.push_back(link.substr(8, link.size() - 9));
    }
    std::ifstream table("/proc/net/unix");
    for (std::string line; std::getline(table, line);) {
        std::istringstream fields(line);
        std::string f[8];
        for (std::string& field : f) fields >> field;
        const size_t at = f[7].find("/tmp/.X11-unix/X");
        if (at != std::string::npos && std::count(sockets.begin(), sockets.end(), f[6]) != 0)
            return std::stoi(f[7].substr(at + 16));
    }
    return -1;
}

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

// Grey as poppler's grey rendering weighs the channels.
double meanGrey(const Image& image)
{
    double sum = 0;
    for (size_t i = 0; i + 2 < image.rgb.size(); i += 3)
        sum += 0.3 * image.rgb[i] + 0.59 * image.rgb[i + 1] + 0.11 * image.rgb[i + 2];
    return sum / (image.rgb.size() / 3);
}

// Where a print picture shows the piston (the mean column of its pink fill) and each valve's
// head (the leftmost column of its dark yellow fill; the intake valve, behind, is the higher).
struct Places {
    double pistonX = 0;
    int intakeX = 0, exhaustX = 0;
};

Places placesIn(const Image& still)
{
    Places places;
    long pink = 0;
    std::vector<std::pair<int, int>> valve;
    int top = still.height, bottom = 0;
    for (int y = 0; y < still.height; ++y)
        for (int x = 0; x < still.width; ++x) {
            const int r = still.r(x, y), g = still.g(x, y), b = still.b(x, y);
            if (r > 200 && r - g > 35 && r - b > 35) places.pistonX += x, ++pink;
            if (r > 150 && r - b > 60 && std::abs(r - g) < 25) {
                valve.push_back({x, y});
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
        }
    places.pistonX /= std::max(1L, pink);
    places.intakeX = places.exhaustX = still.width;
    for (const auto& [x, y] : valve) {
        int& column = y < (top + bottom) / 2 ? places.intakeX : places.exhaustX;
        column = std::min(column, x);
    }
    return places;
}

// The same read off a worksheet's upright picture, head at the top: the piston's middle, and the
// top of each valve's stem (the intake's on the left), which the model's valve lifts as it opens
// (the gas's tint, under the stems, never reaches that high).
struct UprightPlaces {
    double pistonX = 0, pistonY = 0;
    int intakeY = 0, exhaustY = 0;
};

UprightPlaces uprightPlacesIn(const Image& still)
{
    UprightPlaces places;
    long pink = 0;
    std::vector<std::pair<int, int>> valve;
    int left = still.width, right = 0;
    for (int y = 0; y < still.height; ++y)
        for (int x = 0; x < still.width; ++x) {
            const int r = still.r(x, y), g = still.g(x, y), b = still.b(x, y);
            if (r > 200 && r - g > 35 && r - b > 35) places.pistonX += x, places.pistonY += y, ++pink;
            if (r > 150 && r - b > 60 && std::abs(r - g) < 25) {
                valve.push_back({x, y});
                left = std::min(left, x), right = std::max(right, x);
            }
        }
    places.pistonX /= std::max(1L, pink);
    places.pistonY /= std::max(1L, pink);
    places.intakeY = places.exhaustY = still.height;
    for (const auto& [x, y] : valve) {
        int& column = x < (left + right) / 2 ? places.intakeY : places.exhaustY;
        column = std::min(column, y);
    }
    return places;
}

// The pictures of a PDF, in page order.
std::vector<Image> pdfImages(const Scratch& dir, const std::string& pdf)
{
    EXPECT_EQ(run("pdfimages -png " + pdf + " " + dir.dir + "/img"), 0);
    std::vector<Image> images;
    for (int i = 0;; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "/img-%03d.png", i);
        Image image;
        std::string why;
        if (!readPng(dir + name, &image, &why)) break;
        images.push_back(image);
    }
    return images;
}

// A field of the word box that pdftotext -bbox printed at `at`.
double wordField(const std::string& boxes, size_t at, const char* name)
{
    return std::stod(boxes.substr(boxes.find(name, at) + std::strlen(name) + 2));
}

// The smallest text of a page, in points: pdftotext's word boxes are 1.1625 em high in DejaVu.
double smallestText(const std::string& pdf, int page)
{
    std::string boxes;
    EXPECT_EQ(run("pdftotext -bbox -f " + std::to_string(page) + " -l " + std::to_string(page) + " " + pdf + " -",
                  20, &boxes), 0);
    double smallest = 1e9;
    for (size_t at = boxes.find("<word "); at != std::string::npos; at = boxes.find("<word ", at + 1))
        smallest = std::min(smallest, (wordField(boxes, at, "yMax") - wordField(boxes, at, "yMin")) / 1.1625);
    return smallest;
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
        {{"--tim", out}, "ambiguous option '--tim': it could be --timing, --timing-png, --timing-csv"},
        {{"--output", dir + "/a.gif"}, "writes a PNG image, but '" + dir.dir + "/a.gif' names a GIF animation"},
        {{"--animation", out}, "writes a GIF animation, but '" + out + "' names a PNG image"},
        {{"--output", "-"}, "which standard output ('-') does not take"},
        {{"--output", out, "--timing-png", out}, "name the same file"},
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
    // A directory in the way: refused before a temporary file is made.
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

TEST(StillsFiles, NothingPlantedOrLinkedIsReplacedModesStayDevicesAndPipesAreWrittenThrough)
{
    const Scratch dir;
    // What another user may plant where temporaries used to go: a link, a file, a folder.
    const std::string victim = dir.write("victim", "secret");
    ASSERT_EQ(symlink(victim.c_str(), (dir + "/t.csv.tmp").c_str()), 0);
    dir.write("p.png.tmp", "mine");
    ASSERT_EQ(mkdir((dir + "/t.svg.tmp").c_str(), 0755), 0);
    // A private file, a link to a file and a link to a device.
    ASSERT_EQ(chmod(dir.write("private.csv", "old").c_str(), 0600), 0);
    dir.write("real.svg", "old");
    ASSERT_EQ(symlink("real.svg", (dir + "/link.svg").c_str()), 0);
    ASSERT_EQ(symlink("/dev/null", (dir + "/null.png").c_str()), 0);
    ASSERT_EQ(mkfifo((dir + "/fifo").c_str(), 0644), 0);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--timing-csv", dir + "/t.csv", "--timing-png", dir + "/p.png", "--timing",
                                   dir + "/t.svg"},
          {"--timing-csv", dir + "/private.csv", "--timing", dir + "/link.svg", "--timing-png", dir + "/null.png"}}) {
        const Result r = runStills(args);
        EXPECT_EQ(r.exitCode, 0) << r.errors;
    }
    std::ifstream victimFile(victim), planted(dir + "/p.png.tmp"), real(dir + "/real.svg");
    std::string victimText, plantedText, realStart;
    victimFile >> victimText;
    planted >> plantedText;
    real >> realStart;
    EXPECT_EQ(victimText, "secret");
    EXPECT_EQ(plantedText, "mine");
    EXPECT_EQ(realStart.rfind("<?xml", 0), 0u) << "the link's file was not rewritten";
    struct stat st;
    EXPECT_TRUE(lstat((dir + "/link.svg").c_str(), &st) == 0 && S_ISLNK(st.st_mode));
    EXPECT_TRUE(lstat((dir + "/null.png").c_str(), &st) == 0 && S_ISLNK(st.st_mode));
    EXPECT_TRUE(stat("/dev/null", &st) == 0 && S_ISCHR(st.st_mode)) << "/dev/null is no longer a device";
    EXPECT_TRUE(lstat((dir + "/t.csv.tmp").c_str(), &st) == 0 && S_ISLNK(st.st_mode));
    EXPECT_TRUE(stat((dir + "/private.csv").c_str(), &st) == 0 && (st.st_mode & 07777) == 0600 && st.st_size > 1000)
        << std::oct << st.st_mode;
    // Nothing else there: no temporary left.
    EXPECT_EQ(entries(dir.dir), (std::vector<std::string>{"fifo", "link.svg", "null.png", "p.png", "p.png.tmp",
                                                          "private.csv", "real.svg", "t.csv", "t.csv.tmp", "t.svg",
                                                          "t.svg.tmp", "victim"}));

    // Standard output redirected to a file, named through /proc as /dev/stdout names it (a link
    // of our own: a fault must not cost the machine its /dev/stdout), and as '-'.
    ASSERT_EQ(symlink("/proc/self/fd/1", (dir + "/stdout").c_str()), 0);
    for (const std::string& name : {dir + "/stdout", std::string("-")}) {
        const Result r = runStills({"--timing-csv", name}, {}, dir.dir);
        EXPECT_EQ(r.exitCode, 0) << r.errors;
        EXPECT_EQ(r.output.rfind("angle,piston_x,", 0), 0u) << name;
    }
    EXPECT_TRUE(lstat((dir + "/stdout").c_str(), &st) == 0 && S_ISLNK(st.st_mode));
    EXPECT_FALSE(exists(dir + "/-"));
    // A pipe that nothing reads is refused at once, not waited on.
    const Result fifo = runStills({"--output", dir + "/fifo"});
    EXPECT_EQ(fifo.exitCode, 1);
    EXPECT_NE(fifo.errors.find("named pipe that no program is reading"), std::string::npos) << fifo.errors;

    // A pipe with a reader gets the whole file, more than the pipe holds at once, as a file
    // written normally gets it.
    const std::vector<std::string> gif{"--frames", "4", "--animation"};
    std::vector<std::string> toFile = gif, toPipe = gif;
    toFile.push_back(dir + "/a.gif");
    toPipe.push_back(dir + "/fifo");
    ASSERT_EQ(runStills(toFile).exitCode, 0);
    std::ifstream normal(dir + "/a.gif", std::ios::binary);
    const std::string expected{std::istreambuf_iterator<char>(normal), {}};
    ASSERT_GT(expected.size(), 65536u);                 // Linux's pipe capacity
    const int reader = open((dir + "/fifo").c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    toPipe.insert(toPipe.begin(), TARVEX_STILLS);
    Program writer(toPipe, TARVEX_BUILD_DIR);
    std::string received;
    char buffer[4096];
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kRunTimeoutMs);
    for (bool ended = false; std::chrono::steady_clock::now() < deadline;) {
        const ssize_t n = read(reader, buffer, sizeof buffer);
        if (n > 0) {
            received.append(buffer, static_cast<size_t>(n));
        } else if (ended) {
            break;                                      // ended, and all it wrote is read
        } else {
            ended = !writer.running();
            testx::sleepMs(10);                         // a slow reader: the pipe fills meanwhile
        }
    }
    close(reader);
    EXPECT_EQ(writer.waitExit(kRunTimeoutMs), 0) << writer.errors();
    EXPECT_EQ(received.size(), expected.size());
    EXPECT_TRUE(received == expected) << "the pipe got other bytes than the file";
    EXPECT_TRUE(lstat((dir + "/fifo").c_str(), &st) == 0 && S_ISFIFO(st.st_mode));
}

TEST(StillsRefusal, AMissingFolderOrAnUnusableTextureIsFoundBeforeAnythingIsDrawn)
{
    const Scratch dir;
    // Neither a display nor Xvfb: a run that went on to draw would fail for want of one.
    const std::vector<std::string> noX{"DISPLAY=", "PATH=" + dir.dir};
    const Result folder =
        runStills({"--output", dir + "/ok.png", "--animation", "/nonexistent/c.gif", "--frames", "720"}, noX);
    EXPECT_EQ(folder.exitCode, 1);
    EXPECT_EQ(folder.errors, "tarvex-stills: cannot write '/nonexistent/c.gif': No such file or directory\n");
    const Result missing = runStills({"--output", dir + "/ok.png", "--textures", "on"}, noX, dir.dir);
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.errors,
              "tarvex-stills: --textures on: textureAluminum.ppm (in " + dir.dir + ") cannot be opened\n")
        << missing.errors;
    dir.write("textureAluminum.ppm", "P6\n9000 10\n255\n");
    const Result large = runStills({"--output", dir + "/ok.png", "--textures", "on"}, noX, dir.dir);
    EXPECT_EQ(large.exitCode, 1);
    EXPECT_NE(large.errors.find("sides of 1 to 4096 pixels"), std::string::npos) << large.errors;
    EXPECT_EQ(missing.output + large.output, "");
    EXPECT_EQ(entries(dir.dir), std::vector<std::string>{"textureAluminum.ppm"});
}

TEST(StillsDisplay, ThePrivateDisplayAdmitsItsOwnRunAndNoOtherUserNorAClientWithoutItsCookie)
{
    if (geteuid() != 0) GTEST_SKIP() << "another user is tried as nobody, which needs root";
    const Scratch dir;
    Program tool({TARVEX_STILLS, "--animation", dir + "/c.gif", "--frames", "720"}, TARVEX_BUILD_DIR,
                 {"DISPLAY=", "TMPDIR=" + dir.dir});
    const std::string self = std::to_string(tool.pid());
    int number = -1;
    for (int waited = 0; number < 0 && waited < kRunTimeoutMs; waited += 50) {
        pid_t server = 0;
        std::ifstream("/proc/" + self + "/task/" + self + "/children") >> server;
        if (server > 0) number = displayOf(server);
        testx::sleepMs(50);
    }
    ASSERT_GE(number, 0) << "no private display came up";
    std::string folder;
    for (const std::string& name : entries(dir.dir))
        if (name.rfind("tarvex-stills-", 0) == 0) folder = dir + ("/" + name);
    struct stat st;
    ASSERT_TRUE(stat(folder.c_str(), &st) == 0 && (st.st_mode & 0777) == 0700) << folder;
    const std::string xdpyinfo = "xdpyinfo -display :" + std::to_string(number) + " 2>&1";
    std::string said;
    EXPECT_EQ(run("env XAUTHORITY=" + folder + "/cookie " + xdpyinfo, 10), 0) << "the run's own cookie was refused";
    EXPECT_NE(run("env -u XAUTHORITY " + xdpyinfo, 10, &said), 0);
    EXPECT_NE(said.find("Authorization required"), std::string::npos) << said;
    EXPECT_NE(run("setpriv --reuid=nobody --regid=nogroup --clear-groups " + xdpyinfo, 10, &said), 0);
    EXPECT_NE(said.find("Authorization required"), std::string::npos) << said;
}

TEST(StillsDisplay, AnInterruptLeavesNoTemporaryNoCookieAndNoServer)
{
    const Scratch dir;
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        Program tool({TARVEX_STILLS, "--animation", dir + "/c.gif", "--frames", "720"}, TARVEX_BUILD_DIR,
                     {"DISPLAY=", "TMPDIR=" + dir.dir});
        const std::string self = std::to_string(tool.pid());
        pid_t server = 0;
        for (int waited = 0; (server <= 0 || displayOf(server) < 0) && waited < kRunTimeoutMs; waited += 50) {
            std::ifstream("/proc/" + self + "/task/" + self + "/children") >> server;
            testx::sleepMs(50);
        }
        ASSERT_GT(server, 0) << "no private display came up";
        EXPECT_EQ(entries(dir.dir).size(), 2u) << "the animation's temporary and the cookie's folder";
        tool.kill(signal);
        const int status = tool.waitExit(kRunTimeoutMs);
        EXPECT_TRUE(status != -1 && WIFSIGNALED(status) && WTERMSIG(status) == signal) << signal << ": " << status;
        EXPECT_EQ(entries(dir.dir), std::vector<std::string>{}) << "left after signal " << signal;
        EXPECT_NE(kill(server, 0), 0) << "the server outlived signal " << signal;
    }
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
    for (const char* label : {"PMH", "PMB", "Soupape d’admission", "Soupape d’échappement", "Étincelle", "levée",
                              "Angle de rotation du vilebrequin (°)", " 90 ", " 180 ", " 270 ", " 360 ", " 450 ",
                              " 540 ", " 630 ", " 720", "Temps 1 : Admission", "Temps 2 : Compression",
                              "Temps 3 : Combustion-détente", "Temps 4 : Échappement"})
        EXPECT_NE(words.find(label), std::string::npos) << "the diagram lacks " << label << ": " << words;
    for (const char* wrong : {"Explosion", "ouverte", "fermée"})
        EXPECT_EQ(words.find(wrong), std::string::npos) << "the diagram says " << wrong << ": " << words;
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
    // PMH stands level with the piston curve's top, PMB with its foot (PNG: 1.5 pixels a point).
    int blueTop = plot.height, blueBottom = 0;
    for (int y = 0; y < plot.height / 2; ++y)
        for (int x = 0; x < plot.width; ++x)
            if (plot.b(x, y) > 150 && plot.r(x, y) < 80 && plot.g(x, y) < 120)
                blueTop = std::min(blueTop, y), blueBottom = std::max(blueBottom, y);
    std::string boxes;
    ASSERT_EQ(run("pdftotext -bbox " + dir.dir + "/t.pdf -", 20, &boxes), 0);
    for (const auto& [label, curveY] : {std::pair<std::string, int>{">PMH<", blueTop}, {">PMB<", blueBottom}}) {
        const size_t at = boxes.rfind("<word", boxes.find(label));
        EXPECT_NEAR(1.5 * (wordField(boxes, at, "yMin") + wordField(boxes, at, "yMax")) / 2, curveY, 10.0) << label;
    }

    // The spark is an instant: its name stands just after the 360 tick, or 15 degrees before
    // it with an advance of 15; read off the axis's own ticks.
    auto xOf = [](const std::string& words, const std::string& word) {
        const size_t at = words.rfind("<word", words.find(">" + word + "<"));
        return std::pair<double, double>{wordField(words, at, "xMin"), wordField(words, at, "xMax")};
    };
    ASSERT_EQ(runStills({"--timing", dir + "/a.pdf", "--aa", "15"}, {"DISPLAY="}).exitCode, 0);
    std::string advanced;
    ASSERT_EQ(run("pdftotext -bbox " + dir.dir + "/a.pdf -", 20, &advanced), 0);
    for (const auto& [words, beforeTdc] : {std::pair<std::string, double>{boxes, 0.0}, {advanced, 15.0}}) {
        const auto [l360, r360] = xOf(words, "360");
        const auto [l450, r450] = xOf(words, "450");
        const double tdc = (l360 + r360) / 2, perDeg = ((l450 + r450) / 2 - tdc) / 90.0;
        const double spark = tdc - beforeTdc * perDeg;
        const double name = xOf(words, "Étincelle").first;
        EXPECT_GT(name, spark) << "AA " << beforeTdc;
        EXPECT_LT(name, spark + 8.0 * perDeg) << "AA " << beforeTdc;
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
    const std::vector<std::string> circleAnswers{"Admission", "Compression", "Combustion-détente", "Échappement",
                                                 "croisement", "10°", "40°", "45°", "15°"};
    // The exercise's legend gives the data; the pupil computes the pressures.
    const std::vector<std::string> pvAnswers{"Admission", "Compression", "Combustion", "Détente", "Échappement",
                                             "p₂=23,4bar", "p₃=70,2bar", "p₄=3,0bar"};
    struct Figure {
        const char* full;
        const char* blank;
        std::vector<std::string> always;
        const std::vector<std::string>& answers;
    } figures[] = {
        {"/c.pdf", "/cb.pdf", {"Épure circulaire de distribution", "Cycle réel : avances et retards", "AOA :",
                                "avant PMH", "après PMB", "PMB", "RFE", "AA"}, circleAnswers},
        {"/p.pdf", "/pb.pdf", {"Cycle théorique de Beau de Rochas (diagramme p-V)", "Volume", "Pression (bar)", "PMH",
                                "PMB", "ε = 9,5", "1→2 et 3→4 : adiabatiques (γ = 1,4)", "2→3 et 4→1 : isochores",
                                "p₃ = 3,0 × p₂", "p₁ = 1 bar : pression atmosphérique"},
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

TEST(StillsWorksheet, FiveA4PagesAGreyCopyKeepsReadableAndAnExerciseWithoutItsAnswers)
{
    const Scratch dir;
    const std::string sheet = dir + "/w.pdf", exercise = dir + "/b.pdf";
    const Result r = runStills({"--worksheet", sheet, "--worksheet-blank", exercise});
    ASSERT_EQ(r.exitCode, 0) << r.errors;
    for (const std::string& file : {sheet, exercise}) {
        const std::string info = popplerSays("pdfinfo -f 1 -l 5 " + file);
        EXPECT_NE(info.find("Pages: 5"), std::string::npos) << info;
        EXPECT_NE(info.find("Page 5 size: 595.276 x 841.89 pts (A4)"), std::string::npos) << info;
        EXPECT_NE(info.find("Page 2 size: 595.276 x 841.89 pts (A4)"), std::string::npos) << info;
        EXPECT_NE(info.find("Page 3 size: 841.89 x 595.276 pts (A4)"), std::string::npos) << info;
        EXPECT_NE(info.find("Page 4 size: 595.276 x 841.89 pts (A4)"), std::string::npos) << info;
        for (int page = 1; page <= 5; ++page) EXPECT_GE(smallestText(file, page), 7.95) << file << " page " << page;
        // Page 4: both figures with their titles, the exercise's without the strokes' names.
        const std::string page4 = popplerSays("pdftotext -f 4 -l 4 " + file + " -");
        for (const char* title : {"Épure circulaire de distribution", "Cycle théorique de Beau de Rochas (diagramme p-V)"})
            EXPECT_NE(page4.find(title), std::string::npos) << file << page4;
        EXPECT_EQ(page4.find("Détente") == std::string::npos, file == exercise) << file << page4;
    }

    // The stills, two a page: light enough for a copier, and each showing its own moment.
    const std::vector<Image> stills = pdfImages(dir, sheet);
    ASSERT_EQ(stills.size(), 4u);
    // The engine stands upright, as textbooks draw it: taller than wide, the piston's travel
    // between the strokes up and down the page, « descend » going down.
    UprightPlaces at[4];
    for (int i = 0; i < 4; ++i) {
        EXPECT_GE(meanGrey(stills[i]), 200.0) << "still " << i + 1;
        EXPECT_GT(stills[i].height, stills[i].width) << "still " << i + 1;
        at[i] = uprightPlacesIn(stills[i]);
    }
    EXPECT_LT(at[0].intakeY, at[1].intakeY - 20) << "the intake valve stands open in the intake stroke";
    EXPECT_LT(at[3].exhaustY, at[1].exhaustY - 20) << "the exhaust valve stands open in the exhaust stroke";
    EXPECT_NEAR(at[2].intakeY, at[1].intakeY, 2);
    EXPECT_NEAR(at[2].exhaustY, at[1].exhaustY, 2);
    for (int i : {0, 1, 3}) {
        EXPECT_LT(at[2].pistonY, at[i].pistonY - 30) << "the piston is highest on the page at the spark";
        // (the view is oblique: the cylinder leans a little in perspective)
        EXPECT_LT(std::fabs(at[2].pistonX - at[i].pistonX), std::fabs(at[2].pistonY - at[i].pistonY) / 2)
            << "the piston's travel runs up and down the page";
    }

    const std::string answers = popplerSays("pdftotext " + sheet + " -");
    const std::string blank = popplerSays("pdftotext " + exercise + " -");
    // The figures' page names the spark in its legend, on the exercise too; page 3 is the theoretical cycle.
    for (const char* both : {"Le moteur à quatre temps", "levée", "Angle de rotation du vilebrequin (°)", "Étincelle",
                             "Diagramme de distribution – cycle théorique", "ε = 9,5",
                             "Angle du vilebrequin : 90°", "Angle du vilebrequin : 270°",
                             "Angle du vilebrequin : 365°", "Angle du vilebrequin : 630°"}) {
        EXPECT_NE(answers.find(both), std::string::npos) << "the sheet lacks " << both;
        EXPECT_NE(blank.find(both), std::string::npos) << "the exercise lacks " << both;
    }
    for (const char* printed :
         {"Temps 1 : Admission", "Temps 2 : Compression",
          "Temps 3 : Combustion-détente (temps moteur)", "Temps 4 : Échappement",
          "Le piston descend du PMH au PMB et aspire le mélange air-essence.",
          "Les deux soupapes sont fermées. Le piston remonte du PMB au PMH et comprime le mélange, qui",
          "Au PMH, l’étincelle de la bougie enflamme le mélange ; la combustion fait monter fortement",
          "c’est le seul temps moteur.", "chasse les gaz brûlés", "Piston", "Bielle", "Vilebrequin",
          "Cylindre", "Soupape d’admission", "Soupape d’échappement", "Bougie", "Tubulure d’admission",
          "Collecteur d’échappement", "p₂ = 23,4 bar", "p₃ = 70,2 bar", "p₄ = 3,0 bar"}) {
        EXPECT_NE(answers.find(printed), std::string::npos) << "the sheet lacks " << printed;
        EXPECT_EQ(blank.find(printed), std::string::npos) << "the exercise gives away " << printed;
    }
    for (const char* wrong : {"echappement", "fermee", "melange", "Etincelle", "degres", "s'en suit", "Arrive ",
                              "xplosion", "l’air ou", "en bas du cylindre", "'", "de à"})
        for (const std::string* text : {&answers, &blank})
            EXPECT_EQ(text->find(wrong), std::string::npos) << "a sheet says " << wrong;
    EXPECT_NE(blank.find("Temps … : ………"), std::string::npos) << blank;
    // The summary table: the lesson's filled from the model's laws, the exercise's to fill.
    const std::string table = popplerSays("pdftotext -layout -f 5 -l 5 " + sheet + " -");
    const std::string tableToFill = popplerSays("pdftotext -layout -f 5 -l 5 " + exercise + " -");
    for (const char* row : {"1\\s+Admission\\s+du PMH au PMB\\s+ouverte\\s+fermée\\s+de 0° à 180°",
                            "2\\s+Compression\\s+du PMB au PMH\\s+fermée\\s+fermée\\s+de 180° à 360°",
                            "3\\s+Combustion-détente\\s+du PMH au PMB\\s+fermée\\s+fermée\\s+de 360° à 540°",
                            "4\\s+Échappement\\s+du PMB au PMH\\s+fermée\\s+ouverte\\s+de 540° à 720°"})
        EXPECT_TRUE(std::regex_search(table, std::regex(row))) << row << "\n" << table;
    EXPECT_NE(tableToFill.find("Complétez le tableau pour chaque temps."), std::string::npos) << tableToFill;
    EXPECT_NE(tableToFill.find("Pièce 1"), std::string::npos) << tableToFill;
    for (const char* answer : {"du PMH au PMB", "du PMB au PMH", "ouverte", "fermée", "de 0° à 180°", "Compression"})
        EXPECT_EQ(tableToFill.find(answer), std::string::npos) << "the exercise's table gives away " << answer;
    // The exercise's pages ask for the pupil's name, class and date, and say what to do.
    for (const char* asked : {"Nom :", "Classe :", "Date :", "Complétez le titre de chaque temps",
                              "Complétez les cases : le nom de chaque temps, de chaque courbe", "calculez p₂, p₃ et p₄",
                              "p₂ = ………… bar"})
        EXPECT_NE(blank.find(asked), std::string::npos) << "the exercise lacks " << asked;
}

TEST(StillsWorksheet, TheSeedShufflesTheExerciseAndTheKeyWritesItsAnswersInTheSameOrder)
{
    const Scratch dir;
    const std::string lesson = dir + "/w.pdf", exercise = dir + "/b.pdf", key = dir + "/k.pdf";
    const Result r = runStills({"--worksheet", lesson, "--worksheet-blank", exercise, "--worksheet-key", key, "--seed", "7"});
    ASSERT_EQ(r.exitCode, 0) << r.errors;
    const std::string answers = popplerSays("pdftotext " + key + " -");
    const std::string blank = popplerSays("pdftotext " + exercise + " -");
    // The key names its series and order; the exercise gives neither.
    EXPECT_NE(answers.find("Corrigé de la série 7 : les temps dans l’ordre 3, 1, 2, 4."), std::string::npos) << answers;
    EXPECT_EQ(blank.find("Corrigé"), std::string::npos);
    // Every page of the exercise asks for the pupil's name, class and date and says what to do.
    for (int page = 1; page <= 5; ++page) {
        const std::string text = popplerSays("pdftotext -f " + std::to_string(page) + " -l " + std::to_string(page) +
                                             " " + exercise + " -");
        for (const char* asked : {"Nom :", "Classe :", "Date :", "Complétez"})
            EXPECT_NE(text.find(asked), std::string::npos) << "page " << page << " lacks " << asked;
    }
    // In the program's own look too, the exercise names no part.
    const std::string screen = dir + "/s.pdf";
    ASSERT_EQ(runStills({"--worksheet-blank", screen, "--style", "screen"}).exitCode, 0);
    const std::string screenText = popplerSays("pdftotext " + screen + " -");
    for (const char* part : {"Piston", "Bielle", "Vilebrequin", "Cylindre", "Soupape d", "Bougie", "Tubulure", "Collecteur"})
        EXPECT_EQ(screenText.find(part), std::string::npos) << "the screen-style exercise names " << part;
    // With a real engine's angles, the lesson's circle says why the valves open early and close late.
    const std::string real = dir + "/r.pdf";
    ASSERT_EQ(runStills({"--worksheet", real, "--aoa", "10", "--rfa", "40", "--aoe", "45", "--rfe", "10", "--aa", "15"}).exitCode, 0);
    const std::string realText = popplerSays("pdftotext -f 4 -l 4 " + real + " -");
    for (const char* why : {"inertie", "avant le PMH (AOA)", "après le PMB (RFA)", "avant le PMB (AOE)",
                            "après le PMH (RFE)", "avant le PMH (AA)"})
        EXPECT_NE(realText.find(why), std::string::npos) << "the real cycle's caption lacks " << why << realText;
    EXPECT_NE(popplerSays("pdftotext -f 3 -l 3 " + real + " -").find("Distribution théorique, allumage avec avance (AA)"),
              std::string::npos);
    // The parts list once, under the last strokes, so that the first page keeps its room to write.
    for (const std::string* text : {&answers, &blank}) {
        const size_t list = text->find("Les pièces");
        ASSERT_NE(list, std::string::npos);
        EXPECT_EQ(text->find("Les pièces", list + 1), std::string::npos) << "the parts list twice";
    }
    // The key's titles in that order, with their explanations and the parts' names.
    size_t last = 0;
    for (const char* title : {"Temps 3 : Combustion-détente (temps moteur)", "Temps 1 : Admission",
                              "Temps 2 : Compression", "Temps 4 : Échappement"}) {
        const size_t at = answers.find(title);
        ASSERT_NE(at, std::string::npos) << title;
        EXPECT_GT(at, last) << title << " out of the exercise's order";
        last = at;
    }
    for (const char* written : {"aspire le mélange air-essence", "Piston", "Bielle", "Vilebrequin", "Cylindre",
                                "Soupape d’admission", "Soupape d’échappement", "Bougie", "Tubulure d’admission",
                                "Collecteur d’échappement"}) {
        EXPECT_NE(answers.find(written), std::string::npos) << "the key lacks " << written;
        EXPECT_EQ(blank.find(written), std::string::npos) << "the exercise gives away " << written;
    }
    // The exercise's pictures are the key's, one for one, and the lesson's in the seed's order:
    // its first block is the power stroke, not the intake.
    const std::vector<Image> inOrder = pdfImages(dir, lesson);
    const std::vector<Image> shown = pdfImages(dir, exercise);
    const std::vector<Image> keyed = pdfImages(dir, key);
    ASSERT_EQ(inOrder.size(), 4u);
    ASSERT_EQ(shown.size(), 4u);
    ASSERT_EQ(keyed.size(), 4u);
    const int order[4] = {3, 1, 2, 4};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(shown[i].rgb, keyed[i].rgb) << "picture " << i + 1;
        EXPECT_EQ(shown[i].rgb, inOrder[order[i] - 1].rgb) << "picture " << i + 1 << " is not stroke " << order[i];
    }
    // A seed is a whole number; anything else is refused like every other bad value.
    for (const char* bad : {"-1", "x", "1.5", "1000000"})
        EXPECT_EQ(runStills({"--seed", bad, "--worksheet-key", dir + "/bad.pdf"}).exitCode, 2) << bad;
    EXPECT_FALSE(exists(dir + "/bad.pdf"));
}

// The words of a page as pdftotext -bbox gives them, with their boxes (points, y down).
struct Word {
    std::string text;
    double xMin, yMin, xMax, yMax;
};

std::vector<Word> wordsOf(const std::string& pdf, int page)
{
    std::string boxes;
    EXPECT_EQ(run("pdftotext -bbox -f " + std::to_string(page) + " -l " + std::to_string(page) + " " + pdf + " -", 20,
                  &boxes), 0);
    std::vector<Word> words;
    for (size_t at = boxes.find("<word "); at != std::string::npos; at = boxes.find("<word ", at + 1)) {
        const size_t from = boxes.find('>', at) + 1;
        words.push_back({boxes.substr(from, boxes.find('<', from) - from), wordField(boxes, at, "xMin"),
                         wordField(boxes, at, "yMin"), wordField(boxes, at, "xMax"), wordField(boxes, at, "yMax")});
    }
    return words;
}

const Word* findWord(const std::vector<Word>& words, const std::string& text)
{
    for (const Word& w : words)
        if (w.text == text) return &w;
    return nullptr;
}

TEST(StillsWorksheet, TheKeysFiguresAreTheExercisesWithEveryBoxWrittenInDarkItalicOnATint)
{
    const Scratch dir;
    const std::string exercise = dir + "/b.pdf", key = dir + "/k.pdf";
    ASSERT_EQ(runStills({"--worksheet-blank", exercise, "--worksheet-key", key, "--seed", "7"}).exitCode, 0);
    const std::vector<std::string> answers[2] = {
        {"Admission", "Compression", "Combustion-détente", "Échappement", "Piston", "d’admission", "d’échappement",
         "Étincelle"},
        {"Admission", "Compression", "Combustion-détente", "Échappement", "Détente", "Combustion", "360°", "23,4",
         "70,2"}};
    for (int page : {3, 4}) {
        SCOPED_TRACE("page " + std::to_string(page));
        const std::vector<Word> asked = wordsOf(exercise, page), written = wordsOf(key, page);
        // Every word of the exercise where it stands there, but the pupil's fields and the blanks
        // for the pressures, which the key fills.
        for (const Word& w : asked) {
            if (w.text == "Nom" || w.text == "Classe" || w.text == "Date" || w.text == ":" || w.text == "…………") continue;
            bool same = false;
            for (const Word& k : written)
                same = same || (k.text == w.text && std::fabs(k.xMin - w.xMin) < 0.5 && std::fabs(k.yMin - w.yMin) < 0.5);
            EXPECT_TRUE(same) << "the key moves or lacks « " << w.text << " »";
        }
        for (const std::string& answer : answers[page - 3]) {
            EXPECT_NE(findWord(written, answer), nullptr) << "the key lacks " << answer;
            EXPECT_EQ(findWord(asked, answer), nullptr) << "the exercise gives away " << answer;
        }
        if (page == 4) {
            auto count = [](const std::vector<Word>& words, const char* text) {
                return std::count_if(words.begin(), words.end(), [&](const Word& w) { return w.text == text; });
            };
            EXPECT_EQ(count(written, "3,0"), count(asked, "3,0") + 1) << "the key lacks p₄";
        }
        // In italic, the key's alone.
        EXPECT_NE(popplerSays("pdffonts -f " + std::to_string(page) + " -l " + std::to_string(page) + " " + key)
                      .find("Oblique"), std::string::npos);
        EXPECT_EQ(popplerSays("pdffonts -f " + std::to_string(page) + " -l " + std::to_string(page) + " " + exercise)
                      .find("Oblique"), std::string::npos);
    }
    // In grey, an answer stands on its tint where the exercise's box is white inside: the pixels
    // round « Piston » on page 3 at a point a pixel.
    Image grey[2];
    for (int i = 0; i < 2; ++i) {
        const std::string pdf = i == 0 ? exercise : key;
        ASSERT_EQ(run("pdftoppm -gray -png -r 72 -f 3 -l 3 " + pdf + " " + dir.dir + "/grey" + std::to_string(i)), 0);
        std::string why;
        ASSERT_TRUE(readPng(dir + ("/grey" + std::to_string(i) + "-3.png"), &grey[i], &why)) << why;
    }
    const std::vector<Word> keyWords = wordsOf(key, 3);          // the word found points into it
    const Word* piston = findWord(keyWords, "Piston");
    ASSERT_NE(piston, nullptr);
    int tint[2] = {0, 0}, all = 0;
    for (int y = static_cast<int>(piston->yMin) + 1; y < static_cast<int>(piston->yMax); ++y)
        for (int x = static_cast<int>(piston->xMin) + 1; x < static_cast<int>(piston->xMax); ++x, ++all)
            for (int i = 0; i < 2; ++i) tint[i] += std::abs(grey[i].r(x, y) - 217) < 15;
    EXPECT_GT(tint[1], all / 3) << "the answer has no tint behind it";
    EXPECT_LT(tint[0], all / 20) << "the exercise's box is not white inside";
}

// The spark's yellow star, as a page rendered by poppler shows it: pixels of its fill (the
// valves' yellow is darker, the gas's tint bluer) in each half of a strokes page.
int sparkPixels(const Image& page, bool top)
{
    int count = 0;
    for (int y = top ? 0 : page.height / 2; y < (top ? page.height / 2 : page.height); ++y)
        for (int x = 0; x < page.width; ++x)
            count += page.r(x, y) > 240 && page.g(x, y) > 190 && page.g(x, y) < 235 && page.b(x, y) < 80;
    return count;
}

TEST(StillsWorksheet, TheSparkStandsOnThePowerStrokesPictureAloneWhereverTheSeedPutsIt)
{
    const Scratch dir;
    const std::string lesson = dir + "/w.pdf", exercise = dir + "/b.pdf";
    ASSERT_EQ(runStills({"--worksheet", lesson, "--worksheet-blank", exercise, "--seed", "7"}).exitCode, 0);
    // The lesson's strokes in order, two a page; the seed's exercise has them 3, 1, 2, 4.
    for (const auto& [file, powerBlock] : {std::pair<std::string, int>{lesson, 2}, {exercise, 0}}) {
        ASSERT_EQ(run("pdftoppm -r 100 -png -f 1 -l 2 " + file + " " + dir.dir + "/page"), 0);
        for (int block = 0; block < 4; ++block) {
            Image page;
            std::string why;
            ASSERT_TRUE(readPng(dir + ("/page-" + std::to_string(block / 2 + 1) + ".png"), &page, &why)) << why;
            const int star = sparkPixels(page, block % 2 == 0);
            if (block == powerBlock) EXPECT_GT(star, 20) << file << ": no spark on the power stroke";
            else EXPECT_EQ(star, 0) << file << ": a spark on block " << block + 1;
        }
    }
}

// The frames of a GIF as they are shown, each drawn over the one before; with the delays (in
// hundredths of a second) and whether it loops forever.
struct Gif {
    std::vector<Image> frames;
    std::vector<int> delays;
    bool loopsForever = false;
    std::vector<int> frameAreas;            // pixels each frame stores
};

Gif readGif(const std::string& path)
{
    Gif out;
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    if (gif == nullptr || DGifSlurp(gif) != GIF_OK) return out;
    Image canvas;
    canvas.width = gif->SWidth;
    canvas.height = gif->SHeight;
    canvas.rgb.assign(static_cast<size_t>(canvas.width) * canvas.height * 3, 0);
    for (int i = 0; i < gif->ImageCount; ++i) {
        const SavedImage& frame = gif->SavedImages[i];
        for (int e = 0; e + 1 < frame.ExtensionBlockCount; ++e) {
            const ExtensionBlock& app = frame.ExtensionBlocks[e];
            const ExtensionBlock& data = frame.ExtensionBlocks[e + 1];
            out.loopsForever |= app.Function == APPLICATION_EXT_FUNC_CODE && app.ByteCount == 11 &&
                                std::memcmp(app.Bytes, "NETSCAPE2.0", 11) == 0 && data.ByteCount == 3 &&
                                data.Bytes[0] == 1 && data.Bytes[1] == 0 && data.Bytes[2] == 0;
        }
        GraphicsControlBlock control{};
        DGifSavedExtensionToGCB(gif, i, &control);
        out.delays.push_back(control.DelayTime);
        const GifImageDesc& d = frame.ImageDesc;
        out.frameAreas.push_back(d.Width * d.Height);
        const ColorMapObject* map = d.ColorMap ? d.ColorMap : gif->SColorMap;
        for (int y = 0; y < d.Height; ++y)
            for (int x = 0; x < d.Width; ++x) {
                const int index = frame.RasterBits[y * d.Width + x];
                if (index == control.TransparentColor) continue;
                uint8_t* p = &canvas.rgb[(static_cast<size_t>(d.Top + y) * canvas.width + d.Left + x) * 3];
                p[0] = map->Colors[index].Red, p[1] = map->Colors[index].Green, p[2] = map->Colors[index].Blue;
            }
        out.frames.push_back(canvas);
    }
    DGifCloseFile(gif, &error);
    return out;
}

TEST(StillsAnimation, LoopsThroughOneCycleAtTheStatedSpeedWithoutTheProgramsTexts)
{
    const Scratch dir;
    const Result r = runStills({"--animation", dir + "/p.gif", "--frames", "8", "--size", "400x300", "--style", "print"});
    const Result again = runStills({"--animation", dir + "/s.gif", "--frames", "2"});
    ASSERT_EQ(r.exitCode, 0) << r.errors;
    ASSERT_EQ(again.exitCode, 0) << again.errors;
    const Gif print = readGif(dir + "/p.gif");
    ASSERT_EQ(print.frames.size(), 8u);
    EXPECT_EQ(print.frames[0].width, 400);
    EXPECT_TRUE(print.loopsForever);
    for (size_t i = 1; i < 8; ++i) EXPECT_LT(print.frameAreas[i], 400 * 300) << "frame " << i << " is whole";
    // Eight frames 90 degrees apart: the piston at the top at 0 and 360, at the bottom at 180 and 540.
    double pistonX[8];
    for (int i = 0; i < 8; ++i) pistonX[i] = placesIn(print.frames[static_cast<size_t>(i)]).pistonX;
    EXPECT_NEAR(pistonX[0], pistonX[4], 2.0);
    EXPECT_NEAR(pistonX[2], pistonX[6], 2.0);
    EXPECT_GT(pistonX[0], pistonX[2] + 20);
    EXPECT_GT(pistonX[4], pistonX[6] + 20);

    // The speed --help states for the default frames is the speed the GIF plays at.
    const std::string help = runStills({"--help"}).output;
    const size_t stated = help.find(" with the default ");
    ASSERT_NE(stated, std::string::npos) << help;
    const double turnsPerSecond = std::stod(help.substr(help.rfind(' ', stated - 1)));
    const int defaultFrames = std::stoi(help.substr(stated + std::strlen(" with the default ")));
    for (int delay : print.delays) EXPECT_NEAR(2.0 / (defaultFrames * delay / 100.0), turnsPerSecond, 0.005);

    // The screen style's frame without the help screen at its left nor the speed line under it.
    const Gif screen = readGif(dir + "/s.gif");
    ASSERT_EQ(screen.frames.size(), 2u);
    for (const Image& frame : screen.frames) EXPECT_LT(frame.countBright(0, 60, 200, 540), 20);
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
