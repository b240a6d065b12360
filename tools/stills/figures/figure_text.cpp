#include "tools/stills/figures/figure_text.h"

#include <algorithm>
#include <cmath>

#include "tools/stills/output/cairo_document.h"
#include "tools/stills/figures/paper_greys.h"

namespace stills {

namespace {

constexpr double kAnswerHeight = 13.0;      // diagram units: room for a handwritten word
constexpr double kAnswerPadding = 3.0;      // around the word the box stands for
constexpr double kGroundMargin = 1.5;       // white around a text that crosses a line
constexpr double kBoxLine = 0.8;

// (u, v) turned anticlockwise on the page by turnDeg.
DiagramPoint turned(double u, double v, double turnDeg)
{
    const double a = turnDeg * kRadPerDeg, c = std::cos(a), s = std::sin(a);
    return {u * c + v * s, -u * s + v * c};
}

Box boundsOf(const std::array<DiagramPoint, 4>& outline)
{
    Box b{outline[0].x, outline[0].y, outline[0].x, outline[0].y};
    for (const DiagramPoint& p : outline)
        b = {std::min(b.left, p.x), std::min(b.top, p.y), std::max(b.right, p.x), std::max(b.bottom, p.y)};
    return b;
}

// The outline of an unturned box, from its bounds.
std::array<DiagramPoint, 4> outlineOf(const Box& b)
{
    return {DiagramPoint{b.left, b.top}, DiagramPoint{b.right, b.top}, DiagramPoint{b.right, b.bottom}, DiagramPoint{b.left, b.bottom}};
}

}  // namespace

FigureText placeText(cairo_t* cr, const std::string& text, double x, double y, TextAnchor anchor,
                     double size, bool bold)
{
    useFont(cr, size, bold);
    cairo_text_extents_t e;
    cairo_text_extents(cr, text.c_str(), &e);
    if (anchor == TextAnchor::centre) x -= e.x_advance / 2;
    if (anchor == TextAnchor::right) x -= e.x_advance;
    const Box ink{x + e.x_bearing, y + e.y_bearing, x + e.x_bearing + e.width, y + e.y_bearing + e.height};
    return {text, false, x, y, size, bold, 0.0, 0.0, 0.0, outlineOf(ink), ink};
}

FigureText placeMiddle(cairo_t* cr, const std::string& text, double x, double y, TextAnchor anchor,
                       double size, bool bold)
{
    const FigureText t = placeText(cr, text, x, y, anchor, size, bold);
    return moved(t, 0.0, y - (t.ink.top + t.ink.bottom) / 2);
}

FigureText centredText(cairo_t* cr, const std::string& text, double size, bool bold, double turnDeg, bool blank,
                       double answerWidth)
{
    FigureText t = placeText(cr, text, 0.0, 0.0, TextAnchor::left, size, bold);
    const double cx = (t.ink.left + t.ink.right) / 2, cy = (t.ink.top + t.ink.bottom) / 2;
    double halfW = (t.ink.right - t.ink.left) / 2, halfH = (t.ink.bottom - t.ink.top) / 2;
    t.turnDeg = turnDeg;
    if (blank) {
        t.answer = true;
        t.boxWidth = std::max(2 * halfW + 2 * kAnswerPadding, answerWidth);
        t.boxHeight = kAnswerHeight;
        halfW = t.boxWidth / 2;
        halfH = t.boxHeight / 2;
        t.x = t.y = 0.0;
    } else {
        const DiagramPoint origin = turned(-cx, -cy, turnDeg);      // the baseline's start from the centre
        t.x = origin.x;
        t.y = origin.y;
    }
    const DiagramPoint corners[4] = {{-halfW, -halfH}, {halfW, -halfH}, {halfW, halfH}, {-halfW, halfH}};
    for (int i = 0; i < 4; ++i) t.outline[i] = turned(corners[i].x, corners[i].y, turnDeg);
    t.ink = boundsOf(t.outline);
    return t;
}

double answerWidthFor(cairo_t* cr, const std::vector<std::string>& texts, double size, bool bold)
{
    useFont(cr, size, bold);
    double widest = 0.0;
    for (const std::string& t : texts) widest = std::max(widest, textWidth(cr, t));
    return widest + 2 * kAnswerPadding;
}

void drawArrowHead(cairo_t* cr, double x, double y, double dx, double dy, double length, double halfWidth)
{
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x - length * dx - halfWidth * dy, y - length * dy + halfWidth * dx);
    cairo_line_to(cr, x - length * dx + halfWidth * dy, y - length * dy - halfWidth * dx);
    cairo_close_path(cr);
    cairo_fill(cr);
}

