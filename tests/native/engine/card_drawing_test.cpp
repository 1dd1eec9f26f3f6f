// Card drawing over the card pictures, pixel for pixel on software canvases: the mask and border
// layouts, the inverted back, backs, faces, the selection mark, the flash, the repaints, clipping,
// failures and the headless host.

#include <gtest/gtest.h>

#include <functional>
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

using PixelSet = std::set<std::pair<int, int>>;
using Picture = std::function<Rgb(int, int)>;

constexpr int kBoardWidth = kCardWidth * kColumns;  // 710
constexpr int kBoardHeight = kCardHeight * kRows;   // 480

PixelSet PixelsWhere(const std::function<bool(int, int)>& pred) {
    PixelSet s;
    for (int y = -2; y < 98; ++y)
        for (int x = -2; x < 73; ++x)
            if (pred(x, y)) s.insert({x, y});
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

// Card pixel (u, v) drawn from `picture` over `under`: black outline, `under` at the corners.
Rgb CardPixel(const Picture& picture, int u, int v, Rgb under) {
    if (IsOutsideCorner(u, v)) return under;
    return IsOutline(u, v) ? kBlack : picture(u, v);
}

TEST(CardLayout, MaskAndBorderFollowTheTwelveCornersAndTheOnePixelOutline) {
    const PixelSet corners = {{0, 0},  {1, 0},  {0, 1},  {69, 0},  {70, 0},  {70, 1},
                              {0, 94}, {0, 95}, {1, 95}, {70, 94}, {69, 95}, {70, 95}};
    PixelSet outline = {{1, 1}, {69, 1}, {1, 94}, {69, 94}};
    for (int x = 2; x <= 68; ++x) outline.insert({{x, 0}, {x, 95}});
    for (int y = 2; y <= 93; ++y) outline.insert({{0, y}, {70, y}});
    EXPECT_EQ(PixelsWhere(IsOutsideCorner), corners);
    EXPECT_EQ(PixelsWhere(IsOutline), outline);

    SoftwareCanvas mask(71, 96, {1, 2, 3}), border(71, 96, {1, 2, 3});
    PaintCardMask(mask);
    PaintCardBorder(border);
    for (int y = 0; y < 96; ++y)
        for (int x = 0; x < 71; ++x) {
            ASSERT_EQ(mask.Pixel(x, y), corners.count({x, y}) ? kWhite : kBlack) << x << "," << y;
            ASSERT_EQ(border.Pixel(x, y), outline.count({x, y}) ? kBlack : kWhite) << x << "," << y;
        }
}

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

// Corners and outline do not depend on the back's own colours, even black, white or green ones.
TEST(InvertedBack, ComplementInsideBlackOutlineGreenCornersWhateverTheBack) {
    const Pictures p;
    for (const Picture& fill : std::vector<Picture>{
             BackPixel, [](int, int) { return kBlack; }, [](int, int) { return kWhite; },
             [](int, int) { return kBoardGreen; }, [](int, int) { return Rgb{255, 0, 255}; }}) {
        SoftwareCanvas back(kCardWidth, kCardHeight), inv(kCardWidth, kCardHeight, {1, 2, 3});
        for (int y = 0; y < kCardHeight; ++y)
            for (int x = 0; x < kCardWidth; ++x) back.SetPixel(x, y, fill(x, y));
        ComposeInvertedBack(inv, back, p.mask, p.border);
        for (int y = 0; y < kCardHeight; ++y)
            for (int x = 0; x < kCardWidth; ++x)
                ASSERT_EQ(inv.Pixel(x, y),
                          CardPixel([&](int u, int v) { return Not(fill(u, v)); }, x, y,
                                    kBoardGreen))
                    << x << "," << y << " on " << int(fill(5, 5).r);
    }
}

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

    // Card (x, y) of `canvas` shows `picture` over `before`, and nothing else differs.
    static void ExpectOnlyCard(const SoftwareCanvas& canvas, const SoftwareCanvas& before,
                               int32_t x, int32_t y, const Picture& picture) {
        for (int py = 0; py < canvas.Height(); ++py)
            for (int px = 0; px < canvas.Width(); ++px) {
                const int u = px - kCardWidth * x, v = py - kCardHeight * y;
                const Rgb was = before.Pixel(px, py);
                const bool inCard = u >= 0 && u < kCardWidth && v >= 0 && v < kCardHeight;
                ASSERT_EQ(canvas.Pixel(px, py), inCard ? CardPixel(picture, u, v, was) : was)
                    << px << "," << py;
            }
    }

    void ExpectBoardEquals(const SoftwareCanvas& other) {
        ExpectOnlyCard(board, other, -5, -5, BackPixel);
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
    const SoftwareCanvas green{kBoardWidth, kBoardHeight, kBoardGreen};
    MemoryStore store;
    Settings settings{store};
    test::ScriptedRandom rnd;
    test::RecordingReporter rep;
    ProgramValues values;
    test::FakeHost host;
    test::RecordingEvents events;
    MemoryProfileFile file;
    std::unique_ptr<clsGame> game;
};

TEST_F(CardDrawing, BacksKeepGreenCornersBlackOutlineAndRefreshTheirCardsInBoardOrder) {
    game->Draw_Card_Back(3, 2);
    ExpectOnlyCard(board, green, 3, 2, BackPixel);
    ExpectRefreshes({{3, 2}});

    board = green;
    host.refreshes.clear();
    game->Draw_All_Backs();
    std::vector<std::pair<int, int>> order;
    for (int32_t x = 0; x < kColumns; ++x)
        for (int32_t y = 0; y < kRows; ++y) {
            order.push_back({x, y});
            for (int v = 0; v < kCardHeight; ++v)
                for (int u = 0; u < kCardWidth; ++u)
                    ASSERT_EQ(board.Pixel(kCardWidth * x + u, kCardHeight * y + v),
                              CardPixel(BackPixel, u, v, kBoardGreen));
        }
    ExpectRefreshes(order);
    EXPECT_TRUE(rep.errors.empty());
}

TEST_F(CardDrawing, FaceOverBackShowsItsIdentityAndRefreshesOnlyItsCard) {
    game->Draw_All_Backs();
    for (auto [x, y] : {std::pair{0, 0}, {4, 3}, {9, 4}, {7, 1}}) {
        // In the unshuffled deal the k-th position, x outer and y inner, holds k div 2.
        const int32_t id = (x * kRows + y) / 2;
        ASSERT_EQ(game->Cell(x, y).lId, id);
        const SoftwareCanvas before = board;
        host.refreshes.clear();
        game->Card_Flip(x, y);
        ExpectOnlyCard(board, before, x, y, [id](int u, int v) { return FacePixel(id, u, v); });
        ExpectRefreshes({{x, y}});
    }
    EXPECT_TRUE(rep.errors.empty());
}

TEST_F(CardDrawing, MarkCopiesTheInvertedBackAndTheBackWithCheckRemovesIt) {
    values.g_bShapeCursor = false;
    game->Draw_All_Backs();
    const SoftwareCanvas before = board;
    host.refreshes.clear();
    game->Draw_Card_Flip(5, 1);
    game->Draw_Card_Flip(5, 1);  // copied, not combined: twice is once
    ExpectOnlyCard(board, before, 5, 1, [&](int u, int v) { return pics.backInv.Pixel(u, v); });
    ExpectRefreshes({{5, 1}, {5, 1}});
    EXPECT_EQ(host.shape.x, -100);  // the shape stays where it was

    host.refreshes.clear();
    game->Draw_Card_Back(5, 1, true);
    ExpectBoardEquals(before);
    ExpectRefreshes({{5, 1}});
}

TEST_F(CardDrawing, MarkInShapeModeOnlyMovesTheShapeAndTheBackWithCheckDrawsNothing) {
    values.g_bShapeCursor = true;
    for (auto [x, y] : {std::pair{4, 2}, {0, 0}}) {
        game->Draw_Card_Flip(x, y);
        EXPECT_EQ(host.shape.x, kCardWidth * x + 1);
        EXPECT_EQ(host.shape.y, kCardHeight * y + 1);
    }
    game->Draw_Card_Back(2, 2, true);
    ExpectBoardEquals(green);
    EXPECT_TRUE(host.refreshes.empty());

    game->Draw_Card_Back(2, 2, false);  // without the check the back is drawn in shape mode too
    ExpectOnlyCard(board, green, 2, 2, BackPixel);
    ExpectRefreshes({{2, 2}});
}

// Each case: the canvas size and the card drawn; what falls on the canvas is drawn, nothing else.
TEST_F(CardDrawing, CardsOffTheCanvasAreClippedAndStillRefreshed) {
    const struct {
        int w, h, x, y;
    } cases[] = {{kBoardWidth, kBoardHeight, -1, -1}, {kBoardWidth, kBoardHeight, 10, 0},
                 {kBoardWidth, kBoardHeight, 0, 5},   {kBoardWidth + 20, kBoardHeight + 30, 10, 5},
                 {40, 96, 0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " card " << c.x << "," << c.y);
        SoftwareCanvas canvas(c.w, c.h, kBoardGreen);
        const SoftwareCanvas before = canvas;
        host.surfaces.pBoard = &canvas;
        host.refreshes.clear();
        game->Draw_Card_Back(c.x, c.y);
        ExpectOnlyCard(canvas, before, c.x, c.y, BackPixel);
        ExpectRefreshes({{c.x, c.y}});
    }
    EXPECT_TRUE(rep.errors.empty());
}

TEST_F(CardDrawing, FlashLeavesTheCardsAsTheyWereEvenOneCardTwice) {
    game->Draw_All_Backs();
    game->Card_Flip(1, 1);
    game->Card_Flip(8, 3);
    host.refreshes.clear();
    const SoftwareCanvas before = board;
    game->Draw_Card_Flash(8, 3, 1, 1);
    ExpectBoardEquals(before);
    EXPECT_EQ(host.pauses, (std::vector<int32_t>{50, 150, 50, 150, 50, 150}));
    std::vector<std::pair<int, int>> order;
    for (int i = 0; i < 6; ++i) order.insert(order.end(), {{8, 3}, {1, 1}});
    ExpectRefreshes(order);

    game->Draw_Card_Flash(4, 4, 4, 4);
    ExpectBoardEquals(before);
}

// Sees the board at each pause: during the 50 ms both cards are inverted, during the 150 ms
// they are back to normal.
class WatchingHost final : public IBoardHost {
  public:
    explicit WatchingHost(test::FakeHost& inner) : m_inner(inner) {}
    bool DoNotShuffle() const override { return true; }
    void EnableCompTimer() override {}
    void EnableKillGameTimer() override {}
    uint32_t TickCount() const override { return 0; }
    void Pause(int32_t lMilliseconds) override {
        const auto* pBoard = static_cast<const SoftwareCanvas*>(m_inner.surfaces.pBoard);
        seen.push_back({lMilliseconds, pBoard->Pixel(kCardWidth * 2 + 30, 40)});
    }
    CardSurfaces Surfaces() override { return m_inner.Surfaces(); }
    void RefreshRect(int, int, int, int) override {}
    void MoveSelectionShape(int, int) override {}
    std::vector<std::pair<int32_t, Rgb>> seen;

  private:
    test::FakeHost& m_inner;
};

TEST_F(CardDrawing, FlashShowsTheInvertedCardsDuringTheShortPause) {
    WatchingHost watcher(host);
    clsGame other(GameContext{settings, rnd, rep, values, watcher, events, file});
    game->Draw_Card_Back(2, 0);
    const Rgb normal = board.Pixel(kCardWidth * 2 + 30, 40);
    other.Draw_Card_Flash(2, 0, 3, 0);
    ASSERT_EQ(watcher.seen.size(), 6u);
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(watcher.seen[i].first, i % 2 == 0 ? 50 : 150);
        EXPECT_EQ(watcher.seen[i].second, i % 2 == 0 ? Not(normal) : normal);
    }
}

