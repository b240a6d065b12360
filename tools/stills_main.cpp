// tarvex-stills: pictures for teaching. One frame of the engine at a chosen crank angle,
// written as a PNG, and the timing of one four-stroke cycle as a CSV table and as a plot.

#include <GL/freeglut.h>
#include <png.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/scene_state.h"
#include "app/startup.h"
#include "model/crank_kinematics.h"
#include "model/valve.h"
#include "render/display.h"
#include "render/lighting.h"
#include "render/overlay.h"

namespace {

constexpr double kCycleDeg = 720.0;         // one four-stroke cycle, two crank turns
constexpr int kMinSide = 16;                // pixels; smaller stills show nothing readable
constexpr int kMaxSide = 8192;              // pixels; the software renderer's buffer limit
constexpr int kUsageStatus = 2;
constexpr int kFailureStatus = 1;
constexpr int kMapWaitMs = 5000;            // longest wait for the window's first expose

const char* const kProgram = "tarvex-stills";

const char* const kUsage =
    "Usage: tarvex-stills [OPTIONS]\n"
    "Writes pictures of the Tarvex four-stroke engine for teaching.\n"
    "\n"
    "A still (needs an X display; run it under xvfb-run where there is none):\n"
    "  --output FILE           write one frame as a PNG image to FILE\n"
    "  --angle DEG             crank angle of the frame, 0 to 720 degrees (default 0)\n"
    "  --view MODE             part group singled out: engine, block, crank or valves\n"
    "                          (default crank)\n"
    "  --size WxH              image size in pixels, each 16 to 8192 (default 800x600)\n"
    "  --help-screen on|off    the list of keyboard and mouse commands (default on)\n"
    "  --explanations on|off   the three lines explaining the stroke (default on)\n"
    "  --gas on|off            the gas in the cylinder (default on)\n"
    "  --block on|off          the engine block (default on)\n"
    "  --textures on|off       the aluminium texture on the block (default off); the image\n"
    "                          textureAluminum.ppm is read from the working directory\n"
    "\n"
    "The timing of one cycle (no display needed):\n"
    "  --timing-csv FILE       a CSV table, one row per degree from 0 to 720: angle,\n"
    "                          piston_x, rod_angle_deg, intake_lift, exhaust_lift, spark, stroke\n"
    "  --timing-png FILE       the same as a diagram: the four strokes shaded, the piston\n"
    "                          position (blue), the intake (green) and exhaust (red) valve\n"
    "                          positions, the spark window (yellow)\n"
    "\n"
    "  --help                  show this text\n"
    "Options take their value as the next argument or after '=' (--angle=90).\n"
    "Exit status: 0 done, 1 a file could not be written or no display, 2 bad options.\n";

struct Options {
    bool help = false;
    std::string output;
    std::string timingCsv;
    std::string timingPng;
    double angleDeg = 0.0;
    ViewMode view = VIEW_CRANK;
    int width = 800;
    int height = 600;
    // The program's own start values.
    bool helpScreen = true;
    bool explanations = true;
    bool gas = true;
    bool block = true;
    bool textures = false;
};

// ---------------------------------------------------------------------------------------------
// Options: pure parsing, an error text for the first bad one.

bool parseSwitch(const std::string& value, bool* out)
{
    if (value == "on") { *out = true; return true; }
    if (value == "off") { *out = false; return true; }
    return false;
}

bool parseInt(const std::string& text, int* out)
{
    if (text.empty() || text[0] == '-' || text[0] == '+') return false;
    errno = 0;
    char* end = nullptr;
    long v = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || v > kMaxSide) return false;
    *out = static_cast<int>(v);
    return true;
}

bool parseSize(const std::string& text, int* width, int* height)
{
    const size_t x = text.find('x');
    if (x == std::string::npos) return false;
    return parseInt(text.substr(0, x), width) && parseInt(text.substr(x + 1), height)
           && *width >= kMinSide && *height >= kMinSide;
}

