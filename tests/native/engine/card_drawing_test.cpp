// Card drawing over the card pictures, pixel for pixel on software
// canvases: the mask and border layouts, the inverted back, backs, faces, the selection mark,
// the flash, the repaints, clipping and the headless host.

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "engine/canvas.h"
#include "engine/card_layout.h"
#include "engine/clsGame.h"
#include "engine/software_canvas.h"
#include "profiles/profile_file.h"
#include "shell/error_report.h"
#include "shell/memory_store.h"
#include "shell/program_values.h"
#include "shell/settings.h"
#include "support/fakes.h"

namespace quillon {
namespace {

using test::FakeHost;
using test::RecordingEvents;
using test::RecordingReporter;
using test::ScriptedRandom;

using PixelSet = std::set<std::pair<int, int>>;

constexpr int kBoardWidth = kCardWidth * kColumns;  // 710
constexpr int kBoardHeight = kCardHeight * kRows;   // 480

const PixelSet kCorners = {{0, 0},  {1, 0},  {0, 1},  {69, 0},  {70, 0},  {70, 1},
                           {0, 94}, {0, 95}, {1, 95}, {70, 94}, {69, 95}, {70, 95}};

PixelSet ExpectedOutline() {
    PixelSet s;
    for (int x = 2; x <= 68; ++x) {
        s.insert({x, 0});
        s.insert({x, 95});
    }
    for (int y = 2; y <= 93; ++y) {
        s.insert({0, y});
        s.insert({70, y});
    }
    for (auto p : {std::pair{1, 1}, {69, 1}, {1, 94}, {69, 94}}) s.insert(p);
    return s;
}

PixelSet PixelsOf(const SoftwareCanvas& c, Rgb color) {
    PixelSet s;
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x)
            if (c.Pixel(x, y) == color) s.insert({x, y});
    return s;
}

Rgb Not(Rgb c) {
    return {static_cast<uint8_t>(~c.r), static_cast<uint8_t>(~c.g), static_cast<uint8_t>(~c.b)};
}

// A back whose pixels all differ and are neither black nor green, corners and outline included.
Rgb BackPixel(int x, int y) {
    return {static_cast<uint8_t>(100 + x), static_cast<uint8_t>(10 + y),
            static_cast<uint8_t>(200 + ((x + y) % 50))};
}

// Face n of the strip: red tells the identity, green and blue the place inside the cell.
Rgb FacePixel(int n, int x, int y) {
    return {static_cast<uint8_t>(10 * n + 7), static_cast<uint8_t>(x + 1),
            static_cast<uint8_t>(y + 50)};
}

// --- Mask and border -------------------------------------------------------------------------

TEST(CardLayout, TwelveOutsideCornerPixels) {
    PixelSet found;
    for (int y = -2; y < 98; ++y)
        for (int x = -2; x < 73; ++x)
            if (IsOutsideCorner(x, y)) found.insert({x, y});
    EXPECT_EQ(found, kCorners);
}

TEST(CardLayout, OutlineIsTheOnePixelRing) {
    PixelSet found;
    for (int y = -2; y < 98; ++y)
        for (int x = -2; x < 73; ++x)
            if (IsOutline(x, y)) found.insert({x, y});
    EXPECT_EQ(found, ExpectedOutline());
    EXPECT_EQ(found.size(), 2u * 67 + 2u * 92 + 4);
    for (auto p : kCorners) EXPECT_FALSE(IsOutline(p.first, p.second));
}

TEST(CardLayout, MaskIsBlackInsideWhiteAtTheCorners) {
    SoftwareCanvas mask(71, 96, {1, 2, 3});
    PaintCardMask(mask);
    EXPECT_EQ(PixelsOf(mask, kWhite), kCorners);
    EXPECT_EQ(PixelsOf(mask, kBlack).size(), 71u * 96 - 12);
}

TEST(CardLayout, BorderIsBlackOnTheOutlineWhiteElsewhere) {
    SoftwareCanvas border(71, 96, {1, 2, 3});
    PaintCardBorder(border);
    EXPECT_EQ(PixelsOf(border, kBlack), ExpectedOutline());
    EXPECT_EQ(PixelsOf(border, kWhite).size(), 71u * 96 - ExpectedOutline().size());
}

// --- The pictures and a game to draw with ----------------------------------------------------

struct Pictures {
    SoftwareCanvas back{kCardWidth, kCardHeight};
    SoftwareCanvas backInv{kCardWidth, kCardHeight, {9, 9, 9}};
    SoftwareCanvas mask{kCardWidth, kCardHeight};
    SoftwareCanvas border{kCardWidth, kCardHeight};
    SoftwareCanvas cardSet{kCardWidth * kFaces, kCardHeight};

