#pragma once
// Parser of binary PPM images (magic P6, one byte a sample) held in memory. It reads, checks
// and points; it allocates nothing and never reads outside [data, data + size).

#include <cstddef>

constexpr long long kPpmMaxPixels = 16384LL * 16384LL;   // largest width x height accepted

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
PpmImage parsePpm(const unsigned char* data, std::size_t size);
