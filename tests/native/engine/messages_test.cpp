// The network's deal message and the status bar's texts in every kind of game.

#include <gtest/gtest.h>

#include <string>

#include "engine/deck.h"
#include "engine/status_texts.h"
#include "shell/error_report.h"

namespace quillon {
namespace {

const std::string kReversed =
    "24;24;23;23;22;22;21;21;20;20;19;19;18;18;17;17;16;16;15;15;14;14;13;13;12;12;"
    "11;11;10;10;9;9;8;8;7;7;6;6;5;5;4;4;3;3;2;2;1;1;0;0";

TEST(DeckMessage, IdentitiesInBoardOrderBothWays) {
    Deck deck{};
    for (int32_t k = 0; k < kCards; ++k) deck[k] = 24 - k / 2;
    EXPECT_EQ(FormatDeck(deck), "+DECK=" + kReversed);
    EXPECT_EQ(ParseDeck(kReversed), deck);
}

TEST(DeckMessage, RefusesAnythingButFiftyIdentitiesEachTwice) {
    const std::string tail = kReversed.substr(3);  // positions 1 to 49, without one 24
    const struct {
        const char* sName;
        std::string sDeck;
        int32_t lNumber;
    } bad[] = {{"empty", "", ErrTypeMismatch},
               {"49 items", tail, ErrSubscriptOutOfRange},
               {"51 items", kReversed + ";0", ErrSubscriptOutOfRange},
               {"trailing separator", kReversed + ";", ErrSubscriptOutOfRange},
               {"trailing separator after 49", tail + ";", ErrTypeMismatch},
               {"leading separator", ";" + tail, ErrTypeMismatch},
               {"not a number", "x;" + tail, ErrTypeMismatch},
               {"a space", " 24;" + tail, ErrTypeMismatch},
               {"negative", "-1;" + tail, ErrTypeMismatch},
               {"a fraction", "0.5;" + tail, ErrTypeMismatch},
               {"beyond 32 bits", "99999999999;" + tail, ErrTypeMismatch},
               {"identity 25", "25;" + tail, ErrInvalidCall},
               {"identity three times", "23;" + tail, ErrInvalidCall}};
    for (const auto& b : bad) {
        try {
            (void)ParseDeck(b.sDeck);
            ADD_FAILURE() << b.sName << ": accepted";
        } catch (const QuillonError& e) {
            EXPECT_EQ(e.Number(), b.lNumber) << b.sName << ": " << e.what();
        }
    }
}

TEST(StatusText, EveryKindInEveryTypeWithItsWordsAndPanel) {
    const struct {
        GameType eType;
        StatusMessage eMsg;
        int32_t lPlayer;
        bool bPaired;
        int32_t lPanel;
        const char* sText;
    } cases[] = {{GameSolo, MsgNewGame, 1, false, 1, ""},
                 {GameSolo, MsgGameOver, 1, false, 1, "Game over !"},
                 {GameSolo, MsgScores, 1, false, 2, "7 pairs formed out of 25"},
                 {GameSolo, MsgTurn, 1, true, 1, "Single player game."},
                 {GameSolo, MsgWaitClick, 1, false, 1, "Waiting for click !"},
                 {GameTwoPlayers, MsgNewGame, 1, false, 1, "Starting a new game..."},
                 {GameTwoPlayers, MsgScores, 2, false, 2, "Ann : 7 pairs / Bob : 5 pairs"},
                 {GameTwoPlayers, MsgTurn, 2, false, 1, "Bob's turn to play."},
                 {GameTwoPlayers, MsgTurn, 1, true, 1, "Ann plays again."},
                 {GameTwoPlayers, MsgWaitClick, 2, true, 1, "Waiting for click !"},
                 {GameVsComputer, MsgNewGame, 1, false, 1, "Starting a new game..."},
                 {GameVsComputer, MsgScores, 1, false, 2, "Ann : 7 pairs / Computer : 5 pairs"},
                 {GameVsComputer, MsgTurn, 2, true, 1, "Computer plays again."},
                 {GameVsComputer, MsgTurn, 2, false, 1, "Computer's turn to play."},
                 {GameNetwork, MsgNewGame, 1, false, 1, "Starting a new game..."},
                 {GameNetwork, MsgScores, 1, false, 2, "Ann : 7 pairs / Bob : 5 pairs"},
                 {GameNetwork, MsgTurn, 2, true, 1, "Bob plays again."},
                 {GameComputerAlone, MsgNewGame, 1, false, 1, "Computer playing alone..."},
                 {GameComputerAlone, MsgGameOver, 1, false, 1, "Game over !"},
                 {GameComputerAlone, MsgScores, 1, false, 2, "7 pairs formed out of 25"},
                 {GameComputerAlone, MsgWaitClick, 1, false, 1, "Waiting for click !"}};
    for (const auto& c : cases) {
        const auto line =
            StatusText(c.eMsg, StatusFacts{c.eType, c.lPlayer, {7, 5}, {"Ann", "Bob"}}, c.bPaired);
        ASSERT_TRUE(line.has_value()) << c.sText;
        EXPECT_EQ(line->lPanel, c.lPanel) << c.sText;
        EXPECT_EQ(line->sText, c.sText);
    }
}

TEST(StatusText, NothingForTheTurnOfTheComputerAloneOrAKindNoGameUses) {
    const StatusFacts facts{GameTwoPlayers, 1, {}, {"Ann", "Bob"}};
    for (int32_t lKind : {2, 5, 7})
        EXPECT_FALSE(StatusText(static_cast<StatusMessage>(lKind), facts, false)) << lKind;
    EXPECT_FALSE(StatusText(MsgTurn, StatusFacts{GameComputerAlone, 1, {}, {}}, false));
}

TEST(StatusText, WinnerHasMorePairsOnceAll25AreFoundOtherwisePlayer2IsNamed) {
    const struct {
        GameType eType;
        std::array<int32_t, 2> lScore;
        int32_t lWinner;
        const char* sText;
    } cases[] = {
        {GameTwoPlayers, {13, 12}, 1, "Ann wins !"},
        {GameTwoPlayers, {12, 13}, 2, "Bob wins !"},
        {GameVsComputer, {25, 0}, 1, "Ann wins !"},
        {GameVsComputer, {0, 25}, 2, "Computer wins !"},
        {GameNetwork, {14, 10}, 2, "Bob wins !"}  // not over yet
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GameWinner(c.lScore), c.lWinner) << c.sText;
        const auto line =
            StatusText(MsgGameOver, StatusFacts{c.eType, 1, c.lScore, {"Ann", "Bob"}}, false);
        ASSERT_TRUE(line.has_value());
        EXPECT_EQ(line->sText, c.sText);
        EXPECT_EQ(line->lPanel, 1);
    }
}

}  // namespace
}  // namespace quillon
