#include "tools/stills/output/output_file.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "tools/stills/output/interrupt_cleanup.h"
#include "tools/stills/output/document_format.h"

namespace stills {

namespace {

constexpr size_t kMaxStemBytes = 200;       // of the name kept in its temporary's (NAME_MAX 255)
constexpr int kRandomChars = 8;             // 62^8 names, too many to plant them all beforehand
constexpr int kNameTries = 100;             // names already taken tried before giving up
constexpr mode_t kPrivateMode = 0600;       // until the temporary has its owner and mode
constexpr unsigned char kUtf8TailMask = 0xC0;   // the top bits that mark a byte inside a character
constexpr unsigned char kUtf8TailBits = 0x80;

std::string randomSuffix()
{
    static const char kAlphabet[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    unsigned char bytes[kRandomChars] = {};
    // O_EXCL makes any name safe; chance only keeps another user from taking them all first.
    if (getrandom(bytes, sizeof bytes, 0) != static_cast<ssize_t>(sizeof bytes))
        for (unsigned char& b : bytes) b = static_cast<unsigned char>(std::rand());
    std::string suffix;
    for (unsigned char b : bytes) suffix += kAlphabet[b % (sizeof kAlphabet - 1)];
    return suffix;
}

// The name cut short enough for its temporary's to be a valid name, never inside a UTF-8
// character.
std::string stemOf(const std::string& name)
{
    size_t n = std::min(name.size(), kMaxStemBytes);
    while (n > 0 && n < name.size() && (static_cast<unsigned char>(name[n]) & kUtf8TailMask) == kUtf8TailBits) --n;
    return name.substr(0, n);
}

}  // namespace

OutputFile::OutputFile(std::string path) : path_(std::move(path)) {}

OutputFile::~OutputFile()
{
    if (file_ != nullptr) std::fclose(file_);
    else if (target_.fd >= 0) close(target_.fd);
    removeTemporary();
    if (target_.dirFd >= 0) close(target_.dirFd);
}

void OutputFile::fail(const char* why)
{
    if (path_ == "-") std::fprintf(stderr, "%s: cannot write to standard output: %s\n", kProgram, why);
    else std::fprintf(stderr, "%s: cannot write '%s': %s\n", kProgram, path_.c_str(), why);
    if (file_ != nullptr) std::fclose(file_);
    file_ = nullptr;
    removeTemporary();
}

const char* OutputFile::writeError() const { return std::strerror(writeErrno_ != 0 ? writeErrno_ : EIO); }

bool OutputFile::open()
{
    std::string why;
    if (!resolveOutput(path_, &target_, &why)) {
        fail(why.c_str());
        return false;
    }
    int fd = target_.fd;
    if (fd < 0) {
        fd = makeTemporary();
        if (fd < 0) return false;
        if (target_.exists && (target_.owner != geteuid() || target_.group != getegid())) {
            // Only root may give a file away; anyone else's replacement stays theirs.
            const int givenAway = fchown(fd, target_.owner, target_.group);
            (void)givenAway;
        }
        if (fchmod(fd, target_.mode) != 0) {
            close(fd);
            fail(std::strerror(errno));
            return false;
        }
    }
    file_ = fdopen(fd, "wb");
    if (file_ == nullptr) {
        close(fd);
        fail(std::strerror(errno));
        return false;
    }
    target_.fd = -1;                        // file_ owns it now
    return true;
}

int OutputFile::makeTemporary()
{
    const std::string stem = stemOf(target_.name);
    for (int i = 0; i < kNameTries; ++i) {
        const std::string name = stem + "." + randomSuffix() + ".tmp";
        const SignalsHeld held;             // made and guarded as one step
        const int fd = openat(target_.dirFd, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                              kPrivateMode);
        if (fd < 0 && errno == EEXIST) continue;
        if (fd < 0) {
            fail(std::strerror(errno));
            return -1;
        }
        tmpName_ = name;
        guard_ = guardEntry(target_.dirFd, name.c_str(), false);
        return fd;
    }
    fail("no free name for a temporary file beside it");
    return -1;
}

void OutputFile::removeTemporary()
{
    if (tmpName_.empty()) return;
    unlinkat(target_.dirFd, tmpName_.c_str(), 0);
    releaseGuard(guard_);
    guard_ = -1;
    tmpName_.clear();
}

bool OutputFile::write(const void* data, size_t size)
{
    if (file_ == nullptr) return false;
    if (std::fwrite(data, 1, size, file_) == size) return true;
    if (writeErrno_ == 0) writeErrno_ = errno != 0 ? errno : EIO;
    return false;
}

bool OutputFile::commit()
{
    if (file_ == nullptr) return false;     // given up, and said so
    const bool flushed = std::fflush(file_) == 0;
    int error = writeErrno_ != 0 ? writeErrno_ : errno;
    bool ok = flushed && !std::ferror(file_);
    // On the disk before the name points at it: a crash leaves the old file or the new one.
    if (ok && !tmpName_.empty() && fsync(fileno(file_)) != 0) {
        ok = false;
        error = errno;
    }
    if (std::fclose(file_) != 0 && ok) {
        ok = false;
        error = errno;
    }
    file_ = nullptr;
    if (ok && !tmpName_.empty()
        && renameat(target_.dirFd, tmpName_.c_str(), target_.dirFd, target_.name.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        fail(std::strerror(error));
        return false;
    }
    releaseGuard(guard_);
    guard_ = -1;
    tmpName_.clear();
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

bool writePng(OutputFile* file, cairo_surface_t* surface)
{
    const cairo_status_t status = cairo_surface_write_to_png_stream(surface, OutputFile::cairoWrite, file);
    if (status != CAIRO_STATUS_SUCCESS) {
        file->fail(status == CAIRO_STATUS_WRITE_ERROR ? file->writeError() : cairo_status_to_string(status));
        return false;
    }
    return file->commit();
}

bool writePng(OutputFile* file, const RgbImage& image)
{
    cairo_surface_t* surface = cairoSurfaceOf(image);
    const bool ok = writePng(file, surface);
    cairo_surface_destroy(surface);
    return ok;
}

bool writeText(OutputFile* file, const std::string& text)
{
    file->write(text.data(), text.size());
    return file->commit();
}

}  // namespace stills
