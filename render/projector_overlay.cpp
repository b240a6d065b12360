#include "render/projector_overlay.h"

#include <GL/glu.h>
#include <GL/glut.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/scene_state.h"
#include "model/cycle.h"
#include "render/overlay.h"
#include "render/stroke_glyphs.h"
#include "render/stroke_text.h"

namespace {

// The help's background: black at 0.82 opacity, so it lets 0.18 of the picture through.
constexpr float kPanelThrough[4] = {0.18f, 0.18f, 0.18f, 1.0f};
constexpr int kHelpBodyFont = 1;            // the help lines' font code, whose capitals set the scale
constexpr int kCreditFont = 1;              // font codes as in the window: 10 and 12 point
constexpr int kFpsFont = 2;
constexpr int kLabelFonts[] = {2, 3};       // the 3-D labels': 12 and 18 point

// How far a line's strokes reach, in its capital height: the accents over capitals above, the
// descenders and the cedilla below.
constexpr double kStrokeReachAbove = 1.45;
constexpr double kStrokeReachBelow = 0.5;
constexpr double kCellPaddingPx = 2.0;      // round a glyph's cell, past a stroke's half width
constexpr double kCellSpreadPerCap = 0.2;   // and a share of its capitals: marks past the advance

bool gGlyphsOn = true;
long gGlyphSetsMade = 0;

// The glyphs of each size the screen shows, made for one screen size at a time.
struct GlyphSets {
    double width = -1.0, height = -1.0;     // the screen they were made for, pixels
    std::map<std::string, std::unique_ptr<StrokeGlyphs>> bySize;    // a failed one kept, not ready
};
GlyphSets gGlyphSets;

bool rendering()
{
    GLint mode = GL_RENDER;
    glGetIntegerv(GL_RENDER_MODE, &mode);
    return mode == GL_RENDER;
}

// A set's name: its kind and the numbers that size it, exact to the last bit.
std::string setKey(const char* kind, double a, double b)
{
    char key[96];
    std::snprintf(key, sizeof key, "%s|%a|%a", kind, a, b);
    return key;
}

std::string lineKey(double cap) { return setKey("line", cap, 0.0); }
std::string scaledKey(int fontCode, double scale) { return setKey("scaled", fontCode, scale); }

// The set by that name when it is made and may be used; null to draw lines instead.
const StrokeGlyphs* glyphSet(const std::string& key)
{
    if (!gGlyphsOn || !rendering()) return nullptr;
    const auto found = gGlyphSets.bySize.find(key);
    return found != gGlyphSets.bySize.end() && found->second->ready() ? found->second.get() : nullptr;
}

void makeSet(const std::string& key, double cap, const StrokeGlyphs::DrawGlyph& draw,
             const StrokeGlyphs::Advance& advance)
{
    if (gGlyphSets.bySize.count(key) != 0) return;
    const double strokeWidth = projectorStrokeWidth(cap);
    const double pad = strokeWidth + kCellPaddingPx;
    auto glyphs = std::make_unique<StrokeGlyphs>();
    if (glyphs->make(draw, advance, hasStrokeGlyph, kStrokeReachBelow * cap + pad, kStrokeReachAbove * cap + pad,
                     pad + kCellSpreadPerCap * cap))
        ++gGlyphSetsMade;
    gGlyphSets.bySize[key] = std::move(glyphs);
}

// The band's lines: the stroke font's own advances.
void makeLineSet(double cap)
{
    const double strokeWidth = projectorStrokeWidth(cap);
    makeSet(lineKey(cap), cap, [&](const char* glyph, int x, int y) { drawStrokeLine(glyph, x, y, cap, strokeWidth); },
            [&](unsigned char byte) {
                const char glyph[2] = {static_cast<char>(byte), '\0'};
                return strokeTextWidth(glyph, cap);
            });
}

// A bitmap font's layout grown scale times.
void makeScaledSet(int fontCode, double scale)
{
    makeSet(scaledKey(fontCode, scale), bitmapCapHeight(fontCode) * scale,
            [&](const char* glyph, int x, int y) {
                glRasterPos2i(x, y);
                drawScaledText(glyph, fontCode, scale);
            },
            [&](unsigned char byte) {
                const char glyph[2] = {static_cast<char>(byte), '\0'};
                return bitmapTextWidth(glyph, fontCode) * scale;
            });
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

void text(const char* s, double x, double y, double cap)
{
    if (const StrokeGlyphs* glyphs = glyphSet(lineKey(cap))) glyphs->draw(s, x, y, 0.0);
    else drawStrokeLine(s, x, y, cap, projectorStrokeWidth(cap));
}

void scaledText(const char* s, int fontCode, double x, double y, double scale)
{
    glRasterPos2d(x, y);
    drawProjectorScaledText(s, fontCode, scale);
}

HelpPanel currentHelpPanel(const ProjectorLayout& layout)
{
    std::vector<double> widths;
    for (int i = 0; i < kHelpLineCount; ++i) widths.push_back(bitmapTextWidth(kHelpLines[i].text, kHelpLines[i].fontCode));
    return helpPanel(layout, widths, bitmapCapHeight(kHelpBodyFont));
}

// The panel is one flat rectangle that scales what is under it: black blended over it at 0.82
// gives the same pixels, but a software renderer multiplies over half the screen faster than it
// blends. The lines then light only their glyphs' boxes.
void drawHelp(const ProjectorLayout& layout)
{
    const HelpPanel panel = currentHelpPanel(layout);
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ZERO, GL_SRC_COLOR);
    glColor4fv(kPanelThrough);
    glRectd(panel.box.x, panel.box.y, panel.box.x + panel.box.width, panel.box.y + panel.box.height);
    glPopAttrib();
    for (int i = 0; i < kHelpLineCount; ++i) {
        const int column = i / panel.linesPerColumn, row = i % panel.linesPerColumn;
        scaledText(kHelpLines[i].text, kHelpLines[i].fontCode, panel.left + column * panel.columnWidth,
                   panel.firstBaseline - row * panel.pitch, panel.scale);
    }
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
    text(strokeTitle(stroke), layout.margin, layout.titleBaseline, layout.titleCap);
    char line[kTextBufferSize];
    formatSpeedLine(line, scene.speed);
    text(line, layout.width - layout.margin - strokeTextWidth(line, layout.bodyCap), layout.titleBaseline,
         layout.bodyCap);
    if (scene.showExplanations) {
        double y = layout.firstLineBaseline;
        for (const std::string& row : wrappedExplanation(stroke, layout)) {
            text(row.c_str(), layout.margin, y, layout.bodyCap);
            y -= layout.linePitch;
        }
    }
    if (scene.paused) {
        formatPauseLine(line, scene.crankAngle);
        text(line, layout.margin, layout.pauseBaseline, layout.bodyCap);
    }
    scaledText(creditLine(), kCreditFont, layout.creditX, layout.creditY, layout.creditScale);
    if (scene.showFps) {
        formatFpsLine(line, scene.fps);
        scaledText(line, kFpsFont, layout.fpsX, layout.fpsY, layout.fpsScale);
    }

    glPopAttrib();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

void prepareProjectorText()
{
    if (!gGlyphsOn || !rendering()) return;
    const ProjectorLayout layout = currentProjectorLayout();
    if (layout.width != gGlyphSets.width || layout.height != gGlyphSets.height) {
        gGlyphSets.bySize.clear();          // a size of the last screen is not wanted again soon
        gGlyphSets.width = layout.width;
        gGlyphSets.height = layout.height;
    }
    makeLineSet(layout.titleCap);
    makeLineSet(layout.bodyCap);
    const double helpScale = currentHelpPanel(layout).scale;
    for (int i = 0; i < kHelpLineCount; ++i) makeScaledSet(kHelpLines[i].fontCode, helpScale);
    makeScaledSet(kCreditFont, layout.creditScale);
    makeScaledSet(kFpsFont, layout.fpsScale);
    for (int fontCode : kLabelFonts) makeScaledSet(fontCode, layout.labelScale);
}

void drawProjectorScaledText(const char* text, int fontCode, double scale)
{
    const StrokeGlyphs* glyphs = glyphSet(scaledKey(fontCode, scale));
    if (glyphs == nullptr) {
        drawScaledText(text, fontCode, scale);
        return;
    }
    GLboolean valid = GL_FALSE;
    glGetBooleanv(GL_CURRENT_RASTER_POSITION_VALID, &valid);
    if (!valid) return;                     // as the lines would draw nothing
    GLfloat raster[4];
    glGetFloatv(GL_CURRENT_RASTER_POSITION, raster);
    glyphs->draw(text, raster[0], raster[1], raster[2]);
}

void setProjectorGlyphs(bool on) { gGlyphsOn = on; }

long projectorGlyphSetsMade() { return gGlyphSetsMade; }
