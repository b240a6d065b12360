#pragma once
// Files written whole or not at all: everything goes to FILE.tmp beside FILE and is renamed over
// FILE only when complete, so a failed run (a bad path, a full disk) never leaves a half-written
// picture behind. A device or a pipe is written to directly.

#include <cairo.h>

#include <cstdio>
#include <string>
#include <vector>

namespace stills {

class OutputFile {
public:
    explicit OutputFile(std::string path);
    ~OutputFile();                          // removes the temporary unless committed
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    bool open();                            // false (reported) when the temporary cannot be made
    bool write(const void* data, size_t size);
    // Flushes, closes and renames over the target; false (reported, temporary removed) when
    // anything failed: a full disk shows up at the flush or the close, not in the writes.
    bool commit();
    void fail(const char* why) const;       // reports a failure of this file

    // For cairo's and giflib's stream writers: closure is an OutputFile.
    static cairo_status_t cairoWrite(void* closure, const unsigned char* data, unsigned int length);

private:
    std::string path_;
    std::string tmp_;
    std::FILE* file_ = nullptr;
    bool committed_ = false;
};

// 8-bit RGB, rows top first, 3 bytes a pixel.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
};

// A cairo image surface holding the picture; the caller destroys it.
cairo_surface_t* cairoSurfaceOf(const RgbImage& image);
bool writePng(const std::string& path, const RgbImage& image);
bool writePng(const std::string& path, cairo_surface_t* surface);
bool writeText(const std::string& path, const std::string& text);

}  // namespace stills
