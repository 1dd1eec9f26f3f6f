#pragma once
// The kinds of game and the texts of the board's status bar.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace quillon {

enum GameType : int32_t {
    GameSolo = 0,
    GameTwoPlayers = 1,
    GameVsComputer = 2,
    GameNetwork = 3,
    GameComputerAlone = 4,
};

enum StatusMessage : int32_t {
    MsgNewGame = 0,
    MsgGameOver = 1,
    MsgScores = 3,
    MsgTurn = 4,
    MsgWaitClick = 6,
};

// What a status text is made of. sNames are the people's names of players 1 and 2 (in a
// network game the local and the remote name); the computer is named by the rules.
struct StatusFacts {
    GameType eType = GameSolo;
    int32_t lPlayer = 1;
    std::array<int32_t, 2> lScore{};
    std::array<std::string, 2> sNames;
};

struct StatusLine {
    int32_t lPanel;  // 1: messages, 2: scores
    std::string sText;
};

// The winner a game's end names: player 1 with more pairs than player 2 once all 25 pairs are
// found, otherwise player 2.
int32_t GameWinner(const std::array<int32_t, 2>& lScore);

// The text a message shows in a game, or nothing where the game shows none (a turn of the
// computer playing alone, a kind no game uses). bPaired: the player plays again after a pair.
std::optional<StatusLine> StatusText(StatusMessage eMsg, const StatusFacts& facts, bool bPaired);

}  // namespace quillon
