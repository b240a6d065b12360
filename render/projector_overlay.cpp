#include "render/projector_overlay.h"

#include <GL/glu.h>
#include <GL/glut.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/scene_state.h"
#include "model/cycle.h"
#include "render/overlay.h"
#include "render/stroke_text.h"

namespace {

constexpr float kPanelColour[4] = {0.0f, 0.0f, 0.0f, 0.82f};    // the help's background, nearly opaque
constexpr int kHelpBodyFont = 1;            // the help lines' font code, whose capitals set the scale
constexpr int kCreditFont = 1;              // font codes as in the window: 10 and 12 point
constexpr int kFpsFont = 2;

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

void text(const char* s, double x, double y, double cap) { drawStrokeLine(s, x, y, cap, projectorStrokeWidth(cap)); }

void drawHelp(const ProjectorLayout& layout)
{
    std::vector<double> widths;
    for (int i = 0; i < kHelpLineCount; ++i) widths.push_back(bitmapTextWidth(kHelpLines[i].text, kHelpLines[i].fontCode));
    const HelpPanel panel = helpPanel(layout, widths, bitmapCapHeight(kHelpBodyFont));
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
        for (const std::string& s : wrappedExplanation(stroke, layout)) {
            text(s.c_str(), layout.margin, y, layout.bodyCap);
            y -= layout.linePitch;
        }
    }
    if (scene.paused) {
        formatPauseLine(line, scene.crankAngle);
        text(line, layout.margin, layout.pauseBaseline, layout.bodyCap);
    }
    glRasterPos2d(layout.creditX, layout.creditY);
    drawScaledText(creditLine(), kCreditFont, layout.creditScale);
    if (scene.showFps) {
        formatFpsLine(line, scene.fps);
        glRasterPos2d(layout.fpsX, layout.fpsY);
        drawScaledText(line, kFpsFont, layout.fpsScale);
    }

    glPopAttrib();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}
