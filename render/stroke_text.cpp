#include "render/stroke_text.h"

#include <GL/freeglut.h>

#include <cmath>

#include "render/projector_layout.h"
#include "render/window_pixels.h"

namespace {

// GLUT's Roman stroke font, in its own units: capitals from the baseline up to 100, small
// letters to 66.7.
constexpr double kRomanCapHeight = 100.0;
constexpr double kRomanSmallHeight = 66.67;
constexpr double kMarkGap = 12.0;           // from a letter's top to its accent, font units
constexpr double kMarkRise = 18.0;          // an accent's height, font units
constexpr double kMarkHalfWidth = 12.0;     // font units
constexpr double kCedillaDepth = 28.0;      // below the baseline, font units
constexpr double kDegreeCentreY = 84.0;     // the degree sign's ring, font units
constexpr double kDegreeRadius = 14.0;
constexpr int kDegreeSegments = 16;
constexpr double kWordSpace = 56.0;         // font units: the font's own 104 reads as a gap
constexpr double kTwoPi = 6.283185307179586;


// What a byte is drawn as: an ASCII stroke character (0 for none) and a mark.
enum class StrokeMark { none, grave, acute, circumflex, diaeresis, cedilla, degree };
struct StrokeGlyph {
    char base;
    StrokeMark mark;
};

struct Latin1Letter {
    unsigned char byte;
    StrokeGlyph glyph;
};

// The accented letters of French and the degree sign.
constexpr Latin1Letter kLatin1[] = {
    {0xB0, {0, StrokeMark::degree}},
    {0xC0, {'A', StrokeMark::grave}},     {0xC2, {'A', StrokeMark::circumflex}},
    {0xC7, {'C', StrokeMark::cedilla}},   {0xC8, {'E', StrokeMark::grave}},
    {0xC9, {'E', StrokeMark::acute}},     {0xCA, {'E', StrokeMark::circumflex}},
    {0xCB, {'E', StrokeMark::diaeresis}}, {0xD4, {'O', StrokeMark::circumflex}},
    {0xD9, {'U', StrokeMark::grave}},     {0xDB, {'U', StrokeMark::circumflex}},
    {0xE0, {'a', StrokeMark::grave}},     {0xE2, {'a', StrokeMark::circumflex}},
    {0xE7, {'c', StrokeMark::cedilla}},   {0xE8, {'e', StrokeMark::grave}},
    {0xE9, {'e', StrokeMark::acute}},     {0xEA, {'e', StrokeMark::circumflex}},
    {0xEB, {'e', StrokeMark::diaeresis}}, {0xF4, {'o', StrokeMark::circumflex}},
    {0xF9, {'u', StrokeMark::grave}},     {0xFB, {'u', StrokeMark::circumflex}},
    {0xFC, {'u', StrokeMark::diaeresis}},
};

void line(double x0, double y0, double x1, double y1)
{
    glBegin(GL_LINES);
    glVertex2d(x0, y0);
    glVertex2d(x1, y1);
    glEnd();
}

// The mark over (or under) a letter standing on x = 0, in font units from its baseline.
void drawMark(StrokeMark mark, bool capital)
{
    const double low = (capital ? kRomanCapHeight : kRomanSmallHeight) + kMarkGap;
    const double high = low + kMarkRise;
    const double w = kMarkHalfWidth;
    switch (mark) {
    case StrokeMark::grave: line(-w / 2, high, w / 2, low); break;
    case StrokeMark::acute: line(-w / 2, low, w / 2, high); break;
    case StrokeMark::circumflex: line(-w, low, 0.0, high); line(0.0, high, w, low); break;
    case StrokeMark::diaeresis:
        line(-w, low, -w, low + kMarkRise / 3);
        line(w, low, w, low + kMarkRise / 3);
        break;
    case StrokeMark::cedilla:
        line(0.0, 0.0, 0.0, -kCedillaDepth / 2);
        line(0.0, -kCedillaDepth / 2, -w / 2, -kCedillaDepth);
        break;
    case StrokeMark::degree:
        glBegin(GL_LINE_LOOP);
        for (int i = 0; i < kDegreeSegments; ++i) {
            const double a = kTwoPi * i / kDegreeSegments;
            glVertex2d(kDegreeRadius * std::cos(a), kDegreeCentreY + kDegreeRadius * std::sin(a));
        }
        glEnd();
        break;
    case StrokeMark::none: break;
    }
}

StrokeGlyph strokeGlyph(unsigned char byte)
{
    if (byte >= ' ' && byte <= '~') return {static_cast<char>(byte), StrokeMark::none};
    for (const Latin1Letter& letter : kLatin1)
        if (letter.byte == byte) return letter.glyph;
    return {0, StrokeMark::none};
}

// A glyph's advance in font units: the stroke letter's, or the degree sign's ring and a gap.
double advanceUnits(const StrokeGlyph& glyph)
{
    if (glyph.base == ' ') return kWordSpace;
    if (glyph.base) return glutStrokeWidthf(GLUT_STROKE_ROMAN, glyph.base);
    return glyph.mark == StrokeMark::degree ? 4 * kDegreeRadius : 0.0;
}

// One glyph with its left edge at x = 0, in font units; the degree sign's ring sits in its cell.
void drawGlyph(const StrokeGlyph& glyph)
{
    if (glyph.base && glyph.base != ' ') {
        glPushMatrix();
            glutStrokeCharacter(GLUT_STROKE_ROMAN, glyph.base);
        glPopMatrix();
    }
    glPushMatrix();
        glTranslated(advanceUnits(glyph) / 2, 0.0, 0.0);
        drawMark(glyph.mark, glyph.base >= 'A' && glyph.base <= 'Z');
    glPopMatrix();
}

}  // namespace

