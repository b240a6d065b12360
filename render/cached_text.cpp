#include "render/cached_text.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

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

}  // namespace

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
        key_ = key;
        box_ = box;
        ++gImagesMade;
    }

    // One rectangle on whole pixels, each pixel's centre on its texel's.
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_TEXTURE_BIT | GL_POLYGON_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_CULL_FACE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture_);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    const double s = static_cast<double>(box_.width) / textureWidth_;
    const double t = static_cast<double>(box_.height) / textureHeight_;
    pushPixelFrame();
    glBegin(GL_QUADS);
    glTexCoord2d(0, 0); glVertex2i(box_.x, box_.y);
    glTexCoord2d(s, 0); glVertex2i(box_.x + box_.width, box_.y);
    glTexCoord2d(s, t); glVertex2i(box_.x + box_.width, box_.y + box_.height);
    glTexCoord2d(0, t); glVertex2i(box_.x, box_.y + box_.height);
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