    Pictures() {
        for (int y = 0; y < kCardHeight; ++y)
            for (int x = 0; x < kCardWidth; ++x) back.SetPixel(x, y, BackPixel(x, y));
        for (int n = 0; n < kFaces; ++n)
            for (int y = 0; y < kCardHeight; ++y)
                for (int x = 0; x < kCardWidth; ++x)
                    cardSet.SetPixel(kCardWidth * n + x, y, FacePixel(n, x, y));
        PaintCardMask(mask);
        PaintCardBorder(border);
        ComposeInvertedBack(backInv, back, mask, border);
    }
};

TEST(InvertedBack, ComplementInsideBlackOutlineGreenCorners) {
    Pictures p;
    for (int y = 0; y < kCardHeight; ++y) {
        for (int x = 0; x < kCardWidth; ++x) {
            Rgb want = Not(BackPixel(x, y));
            if (IsOutline(x, y)) want = kBlack;
            if (IsOutsideCorner(x, y)) want = kBoardGreen;
            ASSERT_EQ(p.backInv.Pixel(x, y), want) << x << "," << y;
        }
    }
}

TEST(InvertedBack, CornersAndOutlineDoNotDependOnTheBacksOwnColours) {
    Pictures p;
    for (Rgb fill : {kBlack, kWhite, kBoardGreen, Rgb{255, 0, 255}}) {
        SoftwareCanvas back(kCardWidth, kCardHeight, fill);
        SoftwareCanvas inv(kCardWidth, kCardHeight, {1, 2, 3});
        ComposeInvertedBack(inv, back, p.mask, p.border);
        for (auto c : kCorners) EXPECT_EQ(inv.Pixel(c.first, c.second), kBoardGreen);
        for (auto o : ExpectedOutline()) EXPECT_EQ(inv.Pixel(o.first, o.second), kBlack);
        EXPECT_EQ(inv.Pixel(35, 48), Not(fill));
    }
}

// Identity at board position (x, y) in the unshuffled deal: the k-th position visited, x outer
// and y inner, holds k div 2.
int32_t UnshuffledId(int32_t x, int32_t y) { return (x * kRows + y) / 2; }

class CardDrawing : public testing::Test {
  protected:
    void SetUp() override {
        host.surfaces = {&board,     &pics.back,   &pics.backInv,
                         &pics.mask, &pics.border, &pics.cardSet};
        host.bDoNotShuffle = true;
        game =
            std::make_unique<clsGame>(GameContext{settings, rnd, rep, values, host, events, file});
        game->Game_Create(GameSolo);
        ASSERT_EQ(game->Cell(0, 2).lId, 1);  // the known deal
        host.refreshes.clear();
        host.pauses.clear();
        rep.errors.clear();
    }

