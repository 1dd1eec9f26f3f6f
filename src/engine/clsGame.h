#pragma once
// One game of pairs from the deal to the end: board, turns, scores, status texts, the network
// messages, the computer opponent and the drawing of cards.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/card_layout.h"
#include "engine/clsCard.h"
#include "engine/game_host.h"
#include "engine/status_texts.h"
#include "profiles/clsProfiles.h"
#include "shell/error_report.h"

namespace quillon {

class Settings;
class IRandom;
struct ProgramValues;

// Everything a game reaches around it. The references must outlive the game.
struct GameContext {
    const Settings& settings;
    IRandom& random;
    IErrorReporter& reporter;
    ProgramValues& values;
    IBoardHost& host;
    IGameEvents& events;
    IProfileFile& profileFile;
    INetworkLink* pLan = nullptr;  // frmLan, when loaded
    IChat* pChat = nullptr;        // frmChat, when loaded
};

struct BoardCell {
    int32_t lId = 0;
    bool bPaired = false;
    int32_t lViewed = 0;
};

struct CardPos {
    int32_t lX = 0;
    int32_t lY = 0;
    friend bool operator==(const CardPos&, const CardPos&) = default;
};

class clsGame {
  public:
    // Sets g_bGameRunning; the destructor clears it.
    explicit clsGame(const GameContext& context);
    ~clsGame();
    clsGame(const clsGame&) = delete;
    clsGame& operator=(const clsGame&) = delete;

    void AI_Search();
    void Card_Flip(int32_t lX, int32_t lY);
    bool Card_IsFlipped(int32_t lX, int32_t lY) const;
    bool Card_IsPaired(int32_t lX, int32_t lY) const;
    void Draw_All_Backs();
    void Draw_Card_Back(int32_t lX, int32_t lY, bool bCheckIfShape = false);
    void Draw_Card_Flip(int32_t lX, int32_t lY);
    void Draw_Card_Flash(int32_t lX1, int32_t lY1, int32_t lX2, int32_t lY2);
    int32_t Game_CheckWin();
    void Game_Create(GameType eType);
    // Takes the peer's deal (the text after "+DECK=") and answers "+OK". A deal ParseDeck
    // refuses throws, leaving the board untouched and sending nothing.
    void Game_DeckReceive(std::string_view sDeck);
    void Game_StartCheck();
    void Game_StartPlayer();
    void Game_TimersPause();
    void Game_TimersRestart();
    GameType Game_Type() const { return m_eType; }
    void Game_Won();
    bool IsCardFlipped() const { return m_bCardUp; }
    // False only on a network client's board until the host's deal arrives.
    bool Game_IsDealt() const { return m_bDealt; }
    bool IsHumanTurn() const;
    void StatusBar(StatusMessage eMsg, bool bPaired = false);
    void Turn_Shift(bool bPair);

    // Read-only views for the board window, the simulator and tests.
    int32_t Player() const { return m_lPlayer; }
    int32_t Score(int32_t lPlayer) const { return m_lScore[lPlayer - 1]; }
    const BoardCell& Cell(int32_t lX, int32_t lY) const { return m_board[lX][lY]; }
    const std::vector<clsCard>& Memory() const { return m_colMemory; }
    int32_t RevealClock() const { return m_lRevealClock; }
    int32_t PlayTime() const { return m_lPlayTime; }
    const clsProfiles& PlayerProfile() const { return m_objProfile1; }
    const clsProfiles& ComputerProfile() const { return m_objProfile2; }
    std::string DeckMessage() const;

    // Test access to the computer's memory, so decisions can be checked on hand-built memories.
    std::vector<clsCard>& MemoryForTest() { return m_colMemory; }
    // One decision of the computer without playing it.
    std::pair<CardPos, CardPos> AI_Decide();

  private:
    bool Game_HasComputer() const;
    bool Game_HasPlayerStats() const;
    void Game_DeckFill();
    void Game_DeckShuffle();
    void Game_DeckSend();
    void Collection_Populate();
    void Collection_Add(int32_t lX, int32_t lY);
    void Collection_Remove(int32_t lX, int32_t lY);
    std::array<std::string, 2> Player_Names() const;
    void Turn_Reset();
    int32_t ElapsedTicks(uint32_t lStart) const;

    void AI_ForgetSome();
    void AI_MemorySearch(CardPos& A, CardPos& B, bool& bFound);
    void AI_MemoryRandom(CardPos& A, bool& bFound);
    void AI_MemoryCheck(CardPos& B, const CardPos& A, bool& bFound);
    void AI_RandomCard(CardPos& A);
    void AI_RandomSearch(CardPos& A, CardPos& B, bool bKeepFirst);

    void Draw_Card_Face(int32_t lX, int32_t lY);
    void Draw_Card(int32_t lX, int32_t lY, const ICanvas* pPicture, int32_t lSrcX);
    void Draw_Refresh(int32_t lX, int32_t lY);
    static CardPos Card_ToPixels(int32_t lX, int32_t lY);

    // The body of a procedure that handles its own failures: they are reported, fatal, as
    // "clsGame::<sProcedure>" and end the procedure.
    template <typename Body>
    bool Handled(std::string_view sProcedure, Body&& body) {
        return quillon::Handled(m_context.reporter, "clsGame", sProcedure, true,
                                std::forward<Body>(body));
    }

    GameContext m_context;
    GameType m_eType = GameSolo;
    int32_t m_lPlayer = 1;
    bool m_bCardUp = false;
    bool m_bDealt = false;
    int32_t m_lFirstX = -1;
    int32_t m_lFirstY = -1;
    std::array<int32_t, 2> m_lScore{};
    std::array<std::array<BoardCell, kRows>, kColumns> m_board{};
    std::vector<clsCard> m_colMemory;
    int32_t m_lRevealClock = 0;
    clsProfiles m_objProfile1;
    clsProfiles m_objProfile2;
    uint32_t m_lTickStart = 0;
    int32_t m_lPlayTime = 0;
};

}  // namespace quillon
