#include "tools/stills/option_table.h"

namespace stills {

namespace {

constexpr double kMinSide = 16;             // pixels; smaller pictures show nothing readable
constexpr double kMaxSide = 8192;           // pixels; the software renderer's buffer limit
constexpr double kMinFrames = 2;            // fewer do not move
constexpr double kMaxFrames = kCycleDeg;    // one frame a degree
constexpr double kMaxSeed = 999999;         // six digits, easy to note on the key
constexpr double kMaxTimingShiftDeg = 90.0; // advance or delay: a quarter turn at most
constexpr double kMinCompressionRatio = 3.0;   // the petrol engines' range, the model's 3.6 in it
constexpr double kMaxCompressionRatio = 14.0;
constexpr double kMinPressureRise = 2.5;
constexpr double kMaxPressureRise = 5.0;

constexpr OptionRange kNoRange{};
constexpr OptionRange kShiftRange{0.0, kMaxTimingShiftDeg};
constexpr const char* kShiftDegrees = "degrees";
constexpr bool kDrawsEngine = true;

bool* realTimingGiven(Options& o) { return &o.figures.timing.given; }
bool* styleGiven(Options& o) { return &o.styleGiven; }

const char* const kHead =
    "Usage: tarvex-stills [OPTION]...\n"
    "Write pictures of the Tarvex four-stroke engine for teaching: stills, a cycle\n"
    "animation, the timing of one cycle as a table and a labelled diagram, and an A4\n"
    "worksheet.\n"
    "Pictures of the engine need an X display; without one a private Xvfb is started.\n"
    "\n"
    "Pictures of the engine:\n";

const char* const kTail =
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

}  // namespace

const std::vector<OptionRow>& optionTable()
{
    static const std::vector<OptionRow> rows = {
        // Pictures of the engine.
        {"output", 0, "FILE", OptionKind::file, +[](Options& o) { return &o.output; }, nullptr, kNoRange,
         nullptr, OptionOutput{Output::still, OutputKind::png, kDrawsEngine}, nullptr,
         "write one frame as a PNG image to FILE"},
        {"animation", 0, "FILE", OptionKind::file, +[](Options& o) { return &o.animation; }, nullptr, kNoRange,
         nullptr, OptionOutput{Output::animation, OutputKind::gif, kDrawsEngine}, nullptr,
         "write one whole cycle (0 to 720 degrees) as a\n"
         "looping GIF for slides: the engine and the\n"
         "stroke's title, without the help screen, the speed\n"
         "line or the credit. It plays at 25 frames a\n"
         "second: a cycle (two turns) in N/25 seconds, 50/N\n"
         "turns a second, 0.35 with the default 144 frames"},
        {"frames", 0, "N", OptionKind::count, +[](Options& o) { return &o.frames; }, nullptr,
         {kMinFrames, kMaxFrames}, "a count", std::nullopt, nullptr,
         "frames of the animation, 2 to 720 (default 144)"},
        {"worksheet", 0, "FILE", OptionKind::file, +[](Options& o) { return &o.worksheet; }, nullptr, kNoRange,
         nullptr, OptionOutput{Output::worksheet, OutputKind::pdf, kDrawsEngine}, nullptr,
         "write an A4 PDF worksheet: the four strokes, two a\n"
         "page, each with its explanation and a picture\n"
         "whose parts are named beside it, then the timing\n"
         "diagram"},
        {"worksheet-blank", 0, "FILE", OptionKind::file, +[](Options& o) { return &o.worksheetBlank; }, nullptr,
         kNoRange, nullptr, OptionOutput{Output::worksheetBlank, OutputKind::pdf, kDrawsEngine}, nullptr,
         "the same worksheet as an exercise: headings and\n"
         "ruled lines to fill, the parts numbered for the\n"
         "pupil to name, the diagram's names left blank,\n"
         "the strokes in an order --seed sets"},
        {"worksheet-key", 0, "FILE", OptionKind::file, +[](Options& o) { return &o.worksheetKey; }, nullptr,
         kNoRange, nullptr, OptionOutput{Output::worksheetKey, OutputKind::pdf, kDrawsEngine}, nullptr,
         "the exercise's answer key: its pages with every\n"
         "answer written in, dark italic on a tint, and the\n"
         "seed and the strokes' order"},
        {"seed", 0, "N", OptionKind::count, +[](Options& o) { return &o.seed; }, nullptr, {0, kMaxSeed},
         "a whole number", std::nullopt, nullptr,
         "the order of the exercise's strokes, 0 to 999999\n"
         "(default 0): one seed, one exercise and its key"},

        // How the engine is shown.
        {"style", 0, "STYLE", OptionKind::style, +[](Options& o) { return &o.settings.style; }, styleGiven,
         kNoRange, nullptr, std::nullopt, "\nHow the engine is shown:\n",
         "screen: the program's own frame (the default for\n"
         "--output and --animation); print: a line drawing\n"
         "on white that a grey photocopy keeps readable,\n"
         "without texts (the default for the worksheets)"},
        {"angle", 0, "DEG", OptionKind::number, +[](Options& o) { return &o.angleDeg; }, nullptr,
         {0.0, kCycleDeg}, "degrees", std::nullopt, nullptr,
         "crank angle of the still, 0 to 720 degrees\n"
         "(default 0)"},
        {"view", 0, "MODE", OptionKind::view, +[](Options& o) { return &o.settings.scene.viewMode; }, nullptr,
         kNoRange, nullptr, std::nullopt, nullptr,
         "engine, block, crank or valves: the part group\n"
         "singled out in the screen style (default crank)"},
        {"size", 0, "WxH", OptionKind::size, +[](Options& o) { return &o.settings; }, nullptr,
         {kMinSide, kMaxSide}, nullptr, std::nullopt, nullptr,
         "image size in pixels, each 16 to 8192 (default\n"
         "800x600)"},
        {"help-screen", 0, "on|off", OptionKind::onOff, +[](Options& o) { return &o.settings.scene.showHelp; },
         nullptr, kNoRange, nullptr, std::nullopt, nullptr,
         "the list of keyboard and mouse commands on a\n"
         "screen still (default on)"},
        {"explanations", 0, "on|off", OptionKind::onOff,
         +[](Options& o) { return &o.settings.scene.showExplanations; }, nullptr, kNoRange, nullptr, std::nullopt,
         nullptr,
         "the three lines explaining the stroke on a screen\n"
         "still (default on)"},
        {"gas", 0, "on|off", OptionKind::onOff, +[](Options& o) { return &o.settings.scene.showGas; }, nullptr,
         kNoRange, nullptr, std::nullopt, nullptr, "the gas in the cylinder (default on)"},
        {"block", 0, "on|off", OptionKind::onOff, +[](Options& o) { return &o.settings.scene.showBlock; }, nullptr,
         kNoRange, nullptr, std::nullopt, nullptr, "the engine block (default on)"},
        {"textures", 0, "on|off", OptionKind::onOff, +[](Options& o) { return &o.settings.scene.texturesOn; },
         nullptr, kNoRange, nullptr, std::nullopt, nullptr,
         "the aluminium texture on the block (default off);\n"
         "the image textureAluminum.ppm is read from the\n"
         "working directory, and one that is missing or\n"
         "cannot be used is an error"},

        // The timing of one cycle.
        {"timing", 0, "FILE", OptionKind::diagramFile, +[](Options& o) { return &o.timing; }, nullptr, kNoRange,
         nullptr, OptionOutput{Output::timing}, "\nThe timing of one cycle (no display needed):\n",
         "the labelled diagram, PNG, SVG or PDF by the\n"
         "extension of FILE; - writes the SVG to\n"
         "standard output"},
        {"timing-png", 0, "FILE", OptionKind::file, +[](Options& o) { return &o.timingPng; }, nullptr, kNoRange,
         nullptr, OptionOutput{Output::timingPng, OutputKind::png}, nullptr,
         "the diagram as a PNG image, FILE named as you\n"
         "like but for another kind's extension"},
        {"timing-csv", 0, "FILE", OptionKind::file, +[](Options& o) { return &o.timingCsv; }, nullptr, kNoRange,
         nullptr, OptionOutput{Output::timingCsv, OutputKind::csv}, nullptr,
         "a CSV table, one row per degree from 0 to 720:\n"
         "angle, piston_x, rod_angle_deg, intake_lift,\n"
         "exhaust_lift, spark, stroke; - writes it to\n"
         "standard output"},

        // The figures of the textbooks.
        {"valve-circle", 0, "FILE", OptionKind::figureFile, +[](Options& o) { return &o.valveCircle; }, nullptr,
         kNoRange, nullptr, OptionOutput{Output::valveCircle},
         "\nThe figures of the textbooks (no display needed), PNG, SVG or PDF by the\n"
         "extension of FILE:\n",
         "the valve-timing circle: the two crank turns of a\n"
         "cycle as a spiral, the strokes, the valves and the\n"
         "spark as the engine runs them"},
        {"valve-circle-blank", 0, "FILE", OptionKind::figureFile, +[](Options& o) { return &o.valveCircleBlank; },
         nullptr, kNoRange, nullptr, OptionOutput{Output::valveCircleBlank}, nullptr,
         "the same for exercises: empty boxes for the\n"
         "strokes' names and the angles"},
        {"aoa", 0, "DEG", OptionKind::number, +[](Options& o) { return &o.figures.timing.intakeOpensBeforeTdc; },
         realTimingGiven, kShiftRange, kShiftDegrees, std::nullopt, nullptr, nullptr},
        {"rfa", 0, "DEG", OptionKind::number, +[](Options& o) { return &o.figures.timing.intakeClosesAfterBdc; },
         realTimingGiven, kShiftRange, kShiftDegrees, std::nullopt, nullptr, nullptr},
        {"aoe", 0, "DEG", OptionKind::number, +[](Options& o) { return &o.figures.timing.exhaustOpensBeforeBdc; },
         realTimingGiven, kShiftRange, kShiftDegrees, std::nullopt, nullptr, nullptr},
        {"rfe", 0, "DEG", OptionKind::number, +[](Options& o) { return &o.figures.timing.exhaustClosesAfterTdc; },
         realTimingGiven, kShiftRange, kShiftDegrees, std::nullopt, nullptr, nullptr},
        {"aa", 0, "DEG", OptionKind::number, +[](Options& o) { return &o.figures.timing.sparkBeforeTdc; },
         realTimingGiven, kShiftRange, kShiftDegrees, std::nullopt, nullptr,
         "the circle of a real engine: the intake opens DEG\n"
         "before top dead centre (AOA) and closes after\n"
         "bottom dead centre (RFA), the exhaust opens before\n"
         "bottom (AOE) and closes after top dead centre\n"
         "(RFE), the spark fires before top dead centre (AA);\n"
         "0 to 90 degrees, 0 when not given. The engine's\n"
         "pictures keep its own cycle"},
        {"pv", 0, "FILE", OptionKind::figureFile, +[](Options& o) { return &o.pv; }, nullptr, kNoRange, nullptr,
         OptionOutput{Output::pv}, nullptr,
         "the p-V diagram of the theoretical cycle, with the\n"
         "engine's stroke"},
        {"pv-blank", 0, "FILE", OptionKind::figureFile, +[](Options& o) { return &o.pvBlank; }, nullptr, kNoRange,
         nullptr, OptionOutput{Output::pvBlank}, nullptr,
         "the same for exercises: empty boxes for the\n"
         "strokes' names"},
        {"compression-ratio", 0, "R", OptionKind::number,
         +[](Options& o) { return &o.figures.pv.compressionRatio; }, nullptr,
         {kMinCompressionRatio, kMaxCompressionRatio}, "a compression ratio", std::nullopt, nullptr,
         "the p-V diagram's compression ratio, 3 to 14\n"
         "(default 9.5, a petrol engine's; 3.6 is the\n"
         "animated engine's own)"},
        {"pressure-rise", 0, "K", OptionKind::number, +[](Options& o) { return &o.figures.pv.pressureRise; },
         nullptr, {kMinPressureRise, kMaxPressureRise}, "a pressure ratio", std::nullopt, nullptr,
         "the combustion's pressure rise at constant volume,\n"
         "p3/p2, 2.5 to 5 (default 3)"},

        {"help", 'h', nullptr, OptionKind::flag, +[](Options& o) { return &o.help; }, nullptr, kNoRange, nullptr,
         std::nullopt,
         "The worksheets end with both figures, the blank worksheet with their blank\n"
         "variants; these options apply there too.\n"
         "\n",
         "display this help and exit"},
        {"version", 0, nullptr, OptionKind::flag, +[](Options& o) { return &o.version; }, nullptr, kNoRange,
         nullptr, std::nullopt, nullptr, "output version information and exit"},
    };
    return rows;
}

const char* usageHead() { return kHead; }
const char* usageTail() { return kTail; }

}  // namespace stills