    // A card drawn with picture P at (x, y) over what was there: P inside, black outline, what
    // was there at the 12 corners.
    template <typename PictureFn>
    void ExpectCard(const SoftwareCanvas& before, int32_t x, int32_t y, PictureFn picture) {
        for (int v = 0; v < kCardHeight; ++v) {
            for (int u = 0; u < kCardWidth; ++u) {
                const int px = kCardWidth * x + u;
                const int py = kCardHeight * y + v;
                Rgb want = picture(u, v);
                if (IsOutline(u, v)) want = kBlack;
                if (IsOutsideCorner(u, v)) want = before.Pixel(px, py);
                ASSERT_EQ(board.Pixel(px, py), want) << "card pixel " << u << "," << v;
            }
        }
    }

    void ExpectBack(int32_t x, int32_t y) {
        ExpectCard(board, x, y, [](int u, int v) { return BackPixel(u, v); });
    }

    // Every pixel outside card (x, y) equals `before`.
    void ExpectOnlyCardChanged(const SoftwareCanvas& before, int32_t x, int32_t y) {
        for (int py = 0; py < board.Height(); ++py)
            for (int px = 0; px < board.Width(); ++px) {
                if (px / kCardWidth == x && py / kCardHeight == y) continue;
                ASSERT_EQ(board.Pixel(px, py), before.Pixel(px, py)) << px << "," << py;
            }
    }

    void ExpectBoardEquals(const SoftwareCanvas& other) {
        for (int py = 0; py < board.Height(); ++py)
            for (int px = 0; px < board.Width(); ++px)
                ASSERT_EQ(board.Pixel(px, py), other.Pixel(px, py)) << px << "," << py;
    }

    void ExpectRefreshes(const std::vector<std::pair<int, int>>& cards) {
        ASSERT_EQ(host.refreshes.size(), cards.size());
        for (size_t i = 0; i < cards.size(); ++i) {
            EXPECT_EQ(host.refreshes[i].x, kCardWidth * cards[i].first) << "refresh " << i;
            EXPECT_EQ(host.refreshes[i].y, kCardHeight * cards[i].second) << "refresh " << i;
            EXPECT_EQ(host.refreshes[i].w, kCardWidth) << "refresh " << i;
            EXPECT_EQ(host.refreshes[i].h, kCardHeight) << "refresh " << i;
        }
    }

