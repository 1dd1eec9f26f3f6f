// The computer opponent: its choices on hand-built memories (known pairs and their
// tie-breaks, unknown cards, partners, random cards), the order and number of its random draws,
// forgetting with rounding halves to even, the "AI Memory" level, and its turns inside games.

#include <gtest/gtest.h>

#include <algorithm>
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

// A memory of the given board positions (board identities), all unknown.
void HandBuiltMemory(clsGame& game, const std::vector<int32_t>& positions) {
    std::vector<clsCard>& memory = game.MemoryForTest();
    memory.clear();
    for (int32_t k : positions) {
        const CardPos p = At(k);
        memory.push_back({game.Cell(p.lX, p.lY).lId, 0, 0, p.lX, p.lY});
    }
}

::testing::AssertionResult Decided(const std::pair<CardPos, CardPos>& got, CardPos a, CardPos b) {
    if (got.first == a && got.second == b) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "decided (" << got.first.lX << "," << got.first.lY << ") (" << got.second.lX << ","
           << got.second.lY << "), expected (" << a.lX << "," << a.lY << ") (" << b.lX << ","
           << b.lY << ")";
}

// ------------------------------------------------------------------------------------------
// Nothing known

TEST(Opponent, NothingKnownTurnsTwoDifferentUnknownCards) {
    GameRig rig;
    clsGame& game = Opponent(rig, 100);
    rig.random.PushIndex(10, 50);  // AI_MemoryRandom(A): entry 11
    rig.random.PushIndex(20, 50);  // AI_MemoryCheck finds nothing; AI_MemoryRandom(B): entry 21
    EXPECT_TRUE(Decided(game.AI_Decide(), At(10), At(20)));
    EXPECT_EQ(rig.random.Draws(), 2);
    EXPECT_EQ(rig.random.Pending(), 0u);
}

