// A text image cut into rectangles: what lets the picture through left out, one colour drawn
// flat, the rest from the texture, and a row's alike tiles as one rectangle.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "render/cached_text.h"

TEST(ImagePieces, LeavesOutClearTilesDrawsOneColourFlatAndMergesARowsRun)
{
    constexpr int kWidth = 40, kHeight = 20;   // pixels: tiles of 16, cut short at the edges
    std::vector<uint8_t> image(kWidth * kHeight * 4, 0);
    auto set = [&](int x, int y, uint8_t r, uint8_t a) {
        uint8_t* p = &image[(static_cast<size_t>(y) * kWidth + x) * 4];
        p[0] = p[1] = p[2] = r;
        p[3] = a;
    };
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x) set(x, y, 0, 209);    // the bottom row's first two tiles: a panel
    set(35, 17, 255, 255);                                 // one lit pixel in the top row's last tile
    const std::vector<ImagePiece> pieces = imagePieces(image, kWidth, kHeight);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_FALSE(pieces[0].textured);
    EXPECT_EQ(pieces[0].x + pieces[0].width, 32);
    EXPECT_EQ(pieces[0].height, 16);
    EXPECT_EQ(pieces[0].colour[3], 209);
    EXPECT_TRUE(pieces[1].textured);
    EXPECT_EQ(pieces[1].x, 32);
    EXPECT_EQ(pieces[1].y, 16);
    EXPECT_EQ(pieces[1].width, 8);
    EXPECT_EQ(pieces[1].height, 4);
}