    Pictures pics;
    SoftwareCanvas board{kBoardWidth, kBoardHeight, kBoardGreen};
    MemoryStore store;
    Settings settings{store};
    ScriptedRandom rnd;
    RecordingReporter rep;
    ProgramValues values;
    FakeHost host;
    RecordingEvents events;
    MemoryProfileFile file;
    std::unique_ptr<clsGame> game;
};

TEST_F(CardDrawing, BackOnGreenBoardKeepsGreenCornersAndBlackOutline) {
    const SoftwareCanvas before = board;
    game->Draw_Card_Back(3, 2);
    ExpectCard(before, 3, 2, BackPixel);
    for (auto c : kCorners) EXPECT_EQ(board.Pixel(213 + c.first, 192 + c.second), kBoardGreen);
    ExpectOnlyCardChanged(before, 3, 2);
    ExpectRefreshes({{3, 2}});
    EXPECT_TRUE(rep.errors.empty());
}

TEST_F(CardDrawing, AllBacksCoverTheBoardInBoardOrder) {
    const SoftwareCanvas before = board;
    game->Draw_All_Backs();
    for (int32_t x = 0; x < kColumns; ++x)
        for (int32_t y = 0; y < kRows; ++y) ExpectCard(before, x, y, BackPixel);
    std::vector<std::pair<int, int>> order;
    for (int x = 0; x < kColumns; ++x)
        for (int y = 0; y < kRows; ++y) order.push_back({x, y});
    ExpectRefreshes(order);
    EXPECT_TRUE(rep.errors.empty());
}

TEST_F(CardDrawing, FaceOverBackShowsItsIdentityWithGreenCorners) {
    game->Draw_All_Backs();
    const SoftwareCanvas before = board;
    host.refreshes.clear();
    for (auto [x, y] : {std::pair{0, 0}, {4, 3}, {9, 4}, {7, 1}}) {
        const int32_t id = UnshuffledId(x, y);
        ASSERT_EQ(game->Cell(x, y).lId, id);
        game->Card_Flip(x, y);
        ExpectCard(before, x, y, [id](int u, int v) { return FacePixel(id, u, v); });
        for (auto c : kCorners)
            EXPECT_EQ(board.Pixel(kCardWidth * x + c.first, kCardHeight * y + c.second),
                      kBoardGreen);
    }
    EXPECT_EQ(board.Pixel(kCardWidth * 9 + 35, kCardHeight * 4 + 40).r, 10 * 24 + 7);
    EXPECT_TRUE(rep.errors.empty());
}

TEST_F(CardDrawing, FaceDrawingRefreshesOnlyItsCard) {
    game->Draw_All_Backs();
    const SoftwareCanvas before = board;
    host.refreshes.clear();
    game->Card_Flip(6, 3);
    ExpectOnlyCardChanged(before, 6, 3);
    ExpectRefreshes({{6, 3}});
}

TEST_F(CardDrawing, FlipCopiesTheInvertedBack) {
    values.g_bShapeCursor = false;
    game->Draw_All_Backs();
    const SoftwareCanvas before = board;
    host.refreshes.clear();
    game->Draw_Card_Flip(5, 1);
    for (int v = 0; v < kCardHeight; ++v)
        for (int u = 0; u < kCardWidth; ++u)
            ASSERT_EQ(board.Pixel(kCardWidth * 5 + u, kCardHeight + v), pics.backInv.Pixel(u, v));
    ExpectOnlyCardChanged(before, 5, 1);
    ExpectRefreshes({{5, 1}});
    EXPECT_EQ(host.shape.x, -100);  // the shape stays where it was

    // The board window removes the mark with Draw_Card_Back(x, y, true).
    host.refreshes.clear();
    game->Draw_Card_Back(5, 1, true);
    ExpectBoardEquals(before);
    ExpectRefreshes({{5, 1}});
}

TEST_F(CardDrawing, FlipInShapeModeOnlyMovesTheShape) {
    values.g_bShapeCursor = true;
    game->Draw_All_Backs();
    const SoftwareCanvas before = board;
    host.refreshes.clear();
    game->Draw_Card_Flip(4, 2);
    EXPECT_EQ(host.shape.x, 71 * 4 + 1);
    EXPECT_EQ(host.shape.y, 96 * 2 + 1);
    ExpectBoardEquals(before);
    EXPECT_TRUE(host.refreshes.empty());
    game->Draw_Card_Flip(0, 0);
    EXPECT_EQ(host.shape.x, 1);
    EXPECT_EQ(host.shape.y, 1);
}

TEST_F(CardDrawing, BackWithShapeCheckInShapeModeDrawsNothing) {
    values.g_bShapeCursor = true;
    game->Draw_Card_Back(2, 2, true);
    ExpectBoardEquals(SoftwareCanvas(board.Width(), board.Height(), kBoardGreen));
    EXPECT_TRUE(host.refreshes.empty());

    // Without the check the back is drawn in shape mode too.
    const SoftwareCanvas before = board;
    game->Draw_Card_Back(2, 2, false);
    ExpectCard(before, 2, 2, BackPixel);
    ExpectRefreshes({{2, 2}});
}

TEST_F(CardDrawing, BackOutsideTheBoardChangesNothingVisible) {
    game->Draw_All_Backs();
    const SoftwareCanvas before = board;
    host.refreshes.clear();
    game->Draw_Card_Back(-1, -1, true);
    game->Draw_Card_Back(-1, -1);
    game->Draw_Card_Back(10, 0);
    game->Draw_Card_Back(0, 5);
    ExpectBoardEquals(before);
    ExpectRefreshes({{-1, -1}, {-1, -1}, {10, 0}, {0, 5}});
    EXPECT_TRUE(rep.errors.empty());
}

TEST_F(CardDrawing, CardPartlyOffTheCanvasDrawsWhatFallsOnIt) {
    // A surface 20 pixels wider and 30 taller than the board: column 10 and row 5 show a strip.
    SoftwareCanvas wide(kCardWidth * kColumns + 20, kCardHeight * kRows + 30, kBoardGreen);
    host.surfaces.pBoard = &wide;
    game->Draw_Card_Back(10, 5);
    for (int py = 0; py < wide.Height(); ++py) {
        for (int px = 0; px < wide.Width(); ++px) {
            const int u = px - kCardWidth * 10;
            const int v = py - kCardHeight * 5;
            Rgb want = kBoardGreen;
            if (u >= 0 && v >= 0) {
                want = BackPixel(u, v);
                if (IsOutline(u, v)) want = kBlack;
                if (IsOutsideCorner(u, v)) want = kBoardGreen;
            }
            ASSERT_EQ(wide.Pixel(px, py), want) << px << "," << py;
        }
    }
    // A card straddling the left edge.
    SoftwareCanvas small(40, 96, kBoardGreen);
    host.surfaces.pBoard = &small;
    game->Draw_Card_Back(0, 0);
    for (int v = 0; v < kCardHeight; ++v)
        for (int u = 0; u < 40; ++u) {
            Rgb want = BackPixel(u, v);
            if (IsOutline(u, v)) want = kBlack;
            if (IsOutsideCorner(u, v)) want = kBoardGreen;
            ASSERT_EQ(small.Pixel(u, v), want) << u << "," << v;
        }
}

TEST_F(CardDrawing, FlashLeavesBothCardsAsTheyWere) {
    game->Draw_All_Backs();
    game->Card_Flip(1, 1);
    game->Card_Flip(8, 3);
    host.refreshes.clear();
    host.pauses.clear();
    const SoftwareCanvas before = board;
    game->Draw_Card_Flash(8, 3, 1, 1);
    ExpectBoardEquals(before);
    EXPECT_EQ(host.pauses, (std::vector<int32_t>{50, 150, 50, 150, 50, 150}));
    std::vector<std::pair<int, int>> order;
    for (int i = 0; i < 6; ++i) {
        order.push_back({8, 3});
        order.push_back({1, 1});
    }
    ExpectRefreshes(order);
}

// Sees the board at each pause: during the 50 ms both cards are inverted, during the 150 ms
// they are back to normal.
class WatchingHost final : public IBoardHost {
  public:
    explicit WatchingHost(FakeHost& inner) : m_inner(inner) {}
    bool DoNotShuffle() const override { return m_inner.DoNotShuffle(); }
    void EnableCompTimer() override {}
    void EnableKillGameTimer() override {}
    uint32_t TickCount() const override { return m_inner.TickCount(); }
    void Pause(int32_t lMilliseconds) override {
        const auto* pBoard = static_cast<const SoftwareCanvas*>(m_inner.surfaces.pBoard);
        seen.push_back({lMilliseconds, pBoard->Pixel(probeX, probeY)});
    }
    CardSurfaces Surfaces() override { return m_inner.Surfaces(); }
    void RefreshRect(int, int, int, int) override {}
    void MoveSelectionShape(int, int) override {}
    int probeX = 0, probeY = 0;
    std::vector<std::pair<int32_t, Rgb>> seen;