// A board surface whose every copy fails, as a lost device context would.
class FailingCanvas final : public ICanvas {
  public:
    int Width() const override { return kBoardWidth; }
    int Height() const override { return kBoardHeight; }
    void BitBlt(int, int, int, int, const ICanvas*, int, int, RasterOp) override {
        ++lCalls;
        throw QuillonError(ErrInvalidCall, "Invalid procedure call or argument");
    }
    void FillRect(int, int, int, int, Rgb) override { ++lCalls; }
    int lCalls = 0;
};

TEST_F(CardDrawing, AllBacksReportsAFailureFatallyOnceOtherOperationsPassItOn) {
    FailingCanvas failing;
    host.surfaces.pBoard = &failing;
    EXPECT_NO_THROW(game->Draw_All_Backs());
    ASSERT_EQ(rep.errors.size(), 1u);
    EXPECT_EQ(rep.errors[0].sProcedure, "clsGame::Draw_All_Backs");
    EXPECT_EQ(rep.errors[0].lNumber, ErrInvalidCall);
    EXPECT_TRUE(rep.errors[0].bFatal);
    EXPECT_EQ(failing.lCalls, 1);  // the first failure ends the loop
    EXPECT_TRUE(host.refreshes.empty());

    rep.errors.clear();
    values.g_bShapeCursor = false;
    EXPECT_THROW(game->Draw_Card_Back(0, 0), QuillonError);
    EXPECT_THROW(game->Draw_Card_Flip(0, 0), QuillonError);
    EXPECT_THROW(game->Draw_Card_Flash(0, 0, 1, 1), QuillonError);
    EXPECT_TRUE(rep.errors.empty());
}

// No board at all (headless) or no pictures: nothing is drawn or refreshed, nothing reported.
TEST_F(CardDrawing, HeadlessHostOrMissingPicturesDrawNothing) {
    for (bool bHeadless : {true, false}) {
        SCOPED_TRACE(bHeadless ? "headless" : "no pictures");
        if (bHeadless)
            host.surfaces = {};
        else
            host.surfaces = {&board, nullptr, nullptr, &pics.mask, &pics.border, nullptr};
        host.pauses.clear();
        values.g_bShapeCursor = false;
        game->Draw_All_Backs();
        game->Draw_Card_Back(1, 1);
        game->Draw_Card_Back(1, 1, true);
        game->Draw_Card_Flip(1, 1);
        game->Card_Flip(1, 1);
        if (bHeadless) {
            game->Draw_Card_Flash(1, 1, 2, 2);
            EXPECT_EQ(host.pauses, (std::vector<int32_t>{50, 150, 50, 150, 50, 150}));
        }
        EXPECT_TRUE(host.refreshes.empty());
        EXPECT_TRUE(rep.errors.empty());
        ExpectBoardEquals(green);
    }
}

}  // namespace
}  // namespace quillon
