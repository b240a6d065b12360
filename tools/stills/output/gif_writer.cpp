#include "tools/stills/output/gif_writer.h"

#include <algorithm>
#include <string>

namespace stills {

namespace {

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

bool putFrame(GifFileType* gif, const GifByteType* previous, const GifByteType* current, int width, int height,
              int delayCs)
{
    const Rect r = previous ? changedRect(previous, current, width, height) : Rect{0, 0, width, height};
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT;  // the next frame draws over this one
    control.UserInputFlag = false;
    control.DelayTime = delayCs;
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

}  // namespace

GifWriter::GifWriter(OutputFile* file, int width, int height, const Palette& palette, int frameDelayCs)
    : file_(file), width_(width), height_(height), palette_(palette), frameDelayCs_(frameDelayCs),
      previous_(static_cast<size_t>(width) * height), current_(previous_.size())
{
    GifColorType colours[kGifColourTableSize] = {};
    for (size_t i = 0; i < palette.colours.size(); ++i)
        colours[i] = GifColorType{palette.colours[i][0], palette.colours[i][1], palette.colours[i][2]};
    gif_ = EGifOpen(file, gifWrite, &error_);
    if (gif_ == nullptr) return;
    EGifSetGifVersion(gif_, true);          // GIF89a: delays, transparency, looping
    ColorMapObject* map = GifMakeMapObject(kGifColourTableSize, colours);
    ok_ = map != nullptr && EGifPutScreenDesc(gif_, width, height, kColourResolutionBits, 0, map) == GIF_OK
          && putLoopExtension(gif_);
    error_ = map == nullptr ? E_GIF_ERR_NOT_ENOUGH_MEM : gif_->Error;
    GifFreeMapObject(map);
}

GifWriter::~GifWriter()
{
    if (gif_ != nullptr) EGifCloseFile(gif_, nullptr);
}

bool GifWriter::addFrame(const unsigned char* rgb)
{
    if (!ok_) return false;
    palette_.map(rgb, current_.size(), current_.data());
    ok_ = putFrame(gif_, first_ ? nullptr : previous_.data(), current_.data(), width_, height_, frameDelayCs_);
    if (!ok_) error_ = gif_->Error;
    first_ = false;
    previous_.swap(current_);
    return ok_;
}

bool GifWriter::finish(const char* failure)
{
    bool ok = ok_ && failure == nullptr;
    if (gif_ != nullptr) {
        int closeError = 0;
        if (EGifCloseFile(gif_, &closeError) != GIF_OK && ok) {
            ok = false;
            error_ = closeError;
        }
        gif_ = nullptr;
    }
    if (!ok) {
        file_->fail(failure != nullptr ? failure : giflibFailure(error_).c_str());
        return false;
    }
    return file_->commit();
}

// What failed, in giflib's words where it has some: a write's own reason, never a null text.
std::string GifWriter::giflibFailure(int error) const
{
    if (error == E_GIF_ERR_WRITE_FAILED) return file_->writeError();
    const char* text = GifErrorString(error);
    return text != nullptr ? text : "the GIF encoder failed (giflib error " + std::to_string(error) + ")";
}

}  // namespace stills