  private:
    FakeHost& m_inner;
};

TEST_F(CardDrawing, FlashShowsTheInvertedCardsDuringTheShortPause) {
    WatchingHost watcher(host);
    clsGame other(GameContext{settings, rnd, rep, values, watcher, events, file});
    game->Draw_Card_Back(2, 0);
    watcher.probeX = kCardWidth * 2 + 30;
    watcher.probeY = 40;
    const Rgb normal = board.Pixel(watcher.probeX, watcher.probeY);
    other.Draw_Card_Flash(2, 0, 3, 0);
    ASSERT_EQ(watcher.seen.size(), 6u);
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(watcher.seen[i].first, i % 2 == 0 ? 50 : 150);
        EXPECT_EQ(watcher.seen[i].second, i % 2 == 0 ? Not(normal) : normal);
    }
}

TEST_F(CardDrawing, FlashOfOneCardTwiceStillEndsAsItBegan) {
    game->Draw_All_Backs();
    const SoftwareCanvas before = board;
    game->Draw_Card_Flash(4, 4, 4, 4);
    ExpectBoardEquals(before);
}

// A board surface whose every operation fails, as a lost device context would.
class FailingCanvas final : public ICanvas {
  public:
    int Width() const override { return 710; }
    int Height() const override { return 480; }
    void BitBlt(int, int, int, int, const ICanvas*, int, int, RasterOp) override {
        ++lCalls;
        throw QuillonError(ErrInvalidCall, "Invalid procedure call or argument");
    }
    void FillRect(int, int, int, int, Rgb) override { ++lCalls; }
    int lCalls = 0;
};

