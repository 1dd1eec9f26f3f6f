// The board's size steps, the window-to-surface mapping and the keyboard's mark.

#include "board/board_view.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>

#include "engine/card_layout.h"
#include "shell/memory_store.h"
#include "shell/settings.h"

namespace quillon::test {
namespace {

TEST(BoardScale, FollowsTheScreenUntilThePlayerChooses) {
    EXPECT_EQ(NearestBoardScale(96), 100);
    EXPECT_EQ(NearestBoardScale(120), 100);  // 125 %: a tie goes to the smaller step
    EXPECT_EQ(NearestBoardScale(121), 150);
    EXPECT_EQ(NearestBoardScale(144), 150);
    EXPECT_EQ(NearestBoardScale(168), 150);  // 175 %
    EXPECT_EQ(NearestBoardScale(192), 200);
    EXPECT_EQ(NearestBoardScale(480), 200);
    EXPECT_EQ(NearestBoardScale(0), 100);
    EXPECT_EQ(NearestBoardScale(-5), 100);
    EXPECT_EQ(BoardScaleFor(150, 192), 150);
    EXPECT_EQ(BoardScaleFor(0, 192), 200);   // never chosen
    EXPECT_EQ(BoardScaleFor(175, 96), 100);  // not a step: a damaged value
}

TEST(BoardScale, IsKeptBesideTheOptionsAndADamagedValueMeansNoChoice) {
    MemoryStore store;
    EXPECT_EQ(StoredBoardScale(store), 0);
    SaveBoardScale(store, 150);
    EXPECT_EQ(StoredBoardScale(store), 150);
    store.Write(RegRoot::CurrentUser, kOptionsKey, kBoardSizeValue, std::string("big"));
    EXPECT_EQ(BoardScaleFor(StoredBoardScale(store), 192), 200);
}

TEST(BoardScale, ShrinksToTheLargestStepThatFits) {
    // 710 x 480 of cards: 1065 x 720 at 150 %, 1420 x 960 at 200 %.
    EXPECT_EQ(FittingBoardScale(200, 16, 80, 1600, 1200), 200);
    EXPECT_EQ(FittingBoardScale(200, 16, 80, 1436, 1040), 200);
    EXPECT_EQ(FittingBoardScale(200, 16, 80, 1435, 1040), 150);
    EXPECT_EQ(FittingBoardScale(200, 16, 80, 1024, 768), 100);
    EXPECT_EQ(FittingBoardScale(150, 16, 80, 4000, 4000), 150);
    EXPECT_EQ(FittingBoardScale(200, 16, 80, 300, 200), 100);  // nothing fits: the pictures' size
}

TEST(BoardScale, EveryWindowPixelBelongsToExactlyOneCard) {
    for (const int32_t scale : kBoardScales) {
        SCOPED_TRACE(scale);
        EXPECT_EQ(ScaleToWindow(0, scale), 0);
        EXPECT_EQ(ScaleToSurface(-1, scale), -1);  // left of the board is not card 0
        for (int32_t x = 0; x < kColumns; ++x) {
            const int32_t left = ScaleToWindow(x * kCardWidth, scale);
            const int32_t right = ScaleToWindow((x + 1) * kCardWidth, scale);
            EXPECT_EQ(ScaleToSurface(left, scale) / kCardWidth, x);
            EXPECT_EQ(ScaleToSurface(right - 1, scale) / kCardWidth, x);
            EXPECT_EQ(ScaleToSurface((left + right) / 2, scale) / kCardWidth, x);
        }
    }
    EXPECT_EQ(ScaleToWindow(kColumns * kCardWidth, 150), 1065);
    EXPECT_EQ(ScaleToWindow(kRows * kCardHeight, 200), 960);
}

TEST(BoardScale, APartStretchedAloneStartsAndEndsOnSharedEdges) {
    for (const int32_t scale : kBoardScales) {
        SCOPED_TRACE(scale);
        for (const auto& [from, to] :
             {std::pair{0, 1}, {106, 107}, {107, 214}, {500, 1065}, {1, 1420}, {1000, 2000}}) {
            const SurfaceSpan span = StretchSpan(from, to, kColumns * kCardWidth, scale, 2);
            const int32_t windowFrom = ScaleToWindow(span.lFrom, scale);
            const int32_t windowTo = ScaleToWindow(span.lTo, scale);
            // Exact edges: the part's window size is its surface size times the scale.
            EXPECT_EQ(int64_t{windowFrom} * 100, int64_t{span.lFrom} * scale);
            EXPECT_EQ(int64_t{windowTo} * 100, int64_t{span.lTo} * scale);
            EXPECT_LE(windowFrom, std::max(0, from - 2));
            EXPECT_GE(windowTo, std::min(to, ScaleToWindow(kColumns * kCardWidth, scale)));
            EXPECT_GE(span.lFrom, 0);
            EXPECT_LE(span.lTo, kColumns * kCardWidth);
        }
    }
}

TEST(KeyboardMark, StartsOnTheFirstCard) {
    for (const MarkMove move : {MarkMove::Left, MarkMove::Right, MarkMove::Up, MarkMove::Down})
        EXPECT_EQ(MoveMark({}, move), (CardCell{0, 0}));
    EXPECT_EQ(MoveMark({kColumns, 0}, MarkMove::Left), (CardCell{0, 0}));
}

TEST(KeyboardMark, WrapsAtTheEdges) {
    EXPECT_EQ(MoveMark({kColumns - 1, 2}, MarkMove::Right), (CardCell{0, 3}));
    EXPECT_EQ(MoveMark({0, 3}, MarkMove::Left), (CardCell{kColumns - 1, 2}));
    EXPECT_EQ(MoveMark({kColumns - 1, kRows - 1}, MarkMove::Right), (CardCell{0, 0}));
    EXPECT_EQ(MoveMark({0, 0}, MarkMove::Left), (CardCell{kColumns - 1, kRows - 1}));
    EXPECT_EQ(MoveMark({4, 0}, MarkMove::Up), (CardCell{4, kRows - 1}));
    EXPECT_EQ(MoveMark({4, kRows - 1}, MarkMove::Down), (CardCell{4, 0}));
}

TEST(KeyboardMark, EachArrowVisitsEveryCardOfItsRoundOnce) {
    std::set<std::pair<int32_t, int32_t>> seen;
    CardCell at{3, 2};
    for (int i = 0; i < kCards; ++i) {
        at = MoveMark(at, MarkMove::Left);
        seen.insert({at.lX, at.lY});
    }
    EXPECT_EQ(seen.size(), static_cast<size_t>(kCards));
    EXPECT_EQ(at, (CardCell{3, 2}));
    for (int i = 0; i < kRows; ++i) at = MoveMark(at, MarkMove::Up);
    EXPECT_EQ(at, (CardCell{3, 2}));
}

}  // namespace
}  // namespace quillon::test
