#include "engine/status_texts.h"

#include "engine/card_layout.h"

namespace quillon {

namespace {

std::string PlayerName(const StatusFacts& facts, int32_t lPlayer) {
    if (facts.eType == GameComputerAlone) return "Computer";
    if (facts.eType == GameVsComputer && lPlayer != 1) return "Computer";
    return facts.sNames[lPlayer == 1 ? 0 : 1];
}

bool PlaysAlone(GameType eType) { return eType == GameSolo || eType == GameComputerAlone; }

}  // namespace

int32_t GameWinner(const std::array<int32_t, 2>& lScore) {
    return lScore[0] + lScore[1] == kPairs && lScore[0] > lScore[1] ? 1 : 2;
}

std::optional<StatusLine> StatusText(StatusMessage eMsg, const StatusFacts& facts, bool bPaired) {
    switch (eMsg) {
        case MsgNewGame:
            switch (facts.eType) {
                case GameTwoPlayers:
                case GameVsComputer:
                case GameNetwork:
                    return StatusLine{1, "Starting a new game..."};
                case GameComputerAlone:
                    return StatusLine{1, "Computer playing alone..."};
                default:
                    return StatusLine{1, ""};
            }
        case MsgGameOver:
            if (PlaysAlone(facts.eType)) return StatusLine{1, "Game over !"};
            return StatusLine{1, PlayerName(facts, GameWinner(facts.lScore)) + " wins !"};
        case MsgScores:
            if (PlaysAlone(facts.eType))
                return StatusLine{2, std::to_string(facts.lScore[0]) + " pairs formed out of " +
                                         std::to_string(kPairs)};
            return StatusLine{2, PlayerName(facts, 1) + " : " + std::to_string(facts.lScore[0]) +
                                     " pairs / " + PlayerName(facts, 2) + " : " +
                                     std::to_string(facts.lScore[1]) + " pairs"};
        case MsgTurn:
            if (facts.eType == GameComputerAlone) return std::nullopt;
            if (facts.eType == GameSolo) return StatusLine{1, "Single player game."};
            return StatusLine{1, PlayerName(facts, facts.lPlayer) +
                                     (bPaired ? " plays again." : "'s turn to play.")};
        case MsgWaitClick:
            return StatusLine{1, "Waiting for click !"};
    }
    return std::nullopt;
}

}  // namespace quillon
