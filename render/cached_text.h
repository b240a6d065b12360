#pragma once
// A text kept as an image while it stays the same. Projector mode's texts are hundreds of
// antialiased stroke lines each, and the help panel a translucent rectangle under its lines; a
// software renderer spends more on them every frame than on the engine. Drawn once over black
// and once over white, a drawing that only blends gives, pixel by pixel, the colour it adds and
// the share of the old colour it lets through; one textured rectangle blended that way gives
// the same pixels over any picture, to a unit of rounding.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

// A rectangle of window pixels: the corner nearest the origin, and the size.
struct PixelBox {
    int x, y, width, height;
};

// A rectangle of a premultiplied image, from its bottom left: drawn from the texture, or in the
// one colour all its pixels have.
struct ImagePiece {
    int x, y, width, height;
    bool textured;
    uint8_t colour[4];
};

// The RGBA image (width x height, rows from the bottom) as rectangles that cover every pixel
// that changes what is under it; pixels that let everything through are left out.
std::vector<ImagePiece> imagePieces(const std::vector<uint8_t>& image, int width, int height);

class CachedText {
public:
    // Draws what commands draw inside box. The first time, and whenever key differs from the
    // last one, the commands draw on black and on white inside the box, the image is made from
    // the two (the old one replaced) and the picture under the box is put back; then the image
    // is blended in. The key names everything the drawing depends on (its text, colour, size
    // and place); the commands only blend onto what is there (no depth test), inside the box,
    // and leave the GL state as they found it. Called in a frame of the viewport's pixels.
    void draw(const std::string& key, PixelBox box, const std::function<void()>& commands);

private:
    std::string key_;
    PixelBox box_{0, 0, 0, 0};
    std::vector<ImagePiece> pieces_;
    unsigned int texture_ = 0;
    int textureWidth_ = 0, textureHeight_ = 0;
};

// A key made of a text and the numbers that size and place it, exact to the last bit.
std::string textKey(const std::string& text, std::initializer_list<double> numbers);

// The smallest box of whole pixels that holds [x0, x1] x [y0, y1].
PixelBox pixelBoxAround(double x0, double y0, double x1, double y1);

// Off, texts are drawn line by line every frame, as without the images (to compare the two).
void setTextImages(bool on);
// How many times a text's image was made, since the start.
long textImagesMade();
