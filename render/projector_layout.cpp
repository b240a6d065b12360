#include "render/projector_layout.h"

#include <algorithm>
#include <cmath>

namespace {

// Shares of the screen height. The readable size is about 1 cm of capital per 1.2 m of
// distance: on a picture 1.125 m high, 5 % of it reads from about 7 m, 3 % from about 4 m.
constexpr double kTitleCapShare = 0.05;
constexpr double kBodyCapShare = 0.03;
constexpr double kMarginShare = 0.02;
constexpr double kStrokePerCap = 0.12;      // stroke width over capital height: bold, not hairline
constexpr double kThinnestStrokePx = 1.0;
constexpr double kLinePitchPerCap = 1.5;    // from baseline to baseline, over capital height
constexpr double kDescentPerCap = 0.35;     // the tails below the baseline, over capital height
constexpr double kPauseGapPerCap = 0.5;     // between the explanation and the pause line below it
constexpr double kHelpPitchPerCap = 1.6;
constexpr double kHelpColumnGapPerCap = 3.0;

// The window's layout, 800 x 600, the corners' texts are placed and sized by.
constexpr double kLayoutWidth = 800.0, kLayoutHeight = 600.0;   // pixels
constexpr double kCreditShareX = 0.83, kCreditShareY = 0.02;    // as in the window
constexpr double kFpsShareX = 0.93, kFpsShareY = 0.98;
constexpr double kCreditGrowth = 1.1;       // times the layout's fit
constexpr double kFpsGrowth = 1.0;

// Framing: the engine's box fills the area but for this share of each half-extent.
constexpr double kFrameMargin = 0.04;
constexpr double kSmallestZoomFactor = 0.05, kLargestZoomFactor = 20.0;
constexpr int kFitSteps = 40;               // bisection halvings: far below a pixel
constexpr double kPi = 3.141592653589793;

Vec3 sub(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
double dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec3 cross(const Vec3& a, const Vec3& b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
Vec3 unit(const Vec3& a)
{
    const double n = std::sqrt(dot(a, a));
    return {a.x / n, a.y / n, a.z / n};
}

struct Extent {
    double left, right, bottom, top;
    bool valid;
};

Extent projectedBox(const Vec3& eye, const Vec3& lookAt, double fov, double aspect, double zoom)
{
    Extent e{1e300, -1e300, 1e300, -1e300, true};
    for (int corner = 0; corner < 8; ++corner) {
        const Vec3 p{corner & 1 ? kEngineBoxHigh.x : kEngineBoxLow.x, corner & 2 ? kEngineBoxHigh.y : kEngineBoxLow.y,
                     corner & 4 ? kEngineBoxHigh.z : kEngineBoxLow.z};
        double x, y;
        if (!projectPoint(eye, lookAt, fov, aspect, zoom, p, &x, &y)) return {0, 0, 0, 0, false};
        e = {std::min(e.left, x), std::max(e.right, x), std::min(e.bottom, y), std::max(e.top, y), true};
    }
    return e;
}

}  // namespace

// The crankcase's sump and drum below, the valves' stems and the passages ahead, the casing's
// sides: rounded out from the parts' dimensions.
const Vec3 kEngineBoxLow{-6.4, -3.6, -4.4};
const Vec3 kEngineBoxHigh{11.5, 3.6, 3.0};

double projectorStrokeWidth(double capHeightPx)
{
    return std::max(kThinnestStrokePx, capHeightPx * kStrokePerCap);
}

ProjectorLayout projectorLayout(int width, int height, int explanationRows)
{
    ProjectorLayout l{};
    l.width = width;
    l.height = height;
    l.margin = kMarginShare * height;
    l.titleCap = kTitleCapShare * height;
    l.bodyCap = kBodyCapShare * height;
    l.linePitch = kLinePitchPerCap * l.bodyCap;
    l.pauseBaseline = l.margin + kDescentPerCap * l.bodyCap;
    l.firstLineBaseline = l.pauseBaseline + kPauseGapPerCap * l.bodyCap + std::max(explanationRows, 0) * l.linePitch;
    l.titleBaseline = l.firstLineBaseline + l.bodyCap * (kLinePitchPerCap - 1.0) + l.titleCap * kDescentPerCap
                      + l.bodyCap;
    l.bandTop = l.titleBaseline + l.titleCap + l.margin;
    l.engineArea = {0.0, l.bandTop, static_cast<double>(width), height - l.bandTop};
    const double fit = std::min(width / kLayoutWidth, height / kLayoutHeight);
    l.creditX = kCreditShareX * width;
    l.creditY = kCreditShareY * height;
    l.fpsX = kFpsShareX * width;
    l.fpsY = kFpsShareY * height;
    l.creditScale = fit * kCreditGrowth;
    l.fpsScale = fit * kFpsGrowth;
    l.labelScale = fit;
    return l;
}

double explanationWidth(const ProjectorLayout& layout) { return layout.width - 2.0 * layout.margin; }

std::vector<std::string> wrapWords(const std::string& text, double maxWidth,
                                   const std::function<double(const std::string&)>& widthOf)
{
    std::vector<std::string> lines;
    std::string line;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = std::min(text.find(' ', start), text.size());
        const std::string word = text.substr(start, end - start);
        start = end + 1;
        if (word.empty()) continue;
        const std::string longer = line.empty() ? word : line + " " + word;
        if (!line.empty() && widthOf(longer) > maxWidth) {
            lines.push_back(line);
            line = word;
        } else {
            line = longer;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

HelpPanel helpPanel(const ProjectorLayout& layout, const std::vector<double>& lineWidths, double capPx)
{
    const int n = static_cast<int>(lineWidths.size());
    const double widest = lineWidths.empty() ? 1.0 : *std::max_element(lineWidths.begin(), lineWidths.end());
    const ScreenRect& area = layout.engineArea;
    // A margin round the panel and another inside it.
    const double usableWidth = area.width - 4.0 * layout.margin;
    const double usableHeight = area.height - 4.0 * layout.margin;
    HelpPanel best{};
    for (int columns = 1; columns <= 2; ++columns) {
        const int perColumn = (n + columns - 1) / columns;
        // Per unit of scale: a column's width with its gap, the column's height.
        const double columnUnits = widest + kHelpColumnGapPerCap * capPx;
        const double scale = std::min({usableHeight / (std::max(perColumn, 1) * kHelpPitchPerCap * capPx),
                                       usableWidth / (columns * columnUnits), layout.bodyCap / capPx});
        if (scale <= best.scale) continue;
        best.columns = columns;
        best.linesPerColumn = perColumn;
        best.scale = scale;
        best.pitch = kHelpPitchPerCap * capPx * scale;
        best.columnWidth = columnUnits * scale;
    }
    const double gap = kHelpColumnGapPerCap * capPx * best.scale;
    const double boxWidth = best.columns * best.columnWidth - gap + 2.0 * layout.margin;
    const double boxHeight = best.linesPerColumn * best.pitch + 2.0 * layout.margin;
    const double top = area.y + area.height - layout.margin;
    best.box = {layout.margin, top - boxHeight, boxWidth, boxHeight};
    best.left = best.box.x + layout.margin;
    best.firstBaseline = top - layout.margin - capPx * best.scale;
    return best;
}

bool projectPoint(const Vec3& eye, const Vec3& lookAt, double fieldOfViewDeg, double aspect, double zoom,
                  const Vec3& point, double* ndcX, double* ndcY)
{
    // As gluLookAt and gluPerspective do, after the zoom's scale about the world origin.
    const Vec3 forward = unit(sub(lookAt, eye));
    const Vec3 side = unit(cross(forward, Vec3{0.0, 0.0, 1.0}));
    const Vec3 up = cross(side, forward);
    const Vec3 d = sub(Vec3{point.x * zoom, point.y * zoom, point.z * zoom}, eye);
    const double depth = dot(d, forward);
    if (depth <= 0.0) return false;
    const double f = 1.0 / std::tan(fieldOfViewDeg * kPi / 360.0);
    *ndcX = f / aspect * dot(d, side) / depth;
    *ndcY = f * dot(d, up) / depth;
    return true;
}

EngineFraming frameEngine(const Vec3& eye, const Vec3& lookAt, double fieldOfViewDeg, double aspect, double zoom)
{
    // The box grows with the factor: the largest factor whose box, centred, stays inside.
    auto fits = [&](double factor) {
        const Extent e = projectedBox(eye, lookAt, fieldOfViewDeg, aspect, zoom * factor);
        return e.valid && e.right - e.left <= 2.0 * (1.0 - kFrameMargin) && e.top - e.bottom <= 2.0 * (1.0 - kFrameMargin);
    };
    double low = kSmallestZoomFactor, high = kLargestZoomFactor;
    if (!fits(low)) return {1.0, 0.0, 0.0};
    for (int i = 0; i < kFitSteps; ++i) {
        const double middle = (low + high) / 2.0;
        (fits(middle) ? low : high) = middle;
    }
    const Extent e = projectedBox(eye, lookAt, fieldOfViewDeg, aspect, zoom * low);
    return {low, -(e.left + e.right) / 2.0, -(e.bottom + e.top) / 2.0};
}