bool parseAngle(const std::string& text, double* out)
{
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    double v = std::strtod(text.c_str(), &end);
    if (errno != 0 || *end != '\0' || !std::isfinite(v) || v < 0.0 || v > kCycleDeg) return false;
    *out = v;
    return true;
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

// Fills options; returns "" or what is wrong.
std::string parseOptions(int argc, char** argv, Options* o)
{
    struct Valued {
        const char* name;
        const char* expected;
        std::function<bool(const std::string&)> take;
    };
    const Valued valued[] = {
        {"--output", "a file name", [o](const std::string& v) { o->output = v; return !v.empty(); }},
        {"--timing-csv", "a file name", [o](const std::string& v) { o->timingCsv = v; return !v.empty(); }},
        {"--timing-png", "a file name", [o](const std::string& v) { o->timingPng = v; return !v.empty(); }},
        {"--angle", "degrees from 0 to 720", [o](const std::string& v) { return parseAngle(v, &o->angleDeg); }},
        {"--view", "engine, block, crank or valves", [o](const std::string& v) { return parseView(v, &o->view); }},
        {"--size", "WIDTHxHEIGHT, each 16 to 8192 pixels", [o](const std::string& v) { return parseSize(v, &o->width, &o->height); }},
        {"--help-screen", "on or off", [o](const std::string& v) { return parseSwitch(v, &o->helpScreen); }},
        {"--explanations", "on or off", [o](const std::string& v) { return parseSwitch(v, &o->explanations); }},
        {"--gas", "on or off", [o](const std::string& v) { return parseSwitch(v, &o->gas); }},
        {"--block", "on or off", [o](const std::string& v) { return parseSwitch(v, &o->block); }},
        {"--textures", "on or off", [o](const std::string& v) { return parseSwitch(v, &o->textures); }},
    };

    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") { o->help = true; continue; }
        std::string name = arg, value;
        bool inlineValue = false;
        const size_t eq = arg.find('=');
        if (arg.rfind("--", 0) == 0 && eq != std::string::npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
            inlineValue = true;
        }
        const Valued* match = nullptr;
        for (const Valued& v : valued)
            if (name == v.name) match = &v;
        if (match == nullptr) return "unknown option '" + arg + "'";
        if (!inlineValue) {
            if (i + 1 >= argc) return std::string("option ") + match->name + " needs a value: " + match->expected;
            value = argv[++i];
        }
        if (!match->take(value))
            return std::string("bad value '") + value + "' for " + match->name + ": expected " + match->expected;
    }
    if (!o->help && o->output.empty() && o->timingCsv.empty() && o->timingPng.empty())
        return "nothing to write: give --output, --timing-csv or --timing-png";
    return "";
}

// ---------------------------------------------------------------------------------------------
// Files: everything goes to FILE.tmp first and is renamed over FILE only when complete, so a
// failed run never leaves a half-written picture or table behind.

void reportFileError(const std::string& path, const char* what)
{
    std::fprintf(stderr, "%s: cannot write '%s': %s\n", kProgram, path.c_str(), what);
}

// Opens FILE.tmp for writing; nullptr (reported) when it cannot be made.
std::FILE* openTemporary(const std::string& path, const std::string& tmp)
{
    std::FILE* file = std::fopen(tmp.c_str(), "wb");
    if (file == nullptr) reportFileError(path, std::strerror(errno));
    return file;
}

// Closes FILE.tmp and renames it over FILE, or removes it when anything failed: a full disk
// shows up at the flush or the close, not in the writes.
bool finishFile(std::FILE* file, const std::string& tmp, const std::string& path)
{
    const bool flushed = std::fflush(file) == 0 && !std::ferror(file);
    const int flushErrno = errno;
    if (std::fclose(file) != 0 || !flushed) {
        std::remove(tmp.c_str());
        reportFileError(path, std::strerror(flushed ? errno : flushErrno));
        return false;
    }
    if (std::rename(tmp.c_str(), path.c_str()) != 0) {
        reportFileError(path, std::strerror(errno));
        std::remove(tmp.c_str());
        return false;
    }
    return true;
}

// libpng reports errors by longjmp; the handler keeps its text for the message.
struct PngError {
    std::jmp_buf jump;
    char text[200] = "";
};

void onPngError(png_structp png, png_const_charp message)
{
    auto* error = static_cast<PngError*>(png_get_error_ptr(png));
    std::snprintf(error->text, sizeof error->text, "%s", message);
    std::longjmp(error->jump, 1);
}

void onPngWarning(png_structp, png_const_charp) {}

