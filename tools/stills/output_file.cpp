#include "tools/stills/output_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "tools/stills/options.h"

namespace stills {

OutputFile::OutputFile(std::string path) : path_(std::move(path)), tmp_(path_ + ".tmp") {}

OutputFile::~OutputFile()
{
    if (file_ != nullptr) std::fclose(file_);
    if (!committed_) std::remove(tmp_.c_str());
}

void OutputFile::fail(const char* why) const
{
    std::fprintf(stderr, "%s: cannot write '%s': %s\n", kProgram, path_.c_str(), why);
}

bool OutputFile::open()
{
    // A device or a pipe (/dev/stdout, /dev/full) is written to directly: a temporary renamed
    // over it would replace the device itself.
    struct stat target;
    if (stat(path_.c_str(), &target) == 0 && (S_ISCHR(target.st_mode) || S_ISFIFO(target.st_mode))) {
        tmp_.clear();
        committed_ = true;                  // nothing of ours to remove
    }
    file_ = std::fopen(tmp_.empty() ? path_.c_str() : tmp_.c_str(), "wb");
    if (file_ == nullptr) fail(std::strerror(errno));
    return file_ != nullptr;
}

bool OutputFile::write(const void* data, size_t size)
{
    // A short write sets the stream's error flag, which commit reports.
    return std::fwrite(data, 1, size, file_) == size;
}

bool OutputFile::commit()
{
    const bool flushed = std::fflush(file_) == 0 && !std::ferror(file_);
    const int flushErrno = errno;
    const bool closed = std::fclose(file_) == 0;
    const int closeErrno = errno;
    file_ = nullptr;
    if (!flushed || !closed) {
        fail(std::strerror(!flushed ? flushErrno : closeErrno));
        return false;
    }
    if (tmp_.empty()) return true;
    if (std::rename(tmp_.c_str(), path_.c_str()) != 0) {
        fail(std::strerror(errno));
        return false;
    }
    committed_ = true;
    return true;
}

cairo_status_t OutputFile::cairoWrite(void* closure, const unsigned char* data, unsigned int length)
{
    return static_cast<OutputFile*>(closure)->write(data, length) ? CAIRO_STATUS_SUCCESS
                                                                   : CAIRO_STATUS_WRITE_ERROR;
}

cairo_surface_t* cairoSurfaceOf(const RgbImage& image)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, image.width, image.height);
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < image.height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
        const unsigned char* p = &image.rgb[static_cast<size_t>(y) * image.width * 3];
        for (int x = 0; x < image.width; ++x, p += 3)
            row[x] = (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
    }
    cairo_surface_mark_dirty(surface);
    return surface;
}

bool writePng(const std::string& path, cairo_surface_t* surface)
{
    OutputFile file(path);
    if (!file.open()) return false;
    const cairo_status_t status = cairo_surface_write_to_png_stream(surface, OutputFile::cairoWrite, &file);
    if (status != CAIRO_STATUS_SUCCESS) {
        file.fail(status == CAIRO_STATUS_WRITE_ERROR ? std::strerror(errno) : cairo_status_to_string(status));
        return false;
    }
    return file.commit();
}

bool writePng(const std::string& path, const RgbImage& image)
{
    cairo_surface_t* surface = cairoSurfaceOf(image);
    const bool ok = writePng(path, surface);
    cairo_surface_destroy(surface);
    return ok;
}

bool writeText(const std::string& path, const std::string& text)
{
    OutputFile file(path);
    if (!file.open()) return false;
    file.write(text.data(), text.size());
    return file.commit();
}

}  // namespace stills
