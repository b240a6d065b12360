#include "model/ppm_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <new>

namespace {

constexpr int kBytesPerPixel = 3;                   // red, green, blue, one byte each
constexpr long long kMaxSampleValue = 255;          // one byte a sample
constexpr std::size_t kMaxHeaderBytes = 16384;      // the header is read in one read of this size

// Opening a named pipe waits for a writer, and opening a device may act on it: the file is
// opened without waiting where the system has the notion.
#ifdef O_NONBLOCK
constexpr int kOpenWithoutWaiting = O_NONBLOCK;
#else
constexpr int kOpenWithoutWaiting = 0;
#endif
// Where descriptors have a text mode (Windows), it would turn CR LF pairs of pixel bytes into LF
// and stop at a 0x1A byte: the pixels are read as they are.
#ifdef O_BINARY
constexpr int kOpenAsBytes = O_BINARY;
#else
constexpr int kOpenAsBytes = 0;
#endif

const char* const kEndInHeader = "fin de fichier dans l'en-tete";
const char* const kBadMagic = "mot magique different de P6";
const char* const kBadWidth = "largeur invalide (entier decimal positif attendu)";
const char* const kBadHeight = "hauteur invalide (entier decimal positif attendu)";
const char* const kTooLarge = "image trop grande (plus de 4096 pixels de cote)";
const char* const kBadMaxValue = "valeur maximale invalide (entier de 1 a 255 attendu)";
const char* const kShortPixels = "donnees de pixels incompletes";
const char* const kReadFailed = "lecture impossible";
const char* const kNotRegular = "pas un fichier ordinaire";
const char* const kHeaderTooLong = "en-tete trop long (plus de 16384 octets)";

// The whitespace of the C locale, the one the header's words are separated by.
bool isSpace(unsigned char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }

const unsigned char* skipSpace(const unsigned char* p, const unsigned char* end)
{
    while (p < end && isSpace(*p)) ++p;
    return p;
}

const unsigned char* skipWord(const unsigned char* p, const unsigned char* end)
{
    while (p < end && !isSpace(*p)) ++p;
    return p;
}

// Past the line feed that ends the line starting at p, or end when the data stops first.
const unsigned char* nextLine(const unsigned char* p, const unsigned char* end)
{
    const void* feed = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
    return feed ? static_cast<const unsigned char*>(feed) + 1 : end;
}

enum class Number { missing, valid, tooLarge };

// Reads the decimal digits at p (advancing p past them) into value. More than limit gives
// tooLarge; the digits are still consumed so the value cannot wrap.
Number readDecimal(const unsigned char*& p, const unsigned char* end, long long limit, long long* value)
{
    if (p >= end || !isDigit(*p)) return Number::missing;
    long long v = 0;
    bool tooLarge = false;
    for (; p < end && isDigit(*p); ++p) {
        if (!tooLarge) v = v * 10 + (*p - '0');
        if (v > limit) tooLarge = true;
    }
    *value = v;
    return tooLarge ? Number::tooLarge : Number::valid;
}

PpmHeader invalid(const char* reason)
{
    PpmHeader header;
    header.error = reason;
    return header;
}

std::size_t pixelBytes(const PpmHeader& header)
{
    return static_cast<std::size_t>(header.width) * static_cast<std::size_t>(header.height) * kBytesPerPixel;
}

PpmFile failed(PpmFileStatus status, const char* reason = nullptr)
{
    PpmFile result;
    result.status = status;
    result.error = reason;
    return result;
}

PpmFile refuse(std::FILE* file, const char* reason)
{
    if (file != nullptr) std::fclose(file);
    return failed(PpmFileStatus::invalid, reason);
}

// The named file opened for reading when it is a regular file; null, with why in *refusal,
// when it cannot be opened or is anything else.
std::FILE* openRegular(const char* fileName, PpmFile* refusal)
{
    struct stat info;
    if (stat(fileName, &info) != 0) {
        *refusal = failed(PpmFileStatus::missing);
        return nullptr;
    }
    if (!S_ISREG(info.st_mode)) {
        *refusal = failed(PpmFileStatus::invalid, kNotRegular);
        return nullptr;
    }
    const int fd = open(fileName, O_RDONLY | kOpenAsBytes | kOpenWithoutWaiting);
    if (fd < 0) {
        *refusal = failed(PpmFileStatus::missing);
        return nullptr;
    }
    // The name may have been given to something else between the look and the open.
    const char* reason = fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ? kNotRegular : nullptr;
    std::FILE* file = reason ? nullptr : fdopen(fd, "rb");
    if (file == nullptr) {
        close(fd);
        *refusal = failed(PpmFileStatus::invalid, reason ? reason : kReadFailed);
    }
    return file;
}

}  // namespace

