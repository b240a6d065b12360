#include "tools/stills/pictures/animation_frame.h"

#include <algorithm>
#include <cstdint>

#include "model/cycle.h"
#include "tools/stills/output/cairo_document.h"
#include "tools/stills/pictures/offscreen_still.h"
#include "tools/stills/texts/printed_texts.h"

namespace stills {

namespace {

constexpr double kCaptionHeight = 0.04;     // of the picture's height: 24 pixels at 600
constexpr double kCaptionMinimum = 9.0;     // pixels
constexpr double kCaptionInset = 0.02;      // of the picture's width and height, from its corner

// The title, in the picture's bottom-left corner: white on the dark frame, black on paper's.
void drawCaption(RgbImage* image, const char* title, PictureStyle style)
{
    cairo_surface_t* surface = cairoSurfaceOf(*image);
    cairo_t* cr = cairo_create(surface);
    const double size = std::max(kCaptionMinimum, kCaptionHeight * image->height);
    useFont(cr, size, true);
    const double shade = style == PictureStyle::print ? 0.0 : 1.0;
    cairo_set_source_rgb(cr, shade, shade, shade);
    cairo_move_to(cr, kCaptionInset * image->width, (1 - kCaptionInset) * image->height);
    cairo_show_text(cr, title);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < image->height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
        unsigned char* p = &image->rgb[static_cast<size_t>(y) * image->width * 3];
        for (int x = 0; x < image->width; ++x, p += 3) {
            p[0] = static_cast<unsigned char>(row[x] >> 16);
            p[1] = static_cast<unsigned char>(row[x] >> 8);
            p[2] = static_cast<unsigned char>(row[x]);
        }
    }
    cairo_surface_destroy(surface);
}

}  // namespace

bool renderAnimationFrame(const ViewSettings& view, double angleDeg, RgbImage* image)
{
    ViewSettings frame = view;
    frame.overlay = false;
    frame.scene.showLabels = false;
    if (!renderFrame(frame, angleDeg, image)) return false;
    drawCaption(image, printedStrokeTitle(strokeOf(angleDeg)), view.style);
    return true;
}

}  // namespace stills
