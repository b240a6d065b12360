#include "render/projector_overlay.h"

#include <GL/glu.h>
#include <GL/glut.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/scene_state.h"
#include "model/cycle.h"
#include "render/cached_text.h"
#include "render/overlay.h"
#include "render/stroke_text.h"

namespace {

constexpr float kPanelColour[4] = {0.0f, 0.0f, 0.0f, 0.82f};    // the help's background, nearly opaque
constexpr int kHelpBodyFont = 1;            // the help lines' font code, whose capitals set the scale
constexpr int kCreditFont = 1;              // font codes as in the window: 10 and 12 point
constexpr int kFpsFont = 2;

// How far a line's strokes reach, in its capital height: the accents over capitals above, the
// descenders and the cedilla below.
constexpr double kStrokeReachAbove = 1.45;
constexpr double kStrokeReachBelow = 0.5;
constexpr double kBoxPaddingPx = 2.0;       // around a stroke's half width, for its smoothing
constexpr double kPanelPaddingPx = 4.0;     // around the help panel

// Each text on the screen in an image of its own, remade when it or the screen's size changes.
struct ProjectorTexts {
    CachedText help, title, speed, pause, credit, fps;
    std::vector<CachedText> explanation;    // one per row
};
ProjectorTexts gTexts;

// Where a line whose baseline starts at (x, y) may light pixels.
PixelBox lineBox(double x, double y, double width, double cap, double strokeWidth)
{
    const double pad = strokeWidth + kBoxPaddingPx;
    return pixelBoxAround(x - pad, y - kStrokeReachBelow * cap - pad, x + width + pad,
                          y + kStrokeReachAbove * cap + pad);
}

// A stroke's three explanation lines as one paragraph, for wrapping to the screen's width.
std::string explanation(int stroke)
{
    std::string text;
    for (int line = 1; line <= 3; ++line) (text += strokeLine(stroke, line)) += ' ';
    return text;
}

std::vector<std::string> wrappedExplanation(int stroke, const ProjectorLayout& layout)
{
    return wrapWords(explanation(stroke), explanationWidth(layout),
                     [&](const std::string& s) { return strokeTextWidth(s.c_str(), layout.bodyCap); });
}

void text(CachedText& image, const char* s, double x, double y, double cap)
{
    const double strokeWidth = projectorStrokeWidth(cap);
    image.draw(textKey(s, {x, y, cap, strokeWidth}), lineBox(x, y, strokeTextWidth(s, cap), cap, strokeWidth),
               [&] { drawStrokeLine(s, x, y, cap, strokeWidth); });
}

// A text in a bitmap font's layout, drawn magnified from (x, y); it is placed in the viewport's
// pixels, so the screen's size is part of its key.
void scaledText(CachedText& image, const char* s, int fontCode, double x, double y, double scale,
                const ProjectorLayout& layout)
{
    const double cap = bitmapCapHeight(fontCode) * scale;
    const PixelBox box = lineBox(x, y, bitmapTextWidth(s, fontCode) * scale, cap, projectorStrokeWidth(cap));
    image.draw(textKey(s, {x, y, scale, static_cast<double>(fontCode), layout.width, layout.height}), box, [&] {
        glRasterPos2d(x, y);
        drawScaledText(s, fontCode, scale);
    });
}

void drawPanel(const HelpPanel& panel)
{
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4fv(kPanelColour);
    glRectd(panel.box.x, panel.box.y, panel.box.x + panel.box.width, panel.box.y + panel.box.height);
    glPopAttrib();
    for (int i = 0; i < kHelpLineCount; ++i) {
        const int column = i / panel.linesPerColumn, row = i % panel.linesPerColumn;
        glRasterPos2d(panel.left + column * panel.columnWidth, panel.firstBaseline - row * panel.pitch);
        drawScaledText(kHelpLines[i].text, kHelpLines[i].fontCode, panel.scale);
    }
}

// The help never changes: the panel and its lines are remade only when the screen's size does.
void drawHelp(const ProjectorLayout& layout)
{
    std::vector<double> widths;
    for (int i = 0; i < kHelpLineCount; ++i) widths.push_back(bitmapTextWidth(kHelpLines[i].text, kHelpLines[i].fontCode));
    const HelpPanel panel = helpPanel(layout, widths, bitmapCapHeight(kHelpBodyFont));
    const ScreenRect& b = panel.box;
    gTexts.help.draw(textKey("help", {layout.width, layout.height}),
                     pixelBoxAround(b.x - kPanelPaddingPx, b.y - kPanelPaddingPx, b.x + b.width + kPanelPaddingPx,
                                    b.y + b.height + kPanelPaddingPx),
                     [&] { drawPanel(panel); });
}

}  // namespace

ProjectorLayout currentProjectorLayout()
{
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    // The band keeps one height whatever the stroke: room for the longest explanation.
    static int cachedWidth = -1, cachedHeight = -1, rows = 0;
    if (viewport[2] != cachedWidth || viewport[3] != cachedHeight) {
        cachedWidth = viewport[2];
        cachedHeight = viewport[3];
        const ProjectorLayout guess = projectorLayout(cachedWidth, cachedHeight, 0);
        rows = 0;
        for (int stroke = 1; stroke <= kStrokeCount; ++stroke)
            rows = std::max(rows, static_cast<int>(wrappedExplanation(stroke, guess).size()));
    }
    return projectorLayout(cachedWidth, cachedHeight, rows);
}

void drawProjectorOverlay()
{
    const ProjectorLayout layout = currentProjectorLayout();
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluOrtho2D(0, layout.width, 0, layout.height);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glPushAttrib(GL_ENABLE_BIT);
    glDisable(GL_DEPTH_TEST);               // over the engine, whatever its depth
    glColor3d(1, 1, 1);

    if (scene.showHelp) drawHelp(layout);
    const int stroke = strokeOf(scene.crankAngle);
    text(gTexts.title, strokeTitle(stroke), layout.margin, layout.titleBaseline, layout.titleCap);
    char line[kTextBufferSize];
    formatSpeedLine(line, scene.speed);
    text(gTexts.speed, line, layout.width - layout.margin - strokeTextWidth(line, layout.bodyCap),
         layout.titleBaseline, layout.bodyCap);
    if (scene.showExplanations) {
        const std::vector<std::string> rows = wrappedExplanation(stroke, layout);
        if (gTexts.explanation.size() < rows.size()) gTexts.explanation.resize(rows.size());
        double y = layout.firstLineBaseline;
        for (size_t i = 0; i < rows.size(); ++i) {
            text(gTexts.explanation[i], rows[i].c_str(), layout.margin, y, layout.bodyCap);
            y -= layout.linePitch;
        }
    }
    if (scene.paused) {
        formatPauseLine(line, scene.crankAngle);
        text(gTexts.pause, line, layout.margin, layout.pauseBaseline, layout.bodyCap);
    }
    scaledText(gTexts.credit, creditLine(), kCreditFont, layout.creditX, layout.creditY, layout.creditScale, layout);
    if (scene.showFps) {
        formatFpsLine(line, scene.fps);
        scaledText(gTexts.fps, line, kFpsFont, layout.fpsX, layout.fpsY, layout.fpsScale, layout);
    }

    glPopAttrib();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}
