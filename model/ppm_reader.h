#pragma once
// Parser of binary PPM images (magic P6, one byte a sample) held in memory. It reads, checks
// and points; it allocates nothing and never reads outside [data, data + size).

#include <cstddef>

// Largest side accepted, in pixels: the largest image then costs 48 MiB and its first
// textured frame about 0.2 s on a software renderer (docs/reliability.md).
constexpr int kPpmMaxSide = 4096;
constexpr long long kPpmMaxPixels = static_cast<long long>(kPpmMaxSide) * kPpmMaxSide;
constexpr std::size_t kPpmMaxHeaderBytes = 16384;   // the header is read in one read of this size

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

// The reader's message about a file it does not use: "fichier <name> invalide: <reason>".
void reportInvalidPpm(const char* fileName, const char* reason);
