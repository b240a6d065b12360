#pragma once
// One bitmap font kept in a texture. On a software renderer every glBitmap costs a texture
// upload and a draw of its own, which made the overlay's few hundred glyphs the largest cost of
// a frame; so each printable glyph is drawn once with glutBitmapCharacter, read back from the
// back buffer, and texts are then drawn as alpha-tested textured quads lighting exactly the
// pixels the bitmaps light, at the same depth.

#include <GL/gl.h>

#include <vector>

class GlyphAtlas {
public:
    explicit GlyphAtlas(void* font);

    // Draws the glyphs into the back buffer's lower left corner, in a grid that fits the
    // smallest power-of-two texture whatever the window, and reads them back into the texture.
    // Only before a frame's clear, since it scribbles over the picture. False, and nothing kept,
    // when the viewport or the renderer cannot hold them or a glyph leaves its cell.
    bool capture(int viewportWidth, int viewportHeight);
    bool ready() const { return texture_ != 0; }
    GLuint texture() const { return texture_; }

    // The text at the current raster position, pixel for pixel as glutBitmapCharacter draws
    // it, with GL_TEXTURE_2D on, this texture bound, alpha test GL_GREATER 0.5 and polygons
    // filled. unitsPerPixel turns window pixels into the current projection's units. The
    // raster position moves on by the text's width, as the bitmaps move it. False, with
    // nothing drawn, when the text holds a byte without a glyph here.
    bool draw(const char* text, double unitsPerPixelX, double unitsPerPixelY) const;

private:
    static constexpr int kFirst = 32;       // the printable ASCII bytes
    static constexpr int kLast = 126;
    static constexpr int kCount = kLast - kFirst + 1;

    struct Glyph {
        int advance = 0;                    // pixels the raster position moves on
        int x = 0, y = 0, width = 0, height = 0;    // lit box in the texture, texels
        int offsetX = 0, offsetY = 0;       // box corner from the glyph's raster pixel
    };

    // The read-back glyphs (0 or 255 per pixel, width x height) into a new texture.
    void upload(const std::vector<GLubyte>& lit, int width, int height);

    void* font_;
    GLuint texture_ = 0;
    int textureWidth_ = 0, textureHeight_ = 0;
    Glyph glyphs_[kCount];
};
