// The game model and its rules. The computer opponent is in clsGame_ai.cpp, the card
// drawing in clsGame_draw.cpp.

#include "engine/clsGame.h"

#include <charconv>
#include <cstdint>
#include <string>
#include <utility>

#include "shell/error_report.h"
#include "shell/program_values.h"
#include "shell/random.h"
#include "shell/settings.h"

namespace quillon {

namespace {

constexpr std::string_view kModule = "clsGame::";
constexpr int32_t kErrOverflow = 6;

// Every board position in the order the design walks it: x outer 0..9, y inner 0..4.
template <typename F>
void ForEachPosition(F&& f) {
    for (int32_t x = 0; x < kColumns; ++x)
        for (int32_t y = 0; y < kRows; ++y) f(x, y);
}

void CheckPosition(int32_t lX, int32_t lY) {
    if (lX < 0 || lX >= kColumns || lY < 0 || lY >= kRows)
        throw QuillonError(ErrSubscriptOutOfRange, "Card position (" + std::to_string(lX) + ", " +
                                                       std::to_string(lY) +
                                                       ") is outside the board");
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
    try {
        m_context.values.g_bGameRunning = true;
        m_colMemory.reserve(kCards);
    } catch (...) {
        Report("Class_Initialize");
    }
}

clsGame::~clsGame() {
    try {
        m_context.values.g_bGameRunning = false;
        m_colMemory.clear();
    } catch (...) {
        Report("Class_Terminate");
    }
}

void clsGame::Report(std::string_view sProcedure) {
    // Accepts "Card_Flip" as well as "clsGame::Card_Flip".
    if (sProcedure.starts_with(kModule)) {
        ReportCurrentException(m_context.reporter, sProcedure, true);
    } else {
        std::string sFull(kModule);
        sFull += sProcedure;
        ReportCurrentException(m_context.reporter, sFull, true);
    }
}

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

void clsGame::Game_Create(int32_t eType) {
    try {
        m_eType = eType;
        m_lPlayTime = 0;
        m_lTickStart = m_context.host.TickCount();
        m_bCardUp = false;
        m_lFirstX = -1;
        m_lFirstY = -1;

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
    } catch (...) {
        Report("Game_Create");
    }
}

void clsGame::Game_DeckFill() {
    try {
        int32_t k = 0;
        ForEachPosition([&](int32_t x, int32_t y) {
            m_board[x][y].lId = k / 2;
            ++k;
        });
        m_bDealt = true;
    } catch (...) {
        Report("Game_DeckFill");
    }
}

void clsGame::Game_DeckShuffle() {
    try {
        if (m_context.host.DoNotShuffle()) return;
        IRandom& random = m_context.random;
        for (int32_t lCount = 0; lCount <= 50; ++lCount) {
            const int32_t x1 = GetRandom(random, kColumns);
            const int32_t y1 = GetRandom(random, kRows);
            const int32_t x2 = GetRandom(random, kColumns);
            const int32_t y2 = GetRandom(random, kRows);
            std::swap(m_board[x1][y1], m_board[x2][y2]);
        }
    } catch (...) {
        Report("Game_DeckShuffle");
    }
}

std::string clsGame::DeckMessage() const {
    std::string s = "+DECK=";
    bool bFirst = true;
    ForEachPosition([&](int32_t x, int32_t y) {
        if (!bFirst) s += ';';
        bFirst = false;
        s += std::to_string(m_board[x][y].lId);
    });
    return s;
}

void clsGame::Game_DeckSend() { Lan(m_context.pLan).SendData(DeckMessage()); }

void clsGame::Game_DeckReceive(std::string_view sDeck) {
    // No handler of its own: failures reach the network dialog's handler. The whole message is
    // checked before the board changes, so a bad deal leaves the board as it was.
    INetworkLink& lan = Lan(m_context.pLan);

    std::array<int32_t, kCards> ids{};
    std::array<int32_t, kFaces> counts{};
    size_t lItems = 0;
    size_t pos = 0;
    while (true) {
        const size_t end = sDeck.find(';', pos);
        const std::string_view item =
            sDeck.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
        if (lItems >= static_cast<size_t>(kCards))
            throw QuillonError(ErrSubscriptOutOfRange,
                               "Deck message holds more than " + std::to_string(kCards) + " cards");
        bool bDigits = !item.empty();
        for (char c : item)
            if (c < '0' || c > '9') bDigits = false;
        int32_t lValue = 0;
        if (bDigits) {
            const auto result = std::from_chars(item.data(), item.data() + item.size(), lValue);
            if (result.ec != std::errc() || result.ptr != item.data() + item.size())
                bDigits = false;
        }
        if (!bDigits)
            throw QuillonError(ErrTypeMismatch, "Deck message item " + std::to_string(lItems) +
                                                    " is not a card identity: \"" +
                                                    std::string(item) + "\"");
        if (lValue >= kFaces)
            throw QuillonError(ErrInvalidCall, "Deck message item " + std::to_string(lItems) +
                                                   " holds identity " + std::to_string(lValue) +
                                                   ", outside 0.." + std::to_string(kFaces - 1));
        if (++counts[lValue] > 2)
            throw QuillonError(ErrInvalidCall, "Deck message holds identity " +
                                                   std::to_string(lValue) + " more than twice");
        ids[lItems++] = lValue;
        if (end == std::string_view::npos) break;
        pos = end + 1;
    }
    if (lItems != static_cast<size_t>(kCards))
        throw QuillonError(ErrSubscriptOutOfRange, "Deck message holds " + std::to_string(lItems) +
                                                       " cards instead of " +
                                                       std::to_string(kCards));
    // 50 items, none more than twice among 25 identities: each is there exactly twice.

    size_t k = 0;
    ForEachPosition([&](int32_t x, int32_t y) { m_board[x][y].lId = ids[k++]; });
    m_bDealt = true;
    lan.SendData("+OK");
}

// ---------------------------------------------------------------------------------------------
// The computer's memory

void clsGame::Collection_Populate() {
    try {
        ForEachPosition([&](int32_t x, int32_t y) {
            clsCard card;
            card.lId = m_board[x][y].lId;
            card.lTimesSeen = 0;
            card.lLastSeen = 0;
            card.lX = x;
            card.lY = y;
            m_colMemory.push_back(card);
        });
    } catch (...) {
        Report("Collection_Populate");
    }
}

void clsGame::Collection_Add(int32_t lX, int32_t lY) {
    try {
        if (!Game_HasComputer()) return;
        ++m_lRevealClock;
        for (clsCard& card : m_colMemory) {
            if (card.lX == lX && card.lY == lY) {
                card.lLastSeen = m_lRevealClock;
                ++card.lTimesSeen;
                return;
            }
        }
    } catch (...) {
        Report("Collection_Add");
    }
}

void clsGame::Collection_Remove(int32_t lX, int32_t lY) {
    try {
        if (!Game_HasComputer()) return;
        for (auto it = m_colMemory.begin(); it != m_colMemory.end(); ++it) {
            if (it->lX == lX && it->lY == lY) {
                m_colMemory.erase(it);
                return;
            }
        }
    } catch (...) {
        Report("Collection_Remove");
    }
}

// ---------------------------------------------------------------------------------------------
// A reveal

void clsGame::Card_Flip(int32_t lX, int32_t lY) {
    try {
        CheckPosition(lX, lY);
        Collection_Add(lX, lY);
        Draw_Card_Face(lX, lY);
        ++m_board[lX][lY].lViewed;

        if (m_eType == GameNetwork && m_lPlayer == 1) {
            Lan(m_context.pLan)
                .SendData("+REVEAL{" + std::to_string(lX) + ";" + std::to_string(lY) + "}");
        }

        if (m_bCardUp) {
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
        } else {
            m_lFirstX = lX;
            m_lFirstY = lY;
            m_bCardUp = true;
            if (!IsHumanTurn() && m_eType != GameNetwork)
                m_context.host.Pause(m_context.values.g_lRevealTime / 5);
        }
    } catch (...) {
        Report("Card_Flip");
    }
}

// ---------------------------------------------------------------------------------------------
// Turns and the end of the game

void clsGame::Turn_Reset() {
    m_lFirstX = -1;
    m_lFirstY = -1;
    m_bCardUp = false;
}

void clsGame::Turn_Shift(bool bPair) {
    try {
        Turn_Reset();
        StatusBar(MsgScores);
        switch (m_eType) {
            case GameSolo:
                StatusBar(MsgTurn);
                break;
            case GameTwoPlayers:
            case GameVsComputer:
                if (!bPair) m_lPlayer = (m_lPlayer % 2) + 1;
                StatusBar(MsgTurn, bPair);
                if (!IsHumanTurn()) AI_Search();
                break;
            case GameNetwork:
                if (!bPair) m_lPlayer = (m_lPlayer % 2) + 1;
                StatusBar(MsgTurn, bPair);
                break;
            case GameComputerAlone:
                m_context.host.EnableCompTimer();
                break;
            default:
                break;
        }
    } catch (...) {
        Report("Turn_Shift");
    }
}

void clsGame::Game_StartCheck() {
    try {
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
            default:
                break;
        }
        StatusBar(MsgTurn);
        StatusBar(MsgScores);
    } catch (...) {
        Report("Game_StartCheck");
    }
}

void clsGame::Game_StartPlayer() {
    m_lPlayer = 1;
    StatusBar(MsgTurn);
    StatusBar(MsgScores);
}

int32_t clsGame::Game_CheckWin() {
    try {
        if (m_lScore[0] + m_lScore[1] == kPairs) return m_lScore[0] > m_lScore[1] ? 1 : 2;
    } catch (...) {
        Report("Game_CheckWin");
    }
    return 0;
}

void clsGame::Game_TimersPause() {
    try {
        // 32-bit tick arithmetic: the difference is right across a wraparound of the counter.
        const int32_t lElapsed =
            static_cast<int32_t>(static_cast<uint32_t>(m_context.host.TickCount() - m_lTickStart));
        const int64_t lTotal = int64_t{m_lPlayTime} + lElapsed;
        if (lTotal > INT32_MAX || lTotal < INT32_MIN) throw QuillonError(kErrOverflow, "Overflow");
        m_lPlayTime = static_cast<int32_t>(lTotal);
    } catch (...) {
        Report("Game_TimersPause");
    }
}

void clsGame::Game_TimersRestart() { m_lTickStart = m_context.host.TickCount(); }

void clsGame::Game_Won() {
    try {
        const bool bPlayer = Game_HasPlayerStats();
        const bool bComputer = Game_HasComputer();
        if (bPlayer) {
            Game_TimersPause();
            m_objProfile1.UpdateAverageTime(m_lPlayTime);
        }
        if (bComputer) m_objProfile2.UpdateAverageAI();

        const int32_t lWinner = Game_CheckWin();
        if (lWinner != 1) {
            if (bPlayer) m_objProfile1.Game_WasLost();
            if (bComputer) m_objProfile2.Game_WasWon();
        } else {
            if (bPlayer) {
                if (m_eType == GameSolo)
                    m_objProfile1.Game_WasNull();
                else if (m_eType == GameVsComputer || m_eType == GameNetwork)
                    m_objProfile1.Game_WasWon();
            }
            if (bComputer) {
                if (m_eType == GameComputerAlone)
                    m_objProfile2.Game_WasNull();
                else if (m_eType == GameVsComputer)
                    m_objProfile2.Game_WasLost();
            }
        }

        if (bPlayer) m_objProfile1.Save(ProfilePlayer);
        if (bComputer) m_objProfile2.Save(ProfileComputer);

        StatusBar(MsgScores);
        StatusBar(MsgGameOver);
        m_context.events.GameEnd(true);
        m_context.host.EnableKillGameTimer();
    } catch (...) {
        Report("Game_Won");
    }
}

// ---------------------------------------------------------------------------------------------
// Status texts

std::string clsGame::Player_Name(int32_t lPlayer) const {
    if (m_eType == GameComputerAlone) return "Computer";
    if (m_eType == GameVsComputer && lPlayer != 1) return "Computer";
    if (m_eType == GameNetwork) {
        if (lPlayer == 1) return m_context.settings.GetSettingText(SettingPlayerLanName);
        return Lan(m_context.pLan).OpponentName();
    }
    return m_context.settings.GetSettingText(lPlayer == 1 ? SettingPlayer1Name
                                                          : SettingPlayer2Name);
}

void clsGame::StatusBar(int32_t eMsg, bool bPaired) {
    try {
        int32_t lPanel = 1;
        std::string sMessage;
        switch (eMsg) {
            case MsgNewGame:
                switch (m_eType) {
                    case GameTwoPlayers:
                    case GameVsComputer:
                        sMessage = "Starting a new game...";
                        break;
                    case GameNetwork:
                        sMessage = "Starting a new game...";
                        Chat(m_context.pChat).Message_Add(sMessage);
                        break;
                    case GameComputerAlone:
                        sMessage = "Computer playing alone...";
                        break;
                    default:
                        break;
                }
                break;
            case MsgGameOver:
                if (m_eType == GameSolo || m_eType == GameComputerAlone)
                    sMessage = "Game over !";
                else
                    sMessage = Player_Name(Game_CheckWin()) + " wins !";
                break;
            case MsgScores:
                lPanel = 2;
                if (m_eType == GameSolo || m_eType == GameComputerAlone) {
                    sMessage = std::to_string(m_lScore[0]) + " pairs formed out of " +
                               std::to_string(kPairs);
                } else {
                    sMessage = Player_Name(1) + " : " + std::to_string(m_lScore[0]) + " pairs / " +
                               Player_Name(2) + " : " + std::to_string(m_lScore[1]) + " pairs";
                }
                break;
            case MsgTurn:
                if (m_eType == GameComputerAlone) return;
                if (m_eType == GameSolo)
                    sMessage = "Single player game.";
                else
                    sMessage =
                        Player_Name(m_lPlayer) + (bPaired ? " plays again." : "'s turn to play.");
                break;
            case MsgWaitClick:
                sMessage = "Waiting for click !";
                break;
            default:
                return;  // no other kinds are used
        }
        m_context.events.Status(lPanel, sMessage);
    } catch (...) {
        Report("StatusBar");
    }
}

}  // namespace quillon