FigureText moved(FigureText text, double dx, double dy)
{
    text.x += dx;
    text.y += dy;
    for (DiagramPoint& p : text.outline) p = {p.x + dx, p.y + dy};
    text.ink = {text.ink.left + dx, text.ink.top + dy, text.ink.right + dx, text.ink.bottom + dy};
    return text;
}

void drawFigureText(cairo_t* cr, const FigureText& t)
{
    cairo_save(cr);
    cairo_translate(cr, t.x, t.y);
    cairo_rotate(cr, -t.turnDeg * kRadPerDeg);
    Box ground;
    if (t.answer) {
        ground = {-t.boxWidth / 2, -t.boxHeight / 2, t.boxWidth / 2, t.boxHeight / 2};
    } else {
        if (t.written) useItalicFont(cr, t.size, t.bold);
        else useFont(cr, t.size, t.bold);
        cairo_text_extents_t e;
        cairo_text_extents(cr, t.text.c_str(), &e);
        ground = {e.x_bearing, e.y_bearing, e.x_bearing + e.width, e.y_bearing + e.height};
    }
    ground = grown(ground, kGroundMargin);
    cairo_save(cr);
    cairo_rectangle(cr, ground.left, ground.top, ground.right - ground.left, ground.bottom - ground.top);
    setGrey(cr, t.written ? kAnswerTintGrey : kPaperGrey);
    cairo_fill(cr);
    cairo_restore(cr);
    if (t.answer) {
        cairo_set_line_width(cr, kBoxLine);
        cairo_rectangle(cr, -t.boxWidth / 2, -t.boxHeight / 2, t.boxWidth, t.boxHeight);
        cairo_stroke(cr);
    }
    if (t.written) {
        // In its box, the answer in the middle of it, as a pupil would write it.
        setGrey(cr, kAnswerInkGrey);
        useItalicFont(cr, t.size, t.bold);
        cairo_text_extents_t e;
        cairo_text_extents(cr, t.text.c_str(), &e);
        if (t.answer) cairo_move_to(cr, -e.x_advance / 2, -(e.y_bearing + e.height / 2));
        else cairo_move_to(cr, 0, 0);
        cairo_show_text(cr, t.text.c_str());
    } else if (!t.answer) {
        cairo_move_to(cr, 0, 0);
        cairo_show_text(cr, t.text.c_str());
    }
    cairo_restore(cr);
}

std::vector<FigureText> writtenIn(std::vector<FigureText> texts)
{
    for (FigureText& t : texts) t.written = t.written || t.answer;
    return texts;
}

bool overlap(const Box& a, const Box& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool apart(const FigureText& a, const FigureText& b, double spacing)
{
    // Two convex outlines are apart when, along the normal of one of their edges, their shadows
    // leave a gap of spacing (the separating axis theorem).
    for (const FigureText* owner : {&a, &b})
        for (int i = 0; i < 4; ++i) {
            const DiagramPoint p = owner->outline[i], q = owner->outline[(i + 1) % 4];
            const double length = std::hypot(q.x - p.x, q.y - p.y);
            if (length == 0.0) continue;
            const double nx = (q.y - p.y) / length, ny = (p.x - q.x) / length;
            double aMin = 1e300, aMax = -1e300, bMin = 1e300, bMax = -1e300;
            for (const DiagramPoint& c : a.outline) {
                aMin = std::min(aMin, c.x * nx + c.y * ny);
                aMax = std::max(aMax, c.x * nx + c.y * ny);
            }
            for (const DiagramPoint& c : b.outline) {
                bMin = std::min(bMin, c.x * nx + c.y * ny);
                bMax = std::max(bMax, c.x * nx + c.y * ny);
            }
            if (aMin >= bMax + spacing || bMin >= aMax + spacing) return true;
        }
    return false;
}

Box grown(const Box& box, double by) { return {box.left - by, box.top - by, box.right + by, box.bottom + by}; }

std::vector<DiagramPoint> outlinePoints(const FigureText& text, double step)
{
    std::vector<DiagramPoint> points;
    for (int i = 0; i < 4; ++i) {
        const DiagramPoint a = text.outline[i], b = text.outline[(i + 1) % 4];
        const int n = std::max(1, static_cast<int>(std::ceil(std::hypot(b.x - a.x, b.y - a.y) / step)));
        for (int k = 0; k < n; ++k) points.push_back({a.x + (b.x - a.x) * k / n, a.y + (b.y - a.y) * k / n});
    }
    return points;
}

std::vector<std::string> wrapped(cairo_t* cr, const std::string& text, double size, double width)
{
    useFont(cr, size);
    return wrapText(cr, text, width);
}

}  // namespace stills
