// The rules of the game: deal, shuffle, deck messages both ways, turns and scores, the
// end of the game, status texts of every type, the network messages, the profiles at the end,
// playing time, failure handling, and whole games of every local type.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "engine/clsGame.h"
#include "engine/turn_finish.h"
#include "game_rig.h"
#include "shell/error_report.h"

namespace quillon::test {
namespace {

using Texts = std::vector<std::pair<int32_t, std::string>>;

// The deal message body with identity f(k) at position k.
std::string Deck(int32_t (*f)(int32_t)) {
    std::string s;
    for (int k = 0; k < 50; ++k) {
        if (k) s += ';';
        s += std::to_string(f(k));
    }
    return s;
}
const std::string kUnshuffled = Deck([](int32_t k) { return k / 2; });
const std::string kReversed = Deck([](int32_t k) { return 24 - k / 2; });

std::vector<int32_t> BoardIds(const clsGame& game) {
    std::vector<int32_t> ids;
    for (int32_t k = 0; k < 50; ++k) ids.push_back(game.Cell(At(k).lX, At(k).lY).lId);
    return ids;
}

// Games won, lost and null of a saved record.
std::array<int32_t, 3> Results(GameRig& rig, int32_t eWhich, bool bExtended = false) {
    const ProfileRecord r = SavedRecord(rig, eWhich, bExtended);
    return {r.Games_Won, r.Games_Lost, r.Games_Null};
}
using R = std::array<int32_t, 3>;

TEST(GameObject, CreationSetsGameRunningAndDestructionClearsIt) {
    GameRig rig;
    EXPECT_FALSE(rig.values.g_bGameRunning);
    rig.Make();
    EXPECT_TRUE(rig.values.g_bGameRunning);
    EXPECT_EQ(rig.game->Score(1) + rig.game->Score(2) + rig.game->RevealClock(), 0);
    EXPECT_FALSE(rig.game->IsCardFlipped());
    rig.game.reset();
    EXPECT_FALSE(rig.values.g_bGameRunning);
}

// ------------------------------------------------------------------------------------------
// Deal, shuffle, deck messages

TEST(Deal, UnshuffledDealInBoardOrderWithMemoryOnlyWhenTheComputerPlays) {
    for (GameType eType : {GameSolo, GameTwoPlayers, GameVsComputer, GameComputerAlone}) {
        SCOPED_TRACE("type " + std::to_string(eType));
        GameRig rig;
        clsGame& game = rig.Deal(eType);
        EXPECT_EQ(rig.random.Draws(), 0) << "an unshuffled deal draws nothing";
        EXPECT_EQ(game.DeckMessage(), "+DECK=" + kUnshuffled);
        EXPECT_EQ(game.Cell(0, 4).lId, 2);
        EXPECT_EQ(game.Cell(1, 0).lId, 2);
        for (int32_t k = 0; k < 50; ++k) {
            EXPECT_EQ(game.Cell(At(k).lX, At(k).lY).lId, k / 2) << k;
            EXPECT_FALSE(game.Cell(At(k).lX, At(k).lY).bPaired);
            EXPECT_EQ(game.Cell(At(k).lX, At(k).lY).lViewed, 0);
        }
        const bool bComputer = eType == GameVsComputer || eType == GameComputerAlone;
        ASSERT_EQ(game.Memory().size(), bComputer ? 50u : 0u);
        for (int32_t k = 0; k < static_cast<int32_t>(game.Memory().size()); ++k) {
            const clsCard& c = game.Memory()[k];
            EXPECT_EQ((CardPos{c.lX, c.lY}), At(k));
            EXPECT_EQ(c.lId, k / 2);
            EXPECT_EQ(c.lTimesSeen + c.lLastSeen, 0);
        }
        game.Card_Flip(0, 0);
        EXPECT_EQ(game.RevealClock(), bComputer ? 1 : 0) << "the clock runs only for the computer";
    }
}

TEST(Deal, ShuffleMakes51ExchangesFrom204DrawsInOrderX1Y1X2Y2) {
    GameRig rig;
    std::array<std::array<int32_t, kRows>, kColumns> expected{};
    for (int32_t k = 0; k < 50; ++k) expected[k / kRows][k % kRows] = k / 2;
    for (int32_t i = 0; i < 51; ++i) {
        int32_t x1 = i % 10, y1 = (i * 3) % 5, x2 = (i * 7 + 3) % 10, y2 = (i + 2) % 5;
        if (i == 50) x2 = x1, y2 = y1;  // the same position twice exchanges nothing, no redraw
        const int32_t draws[] = {x1, y1, x2, y2};
        for (int32_t d = 0; d < 4; ++d) rig.random.PushIndex(draws[d], d % 2 ? 5 : 10);
        std::swap(expected[x1][y1], expected[x2][y2]);
    }
    rig.random.PushIndex(7, 10);  // a 52nd exchange would use this
    clsGame& game = rig.Deal(GameSolo, false);
    EXPECT_EQ(rig.random.Draws(), 204);
    EXPECT_EQ(rig.random.Pending(), 1u);
    for (int32_t x = 0; x < kColumns; ++x)
        for (int32_t y = 0; y < kRows; ++y)
            EXPECT_EQ(game.Cell(x, y).lId, expected[x][y]) << x << "," << y;
}

TEST(NetworkDeck, HostShufflesAndSendsTheDeckClientWaitsForIt) {
    GameRig host;
    clsGame& game = host.Deal(GameNetwork);
    EXPECT_EQ(host.lan.sent, std::vector<std::string>{"+DECK=" + kUnshuffled});
    EXPECT_EQ(game.DeckMessage(), "+DECK=" + kUnshuffled);
    EXPECT_TRUE(game.Memory().empty());

    GameRig client;
    client.lan.bHost = false;
    clsGame& waiting = client.Deal(GameNetwork, false);
    EXPECT_TRUE(client.lan.sent.empty());
    EXPECT_EQ(client.random.Draws(), 0);
    EXPECT_EQ(BoardIds(waiting), std::vector<int32_t>(50, 0));
    waiting.Game_DeckReceive(kReversed);
    for (int32_t k = 0; k < 50; ++k) EXPECT_EQ(BoardIds(waiting)[k], 24 - k / 2) << k;
    EXPECT_EQ(client.lan.sent, std::vector<std::string>{"+OK"});
    EXPECT_EQ(waiting.DeckMessage(), "+DECK=" + kReversed);
    EXPECT_TRUE(client.reporter.errors.empty());
}

TEST(NetworkDeck, BadDeckThrowsToTheCallerAndLeavesTheBoardUntouched) {
    const std::string& good = kUnshuffled;
    const std::string tail = good.substr(2);  // positions 1 to 49
    const struct {
        const char* sName;
        std::string sDeck;
        int32_t lNumber;
    } bad[] = {
        {"empty", "", ErrTypeMismatch},
        {"49 items", good.substr(0, good.rfind(';')), ErrSubscriptOutOfRange},
        {"51 items", good + ";24", ErrSubscriptOutOfRange},
        {"trailing separator", good + ";", ErrSubscriptOutOfRange},
        {"leading separator", ";" + tail, ErrTypeMismatch},
        {"non-numeric item", "x;" + tail, ErrTypeMismatch},
        {"item with a space", " 0;" + tail, ErrTypeMismatch},
        {"negative identity", "-1;" + tail, ErrTypeMismatch},
        {"identity 25", "25;" + tail, ErrInvalidCall},
        {"identity beyond 32 bits", "99999999999;" + tail, ErrTypeMismatch},
        {"fraction", "0.5;" + tail, ErrTypeMismatch},
        {"identity three times", "0;0;0;1;" + good.substr(8), ErrInvalidCall},
    };
    for (const auto& b : bad) {
        GameRig rig;
        rig.lan.bHost = false;
        clsGame& game = rig.Deal(GameNetwork);
        game.Game_DeckReceive(kReversed);
        rig.lan.sent.clear();
        try {
            game.Game_DeckReceive(b.sDeck);
            ADD_FAILURE() << b.sName << ": no failure";
        } catch (const QuillonError& e) {
            EXPECT_EQ(e.Number(), b.lNumber) << b.sName << ": " << e.what();
            EXPECT_FALSE(std::string(e.what()).empty()) << b.sName;
        }
        EXPECT_EQ(game.DeckMessage(), "+DECK=" + kReversed) << b.sName;
        EXPECT_TRUE(rig.lan.sent.empty()) << b.sName << ": nothing may be sent";
        EXPECT_TRUE(rig.reporter.errors.empty()) << b.sName;
    }
    GameRig local;
    clsGame& game = local.Deal(GameSolo);
    EXPECT_THROW(game.Game_DeckReceive(kReversed), QuillonError) << "no network link";
    EXPECT_EQ(game.DeckMessage(), "+DECK=" + kUnshuffled);
}

// ------------------------------------------------------------------------------------------
// Turns and scores

class TwoPlayerTurns : public ::testing::Test {
  protected:
    void SetUp() override {
        rig.SetNames("Ann", "Bob");
        rig.Start(GameTwoPlayers, 0);
        ASSERT_EQ(rig.game->Player(), 1);
    }
    GameRig rig;
};

TEST_F(TwoPlayerTurns, MissHidesBothCardsAndPassesTheTurn) {
    EXPECT_EQ(rig.events.status, (Texts{{1, "Starting a new game..."},
                                        {1, "Ann's turn to play."},
                                        {2, "Ann : 0 pairs / Bob : 0 pairs"}}));
    clsGame& game = *rig.game;
    game.Card_Flip(0, 0);
    EXPECT_TRUE(game.IsCardFlipped());
    EXPECT_TRUE(game.Card_IsFlipped(0, 0));
    EXPECT_FALSE(game.Card_IsFlipped(0, 1));
    EXPECT_EQ(game.Cell(0, 0).lViewed, 1);
    EXPECT_TRUE(rig.events.hides.empty());
    EXPECT_TRUE(rig.host.pauses.empty()) << "a person's first card does not pause";
    game.Card_Flip(0, 2);  // identities 0 and 1
    EXPECT_FALSE(game.IsCardFlipped());
    EXPECT_FALSE(game.Card_IsFlipped(0, 0));
    ASSERT_EQ(rig.events.hides.size(), 1u);
    const HideCardsCall& h = rig.events.hides[0];
    EXPECT_TRUE(h.bSetMemory);
    EXPECT_EQ((std::array{h.lX1, h.lY1, h.lX2, h.lY2}), (std::array{0, 2, 0, 0}))
        << "(lX1, lY1) is the second card";
    EXPECT_FALSE(h.bPairWasCreated);
    EXPECT_EQ(game.Player(), 2);
    EXPECT_FALSE(game.Card_IsPaired(0, 0) || game.Card_IsPaired(0, 2));
    EXPECT_EQ(game.Score(1) + game.Score(2), 0);
    EXPECT_EQ(rig.events.LastText(1), "Bob's turn to play.");
    rig.Play({0, 3}, {0, 4});  // Bob misses too: back to Ann
    EXPECT_EQ(game.Player(), 1);
    EXPECT_EQ(rig.events.LastText(1), "Ann's turn to play.");
}

TEST_F(TwoPlayerTurns, PairStaysUpScoresForThePlayerAndPlaysAgain) {
    clsGame& game = *rig.game;
    rig.Play({0, 0}, {0, 1});
    ASSERT_EQ(rig.events.hides.size(), 1u);
    EXPECT_TRUE(rig.events.hides[0].bPairWasCreated);
    EXPECT_TRUE(game.Card_IsPaired(0, 0) && game.Card_IsPaired(0, 1));
    EXPECT_EQ(game.Score(1), 1);
    EXPECT_EQ(game.Player(), 1);
    EXPECT_EQ(rig.events.LastText(1), "Ann plays again.");
    EXPECT_EQ(rig.events.LastText(2), "Ann : 1 pairs / Bob : 0 pairs");
    EXPECT_EQ(game.Game_CheckWin(), 0);
    EXPECT_EQ(game.PlayerProfile().Current().Pairs[PairWildGuess], 0) << "no profile in type 1";
    EXPECT_EQ(game.ComputerProfile().Current().Pairs[PairWildGuess], 0);
    rig.Play({0, 2}, {1, 0});
    rig.Play({0, 2}, {0, 3});
    EXPECT_EQ(game.Score(2), 1);
    EXPECT_EQ(game.Player(), 2);
    EXPECT_EQ(rig.events.LastText(1), "Bob plays again.");
    EXPECT_EQ(rig.events.LastText(2), "Ann : 1 pairs / Bob : 1 pairs");
}

TEST(Turns, ClosestResultsDecideTheWinnerOnlyAtTheEnd) {
    for (int32_t lFirst : {13, 12}) {
        GameRig r;
        r.SetNames("Ann", "Bob");
        clsGame& game = r.Start(GameTwoPlayers, 0);
        for (int32_t k = 0; k < lFirst; ++k) r.Play(At(2 * k), At(2 * k + 1));
        r.Play(At(2 * lFirst), At(2 * lFirst + 2));  // Ann misses once
        ASSERT_EQ(game.Player(), 2);
        for (int32_t k = lFirst; k < kFaces; ++k) {
            EXPECT_EQ(game.Game_CheckWin(), 0);
            EXPECT_TRUE(r.events.gameEnds.empty());
            r.Play(At(2 * k), At(2 * k + 1));
        }
        EXPECT_EQ(game.Game_CheckWin(), lFirst == 13 ? 1 : 2);
        EXPECT_EQ(r.events.gameEnds, std::vector<bool>{true});
        EXPECT_TRUE(r.host.bKillGameTimer);
        const std::string sScores =
            lFirst == 13 ? "Ann : 13 pairs / Bob : 12 pairs" : "Ann : 12 pairs / Bob : 13 pairs";
        const auto& s = r.events.status;
        ASSERT_GE(s.size(), 2u);
        EXPECT_EQ(s[s.size() - 2], (std::pair<int32_t, std::string>{2, sScores}));
        EXPECT_EQ(s.back(),
                  (std::pair<int32_t, std::string>{1, lFirst == 13 ? "Ann wins !" : "Bob wins !"}));
    }
}

TEST(Turns, TurnPassesInTurnFinishNotInCardFlip) {
    GameRig rig;
    rig.Deal(GameTwoPlayers);
    rig.random.PushIndex(1, 2);
    rig.game->Game_StartCheck();
    ASSERT_EQ(rig.game->Player(), 2);
    rig.Play({0, 0}, {0, 2});  // no finishing handler: the cards stay up
    EXPECT_EQ(rig.game->Player(), 2);
    EXPECT_TRUE(rig.game->IsCardFlipped());
    Turn_Finish(*rig.game, 0, 2, 0, 0, false);
    EXPECT_EQ(rig.game->Player(), 1);
    EXPECT_FALSE(rig.game->IsCardFlipped());
}

// ------------------------------------------------------------------------------------------
// Status texts

TEST(StatusTexts, EveryKindInEveryType) {
    const Texts solo{{1, ""},
                     {1, "Game over !"},
                     {2, "0 pairs formed out of 25"},
                     {1, "Single player game."},
                     {1, "Single player game."},
                     {1, "Waiting for click !"}};
    const Texts two{{1, "Starting a new game..."},
                    {2, "Ann : 0 pairs / Bob : 0 pairs"},
                    {1, "Ann's turn to play."},
                    {1, "Ann plays again."},
                    {1, "Waiting for click !"}};
    Texts versus = two;
    versus[1].second = "Ann : 0 pairs / Computer : 0 pairs";
    Texts network = two;
    network[1].second = "Lanny : 0 pairs / Remote : 0 pairs";
    network[2].second = "Lanny's turn to play.";
    network[3].second = "Lanny plays again.";
    const Texts alone{{1, "Computer playing alone..."},  // no turn texts in type 4
                      {1, "Game over !"},
                      {2, "0 pairs formed out of 25"},
                      {1, "Waiting for click !"}};
    const std::pair<GameType, const Texts*> cases[] = {{GameSolo, &solo},
                                                      {GameTwoPlayers, &two},
                                                      {GameVsComputer, &versus},
                                                      {GameComputerAlone, &alone},
                                                      {GameNetwork, &network}};
    for (const auto& [eType, pExpected] : cases) {
        GameRig rig;
        rig.SetNames("Ann", "Bob");
        rig.settings.SaveSetting(SettingPlayerLanName, std::string("Lanny"));
        rig.lan.sOpponent = "Remote";
        clsGame& game = rig.Deal(eType);
        const bool bAlone = eType == GameSolo || eType == GameComputerAlone;
        const int32_t kinds[] = {MsgNewGame,   MsgGameOver, MsgScores, MsgTurn, -1,
                                 MsgWaitClick, 2,           5,         7};
        for (int32_t lKind : kinds) {
            if (lKind == MsgGameOver && !bAlone) continue;  // the winner's text: see EndOfGame
            lKind < 0 ? game.StatusBar(MsgTurn, true) : game.StatusBar(static_cast<StatusMessage>(lKind));
        }
        EXPECT_EQ(rig.events.status, *pExpected) << "type " << eType;
        EXPECT_EQ(rig.chat.lines, eType == GameNetwork
                                      ? std::vector<std::string>{"Starting a new game..."}
                                      : std::vector<std::string>{})
            << "only the new-game text of a network game goes to the chat";
        EXPECT_TRUE(rig.reporter.errors.empty());
    }
}

TEST(StatusTexts, NamesAreReadAtEveryCall) {
    GameRig rig;
    clsGame& game = rig.Deal(GameTwoPlayers);
    game.StatusBar(MsgScores);
    EXPECT_EQ(rig.events.LastText(2), " : 0 pairs /  : 0 pairs") << "empty names stay empty";
    rig.SetNames("Carla", "Dan");
    game.StatusBar(MsgScores);
    EXPECT_EQ(rig.events.LastText(2), "Carla : 0 pairs / Dan : 0 pairs");

    GameRig lan;
    lan.SetNames("Ann", "Bob");
    clsGame& net = lan.Deal(GameNetwork);
    net.StatusBar(MsgScores);
    EXPECT_EQ(lan.events.LastText(2), "Ann : 0 pairs / Peer : 0 pairs")
        << "the network name follows player 1's until written";
    lan.lan.sOpponent = "Other";
    net.StatusBar(MsgScores);
    EXPECT_EQ(lan.events.LastText(2), "Ann : 0 pairs / Other : 0 pairs");
}

// ------------------------------------------------------------------------------------------
// Network game: who begins, reveal messages, the end

TEST(NetworkTurns, HostSendsYouStartExactlyWhenItDraws2) {
    for (int32_t lDraw : {0, 1}) {
        GameRig rig;
        rig.Deal(GameNetwork);
        rig.lan.sent.clear();
        rig.random.PushIndex(lDraw, 2);
        rig.game->Game_StartCheck();
        EXPECT_EQ(rig.game->Player(), lDraw + 1);
        EXPECT_EQ(rig.lan.sent,
                  lDraw ? std::vector<std::string>{"+YOU_START"} : std::vector<std::string>{});
        EXPECT_EQ(rig.game->IsHumanTurn(), lDraw == 0);
    }
}

TEST(NetworkTurns, ClientStartsWithThePeerToMoveUntilTold) {
    GameRig rig;
    rig.SetNames("Ann", "Bob");
    rig.lan.bHost = false;
    rig.lan.sOpponent = "Hosty";
    rig.Deal(GameNetwork);
    rig.game->Game_StartCheck();
    EXPECT_EQ(rig.game->Player(), 2);
    EXPECT_EQ(rig.random.Draws(), 0);
    EXPECT_TRUE(rig.lan.sent.empty());
    EXPECT_EQ(rig.events.LastText(1), "Hosty's turn to play.");
    rig.game->Game_StartPlayer();
    EXPECT_EQ(rig.game->Player(), 1);
    EXPECT_TRUE(rig.game->IsHumanTurn());
    const auto& s = rig.events.status;
    ASSERT_GE(s.size(), 2u);
    EXPECT_EQ(Texts(s.end() - 2, s.end()),
              (Texts{{1, "Ann's turn to play."}, {2, "Ann : 0 pairs / Hosty : 0 pairs"}}));
}

TEST(NetworkTurns, RevealIsSentOnlyForLocalMovesAndTheWinCountsForThePlayer) {
    GameRig rig;
    rig.settings.SaveSetting(SettingPlayerLanName, std::string("Lanny"));
    rig.Start(GameNetwork, 0);
    rig.lan.sent.clear();
    rig.Play({3, 2}, {0, 0});  // identities 8 and 0: a miss
    EXPECT_EQ(rig.lan.sent, (std::vector<std::string>{"+REVEAL{3;2}", "+REVEAL{0;0}"}));
    EXPECT_EQ(rig.game->Player(), 2);
    rig.lan.sent.clear();
    rig.Play({9, 4}, {9, 3});  // the peer's pair, applied here
    EXPECT_TRUE(rig.lan.sent.empty()) << "a reveal applied for the peer is not echoed";
    EXPECT_EQ(rig.game->Score(2), 1);
    EXPECT_TRUE(rig.host.pauses.empty()) << "no computer pause in a network game";
    EXPECT_EQ(rig.events.LastText(1), "Peer plays again.");
    rig.Play({0, 0}, {0, 2});  // the peer misses
    for (int32_t k = 0; k < 24; ++k) rig.Play(At(2 * k), At(2 * k + 1));
    EXPECT_EQ(rig.events.LastText(1), "Lanny wins !");
    EXPECT_EQ(Results(rig, ProfilePlayer), (R{1, 0, 0}));
    EXPECT_EQ(Results(rig, ProfileComputer), (R{0, 0, 0}));
}

// ------------------------------------------------------------------------------------------
// Games with the computer

TEST(VersusComputer, ComputerBeginsAtOncePausesAndPlaysAgainAfterAPair) {
    GameRig rig;
    rig.SetNames("Ann", "Bob");
    rig.SetAIMemory(100);  // no forgetting draws
    rig.values.g_lRevealTime = 1234;
    rig.Deal(GameVsComputer);
    rig.FinishTurnsAtOnce();
    rig.random.PushIndex(1, 2);   // the computer begins
    rig.random.PushIndex(0, 50);  // first card: entry 1 of 50, (0,0), identity 0
    rig.random.PushIndex(1, 50);  // second card: entry 2, (0,1), identity 0: a pair
    rig.random.PushIndex(0, 48);  // again: entry 1 of 48, (0,2), identity 1
    rig.random.PushIndex(5, 48);  // entry 6 of 48, (1,2), identity 3: a miss
    rig.game->Game_StartCheck();
    EXPECT_EQ(rig.random.Draws(), 5);
    EXPECT_EQ(rig.random.Pending(), 0u);
    ASSERT_EQ(rig.events.hides.size(), 2u);
    const HideCardsCall& a = rig.events.hides[0];
    const HideCardsCall& b = rig.events.hides[1];
    EXPECT_EQ((std::array{a.lX2, a.lY2, a.lX1, a.lY1, b.lX2, b.lY2, b.lX1, b.lY1}),
              (std::array{0, 0, 0, 1, 0, 2, 1, 2}));
    EXPECT_TRUE(a.bPairWasCreated);
    EXPECT_FALSE(b.bPairWasCreated);
    EXPECT_EQ(rig.game->Score(2), 1);
    EXPECT_TRUE(rig.game->IsHumanTurn());
    EXPECT_EQ(rig.game->Memory().size(), 48u);
    EXPECT_EQ(rig.host.pauses, (std::vector<int32_t>{246, 246})) << "reveal time div 5";
    const ProfileRecord& computer = rig.game->ComputerProfile().Current();
    EXPECT_EQ(computer.Pairs[PairWildGuess], 1);
    EXPECT_EQ(computer.Pairs[PairMissed], 1);
    EXPECT_EQ(rig.game->PlayerProfile().Current().Pairs[PairWildGuess], 0);
    EXPECT_EQ(rig.game->PlayerProfile().Current().Pairs[PairMissed], 0);
    EXPECT_EQ(rig.events.LastText(1), "Ann's turn to play.");
    EXPECT_EQ(rig.events.LastText(2), "Ann : 0 pairs / Computer : 1 pairs");
}

TEST(VersusComputer, PeoplesRevealsFeedTheComputersMemoryAndPairsLeaveIt) {
    GameRig rig;
    clsGame& game = rig.Start(GameVsComputer, 0);
    rig.Play(At(6), At(7));  // identity 3: a pair
    ASSERT_EQ(game.Memory().size(), 48u);
    for (const clsCard& c : game.Memory()) EXPECT_NE(c.lId, 3);
    EXPECT_EQ((CardPos{game.Memory()[5].lX, game.Memory()[5].lY}), At(5));
    EXPECT_EQ((CardPos{game.Memory()[6].lX, game.Memory()[6].lY}), At(8));
    EXPECT_EQ(game.RevealClock(), 2);
    game.Card_Flip(0, 3);
    EXPECT_EQ(game.RevealClock(), 3);
    EXPECT_EQ(game.Memory()[3].lTimesSeen, 1);
    EXPECT_EQ(game.Memory()[3].lLastSeen, 3);
    EXPECT_EQ(game.PlayerProfile().Current().Pairs[PairWildGuess], 1) << "the person's profile";
    EXPECT_EQ(game.ComputerProfile().Current().Pairs[PairWildGuess], 0);
    game.Card_Flip(1, 0);  // a miss: the computer's turn is announced before it moves
    const auto& s = rig.events.status;
    EXPECT_NE(std::find(s.begin(), s.end(),
                        std::pair<int32_t, std::string>{1, "Computer's turn to play."}),
              s.end());
}

// ------------------------------------------------------------------------------------------
// End of the game and the profiles

TEST(EndOfGame, SoloGameCountsANullGameAndClassifiesEveryPair) {
    GameRig rig;
    rig.Start(GameSolo);
    EXPECT_EQ(rig.random.Draws(), 0) << "the single player needs no draw";
    rig.Play(At(0), At(2));   // miss: 0 and 2 seen
    rig.Play(At(0), At(1));   // first seen before
    rig.Play(At(3), At(2));   // second seen before
    rig.Play(At(4), At(6));   // miss
    rig.Play(At(4), At(5));   // first seen before
    rig.Play(At(6), At(7));   // first seen before
    rig.Play(At(8), At(10));  // miss: 8 and 10 seen
    rig.Play(At(9), At(11));  // miss: 9 and 11 seen
    rig.Play(At(8), At(9));   // both seen before
    EXPECT_EQ(rig.game->Game_CheckWin(), 0);
    EXPECT_EQ(rig.game->Player(), 1) << "the single player always plays";
    rig.PlayPairsFrom(5);  // 5 both seen before, the rest wild guesses
    EXPECT_EQ(rig.game->Game_CheckWin(), 1);
    EXPECT_EQ(rig.events.LastText(2), "25 pairs formed out of 25");
    EXPECT_EQ(rig.events.LastText(1), "Game over !");
    EXPECT_EQ(rig.events.gameEnds, std::vector<bool>{true});
    EXPECT_TRUE(rig.host.bKillGameTimer);
    const ProfileRecord player = SavedRecord(rig, ProfilePlayer);
    EXPECT_EQ(Results(rig, ProfilePlayer), (R{0, 0, 1}));
    EXPECT_EQ(player.Pairs[PairMissed], 4);
    EXPECT_EQ(player.Pairs[PairBothSeen], 2);
    EXPECT_EQ(player.Pairs[PairSecondSeen], 1);
    EXPECT_EQ(player.Pairs[PairFirstSeen], 3);
    EXPECT_EQ(player.Pairs[PairWildGuess], 19);
    EXPECT_EQ(SavedRecord(rig, ProfileComputer), ProfileRecord{}) << "no computer in type 0";
    EXPECT_TRUE(rig.reporter.errors.empty());
}

TEST(EndOfGame, ComputerAloneCountsANullGameForTheComputerAtItsLevel) {
    GameRig rig(7);
    rig.SetAIMemory(60);
    rig.Deal(GameComputerAlone, false);
    const WholeGameResult result = PlayWholeGame(rig, 1);
    EXPECT_TRUE(result.faults.empty()) << result.faults.front();
    ASSERT_TRUE(rig.Ended());
    EXPECT_EQ(Results(rig, ProfileComputer), (R{0, 0, 1}));
    EXPECT_EQ(SavedRecord(rig, ProfileComputer).Average_AI, 60.0);
    EXPECT_EQ(Results(rig, ProfileComputer, true), (R{0, 0, 1})) << "extended record, level 60";
    EXPECT_EQ(SavedRecord(rig, ProfilePlayer), ProfileRecord{}) << "no player in type 4";
    EXPECT_EQ(rig.events.LastText(1), "Game over !");
    EXPECT_EQ(rig.events.LastText(2), "25 pairs formed out of 25");
    for (const auto& [lPanel, sText] : rig.events.status)
        EXPECT_EQ(sText.find("turn to play"), std::string::npos) << sText;
}

TEST(EndOfGame, WinnerAgainstTheComputerCountsInBothProfiles) {
    for (bool bPersonWins : {true, false}) {
        GameRig rig(3);
        rig.SetAIMemory(100);
        rig.Deal(GameVsComputer, bPersonWins);
        rig.FinishTurnsAtOnce();
        rig.random.PushIndex(0, 2);
        rig.game->Game_StartCheck();
        if (bPersonWins) rig.PlayPairsFrom(0);
        // Otherwise the person misses whenever two cards of different identities are left.
        for (int32_t lGuard = 0; !rig.Ended() && lGuard < 1000; ++lGuard) {
            ASSERT_TRUE(rig.game->IsHumanTurn());
            const std::vector<CardPos> free = rig.Unpaired();
            ASSERT_GE(free.size(), 2u);
            CardPos b = free[1];
            for (const CardPos& p : free)
                if (rig.game->Cell(p.lX, p.lY).lId != rig.game->Cell(free[0].lX, free[0].lY).lId)
                    b = p;
            rig.Play(free[0], b);
        }
        ASSERT_TRUE(rig.Ended());
        const R won{1, 0, 0}, lost{0, 1, 0};
        EXPECT_EQ(rig.game->Game_CheckWin(), bPersonWins ? 1 : 2);
        EXPECT_EQ(Results(rig, ProfilePlayer), bPersonWins ? won : lost);
        EXPECT_EQ(Results(rig, ProfileComputer), bPersonWins ? lost : won);
        EXPECT_EQ(Results(rig, ProfileComputer, true), bPersonWins ? lost : won) << "level 100";
        EXPECT_EQ(SavedRecord(rig, ProfileComputer).Average_AI, 100.0);
        EXPECT_EQ(rig.events.LastText(1), bPersonWins ? " wins !" : "Computer wins !");
        EXPECT_TRUE(rig.reporter.errors.empty());
    }
}

// ------------------------------------------------------------------------------------------
// Playing time

TEST(PlayingTime, ExcludesAPausedDialogAndSurvivesTickWraparound) {
    const struct {
        uint32_t lStart, lBeforePause, lRestart, lAfterRestart;
    } cases[] = {{50000, 5000, 155000, 2000}, {0xFFFFFF00u, 0x300, 0xFFFFFFF0u, 0x20}};
    for (const auto& c : cases) {
        GameRig rig;
        rig.Deal(GameSolo);
        rig.FinishTurnsAtOnce();
        rig.host.lTick = c.lStart;
        rig.game->Game_StartCheck();
        rig.host.lTick += c.lBeforePause;
        rig.game->Game_TimersPause();  // a dialog opens
        EXPECT_EQ(rig.game->PlayTime(), static_cast<int32_t>(c.lBeforePause));
        rig.host.lTick = c.lRestart;
        rig.game->Game_TimersRestart();  // and closes
        rig.host.lTick += c.lAfterRestart;
        rig.PlayPairsFrom(0);
        ASSERT_TRUE(rig.Ended());
        const uint32_t lPlayed = c.lBeforePause + c.lAfterRestart;
        EXPECT_EQ(rig.game->PlayTime(), static_cast<int32_t>(lPlayed));
        EXPECT_EQ(SavedRecord(rig, ProfilePlayer).Average_Time, static_cast<double>(lPlayed));
        EXPECT_TRUE(rig.reporter.errors.empty());
    }
    GameRig rig;  // Game_Create starts the clock already
    rig.host.lTick = 777;
    rig.Deal(GameSolo);
    rig.host.lTick = 1777;
    rig.game->Game_TimersPause();
    EXPECT_EQ(rig.game->PlayTime(), 1000);
}

// ------------------------------------------------------------------------------------------
// Failure handling

TEST(Failures, NetworkGameWithoutTheNetworkLinkOrChatIsReportedNotCrashed) {
    GameRig rig;
    rig.values.g_bLanGame = true;
    rig.Make(false);
    rig.game->Game_Create(GameNetwork);
    ASSERT_EQ(rig.reporter.errors.size(), 1u);
    EXPECT_EQ(rig.reporter.errors[0].sProcedure, "clsGame::Game_Create");
    EXPECT_TRUE(rig.reporter.errors[0].bFatal);
    rig.reporter.errors.clear();
    rig.game->Game_StartCheck();
    ASSERT_GE(rig.reporter.errors.size(), 2u);
    for (const ReportedError& e : rig.reporter.errors) EXPECT_TRUE(e.bFatal);
    // The chat line of the new-game text fails in StatusBar, the start in Game_StartCheck.
    EXPECT_EQ(rig.reporter.errors[0].sProcedure, "clsGame::StatusBar");
    EXPECT_EQ(rig.reporter.errors[1].sProcedure, "clsGame::Game_StartCheck");
    rig.reporter.errors.clear();
    rig.game->Card_Flip(0, 0);
    ASSERT_EQ(rig.reporter.errors.size(), 1u);
    EXPECT_EQ(rig.reporter.errors[0].sProcedure, "clsGame::Card_Flip");

    GameRig noChat;
    noChat.host.bDoNotShuffle = true;
    noChat.values.g_bLanGame = true;
    noChat.Make(true, false);
    noChat.game->Game_Create(GameNetwork);
    noChat.game->StatusBar(MsgNewGame);
    ASSERT_EQ(noChat.reporter.errors.size(), 1u);
    EXPECT_EQ(noChat.reporter.errors[0].sProcedure, "clsGame::StatusBar");
    EXPECT_TRUE(noChat.reporter.errors[0].bFatal);
}

TEST(Failures, CardOutsideTheBoardAndFailingHandlersAreReportedByCardFlip) {
    GameRig rig;
    clsGame& game = rig.Deal(GameTwoPlayers);
    game.Card_Flip(10, 0);
    game.Card_Flip(0, -1);
    ASSERT_EQ(rig.reporter.errors.size(), 2u);
    EXPECT_EQ(rig.reporter.errors[0].sProcedure, "clsGame::Card_Flip");
    EXPECT_EQ(rig.reporter.errors[0].lNumber, ErrSubscriptOutOfRange);
    EXPECT_FALSE(game.IsCardFlipped());
    EXPECT_THROW((void)game.Card_IsPaired(0, 5), QuillonError);

    rig.reporter.errors.clear();
    rig.events.onHideCards = [](const HideCardsCall&) { throw QuillonError(ErrInvalidCall, "x"); };
    game.Card_Flip(0, 0);
    game.Card_Flip(0, 1);
    ASSERT_EQ(rig.reporter.errors.size(), 1u);
    EXPECT_EQ(rig.reporter.errors[0].sProcedure, "clsGame::Card_Flip");
    EXPECT_EQ(game.Score(1), 1) << "the game goes on from the state reached";
}

// ------------------------------------------------------------------------------------------
// Whole games of every local type

TEST(WholeGames, EveryLocalTypeEndsWith25Pairs) {
    for (GameType eType : {GameSolo, GameTwoPlayers, GameVsComputer, GameComputerAlone}) {
        for (uint32_t seed = 1; seed <= 20; ++seed) {
            GameRig rig(seed * 7919u);
            rig.SetAIMemory(static_cast<int32_t>((seed * 13) % 101));
            rig.Deal(eType, false);
            const WholeGameResult result = PlayWholeGame(rig, seed);
            SCOPED_TRACE("type " + std::to_string(eType) + " seed " + std::to_string(seed));
            for (const std::string& f : result.faults) ADD_FAILURE() << f;
            ASSERT_TRUE(rig.Ended());
            clsGame& game = *rig.game;
            EXPECT_EQ(game.Score(1) + game.Score(2), 25);
            EXPECT_EQ(rig.events.gameEnds.size(), 1u);
            EXPECT_NE(game.Game_CheckWin(), 0);
            EXPECT_TRUE(rig.Unpaired().empty());
            EXPECT_TRUE(game.Memory().empty());
            for (const ReportedError& e : rig.reporter.errors)
                ADD_FAILURE() << e.sProcedure << ": " << e.sDescription;
            if (eType == GameSolo || eType == GameComputerAlone) {
                EXPECT_EQ(game.Score(2), 0);
            }
            if (eType == GameComputerAlone) {
                EXPECT_EQ(result.lHumanTurns, 0);
            }
            EXPECT_GE(result.lTurns, 25) << "a turn ends in HideCards: 25 pairs plus the misses";
        }
    }
}

}  // namespace
}  // namespace quillon::test
