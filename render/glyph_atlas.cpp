#include "render/glyph_atlas.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "render/glyph_box.h"
#include "render/texture_fit.h"
#include "render/window_pixels.h"

namespace {

constexpr int kCellMargin = 8;              // pixels around each glyph's advance and height
constexpr GLubyte kLitThreshold = 128;      // white glyph on black: lit above this

// OpenGL moves a bitmap to whole pixels by truncating its raster position after this nudge,
// so a position a rounding error below a whole pixel still lands on that pixel.
constexpr float kRasterNudge = 0.0001f;

int wholePixel(float rasterCoordinate) { return static_cast<int>(std::floor(rasterCoordinate + kRasterNudge)); }

int powerOfTwoAtLeast(int n)
{
    int p = 1;
    while (p < n) p *= 2;
    return p;
}

// The number of cell columns whose grid of count cells needs the smallest power-of-two
// texture (its longer side first, then its area) and, among those, is the most nearly square,
// so that it fits the smallest windows: the same grid for every window.
int smallestTextureColumns(int cellWidth, int cellHeight, int count)
{
    int best = 0;
    long bestCost[3] = {0, 0, 0};
    for (int columns = 1; columns <= count; ++columns) {
        const int rows = (count + columns - 1) / columns;
        const long w = powerOfTwoAtLeast(columns * cellWidth), h = powerOfTwoAtLeast(rows * cellHeight);
        const long cost[3] = {std::max(w, h), w * h, std::max(columns * cellWidth, rows * cellHeight)};
        if (best == 0 || std::lexicographical_compare(cost, cost + 3, bestCost, bestCost + 3)) {
            best = columns;
            std::copy(cost, cost + 3, bestCost);
        }
    }
    return best;
}

}  // namespace

GlyphAtlas::GlyphAtlas(void* font) : font_(font) {}

bool GlyphAtlas::capture(int viewportWidth, int viewportHeight)
{
    int maxAdvance = 0;
    for (int c = kFirst; c <= kLast; ++c) maxAdvance = std::max(maxAdvance, glutBitmapWidth(font_, c));
    const int cellWidth = maxAdvance + 2 * kCellMargin;
    const int cellHeight = glutBitmapHeight(font_) + 2 * kCellMargin;
    const int columns = smallestTextureColumns(cellWidth, cellHeight, kCount);
    const int rows = (kCount + columns - 1) / columns;
    const int width = columns * cellWidth;
    const int height = rows * cellHeight;
    if (width > viewportWidth || height > viewportHeight) return false;
    if (!rendererHoldsTexture(GL_ALPHA8, GL_ALPHA, powerOfTwoAtLeast(width), powerOfTwoAtLeast(height)))
        return false;

    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    pushWindowPixels(0, viewportWidth, 0, viewportHeight, -1, 1);
    glViewport(0, 0, viewportWidth, viewportHeight);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_SCISSOR_TEST);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glColor3d(1, 1, 1);

    int rasterX[kCount], rasterY[kCount];
    for (int i = 0; i < kCount; ++i) {
        glRasterPos2i((i % columns) * cellWidth + kCellMargin, (i / columns) * cellHeight + kCellMargin);
        GLfloat raster[4];
        glGetFloatv(GL_CURRENT_RASTER_POSITION, raster);
        rasterX[i] = wholePixel(raster[0]);
        rasterY[i] = wholePixel(raster[1]);
        glutBitmapCharacter(font_, kFirst + i);
    }
    std::vector<GLubyte> lit(static_cast<size_t>(width) * height);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RED, GL_UNSIGNED_BYTE, lit.data());

    popWindowPixels();

    // Each glyph's lit box; a lit pixel on its cell's outer ring means the cell was too small.
    bool fits = true;
    for (GLubyte& texel : lit) texel = texel >= kLitThreshold ? 255 : 0;
    for (int i = 0; i < kCount; ++i) {
        const int cellX = (i % columns) * cellWidth, cellY = (i / columns) * cellHeight;
        const LitBox box = cellLitBox(lit, width, cellX, cellY, cellWidth, cellHeight);
        if (box.touchesRing) fits = false;
        const int x0 = box.x0, y0 = box.y0, x1 = box.x1, y1 = box.y1;
        Glyph& g = glyphs_[i];
        g.advance = glutBitmapWidth(font_, kFirst + i);
        g.x = x0; g.y = y0;
        g.width = x1 >= x0 ? x1 - x0 + 1 : 0;
        g.height = y1 >= y0 ? y1 - y0 + 1 : 0;
        g.offsetX = x0 - rasterX[i];
        g.offsetY = y0 - rasterY[i];
        // Every printable glyph but the space lights something: a blank one means the pixels
        // could not be read back, and the bitmaps must stay.
        if (g.width == 0 && kFirst + i != ' ') fits = false;
    }
    if (fits) upload(lit, width, height);
    glPopClientAttrib();
    glPopAttrib();                          // gives the previous texture binding back
    return fits;                            // false: a glyph too large or not read back
}

void GlyphAtlas::upload(const std::vector<GLubyte>& lit, int width, int height)
{
    textureWidth_ = powerOfTwoAtLeast(width);
    textureHeight_ = powerOfTwoAtLeast(height);
    std::vector<GLubyte> image(static_cast<size_t>(textureWidth_) * textureHeight_, 0);
    for (int y = 0; y < height; ++y)
        std::copy_n(&lit[static_cast<size_t>(y) * width], width, &image[static_cast<size_t>(y) * textureWidth_]);
    texture_ = nearestTexture(GL_ALPHA8, GL_ALPHA, textureWidth_, textureHeight_, image.data());
}

bool GlyphAtlas::draw(const char* text, double unitsPerPixelX, double unitsPerPixelY) const
{
    int totalAdvance = 0;
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c < kFirst || *c > kLast) return false;
        totalAdvance += glyphs_[*c - kFirst].advance;
    }
    GLboolean valid = GL_FALSE;
    glGetBooleanv(GL_CURRENT_RASTER_POSITION_VALID, &valid);
    if (!valid) return true;                // bitmaps draw nothing there either
    GLfloat raster[4];
    glGetFloatv(GL_CURRENT_RASTER_POSITION, raster);

    // The pen moves by whole pixels from a raster position that may sit between pixels, as
    // the bitmaps' own raster position does.
    float penX = raster[0];
    const int pixelY = wholePixel(raster[1]);
    const double sx = 1.0 / textureWidth_, sy = 1.0 / textureHeight_;
    glBegin(GL_QUADS);
    for (const char* c = text; *c != '\0'; ++c) {
        const Glyph& g = glyphs_[*c - kFirst];
        if (g.width > 0) {
            const int x0 = wholePixel(penX) + g.offsetX, y0 = pixelY + g.offsetY;
            const double left = x0 * unitsPerPixelX, right = (x0 + g.width) * unitsPerPixelX;
            const double bottom = y0 * unitsPerPixelY, top = (y0 + g.height) * unitsPerPixelY;
            const double s0 = g.x * sx, s1 = (g.x + g.width) * sx;
            const double t0 = g.y * sy, t1 = (g.y + g.height) * sy;
            glTexCoord2d(s0, t0); glVertex2d(left, bottom);
            glTexCoord2d(s1, t0); glVertex2d(right, bottom);
            glTexCoord2d(s1, t1); glVertex2d(right, top);
            glTexCoord2d(s0, t1); glVertex2d(left, top);
        }
        penX += static_cast<float>(g.advance);
    }
    glEnd();
    glBitmap(0, 0, 0, 0, static_cast<float>(totalAdvance), 0, nullptr);
    return true;
}
