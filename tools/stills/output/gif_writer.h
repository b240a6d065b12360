#pragma once
// A looping GIF89a written frame by frame with one palette for all the frames: each frame after
// the first stores only the rectangle that changed, the rest of it transparent, so that only the
// frame before is held in memory.

#include <gif_lib.h>

#include <string>
#include <vector>

#include "tools/stills/output/output_file.h"
#include "tools/stills/output/palette.h"

namespace stills {

constexpr int kGifPaletteColours = 255;     // the 256th entry is the transparent one

class GifWriter {
public:
    // Starts the GIF in an opened file: its screen, the palette (at most kGifPaletteColours)
    // and the loop; ok() tells whether that went.
    GifWriter(OutputFile* file, int width, int height, const Palette& palette, int frameDelayCs);
    ~GifWriter();                           // closes an unfinished GIF; the file is not committed
    GifWriter(const GifWriter&) = delete;
    GifWriter& operator=(const GifWriter&) = delete;

    bool ok() const { return ok_; }
    // One frame of width x height RGB pixels, 3 bytes a pixel, mapped to the palette.
    bool addFrame(const unsigned char* rgb);
    // Closes the GIF and commits the file; when it went wrong, or failure is given, the file
    // fails with the reason (reported) and false comes back.
    bool finish(const char* failure = nullptr);

private:
    std::string giflibFailure(int error) const;

    OutputFile* file_;
    int width_, height_;
    const Palette& palette_;
    int frameDelayCs_;
    GifFileType* gif_ = nullptr;
    bool ok_ = false;
    int error_ = 0;
    bool first_ = true;
    std::vector<GifByteType> previous_, current_;
};

}  // namespace stills
