#include "render/cached_text.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int kTilePx = 16;                 // the side of the squares an image is sorted in

bool gImagesOn = true;
long gImagesMade = 0;

int powerOfTwoAtLeast(int n)
{
    int p = 1;
    while (p < n) p *= 2;                   // OpenGL 1.1 textures: sides that are powers of two
    return p;
}

// The viewport's pixels, from the bottom left, for the matrices' life inside.
void pushPixelFrame()
{
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, viewport[2], 0, viewport[3], -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
}

void popPixelFrame()
{
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}

// The box cut to the viewport; its size 0 when nothing of it is on the screen.
PixelBox onScreen(PixelBox box)
{
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    const int x0 = std::max(box.x, 0), y0 = std::max(box.y, 0);
    const int x1 = std::min(box.x + box.width, static_cast<int>(viewport[2]));
    const int y1 = std::min(box.y + box.height, static_cast<int>(viewport[3]));
    return {x0, y0, std::max(x1 - x0, 0), std::max(y1 - y0, 0)};
}

// What the premultiplied image's tile at (x, y) is: nothing (0), one colour (1) or more (2).
int tileKind(const std::vector<uint8_t>& image, int width, int x, int y, int w, int h, uint8_t* colour)
{
    const uint8_t* first = &image[(static_cast<size_t>(y) * width + x) * 4];
    for (int row = y; row < y + h; ++row)
        for (int col = x; col < x + w; ++col) {
            const uint8_t* p = &image[(static_cast<size_t>(row) * width + col) * 4];
            if (p[0] != first[0] || p[1] != first[1] || p[2] != first[2] || p[3] != first[3]) return 2;
        }
    for (int c = 0; c < 4; ++c) colour[c] = first[c];
    return (first[0] | first[1] | first[2] | first[3]) == 0 ? 0 : 1;
}

}  // namespace

std::vector<ImagePiece> imagePieces(const std::vector<uint8_t>& image, int width, int height)
{
    std::vector<ImagePiece> pieces;
    for (int y = 0; y < height; y += kTilePx) {
        const int h = std::min(kTilePx, height - y);
        for (int x = 0; x < width; x += kTilePx) {
            const int w = std::min(kTilePx, width - x);
            ImagePiece piece{x, y, w, h, false, {0, 0, 0, 0}};
            const int kind = tileKind(image, width, x, y, w, h, piece.colour);
            if (kind == 0) continue;
            piece.textured = kind == 2;
            ImagePiece* last = pieces.empty() ? nullptr : &pieces.back();
            if (last && last->y == y && last->x + last->width == x && last->textured == piece.textured &&
                (piece.textured || std::equal(piece.colour, piece.colour + 4, last->colour)))
                last->width += w;           // one rectangle for a row's run of alike tiles
            else
                pieces.push_back(piece);
        }
    }
    return pieces;
}

