#include "tools/stills/options.h"

#include <getopt.h>

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "tools/stills/output_plan.h"

namespace stills {

namespace {

constexpr int kMinSide = 16;                // pixels; smaller pictures show nothing readable
constexpr int kMaxSide = 8192;              // pixels; the software renderer's buffer limit
constexpr int kMinFrames = 2;
constexpr int kMaxFrames = static_cast<int>(kCycleDeg);   // one frame a degree
constexpr const char* kStandardOutput = "-";
constexpr double kMaxTimingShiftDeg = 90.0; // advance or delay: a quarter turn at most
constexpr double kMinCompressionRatio = 3.0;   // the petrol engines' range, the model's 3.6 in it
constexpr double kMaxCompressionRatio = 14.0;
constexpr double kMinPressureRise = 2.5;
constexpr double kMaxPressureRise = 5.0;

const char* const kUsage =
    "Usage: tarvex-stills [OPTION]...\n"
    "Write pictures of the Tarvex four-stroke engine for teaching: stills, a cycle\n"
    "animation, the timing of one cycle as a table and a labelled diagram, and an A4\n"
    "worksheet.\n"
    "Pictures of the engine need an X display; without one a private Xvfb is started.\n"
    "\n"
    "Pictures of the engine:\n"
    "      --output=FILE           write one frame as a PNG image to FILE\n"
    "      --animation=FILE        write one whole cycle (0 to 720 degrees) as a\n"
    "                              looping GIF for slides: the engine and the\n"
    "                              stroke's title, without the help screen, the speed\n"
    "                              line or the credit. It plays at 25 frames a\n"
    "                              second: a cycle (two turns) in N/25 seconds, 50/N\n"
    "                              turns a second, 0.35 with the default 144 frames\n"
    "      --frames=N              frames of the animation, 2 to 720 (default 144)\n"
    "      --worksheet=FILE        write an A4 PDF worksheet: the four strokes, two a\n"
    "                              page, each with its explanation and a picture\n"
    "                              whose parts are named beside it, then the timing\n"
    "                              diagram\n"
    "      --worksheet-blank=FILE  the same worksheet as an exercise: headings and\n"
    "                              ruled lines to fill, the parts numbered for the\n"
    "                              pupil to name, the diagram's names left blank\n"
    "\n"
    "How the engine is shown:\n"
    "      --style=STYLE           screen: the program's own frame (the default for\n"
    "                              --output and --animation); print: a line drawing\n"
    "                              on white that a grey photocopy keeps readable,\n"
    "                              without texts (the default for the worksheets)\n"
    "      --angle=DEG             crank angle of the still, 0 to 720 degrees\n"
    "                              (default 0)\n"
    "      --view=MODE             engine, block, crank or valves: the part group\n"
    "                              singled out in the screen style (default crank)\n"
    "      --size=WxH              image size in pixels, each 16 to 8192 (default\n"
    "                              800x600)\n"
    "      --help-screen=on|off    the list of keyboard and mouse commands on a\n"
    "                              screen still (default on)\n"
    "      --explanations=on|off   the three lines explaining the stroke on a screen\n"
    "                              still (default on)\n"
    "      --gas=on|off            the gas in the cylinder (default on)\n"
    "      --block=on|off          the engine block (default on)\n"
    "      --textures=on|off       the aluminium texture on the block (default off);\n"
    "                              the image textureAluminum.ppm is read from the\n"
    "                              working directory, and one that is missing or\n"
    "                              cannot be used is an error\n"
    "\n"
    "The timing of one cycle (no display needed):\n"
    "      --timing=FILE           the labelled diagram, PNG, SVG or PDF by the\n"
    "                              extension of FILE; - writes the SVG to\n"
    "                              standard output\n"
    "      --timing-png=FILE       the diagram as a PNG image, FILE named as you\n"
    "                              like but for another kind's extension\n"
    "      --timing-csv=FILE       a CSV table, one row per degree from 0 to 720:\n"
    "                              angle, piston_x, rod_angle_deg, intake_lift,\n"
    "                              exhaust_lift, spark, stroke; - writes it to\n"
    "                              standard output\n"
    "\n"
    "The figures of the textbooks (no display needed), PNG, SVG or PDF by the\n"
    "extension of FILE:\n"
    "      --valve-circle=FILE     the valve-timing circle: the two crank turns of a\n"
    "                              cycle as a spiral, the strokes, the valves and the\n"
    "                              spark as the engine runs them\n"
    "      --valve-circle-blank=FILE  the same for exercises: empty boxes for the\n"
    "                              strokes' names and the angles\n"
    "      --aoa=DEG --rfa=DEG --aoe=DEG --rfe=DEG --aa=DEG\n"
    "                              the circle of a real engine: the intake opens DEG\n"
    "                              before top dead centre (AOA) and closes after\n"
    "                              bottom dead centre (RFA), the exhaust opens before\n"
    "                              bottom (AOE) and closes after top dead centre\n"
    "                              (RFE), the spark fires before top dead centre (AA);\n"
    "                              0 to 90 degrees, 0 when not given. The engine's\n"
    "                              pictures keep its own cycle\n"
    "      --pv=FILE               the p-V diagram of the theoretical cycle, with the\n"
    "                              cylinder's own volumes\n"
    "      --pv-blank=FILE         the same for exercises: empty boxes for the\n"
    "                              strokes' names\n"
    "      --compression-ratio=R   the p-V diagram's compression ratio, 3 to 14\n"
    "                              (default the engine's own)\n"
    "      --pressure-rise=K       the combustion's pressure rise at constant volume,\n"
    "                              p3/p2, 2.5 to 5 (default 3)\n"
    "The worksheets end with both figures, the blank worksheet with their blank\n"
    "variants; these options apply there too.\n"
    "\n"
    "  -h, --help                  display this help and exit\n"
    "      --version               output version information and exit\n"
    "\n"
    "Options take their value after '=' or as the next argument (--angle 90), and may\n"
    "be shortened to any start that names one of them alone (--anim).\n"
    "\n"
    "Files: every output is checked before anything is drawn. A name with another\n"
    "kind's extension (a GIF named .png, a PNG named .gif; the kinds are .png, .gif,\n"
    ".pdf, .svg, .csv) is refused, not written as the other kind, and so is one file\n"
    "named for two outputs. A file is written beside its place under a unique\n"
    "temporary name and put in place only when complete, with the owner and mode of\n"
    "the file it replaces; a failure or an interruption (Ctrl-C, SIGTERM, SIGHUP)\n"
    "leaves the old file whole and no temporary behind. A link to a file has that\n"
    "file replaced and stays a link. A device, a named pipe and /dev/stdout are\n"
    "written to, never replaced; a named pipe that nothing reads is refused at once.\n"
    "The private Xvfb admits this run alone: it takes no TCP connections and asks for\n"
    "a cookie kept in a private folder under TMPDIR (or /tmp), removed at the end.\n"
    "\n"
    "Exit status: 0 done; 1 a file could not be written, no display, an unusable\n"
    "texture or not enough memory; 2 bad options or output names.\n";

enum OptionId {
    kOutput = 256, kAnimation, kFrames, kWorksheet, kWorksheetBlank, kAngle, kView, kSize,
    kHelpScreen, kExplanations, kGas, kBlock, kTextures, kTiming, kTimingPng, kTimingCsv, kVersion, kStyle,
    kValveCircle, kValveCircleBlank, kPv, kPvBlank, kAoa, kRfa, kAoe, kRfe, kAa, kCompressionRatio,
    kPressureRise,
};

const option kLongOptions[] = {
    {"output", required_argument, nullptr, kOutput},
    {"animation", required_argument, nullptr, kAnimation},
    {"frames", required_argument, nullptr, kFrames},
    {"worksheet", required_argument, nullptr, kWorksheet},
    {"worksheet-blank", required_argument, nullptr, kWorksheetBlank},
    {"angle", required_argument, nullptr, kAngle},
    {"view", required_argument, nullptr, kView},
    {"size", required_argument, nullptr, kSize},
    {"help-screen", required_argument, nullptr, kHelpScreen},
    {"explanations", required_argument, nullptr, kExplanations},
    {"gas", required_argument, nullptr, kGas},
    {"block", required_argument, nullptr, kBlock},
    {"textures", required_argument, nullptr, kTextures},
    {"style", required_argument, nullptr, kStyle},
    {"timing", required_argument, nullptr, kTiming},
    {"timing-png", required_argument, nullptr, kTimingPng},
    {"timing-csv", required_argument, nullptr, kTimingCsv},
    {"valve-circle", required_argument, nullptr, kValveCircle},
    {"valve-circle-blank", required_argument, nullptr, kValveCircleBlank},
    {"pv", required_argument, nullptr, kPv},
    {"pv-blank", required_argument, nullptr, kPvBlank},
    {"aoa", required_argument, nullptr, kAoa},
    {"rfa", required_argument, nullptr, kRfa},
    {"aoe", required_argument, nullptr, kAoe},
    {"rfe", required_argument, nullptr, kRfe},
    {"aa", required_argument, nullptr, kAa},
    {"compression-ratio", required_argument, nullptr, kCompressionRatio},
    {"pressure-rise", required_argument, nullptr, kPressureRise},
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, kVersion},
    {nullptr, 0, nullptr, 0},
};

bool parseSwitch(const std::string& value, bool* out)
{
    if (value == "on") { *out = true; return true; }
    if (value == "off") { *out = false; return true; }
    return false;
}

bool parseCount(const std::string& text, int max, int* out)
{
    if (text.empty() || text[0] == '-' || text[0] == '+') return false;
    errno = 0;
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || v > max) return false;
    *out = static_cast<int>(v);
    return true;
}

