// The animation's one palette, chosen from the colours of all frames without holding them.

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "tools/stills/output/palette.h"

namespace {

using stills::kHistogramBitsPerChannel;
using Pixels = std::vector<unsigned char>;

void put(Pixels* pixels, int r, int g, int b, int times = 1)
{
    for (int i = 0; i < times; ++i) pixels->insert(pixels->end(), {static_cast<unsigned char>(r),
                                                                   static_cast<unsigned char>(g),
                                                                   static_cast<unsigned char>(b)});
}

// The largest channel difference between each pixel and its palette colour.
int worstError(const stills::Palette& palette, const Pixels& pixels)
{
    std::vector<unsigned char> indices(pixels.size() / 3);
    palette.map(pixels.data(), indices.size(), indices.data());
    int worst = 0;
    for (size_t i = 0; i < indices.size(); ++i)
        for (size_t c = 0; c < 3; ++c)
            worst = std::max(worst, std::abs(pixels[i * 3 + c] - palette.colours[indices[i]][c]));
    return worst;
}

}  // namespace

TEST(AnimationPalette, FewColoursComeBackExactlyFromWhicheverFrameTheyWereIn)
{
    // 200 colours a bin apart, half in one frame and half in the next, one far more frequent.
    Pixels first, second;
    for (int i = 0; i < 200; ++i)
        put(i < 100 ? &first : &second, (i % 8) * 32 + 5, (i / 8 % 8) * 32 + 7, (i / 64) * 32 + 3, i == 0 ? 5000 : 1);
    stills::ColourHistogram histogram;
    histogram.add(first.data(), first.size() / 3);
    histogram.add(second.data(), second.size() / 3);
    const stills::Palette palette = stills::choosePalette(histogram, 255);
    EXPECT_EQ(palette.colours.size(), 200u);
    EXPECT_EQ(worstError(palette, first), 0);
    EXPECT_EQ(worstError(palette, second), 0);
}

TEST(AnimationPalette, ManyColoursAreCutToTheLimitAndEveryColourMapsNearby)
{
    // Every 6th level of each channel: 43^3 colours, far more than a GIF palette holds.
    Pixels all;
    for (int r = 0; r < 256; r += 6)
        for (int g = 0; g < 256; g += 6)
            for (int b = 0; b < 256; b += 6) put(&all, r, g, b);
    stills::ColourHistogram histogram;
    histogram.add(all.data(), all.size() / 3);
    const stills::Palette palette = stills::choosePalette(histogram, 255);
    EXPECT_EQ(palette.colours.size(), 255u);
    // Median cut halves one box along one channel at a time, and 255 boxes are fewer than 2^8
    // halvings: some box was halved along a channel only twice, 256 / 4 = 64 levels wide, and a
    // colour is half that, 32, from its middle. Each of the two cuts falls on a bin's edge, up
    // to one 8-level bin off the middle, which moves the box's mean by up to 8 more per cut.
    constexpr int kLevels = 256, kHalvingsAlongTheWidest = 2, kBinLevels = 256 >> kHistogramBitsPerChannel;
    const int halfBox = (kLevels >> kHalvingsAlongTheWidest) / 2 + kHalvingsAlongTheWidest * kBinLevels;
    EXPECT_LE(worstError(palette, all), halfBox);
    // A colour the histogram never saw maps to an entry near it too.
    Pixels unseen;
    put(&unseen, 255, 255, 255);
    put(&unseen, 0, 0, 0);
    EXPECT_LE(worstError(palette, unseen), halfBox);
}
