#include "render/overlay.h"

#include <GL/glu.h>
#include <GL/glut.h>

#include <cmath>
#include <cstdio>

#include "app/scene_state.h"
#include "model/cycle.h"
#include "render/glyph_atlas.h"
#include "render/projector_overlay.h"
#include "render/stroke_text.h"

namespace {

constexpr double kLeftX = 0.01;             // fractions of the window
constexpr double kSpeedY = 0.15;
constexpr double kCreditX = 0.83;
constexpr double kCreditY = 0.02;
constexpr double kFpsX = 0.93;
constexpr double kFpsY = 0.98;
constexpr double kTitleY = 0.11;
constexpr double kLineY[3] = {0.08, 0.06, 0.04};
constexpr double kPauseY = 0.19;            // above the speed line, below the help screen
constexpr int kSmallFont = 1;
constexpr int kMediumFont = 2;

constexpr const char* kCredit = "Tarvex - moteur 4 temps";

constexpr const char* kLines[kStrokeCount][3] = {
    {"La soupape d'admission est ouverte, celle d'echappement",
     "est fermee. Le piston descend, aspirant ainsi le melange ",
     "qui se trouve dans la tubulure d'admission."},
    {"La soupape d'admission se ferme. Le piston remonte en comprimant",
     "les gaz. Il se produit un echauffement qui amene l'air ou",
     "le melange a une temperature qui favorise l'explosion."},
    {"Une etincelle vient amorcer la combustion du melange.",
     "Il s'en suit une inflammation du melange, qui produit une detente",
     "de celui-ci. Du coup, le piston redescend avec une force importante."},
    {"Arrive en fin de detente et en bas du cylindre, le piston",
     "remonte. La soupape d'echappement est ouverte, et les gaz",
     "brules peuvent s'evacuer par le collecteur d'echappement."},
};

// The Helvetica sizes by font code: 2 is 12 point, 3 is 18 point, every other code 10.
int fontSlot(int fontCode) { return fontCode == 2 ? 1 : fontCode == 3 ? 2 : 0; }
void* const kFonts[] = {GLUT_BITMAP_HELVETICA_10, GLUT_BITMAP_HELVETICA_12, GLUT_BITMAP_HELVETICA_18};
constexpr int kCapHeightPx[] = {8, 9, 14};  // the bitmap fonts' capitals, pixels

GlyphAtlas gAtlases[] = {GlyphAtlas(kFonts[0]), GlyphAtlas(kFonts[1]), GlyphAtlas(kFonts[2])};
bool gAtlasTextOn = true;
int gFailedWidth = -1, gFailedHeight = -1;  // the viewport a capture last failed in

// Feedback and selection passes must still see the texts' bitmaps, and cannot read pixels back.
bool rendering()
{
    GLint mode = GL_RENDER;
    glGetIntegerv(GL_RENDER_MODE, &mode);
    return mode == GL_RENDER;
}

// Overlay units per window pixel while the texts come from the atlases: the 800 x 600 frame is
// stretched over the viewport.
struct AtlasScale {
    double x, y;
};

// How one overlay's texts are drawn: from the atlases (texturing and the alpha test being on),
// or else glyph by glyph.
struct TextPass {
    const AtlasScale* atlases = nullptr;
};

// Latin-1 texts: each byte goes to GLUT as the unsigned value that selects its glyph.
void drawLatin1Text(const char* text, int fontCode)
{
    void* font = kFonts[fontSlot(fontCode)];
    for (const char* c = text; *c != '\0'; ++c) glutBitmapCharacter(font, static_cast<unsigned char>(*c));
}

// Places text at fractions of the window, in the 800 x 600 overlay frame. A text the atlases
// cannot draw goes glyph by glyph.
void drawAt(double fx, double fy, const char* text, int fontCode, const TextPass& pass, bool latin1 = false)
{
    glRasterPos2d(fx * scene.windowWidth, fy * scene.windowHeight);
    void (*const glyphByGlyph)(const char*, int) = latin1 ? drawLatin1Text : drawBitmapText;
    if (pass.atlases) {
        const GlyphAtlas& atlas = gAtlases[fontSlot(fontCode)];
        glBindTexture(GL_TEXTURE_2D, atlas.texture());
        if (atlas.draw(text, pass.atlases->x, pass.atlases->y)) return;
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_ALPHA_TEST);
        glyphByGlyph(text, fontCode);
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_ALPHA_TEST);
        return;
    }
    glyphByGlyph(text, fontCode);
}

