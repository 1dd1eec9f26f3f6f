#pragma once
// What the program shows that the driver looks for: menu captions, status texts, message
// boxes and window titles, written out as a player reads them.

#include <string>

namespace quillon::e2e::text {

inline const std::wstring kFile = L"&File";
inline const std::wstring kNewGame = L"&New Game\tCtrl+N";
inline const std::wstring kAbandon = L"&Abandon Game";
inline const std::wstring kSettings = L"&Settings";
inline const std::wstring kQuit = L"&Quit";
inline const std::wstring kView = L"&View";
inline const std::wstring kSizes[] = {L"&100 %", L"1&50 %", L"&200 %"};
inline const std::wstring kTools = L"&Tools";
inline const std::wstring kStatistics = L"Statistics...";
inline const std::wstring kOptions = L"&Options...";
inline const std::wstring kDebug = L"&Debug";
inline const std::wstring kNoShuffle = L"Do not shuffle deck";
// The game types of File > Settings, in the order the program numbers them.
inline const std::wstring kGameTypes[] = {
    L"1 Player\tCtrl+F1", L"2 Player\tCtrl+F2", L"1 Player vs Computer\tCtrl+F3",
    L"2 Player (via Internet)\tCtrl+F4", L"Computer alone\tCtrl+F5"};
enum GameType { OnePlayer, TwoPlayers, VsComputer, Network, ComputerAlone };

inline const std::wstring kSingle = L"Single player game.";
inline const std::wstring kWaiting = L"Waiting for click !";
inline const std::wstring kGameOver = L"Game over !";
inline const std::wstring kComputerPlaying = L"Computer playing alone...";
inline std::wstring Pairs(int n = 25) { return std::to_wstring(n) + L" pairs formed out of 25"; }
inline std::wstring Turn(const std::wstring& name) { return name + L"'s turn to play."; }
inline std::wstring Again(const std::wstring& name) { return name + L" plays again."; }
inline std::wstring Wins(const std::wstring& name) { return name + L" wins !"; }
inline std::wstring Score(const std::wstring& name1, int score1, const std::wstring& name2,
                          int score2) {
    return name1 + L" : " + std::to_wstring(score1) + L" pairs / " + name2 + L" : " +
           std::to_wstring(score2) + L" pairs";
}

inline const std::wstring kAbandonTitle = L"Abandon ?";
inline const std::wstring kAbandonQuestion = L"Are you sure you wish to abandon this game ?";
inline const std::wstring kAutorunTitle = L"Quillon";
inline const std::wstring kAutorunQuestion = L"Are you sure you wish to set Quillon in Autorun ?";
inline const std::wstring kAutorunCaption = L" [Autorun Mode]";
inline const std::wstring kClearTitle = L"Clear ?";
inline const std::wstring kClearQuestion = L"Are you sure ?";
inline const std::wstring kErrorTitle = L"Error n";  // followed by the number
inline const std::wstring kOptionsTitle = L"Options";
inline const std::wstring kStatisticsTitle = L"Statistics";
inline const std::wstring kStartingNewGame = L"Starting a new game...";
inline const std::wstring kNetworkTitle = L"Start Internet Play";
inline const std::wstring kAcceptTitle = L"Accept game ?";
inline const std::wstring kAcceptQuestion = L"Do you wish to play against ";  // name (address) ?
inline const std::wstring kAcceptedTitle = L"Accepted";
inline const std::wstring kAccepted = L"Game was accepted.";
inline const std::wstring kDisconnectedTitle = L"Disconnected";
inline const std::wstring kDisconnected = L"Player disconnected.";
inline const std::wstring kChatTitle = L"Chat";
inline const std::wstring kInvalidMove = L"The other player sent an invalid move.";
inline const std::wstring kTooLong = L"The other player sent a message that is too long.";
inline const std::wstring kConnectionLost = L"Connection seems to have been lost.";

}  // namespace quillon::e2e::text
