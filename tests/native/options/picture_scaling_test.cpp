// Scaling the player's pictures to a card.

#include "options/picture_scaling.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace quillon {
namespace {

PixelImage Make(int w, int h, Rgb (*colour)(int, int)) {
    PixelImage image{w, h, {}};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) image.pixels.push_back(colour(x, y));
    return image;
}

// Shrinking keeps no single row or column: fine detail averages out, as the eye sees it.
TEST(PictureScaling, ShrinkingAveragesWhatEachPixelCovers) {
    const PixelImage checkers = Make(142, 192, [](int x, int y) {
        return (x + y) % 2 ? Rgb{255, 255, 255} : Rgb{0, 0, 0};
    });
    const PixelImage half = ScalePicture(checkers, 71, 96);
    ASSERT_EQ(half.pixels.size(), 71u * 96u);
    for (const Rgb& c : half.pixels) EXPECT_EQ(c, (Rgb{128, 128, 128}));
    // Three source pixels over two target pixels: the middle one is shared half and half.
    const PixelImage row = Make(3, 1, [](int x, int) {
        return Rgb{static_cast<uint8_t>(x * 90), 0, static_cast<uint8_t>(255 - x * 90)};
    });
    const PixelImage two = ScalePicture(row, 2, 1);
    EXPECT_EQ(two.At(0, 0), (Rgb{30, 0, 225}));   // (0 + 90 / 2) / 1.5
    EXPECT_EQ(two.At(1, 0), (Rgb{150, 0, 105}));  // (90 / 2 + 180) / 1.5
    // A photo many times larger than a card, of one colour, stays that colour.
    const PixelImage plain = ScalePicture(Make(3001, 1999,
                                               [](int, int) {
                                                   return Rgb{7, 200, 99};
                                               }),
                                          71, 96);
    for (const Rgb& c : plain.pixels) EXPECT_EQ(c, (Rgb{7, 200, 99}));
}

TEST(PictureScaling, EnlargingBlendsNeighboursAndTheSameSizeCopies) {
    const PixelImage two = Make(2, 1, [](int x, int) { return x ? Rgb{200, 0, 0} : Rgb{0, 0, 0}; });
    const PixelImage wide = ScalePicture(two, 8, 3);
    // The outer quarters keep their pixel's colour, the middle climbs steadily between them.
    for (int y = 0; y < 3; ++y) {
        EXPECT_EQ(wide.At(0, y), (Rgb{0, 0, 0}));
        EXPECT_EQ(wide.At(7, y), (Rgb{200, 0, 0}));
        for (int x = 1; x < 8; ++x) EXPECT_GE(wide.At(x, y).r, wide.At(x - 1, y).r);
    }
    EXPECT_EQ(wide.At(3, 0).r, 75);  // 3.5 / 4 - 0.5 = 0.375 of the way
    const PixelImage card = Make(71, 96, [](int x, int y) {
        return Rgb{static_cast<uint8_t>(x), static_cast<uint8_t>(y), 3};
    });
    EXPECT_EQ(ScalePicture(card, 71, 96).pixels, card.pixels);
    EXPECT_TRUE(ScalePicture(PixelImage{}, 71, 96).pixels.empty());
}

}  // namespace
}  // namespace quillon