PpmHeader parsePpmHeader(const unsigned char* data, std::size_t size)
{
    if (data == nullptr) size = 0;
    const unsigned char* p = data;
    const unsigned char* const end = data + size;
    PpmHeader header;

    p = skipSpace(p, end);
    if (p == end) return invalid(kEndInHeader);
    const unsigned char* magic = p;
    p = skipWord(p, end);
    if (p == end && p - magic < 2) return invalid(kEndInHeader);
    if (p - magic != 2 || magic[0] != 'P' || magic[1] != '6') return invalid(kBadMagic);

    // The first line starts at the first non-blank byte after the magic word, every later one
    // at a line start; a comment line is skipped whole, whatever its length.
    p = skipSpace(p, end);
    while (p < end && *p == '#') p = nextLine(p, end);
    if (p == end) return invalid(kEndInHeader);

    const unsigned char* lineEnd = nextLine(p, end);
    long long width = 0;
    long long height = 0;
    p = skipSpace(p, lineEnd);
    Number w = readDecimal(p, lineEnd, kPpmMaxSide, &width);
    if (w == Number::missing || width == 0) return invalid(kBadWidth);
    p = skipSpace(p, lineEnd);
    if (p == end) return invalid(kEndInHeader);
    Number h = readDecimal(p, lineEnd, kPpmMaxSide, &height);
    if (h == Number::missing || height == 0) return invalid(kBadHeight);
    if (w == Number::tooLarge || h == Number::tooLarge) return invalid(kTooLarge);
    p = lineEnd;                            // the rest of the dimension line is not looked at

    p = skipSpace(p, end);
    if (p == end) return invalid(kEndInHeader);
    long long maxValue = 0;
    Number m = readDecimal(p, end, kMaxSampleValue, &maxValue);
    if (m != Number::valid || maxValue == 0 || (p < end && !isSpace(*p))) return invalid(kBadMaxValue);

    // Exactly one separator, so pixel bytes that happen to be whitespace stay pixels.
    if (p == end) return invalid(kEndInHeader);
    if (*p == '\r' && end - p >= 2 && p[1] == '\n') p += 2;
    else p += 1;

    header.width = static_cast<int>(width);
    header.height = static_cast<int>(height);
    header.pixelOffset = static_cast<std::size_t>(p - data);
    return header;
}

PpmImage parsePpm(const unsigned char* data, std::size_t size)
{
    const PpmHeader header = parsePpmHeader(data, size);
    PpmImage image;
    if (header.error != nullptr) {
        image.error = header.error;
        return image;
    }
    if (size - header.pixelOffset < pixelBytes(header)) {
        image.error = kShortPixels;
        return image;
    }
    image.width = header.width;
    image.height = header.height;
    image.pixels = data + header.pixelOffset;
    return image;
}

void reportInvalidPpm(const char* fileName, const char* reason)
{
    std::printf("fichier %s invalide: %s\n", fileName, reason);
    std::fflush(stdout);
}

PpmFile readPpmFile(const char* fileName)
{
    PpmFile refusal;
    std::FILE* file = openRegular(fileName, &refusal);
    if (file == nullptr) return refusal;

    // The header from one bounded read; memory and time then follow the picture, not the file.
    unsigned char start[kMaxHeaderBytes];
    const std::size_t got = std::fread(start, 1, sizeof start, file);
    if (std::ferror(file)) return refuse(file, kReadFailed);
    const PpmHeader header = parsePpmHeader(start, got);
    // A full read may have cut the header, or the CR LF pair that ends it, short.
    const bool cut = got == sizeof start &&
                     (header.error == kEndInHeader || (header.error == nullptr && header.pixelOffset >= got));
    if (cut) return refuse(file, kHeaderTooLong);
    if (header.error != nullptr) return refuse(file, header.error);

    const std::size_t bytes = pixelBytes(header);
    struct stat info;
    if (fstat(fileno(file), &info) != 0) return refuse(file, kReadFailed);
    if (static_cast<unsigned long long>(info.st_size) < header.pixelOffset + bytes) return refuse(file, kShortPixels);

    PpmFile image;
    image.pixels.reset(new (std::nothrow) unsigned char[bytes]);
    if (!image.pixels) {
        std::fclose(file);
        return failed(PpmFileStatus::noMemory);
    }
    // One block read of the pixels; a file that shrank meanwhile comes up short, one that grew
    // costs nothing more.
    const bool complete = std::fseek(file, static_cast<long>(header.pixelOffset), SEEK_SET) == 0 &&
                          std::fread(image.pixels.get(), 1, bytes, file) == bytes;
    const bool readFailed = std::ferror(file) != 0;
    if (!complete) return refuse(file, readFailed ? kReadFailed : kShortPixels);
    std::fclose(file);
    image.status = PpmFileStatus::read;
    image.width = header.width;
    image.height = header.height;
    return image;
}
