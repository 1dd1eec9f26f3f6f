// The rules of the game: deal, shuffle, deck messages both ways, turns and scores, the
// end of the game, status texts of every type, the network messages, the profiles at the end,
// playing time, failure handling, and whole games of every local type.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/clsGame.h"
#include "engine/turn_finish.h"
#include "game_rig.h"
#include "shell/error_report.h"

namespace quillon::test {
namespace {

std::string UnshuffledDeck() {
    std::string s;
    for (int k = 0; k < 50; ++k) {
        if (k) s += ';';
        s += std::to_string(k / 2);
    }
    return s;
}

// A deal other than the unshuffled one: identity k at positions 49 - 2k and 48 - 2k.
std::string ReversedDeck() {
    std::string s;
    for (int k = 0; k < 50; ++k) {
        if (k) s += ';';
        s += std::to_string(24 - k / 2);
    }
    return s;
}

std::vector<int32_t> BoardIds(const clsGame& game) {
    std::vector<int32_t> ids;
    for (int32_t x = 0; x < kColumns; ++x)
        for (int32_t y = 0; y < kRows; ++y) ids.push_back(game.Cell(x, y).lId);
    return ids;
}

// The k-th position of the board order (x outer, y inner).
CardPos At(int32_t k) { return {k / kRows, k % kRows}; }

// ------------------------------------------------------------------------------------------
// Object life

TEST(GameObject, CreationSetsGameRunningAndDestructionClearsIt) {
    GameRig rig;
    EXPECT_FALSE(rig.values.g_bGameRunning);
    rig.Make();
    EXPECT_TRUE(rig.values.g_bGameRunning);
    EXPECT_EQ(rig.game->Score(1), 0);
    EXPECT_EQ(rig.game->Score(2), 0);
    EXPECT_EQ(rig.game->RevealClock(), 0);
    EXPECT_FALSE(rig.game->IsCardFlipped());
    rig.game.reset();
    EXPECT_FALSE(rig.values.g_bGameRunning);
    EXPECT_TRUE(rig.reporter.errors.empty());
}

// ------------------------------------------------------------------------------------------
// Deal and shuffle

TEST(Deal, UnshuffledDealPutsIdentityKAtPositions2kAnd2kPlus1) {
    GameRig rig;
    clsGame& game = rig.Deal(GameSolo);
    for (int32_t k = 0; k < 50; ++k) {
        const CardPos p = At(k);
        EXPECT_EQ(game.Cell(p.lX, p.lY).lId, k / 2) << "position " << k;
        EXPECT_FALSE(game.Cell(p.lX, p.lY).bPaired);
        EXPECT_EQ(game.Cell(p.lX, p.lY).lViewed, 0);
    }
    EXPECT_EQ(game.Cell(0, 4).lId, 2);
    EXPECT_EQ(game.Cell(1, 0).lId, 2);
    EXPECT_EQ(game.Cell(9, 4).lId, 24);
    EXPECT_EQ(rig.random.Draws(), 0) << "an unshuffled deal draws nothing";
}

TEST(Deal, UnshuffledDeckMessage) {
    GameRig rig;
    clsGame& game = rig.Deal(GameSolo);
    EXPECT_EQ(game.DeckMessage(), "+DECK=" + UnshuffledDeck());
    EXPECT_EQ(game.DeckMessage().substr(0, 16), "+DECK=0;0;1;1;2;");
    EXPECT_EQ(game.DeckMessage().substr(game.DeckMessage().size() - 6), ";24;24");
}

TEST(Deal, ShuffleMakes51ExchangesFrom204DrawsInOrderX1Y1X2Y2) {
    GameRig rig;
    // Reference: the filled board, then the same 51 transpositions.
    std::array<std::array<int32_t, kRows>, kColumns> expected{};
    for (int32_t k = 0; k < 50; ++k) expected[k / kRows][k % kRows] = k / 2;
    for (int32_t i = 0; i < 51; ++i) {
        const int32_t x1 = i % 10, y1 = (i * 3) % 5, x2 = (i * 7 + 3) % 10, y2 = (i + 2) % 5;
        rig.random.PushIndex(x1, 10);
        rig.random.PushIndex(y1, 5);
        rig.random.PushIndex(x2, 10);
        rig.random.PushIndex(y2, 5);
        std::swap(expected[x1][y1], expected[x2][y2]);
    }
    rig.random.PushIndex(7, 10);  // a 52nd exchange would use this and the fallback
    clsGame& game = rig.Deal(GameSolo, false);
    EXPECT_EQ(rig.random.Draws(), 204);
    EXPECT_EQ(rig.random.Pending(), 1u);
    for (int32_t x = 0; x < kColumns; ++x)
        for (int32_t y = 0; y < kRows; ++y)
            EXPECT_EQ(game.Cell(x, y).lId, expected[x][y]) << x << "," << y;
}

TEST(Deal, ShuffleOfSamePositionExchangesNothing) {
    GameRig rig;
    for (int32_t i = 0; i < 51; ++i) {
        rig.random.PushIndex(4, 10);
        rig.random.PushIndex(2, 5);
        rig.random.PushIndex(4, 10);
        rig.random.PushIndex(2, 5);
    }
    clsGame& game = rig.Deal(GameSolo, false);
    EXPECT_EQ(game.DeckMessage(), "+DECK=" + UnshuffledDeck());
}

TEST(Deal, ShuffledDeckStillHoldsEveryIdentityTwice) {
    GameRig rig(12345);
    clsGame& game = rig.Deal(GameTwoPlayers, false);
    std::array<int, kFaces> counts{};
    for (int32_t id : BoardIds(game)) {
        ASSERT_GE(id, 0);
        ASSERT_LT(id, kFaces);
        ++counts[id];
    }
    for (int c : counts) EXPECT_EQ(c, 2);
    EXPECT_NE(game.DeckMessage(), "+DECK=" + UnshuffledDeck());
}

TEST(Deal, MemoryIsBuiltOnlyInGamesWithTheComputer) {
    for (int32_t eType : {GameSolo, GameTwoPlayers, GameVsComputer, GameComputerAlone}) {
        GameRig rig;
        clsGame& game = rig.Deal(eType);
        const bool bComputer = eType == GameVsComputer || eType == GameComputerAlone;
        ASSERT_EQ(game.Memory().size(), bComputer ? 50u : 0u) << "type " << eType;
        for (int32_t k = 0; k < static_cast<int32_t>(game.Memory().size()); ++k) {
            const clsCard& c = game.Memory()[k];
            EXPECT_EQ(c.lX, At(k).lX);
            EXPECT_EQ(c.lY, At(k).lY);
            EXPECT_EQ(c.lId, k / 2);
            EXPECT_EQ(c.lTimesSeen, 0);
            EXPECT_EQ(c.lLastSeen, 0);
        }
    }
}

// ------------------------------------------------------------------------------------------
// Deck messages in a network game

TEST(NetworkDeck, HostDealsAndSendsTheDeck) {
    GameRig rig;
    rig.lan.bHost = true;
    clsGame& game = rig.Deal(GameNetwork);
    ASSERT_EQ(rig.lan.sent.size(), 1u);
    EXPECT_EQ(rig.lan.sent[0], "+DECK=" + UnshuffledDeck());
    EXPECT_EQ(game.DeckMessage(), rig.lan.sent[0]);
    EXPECT_TRUE(game.Memory().empty());
}

TEST(NetworkDeck, ClientKeepsAnEmptyBoardUntilTheDeckArrives) {
    GameRig rig;
    rig.lan.bHost = false;
    clsGame& game = rig.Deal(GameNetwork, false);
    EXPECT_TRUE(rig.lan.sent.empty());
    EXPECT_EQ(rig.random.Draws(), 0);
    for (int32_t id : BoardIds(game)) EXPECT_EQ(id, 0);
}

TEST(NetworkDeck, ReceivedDeckFillsTheBoardAndAnswersOk) {
    GameRig rig;
    rig.lan.bHost = false;
    clsGame& game = rig.Deal(GameNetwork);
    game.Game_DeckReceive(ReversedDeck());
    for (int32_t k = 0; k < 50; ++k) EXPECT_EQ(game.Cell(At(k).lX, At(k).lY).lId, 24 - k / 2) << k;
    ASSERT_EQ(rig.lan.sent.size(), 1u);
    EXPECT_EQ(rig.lan.sent[0], "+OK");
    EXPECT_EQ(game.DeckMessage(), "+DECK=" + ReversedDeck());
    EXPECT_TRUE(rig.reporter.errors.empty());
}

TEST(NetworkDeck, HostsDeckMessageIsAcceptedByTheClient) {
    GameRig host(99);
    host.lan.bHost = true;
    host.Deal(GameNetwork, false);
    ASSERT_EQ(host.lan.sent.size(), 1u);
    const std::string sMessage = host.lan.sent[0];
    ASSERT_EQ(sMessage.rfind("+DECK=", 0), 0u);

    GameRig client;
    client.lan.bHost = false;
    clsGame& game = client.Deal(GameNetwork);
    game.Game_DeckReceive(std::string_view(sMessage).substr(6));
    EXPECT_EQ(BoardIds(game), BoardIds(*host.game));
}

struct BadDeck {
    const char* sName;
    std::string sDeck;
    int32_t lNumber;
};

std::vector<BadDeck> BadDecks() {
    const std::string good = UnshuffledDeck();
    std::vector<BadDeck> v;
    v.push_back({"empty", "", ErrTypeMismatch});
    v.push_back({"short (49 items)", good.substr(0, good.rfind(';')), ErrSubscriptOutOfRange});
    v.push_back({"long (51 items)", good + ";24", ErrSubscriptOutOfRange});
    v.push_back({"long (51 items, new identity)", ReversedDeck() + ";3", ErrSubscriptOutOfRange});
    v.push_back({"trailing separator", good + ";", ErrSubscriptOutOfRange});
    v.push_back({"leading separator", ";" + good.substr(2), ErrTypeMismatch});
    v.push_back({"non-numeric item", "x;" + good.substr(2), ErrTypeMismatch});
    v.push_back({"item with a space", " 0;" + good.substr(2), ErrTypeMismatch});
    v.push_back({"negative identity", "-1;" + good.substr(2), ErrTypeMismatch});
    v.push_back({"identity 25", "25;" + good.substr(2), ErrInvalidCall});
    v.push_back({"identity beyond 32 bits", "99999999999;" + good.substr(2), ErrTypeMismatch});
    v.push_back({"fraction", "0.5;" + good.substr(2), ErrTypeMismatch});
    // 0 three times and 1 once: 50 items in range, but not 25 pairs.
    std::string triple = "0;0;0;1;" + good.substr(8);
    v.push_back({"identity three times", triple, ErrInvalidCall});
    return v;
}

TEST(NetworkDeck, BadDeckThrowsAndLeavesTheBoardUntouched) {
    for (const BadDeck& bad : BadDecks()) {
        GameRig rig;
        rig.lan.bHost = false;
        clsGame& game = rig.Deal(GameNetwork);
        game.Game_DeckReceive(ReversedDeck());
        rig.lan.sent.clear();
        const std::vector<int32_t> before = BoardIds(game);
        try {
            game.Game_DeckReceive(bad.sDeck);
            ADD_FAILURE() << bad.sName << ": no failure";
        } catch (const QuillonError& e) {
            EXPECT_EQ(e.Number(), bad.lNumber) << bad.sName << ": " << e.what();
            EXPECT_FALSE(std::string(e.what()).empty()) << bad.sName;
        }
        EXPECT_EQ(BoardIds(game), before) << bad.sName;
        EXPECT_TRUE(rig.lan.sent.empty()) << bad.sName << ": nothing may be sent";
        EXPECT_TRUE(rig.reporter.errors.empty())
            << bad.sName << ": the failure goes to the caller, not to the reporter";
    }
}

TEST(NetworkDeck, DeckReceiveWithoutNetworkLinkThrowsAndChangesNothing) {
    GameRig rig;
    rig.host.bDoNotShuffle = true;
    rig.Make(false);
    rig.game->Game_Create(GameSolo);
    const std::vector<int32_t> before = BoardIds(*rig.game);
    EXPECT_THROW(rig.game->Game_DeckReceive(ReversedDeck()), QuillonError);
    EXPECT_EQ(BoardIds(*rig.game), before);
}

// ------------------------------------------------------------------------------------------
// Turns and scores

class TwoPlayerTurns : public ::testing::Test {
  protected:
    void SetUp() override {
        rig.SetNames("Ann", "Bob");
        rig.Deal(GameTwoPlayers);
        rig.FinishTurnsAtOnce();
        rig.random.PushIndex(0, 2);  // player 1 begins
        rig.game->Game_StartCheck();
        ASSERT_EQ(rig.game->Player(), 1);
    }
    GameRig rig;
};

TEST_F(TwoPlayerTurns, StartTexts) {
    const auto& s = rig.events.status;
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(s[0], (std::pair<int32_t, std::string>{1, "Starting a new game..."}));
    EXPECT_EQ(s[1], (std::pair<int32_t, std::string>{1, "Ann's turn to play."}));
    EXPECT_EQ(s[2], (std::pair<int32_t, std::string>{2, "Ann : 0 pairs / Bob : 0 pairs"}));
}

TEST_F(TwoPlayerTurns, FirstCardIsFlippedUntilTheTurnEnds) {
    clsGame& game = *rig.game;
    game.Card_Flip(0, 0);
    EXPECT_TRUE(game.IsCardFlipped());
    EXPECT_TRUE(game.Card_IsFlipped(0, 0));
    EXPECT_FALSE(game.Card_IsFlipped(0, 1));
    EXPECT_EQ(game.Cell(0, 0).lViewed, 1);
    EXPECT_TRUE(rig.events.hides.empty());
    EXPECT_TRUE(rig.host.pauses.empty()) << "a person's first card does not pause";
    game.Card_Flip(0, 2);
    EXPECT_FALSE(game.IsCardFlipped());
    EXPECT_FALSE(game.Card_IsFlipped(0, 0));
}

TEST_F(TwoPlayerTurns, MissHidesBothCardsAndPassesTheTurn) {
    clsGame& game = *rig.game;
    rig.Play({0, 0}, {0, 2});  // identities 0 and 1
    ASSERT_EQ(rig.events.hides.size(), 1u);
    const HideCardsCall& h = rig.events.hides[0];
    EXPECT_TRUE(h.bSetMemory);
    EXPECT_EQ(h.lX1, 0);
    EXPECT_EQ(h.lY1, 2) << "(lX1, lY1) is the second card";
    EXPECT_EQ(h.lX2, 0);
    EXPECT_EQ(h.lY2, 0) << "(lX2, lY2) is the first card";
    EXPECT_FALSE(h.bPairWasCreated);
    EXPECT_EQ(game.Player(), 2);
    EXPECT_FALSE(game.Card_IsPaired(0, 0));
    EXPECT_FALSE(game.Card_IsPaired(0, 2));
    EXPECT_EQ(game.Score(1), 0);
    EXPECT_EQ(game.Score(2), 0);
    EXPECT_EQ(rig.events.LastText(1), "Bob's turn to play.");
    EXPECT_EQ(rig.events.LastText(2), "Ann : 0 pairs / Bob : 0 pairs");
    // Bob misses too: back to Ann.
    rig.Play({0, 3}, {0, 4});
    EXPECT_EQ(game.Player(), 1);
    EXPECT_EQ(rig.events.LastText(1), "Ann's turn to play.");
}

TEST_F(TwoPlayerTurns, PairStaysUpScoresAndPlaysAgain) {
    clsGame& game = *rig.game;
    rig.Play({0, 0}, {0, 1});
    ASSERT_EQ(rig.events.hides.size(), 1u);
    EXPECT_TRUE(rig.events.hides[0].bPairWasCreated);
    EXPECT_TRUE(game.Card_IsPaired(0, 0));
    EXPECT_TRUE(game.Card_IsPaired(0, 1));
    EXPECT_EQ(game.Score(1), 1);
    EXPECT_EQ(game.Score(2), 0);
    EXPECT_EQ(game.Player(), 1);
    EXPECT_EQ(rig.events.LastText(1), "Ann plays again.");
    EXPECT_EQ(rig.events.LastText(2), "Ann : 1 pairs / Bob : 0 pairs");
    EXPECT_EQ(game.Game_CheckWin(), 0);
    // Bob's pairs count for Bob.
    rig.Play({0, 2}, {1, 0});
    EXPECT_EQ(game.Player(), 2);
    rig.Play({0, 2}, {0, 3});
    EXPECT_EQ(game.Score(2), 1);
    EXPECT_EQ(game.Player(), 2);
    EXPECT_EQ(rig.events.LastText(1), "Bob plays again.");
    EXPECT_EQ(rig.events.LastText(2), "Ann : 1 pairs / Bob : 1 pairs");
}

TEST_F(TwoPlayerTurns, NoProfileIsTouchedInTwoPlayerGames) {
    rig.Play({0, 0}, {0, 1});
    EXPECT_EQ(rig.game->PlayerProfile().Current().Pairs[PairWildGuess], 0);
    EXPECT_EQ(rig.game->ComputerProfile().Current().Pairs[PairWildGuess], 0);
}

// Player 1 takes the pairs in aFirst, misses once, player 2 takes the rest.
void PlaySplitGame(GameRig& rig, int32_t lFirstPairs) {
    clsGame& game = *rig.game;
    for (int32_t k = 0; k < lFirstPairs; ++k) rig.Play(At(2 * k), At(2 * k + 1));
    ASSERT_EQ(game.Player(), 1);
    rig.Play(At(2 * lFirstPairs), At(2 * lFirstPairs + 2));
    ASSERT_EQ(game.Player(), 2);
    for (int32_t k = lFirstPairs; k < 25; ++k) {
        EXPECT_EQ(game.Game_CheckWin(), 0) << "before pair " << k;
        EXPECT_TRUE(rig.events.gameEnds.empty());
        rig.Play(At(2 * k), At(2 * k + 1));
    }
}

TEST_F(TwoPlayerTurns, ClosestResult13To12WinsForPlayer1) {
    PlaySplitGame(rig, 13);
    clsGame& game = *rig.game;
    EXPECT_EQ(game.Score(1), 13);
    EXPECT_EQ(game.Score(2), 12);
    EXPECT_EQ(game.Game_CheckWin(), 1);
    ASSERT_EQ(rig.events.gameEnds.size(), 1u);
    EXPECT_TRUE(rig.events.gameEnds[0]);
    EXPECT_TRUE(rig.host.bKillGameTimer);
    EXPECT_EQ(rig.events.LastText(1), "Ann wins !");
    EXPECT_EQ(rig.events.LastText(2), "Ann : 13 pairs / Bob : 12 pairs");
    // The end texts come last: scores, then the winner.
    const auto& s = rig.events.status;
    ASSERT_GE(s.size(), 2u);
    EXPECT_EQ(s[s.size() - 2].first, 2);
    EXPECT_EQ(s.back().first, 1);
}

TEST_F(TwoPlayerTurns, ClosestResult12To13WinsForPlayer2) {
    PlaySplitGame(rig, 12);
    EXPECT_EQ(rig.game->Game_CheckWin(), 2);
    EXPECT_EQ(rig.events.LastText(1), "Bob wins !");
    EXPECT_EQ(rig.events.LastText(2), "Ann : 12 pairs / Bob : 13 pairs");
    EXPECT_EQ(rig.events.gameEnds.size(), 1u);
}

TEST(Turns, TurnFinishOfAMissDrawsBothBacksAndShiftsTheTurn) {
    GameRig rig;
    rig.Deal(GameTwoPlayers);
    rig.random.PushIndex(1, 2);
    rig.game->Game_StartCheck();
    ASSERT_EQ(rig.game->Player(), 2);
    rig.Play({0, 0}, {0, 2});  // no finishing handler: the cards stay up
    EXPECT_EQ(rig.game->Player(), 2);
    EXPECT_TRUE(rig.game->IsCardFlipped()) << "Turn_Shift clears the first card, not Card_Flip";
    Turn_Finish(*rig.game, 0, 2, 0, 0, false);
    EXPECT_EQ(rig.game->Player(), 1);
    EXPECT_FALSE(rig.game->IsCardFlipped());
}

TEST(Turns, SoloPlayerAlwaysPlays) {
    GameRig rig;
    rig.Deal(GameSolo);
    rig.FinishTurnsAtOnce();
    rig.game->Game_StartCheck();
    EXPECT_EQ(rig.game->Player(), 1);
    EXPECT_EQ(rig.random.Draws(), 0) << "the single player needs no draw";
    EXPECT_EQ(rig.events.LastText(2), "0 pairs formed out of 25");
    rig.Play({0, 0}, {0, 2});
    EXPECT_EQ(rig.game->Player(), 1);
    EXPECT_EQ(rig.events.LastText(1), "Single player game.");
    rig.Play({0, 0}, {0, 1});
    EXPECT_EQ(rig.game->Score(1), 1);
    EXPECT_EQ(rig.events.LastText(2), "1 pairs formed out of 25");
}

// ------------------------------------------------------------------------------------------
// Status texts

TEST(StatusTexts, SoloGame) {
    GameRig rig;
    rig.SetNames("Ann", "Bob");
    clsGame& game = rig.Deal(GameSolo);
    game.StatusBar(MsgNewGame);
    game.StatusBar(MsgGameOver);
    game.StatusBar(MsgScores);
    game.StatusBar(MsgTurn);
    game.StatusBar(MsgTurn, true);
    game.StatusBar(MsgWaitClick);
    const std::vector<std::pair<int32_t, std::string>> expected{{1, ""},
                                                                {1, "Game over !"},
                                                                {2, "0 pairs formed out of 25"},
                                                                {1, "Single player game."},
                                                                {1, "Single player game."},
                                                                {1, "Waiting for click !"}};
    EXPECT_EQ(rig.events.status, expected);
}

TEST(StatusTexts, TwoPlayersNamesComeFromTheSettingsAtEveryCall) {
    GameRig rig;
    rig.SetNames("Ann", "Bob");
    clsGame& game = rig.Deal(GameTwoPlayers);
    game.StatusBar(MsgNewGame);
    EXPECT_EQ(rig.events.LastText(1), "Starting a new game...");
    game.StatusBar(MsgScores);
    EXPECT_EQ(rig.events.LastText(2), "Ann : 0 pairs / Bob : 0 pairs");
    game.StatusBar(MsgTurn);
    EXPECT_EQ(rig.events.LastText(1), "Ann's turn to play.");
    game.StatusBar(MsgTurn, true);
    EXPECT_EQ(rig.events.LastText(1), "Ann plays again.");
    rig.SetNames("Carla", "Dan");
    game.StatusBar(MsgScores);
    EXPECT_EQ(rig.events.LastText(2), "Carla : 0 pairs / Dan : 0 pairs");
    game.StatusBar(MsgWaitClick);
    EXPECT_EQ(rig.events.LastText(1), "Waiting for click !");
    EXPECT_TRUE(rig.chat.lines.empty());
}

TEST(StatusTexts, EmptyNamesGiveEmptyNames) {
    GameRig rig;
    clsGame& game = rig.Deal(GameTwoPlayers);
    game.StatusBar(MsgScores);
    EXPECT_EQ(rig.events.LastText(2), " : 0 pairs /  : 0 pairs");
}

TEST(StatusTexts, VersusComputerNamesTheComputer) {
    GameRig rig;
    rig.SetNames("Ann", "Bob");
    rig.SetAIMemory(100);
    clsGame& game = rig.Deal(GameVsComputer);
    game.StatusBar(MsgNewGame);
    EXPECT_EQ(rig.events.LastText(1), "Starting a new game...");
    game.StatusBar(MsgScores);
    EXPECT_EQ(rig.events.LastText(2), "Ann : 0 pairs / Computer : 0 pairs");
    game.StatusBar(MsgTurn);
    EXPECT_EQ(rig.events.LastText(1), "Ann's turn to play.");
}

TEST(StatusTexts, ComputerTurnText) {
    GameRig rig;
    rig.SetNames("Ann", "Bob");
    rig.SetAIMemory(100);
    rig.Deal(GameVsComputer);
    rig.FinishTurnsAtOnce();
    rig.random.PushIndex(0, 2);
    rig.game->Game_StartCheck();
    rig.Play({0, 0}, {0, 2});
    // The computer's turn: its status text comes before it moves.
    bool bSeen = false;
    for (const auto& [lPanel, sText] : rig.events.status)
        if (lPanel == 1 && sText == "Computer's turn to play.") bSeen = true;
    EXPECT_TRUE(bSeen);
}

TEST(StatusTexts, NetworkNamesAndTheChatLine) {
    GameRig rig;
    rig.settings.SaveSetting(SettingPlayerLanName, std::string("Lanny"));
    rig.lan.sOpponent = "Remote";
    clsGame& game = rig.Deal(GameNetwork);
    game.StatusBar(MsgNewGame);
    EXPECT_EQ(rig.events.LastText(1), "Starting a new game...");
    ASSERT_EQ(rig.chat.lines.size(), 1u);
    EXPECT_EQ(rig.chat.lines[0], "Starting a new game...");
    game.StatusBar(MsgScores);
    EXPECT_EQ(rig.events.LastText(2), "Lanny : 0 pairs / Remote : 0 pairs");
    game.StatusBar(MsgTurn);
    EXPECT_EQ(rig.events.LastText(1), "Lanny's turn to play.");
    rig.lan.sOpponent = "Other";
    game.StatusBar(MsgScores);
    EXPECT_EQ(rig.events.LastText(2), "Lanny : 0 pairs / Other : 0 pairs");
    EXPECT_EQ(rig.chat.lines.size(), 1u) << "only the new-game text goes to the chat";
}

TEST(StatusTexts, LanNameFollowsPlayer1NameUntilWritten) {
    GameRig rig;
    rig.SetNames("Ann", "Bob");
    clsGame& game = rig.Deal(GameNetwork);
    game.StatusBar(MsgScores);
    EXPECT_EQ(rig.events.LastText(2), "Ann : 0 pairs / Peer : 0 pairs");
}

TEST(StatusTexts, ComputerAloneRaisesNoTurnText) {
    GameRig rig;
    rig.SetNames("Ann", "Bob");
    clsGame& game = rig.Deal(GameComputerAlone);
    game.StatusBar(MsgNewGame);
    EXPECT_EQ(rig.events.LastText(1), "Computer playing alone...");
    const size_t before = rig.events.status.size();
    game.StatusBar(MsgTurn);
    game.StatusBar(MsgTurn, true);
    EXPECT_EQ(rig.events.status.size(), before) << "a kind-4 request in type 4 raises nothing";
    game.StatusBar(MsgScores);
    EXPECT_EQ(rig.events.LastText(2), "0 pairs formed out of 25");
    game.StatusBar(MsgGameOver);
    EXPECT_EQ(rig.events.LastText(1), "Game over !");
    game.StatusBar(MsgWaitClick);
    EXPECT_EQ(rig.events.LastText(1), "Waiting for click !");
}

TEST(StatusTexts, UnknownKindRaisesNothing) {
    GameRig rig;
    clsGame& game = rig.Deal(GameTwoPlayers);
    game.StatusBar(2);
    game.StatusBar(5);
    game.StatusBar(7);
    EXPECT_TRUE(rig.events.status.empty());
    EXPECT_TRUE(rig.reporter.errors.empty());
}

// ------------------------------------------------------------------------------------------
// Network game: who begins, reveal messages

TEST(NetworkTurns, HostSendsYouStartExactlyWhenItDraws2) {
    {
        GameRig rig;
        rig.lan.bHost = true;
        rig.Deal(GameNetwork);
        rig.lan.sent.clear();
        rig.random.PushIndex(1, 2);
        rig.game->Game_StartCheck();
        EXPECT_EQ(rig.game->Player(), 2);
        EXPECT_EQ(rig.lan.sent, std::vector<std::string>{"+YOU_START"});
        EXPECT_FALSE(rig.game->IsHumanTurn());
    }
    {
        GameRig rig;
        rig.lan.bHost = true;
        rig.Deal(GameNetwork);
        rig.lan.sent.clear();
        rig.random.PushIndex(0, 2);
        rig.game->Game_StartCheck();
        EXPECT_EQ(rig.game->Player(), 1);
        EXPECT_TRUE(rig.lan.sent.empty());
        EXPECT_TRUE(rig.game->IsHumanTurn());
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
    EXPECT_EQ(s[s.size() - 2], (std::pair<int32_t, std::string>{1, "Ann's turn to play."}));
    EXPECT_EQ(s.back(), (std::pair<int32_t, std::string>{2, "Ann : 0 pairs / Hosty : 0 pairs"}));
}

TEST(NetworkTurns, RevealIsSentOnlyForLocalMoves) {
    GameRig rig;
    rig.lan.bHost = true;
    rig.Deal(GameNetwork);
    rig.FinishTurnsAtOnce();
    rig.random.PushIndex(0, 2);
    rig.game->Game_StartCheck();
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
}

TEST(NetworkTurns, NetworkWinTextGoesToTheStatus) {
    GameRig rig;
    rig.settings.SaveSetting(SettingPlayerLanName, std::string("Lanny"));
    rig.lan.bHost = true;
    rig.Deal(GameNetwork);
    rig.FinishTurnsAtOnce();
    rig.random.PushIndex(0, 2);
    rig.game->Game_StartCheck();
    for (int32_t k = 0; k < 25; ++k) rig.Play(At(2 * k), At(2 * k + 1));
    EXPECT_EQ(rig.events.LastText(1), "Lanny wins !");
    EXPECT_EQ(rig.game->PlayerProfile().Games_Won(), 1);
    EXPECT_EQ(SavedRecord(rig, ProfilePlayer).Games_Won, 1);
    EXPECT_EQ(SavedRecord(rig, ProfileComputer).Games_Won +
                  SavedRecord(rig, ProfileComputer).Games_Lost +
                  SavedRecord(rig, ProfileComputer).Games_Null,
              0);
}

// ------------------------------------------------------------------------------------------
// Games with the computer

TEST(VersusComputer, ComputerDrawingTheFirstTurnMovesAtOnceAndAgainAfterAPair) {
    GameRig rig;
    rig.SetNames("Ann", "Bob");
    rig.SetAIMemory(100);  // no forgetting draws
    rig.Deal(GameVsComputer);
    rig.FinishTurnsAtOnce();
    rig.random.PushIndex(1, 2);   // the computer begins
    rig.random.PushIndex(0, 50);  // first card: entry 1 of 50, (0,0), identity 0
    rig.random.PushIndex(1, 50);  // second card: entry 2, (0,1), identity 0: a pair
    rig.random.PushIndex(0, 48);  // again: entry 1 of 48, (0,2), identity 1
    rig.random.PushIndex(5, 48);  // entry 6 of 48, (1,2), identity 3: a miss
    rig.game->Game_StartCheck();
    EXPECT_EQ(rig.random.Pending(), 0u);
    EXPECT_EQ(rig.random.Draws(), 5);
    ASSERT_EQ(rig.events.hides.size(), 2u);
    const HideCardsCall& first = rig.events.hides[0];
    EXPECT_EQ(std::vector<int32_t>({first.lX2, first.lY2, first.lX1, first.lY1}),
              std::vector<int32_t>({0, 0, 0, 1}));
    EXPECT_TRUE(first.bPairWasCreated);
    const HideCardsCall& second = rig.events.hides[1];
    EXPECT_EQ(std::vector<int32_t>({second.lX2, second.lY2, second.lX1, second.lY1}),
              std::vector<int32_t>({0, 2, 1, 2}));
    EXPECT_FALSE(second.bPairWasCreated);
    EXPECT_EQ(rig.game->Score(2), 1);
    EXPECT_EQ(rig.game->Player(), 1);
    EXPECT_TRUE(rig.game->IsHumanTurn());
    EXPECT_EQ(rig.game->Memory().size(), 48u);
    // The computer pauses g_lRevealTime div 5 after each of its first cards.
    EXPECT_EQ(rig.host.pauses, (std::vector<int32_t>{300, 300}));
    // Its reveals were classified in its own profile, not the player's.
    EXPECT_EQ(rig.game->ComputerProfile().Current().Pairs[PairWildGuess], 1);
    EXPECT_EQ(rig.game->ComputerProfile().Current().Pairs[PairMissed], 1);
    EXPECT_EQ(rig.game->PlayerProfile().Current().Pairs[PairWildGuess], 0);
    EXPECT_EQ(rig.game->PlayerProfile().Current().Pairs[PairMissed], 0);
    EXPECT_EQ(rig.events.LastText(1), "Ann's turn to play.");
    EXPECT_EQ(rig.events.LastText(2), "Ann : 0 pairs / Computer : 1 pairs");
}

TEST(VersusComputer, ComputerPauseFollowsTheRevealTime) {
    GameRig rig;
    rig.SetAIMemory(100);
    rig.values.g_lRevealTime = 1234;
    rig.Deal(GameVsComputer);
    rig.FinishTurnsAtOnce();
    rig.random.PushIndex(0, 2);
    rig.game->Game_StartCheck();
    rig.Play({0, 0}, {0, 2});  // the person misses; the computer plays
    ASSERT_FALSE(rig.host.pauses.empty());
    EXPECT_EQ(rig.host.pauses[0], 246);
}

TEST(VersusComputer, PeoplesRevealsFeedTheComputersMemory) {
    GameRig rig;
    rig.SetAIMemory(100);
    clsGame& game = rig.Deal(GameVsComputer);
    rig.random.PushIndex(0, 2);
    game.Game_StartCheck();
    game.Card_Flip(0, 3);
    EXPECT_EQ(game.RevealClock(), 1);
    EXPECT_EQ(game.Memory()[3].lTimesSeen, 1);
    EXPECT_EQ(game.Memory()[3].lLastSeen, 1);
    game.Card_Flip(1, 0);
    EXPECT_EQ(game.RevealClock(), 2);
    EXPECT_EQ(game.Memory()[5].lTimesSeen, 1);
    EXPECT_EQ(game.Memory()[5].lLastSeen, 2);
    // A person's reveal is classified in the player's profile.
    EXPECT_EQ(game.PlayerProfile().Current().Pairs[PairMissed], 1);
    EXPECT_EQ(game.ComputerProfile().Current().Pairs[PairMissed], 0);
}

TEST(VersusComputer, PairLeavesTheMemory) {
    GameRig rig;
    clsGame& game = rig.Deal(GameVsComputer);
    rig.random.PushIndex(0, 2);
    game.Game_StartCheck();
    game.Card_Flip(1, 1);  // identity 3 (position 6)
    game.Card_Flip(1, 2);  // identity 3 (position 7)
    ASSERT_EQ(game.Memory().size(), 48u);
    for (const clsCard& c : game.Memory()) EXPECT_NE(c.lId, 3);
    EXPECT_EQ(game.Memory()[5].lX, 1);
    EXPECT_EQ(game.Memory()[5].lY, 0);
    EXPECT_EQ(game.Memory()[6].lX, 1);
    EXPECT_EQ(game.Memory()[6].lY, 3);
    EXPECT_EQ(game.RevealClock(), 2);
}

TEST(VersusComputer, RevealClockStaysStillWithoutTheComputer) {
    GameRig rig;
    clsGame& game = rig.Deal(GameTwoPlayers);
    game.Card_Flip(0, 0);
    EXPECT_EQ(game.RevealClock(), 0);
    EXPECT_TRUE(game.Memory().empty());
}

// ------------------------------------------------------------------------------------------
// End of the game and the profiles

TEST(EndOfGame, SoloGameCountsANullGameAndWildGuesses) {
    GameRig rig;
    rig.Deal(GameSolo);
    rig.FinishTurnsAtOnce();
    rig.game->Game_StartCheck();
    for (int32_t k = 0; k < 25; ++k) {
        EXPECT_EQ(rig.game->Game_CheckWin(), 0);
        rig.Play(At(2 * k), At(2 * k + 1));
    }
    clsGame& game = *rig.game;
    EXPECT_EQ(game.Game_CheckWin(), 1);
    EXPECT_EQ(rig.events.LastText(2), "25 pairs formed out of 25");
    EXPECT_EQ(rig.events.LastText(1), "Game over !");
    ASSERT_EQ(rig.events.gameEnds, std::vector<bool>{true});
    EXPECT_TRUE(rig.host.bKillGameTimer);
    const ProfileRecord player = SavedRecord(rig, ProfilePlayer);
    EXPECT_EQ(player.Games_Null, 1);
    EXPECT_EQ(player.Games_Won, 0);
    EXPECT_EQ(player.Games_Lost, 0);
    EXPECT_EQ(player.Pairs[PairWildGuess], 25);
    EXPECT_EQ(player.Pairs[PairMissed], 0);
    EXPECT_EQ(SavedRecord(rig, ProfileComputer), ProfileRecord{}) << "no computer in type 0";
    EXPECT_TRUE(rig.reporter.errors.empty());
}

TEST(EndOfGame, SoloGameClassifiesEveryPairCategory) {
    GameRig rig;
    rig.Deal(GameSolo);
    rig.FinishTurnsAtOnce();
    rig.game->Game_StartCheck();
    rig.Play(At(0), At(2));   // miss: 0 and 2 seen
    rig.Play(At(0), At(1));   // first seen before: category 3
    rig.Play(At(3), At(2));   // second seen before: category 2
    rig.Play(At(4), At(6));   // miss
    rig.Play(At(4), At(5));   // category 3
    rig.Play(At(6), At(7));   // category 3
    rig.Play(At(8), At(10));  // miss: 8 and 10 seen
    rig.Play(At(9), At(11));  // miss: 9 and 11 seen
    rig.Play(At(8), At(9));   // both seen before: category 1
    const ProfileRecord& r = rig.game->PlayerProfile().Current();
    EXPECT_EQ(r.Pairs[PairMissed], 4);
    EXPECT_EQ(r.Pairs[PairBothSeen], 1);
    EXPECT_EQ(r.Pairs[PairSecondSeen], 1);
    EXPECT_EQ(r.Pairs[PairFirstSeen], 3);
    EXPECT_EQ(r.Pairs[PairWildGuess], 0);
}

TEST(EndOfGame, ComputerAloneCountsANullGameForTheComputer) {
    GameRig rig(7);
    rig.SetAIMemory(60);
    rig.Deal(GameComputerAlone, false);
    const WholeGameResult result = PlayWholeGame(rig, 1);
    EXPECT_TRUE(result.faults.empty()) << result.faults.front();
    EXPECT_EQ(result.lHumanTurns, 0);
    ASSERT_TRUE(rig.Ended());
    const ProfileRecord computer = SavedRecord(rig, ProfileComputer);
    EXPECT_EQ(computer.Games_Null, 1);
    EXPECT_EQ(computer.Games_Won + computer.Games_Lost, 0);
    EXPECT_EQ(computer.Average_AI, 60.0);
    EXPECT_EQ(SavedRecord(rig, ProfileComputer, true).Games_Null, 1) << "extended record, level 60";
    EXPECT_EQ(SavedRecord(rig, ProfilePlayer), ProfileRecord{}) << "no player in type 4";
    EXPECT_EQ(rig.events.LastText(1), "Game over !");
    EXPECT_EQ(rig.events.LastText(2), "25 pairs formed out of 25");
    for (const auto& [lPanel, sText] : rig.events.status)
        EXPECT_EQ(sText.find("turn to play"), std::string::npos) << sText;
}

TEST(EndOfGame, PersonBeatingTheComputer) {
    GameRig rig;
    rig.SetAIMemory(100);
    rig.Deal(GameVsComputer);
    rig.FinishTurnsAtOnce();
    rig.random.PushIndex(0, 2);
    rig.game->Game_StartCheck();
    for (int32_t k = 0; k < 25; ++k) rig.Play(At(2 * k), At(2 * k + 1));
    ASSERT_TRUE(rig.Ended());
    EXPECT_EQ(rig.game->Game_CheckWin(), 1);
    EXPECT_EQ(SavedRecord(rig, ProfilePlayer).Games_Won, 1);
    EXPECT_EQ(SavedRecord(rig, ProfilePlayer).Games_Lost, 0);
    EXPECT_EQ(SavedRecord(rig, ProfileComputer).Games_Lost, 1);
    EXPECT_EQ(SavedRecord(rig, ProfileComputer).Games_Won, 0);
    EXPECT_EQ(SavedRecord(rig, ProfileComputer, true).Games_Lost, 1);
    EXPECT_EQ(SavedRecord(rig, ProfileComputer).Average_AI, 100.0);
    EXPECT_EQ(rig.events.LastText(1), " wins !");
}

TEST(EndOfGame, ComputerBeatingThePerson) {
    GameRig rig(3);
    rig.SetNames("Ann", "Bob");
    rig.SetAIMemory(100);
    rig.Deal(GameVsComputer, false);
    rig.FinishTurnsAtOnce();
    rig.random.PushIndex(0, 2);
    rig.game->Game_StartCheck();
    // The person misses whenever two unpaired cards of different identities are left.
    int32_t lGuard = 0;
    while (!rig.Ended() && ++lGuard < 1000) {
        ASSERT_TRUE(rig.game->IsHumanTurn());
        const std::vector<CardPos> free = rig.Unpaired();
        ASSERT_GE(free.size(), 2u);
        CardPos b = free[1];
        for (const CardPos& p : free)
            if (rig.game->Cell(p.lX, p.lY).lId != rig.game->Cell(free[0].lX, free[0].lY).lId) b = p;
        rig.Play(free[0], b);
    }
    ASSERT_TRUE(rig.Ended());
    EXPECT_EQ(rig.game->Game_CheckWin(), 2);
    EXPECT_GE(rig.game->Score(2), 24);
    EXPECT_EQ(SavedRecord(rig, ProfilePlayer).Games_Lost, 1);
    EXPECT_EQ(SavedRecord(rig, ProfileComputer).Games_Won, 1);
    EXPECT_EQ(SavedRecord(rig, ProfileComputer, true).Games_Won, 1);
    EXPECT_EQ(rig.events.LastText(1), "Computer wins !");
    EXPECT_TRUE(rig.reporter.errors.empty());
}

// ------------------------------------------------------------------------------------------
// Playing time

TEST(PlayingTime, ExcludesAPausedDialog) {
    GameRig rig;
    rig.Deal(GameSolo);
    rig.FinishTurnsAtOnce();
    rig.host.lTick = 50000;
    rig.game->Game_StartCheck();
    rig.host.lTick += 5000;
    rig.game->Game_TimersPause();  // a dialog opens
    EXPECT_EQ(rig.game->PlayTime(), 5000);
    rig.host.lTick += 100000;
    rig.game->Game_TimersRestart();  // and closes
    rig.host.lTick += 2000;
    for (int32_t k = 0; k < 25; ++k) rig.Play(At(2 * k), At(2 * k + 1));
    ASSERT_TRUE(rig.Ended());
    EXPECT_EQ(rig.game->PlayTime(), 7000);
    EXPECT_EQ(SavedRecord(rig, ProfilePlayer).Average_Time, 7000.0);
}

TEST(PlayingTime, SurvivesTickCounterWraparound) {
    GameRig rig;
    rig.Deal(GameSolo);
    rig.FinishTurnsAtOnce();
    rig.host.lTick = 0xFFFFFF00u;
    rig.game->Game_StartCheck();
    rig.host.lTick += 0x300u;  // wraps to 0x200
    ASSERT_EQ(rig.host.lTick, 0x200u);
    rig.game->Game_TimersPause();
    EXPECT_EQ(rig.game->PlayTime(), 0x300);
    rig.host.lTick = 0xFFFFFFF0u;
    rig.game->Game_TimersRestart();
    rig.host.lTick += 0x20u;
    for (int32_t k = 0; k < 25; ++k) rig.Play(At(2 * k), At(2 * k + 1));
    EXPECT_EQ(rig.game->PlayTime(), 0x320);
    EXPECT_EQ(SavedRecord(rig, ProfilePlayer).Average_Time, 800.0);
    EXPECT_TRUE(rig.reporter.errors.empty());
}

TEST(PlayingTime, GameCreateStartsTheClock) {
    GameRig rig;
    rig.host.lTick = 777;
    rig.Deal(GameSolo);
    rig.host.lTick = 1777;
    rig.game->Game_TimersPause();
    EXPECT_EQ(rig.game->PlayTime(), 1000);
}

// ------------------------------------------------------------------------------------------
// Failure handling

TEST(Failures, NetworkGameWithoutTheNetworkDialogIsReportedNotCrashed) {
    GameRig rig;
    rig.values.g_bLanGame = true;
    rig.Make(false);
    rig.game->Game_Create(GameNetwork);
    ASSERT_EQ(rig.reporter.errors.size(), 1u);
    EXPECT_EQ(rig.reporter.errors[0].sProcedure, "clsGame::Game_Create");
    EXPECT_TRUE(rig.reporter.errors[0].bFatal);

    rig.reporter.errors.clear();
    rig.game->Game_StartCheck();
    ASSERT_FALSE(rig.reporter.errors.empty());
    for (const ReportedError& e : rig.reporter.errors) EXPECT_TRUE(e.bFatal);
    // The chat line of the new-game text fails in StatusBar, the start in Game_StartCheck.
    EXPECT_EQ(rig.reporter.errors.front().sProcedure, "clsGame::StatusBar");
    EXPECT_EQ(rig.reporter.errors[1].sProcedure, "clsGame::Game_StartCheck");

    rig.reporter.errors.clear();
    rig.game->Card_Flip(0, 0);
    ASSERT_EQ(rig.reporter.errors.size(), 1u);
    EXPECT_EQ(rig.reporter.errors[0].sProcedure, "clsGame::Card_Flip");
}

TEST(Failures, MissingChatIsReportedByStatusBar) {
    GameRig rig;
    rig.host.bDoNotShuffle = true;
    rig.values.g_bLanGame = true;
    rig.Make(true, false);
    rig.game->Game_Create(GameNetwork);
    rig.game->StatusBar(MsgNewGame);
    ASSERT_EQ(rig.reporter.errors.size(), 1u);
    EXPECT_EQ(rig.reporter.errors[0].sProcedure, "clsGame::StatusBar");
    EXPECT_TRUE(rig.reporter.errors[0].bFatal);
}

TEST(Failures, CardOutsideTheBoardIsReportedByCardFlip) {
    GameRig rig;
    clsGame& game = rig.Deal(GameTwoPlayers);
    game.Card_Flip(10, 0);
    game.Card_Flip(0, -1);
    ASSERT_EQ(rig.reporter.errors.size(), 2u);
    EXPECT_EQ(rig.reporter.errors[0].sProcedure, "clsGame::Card_Flip");
    EXPECT_EQ(rig.reporter.errors[0].lNumber, ErrSubscriptOutOfRange);
    EXPECT_FALSE(game.IsCardFlipped());
    EXPECT_THROW((void)game.Card_IsPaired(0, 5), QuillonError);
}

TEST(Failures, FailingEventHandlerIsReportedByTheOperationThatRaisedIt) {
    GameRig rig;
    clsGame& game = rig.Deal(GameTwoPlayers);
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
    for (int32_t eType : {GameSolo, GameTwoPlayers, GameVsComputer, GameComputerAlone}) {
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
            for (int32_t x = 0; x < kColumns; ++x)
                for (int32_t y = 0; y < kRows; ++y) EXPECT_TRUE(game.Card_IsPaired(x, y));
            EXPECT_TRUE(game.Memory().empty());
            EXPECT_TRUE(rig.reporter.errors.empty())
                << rig.reporter.errors.front().sProcedure << ": "
                << rig.reporter.errors.front().sDescription;
            if (eType == GameSolo || eType == GameComputerAlone) {
                EXPECT_EQ(game.Score(2), 0);
            }
            if (eType == GameComputerAlone) {
                EXPECT_EQ(result.lHumanTurns, 0);
            }
            // A turn ends in HideCards: 25 pairs plus the misses.
            EXPECT_GE(result.lTurns, 25);
        }
    }
}

}  // namespace
}  // namespace quillon::test
