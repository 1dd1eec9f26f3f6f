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

TEST(DeckMessage, RefusesAnythingButFiftyIdentitiesEachTwice) {
    const std::string tail = kReversed.substr(3);  // positions 1 to 49, without one 24
    constexpr int32_t kRange = ErrSubscriptOutOfRange, kType = ErrTypeMismatch;
    // clang-format off
    const std::pair<std::string, int32_t> bad[] = {
        {tail, kRange}, {kReversed + ";0", kRange}, {kReversed + ";", kRange}, {"", kType},
        {";" + tail, kType}, {tail + ";", kType}, {"x;" + tail, kType}, {"-1;" + tail, kType},
        {" 24;" + tail, kType}, {"0.5;" + tail, kType}, {"99999999999;" + tail, kType},
        {"25;" + tail, ErrInvalidCall}, {"23;" + tail, ErrInvalidCall}};  // 23 three times
    // clang-format on
    for (const auto& [sDeck, lNumber] : bad) {
        try {
            (void)ParseDeck(sDeck);
            ADD_FAILURE() << sDeck << ": accepted";
        } catch (const QuillonError& e) {
            EXPECT_EQ(e.Number(), lNumber) << sDeck << ": " << e.what();
        }
    }
}

// Players 1 and 2 are Ann and Bob (7 and 5 pairs unless said). No panel: no text at all.
TEST(StatusText, EveryKindInEveryTypeWithItsWordsPanelAndWinner) {
    const struct {
        GameType eType;
        int32_t eMsg, lPlayer;
        bool bPaired;
        std::array<int32_t, 2> lScore;
        int32_t lPanel;
        const char* sText;
    } cases[] = {
        // clang-format off
        {GameSolo, MsgNewGame, 1, false, {7, 5}, 1, ""},
        {GameSolo, MsgGameOver, 1, false, {7, 5}, 1, "Game over !"},
        {GameSolo, MsgScores, 1, false, {7, 5}, 2, "7 pairs formed out of 25"},
        {GameSolo, MsgTurn, 1, true, {7, 5}, 1, "Single player game."},
        {GameTwoPlayers, MsgNewGame, 1, false, {7, 5}, 1, "Starting a new game..."},
        {GameTwoPlayers, MsgScores, 2, false, {7, 5}, 2, "Ann : 7 pairs / Bob : 5 pairs"},
        {GameTwoPlayers, MsgTurn, 2, false, {7, 5}, 1, "Bob's turn to play."},
        {GameTwoPlayers, MsgTurn, 1, true, {7, 5}, 1, "Ann plays again."},
        {GameTwoPlayers, MsgWaitClick, 2, true, {7, 5}, 1, "Waiting for click !"},
        {GameTwoPlayers, MsgGameOver, 1, false, {13, 12}, 1, "Ann wins !"},
        {GameTwoPlayers, MsgGameOver, 1, false, {12, 13}, 1, "Bob wins !"},
        {GameTwoPlayers, 2, 1, false, {7, 5}, 0, ""}, {GameTwoPlayers, 5, 1, false, {7, 5}, 0, ""},
        {GameVsComputer, MsgScores, 1, false, {7, 5}, 2, "Ann : 7 pairs / Computer : 5 pairs"},
        {GameVsComputer, MsgTurn, 2, true, {7, 5}, 1, "Computer plays again."},
        {GameVsComputer, MsgTurn, 2, false, {7, 5}, 1, "Computer's turn to play."},
        {GameVsComputer, MsgGameOver, 1, false, {0, 25}, 1, "Computer wins !"},
        {GameNetwork, MsgTurn, 2, true, {7, 5}, 1, "Bob plays again."},
        {GameNetwork, MsgGameOver, 1, false, {14, 10}, 1, "Bob wins !"},  // not over: player 2
        {GameComputerAlone, MsgNewGame, 1, false, {7, 5}, 1, "Computer playing alone..."},
        {GameComputerAlone, MsgScores, 1, false, {7, 5}, 2, "7 pairs formed out of 25"},
        {GameComputerAlone, MsgGameOver, 1, false, {25, 0}, 1, "Game over !"},
        {GameComputerAlone, MsgTurn, 1, false, {7, 5}, 0, ""}};
    // clang-format on
    for (const auto& c : cases) {
        const StatusFacts facts{c.eType, c.lPlayer, c.lScore, {"Ann", "Bob"}};
        const auto line = StatusText(static_cast<StatusMessage>(c.eMsg), facts, c.bPaired);
        EXPECT_EQ(line ? line->lPanel : 0, c.lPanel) << c.sText;
        EXPECT_EQ(line ? line->sText : "", c.sText);
    }
}

}  // namespace
}  // namespace quillon
