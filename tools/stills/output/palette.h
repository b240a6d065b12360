#pragma once
// One palette for a whole animation, chosen from the colours of all its frames while holding
// none of them: a histogram of the colours at 5 bits a channel, of a fixed size whatever the
// frame count, is cut by median cut into boxes; each box's colour is the mean of the pixels in
// it, and every colour of a box is drawn with it. Pure: no display, no file.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace stills {

constexpr int kHistogramBitsPerChannel = 5;
constexpr int kHistogramBins = 1 << (3 * kHistogramBitsPerChannel);

class ColourHistogram {
public:
    ColourHistogram() : bins_(kHistogramBins) {}
    void add(const unsigned char* rgb, size_t pixels);   // 3 bytes a pixel

    struct Bin {
        uint64_t count = 0;                 // pixels that fell in it
        uint64_t sum[3] = {};               // their red, green and blue, added up
    };
    const std::vector<Bin>& bins() const { return bins_; }

private:
    std::vector<Bin> bins_;
};

struct Palette {
    std::vector<std::array<unsigned char, 3>> colours;  // at most the count asked for
    std::vector<unsigned char> indexOfBin;               // kHistogramBins entries

    // Each pixel's palette index; every colour maps, also one the histogram never saw.
    void map(const unsigned char* rgb, size_t pixels, unsigned char* indices) const;
};

// maxColours from 1 to 256.
Palette choosePalette(const ColourHistogram& histogram, int maxColours);

}  // namespace stills
