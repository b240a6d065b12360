#include "tools/stills/cycle_animation.h"

#include <unistd.h>

#include <cstdio>

#include "tools/stills/pictures/animation_frame.h"
#include "tools/stills/output/document_format.h"
#include "tools/stills/output/gif_writer.h"
#include "model/cycle.h"
#include "tools/stills/output/palette.h"

namespace stills {

namespace {

// The crank angle of frame f of frames over one cycle.
double angleOfFrame(int f, int frames) { return kCycleDeg * f / frames; }

void showProgress(int done, int frames, const char* what)
{
    static const bool terminal = isatty(STDERR_FILENO) != 0;
    if (!terminal) return;
    std::fprintf(stderr, "\r%s: %s frame %d/%d", kProgram, what, done, frames);
    if (done == frames) std::fputc('\n', stderr);
    std::fflush(stderr);
}

}  // namespace

bool writeAnimation(OutputFile* file, const ViewSettings& view, int frames)
{
    const int width = view.width, height = view.height;
    const size_t framePixels = static_cast<size_t>(width) * height;
    RgbImage image;
    ColourHistogram histogram;
    for (int f = 0; f < frames; ++f) {
        if (!renderAnimationFrame(view, angleOfFrame(f, frames), &image)) return false;
        histogram.add(image.rgb.data(), framePixels);
        showProgress(f + 1, frames, "sampled");
    }
    const Palette palette = choosePalette(histogram, kGifPaletteColours);
    GifWriter gif(file, width, height, palette, kFrameDelayCs);
    for (int f = 0; gif.ok() && f < frames; ++f) {
        if (!renderAnimationFrame(view, angleOfFrame(f, frames), &image))
            return gif.finish("a frame could not be drawn");
        gif.addFrame(image.rgb.data());
        showProgress(f + 1, frames, "encoded");
    }
    return gif.finish();
}

}  // namespace stills
