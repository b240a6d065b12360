#include "tools/stills/animation.h"

#include <gif_lib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/stills/animation_frame.h"
#include "tools/stills/output_file.h"
#include "tools/stills/palette.h"

namespace stills {

namespace {

constexpr int kPaletteColours = 255;        // the 256th entry is the transparent one
constexpr int kGifColourTableSize = 256;
constexpr GifByteType kTransparent = 255;
constexpr int kColourResolutionBits = 8;
constexpr int kLoopForever = 0;

// giflib's writer: the file is an OutputFile.
int gifWrite(GifFileType* gif, const GifByteType* data, int length)
{
    return static_cast<OutputFile*>(gif->UserData)->write(data, static_cast<size_t>(length)) ? length : 0;
}

// The NETSCAPE2.0 application extension: play the frames again and again.
bool putLoopExtension(GifFileType* gif)
{
    static const char kApplication[] = "NETSCAPE2.0";
    const GifByteType loop[] = {1, kLoopForever & 0xFF, (kLoopForever >> 8) & 0xFF};
    return EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK
           && EGifPutExtensionBlock(gif, 11, kApplication) == GIF_OK
           && EGifPutExtensionBlock(gif, sizeof loop, loop) == GIF_OK
           && EGifPutExtensionTrailer(gif) == GIF_OK;
}

struct Rect {
    int left, top, right, bottom;           // right and bottom exclusive
};

// The smallest rectangle holding every pixel that differs from the previous frame; one pixel
// when nothing does (a GIF frame cannot be empty).
Rect changedRect(const GifByteType* previous, const GifByteType* current, int width, int height)
{
    Rect r{width, height, 0, 0};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const size_t i = static_cast<size_t>(y) * width + x;
            if (previous[i] == current[i]) continue;
            r = {std::min(r.left, x), std::min(r.top, y), std::max(r.right, x + 1), std::max(r.bottom, y + 1)};
        }
    if (r.left >= r.right) r = {0, 0, 1, 1};
    return r;
}

bool putFrame(GifFileType* gif, const GifByteType* previous, const GifByteType* current, int width, int height)
{
    const Rect r = previous ? changedRect(previous, current, width, height) : Rect{0, 0, width, height};
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT;  // the next frame draws over this one
    control.UserInputFlag = false;
    control.DelayTime = kFrameDelayCs;
    control.TransparentColor = previous ? kTransparent : NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    EGifGCBToExtension(&control, extension);
    if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, sizeof extension, extension) != GIF_OK) return false;
    if (EGifPutImageDesc(gif, r.left, r.top, r.right - r.left, r.bottom - r.top, false, nullptr) != GIF_OK)
        return false;
    std::vector<GifByteType> line(static_cast<size_t>(r.right - r.left));
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            const size_t i = static_cast<size_t>(y) * width + x;
            line[static_cast<size_t>(x - r.left)] = previous && previous[i] == current[i] ? kTransparent : current[i];
        }
        if (EGifPutLine(gif, line.data(), static_cast<int>(line.size())) != GIF_OK) return false;
    }
    return true;
}

// The crank angle of frame f of frames over one cycle.
double angleOfFrame(int f, int frames) { return kCycleDeg * f / frames; }

// What failed, in giflib's words where it has some: a write's own reason, never a null text.
std::string gifFailure(int error, const OutputFile& file)
{
    if (error == E_GIF_ERR_WRITE_FAILED) return file.writeError();
    const char* text = GifErrorString(error);
    return text != nullptr ? text : "the GIF encoder failed (giflib error " + std::to_string(error) + ")";
}

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
    const Palette palette = choosePalette(histogram, kPaletteColours);
    GifColorType colours[kGifColourTableSize] = {};
    for (size_t i = 0; i < palette.colours.size(); ++i)
        colours[i] = GifColorType{palette.colours[i][0], palette.colours[i][1], palette.colours[i][2]};

    int error = 0;
    GifFileType* gif = EGifOpen(file, gifWrite, &error);
    if (gif == nullptr) {
        file->fail(gifFailure(error, *file).c_str());
        return false;
    }
    EGifSetGifVersion(gif, true);           // GIF89a: delays, transparency, looping
    ColorMapObject* map = GifMakeMapObject(kGifColourTableSize, colours);
    bool ok = map != nullptr && EGifPutScreenDesc(gif, width, height, kColourResolutionBits, 0, map) == GIF_OK
              && putLoopExtension(gif);
    error = map == nullptr ? E_GIF_ERR_NOT_ENOUGH_MEM : gif->Error;
    // Only the frame before is kept, for what changed since.
    std::vector<GifByteType> previous(framePixels), current(framePixels);
    bool drawn = true;
    for (int f = 0; ok && f < frames; ++f) {
        drawn = ok = renderAnimationFrame(view, angleOfFrame(f, frames), &image);
        if (!drawn) break;
        palette.map(image.rgb.data(), framePixels, current.data());
        ok = putFrame(gif, f == 0 ? nullptr : previous.data(), current.data(), width, height);
        if (!ok) error = gif->Error;
        previous.swap(current);
        showProgress(f + 1, frames, "encoded");
    }
    GifFreeMapObject(map);
    int closeError = 0;
    if (EGifCloseFile(gif, &closeError) != GIF_OK && ok) {
        ok = false;
        error = closeError;
    }
    if (!ok) {
        file->fail(drawn ? gifFailure(error, *file).c_str() : "a frame could not be drawn");
        return false;
    }
    return file->commit();
}

}  // namespace stills