// rgb: rows top first, 3 bytes a pixel.
bool writePng(const std::string& path, int width, int height, const std::vector<unsigned char>& rgb)
{
    const std::string tmp = path + ".tmp";
    std::FILE* file = openTemporary(path, tmp);
    if (file == nullptr) return false;
    PngError error;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &error, onPngError, onPngWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (png == nullptr || info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        std::fclose(file);
        std::remove(tmp.c_str());
        reportFileError(path, "out of memory");
        return false;
    }
    std::vector<png_bytep> rows(static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
        rows[static_cast<size_t>(y)] = const_cast<png_bytep>(&rgb[static_cast<size_t>(y) * width * 3]);

    if (setjmp(error.jump) != 0) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        std::remove(tmp.c_str());
        reportFileError(path, error.text);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return finishFile(file, tmp, path);
}

bool writeText(const std::string& path, const std::string& text)
{
    const std::string tmp = path + ".tmp";
    std::FILE* file = openTemporary(path, tmp);
    if (file == nullptr) return false;
    std::fwrite(text.data(), 1, text.size(), file);     // a short write sets the error flag
    return finishFile(file, tmp, path);
}

// ---------------------------------------------------------------------------------------------
// Timing of one cycle, from the functions the frame itself draws with.

struct TimingRow {
    int angleDeg;
    SliderCrank crank;
    double intake;
    double exhaust;
    bool spark;
    int stroke;
};

std::vector<TimingRow> timingRows()
{
    std::vector<TimingRow> rows;
    for (int a = 0; a <= static_cast<int>(kCycleDeg); ++a) {
        const double angle = a;
        rows.push_back({a, sliderCrank(angle, kCrankRadius, kRodLength),
                        valveLift(angle, ValveSide::intake), valveLift(angle, ValveSide::exhaust),
                        sparkLit(angle), strokeOf(angle)});
    }
    return rows;
}

// A field quoted when it holds a comma, a quote or a line break.
std::string csvField(const std::string& text)
{
    if (text.find_first_of(",\"\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string timingCsv()
{
    std::string text = "angle,piston_x,rod_angle_deg,intake_lift,exhaust_lift,spark,stroke\n";
    char line[200];
    for (const TimingRow& r : timingRows()) {
        std::snprintf(line, sizeof line, "%d,%.6f,%.6f,%.6f,%.6f,%d,", r.angleDeg, r.crank.pistonX,
                      r.crank.rodAngleDeg, r.intake, r.exhaust, r.spark ? 1 : 0);
        text += line;
        text += csvField(strokeTitle(r.stroke));
        text += '\n';
    }
    return text;
}

// The diagram: two panels over the 720 degrees at 2 pixels a degree, the piston position above
// (its pin along x, bottom dead centre at the foot, top dead centre at the top) and the two valve
// positions below (seated at the foot, fully open at the top).
constexpr int kPlotLeft = 70;               // pixels
constexpr int kPlotRight = 30;
constexpr int kPlotTop = 20;
constexpr int kPanelHeight = 200;
constexpr int kPanelGap = 30;
constexpr int kPlotBottom = 50;
constexpr int kPixelsPerDeg = 2;
constexpr int kPlotWidth = 720 * kPixelsPerDeg;
constexpr int kImageWidth = kPlotLeft + kPlotWidth + kPlotRight;
constexpr int kImageHeight = kPlotTop + 2 * kPanelHeight + kPanelGap + kPlotBottom;

struct Rgb {
    unsigned char r, g, b;
};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kAxis{0, 0, 0};
constexpr Rgb kGrid{200, 200, 200};
constexpr Rgb kStrokeBands[4] = {{225, 240, 255}, {235, 235, 235}, {255, 228, 215}, {240, 232, 250}};
constexpr Rgb kSparkBand{255, 235, 90};
constexpr Rgb kPistonColour{30, 70, 200};
constexpr Rgb kIntakeColour{20, 150, 40};
constexpr Rgb kExhaustColour{210, 30, 30};

class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height), rgb_(static_cast<size_t>(width) * height * 3, 255) {}
    void set(int x, int y, Rgb c)
    {
        if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
        unsigned char* p = &rgb_[(static_cast<size_t>(y) * width_ + x) * 3];
        p[0] = c.r; p[1] = c.g; p[2] = c.b;
    }
    void fill(int x0, int y0, int x1, int y1, Rgb c)
    {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) set(x, y, c);
    }
    // A line two pixels thick, by stepping along its longer extent.
    void line(double x0, double y0, double x1, double y1, Rgb c)
    {
        const int steps = static_cast<int>(std::ceil(std::max(std::fabs(x1 - x0), std::fabs(y1 - y0)))) + 1;
        for (int i = 0; i <= steps; ++i) {
            const double t = static_cast<double>(i) / steps;
            const int x = static_cast<int>(std::lround(x0 + (x1 - x0) * t));
            const int y = static_cast<int>(std::lround(y0 + (y1 - y0) * t));
            fill(x, y, x + 2, y + 2, c);
        }
    }
    // Digits in a 3 x 5 cell font, each cell `scale` pixels square, from the top-left corner.
    void number(int x, int y, const char* digits, int scale, Rgb c)
    {
        static const char* const kGlyphs[10] = {
            "111101101101111", "010110010010111", "111001111100111", "111001111001111",
            "101101111001001", "111100111001111", "111100111101111", "111001001001001",
            "111101111101111", "111101111001111"};
        for (const char* d = digits; *d != '\0'; ++d, x += 4 * scale) {
            if (*d < '0' || *d > '9') continue;
            const char* glyph = kGlyphs[*d - '0'];
            for (int row = 0; row < 5; ++row)
                for (int col = 0; col < 3; ++col)
                    if (glyph[row * 3 + col] == '1')
                        fill(x + col * scale, y + row * scale, x + (col + 1) * scale, y + (row + 1) * scale, c);
        }
    }
    const std::vector<unsigned char>& rgb() const { return rgb_; }

private:
    int width_, height_;
    std::vector<unsigned char> rgb_;
};

double plotX(double angleDeg) { return kPlotLeft + angleDeg * kPixelsPerDeg; }

// value 0 at the panel's foot, 1 at its top.
double panelY(int panel, double value)
{
    const int top = kPlotTop + panel * (kPanelHeight + kPanelGap);
    return top + (1.0 - value) * (kPanelHeight - 1);
}

Canvas timingPlot()
{
    Canvas canvas(kImageWidth, kImageHeight);
    const std::vector<TimingRow> rows = timingRows();
    for (int panel = 0; panel < 2; ++panel) {
        const int top = kPlotTop + panel * (kPanelHeight + kPanelGap);
        for (const TimingRow& r : rows) {
            if (r.angleDeg == static_cast<int>(kCycleDeg)) continue;
            const Rgb band = r.spark ? kSparkBand : kStrokeBands[r.stroke - 1];
            const int x = static_cast<int>(plotX(r.angleDeg));
            canvas.fill(x, top, x + kPixelsPerDeg, top + kPanelHeight, band);
        }
        for (int a = 0; a <= 720; a += 90)                          // grid every quarter turn
            canvas.fill(static_cast<int>(plotX(a)), top, static_cast<int>(plotX(a)) + 1, top + kPanelHeight, kGrid);
        const int mid = static_cast<int>(panelY(panel, 0.5));
        for (int x = kPlotLeft; x < kPlotLeft + kPlotWidth; x += 6) canvas.fill(x, mid, x + 3, mid + 1, kGrid);

        canvas.fill(kPlotLeft - 2, top, kPlotLeft, top + kPanelHeight + 2, kAxis);          // y axis
        canvas.fill(kPlotLeft - 2, top + kPanelHeight, kPlotLeft + kPlotWidth + 1, top + kPanelHeight + 2, kAxis);
        for (double v : {0.0, 0.5, 1.0}) {                          // y ticks
            const int y = static_cast<int>(panelY(panel, v));
            canvas.fill(kPlotLeft - 10, y, kPlotLeft - 2, y + 2, kAxis);
        }
    }
    const int axisY = kPlotTop + 2 * kPanelHeight + kPanelGap;
    for (int a = 0; a <= 720; a += 90) {                            // x ticks, labelled by 180s
        const int x = static_cast<int>(plotX(a));
        canvas.fill(x - 1, axisY + 2, x + 1, axisY + (a % 180 == 0 ? 14 : 8), kAxis);
        if (a % 180 == 0) {
            char label[8];
            std::snprintf(label, sizeof label, "%d", a);
            const int width = static_cast<int>(std::strlen(label)) * 4 * 3 - 3;
            canvas.number(x - width / 2, axisY + 20, label, 3, kAxis);
        }
    }

    // Top dead centre at 0 degrees, bottom dead centre at 180, in model units along x.
    const double pistonBdcX = sliderCrank(180.0, kCrankRadius, kRodLength).pistonX;
    const double travel = sliderCrank(0.0, kCrankRadius, kRodLength).pistonX - pistonBdcX;
    const double lift = kValveOpenX - kValveClosedX;
    for (size_t i = 1; i < rows.size(); ++i) {
        const TimingRow& p = rows[i - 1];
        const TimingRow& r = rows[i];
        const double x0 = plotX(p.angleDeg), x1 = plotX(r.angleDeg);
        canvas.line(x0, panelY(0, (p.crank.pistonX - pistonBdcX) / travel),
                    x1, panelY(0, (r.crank.pistonX - pistonBdcX) / travel), kPistonColour);
        canvas.line(x0, panelY(1, (p.intake - kValveClosedX) / lift),
                    x1, panelY(1, (r.intake - kValveClosedX) / lift), kIntakeColour);
        canvas.line(x0, panelY(1, (p.exhaust - kValveClosedX) / lift),
                    x1, panelY(1, (r.exhaust - kValveClosedX) / lift), kExhaustColour);
    }
    return canvas;
}

// ---------------------------------------------------------------------------------------------
// The still: one frame drawn into the back buffer of a window of the requested size.

bool exposed = false;

void onFirstExpose() { exposed = true; }

bool renderStill(const Options& o, const char* argv0)
{
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') {
        std::fprintf(stderr, "%s: a still needs an X display and DISPLAY is not set; "
                             "run it under xvfb-run\n", kProgram);
        return false;
    }
    // GLUT sees only the program name: the options above are this tool's, not GLUT's.
    int glutArgc = 1;
    char* glutArgv[] = {const_cast<char*>(argv0), nullptr};
    glutInit(&glutArgc, glutArgv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    glutInitWindowPosition(0, 0);
    glutInitWindowSize(o.width, o.height);
    if (glutCreateWindow(kWindowTitle) == 0) {
        std::fprintf(stderr, "%s: cannot open a window\n", kProgram);
        return false;
    }
    glutDisplayFunc(onFirstExpose);
    glutReshapeFunc(onReshape);

    scene.crankAngle = o.angleDeg;
    scene.viewMode = o.view;
    scene.showHelp = o.helpScreen;
    scene.showExplanations = o.explanations;
    scene.showGas = o.gas;
    scene.showBlock = o.block;
    scene.texturesOn = o.textures;
    initScene();

    const int start = glutGet(GLUT_ELAPSED_TIME);
    while (!exposed && glutGet(GLUT_ELAPSED_TIME) - start < kMapWaitMs) glutMainLoopEvent();

    onReshape(o.width, o.height);
    glDrawBuffer(GL_BACK);
    drawFrame();
    glFinish();

    std::vector<unsigned char> bottomUp(static_cast<size_t>(o.width) * o.height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, o.width, o.height, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
    if (glGetError() != GL_NO_ERROR) {
        std::fprintf(stderr, "%s: reading the frame back failed\n", kProgram);
        return false;
    }
    // GL counts rows from the bottom, PNG from the top.
    const size_t rowBytes = static_cast<size_t>(o.width) * 3;
    std::vector<unsigned char> topDown(bottomUp.size());
    for (int y = 0; y < o.height; ++y)
        std::memcpy(&topDown[static_cast<size_t>(y) * rowBytes],
                    &bottomUp[static_cast<size_t>(o.height - 1 - y) * rowBytes], rowBytes);
    return writePng(o.output, o.width, o.height, topDown);
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    const std::string problem = parseOptions(argc, argv, &options);
    if (!problem.empty()) {
        std::fprintf(stderr, "%s: %s\nTry '%s --help' for the options.\n", kProgram, problem.c_str(), kProgram);
        return kUsageStatus;
    }
    if (options.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }

    bool ok = true;
    if (!options.timingCsv.empty()) ok = writeText(options.timingCsv, timingCsv()) && ok;
    if (!options.timingPng.empty()) {
        const Canvas plot = timingPlot();
        ok = writePng(options.timingPng, kImageWidth, kImageHeight, plot.rgb()) && ok;
    }
    if (!options.output.empty()) ok = renderStill(options, argv[0]) && ok;
    return ok ? 0 : kFailureStatus;
}
