// The computer opponent: its choices on hand-built memories (known pairs and their
// tie-breaks, unknown cards, partners, random cards), the order and number of its random draws,
// forgetting with rounding halves to even, the "AI Memory" level, and its turns inside games.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "engine/clsGame.h"
#include "game_rig.h"

namespace quillon::test {
namespace {

CardPos PosOf(const clsCard& c) { return {c.lX, c.lY}; }

// A "Computer alone" game on the unshuffled deal: memory entry k is position k, identity k / 2.
clsGame& Opponent(GameRig& rig, int32_t lLevel) {
    rig.SetAIMemory(lLevel);
    clsGame& game = rig.Deal(GameComputerAlone);
    EXPECT_EQ(game.Memory().size(), 50u);
    return game;
}

void Know(clsGame& game, int32_t lIndex, int32_t lTimesSeen, int32_t lLastSeen) {
    clsCard& c = game.MemoryForTest()[lIndex];
    c.lTimesSeen = lTimesSeen;
    c.lLastSeen = lLastSeen;
}

// A memory entry for board position k of the unshuffled deal.
clsCard Entry(int32_t k, int32_t lTimesSeen, int32_t lLastSeen = 0) {
    return {k / 2, lTimesSeen, lLastSeen, At(k).lX, At(k).lY};
}

::testing::AssertionResult Decided(const std::pair<CardPos, CardPos>& got, CardPos a, CardPos b) {
    if (got.first == a && got.second == b) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "decided (" << got.first.lX << "," << got.first.lY << ") (" << got.second.lX << ","
           << got.second.lY << "), expected (" << a.lX << "," << a.lY << ") (" << b.lX << ","
           << b.lY << ")";
}

// ------------------------------------------------------------------------------------------
// Decisions: the known cards (memory index, times seen, last seen) of the full unshuffled
// memory, or a hand-built memory; the scripted draws (index, range), all used in order; the
// two cards turned.

TEST(OpponentDecision, ChoicesAndTheirDrawsOnHandBuiltMemories) {
    const struct {
        const char* sName;
        std::vector<std::array<int32_t, 3>> known;
        std::vector<clsCard> memory;  // empty: the full memory
        std::vector<std::pair<int32_t, int32_t>> draws;
        int32_t lA, lB;
    } cases[] = {
        // AI_MemoryRandom(A), AI_MemoryCheck finds no partner, AI_MemoryRandom(B).
        {"nothing known: two unknown cards", {}, {}, {{10, 50}, {20, 50}}, 10, 20},
        // Identity 1: (4 + 6) div 2 + 2 * ((3 + 2) div 2) = 9; identity 3: 11 + 2 = 13;
        // identity 5: 5 + 2 = 7, the lowest; identity 10 has one card known: no pair.
        {"lowest score wins without a draw",
         {{2, 3, 4}, {3, 2, 6}, {6, 1, 10}, {7, 1, 12}, {10, 1, 5}, {11, 1, 5}, {20, 1, 1}},
         {},
         {},
         10,
         11},
        // Identity 1: 2 + 2 * 2 = 6; identity 9: 7 div 2 + 2 * (3 div 2) = 5 (6.5 untruncated).
        {"both divisions truncate", {{2, 2, 2}, {3, 2, 2}, {18, 1, 3}, {19, 2, 4}}, {}, {}, 18, 19},
        // Score 100000000 + 2 is counted, never remembered: the unknown-card path follows.
        {"score at or above the starting best is never chosen",
         {{0, 1, 100000000}, {1, 1, 100000000}},
         {},
         {{4, 50}, {9, 50}},
         4,
         9},
        // Identity 0 known at positions 0, 1 and (a copy) 2, identity 1 once: scores
        // 0-1: 7 + 4 = 11, 0-2: 6 + 4 = 10, 1-2: 4 + 2 = 6, the lowest.
        {"third known card of an identity joins the lowest scoring pair",
         {},
         {Entry(0, 3, 9), Entry(1, 1, 5), {0, 1, 3, At(2).lX, At(2).lY}, Entry(3, 1, 1)},
         {},
         1,
         2},
        // One card known of identities 0, 1, 2: known draws are tried, a tried one is drawn
        // again uncounted; A = 7 (partner unknown); B: known 4 tried, then 9.
        {"only unknown cards, tried ones skipped",
         {{0, 1, 1}, {2, 1, 2}, {4, 1, 3}},
         {},
         {{0, 50}, {0, 50}, {2, 50}, {7, 50}, {4, 50}, {9, 50}},
         7,
         9},
        // B = A again (a fresh tried set); AI_RandomSearch keeps A, draws A again, then 33.
        {"second unknown card equal to the first is replaced",
         {},
         {},
         {{7, 50}, {7, 50}, {7, 50}, {33, 50}},
         7,
         33},
        // Position 0 twice is no pair; A = entry 4 (unknown); B: entry 3 known, entry 4 = A;
        // AI_RandomSearch keeps A: entry 2, position 0.
        {"same position is no pair",
         {},
         {Entry(0, 1), Entry(0, 1), Entry(2, 1), Entry(4, 0)},
         {{3, 4}, {2, 4}, {3, 4}, {1, 4}},
         4,
         0},
        // No pair, nothing unknown: AI_MemoryRandom tries 1, 2, 2 (again), 3, 4; AI_RandomSearch:
        // A = entry 3, B = entry 3 again: repeat, entry 1.
        {"no unknown card left: two random cards",
         {},
         {Entry(0, 1), Entry(2, 1), Entry(4, 1), Entry(6, 1)},
         {{0, 4}, {1, 4}, {1, 4}, {2, 4}, {3, 4}, {2, 4}, {2, 4}, {0, 4}},
         4,
         0},
    };
    for (const auto& c : cases) {
        GameRig rig;
        clsGame& game = Opponent(rig, 100);
        if (!c.memory.empty()) game.MemoryForTest() = c.memory;
        for (const auto& [i, lSeen, lLast] : c.known) Know(game, i, lSeen, lLast);
        for (const auto& [k, n] : c.draws) rig.random.PushIndex(k, n);
        EXPECT_TRUE(Decided(game.AI_Decide(), At(c.lA), At(c.lB))) << c.sName;
        EXPECT_EQ(rig.random.Draws(), static_cast<int32_t>(c.draws.size())) << c.sName;
        EXPECT_EQ(rig.random.Pending(), 0u) << c.sName;
        EXPECT_TRUE(rig.reporter.errors.empty()) << c.sName;
    }
}

TEST(OpponentDecision, EqualScoresGoToThePairMetFirstWithTheEarlierEntryFirst) {
    GameRig rig;
    clsGame& game = Opponent(rig, 100);
    // Identity 7's cards at memory indices 5 (position 14) and 1 (position 15), identity 4's
    // at 2 and 3: every pair scores 10 + 4.
    std::vector<clsCard>& memory = game.MemoryForTest();
    for (auto [i, j] : {std::pair{1, 15}, {5, 14}, {2, 8}, {3, 9}}) std::swap(memory[i], memory[j]);
    for (int32_t i : {1, 2, 3, 5}) Know(game, i, 2, 10);
    // Identity 7 is met first (index 1) and wins, though identity 4 closes earlier (index 3);
    // A is the earlier entry, not the lower position.
    EXPECT_TRUE(Decided(game.AI_Decide(), At(15), At(14)));
    Know(game, 2, 2, 9);  // identity 4 lower by one: it wins
    Know(game, 3, 2, 9);
    EXPECT_TRUE(Decided(game.AI_Decide(), At(8), At(9)));
    EXPECT_EQ(rig.random.Draws(), 0);
}

TEST(OpponentDecision, FindsTheRememberedPartnerByTheBoardsIdentityOfTheFirstCard) {
    GameRig rig;
    clsGame& game = Opponent(rig, 100);
    game.MemoryForTest()[7].lId = 10;  // the entry of position 7 claims 10, the board says 3
    Know(game, 6, 1, 1);               // identity 3 at position 6
    Know(game, 20, 1, 2);              // identity 10 at position 20
    rig.random.PushIndex(7, 50);       // A = position 7
    EXPECT_TRUE(Decided(game.AI_Decide(), At(7), At(6)));
    EXPECT_EQ(rig.random.Draws(), 1) << "a certain pair needs no second draw";
}

TEST(OpponentDecision, EmptyMemoryDecidesDrawsAndFlipsNothing) {
    GameRig rig;
    clsGame& game = Opponent(rig, 50);
    game.MemoryForTest().clear();
    EXPECT_TRUE(Decided(game.AI_Decide(), {0, 0}, {0, 0}));
    EXPECT_EQ(rig.random.Draws(), 0);
    game.AI_Search();
    EXPECT_TRUE(rig.events.hides.empty());
    EXPECT_FALSE(game.IsCardFlipped());
    EXPECT_EQ(game.RevealClock(), 0);
    EXPECT_TRUE(rig.reporter.errors.empty());
}

TEST(OpponentDecision, BrokenMemoryIsReportedInsteadOfLooping) {
    GameRig rig;
    clsGame& game = Opponent(rig, 100);
    game.MemoryForTest() = {Entry(4, 1)};
    EXPECT_EQ(game.AI_Decide().first, At(4));
    ASSERT_EQ(rig.reporter.errors.size(), 1u);
    EXPECT_EQ(rig.reporter.errors[0].sProcedure, "clsGame::AI_RandomSearch");
    EXPECT_TRUE(rig.reporter.errors[0].bFatal);
}

TEST(OpponentDecision, NeverChoosesTheSamePositionTwice) {
    std::mt19937 gen(77);
    for (int32_t lCase = 0; lCase < 2000; ++lCase) {
        GameRig rig(static_cast<uint32_t>(lCase) + 1);
        rig.SetAIMemory(static_cast<int32_t>(gen() % 101));
        rig.Deal(GameComputerAlone, false);
        clsGame& game = *rig.game;
        std::vector<clsCard>& memory = game.MemoryForTest();
        // Remove pairs as if found (at least two entries stay) and know cards at random.
        const int32_t lRemove = static_cast<int32_t>(gen() % 25);
        for (int32_t lId = 0; lId < lRemove; ++lId)
            std::erase_if(memory, [&](const clsCard& c) { return c.lId == lId; });
        for (clsCard& c : memory) {
            c.lTimesSeen = static_cast<int32_t>(gen() % 3);
            c.lLastSeen = c.lTimesSeen ? static_cast<int32_t>(gen() % 50) + 1 : 0;
        }
        const auto [A, B] = game.AI_Decide();
        ASSERT_FALSE(A == B) << "case " << lCase;
        bool bA = false, bB = false;
        for (const clsCard& c : memory) {
            bA = bA || PosOf(c) == A;
            bB = bB || PosOf(c) == B;
        }
        ASSERT_TRUE(bA && bB) << "both cards come from the memory, case " << lCase;
        ASSERT_TRUE(rig.reporter.errors.empty());
    }
}

// ------------------------------------------------------------------------------------------
// AI_ForgetSome

TEST(OpponentForgetting, DrawsOnlyAsFarAsNeededAndRoundsHalvesToEven) {
    GameRig rig;
    clsGame& game = Opponent(rig, 50);
    Know(game, 0, 1, 1);            // identity 0
    Know(game, 1, 2, 2);            // identity 0: a known pair once forgetting is done
    Know(game, 2, 3, 3);            // identity 1
    rig.random.PushIndex(50, 100);  // entry 1: r1 = 50, not above 50: kept, one draw
    rig.random.PushIndex(51, 100);  // entry 2: r1 = 51 > 50
    rig.random.PushIndex(10, 100);  //          r2 = 10: kept, two draws
    rig.random.PushIndex(99, 100);  // entry 3: r1 = 99
    rig.random.PushIndex(51, 100);  //          r2 = 51
    rig.random.Push(0.5f);          //          u = 0.5: 3 - 0.5 = 2.5 rounds to 2
    EXPECT_TRUE(Decided(game.AI_Decide(), At(0), At(1)));
    EXPECT_EQ(rig.random.Draws(), 6);
    EXPECT_EQ(rig.random.Pending(), 0u);
    EXPECT_EQ(game.Memory()[0].lTimesSeen, 1);
    EXPECT_EQ(game.Memory()[1].lTimesSeen, 2);
    EXPECT_EQ(game.Memory()[2].lTimesSeen, 2);
    EXPECT_EQ(game.Memory()[2].lLastSeen, 3) << "forgetting leaves the last sighting";
}

TEST(OpponentForgetting, RoundingOfAForgettingStep) {
    const struct {
        int32_t lTimesSeen;
        float u;
        int32_t lExpected;
    } cases[] = {
        {1, 0.5f, 0},    // round(0.5) = 0: forgotten
        {2, 0.5f, 2},    // round(1.5) = 2
        {3, 0.5f, 2},    // round(2.5) = 2
        {4, 0.5f, 4},    // round(3.5) = 4
        {1, 0.25f, 1},   // round(0.75) = 1
        {1, 0.75f, 0},   // round(0.25) = 0
        {2, 0.0f, 2},    // u = 0: unchanged
        {5, 0.999f, 4},  // round(4.001) = 4
        {-1, 0.5f, 0},   // a negative count never goes below 0
        {-3, 0.1f, 0},
    };
    for (const auto& rc : cases) {
        GameRig rig;
        clsGame& game = Opponent(rig, 50);
        Know(game, 0, rc.lTimesSeen, 1);
        rig.random.PushIndex(99, 100);
        rig.random.PushIndex(99, 100);
        rig.random.Push(rc.u);
        (void)game.AI_Decide();
        EXPECT_EQ(game.Memory()[0].lTimesSeen, rc.lExpected) << rc.lTimesSeen << " - " << rc.u;
    }
}

TEST(OpponentForgetting, LevelAtOrBelow5CountsAs5) {
    for (int32_t lLevel : {-20, 0, 3, 5}) {
        GameRig rig;
        clsGame& game = Opponent(rig, lLevel);
        Know(game, 0, 1, 1);
        Know(game, 2, 1, 2);
        rig.random.PushIndex(5, 100);  // entry 1: 5 is not above 5: kept after one draw
        rig.random.PushIndex(6, 100);  // entry 3: 6 > 5
        rig.random.PushIndex(5, 100);  //          5: kept
        rig.random.PushIndex(10, 50);  // AI_MemoryRandom(A): position 10
        rig.random.PushIndex(11, 50);  // AI_MemoryRandom(B): position 11
        EXPECT_TRUE(Decided(game.AI_Decide(), At(10), At(11))) << "level " << lLevel;
        EXPECT_EQ(rig.random.Draws(), 5) << "level " << lLevel;
        EXPECT_EQ(game.Memory()[0].lTimesSeen, 1);
        EXPECT_EQ(game.Memory()[2].lTimesSeen, 1);
    }
}

TEST(OpponentForgetting, LevelIsReadAfreshAtEveryTurnAndFrom100OnNothingIsForgotten) {
    GameRig rig;
    clsGame& game = Opponent(rig, 100);
    Know(game, 0, 1, 1);
    Know(game, 1, 1, 2);
    for (int32_t lLevel : {100, 250}) {
        rig.SetAIMemory(lLevel);
        EXPECT_TRUE(Decided(game.AI_Decide(), At(0), At(1)));
        EXPECT_EQ(rig.random.Draws(), 0) << "level " << lLevel;
        EXPECT_EQ(game.Memory()[0].lTimesSeen + game.Memory()[1].lTimesSeen, 2);
    }
    rig.SetAIMemory(50);
    rig.random.PushIndex(0, 100);
    rig.random.PushIndex(0, 100);
    EXPECT_TRUE(Decided(game.AI_Decide(), At(0), At(1)));
    EXPECT_EQ(rig.random.Draws(), 2);
}

// ------------------------------------------------------------------------------------------
// Computer turns in games

TEST(OpponentInGame, TakesTheKnownPairAtItsNextTurn) {
    GameRig rig;
    rig.SetAIMemory(100);
    rig.Deal(GameVsComputer);
    rig.FinishTurnsAtOnce();
    rig.random.PushIndex(0, 2);  // the person begins
    rig.game->Game_StartCheck();
    // Queue the computer's draws before the person's second click, inside which it plays.
    rig.game->Card_Flip(At(10).lX, At(10).lY);  // identity 5
    rig.random.PushIndex(11, 50);  // computer: A = position 11 (identity 5), partner remembered
    rig.random.PushIndex(11, 48);  // again: entry 12 of 48 = position 13 (identity 6), partner
                                   // position 12 remembered
    rig.random.PushIndex(0, 46);   // again, nothing known: position 0 (identity 0)
    rig.random.PushIndex(2, 46);   // position 2 (identity 1): a miss
    rig.game->Card_Flip(At(12).lX, At(12).lY);  // identity 6: a miss, the computer moves
    EXPECT_EQ(rig.random.Pending(), 0u);
    ASSERT_EQ(rig.events.hides.size(), 4u);
    const auto& h = rig.events.hides;
    EXPECT_TRUE(h[1].bPairWasCreated);
    EXPECT_EQ((CardPos{h[1].lX2, h[1].lY2}), At(11));
    EXPECT_EQ((CardPos{h[1].lX1, h[1].lY1}), At(10));
    EXPECT_TRUE(h[2].bPairWasCreated);
    EXPECT_EQ((CardPos{h[2].lX2, h[2].lY2}), At(13));
    EXPECT_EQ((CardPos{h[2].lX1, h[2].lY1}), At(12));
    EXPECT_FALSE(h[3].bPairWasCreated);
    EXPECT_EQ(rig.game->Score(2), 2);
    EXPECT_EQ(rig.game->Player(), 1);
    // The computer's profile: two pairs whose second card was seen before, one miss.
    const ProfileRecord& r = rig.game->ComputerProfile().Current();
    EXPECT_EQ(r.Pairs[PairSecondSeen], 2);
    EXPECT_EQ(r.Pairs[PairMissed], 1);
}

TEST(OpponentInGame, AtLevel100AKnownPairIsNeverMissed) {
    for (uint32_t seed = 1; seed <= 30; ++seed) {
        GameRig rig(seed);
        rig.SetAIMemory(100);
        rig.Deal(GameComputerAlone, false);
        rig.FinishTurnsAtOnce();
        rig.game->Game_StartCheck();
        int32_t lChecked = 0;
        while (rig.host.bCompTimer && !rig.Ended()) {
            rig.host.bCompTimer = false;
            bool bKnownPair = false;
            const auto& memory = rig.game->Memory();
            for (size_t i = 0; i < memory.size(); ++i)
                for (size_t j = i + 1; j < memory.size(); ++j)
                    if (memory[i].lTimesSeen && memory[j].lTimesSeen &&
                        memory[i].lId == memory[j].lId)
                        bKnownPair = true;
            const size_t before = rig.events.hides.size();
            rig.game->AI_Search();
            ASSERT_EQ(rig.events.hides.size(), before + 1);
            if (bKnownPair) {
                ++lChecked;
                EXPECT_TRUE(rig.events.hides.back().bPairWasCreated) << "seed " << seed;
            }
        }
        ASSERT_TRUE(rig.Ended());
        EXPECT_GT(lChecked, 0);
        // Once seen, never forgotten: the computer misses at most once per unseen card pair.
        EXPECT_LE(rig.game->ComputerProfile().Current().Pairs[PairMissed], 25);
    }
}

TEST(OpponentInGame, ComputerAloneTimerDrivesEveryTurn) {
    GameRig rig(11);
    rig.SetAIMemory(50);
    rig.Deal(GameComputerAlone, false);
    rig.FinishTurnsAtOnce();
    rig.game->Game_StartCheck();
    EXPECT_TRUE(rig.host.bCompTimer) << "Game_StartCheck enables tmrKillCompStack";
    EXPECT_EQ(rig.game->Player(), 1);
    EXPECT_TRUE(rig.events.hides.empty()) << "in type 4 the timer starts the first turn";
    rig.host.bCompTimer = false;
    rig.game->AI_Search();
    EXPECT_EQ(rig.events.hides.size(), 1u);
    EXPECT_TRUE(rig.host.bCompTimer) << "Turn_Shift enables the timer for the next turn";
    rig.RunCompTimer();
    EXPECT_TRUE(rig.Ended());
    EXPECT_EQ(rig.game->Score(1), 25);
    EXPECT_TRUE(rig.reporter.errors.empty());
    // A late tick after the end does nothing but its bookkeeping.
    const size_t hides = rig.events.hides.size();
    rig.game->AI_Search();
    EXPECT_EQ(rig.events.hides.size(), hides);
}

// A host whose clock advances at every reading, so a decision takes time.
class TickingHost final : public IBoardHost {
  public:
    bool DoNotShuffle() const override { return true; }
    void EnableCompTimer() override {}
    void EnableKillGameTimer() override {}
    uint32_t TickCount() const override { return lTick += lStep; }
    void Pause(int32_t) override {}
    CardSurfaces Surfaces() override { return {}; }
    void RefreshRect(int, int, int, int) override {}
    void MoveSelectionShape(int, int) override {}
    mutable uint32_t lTick = 0xFFFFFFF0u;  // the decision straddles a wraparound
    uint32_t lStep = 7;
};

TEST(OpponentInGame, DecisionTimeFeedsTheComputersAverageTime) {
    GameRig rig;
    rig.SetAIMemory(100);
    TickingHost host;
    GameContext context{rig.settings, rig.random, rig.reporter,   rig.values,
                        host,         rig.events, rig.profileFile};
    clsGame game(context);
    game.Game_Create(GameComputerAlone);
    game.AI_Search();
    EXPECT_EQ(game.ComputerProfile().Average_Time(), 7.0);
    EXPECT_EQ(rig.events.hides.size(), 1u);
}

}  // namespace
}  // namespace quillon::test