bool parseSize(const std::string& text, int* width, int* height)
{
    const size_t x = text.find('x');
    if (x == std::string::npos) return false;
    return parseCount(text.substr(0, x), kMaxSide, width) && parseCount(text.substr(x + 1), kMaxSide, height)
           && *width >= kMinSide && *height >= kMinSide;
}

bool parseNumber(const std::string& text, double min, double max, double* out)
{
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (errno != 0 || *end != '\0' || !std::isfinite(v) || v < min || v > max) return false;
    *out = v;
    return true;
}

bool parseStyle(const std::string& text, PictureStyle* out)
{
    if (text == "screen") *out = PictureStyle::screen;
    else if (text == "print") *out = PictureStyle::print;
    else return false;
    return true;
}

bool parseAngle(const std::string& text, double* out) { return parseNumber(text, 0.0, kCycleDeg, out); }

bool parseShift(const std::string& text, RealTiming* timing, double* out)
{
    timing->given = true;
    return parseNumber(text, 0.0, kMaxTimingShiftDeg, out);
}

bool parseFigureFile(const std::string& text, FigureFile* out)
{
    out->path = text;
    return formatOf(text, &out->format);
}

bool parseView(const std::string& text, ViewMode* out)
{
    if (text == "engine") *out = VIEW_ENGINE;
    else if (text == "block") *out = VIEW_BLOCK;
    else if (text == "crank") *out = VIEW_CRANK;
    else if (text == "valves") *out = VIEW_VALVES;
    else return false;
    return true;
}

