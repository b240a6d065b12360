#pragma once
// Stroke-font glyphs at one size, each drawn once and kept in a texture. Projector mode's texts
// are hundreds of wide antialiased lines; a software renderer spends more on them, or on
// blending whole images of them, than on the engine. Each glyph is drawn white over black,
// read back as its coverage, and a text is then one batch of quads that each light, blended
// by that coverage, the pixels the glyph's lines light, at the glyph's size (crisp, not
// stretched) and within half a pixel of where the lines would put it.

#include <GL/gl.h>

#include <functional>
#include <vector>

class StrokeGlyphs {
public:
    // Draws the glyph of one byte (a string of it) with its pen at whole pixel (x, y) of a
    // frame of the viewport's pixels, white, blending onto what is there.
    using DrawGlyph = std::function<void(const char* glyph, int x, int y)>;
    // How far the pen moves after the byte's glyph, pixels.
    using Advance = std::function<double(unsigned char byte)>;

    // Draws every byte that hasGlyph accepts into the back buffer, in cells reaching below and
    // above pixels from the baseline and margin pixels round the advance, and reads them back.
    // Only before a frame's clear, since it scribbles over the picture. False, and nothing
    // kept, when a glyph leaves its cell or the renderer cannot hold the texture.
    bool make(const DrawGlyph& draw, const Advance& advance, const std::function<bool(unsigned char)>& hasGlyph,
              double below, double above, double margin);
    bool ready() const { return texture_ != 0; }

    StrokeGlyphs() = default;
    StrokeGlyphs(const StrokeGlyphs&) = delete;
    StrokeGlyphs& operator=(const StrokeGlyphs&) = delete;
    ~StrokeGlyphs();                        // gives the texture back: with the context current

    // The text with its pen starting at window pixel (x, y), at window depth z (0 near, 1 far)
    // in the current colour; each glyph's pen on the pixel nearest to where the lines put it.
    // Alpha-tested above 0 too, so that with the depth test on, it writes depth only where it
    // lights pixels, as the lines do. Leaves the GL state and matrices as it found them.
    void draw(const char* text, double x, double y, double z) const;

private:
    struct Glyph {
        double advance = 0.0;               // pixels
        int width = 0, height = 0;          // the lit box, pixels; 0 for a blank glyph
        int offsetX = 0, offsetY = 0;       // its corner from the pen's pixel
        int texX = 0, texY = 0;             // its corner in the texture, texels
    };

    // The lit boxes (coverage, width x height each) packed in rows into a new texture.
    bool upload(const std::vector<std::vector<GLubyte>>& coverage);

    Glyph glyphs_[256];
    GLuint texture_ = 0;
    int textureWidth_ = 0, textureHeight_ = 0;
};