bool hasStrokeGlyph(unsigned char byte)
{
    const StrokeGlyph glyph = strokeGlyph(byte);
    return glyph.base != 0 || glyph.mark != StrokeMark::none;
}

double strokeTextWidth(const char* text, double capPx)
{
    double units = 0.0;
    for (const char* c = text; *c != '\0'; ++c) units += advanceUnits(strokeGlyph(static_cast<unsigned char>(*c)));
    return units * capPx / kRomanCapHeight;
}

void drawStrokeLine(const char* text, double x, double y, double capPx, double lineWidthPx)
{
    const double pxPerUnit = capPx / kRomanCapHeight;
    glPushAttrib(GL_ENABLE_BIT | GL_LINE_BIT | GL_COLOR_BUFFER_BIT);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_LINE_SMOOTH);
    glLineWidth(static_cast<GLfloat>(lineWidthPx));
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glTranslated(x, y, 0.0);
    glScaled(pxPerUnit, pxPerUnit, 1.0);
    for (const char* c = text; *c != '\0'; ++c) {
        const StrokeGlyph glyph = strokeGlyph(static_cast<unsigned char>(*c));
        drawGlyph(glyph);
        glTranslated(advanceUnits(glyph), 0.0, 0.0);
    }
    glPopMatrix();
    glPopAttrib();
}

void drawStrokeText(const char* text, void* bitmapFont, int capHeightPx, double scale)
{
    GLboolean valid = GL_FALSE;
    glGetBooleanv(GL_CURRENT_RASTER_POSITION_VALID, &valid);
    if (!valid) return;                     // as a bitmap would draw nothing
    GLfloat raster[4];
    glGetFloatv(GL_CURRENT_RASTER_POSITION, raster);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);

    const double capPx = capHeightPx * scale;
    const double pxPerUnit = capPx / kRomanCapHeight;

    glPushAttrib(GL_ENABLE_BIT | GL_LINE_BIT | GL_COLOR_BUFFER_BIT | GL_TRANSFORM_BIT);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_LINE_SMOOTH);
    glLineWidth(static_cast<GLfloat>(projectorStrokeWidth(capPx)));
    // Window pixels, and depth d at z = -d: the text lies at the raster position's depth.
    pushWindowPixels(viewport[0], viewport[0] + viewport[2], viewport[1], viewport[1] + viewport[3], 0.0, 1.0);
    glTranslated(raster[0], raster[1], -raster[2]);

    double penPx = 0.0;
    for (const char* c = text; *c != '\0'; ++c) {
        const unsigned char byte = static_cast<unsigned char>(*c);
        const double cellPx = glutBitmapWidth(bitmapFont, byte) * scale;
        const StrokeGlyph glyph = strokeGlyph(byte);
        // Each stroke glyph centred on its bitmap glyph's cell, and narrowed to it where it is
        // wider: the text keeps the bitmap layout, the help screen's columns included.
        const double widthUnits = glyph.base ? glutStrokeWidthf(GLUT_STROKE_ROMAN, glyph.base) : 0.0;
        const double widthPx = widthUnits * pxPerUnit;
        const double narrowing = widthPx > cellPx ? cellPx / widthPx : 1.0;
        glPushMatrix();
            glTranslated(penPx + cellPx / 2, 0.0, 0.0);
            glScaled(pxPerUnit, pxPerUnit, 1.0);
            glPushMatrix();
                glScaled(narrowing, 1.0, 1.0);
                glTranslated(-widthUnits / 2, 0.0, 0.0);
                if (glyph.base) glutStrokeCharacter(GLUT_STROKE_ROMAN, glyph.base);
            glPopMatrix();
            drawMark(glyph.mark, glyph.base >= 'A' && glyph.base <= 'Z');
        glPopMatrix();
        penPx += cellPx;
    }

    popWindowPixels();
    glPopAttrib();
}
