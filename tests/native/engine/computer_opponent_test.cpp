// The computer opponent: its choices and the order of its random draws, and forgetting.

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "game_rig.h"

namespace quillon::test {
namespace {

// A "Computer alone" game on the unshuffled deal: memory entry k is position k, identity k / 2.
clsGame& Opponent(GameRig& rig, int32_t lLevel) {
    rig.SetLevel(lLevel);
    return rig.Deal(GameComputerAlone);
}

// The memory entry of board position k of the unshuffled deal.
clsCard Entry(int32_t k, int32_t lTimesSeen, int32_t lLastSeen = 0) {
    return {k / 2, lTimesSeen, lLastSeen, At(k).lX, At(k).lY};
}

using Decision = std::pair<CardPos, CardPos>;
Decision Positions(int32_t a, int32_t b) { return {At(a), At(b)}; }

// The full unshuffled memory with some cards known: (memory index, times seen, last seen).
std::vector<clsCard> Full(std::vector<std::array<int32_t, 3>> known) {
    std::vector<clsCard> memory;
    for (int32_t k = 0; k < kCards; ++k) memory.push_back(Entry(k, 0));
    for (auto [i, lSeen, lLast] : known) memory[i] = Entry(i, lSeen, lLast);
    return memory;
}

// Each case: the two positions turned, the memory, and the scripted draws (index, range), every
// one of them used. Pair scores are (last seen 1 + last seen 2) / 2 + 2 * ((seen 1 + seen 2) / 2).
TEST(OpponentDecision, ChoicesAndTheirDrawsOnHandBuiltMemories) {
    const struct {
        int32_t lA, lB;
        const char* sName;
        std::vector<clsCard> memory;
        std::vector<std::pair<int32_t, int32_t>> draws;
    } cases[] = {
        // clang-format off
        {10, 20, "nothing known: two unknown cards", Full({}), {{10, 50}, {20, 50}}},
        // Identity 1 scores 5 + 4, identity 3 11 + 2, identity 5 5 + 2; identity 10 is half known.
        {10, 11, "lowest score", Full({{2, 3, 4}, {3, 2, 6}, {6, 1, 10}, {7, 1, 12}, {10, 1, 5},
                                       {11, 1, 5}, {20, 1, 1}}), {}},
        // Identity 1: 2 + 2 * 2 = 6; identity 9: 7 / 2 + 2 * (3 / 2) = 5 (6.5 untruncated).
        {18, 19, "divisions truncate", Full({{2, 2, 2}, {3, 2, 2}, {18, 1, 3}, {19, 2, 4}}), {}},
        {4, 9, "no pair at or above the starting best",
         Full({{0, 1, 100000000}, {1, 1, 100000000}}), {{4, 50}, {9, 50}}},
        // Identity 0 at positions 0, 1 and (a copy) 2: 0-1 scores 7 + 4, 0-2 6 + 4, 1-2 4 + 2.
        {1, 2, "third known card of an identity",
         {Entry(0, 3, 9), Entry(1, 1, 5), {0, 1, 3, 0, 2}, Entry(3, 1, 1)}, {}},
        // Identity 7 at entries 1 and 5, identity 4 at 2 and 3, all scoring 10 + 4.
        {15, 14, "equal scores: the pair met first, its earlier entry first", {Entry(0, 0),
         Entry(15, 2, 10), Entry(8, 2, 10), Entry(9, 2, 10), Entry(3, 0), Entry(14, 2, 10)}, {}},
        {8, 9, "one pair lower", {Entry(0, 0), Entry(15, 2, 10), Entry(8, 2, 9), Entry(9, 2, 9),
                                  Entry(3, 0), Entry(14, 2, 10)}, {}},
        // The entry of position 7 claims identity 10; its partner is found by the board's 3.
        {7, 6, "partner of the board's identity",
         {Entry(6, 1, 1), {10, 0, 0, 1, 2}, Entry(20, 1, 2)}, {{1, 3}}},
        // A known draw is tried, a tried one drawn again uncounted: A = 7, B: 4 tried, then 9.
        {7, 9, "only unknown cards", Full({{0, 1, 1}, {2, 1, 2}, {4, 1, 3}}),
         {{0, 50}, {0, 50}, {2, 50}, {7, 50}, {4, 50}, {9, 50}}},
        // B = A: AI_RandomSearch keeps A, draws A again, then 33.
        {7, 33, "second unknown card equal to the first", Full({}),
         {{7, 50}, {7, 50}, {7, 50}, {33, 50}}},
        // Position 0 twice is no pair; A = entry 4; B: 3 known, 4 = A; then random: entry 2.
        {4, 0, "same position is no pair", {Entry(0, 1), Entry(0, 1), Entry(2, 1), Entry(4, 0)},
         {{3, 4}, {2, 4}, {3, 4}, {1, 4}}},
        // Tries 1, 2, 2 (again), 3, 4; then random A = entry 3, B = 3 again, then 1.
        {4, 0, "no unknown card left", {Entry(0, 1), Entry(2, 1), Entry(4, 1), Entry(6, 1)},
         {{0, 4}, {1, 4}, {1, 4}, {2, 4}, {3, 4}, {2, 4}, {2, 4}, {0, 4}}}
        // clang-format on
    };
    for (const auto& c : cases) {
        GameRig rig;
        Opponent(rig, 100).MemoryForTest() = c.memory;
        for (const auto& [k, n] : c.draws) rig.random.PushIndex(k, n);
        EXPECT_EQ(rig.game->AI_Decide(), Positions(c.lA, c.lB)) << c.sName;
        EXPECT_EQ(rig.random.lDraws, int32_t(c.draws.size())) << c.sName;
        EXPECT_TRUE(rig.random.queue.empty() && rig.reporter.errors.empty()) << c.sName;
    }
}

TEST(OpponentDecision, EmptyMemoryTurnsNothingAndABrokenOneIsReportedNotLoopedOn) {
    GameRig rig;
    clsGame& game = Opponent(rig, 50);
    game.MemoryForTest().clear();
    game.AI_Search();
    EXPECT_EQ(game.AI_Decide(), Positions(0, 0));
    EXPECT_TRUE(rig.random.lDraws == 0 && rig.events.hides.empty() && rig.reporter.errors.empty());
    game.MemoryForTest() = {Entry(4, 1)};  // a single card cannot make a turn
    EXPECT_EQ(game.AI_Decide().first, At(4));
    EXPECT_EQ(rig.reporter.Procedures(), std::vector<std::string>{"clsGame::AI_RandomSearch"});
}

// One known card (seen t times) past both keep draws: t - u rounded halves to even, at least 0.
TEST(OpponentForgetting, ForgettingStepRoundsHalvesToEven) {
    GameRig rig;
    clsGame& game = Opponent(rig, 50);
    // clang-format off
    for (auto [lSeen, u, lExpected] : {std::tuple{1, 0.5f, 0}, {2, 0.5f, 2}, {3, 0.5f, 2},
             {4, 0.5f, 4}, {1, 0.25f, 1}, {1, 0.75f, 0}, {2, 0.0f, 2}, {5, 0.999f, 4},
             {-1, 0.5f, 0}, {-3, 0.1f, 0}}) {
        // clang-format on
        game.MemoryForTest()[0] = Entry(0, lSeen, 1);
        rig.random.queue = {0.995f, 0.995f, u};  // neither draw keeps it: 99 > 50
        (void)game.AI_Decide();
        EXPECT_EQ(game.Memory()[0].lTimesSeen, lExpected) << lSeen << " - " << u;
        EXPECT_EQ(game.Memory()[0].lLastSeen, 1) << "the last sighting stays";
    }
}

// Two known cards, each kept once a draw is at most the level (5 up to 5), nothing drawn from
// 100 on; then the unknown positions 10 and 11 are turned.
TEST(OpponentForgetting, KnownCardsAreKeptByDrawsAtMostTheLevelReadAtEveryTurn) {
    GameRig rig;
    clsGame& game = Opponent(rig, 100);
    game.MemoryForTest() = Full({{0, 1, 1}, {2, 1, 2}});
    // clang-format off
    for (const auto& c : {std::pair{50, std::vector{50, 51, 50}}, {-20, {5, 6, 5}}, {0, {5, 6, 5}},
                          {3, {5, 6, 5}}, {5, {5, 6, 5}}, {100, {}}, {250, {}}}) {
        // clang-format on
        const auto& [lLevel, keepDraws] = c;  // the keep draws are of 100
        rig.SetLevel(lLevel);
        rig.random.lDraws = 0;
        for (int32_t lDraw : keepDraws) rig.random.PushIndex(lDraw, 100);
        rig.random.PushIndex(10, 50);
        rig.random.PushIndex(11, 50);
        EXPECT_EQ(game.AI_Decide(), Positions(10, 11)) << lLevel;
        EXPECT_EQ(rig.random.lDraws, int32_t(keepDraws.size()) + 2) << lLevel;
        EXPECT_EQ(game.Memory()[0].lTimesSeen + game.Memory()[2].lTimesSeen, 2) << lLevel;
    }
}

}  // namespace
}  // namespace quillon::test
