#include "render/stroke_glyphs.h"

#include <algorithm>
#include <cmath>

#include "render/glyph_box.h"
#include "render/texture_fit.h"
#include "render/window_pixels.h"

namespace {

constexpr int kRowTexels = 1024;            // the texture's rows of glyphs, unless one is wider
constexpr int kGapTexels = 1;               // between packed glyphs, so no box touches another

int powerOfTwoAtLeast(int n)
{
    int p = 1;
    while (p < n) p *= 2;                   // OpenGL 1.1 textures: sides that are powers of two
    return p;
}

int nearestPixel(double v) { return static_cast<int>(std::floor(v + 0.5)); }

}  // namespace

StrokeGlyphs::~StrokeGlyphs()
{
    if (texture_ != 0) glDeleteTextures(1, &texture_);
}

bool StrokeGlyphs::make(const DrawGlyph& draw, const Advance& advance,
                        const std::function<bool(unsigned char)>& hasGlyph, double below, double above,
                        double margin)
{
    std::vector<unsigned char> bytes;
    double widest = 0.0;
    for (int b = 1; b < 256; ++b) {
        glyphs_[b] = Glyph{};
        glyphs_[b].advance = advance(static_cast<unsigned char>(b));
        if (!hasGlyph(static_cast<unsigned char>(b))) continue;
        bytes.push_back(static_cast<unsigned char>(b));
        widest = std::max(widest, glyphs_[b].advance);
    }
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    const int edge = static_cast<int>(std::ceil(margin));
    const int down = static_cast<int>(std::ceil(below)) + edge;     // from a cell's bottom to its baseline
    const int cellWidth = static_cast<int>(std::ceil(widest)) + 2 * edge;
    const int cellHeight = down + static_cast<int>(std::ceil(above)) + edge;
    const int columns = viewport[2] / cellWidth, rows = viewport[3] / cellHeight;
    if (columns == 0 || rows == 0 || bytes.empty()) return false;

    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    pushWindowPixels(0, viewport[2], 0, viewport[3], -1, 1);
    glViewport(0, 0, viewport[2], viewport[3]);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_SCISSOR_TEST);
    glDisable(GL_CULL_FACE);
    glClearColor(0, 0, 0, 1);
    glColor3d(1, 1, 1);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);

    // As many cells as the screen holds at a time: drawn, read back, cleared for the next ones.
    std::vector<std::vector<GLubyte>> coverage(256);
    std::vector<GLubyte> lit;
    bool fits = true;
    const size_t perScreen = static_cast<size_t>(columns) * rows;
    for (size_t first = 0; first < bytes.size() && fits; first += perScreen) {
        const int count = static_cast<int>(std::min(bytes.size() - first, perScreen));
        glClear(GL_COLOR_BUFFER_BIT);
        for (int i = 0; i < count; ++i) {
            const char glyph[2] = {static_cast<char>(bytes[first + i]), '\0'};
            draw(glyph, (i % columns) * cellWidth + edge, (i / columns) * cellHeight + down);
        }
        const int width = columns * cellWidth, height = (count + columns - 1) / columns * cellHeight;
        lit.resize(static_cast<size_t>(width) * height);
        glReadPixels(0, 0, width, height, GL_RED, GL_UNSIGNED_BYTE, lit.data());
        for (int i = 0; i < count; ++i) {
            // The glyph's lit box; a lit pixel on the cell's outer ring means it was too small.
            const int cellX = (i % columns) * cellWidth, cellY = (i / columns) * cellHeight;
            const LitBox box = cellLitBox(lit, width, cellX, cellY, cellWidth, cellHeight);
            if (box.touchesRing) fits = false;
            const int x0 = box.x0, y0 = box.y0, x1 = box.x1, y1 = box.y1;
            if (x1 < x0) continue;          // blank: the space
            const unsigned char b = bytes[first + i];
            Glyph& g = glyphs_[b];
            g.width = x1 - x0 + 1;
            g.height = y1 - y0 + 1;
            g.offsetX = x0 - (cellX + edge);
            g.offsetY = y0 - (cellY + down);
            for (int y = y0; y <= y1; ++y)
                coverage[b].insert(coverage[b].end(), &lit[static_cast<size_t>(y) * width + x0],
                                   &lit[static_cast<size_t>(y) * width + x1] + 1);
        }
    }

    popWindowPixels();
    glPopClientAttrib();
    glPopAttrib();
    return fits && upload(coverage);
}