TEST_F(CardDrawing, AllBacksReportsItsFailureAndReturns) {
    FailingCanvas failing;
    host.surfaces.pBoard = &failing;
    EXPECT_NO_THROW(game->Draw_All_Backs());
    ASSERT_EQ(rep.errors.size(), 1u);
    EXPECT_EQ(rep.errors[0].sProcedure, "clsGame::Draw_All_Backs");
    EXPECT_EQ(rep.errors[0].lNumber, ErrInvalidCall);
    EXPECT_TRUE(rep.errors[0].bFatal);
    EXPECT_EQ(failing.lCalls, 1);  // the first failure ends the loop
    EXPECT_TRUE(host.refreshes.empty());
}

TEST_F(CardDrawing, OtherOperationsPassTheirFailureOn) {
    FailingCanvas failing;
    host.surfaces.pBoard = &failing;
    EXPECT_THROW(game->Draw_Card_Back(0, 0), QuillonError);
    values.g_bShapeCursor = false;
    EXPECT_THROW(game->Draw_Card_Flip(0, 0), QuillonError);
    EXPECT_THROW(game->Draw_Card_Flash(0, 0, 1, 1), QuillonError);
    EXPECT_TRUE(rep.errors.empty());
}

TEST_F(CardDrawing, HeadlessHostDrawsAndRefreshesNothing) {
    host.surfaces = {};
    game->Draw_All_Backs();
    game->Draw_Card_Back(1, 1);
    game->Draw_Card_Back(1, 1, true);
    values.g_bShapeCursor = false;
    game->Draw_Card_Flip(1, 1);
    game->Card_Flip(1, 1);
    game->Draw_Card_Flash(1, 1, 2, 2);
    EXPECT_TRUE(host.refreshes.empty());
    EXPECT_TRUE(rep.errors.empty());
    EXPECT_EQ(host.pauses, (std::vector<int32_t>{50, 150, 50, 150, 50, 150}));
    ExpectBoardEquals(SoftwareCanvas(board.Width(), board.Height(), kBoardGreen));
}

TEST_F(CardDrawing, MissingPictureDrawsNothing) {
    host.surfaces.pBack = nullptr;
    host.surfaces.pBackInv = nullptr;
    game->Draw_All_Backs();
    game->Draw_Card_Back(0, 0);
    values.g_bShapeCursor = false;
    game->Draw_Card_Flip(0, 0);
    host.surfaces.pCardSet = nullptr;
    game->Card_Flip(0, 0);
    EXPECT_TRUE(host.refreshes.empty());
    EXPECT_TRUE(rep.errors.empty());
    ExpectBoardEquals(SoftwareCanvas(board.Width(), board.Height(), kBoardGreen));
}

}  // namespace
}  // namespace quillon
