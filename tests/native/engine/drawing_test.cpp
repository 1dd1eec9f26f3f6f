// Drawing pixel for pixel on software canvases (the Windows tests compare them with GDI): the
// raster operations, the card pictures, backs, faces, the mark, the flash and their repaints.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <set>
#include <utility>
#include <vector>

#include "engine/card_layout.h"
#include "engine/software_canvas.h"
#include "game_rig.h"
#include "shell/error_report.h"

namespace quillon::test {
namespace {

using Picture = std::function<Rgb(int, int)>;

SoftwareCanvas Paint(int w, int h, const Picture& picture) {
    SoftwareCanvas c(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) c.SetPixel(x, y, picture(x, y));
    return c;
}
Rgb Patterned(int x, int y) {
    return {uint8_t(x * 7 + 1), uint8_t(y * 13 + 2), uint8_t(x * 31 ^ y)};
}

TEST(SoftwareCanvas, EveryRasterOperationCombinesEveryChannelAndPixelsOutsideAreRefused) {
    // Destination {F0, 0F, 55}, source {CC, AA, 0F}; three pixels a row, so rows end off the
    // eight-byte steps.
    // clang-format off
    const std::pair<RasterOp, Rgb> cases[] = {
        {RasterOp::Copy, {0xCC, 0xAA, 0x0F}}, {RasterOp::And, {0xC0, 0x0A, 0x05}},
        {RasterOp::Or, {0xFC, 0xAF, 0x5F}}, {RasterOp::Xor, {0x3C, 0xA5, 0x5A}},
        {RasterOp::DstInvert, {0x0F, 0xF0, 0xAA}}};
    // clang-format on
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

TEST(SoftwareCanvas, FillAndInvertClipExtremeCoordinatesAndAnOverlappingCopyReadsTheOriginal) {
    const SoftwareCanvas src = Paint(4, 4, Patterned);
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

    SoftwareCanvas moved = Paint(8, 8, Patterned);
    moved.BitBlt(1, 1, 6, 6, &moved, 0, 0, RasterOp::Copy);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool in = x >= 1 && x < 7 && y >= 1 && y < 7;
            EXPECT_EQ(moved.Pixel(x, y), in ? Patterned(x - 1, y - 1) : Patterned(x, y));
        }
}

constexpr int kBoardWidth = kCardWidth * kColumns;  // 710
constexpr int kBoardHeight = kCardHeight * kRows;   // 480

Rgb Not(Rgb c) { return {uint8_t(~c.r), uint8_t(~c.g), uint8_t(~c.b)}; }
// A back whose pixels all differ and are neither black nor green.
Rgb BackPixel(int x, int y) { return {uint8_t(100 + x), uint8_t(10 + y), uint8_t(200 + x % 50)}; }
// Face n of the strip: red tells the identity, green and blue the place in the cell.
Rgb FacePixel(int n, int x, int y) { return {uint8_t(10 * n + 7), uint8_t(x + 1), uint8_t(y)}; }

// Pixel (u, v) of a card drawn from picture over under: black outline, under at the corners.
Rgb CardPixel(const Picture& picture, int u, int v, Rgb under) {
    if (IsOutsideCorner(u, v)) return under;
    return IsOutline(u, v) ? kBlack : picture(u, v);
}

class CardDrawing : public testing::Test {
  protected:
    void SetUp() override {
        PaintCardMask(mask);
        PaintCardBorder(border);
        ComposeInvertedBack(backInv, back, mask, border);
        rig.host.surfaces = {&board, &back, &backInv, &mask, &border, &cardSet};
        rig.Deal(GameTwoPlayers).Draw_All_Backs();
        backs = board;
        allBacks = rig.host.refreshes;
        rig.host.refreshes.clear();
    }
    // Card (x, y) of canvas shows picture over before, and nothing else changed.
    static void ExpectOnlyCard(const SoftwareCanvas& canvas, const SoftwareCanvas& before, int x,
                               int y, const Picture& picture) {
        for (int py = 0; py < canvas.Height(); ++py)
            for (int px = 0; px < canvas.Width(); ++px) {
                const int u = px - kCardWidth * x, v = py - kCardHeight * y;
                const Rgb was = before.Pixel(px, py);
                const bool in = u >= 0 && u < kCardWidth && v >= 0 && v < kCardHeight;
                ASSERT_EQ(canvas.Pixel(px, py), in ? CardPixel(picture, u, v, was) : was)
                    << px << "," << py;
            }
    }
    void ExpectBoard(const SoftwareCanvas& other) { ExpectOnlyCard(board, other, -5, -5, {}); }
    void ExpectRefreshes(const std::vector<std::pair<int, int>>& cards) {
        std::vector<std::array<int, 4>> expected;
        for (auto [x, y] : cards)
            expected.push_back({kCardWidth * x, kCardHeight * y, kCardWidth, kCardHeight});
        EXPECT_EQ(rig.host.refreshes, expected);
        rig.host.refreshes.clear();
    }