bool isFileName(const std::string& value, std::string* out)
{
    *out = value;
    return !value.empty();
}

// Takes one option's value; returns what was expected when it is bad, else nullptr.
const char* takeValue(int id, const std::string& v, Options* o)
{
    ViewSettings& s = o->settings;
    RealTiming& t = o->figures.timing;
    constexpr const char* kFigureName = "a file name ending in .png, .svg or .pdf";
    constexpr const char* kShift = "degrees from 0 to 90";
    switch (id) {
    case kOutput: return isFileName(v, &o->output) ? nullptr : "a file name";
    case kAnimation: return isFileName(v, &o->animation) ? nullptr : "a file name";
    case kWorksheet: return isFileName(v, &o->worksheet) ? nullptr : "a file name";
    case kWorksheetBlank: return isFileName(v, &o->worksheetBlank) ? nullptr : "a file name";
    case kTimingPng: return isFileName(v, &o->timingPng) ? nullptr : "a file name";
    case kTimingCsv: return isFileName(v, &o->timingCsv) ? nullptr : "a file name";
    case kTiming:
        o->timing = v;
        if (v == kStandardOutput) o->timingFormat = DocumentFormat::svg;
        if (v == kStandardOutput || formatOf(v, &o->timingFormat)) return nullptr;
        return "a file name ending in .png, .svg or .pdf, or -";
    case kValveCircle: return parseFigureFile(v, &o->valveCircle) ? nullptr : kFigureName;
    case kValveCircleBlank: return parseFigureFile(v, &o->valveCircleBlank) ? nullptr : kFigureName;
    case kPv: return parseFigureFile(v, &o->pv) ? nullptr : kFigureName;
    case kPvBlank: return parseFigureFile(v, &o->pvBlank) ? nullptr : kFigureName;
    case kAoa: return parseShift(v, &t, &t.intakeOpensBeforeTdc) ? nullptr : kShift;
    case kRfa: return parseShift(v, &t, &t.intakeClosesAfterBdc) ? nullptr : kShift;
    case kAoe: return parseShift(v, &t, &t.exhaustOpensBeforeBdc) ? nullptr : kShift;
    case kRfe: return parseShift(v, &t, &t.exhaustClosesAfterTdc) ? nullptr : kShift;
    case kAa: return parseShift(v, &t, &t.sparkBeforeTdc) ? nullptr : kShift;
    case kCompressionRatio:
        return parseNumber(v, kMinCompressionRatio, kMaxCompressionRatio, &o->figures.pv.compressionRatio)
                   ? nullptr : "a compression ratio from 3 to 14";
    case kPressureRise:
        return parseNumber(v, kMinPressureRise, kMaxPressureRise, &o->figures.pv.pressureRise)
                   ? nullptr : "a pressure ratio from 2.5 to 5";
    case kFrames:
        return parseCount(v, kMaxFrames, &o->frames) && o->frames >= kMinFrames ? nullptr : "a count from 2 to 720";
    case kAngle: return parseAngle(v, &o->angleDeg) ? nullptr : "degrees from 0 to 720";
    case kView: return parseView(v, &s.scene.viewMode) ? nullptr : "engine, block, crank or valves";
    case kSize: return parseSize(v, &s.width, &s.height) ? nullptr : "WIDTHxHEIGHT, each 16 to 8192 pixels";
    case kHelpScreen: return parseSwitch(v, &s.scene.showHelp) ? nullptr : "on or off";
    case kExplanations: return parseSwitch(v, &s.scene.showExplanations) ? nullptr : "on or off";
    case kGas: return parseSwitch(v, &s.scene.showGas) ? nullptr : "on or off";
    case kBlock: return parseSwitch(v, &s.scene.showBlock) ? nullptr : "on or off";
    case kTextures: return parseSwitch(v, &s.scene.texturesOn) ? nullptr : "on or off";
    case kStyle:
        o->styleGiven = true;
        return parseStyle(v, &s.style) ? nullptr : "print or screen";
    default: return "nothing";
    }
}

