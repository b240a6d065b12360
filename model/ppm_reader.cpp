#include "model/ppm_reader.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "model/engine_block.h"

namespace {

constexpr int kBytesPerPixel = 3;                   // red, green, blue, one byte each
constexpr long long kMaxSampleValue = 255;          // one byte a sample
constexpr long long kMaxHeaderBytes = 1 << 20;      // comments beyond 1 MiB are not read
constexpr long long kMaxFileBytes = kPpmMaxPixels * kBytesPerPixel + kMaxHeaderBytes;

const char* const kEndInHeader = "fin de fichier dans l'en-tete";
const char* const kBadMagic = "mot magique different de P6";
const char* const kBadWidth = "largeur invalide (entier decimal positif attendu)";
const char* const kBadHeight = "hauteur invalide (entier decimal positif attendu)";
const char* const kTooLarge = "image trop grande (plus de 16384 x 16384 pixels)";
const char* const kBadMaxValue = "valeur maximale invalide (entier de 1 a 255 attendu)";
const char* const kShortPixels = "donnees de pixels incompletes";
const char* const kReadFailed = "lecture impossible";

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

PpmImage invalid(const char* reason)
{
    PpmImage image;
    image.error = reason;
    return image;
}

}  // namespace

PpmImage parsePpm(const unsigned char* data, std::size_t size)
{
    if (data == nullptr) size = 0;
    const unsigned char* p = data;
    const unsigned char* const end = data + size;

    p = skipSpace(p, end);
    if (p == end) return invalid(kEndInHeader);
    const unsigned char* magic = p;
    p = skipWord(p, end);
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
    Number w = readDecimal(p, lineEnd, kPpmMaxPixels, &width);
    if (w == Number::missing || width == 0) return invalid(kBadWidth);
    p = skipSpace(p, lineEnd);
    Number h = readDecimal(p, lineEnd, kPpmMaxPixels, &height);
    if (h == Number::missing || height == 0) return invalid(kBadHeight);
    if (w == Number::tooLarge || h == Number::tooLarge || width * height > kPpmMaxPixels)
        return invalid(kTooLarge);
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

    const long long pixelBytes = width * height * kBytesPerPixel;
    if (end - p < pixelBytes) return invalid(kShortPixels);

    PpmImage image;
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    image.pixels = p;
    return image;
}

unsigned char* EngineBlock::readPpm(const char* fileName, int* width, int* height)
{
    std::FILE* file = std::fopen(fileName, "rb");
    if (file == nullptr) {
        std::printf("fichier %s introuvable\n", fileName);
        std::fflush(stdout);
        std::exit(EXIT_FAILURE);
    }

    // One buffer for the whole file; the pixels are moved to its front once checked.
    long long fileBytes = -1;
    if (std::fseek(file, 0, SEEK_END) == 0) fileBytes = std::ftell(file);
    bool readable = fileBytes >= 0 && std::fseek(file, 0, SEEK_SET) == 0;
    if (readable) {
        // A directory opens but cannot be read: find out before allocating for it.
        int first = std::fgetc(file);
        readable = !std::ferror(file) && (first == EOF || std::ungetc(first, file) == first);
    }
    if (!readable) {
        std::fclose(file);
        std::printf("fichier %s invalide: %s\n", fileName, kReadFailed);
        std::fflush(stdout);
        return nullptr;
    }
    const std::size_t wanted = static_cast<std::size_t>(fileBytes < kMaxFileBytes ? fileBytes : kMaxFileBytes);

    unsigned char* buffer = new (std::nothrow) unsigned char[wanted + 1];
    if (buffer == nullptr) {
        std::fclose(file);
        std::printf("erreur d'allocation de l'image de texture\n");
        std::fflush(stdout);
        return nullptr;
    }
    const std::size_t got = std::fread(buffer, 1, wanted, file);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);

    PpmImage image = failed ? PpmImage{} : parsePpm(buffer, got);
    if (image.pixels == nullptr) {
        std::printf("fichier %s invalide: %s\n", fileName, failed ? kReadFailed : image.error);
        std::fflush(stdout);
        delete[] buffer;
        return nullptr;
    }
    *width = image.width;
    *height = image.height;
    std::memmove(buffer, image.pixels, static_cast<std::size_t>(image.width) * image.height * kBytesPerPixel);
    return buffer;
}