void drawWindowLayout(const TextPass& pass);    // the window's texts, in the 800 x 600 frame

}  // namespace

const OverlayText kHelpLines[] = {
    {0.87, 2, "COMMANDES CLAVIER"},
    {0.84, 1, "a : aide"},
    {0.82, 1, "q : quitter"},
    {0.80, 1, " l : lumiere"},
    {0.78, 1, "e : explications detaillees"},
    {0.76, 1, "f : afficher fps"},
    {0.74, 1, "t : afficher les textures"},
    {0.72, 1, "r : afficher les reperes des spots"},
    {0.70, 1, "1 : tarvex entier"},
    {0.68, 1, "2 : caisson"},
    {0.66, 1, "3 : piston"},
    {0.64, 1, "4 : soupapes"},
    {0.62, 1, "5 : afficher gaz (pas encore implemente)"},
    {0.60, 1, "6 : afficher caisson"},
    {0.58, 1, "+ : augmenter vitesse"},
    {0.56, 1, "- : diminuer vitesse"},
    {0.54, 1, "touches directionnelles : tourner camera"},
    // The classroom keys, 11 pixels of the 800 x 600 frame apart instead of 12 so that all four
    // fit above the mouse heading.
    {0.525, 1, "espace : pause / reprise"},
    {0.507, 1, "n / b : temps suivant / precedent"},
    {0.489, 1, "k / j : un degre de plus / de moins"},
    {0.471, 1, "F11 : plein ecran (projecteur)"},
    {0.45, 2, "COMMANDES SOURIS"},
    {0.42, 1, "clic gauche                  : selectionner objet"},
    {0.40, 1, "clic gauche + deplacer : bouger camera"},
    {0.38, 1, "clic droit + deplacer    : zoomer"},
    {0.36, 1, "molette avant             : augmenter vitesse"},
    {0.34, 1, "molette arriere            : diminuer vitesse"},
    {0.32, 1, "clic molette                 : reinitialiser vitesse"},
};
const int kHelpLineCount = sizeof kHelpLines / sizeof kHelpLines[0];

const char* strokeLine(int stroke, int line) { return kLines[stroke - 1][line - 1]; }

void formatSpeedLine(char (&text)[kTextBufferSize], double speed)
{
    // Steps of 0.1 leave rounding dust: a stopped crank would read "-0.0" after some presses.
    double shown = std::round(speed * 10.0) / 10.0;
    if (shown == 0.0) shown = 0.0;          // drops the sign of a negative zero
    std::snprintf(text, sizeof text, "Vitesse: %2.1f tours/sec", shown);
}

void formatFpsLine(char (&text)[kTextBufferSize], double fps)
{
    std::snprintf(text, sizeof text, "FPS: %2.1f", fps);
}

void formatPauseLine(char (&text)[kTextBufferSize], double crankAngleDeg)
{
    // "a grave" and the degree sign as ISO 8859-1 bytes, which the bitmap fonts hold.
    std::snprintf(text, sizeof text, "En pause \xE0 %.0f\xB0", crankAngleDeg);
}

void drawBitmapText(const char* text, int fontCode)
{
    void* font = kFonts[fontSlot(fontCode)];
    for (const char* c = text; *c != '\0'; ++c) glutBitmapCharacter(font, *c);
}

void drawScaledText(const char* text, int fontCode, double scale)
{
    const int slot = fontSlot(fontCode);
    drawStrokeText(text, kFonts[slot], kCapHeightPx[slot], scale);
}