void CachedText::draw(const std::string& key, PixelBox requested, const std::function<void()>& commands)
{
    if (!gImagesOn) {
        commands();
        return;
    }
    if (texture_ == 0 || key != key_) {
        const PixelBox box = onScreen(requested);
        if (box.width == 0 || box.height == 0) return;      // nothing of it would be seen
        const size_t pixels = static_cast<size_t>(box.width) * box.height;
        std::vector<uint8_t> under(pixels * 3), onBlack(pixels * 3), onWhite(pixels * 3);
        glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glReadPixels(box.x, box.y, box.width, box.height, GL_RGB, GL_UNSIGNED_BYTE, under.data());

        // The drawing alone over black gives what it adds to a pixel; over white, also how much
        // of the pixel's old colour it lets through.
        glPushAttrib(GL_SCISSOR_BIT | GL_COLOR_BUFFER_BIT | GL_ENABLE_BIT);
        glEnable(GL_SCISSOR_TEST);
        glScissor(box.x, box.y, box.width, box.height);
        for (std::vector<uint8_t>* seen : {&onBlack, &onWhite}) {
            const float ground = seen == &onBlack ? 0.0f : 1.0f;
            glClearColor(ground, ground, ground, 0.0f);
            glClear(GL_COLOR_BUFFER_BIT);
            commands();
            glReadPixels(box.x, box.y, box.width, box.height, GL_RGB, GL_UNSIGNED_BYTE, seen->data());
        }
        std::vector<uint8_t> image(pixels * 4);    // premultiplied: the colour added, the opacity
        for (size_t i = 0; i < pixels; ++i) {
            int through = 0;
            for (int c = 0; c < 3; ++c) {
                image[i * 4 + c] = onBlack[i * 3 + c];
                through += onWhite[i * 3 + c] - onBlack[i * 3 + c];
            }
            image[i * 4 + 3] = static_cast<uint8_t>(std::clamp(255 - (through + 1) / 3, 0, 255));
        }

        // The picture under the box back as it was, pixel for pixel.
        glPushAttrib(GL_PIXEL_MODE_BIT | GL_CURRENT_BIT);
        glDisable(GL_BLEND);
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_ALPHA_TEST);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_LIGHTING);
        glDisable(GL_FOG);
        glPixelZoom(1.0f, 1.0f);
        pushPixelFrame();
        glRasterPos2i(box.x, box.y);
        glDrawPixels(box.width, box.height, GL_RGB, GL_UNSIGNED_BYTE, under.data());
        popPixelFrame();
        glPopAttrib();
        glPopAttrib();

        if (texture_ == 0) glGenTextures(1, &texture_);
        glPushAttrib(GL_TEXTURE_BIT);
        glBindTexture(GL_TEXTURE_2D, texture_);
        textureWidth_ = powerOfTwoAtLeast(box.width);
        textureHeight_ = powerOfTwoAtLeast(box.height);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, textureWidth_, textureHeight_, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     nullptr);
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, box.width, box.height, GL_RGBA, GL_UNSIGNED_BYTE, image.data());
        glPopAttrib();
        glPopClientAttrib();
        pieces_ = imagePieces(image, box.width, box.height);
        key_ = key;
        box_ = box;
        ++gImagesMade;
    }

    // Rectangles on whole pixels, each pixel's centre on its texel's: where the image has one
    // colour, that colour, cheaper for the renderer than reading the texture.
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_TEXTURE_BIT | GL_POLYGON_BIT | GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_TEXTURE_2D);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    pushPixelFrame();
    glTranslated(box_.x, box_.y, 0.0);
    glBegin(GL_QUADS);
    for (const ImagePiece& p : pieces_) {
        if (p.textured) continue;
        glColor4ubv(p.colour);
        glVertex2i(p.x, p.y);
        glVertex2i(p.x + p.width, p.y);
        glVertex2i(p.x + p.width, p.y + p.height);
        glVertex2i(p.x, p.y + p.height);
    }
    glEnd();
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture_);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glBegin(GL_QUADS);
    auto corner = [&](int x, int y) {
        glTexCoord2d(static_cast<double>(x) / textureWidth_, static_cast<double>(y) / textureHeight_);
        glVertex2i(x, y);
    };
    for (const ImagePiece& p : pieces_) {
        if (!p.textured) continue;
        corner(p.x, p.y);
        corner(p.x + p.width, p.y);
        corner(p.x + p.width, p.y + p.height);
        corner(p.x, p.y + p.height);
    }
    glEnd();
    popPixelFrame();
    glPopAttrib();
}

std::string textKey(const std::string& text, std::initializer_list<double> numbers)
{
    std::string key = text;
    char number[64];
    for (double n : numbers) {
        std::snprintf(number, sizeof number, "|%a", n);
        key += number;
    }
    return key;
}

PixelBox pixelBoxAround(double x0, double y0, double x1, double y1)
{
    const int left = static_cast<int>(std::floor(x0)), bottom = static_cast<int>(std::floor(y0));
    return {left, bottom, static_cast<int>(std::ceil(x1)) - left, static_cast<int>(std::ceil(y1)) - bottom};
}

void setTextImages(bool on) { gImagesOn = on; }

long textImagesMade() { return gImagesMade; }