const char* optionName(int id)
{
    for (const option& o : kLongOptions)
        if (o.name != nullptr && o.val == id) return o.name;
    return "?";
}

// What is wrong with an argument getopt refused: an unknown option, or the start of several.
std::string refusedOption(const std::string& argument)
{
    const std::string start = argument.substr(0, argument.find('='));
    std::string candidates;
    int count = 0;
    for (const option& o : kLongOptions)
        if (o.name != nullptr && start.size() > 2 && start.compare(0, 2, "--") == 0
            && std::string(o.name).compare(0, start.size() - 2, start, 2) == 0) {
            candidates += (count++ == 0 ? "--" : ", --") + std::string(o.name);
        }
    if (count > 1) return "ambiguous option '" + start + "': it could be " + candidates;
    return "unknown option '" + argument + "'";
}

}  // namespace

bool Options::needsDisplay() const
{
    return !output.empty() || !animation.empty() || !worksheet.empty() || !worksheetBlank.empty();
}

bool Options::writesFigures() const
{
    return !valveCircle.path.empty() || !valveCircleBlank.path.empty() || !pv.path.empty() || !pvBlank.path.empty();
}

std::string parseOptions(int argc, char** argv, Options* o)
{
    opterr = 0;                             // the messages below name the option and its value
    optind = 0;                             // 0: getopt starts afresh, the GNU way
    for (;;) {
        const int id = getopt_long(argc, argv, ":h", kLongOptions, nullptr);
        if (id == -1) break;
        if (id == 'h') { o->help = true; continue; }
        if (id == kVersion) { o->version = true; continue; }
        if (id == ':') return std::string("option --") + optionName(optopt) + " needs a value";
        if (id == '?') {
            if (optopt != 0) return std::string("unknown option '-") + static_cast<char>(optopt) + "'";
            return refusedOption(argv[optind - 1]);
        }
        const std::string value = optarg;
        if (const char* expected = takeValue(id, value, o))
            return "bad value '" + value + "' for --" + optionName(id) + ": expected " + expected;
    }
    if (optind < argc) return std::string("unexpected argument '") + argv[optind] + "'";
    if (!o->help && !o->version && !o->needsDisplay() && o->timingCsv.empty() && o->timingPng.empty()
        && o->timing.empty() && !o->writesFigures())
        return "nothing to write: give --output, --animation, --worksheet, --worksheet-blank, "
               "--timing, --timing-png, --timing-csv, --valve-circle, --valve-circle-blank, --pv or --pv-blank";
    return namingProblem(plannedOutputs(*o));
}

const char* usageText() { return kUsage; }

}  // namespace stills
