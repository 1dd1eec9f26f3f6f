// The software canvas: the five raster operations per channel, and clipping against both the
// destination and the source, as GDI's BitBlt clips.

#include "engine/canvas.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>

#include "engine/software_canvas.h"
#include "shell/error_report.h"

namespace quillon {
namespace {

// A source whose every pixel is different, so a misplaced read shows.
SoftwareCanvas Patterned(int w, int h) {
    SoftwareCanvas c(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            c.SetPixel(x, y,
                       {static_cast<uint8_t>(x * 7 + 1), static_cast<uint8_t>(y * 13 + 2),
                        static_cast<uint8_t>((x * 31) ^ (y * 17))});
    return c;
}

TEST(SoftwareCanvas, StartsFilledAndReportsItsSize) {
    SoftwareCanvas c(5, 3, kBoardGreen);
    EXPECT_EQ(c.Width(), 5);
    EXPECT_EQ(c.Height(), 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(c.Pixel(x, y), kBoardGreen);
    EXPECT_EQ(SoftwareCanvas(2, 2).Pixel(1, 1), kBlack);
}

TEST(SoftwareCanvas, PixelOutsideTheCanvasIsAFailure) {
    SoftwareCanvas c(4, 4);
    EXPECT_THROW(c.Pixel(4, 0), QuillonError);
    EXPECT_THROW(c.Pixel(0, -1), QuillonError);
    EXPECT_THROW(c.SetPixel(-1, 0, kWhite), QuillonError);
}

struct OpCase {
    RasterOp eOp;
    Rgb expected;  // for destination {0xF0, 0x0F, 0x55} and source {0xCC, 0xAA, 0x0F}
};

class RasterOps : public testing::TestWithParam<OpCase> {};

TEST_P(RasterOps, CombineEveryChannel) {
    SoftwareCanvas dst(3, 2, {0xF0, 0x0F, 0x55});
    SoftwareCanvas src(3, 2, {0xCC, 0xAA, 0x0F});
    dst.BitBlt(0, 0, 3, 2, &src, 0, 0, GetParam().eOp);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(dst.Pixel(x, y), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(SoftwareCanvas, RasterOps,
                         testing::Values(OpCase{RasterOp::Copy, {0xCC, 0xAA, 0x0F}},
                                         OpCase{RasterOp::And, {0xC0, 0x0A, 0x05}},
                                         OpCase{RasterOp::Or, {0xFC, 0xAF, 0x5F}},
                                         OpCase{RasterOp::Xor, {0x3C, 0xA5, 0x5A}},
                                         OpCase{RasterOp::DstInvert, {0x0F, 0xF0, 0xAA}}));

TEST(SoftwareCanvas, DstInvertIgnoresTheSourceAndTwiceRestores) {
    SoftwareCanvas c = Patterned(6, 5);
    const SoftwareCanvas before = Patterned(6, 5);
    SoftwareCanvas other(6, 5, kWhite);
    c.BitBlt(1, 1, 3, 2, &other, 0, 0, RasterOp::DstInvert);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 6; ++x) {
            const Rgb b = before.Pixel(x, y);
            const bool inside = x >= 1 && x < 4 && y >= 1 && y < 3;
            const Rgb want = inside ? Rgb{static_cast<uint8_t>(~b.r), static_cast<uint8_t>(~b.g),
                                          static_cast<uint8_t>(~b.b)}
                                    : b;
            EXPECT_EQ(c.Pixel(x, y), want) << x << "," << y;
        }
    }
    c.BitBlt(1, 1, 3, 2, nullptr, 0, 0, RasterOp::DstInvert);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) EXPECT_EQ(c.Pixel(x, y), before.Pixel(x, y));
}

TEST(SoftwareCanvas, CopyTakesTheSourceOffset) {
    const SoftwareCanvas src = Patterned(10, 8);
    SoftwareCanvas dst(5, 5, kBoardGreen);
    dst.BitBlt(1, 2, 3, 2, &src, 4, 5, RasterOp::Copy);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 5; ++x) {
            const bool inside = x >= 1 && x < 4 && y >= 2 && y < 4;
            EXPECT_EQ(dst.Pixel(x, y), inside ? src.Pixel(x + 3, y + 3) : kBoardGreen)
                << x << "," << y;
        }
    }
}

// Expected result of a Copy of src at (sx, sy) to (dx, dy), w x h, onto a green canvas, pixel by
// pixel, by the rule: written only where both the destination and the source pixel exist.
void ExpectClippedCopy(const SoftwareCanvas& dst, const SoftwareCanvas& src, int dx, int dy, int w,
                       int h, int sx, int sy) {
    for (int y = 0; y < dst.Height(); ++y) {
        for (int x = 0; x < dst.Width(); ++x) {
            const int u = x - dx + sx;
            const int v = y - dy + sy;
            const bool inRect = x >= dx && x < dx + w && y >= dy && y < dy + h;
            const bool inSource = u >= 0 && u < src.Width() && v >= 0 && v < src.Height();
            EXPECT_EQ(dst.Pixel(x, y), inRect && inSource ? src.Pixel(u, v) : kBoardGreen)
                << "pixel " << x << "," << y;
        }
    }
}

TEST(SoftwareCanvas, ClipsAtEveryDestinationEdge) {
    const SoftwareCanvas src = Patterned(20, 20);
    for (auto [dx, dy] : {std::pair{-3, -2}, {5, 6}, {-4, 4}, {6, -5}}) {
        SoftwareCanvas dst(8, 9, kBoardGreen);
        dst.BitBlt(dx, dy, 7, 6, &src, 5, 5, RasterOp::Copy);
        SCOPED_TRACE(testing::Message() << "at " << dx << "," << dy);
        ExpectClippedCopy(dst, src, dx, dy, 7, 6, 5, 5);
    }
}

TEST(SoftwareCanvas, ClipsAtEverySourceEdgeLeavingTheDestination) {
    const SoftwareCanvas src = Patterned(6, 5);
    for (auto [sx, sy] : {std::pair{-2, -3}, {4, 3}, {-1, 2}, {3, -2}}) {
        SoftwareCanvas dst(10, 10, kBoardGreen);
        dst.BitBlt(2, 2, 5, 5, &src, sx, sy, RasterOp::Copy);
        SCOPED_TRACE(testing::Message() << "from " << sx << "," << sy);
        ExpectClippedCopy(dst, src, 2, 2, 5, 5, sx, sy);
    }
}

TEST(SoftwareCanvas, ClipsAtBothSurfacesAtOnce) {
    const SoftwareCanvas src = Patterned(6, 5);
    SoftwareCanvas dst(7, 7, kBoardGreen);
    dst.BitBlt(-2, 3, 9, 9, &src, -1, 1, RasterOp::Copy);
    ExpectClippedCopy(dst, src, -2, 3, 9, 9, -1, 1);
}

TEST(SoftwareCanvas, XorOnlyTouchesTheClippedArea) {
    const SoftwareCanvas src = Patterned(4, 4);
    SoftwareCanvas dst(4, 4, kBoardGreen);
    dst.BitBlt(2, 2, 4, 4, &src, 0, 0, RasterOp::Xor);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            Rgb want = kBoardGreen;
            if (x >= 2 && y >= 2) {
                const Rgb s = src.Pixel(x - 2, y - 2);
                want = {static_cast<uint8_t>(s.r ^ kBoardGreen.r),
                        static_cast<uint8_t>(s.g ^ kBoardGreen.g),
                        static_cast<uint8_t>(s.b ^ kBoardGreen.b)};
            }
            EXPECT_EQ(dst.Pixel(x, y), want);
        }
    }
}