int bitmapTextWidth(const char* text, int fontCode)
{
    return glutBitmapLength(kFonts[fontSlot(fontCode)], reinterpret_cast<const unsigned char*>(text));
}

int bitmapCapHeight(int fontCode) { return kCapHeightPx[fontSlot(fontCode)]; }

const char* creditLine() { return kCredit; }

void setAtlasText(bool on) { gAtlasTextOn = on; }

bool atlasTextInUse()
{
    return gAtlasTextOn && gAtlases[0].ready() && gAtlases[1].ready() && gAtlases[2].ready();
}

void prepareOverlayText()
{
    if (scene.projectorMode) prepareProjectorText();
    if (!gAtlasTextOn || atlasTextInUse() || !rendering()) return;
    // The first picture goes up glyph by glyph: making the textures takes about 20 ms on a
    // software renderer, which would hold it back, so they are made before the second.
    static bool firstFrameSeen = false;
    if (!firstFrameSeen) {
        firstFrameSeen = true;
        return;
    }
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    if (viewport[2] == gFailedWidth && viewport[3] == gFailedHeight) return;
    for (GlyphAtlas& atlas : gAtlases)
        if (!atlas.ready() && !atlas.capture(viewport[2], viewport[3])) {
            gFailedWidth = viewport[2];
            gFailedHeight = viewport[3];
            return;
        }
}

void drawOverlay()
{
    // Entered with GL_MODELVIEW at the identity; leaves lighting on, both matrices as they were
    // and GL_PROJECTION current. The depth test stays on: texts lie at depth 0.5.
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluOrtho2D(0, scene.windowWidth, 0, scene.windowHeight);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glDisable(GL_LIGHTING);
    glColor3d(1, 1, 1);
    AtlasScale scale{1.0, 1.0};
    TextPass pass;
    if (scene.projectorMode && rendering()) {
        drawProjectorOverlay();
    } else if (atlasTextInUse() && rendering()) {
        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        scale = {static_cast<double>(scene.windowWidth) / viewport[2],
                 static_cast<double>(scene.windowHeight) / viewport[3]};
        pass.atlases = &scale;
        glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT | GL_POLYGON_BIT | GL_COLOR_BUFFER_BIT);
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        glDisable(GL_CULL_FACE);
        glDisable(GL_TEXTURE_GEN_S);
        glDisable(GL_TEXTURE_GEN_T);
        glEnable(GL_TEXTURE_2D);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);    // white times coverage
        glEnable(GL_ALPHA_TEST);
        glAlphaFunc(GL_GREATER, 0.5f);
    }

    if (!(scene.projectorMode && rendering())) drawWindowLayout(pass);

    if (pass.atlases) glPopAttrib();
    glEnable(GL_LIGHTING);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
}

namespace {

void drawWindowLayout(const TextPass& pass)
{
    char text[kTextBufferSize];
    formatSpeedLine(text, scene.speed);
    drawAt(kLeftX, kSpeedY, text, kSmallFont, pass);
    std::snprintf(text, sizeof text, "%s", kCredit);
    drawAt(kCreditX, kCreditY, text, kSmallFont, pass);
    if (scene.showFps) {
        formatFpsLine(text, scene.fps);
        drawAt(kFpsX, kFpsY, text, kMediumFont, pass);
    }
    const int stroke = strokeOf(scene.crankAngle);
    drawAt(kLeftX, kTitleY, strokeTitle(stroke), kMediumFont, pass);
    if (scene.showExplanations)
        for (int line = 1; line <= 3; ++line) drawAt(kLeftX, kLineY[line - 1], strokeLine(stroke, line), kSmallFont, pass);
    if (scene.showHelp)
        for (const OverlayText& t : kHelpLines) drawAt(kLeftX, t.fy, t.text, t.fontCode, pass);
    if (scene.paused) {
        formatPauseLine(text, scene.crankAngle);
        drawAt(kLeftX, kPauseY, text, kMediumFont, pass, true);
    }
}

}  // namespace