bool StrokeGlyphs::upload(const std::vector<std::vector<GLubyte>>& coverage)
{
    // Rows of boxes, left to right, a new row where the next box would not fit.
    int rowWidth = kRowTexels;
    for (const Glyph& g : glyphs_) rowWidth = std::max(rowWidth, g.width + kGapTexels);
    int x = 0, y = 0, rowHeight = 0;
    for (Glyph& g : glyphs_) {
        if (g.width == 0) continue;
        if (x + g.width + kGapTexels > rowWidth) {
            x = 0;
            y += rowHeight;
            rowHeight = 0;
        }
        g.texX = x;
        g.texY = y;
        x += g.width + kGapTexels;
        rowHeight = std::max(rowHeight, g.height + kGapTexels);
    }
    const int width = powerOfTwoAtLeast(rowWidth), height = powerOfTwoAtLeast(y + rowHeight);
    if (!rendererHoldsTexture(GL_RGBA8, GL_RGBA, width, height)) return false;
    // White premultiplied by the coverage in every channel: the software renderer samples and
    // blends four-channel texels faster than it expands one-channel ones.
    std::vector<GLubyte> image(static_cast<size_t>(width) * height * 4, 0);
    for (int b = 0; b < 256; ++b) {
        const Glyph& g = glyphs_[b];
        for (int row = 0; row < g.height; ++row)
            for (int col = 0; col < g.width; ++col)
                std::fill_n(&image[(static_cast<size_t>(g.texY + row) * width + g.texX + col) * 4], 4,
                            coverage[b][static_cast<size_t>(row) * g.width + col]);
    }
    glPushAttrib(GL_TEXTURE_BIT);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    texture_ = nearestTexture(GL_RGBA8, GL_RGBA, width, height, image.data());
    glPopClientAttrib();
    glPopAttrib();
    textureWidth_ = width;
    textureHeight_ = height;
    return true;
}

void StrokeGlyphs::draw(const char* text, double x, double y, double z) const
{
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_TEXTURE_BIT | GL_POLYGON_BIT | GL_TRANSFORM_BIT);
    glDisable(GL_CULL_FACE);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture_);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);    // the colour times the coverage
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);                     // premultiplied
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.0f);
    // Window pixels, and depth z at -z.
    pushWindowPixels(viewport[0], viewport[0] + viewport[2], viewport[1], viewport[1] + viewport[3], 0.0, 1.0);

    const double sx = 1.0 / textureWidth_, sy = 1.0 / textureHeight_;
    const int baseline = nearestPixel(y);
    double pen = x;
    glBegin(GL_QUADS);
    for (const char* c = text; *c != '\0'; ++c) {
        const Glyph& g = glyphs_[static_cast<unsigned char>(*c)];
        if (g.width > 0) {
            const int x0 = nearestPixel(pen) + g.offsetX, y0 = baseline + g.offsetY;
            const double s0 = g.texX * sx, s1 = (g.texX + g.width) * sx;
            const double t0 = g.texY * sy, t1 = (g.texY + g.height) * sy;
            glTexCoord2d(s0, t0); glVertex3d(x0, y0, -z);
            glTexCoord2d(s1, t0); glVertex3d(x0 + g.width, y0, -z);
            glTexCoord2d(s1, t1); glVertex3d(x0 + g.width, y0 + g.height, -z);
            glTexCoord2d(s0, t1); glVertex3d(x0, y0 + g.height, -z);
        }
        pen += g.advance;
    }
    glEnd();

    popWindowPixels();
    glPopAttrib();
}