TEST(SoftwareCanvas, EntirelyOutsideOrEmptyChangesNothing) {
    const SoftwareCanvas src = Patterned(71, 96);
    SoftwareCanvas dst(50, 50, kBoardGreen);
    dst.BitBlt(-71, -96, 71, 96, &src, 0, 0, RasterOp::Copy);
    dst.BitBlt(50, 0, 71, 96, &src, 0, 0, RasterOp::Copy);
    dst.BitBlt(0, 50, 71, 96, &src, 0, 0, RasterOp::Xor);
    dst.BitBlt(0, 0, 10, 10, &src, 71, 0, RasterOp::Copy);
    dst.BitBlt(0, 0, 10, 10, &src, 0, -10, RasterOp::Copy);
    dst.BitBlt(0, 0, 0, 10, &src, 0, 0, RasterOp::Copy);
    dst.BitBlt(0, 0, -5, 10, &src, 0, 0, RasterOp::Copy);
    dst.BitBlt(-10, -10, 5, 5, nullptr, 0, 0, RasterOp::DstInvert);
    dst.FillRect(-10, -10, 10, 10, kWhite);
    dst.FillRect(50, 50, 10, 10, kWhite);
    dst.FillRect(0, 0, -1, 5, kWhite);
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 50; ++x) ASSERT_EQ(dst.Pixel(x, y), kBoardGreen) << x << "," << y;
}

TEST(SoftwareCanvas, ExtremeCoordinatesDoNotOverflow) {
    const SoftwareCanvas src = Patterned(4, 4);
    SoftwareCanvas dst(4, 4, kBoardGreen);
    dst.BitBlt(INT32_MAX - 1, 0, INT32_MAX, 4, &src, 0, 0, RasterOp::Copy);
    dst.BitBlt(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, &src, 0, 0, RasterOp::Copy);
    dst.BitBlt(0, 0, 4, 4, &src, INT32_MIN, INT32_MAX, RasterOp::Copy);
    dst.FillRect(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, kWhite);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(dst.Pixel(x, y), kBoardGreen);
}

TEST(SoftwareCanvas, FillRectIsClipped) {
    SoftwareCanvas c(6, 4, kBoardGreen);
    c.FillRect(-2, 2, 4, 5, kWhite);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(c.Pixel(x, y), x < 2 && y >= 2 ? kWhite : kBoardGreen) << x << "," << y;
}

TEST(SoftwareCanvas, OverlappingCopyWithinOneCanvasReadsTheOriginal) {
    SoftwareCanvas c = Patterned(8, 8);
    const SoftwareCanvas before = Patterned(8, 8);
    c.BitBlt(1, 1, 6, 6, &c, 0, 0, RasterOp::Copy);
    for (int y = 1; y < 7; ++y)
        for (int x = 1; x < 7; ++x) EXPECT_EQ(c.Pixel(x, y), before.Pixel(x - 1, y - 1));
    EXPECT_EQ(c.Pixel(0, 0), before.Pixel(0, 0));
    EXPECT_EQ(c.Pixel(7, 7), before.Pixel(7, 7));
}

TEST(SoftwareCanvas, SourceOperationWithoutSourceIsAFailure) {
    SoftwareCanvas c(4, 4);
    EXPECT_THROW(c.BitBlt(0, 0, 4, 4, nullptr, 0, 0, RasterOp::Copy), QuillonError);
}

}  // namespace
}  // namespace quillon
