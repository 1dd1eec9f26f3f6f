// The game model and its rules. The computer opponent is in clsGame_ai.cpp, the card
// drawing in clsGame_draw.cpp.

#include "engine/clsGame.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>

#include "engine/deck.h"
#include "network/lan_message.h"
#include "shell/error_report.h"
#include "shell/program_values.h"
#include "shell/random.h"
#include "shell/settings.h"

namespace quillon {

namespace {

// Every board position in the order the design walks it: x outer 0..9, y inner 0..4.
template <typename F>
void ForEachPosition(F&& f) {
    for (int32_t x = 0; x < kColumns; ++x)
        for (int32_t y = 0; y < kRows; ++y) f(x, y);
}

INetworkLink& Lan(INetworkLink* pLan) {
    if (pLan == nullptr) throw QuillonError(ErrInvalidCall, "The network dialog is not loaded");
    return *pLan;
}

IChat& Chat(IChat* pChat) {
    if (pChat == nullptr) throw QuillonError(ErrInvalidCall, "The chat window is not loaded");
    return *pChat;
}

}  // namespace

clsGame::clsGame(const GameContext& context)
    : m_context(context),
      m_objProfile1(ProfileContext{context.profileFile, context.settings, context.reporter, {}}),
      m_objProfile2(ProfileContext{context.profileFile, context.settings, context.reporter, {}}) {
    m_context.values.g_bGameRunning = true;
    m_colMemory.reserve(kCards);
}

clsGame::~clsGame() { m_context.values.g_bGameRunning = false; }

// ---------------------------------------------------------------------------------------------
// Predicates

bool clsGame::IsHumanTurn() const {
    if (m_eType == GameComputerAlone) return false;
    if ((m_eType == GameVsComputer || m_eType == GameNetwork) && m_lPlayer == 2) return false;
    return true;
}

bool clsGame::Game_HasComputer() const {
    return m_eType == GameVsComputer || m_eType == GameComputerAlone;
}

bool clsGame::Game_HasPlayerStats() const {
    return m_eType == GameSolo || m_eType == GameVsComputer || m_eType == GameNetwork;
}

bool clsGame::Card_IsFlipped(int32_t lX, int32_t lY) const {
    return lX == m_lFirstX && lY == m_lFirstY;
}

bool clsGame::Card_IsPaired(int32_t lX, int32_t lY) const {
    CheckPosition(lX, lY);
    return m_board[lX][lY].bPaired;
}

// ---------------------------------------------------------------------------------------------
// Deal

void clsGame::Game_Create(GameType eType) {
    Handled("Game_Create", [&] {
        m_eType = eType;
        m_lPlayTime = 0;
        m_lTickStart = m_context.host.TickCount();
        Turn_Reset();

        if (m_context.values.g_bLanGame) {
            if (Lan(m_context.pLan).IsHost()) {
                Game_DeckFill();
                Game_DeckShuffle();
                Game_DeckSend();
            }
            // The client keeps an empty board until Game_DeckReceive brings the peer's deal.
        } else {
            Game_DeckFill();
            Game_DeckShuffle();
        }

        if (Game_HasComputer()) Collection_Populate();
        if (Game_HasPlayerStats()) m_objProfile1.Load(ProfilePlayer, false);
        if (Game_HasComputer()) m_objProfile2.Load(ProfileComputer, true);
    });
}

void clsGame::Game_DeckFill() {
    int32_t k = 0;
    ForEachPosition([&](int32_t x, int32_t y) { m_board[x][y].lId = k++ / 2; });
    m_bDealt = true;
}

void clsGame::Game_DeckShuffle() {
    if (m_context.host.DoNotShuffle()) return;
    IRandom& random = m_context.random;
    for (int32_t lCount = 0; lCount <= 50; ++lCount) {
        const int32_t x1 = GetRandom(random, kColumns);
        const int32_t y1 = GetRandom(random, kRows);
        const int32_t x2 = GetRandom(random, kColumns);
        const int32_t y2 = GetRandom(random, kRows);
        std::swap(m_board[x1][y1], m_board[x2][y2]);
    }
}

std::string clsGame::DeckMessage() const {
    Deck deck{};
    size_t k = 0;
    ForEachPosition([&](int32_t x, int32_t y) { deck[k++] = m_board[x][y].lId; });
    return FormatDeck(deck);
}

void clsGame::Game_DeckSend() { Lan(m_context.pLan).SendData(DeckMessage()); }

void clsGame::Game_DeckReceive(std::string_view sDeck) {
    // No handler of its own: failures reach the network dialog's handler.
    INetworkLink& lan = Lan(m_context.pLan);
    const Deck deck = ParseDeck(sDeck);
    size_t k = 0;
    ForEachPosition([&](int32_t x, int32_t y) { m_board[x][y].lId = deck[k++]; });
    m_bDealt = true;
    lan.SendData("+OK");
}

// ---------------------------------------------------------------------------------------------
// The computer's memory

void clsGame::Collection_Populate() {
    ForEachPosition([&](int32_t x, int32_t y) {
        m_colMemory.push_back(clsCard{m_board[x][y].lId, 0, 0, x, y});
    });
}

void clsGame::Collection_Add(int32_t lX, int32_t lY) {
    if (!Game_HasComputer()) return;
    ++m_lRevealClock;
    for (clsCard& card : m_colMemory) {
        if (card.lX == lX && card.lY == lY) {
            card.lLastSeen = m_lRevealClock;
            ++card.lTimesSeen;
            return;
        }
    }
}

void clsGame::Collection_Remove(int32_t lX, int32_t lY) {
    if (!Game_HasComputer()) return;
    const auto it = std::find_if(m_colMemory.begin(), m_colMemory.end(), [&](const clsCard& card) {
        return card.lX == lX && card.lY == lY;
    });
    if (it != m_colMemory.end()) m_colMemory.erase(it);
}

// ---------------------------------------------------------------------------------------------
// A reveal

void clsGame::Card_Flip(int32_t lX, int32_t lY) {
    Handled("Card_Flip", [&] {
        CheckPosition(lX, lY);
        Collection_Add(lX, lY);
        Draw_Card_Face(lX, lY);
        ++m_board[lX][lY].lViewed;

        if (m_eType == GameNetwork && m_lPlayer == 1) {
            Lan(m_context.pLan).SendData(LanRevealMessage(lX, lY));
        }

        if (!m_bCardUp) {
            m_lFirstX = lX;
            m_lFirstY = lY;
            m_bCardUp = true;
            if (!IsHumanTurn() && m_eType != GameNetwork)
                m_context.host.Pause(m_context.values.g_lRevealTime / 5);
            return;
        }

        const int32_t lFirstX = m_lFirstX;
        const int32_t lFirstY = m_lFirstY;
        CheckPosition(lFirstX, lFirstY);
        BoardCell& second = m_board[lX][lY];
        BoardCell& first = m_board[lFirstX][lFirstY];
        const bool bPair = second.lId == first.lId;
        if (bPair) {
            second.bPaired = true;
            first.bPaired = true;
            ++m_lScore[m_lPlayer - 1];
            Collection_Remove(lX, lY);
            Collection_Remove(lFirstX, lFirstY);
        }
        if (Game_HasPlayerStats() && IsHumanTurn())
            m_objProfile1.Update(first.lViewed, second.lViewed, bPair);
        if (Game_HasComputer() && !IsHumanTurn())
            m_objProfile2.Update(first.lViewed, second.lViewed, bPair);
        // The board window finishes the turn inside this event; it may start further turns.
        m_context.events.HideCards(true, lX, lY, lFirstX, lFirstY, bPair);
    });
}

// ---------------------------------------------------------------------------------------------
// Turns and the end of the game

void clsGame::Turn_Reset() {
    m_lFirstX = -1;
    m_lFirstY = -1;
    m_bCardUp = false;
}

void clsGame::Turn_Shift(bool bPair) {
    Handled("Turn_Shift", [&] {
        Turn_Reset();
        StatusBar(MsgScores);
        switch (m_eType) {
            case GameSolo:
                StatusBar(MsgTurn);
                break;
            case GameTwoPlayers:
            case GameVsComputer:
            case GameNetwork:
                if (!bPair) m_lPlayer = (m_lPlayer % 2) + 1;
                StatusBar(MsgTurn, bPair);
                // The network peer moves through its own messages.
                if (m_eType != GameNetwork && !IsHumanTurn()) AI_Search();
                break;
            case GameComputerAlone:
                m_context.host.EnableCompTimer();
                break;
        }
    });
}

void clsGame::Game_StartCheck() {
    Handled("Game_StartCheck", [&] {
        m_lPlayTime = 0;
        m_lTickStart = m_context.host.TickCount();
        StatusBar(MsgNewGame);
        switch (m_eType) {
            case GameComputerAlone:
                m_lPlayer = 1;
                m_context.host.EnableCompTimer();
                break;
            case GameNetwork: {
                INetworkLink& lan = Lan(m_context.pLan);
                if (lan.IsHost()) {
                    m_lPlayer = GetRandom(m_context.random, 2) + 1;
                    if (m_lPlayer == 2) lan.SendData("+YOU_START");
                } else {
                    m_lPlayer = 2;
                }
                break;
            }
            case GameSolo:
                m_lPlayer = 1;
                break;
            case GameTwoPlayers:
            case GameVsComputer:
                m_lPlayer = GetRandom(m_context.random, 2) + 1;
                if (m_eType == GameVsComputer && m_lPlayer == 2) AI_Search();
                break;
        }
        StatusBar(MsgTurn);
        StatusBar(MsgScores);
    });
}

void clsGame::Game_StartPlayer() {
    m_lPlayer = 1;
    StatusBar(MsgTurn);
    StatusBar(MsgScores);
}

int32_t clsGame::Game_CheckWin() {
    if (m_lScore[0] + m_lScore[1] != kPairs) return 0;
    return GameWinner(m_lScore);
}

void clsGame::Game_TimersPause() {
    Handled("Game_TimersPause", [&] {
        const int64_t lTotal = int64_t{m_lPlayTime} + ElapsedTicks(m_lTickStart);
        if (lTotal > INT32_MAX || lTotal < INT32_MIN) throw QuillonError(ErrOverflow, "Overflow");
        m_lPlayTime = static_cast<int32_t>(lTotal);
    });
}

void clsGame::Game_TimersRestart() { m_lTickStart = m_context.host.TickCount(); }

int32_t clsGame::ElapsedTicks(uint32_t lStart) const {
    // 32-bit tick arithmetic: the difference is right across a wraparound of the counter.
    return static_cast<int32_t>(static_cast<uint32_t>(m_context.host.TickCount() - lStart));
}

void clsGame::Game_Won() {
    Handled("Game_Won", [&] {
        const bool bPlayer = Game_HasPlayerStats();
        const bool bComputer = Game_HasComputer();
        if (bPlayer) {
            Game_TimersPause();
            m_objProfile1.UpdateAverageTime(m_lPlayTime);
        }
        if (bComputer) m_objProfile2.UpdateAverageAI();

        // Solo and the computer alone end with all pairs to player 1: a null game.
        const bool bFirstWins = Game_CheckWin() == 1;
        if (bPlayer) {
            if (!bFirstWins)
                m_objProfile1.Game_WasLost();
            else if (m_eType == GameSolo)
                m_objProfile1.Game_WasNull();
            else
                m_objProfile1.Game_WasWon();
        }
        if (bComputer) {
            if (!bFirstWins)
                m_objProfile2.Game_WasWon();
            else if (m_eType == GameComputerAlone)
                m_objProfile2.Game_WasNull();
            else
                m_objProfile2.Game_WasLost();
        }

        if (bPlayer) m_objProfile1.Save(ProfilePlayer);
        if (bComputer) m_objProfile2.Save(ProfileComputer);

        StatusBar(MsgScores);
        StatusBar(MsgGameOver);
        m_context.events.GameEnd(true);
        m_context.host.EnableKillGameTimer();
    });
}

// ---------------------------------------------------------------------------------------------
// Status texts

std::array<std::string, 2> clsGame::Player_Names() const {
    if (m_eType == GameNetwork) {
        const INetworkLink& lan = Lan(m_context.pLan);
        return {lan.LocalName(), lan.OpponentName()};
    }
    return {m_context.settings.GetSettingText(SettingPlayer1Name),
            m_context.settings.GetSettingText(SettingPlayer2Name)};
}

void clsGame::StatusBar(StatusMessage eMsg, bool bPaired) {
    Handled("StatusBar", [&] {
        StatusFacts facts{m_eType, m_lPlayer, m_lScore, {}};
        // Only the texts that name someone read the names (a network game's from the peer).
        const bool bNamed = m_eType != GameSolo && m_eType != GameComputerAlone &&
                            eMsg != MsgNewGame && eMsg != MsgWaitClick;
        if (bNamed) facts.sNames = Player_Names();
        const std::optional<StatusLine> line = StatusText(eMsg, facts, bPaired);
        if (!line) return;
        // The chat keeps a network game's opening and, once all pairs are found, its result.
        const bool bChat = eMsg == MsgNewGame || eMsg == MsgGameOver ||
                           (eMsg == MsgScores && Game_CheckWin() != 0);
        if (bChat && m_eType == GameNetwork) Chat(m_context.pChat).Message_Add(line->sText);
        m_context.events.Status(line->lPanel, line->sText);
    });
}

}  // namespace quillon
