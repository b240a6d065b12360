// libFuzzer entry for the texture parser: any byte string must give either an error with no
// pixels, or a valid image whose pixel block lies wholly inside the input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "model/ppm_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // A copy of exactly size bytes, so that AddressSanitizer sees any read past the end.
    std::vector<unsigned char> bytes(data, data + size);
    const unsigned char* begin = bytes.empty() ? nullptr : bytes.data();
    const PpmImage image = parsePpm(begin, bytes.size());
    if (image.pixels == nullptr) {
        if (image.error == nullptr || image.width != 0 || image.height != 0) std::abort();
        return 0;
    }
    if (image.error != nullptr || image.width < 1 || image.height < 1) std::abort();
    const long long pixelBytes = static_cast<long long>(image.width) * image.height * 3;
    if (static_cast<long long>(image.width) * image.height > kPpmMaxPixels) std::abort();
    if (image.pixels < begin || image.pixels + pixelBytes > begin + bytes.size()) std::abort();
    unsigned sum = 0;                       // touch every pixel byte the parser points at
    for (long long i = 0; i < pixelBytes; ++i) sum += image.pixels[i];
    return static_cast<int>(sum & 0);
}