    SoftwareCanvas back = Paint(kCardWidth, kCardHeight, BackPixel);
    SoftwareCanvas backInv{kCardWidth, kCardHeight, {9, 9, 9}};
    SoftwareCanvas mask{kCardWidth, kCardHeight}, border{kCardWidth, kCardHeight};
    SoftwareCanvas cardSet = Paint(kCardWidth * kFaces, kCardHeight, [](int x, int y) {
        return FacePixel(x / kCardWidth, x % kCardWidth, y);
    });
    SoftwareCanvas board{kBoardWidth, kBoardHeight, kBoardGreen}, backs{1, 1};
    std::vector<std::array<int, 4>> allBacks;
    GameRig rig;
};

// The 12 pixels outside the rounded corners, and the outline: rows 0 and 95 from x 2 to 68,
// columns 0 and 70 from y 2 to 93, and the four pixels (1 or 69, 1 or 94).
TEST_F(CardDrawing, MaskAndBorderFollowTheTwelveCornersAndTheOnePixelOutline) {
    const std::set<std::pair<int, int>> corners = {{0, 0},  {1, 0},   {0, 1},   {69, 0},
                                                   {70, 0}, {70, 1},  {0, 94},  {0, 95},
                                                   {1, 95}, {70, 94}, {69, 95}, {70, 95}};
    for (int y = 0; y < kCardHeight; ++y)
        for (int x = 0; x < kCardWidth; ++x) {
            const bool bOutline = ((y == 0 || y == 95) && x >= 2 && x <= 68) ||
                                  ((x == 0 || x == 70) && y >= 2 && y <= 93) ||
                                  ((x == 1 || x == 69) && (y == 1 || y == 94));
            ASSERT_EQ(mask.Pixel(x, y), corners.count({x, y}) ? kWhite : kBlack) << x << "," << y;
            ASSERT_EQ(border.Pixel(x, y), bOutline ? kBlack : kWhite) << x << "," << y;
        }
}

// Corners and outline do not depend on the back's colours, even black or green ones.
TEST_F(CardDrawing, InvertedBackIsTheComplementInABlackOutlineWithGreenCorners) {
    for (const Picture& fill :
         {Picture(BackPixel), Picture([](int, int) { return kBoardGreen; })}) {
        SoftwareCanvas inv(kCardWidth, kCardHeight, {1, 2, 3});
        ComposeInvertedBack(inv, Paint(kCardWidth, kCardHeight, fill), mask, border);
        ExpectOnlyCard(inv, SoftwareCanvas(kCardWidth, kCardHeight, kBoardGreen), 0, 0,
                       [&](int u, int v) { return Not(fill(u, v)); });
    }
}

TEST_F(CardDrawing, BacksKeepGreenCornersAndABlackOutlineAndRefreshInBoardOrder) {
    std::vector<std::array<int, 4>> order;
    for (int32_t k = 0; k < kCards; ++k) {
        const int x = kCardWidth * At(k).lX, y = kCardHeight * At(k).lY;
        order.push_back({x, y, kCardWidth, kCardHeight});
        for (int v = 0; v < kCardHeight; ++v)
            for (int u = 0; u < kCardWidth; ++u)
                ASSERT_EQ(board.Pixel(x + u, y + v), CardPixel(BackPixel, u, v, kBoardGreen));
    }
    EXPECT_EQ(allBacks, order);
}

TEST_F(CardDrawing, FacesShowTheirIdentityAndAMissTurnsBothBack) {
    rig.game->Card_Flip(4, 3);  // position 23, identity 11
    ExpectOnlyCard(board, backs, 4, 3, [](int u, int v) { return FacePixel(11, u, v); });
    ExpectRefreshes({{4, 3}});
    const SoftwareCanvas oneUp = board;
    rig.game->Card_Flip(9, 4);  // identity 24: a miss
    ExpectOnlyCard(board, oneUp, 9, 4, [](int u, int v) { return FacePixel(24, u, v); });
    Turn_Finish(*rig.game, 9, 4, 4, 3, false);
    ExpectBoard(backs);
}

TEST_F(CardDrawing, MarkCopiesTheInvertedBackOrInShapeModeMovesTheShape) {
    rig.game->Draw_Card_Flip(5, 1);
    rig.game->Draw_Card_Flip(5, 1);  // copied, not combined
    ExpectOnlyCard(board, backs, 5, 1, [&](int u, int v) { return backInv.Pixel(u, v); });
    ExpectRefreshes({{5, 1}, {5, 1}});
    EXPECT_EQ(rig.host.shape, (std::array{-100, 0}));
    rig.game->Draw_Card_Back(5, 1, true);  // the mouse leaves the card
    ExpectBoard(backs);
    ExpectRefreshes({{5, 1}});

    rig.values.g_bShapeCursor = true;
    rig.game->Draw_Card_Flip(4, 2);
    EXPECT_EQ(rig.host.shape, (std::array{kCardWidth * 4 + 1, kCardHeight * 2 + 1}));
    rig.game->Draw_Card_Back(4, 2, true);  // nothing to restore under the shape
    ExpectRefreshes({});
    rig.game->Draw_Card_Back(4, 2, false);  // without the check it is drawn all the same
    ExpectRefreshes({{4, 2}});
}

TEST_F(CardDrawing, FlashInvertsBothCardsDuringTheShortPauseAndLeavesThemAsTheyWere) {
    rig.game->Card_Flip(1, 1);
    rig.host.refreshes.clear();
    const SoftwareCanvas before = board;
    std::vector<std::pair<int32_t, Rgb>> seen;  // at each pause, a pixel of card (1, 1)
    rig.host.onPause = [&] { seen.push_back({rig.host.pauses.back(), board.Pixel(100, 136)}); };
    rig.game->Draw_Card_Flash(8, 4, 1, 1);
    ExpectBoard(before);
    const std::pair<int32_t, Rgb> shortPause{50, Not(before.Pixel(100, 136))},
        longPause{150, before.Pixel(100, 136)};
    EXPECT_EQ(seen,
              (std::vector{shortPause, longPause, shortPause, longPause, shortPause, longPause}));
    std::vector<std::pair<int, int>> order;
    for (int i = 0; i < 6; ++i) order.insert(order.end(), {{8, 4}, {1, 1}});
    ExpectRefreshes(order);
    rig.game->Draw_Card_Flash(4, 4, 4, 4);  // one card twice
    ExpectBoard(before);
}

// A picture the software board cannot combine, as a lost device context fails every copy.
class ForeignCanvas final : public ICanvas {
    int Width() const override { return kCardWidth; }
    int Height() const override { return kCardHeight; }
    void BitBlt(int, int, int, int, const ICanvas*, int, int, RasterOp) override {}
    void FillRect(int, int, int, int, Rgb) override {}
};

TEST_F(CardDrawing, AllBacksReportsAFailureOnceOtherDrawingPassesItOn) {
    ForeignCanvas foreign;
    rig.host.surfaces.pBack = &foreign;
    rig.host.surfaces.pBackInv = &foreign;
    EXPECT_NO_THROW(rig.game->Draw_All_Backs());
    EXPECT_EQ(rig.reporter.Procedures(), std::vector<std::string>{"clsGame::Draw_All_Backs"});
    EXPECT_TRUE(rig.reporter.errors[0].bFatal);
    EXPECT_THROW(rig.game->Draw_Card_Back(0, 0), QuillonError);
    EXPECT_THROW(rig.game->Draw_Card_Flip(0, 0), QuillonError);
    EXPECT_TRUE(rig.host.refreshes.empty() && rig.reporter.errors.size() == 1);
}

}  // namespace
}  // namespace quillon::test
