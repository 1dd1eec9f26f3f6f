// The software canvas: the five raster operations on every channel, and clipping at both the
// destination and the source as GDI's BitBlt clips (the Windows tests compare the two).

#include <gtest/gtest.h>

#include <cstdint>

#include "engine/software_canvas.h"
#include "shell/error_report.h"

namespace quillon {
namespace {

// Every pixel different, so a misplaced read shows.
SoftwareCanvas Patterned(int w, int h) {
    SoftwareCanvas c(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            c.SetPixel(x, y, {uint8_t(x * 7 + 1), uint8_t(y * 13 + 2), uint8_t(x * 31 ^ y * 17)});
    return c;
}

TEST(SoftwareCanvas, EveryRasterOperationCombinesEveryChannelAndPixelsOutsideAreRefused) {
    // Destination {F0, 0F, 55}, source {CC, AA, 0F}; three pixels a row, so rows end off the
    // eight-byte steps.
    const std::pair<RasterOp, Rgb> cases[] = {{RasterOp::Copy, {0xCC, 0xAA, 0x0F}},
                                              {RasterOp::And, {0xC0, 0x0A, 0x05}},
                                              {RasterOp::Or, {0xFC, 0xAF, 0x5F}},
                                              {RasterOp::Xor, {0x3C, 0xA5, 0x5A}},
                                              {RasterOp::DstInvert, {0x0F, 0xF0, 0xAA}}};
    const SoftwareCanvas src(3, 2, {0xCC, 0xAA, 0x0F});
    for (const auto& [eOp, expected] : cases) {
        SoftwareCanvas dst(3, 2, {0xF0, 0x0F, 0x55});
        dst.BitBlt(0, 0, 3, 2, &src, 0, 0, eOp);
        for (int i = 0; i < 6; ++i) EXPECT_EQ(dst.Pixel(i % 3, i / 3), expected) << int(eOp);
    }
    SoftwareCanvas c(5, 3);
    EXPECT_EQ(c.Pixel(4, 2), kBlack);
    EXPECT_THROW(c.Pixel(5, 0), QuillonError);
    EXPECT_THROW(c.Pixel(0, 3), QuillonError);
    EXPECT_THROW(c.SetPixel(-1, 0, kWhite), QuillonError);
    EXPECT_THROW(c.BitBlt(0, 0, 4, 3, nullptr, 0, 0, RasterOp::Copy), QuillonError);
}

// A copy lands only where both the destination and the source pixel exist.
TEST(SoftwareCanvas, CopyTakesTheSourceOffsetAndClipsAtBothSurfaces) {
    const struct {
        int dx, dy, w, h, sx, sy;
    } cases[] = {{1, 2, 3, 2, 4, 5},   {-3, -2, 7, 6, 1, 1}, {5, 6, 7, 6, 0, 0},
                 {2, 2, 5, 5, -2, -3}, {2, 2, 5, 5, 4, 3},   {-2, 3, 9, 9, -1, 1},
                 {-6, -5, 6, 5, 0, 0}, {0, 0, 4, 4, 6, 0},   {0, 0, 0, 4, 0, 0},
                 {0, 0, -5, 4, 0, 0}};
    const SoftwareCanvas src = Patterned(6, 5);
    for (const auto& c : cases) {
        SoftwareCanvas dst(8, 9, kBoardGreen);
        dst.BitBlt(c.dx, c.dy, c.w, c.h, &src, c.sx, c.sy, RasterOp::Copy);
        for (int y = 0; y < dst.Height(); ++y)
            for (int x = 0; x < dst.Width(); ++x) {
                const int u = x - c.dx + c.sx, v = y - c.dy + c.sy;
                const bool in = x >= c.dx && x < c.dx + c.w && y >= c.dy && y < c.dy + c.h &&
                                u >= 0 && u < src.Width() && v >= 0 && v < src.Height();
                ASSERT_EQ(dst.Pixel(x, y), in ? src.Pixel(u, v) : kBoardGreen)
                    << x << "," << y << " from " << c.sx << "," << c.sy;
            }
    }
}

TEST(SoftwareCanvas, FillAndInvertClipExtremeCoordinatesAndAnOverlappingCopyReadsTheOriginal) {
    const SoftwareCanvas src = Patterned(4, 4);
    SoftwareCanvas c(6, 4, kBoardGreen);
    c.FillRect(-2, 2, 4, 5, kWhite);  // the left two columns of the bottom rows
    c.FillRect(0, 0, -1, 5, kBlack);
    c.BitBlt(-10, -10, 5, 5, nullptr, 0, 0, RasterOp::DstInvert);
    c.BitBlt(INT32_MAX - 1, 0, INT32_MAX, 4, &src, 0, 0, RasterOp::Copy);
    c.BitBlt(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, &src, 0, 0, RasterOp::Copy);
    c.BitBlt(0, 0, 4, 4, &src, INT32_MIN, INT32_MAX, RasterOp::Copy);
    c.FillRect(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, kBlack);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(c.Pixel(x, y), x < 2 && y >= 2 ? kWhite : kBoardGreen) << x << "," << y;

    SoftwareCanvas moved = Patterned(8, 8);
    const SoftwareCanvas before = Patterned(8, 8);
    moved.BitBlt(1, 1, 6, 6, &moved, 0, 0, RasterOp::Copy);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool in = x >= 1 && x < 7 && y >= 1 && y < 7;
            EXPECT_EQ(moved.Pixel(x, y), in ? before.Pixel(x - 1, y - 1) : before.Pixel(x, y));
        }
}

}  // namespace
}  // namespace quillon