TEST(Opponent, EmptyMemoryDecidesNothingDrawsNothingFlipsNothing) {
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

// ------------------------------------------------------------------------------------------
// AI_MemorySearch

TEST(OpponentMemorySearch, LowestScoreWinsWithoutAnyDraw) {
    GameRig rig;
    clsGame& game = Opponent(rig, 100);
    Know(game, 2, 3, 4);  // identity 1: (4 + 6) div 2 + 2 * ((3 + 2) div 2) = 5 + 4 = 9
    Know(game, 3, 2, 6);
    Know(game, 6, 1, 10);  // identity 3: 11 + 2 = 13
    Know(game, 7, 1, 12);
    Know(game, 10, 1, 5);  // identity 5: 5 + 2 = 7, the lowest
    Know(game, 11, 1, 5);
    Know(game, 20, 1, 1);  // identity 10, only one card known: not a pair
    EXPECT_TRUE(Decided(game.AI_Decide(), At(10), At(11)));
    EXPECT_EQ(rig.random.Draws(), 0);
}

TEST(OpponentMemorySearch, EqualScoresGoToThePairWhoseFirstCardComesFirst) {
    GameRig rig;
    clsGame& game = Opponent(rig, 100);
    // A hand-built order: identity 7's cards at memory indices 1 and 5, identity 4's at 2 and 3.
    std::vector<clsCard>& memory = game.MemoryForTest();
    std::swap(memory[1], memory[14]);                     // identity 7 (position 14) to index 1
    std::swap(memory[5], memory[15]);                     // identity 7 (position 15) to index 5
    std::swap(memory[2], memory[8]);                      // identity 4 (position 8) to index 2
    std::swap(memory[3], memory[9]);                      // identity 4 (position 9) to index 3
    for (int32_t i : {1, 2, 3, 5}) Know(game, i, 2, 10);  // every pair scores 10 + 4
    // Identity 7 is met first (index 1) and wins, though identity 4 closes earlier (index 3);
    // A is the earlier card in memory order.
    EXPECT_TRUE(Decided(game.AI_Decide(), At(14), At(15)));
    // Make identity 4 lower by one: it wins.
    Know(game, 2, 2, 9);
    Know(game, 3, 2, 9);
    EXPECT_TRUE(Decided(game.AI_Decide(), At(8), At(9)));
    EXPECT_EQ(rig.random.Draws(), 0);
}

TEST(OpponentMemorySearch, FirstCardOfThePairIsTheEarlierEntry) {
    GameRig rig;
    clsGame& game = Opponent(rig, 100);
    std::vector<clsCard>& memory = game.MemoryForTest();
    std::swap(memory[0], memory[41]);  // identity 20: position 41 now comes before position 40
    Know(game, 0, 1, 3);
    Know(game, 40, 1, 2);
    EXPECT_TRUE(Decided(game.AI_Decide(), At(41), At(40)));
}

TEST(OpponentMemorySearch, BothDivisionsTruncate) {
    GameRig rig;
    clsGame& game = Opponent(rig, 100);
    // Identity 1 (earlier): last seen 2 and 2, seen 2 and 2: 2 + 2 * 2 = 6 (exactly 6).
    Know(game, 2, 2, 2);
    Know(game, 3, 2, 2);
    // Identity 9: last seen 3 and 4 -> 7 div 2 = 3; seen 1 and 2 -> 2 * (3 div 2) = 2: 5.
    // Without truncation it would be 3.5 + 3 = 6.5 and lose.
    Know(game, 18, 1, 3);
    Know(game, 19, 2, 4);
    EXPECT_TRUE(Decided(game.AI_Decide(), At(18), At(19)));
}

TEST(OpponentMemorySearch, ScoreAtOrAboveTheStartingBestIsNeverChosen) {
    GameRig rig;
    clsGame& game = Opponent(rig, 100);
    Know(game, 0, 1, 100000000);  // score 100000000 + 2: counted, never remembered
    Know(game, 1, 1, 100000000);
    rig.random.PushIndex(4, 50);  // then the unknown-card path: entry 5
    rig.random.PushIndex(9, 50);  // entry 10
    EXPECT_TRUE(Decided(game.AI_Decide(), At(4), At(9)));
    EXPECT_TRUE(rig.reporter.errors.empty());
}

TEST(OpponentMemorySearch, SamePositionIsNoPair) {
    GameRig rig;
    clsGame& game = Opponent(rig, 100);
    HandBuiltMemory(game, {0, 0, 2, 4});
    for (clsCard& c : game.MemoryForTest()) c.lTimesSeen = 1;
    game.MemoryForTest()[3].lTimesSeen = 0;  // position 4 unknown
    rig.random.PushIndex(3, 4);              // AI_MemoryRandom(A): entry 4, position 4
    rig.random.PushIndex(2, 4);              // AI_MemoryRandom(B): entry 3, known: tried
    rig.random.PushIndex(3, 4);              // entry 4 again: B = A
    rig.random.PushIndex(1, 4);              // AI_RandomSearch keeps A: entry 2, position 0
    EXPECT_TRUE(Decided(game.AI_Decide(), At(4), At(0)));
    EXPECT_EQ(rig.random.Pending(), 0u);
}

TEST(OpponentMemorySearch, ThirdKnownCardOfAnIdentityJoinsTheLowestScoringPair) {
    GameRig rig;
    clsGame& game = Opponent(rig, 100);
    // Identity 0 known at positions 0, 1 and (a copy) 2; position 3 alone of identity 1.
    // Scores: 0-1: 7 + 4 = 11, 0-2: 6 + 4 = 10, 1-2: 4 + 2 = 6, the lowest.
    HandBuiltMemory(game, {0, 1, 2, 3});
    std::vector<clsCard>& memory = game.MemoryForTest();
    memory[0] = {0, 3, 9, 0, 0};
    memory[1] = {0, 1, 5, 0, 1};
    memory[2] = {0, 1, 3, 0, 2};
    memory[3].lTimesSeen = 1;
    EXPECT_TRUE(Decided(game.AI_Decide(), At(1), At(2)));
}

// ------------------------------------------------------------------------------------------
// AI_MemoryRandom, AI_MemoryCheck, AI_RandomSearch

TEST(OpponentMemoryRandom, ChoosesOnlyUnknownCardsAndSkipsTriedOnes) {
    GameRig rig;
    clsGame& game = Opponent(rig, 100);
    Know(game, 0, 1, 1);  // identities 0, 1, 2: one card each, no known pair
    Know(game, 2, 1, 2);
    Know(game, 4, 1, 3);
    rig.random.PushIndex(0, 50);  // known: tried
    rig.random.PushIndex(0, 50);  // tried already: drawn again, not counted
    rig.random.PushIndex(2, 50);  // known: tried
    rig.random.PushIndex(7, 50);  // unknown: A = position 7 (identity 3, partner unknown)
    rig.random.PushIndex(4, 50);  // B: known, tried
    rig.random.PushIndex(9, 50);  // B = position 9
    EXPECT_TRUE(Decided(game.AI_Decide(), At(7), At(9)));
    EXPECT_EQ(rig.random.Draws(), 6);
    EXPECT_EQ(rig.random.Pending(), 0u);
}

TEST(OpponentMemoryCheck, FindsTheRememberedPartnerByTheBoardsIdentityOfTheFirstCard) {
    GameRig rig;
    clsGame& game = Opponent(rig, 100);
    // The memory entry of position 7 claims identity 10, the board says 3: the board decides.
    game.MemoryForTest()[7].lId = 10;
    Know(game, 6, 1, 1);          // identity 3 at position 6
    Know(game, 20, 1, 2);         // identity 10 at position 20
    rig.random.PushIndex(7, 50);  // A = position 7
    EXPECT_TRUE(Decided(game.AI_Decide(), At(7), At(6)));
    EXPECT_EQ(rig.random.Draws(), 1) << "a certain pair needs no second draw";
}

TEST(OpponentRandomSearch, SecondUnknownCardEqualToTheFirstIsReplaced) {
    GameRig rig;
    clsGame& game = Opponent(rig, 100);
    rig.random.PushIndex(7, 50);   // A = position 7
    rig.random.PushIndex(7, 50);   // B = position 7 again (a fresh tried-set)
    rig.random.PushIndex(7, 50);   // AI_RandomSearch keeps A; AI_RandomCard hits A again
    rig.random.PushIndex(33, 50);  // B = position 33
    EXPECT_TRUE(Decided(game.AI_Decide(), At(7), At(33)));
    EXPECT_EQ(rig.random.Draws(), 4);
}

TEST(OpponentRandomSearch, NoUnknownCardLeftPicksTwoRandomCards) {
    GameRig rig;
    clsGame& game = Opponent(rig, 100);
    HandBuiltMemory(game, {0, 2, 4, 6});  // identities 0, 1, 2, 3: no pair possible
    for (clsCard& c : game.MemoryForTest()) c.lTimesSeen = 1;
    rig.random.PushIndex(0, 4);  // AI_MemoryRandom tries 1, 2, 2 (again), 3, 4: all known
    rig.random.PushIndex(1, 4);
    rig.random.PushIndex(1, 4);
    rig.random.PushIndex(2, 4);
    rig.random.PushIndex(3, 4);
    rig.random.PushIndex(2, 4);  // AI_RandomSearch: A = entry 3 (position 4)
    rig.random.PushIndex(2, 4);  // B = entry 3 again: repeat
    rig.random.PushIndex(0, 4);  // B = entry 1 (position 0)
    EXPECT_TRUE(Decided(game.AI_Decide(), At(4), At(0)));
    EXPECT_EQ(rig.random.Draws(), 8);
    EXPECT_EQ(rig.random.Pending(), 0u);
}

TEST(OpponentRandomSearch, BrokenMemoryIsReportedInsteadOfLooping) {
    GameRig rig;
    clsGame& game = Opponent(rig, 100);
    HandBuiltMemory(game, {4});
    game.MemoryForTest()[0].lTimesSeen = 1;
    const auto decision = game.AI_Decide();
    EXPECT_EQ(decision.first, At(4));
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

struct RoundingCase {
    int32_t lTimesSeen;
    float u;
    int32_t lExpected;
};

TEST(OpponentForgetting, RoundingOfAForgettingStep) {
    const RoundingCase cases[] = {
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
    for (const RoundingCase& rc : cases) {
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
