#pragma once
// Parser of binary PPM images (magic P6, one byte a sample) held in memory. It reads, checks
// and points; it allocates nothing and never reads outside [data, data + size).

#include <cstddef>
#include <memory>

// Largest side accepted, in pixels: the largest image then costs 48 MiB and its first
// textured frame about 0.2 s on a software renderer (docs/reliability.md).
constexpr int kPpmMaxSide = 4096;
constexpr long long kPpmMaxPixels = static_cast<long long>(kPpmMaxSide) * kPpmMaxSide;

struct PpmHeader {
    int width = 0;                          // pixels, 1 to kPpmMaxSide when valid
    int height = 0;                         // pixels, 1 to kPpmMaxSide when valid
    std::size_t pixelOffset = 0;            // where the pixel bytes start in the data
    const char* error = nullptr;            // French reason (ASCII) when invalid, else null
};

struct PpmImage {
    int width = 0;                          // pixels, at least 1 when valid
    int height = 0;                         // pixels, at least 1 when valid
    const unsigned char* pixels = nullptr;  // width x height x 3 bytes inside the parsed data, rows
                                            // in file order; null when the data is not a valid image
    const char* error = nullptr;            // French reason (ASCII) when invalid, else null
};

// Grammar: whitespace, "P6", whitespace, lines beginning with '#' (the first may follow the
// magic word on its line), the dimension line "width height" (the rest of it ignored), whitespace,
// the maximum value 1..255, one whitespace byte or a CR LF pair, the pixel bytes. Bytes after the
// pixel block are ignored.
PpmHeader parsePpmHeader(const unsigned char* data, std::size_t size);   // pixels need not follow
PpmImage parsePpm(const unsigned char* data, std::size_t size);          // header and every pixel

enum class PpmFileStatus { read, missing, invalid, noMemory };

// What reading an image file gave: the pixels, or why there are none.
struct PpmFile {
    PpmFileStatus status = PpmFileStatus::missing;
    int width = 0;                          // pixels, when read
    int height = 0;
    std::unique_ptr<unsigned char[]> pixels;    // width x height x 3 bytes, rows in file order
    const char* error = nullptr;            // French reason (ASCII) when invalid
};

// Reads a binary PPM file whole. Anything but a regular file is refused without being opened
// (a pipe or a device would be waited on or acted upon); memory and reads follow the header,
// not the file's size. It says nothing and ends nothing: the caller reports and decides.
PpmFile readPpmFile(const char* fileName);

// The message about a file that is not used: "fichier <name> invalide: <reason>".
void reportInvalidPpm(const char* fileName, const char* reason);
