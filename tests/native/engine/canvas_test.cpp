// The software canvas: the five raster operations per channel, and clipping against both the
// destination and the source, as GDI's BitBlt clips (the Windows tests compare it with GDI).

#include "engine/canvas.h"

#include <gtest/gtest.h>

#include <cstdint>

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

TEST(SoftwareCanvas, StartsFilledAndRefusesPixelsOutsideAndSourceOperationsWithoutSource) {
    SoftwareCanvas c(5, 3, kBoardGreen);
    EXPECT_EQ(c.Width(), 5);
    EXPECT_EQ(c.Height(), 3);
    EXPECT_EQ(c.Pixel(4, 2), kBoardGreen);
    EXPECT_EQ(SoftwareCanvas(2, 2).Pixel(1, 1), kBlack);
    EXPECT_THROW(c.Pixel(5, 0), QuillonError);
    EXPECT_THROW(c.Pixel(0, -1), QuillonError);
    EXPECT_THROW(c.SetPixel(-1, 0, kWhite), QuillonError);
    EXPECT_THROW(c.BitBlt(0, 0, 4, 3, nullptr, 0, 0, RasterOp::Copy), QuillonError);
}

TEST(SoftwareCanvas, EveryRasterOperationCombinesEveryChannel) {
    const struct {
        RasterOp eOp;
        Rgb expected;  // for destination {0xF0, 0x0F, 0x55} and source {0xCC, 0xAA, 0x0F}
    } cases[] = {{RasterOp::Copy, {0xCC, 0xAA, 0x0F}}, {RasterOp::And, {0xC0, 0x0A, 0x05}},
                 {RasterOp::Or, {0xFC, 0xAF, 0x5F}},   {RasterOp::Xor, {0x3C, 0xA5, 0x5A}},
                 {RasterOp::DstInvert, {0x0F, 0xF0, 0xAA}}};
    for (const auto& c : cases) {
        SoftwareCanvas dst(3, 2, {0xF0, 0x0F, 0x55});
        SoftwareCanvas src(3, 2, {0xCC, 0xAA, 0x0F});
        dst.BitBlt(0, 0, 3, 2, &src, 0, 0, c.eOp);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x)
                EXPECT_EQ(dst.Pixel(x, y), c.expected) << static_cast<int>(c.eOp);
    }
}

// A copy is written only where both the destination and the source pixel exist.
TEST(SoftwareCanvas, CopyTakesTheSourceOffsetAndClipsAtBothSurfaces) {
    const struct {
        int dx, dy, w, h, sx, sy;
    } cases[] = {
        {1, 2, 3, 2, 4, 5},     // inside, offset source
        {-3, -2, 7, 6, 1, 1},   // destination left and top
        {5, 6, 7, 6, 0, 0},     // destination right and bottom
        {2, 2, 5, 5, -2, -3},   // source left and top
        {2, 2, 5, 5, 4, 3},     // source right and bottom
        {-2, 3, 9, 9, -1, 1},   // both at once
        {-6, -5, 6, 5, 0, 0},   // entirely outside the destination
        {0, 0, 4, 4, 6, 0},     // entirely outside the source
        {0, 0, 0, 4, 0, 0},     // empty
        {0, 0, -5, 4, 0, 0},    // negative width
    };
    const SoftwareCanvas src = Patterned(6, 5);
    for (const auto& c : cases) {
        SoftwareCanvas dst(8, 9, kBoardGreen);
        dst.BitBlt(c.dx, c.dy, c.w, c.h, &src, c.sx, c.sy, RasterOp::Copy);
        for (int y = 0; y < dst.Height(); ++y)
            for (int x = 0; x < dst.Width(); ++x) {
                const int u = x - c.dx + c.sx, v = y - c.dy + c.sy;
                const bool inRect = x >= c.dx && x < c.dx + c.w && y >= c.dy && y < c.dy + c.h;
                const bool inSource = u >= 0 && u < src.Width() && v >= 0 && v < src.Height();
                ASSERT_EQ(dst.Pixel(x, y), inRect && inSource ? src.Pixel(u, v) : kBoardGreen)
                    << "pixel " << x << "," << y << " of the copy to " << c.dx << "," << c.dy
                    << " from " << c.sx << "," << c.sy;
            }
    }
}

TEST(SoftwareCanvas, FillAndInvertAreClippedAndExtremeCoordinatesDoNotOverflow) {
    const SoftwareCanvas src = Patterned(4, 4);
    SoftwareCanvas c(6, 4, kBoardGreen);
    c.FillRect(-2, 2, 4, 5, kWhite);  // leaves the left two columns of the bottom rows white
    c.FillRect(0, 0, -1, 5, kBlack);
    c.BitBlt(-10, -10, 5, 5, nullptr, 0, 0, RasterOp::DstInvert);
    c.BitBlt(INT32_MAX - 1, 0, INT32_MAX, 4, &src, 0, 0, RasterOp::Copy);
    c.BitBlt(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, &src, 0, 0, RasterOp::Copy);
    c.BitBlt(0, 0, 4, 4, &src, INT32_MIN, INT32_MAX, RasterOp::Copy);
    c.FillRect(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, kBlack);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(c.Pixel(x, y), x < 2 && y >= 2 ? kWhite : kBoardGreen) << x << "," << y;
}

TEST(SoftwareCanvas, OverlappingCopyWithinOneCanvasReadsTheOriginal) {
    SoftwareCanvas c = Patterned(8, 8);
    const SoftwareCanvas before = Patterned(8, 8);
    c.BitBlt(1, 1, 6, 6, &c, 0, 0, RasterOp::Copy);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool moved = x >= 1 && x < 7 && y >= 1 && y < 7;
            EXPECT_EQ(c.Pixel(x, y), moved ? before.Pixel(x - 1, y - 1) : before.Pixel(x, y));
        }
}

}  // namespace
}  // namespace quillon
