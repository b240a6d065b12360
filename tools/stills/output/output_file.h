#pragma once
// Files written whole or not at all. A file that is replaced (output_target.h says which are) is
// written to a temporary of a unique name beside it, made with O_EXCL so that nothing already
// there is opened or followed, given the mode and owner of the file it replaces, and renamed
// over it only when complete: a failed or interrupted run leaves the old file whole and no
// temporary behind. Everything else is written through.

#include <cairo.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tools/stills/output/output_target.h"

namespace stills {

class OutputFile {
public:
    explicit OutputFile(std::string path);
    ~OutputFile();                          // removes the temporary unless committed
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    bool open();                            // false (reported) when it cannot be written
    bool write(const void* data, size_t size);
    // Flushes, closes and renames over the target; false (reported, temporary removed) when
    // anything failed: a full disk shows up at the flush or the close, not in the writes.
    bool commit();
    // Reports a failure of this file and gives it up: the temporary goes, later writes and
    // the commit fail without a second report.
    void fail(const char* why);
    const char* writeError() const;         // why the first failed write failed
    const OutputTarget& target() const { return target_; }

    // For cairo's and giflib's stream writers: closure is an OutputFile.
    static cairo_status_t cairoWrite(void* closure, const unsigned char* data, unsigned int length);

private:
    int makeTemporary();                    // its descriptor, or -1 (reported)
    void removeTemporary();

    std::string path_;
    OutputTarget target_;
    std::string tmpName_;                   // in target_.dirFd; empty when none exists
    int guard_ = -1;                        // the temporary's interrupt guard
    std::FILE* file_ = nullptr;
    int writeErrno_ = 0;
};

// 8-bit RGB, rows top first, 3 bytes a pixel.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
};

// A cairo image surface holding the picture; the caller destroys it.
cairo_surface_t* cairoSurfaceOf(const RgbImage& image);
// Write into an opened file and commit it; false (reported) on any failure.
bool writePng(OutputFile* file, const RgbImage& image);
bool writePng(OutputFile* file, cairo_surface_t* surface);
bool writeText(OutputFile* file, const std::string& text);

}  // namespace stills
