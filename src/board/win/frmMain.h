#pragma once
// The board window: the 10 x 5 board on its green surface, the menus, the status bar and the
// timers. It owns the current game and finishes each turn the engine hands back.

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "board/board_view.h"
#include "board/win/clsSbar.h"
#include "board/win/picture_buffers.h"
#include "engine/clsGame.h"
#include "engine/game_host.h"
#include "network/lan_game.h"
#include "network/win/frmChat.h"
#include "network/win/frmLan.h"
#include "shell/command_line.h"
#include "shell/update_reminder.h"
#include "shell/win/app_context.h"
#include "shell/win/scoped.h"
#include "ui/win/base_window.h"
#include "ui/win/gdi_canvas.h"

namespace quillon::win {

class LateBound;

class frmMain final : public BaseWindow<frmMain>,
                      public IBoardHost,
                      public IGameEvents,
                      public ICommandLineHost,
                      public IUpdateReminderHost,
                      public ILanBoard {
  public:
    explicit frmMain(const AppContext& context);
    ~frmMain();

    // Creates and shows the window; false when it could not be created.
    bool Show(int nCmdShow);
    // The board's accelerators and the chat's keyboard; true when the message was used.
    bool PreTranslate(MSG& msg);

    void Game_Create();
    bool Game_Abandon(bool bConfirm = false);
    void mnuDebugCompPlay_Click();

    // IBoardHost
    bool DoNotShuffle() const override { return m_bDebugShuffle; }
    void EnableCompTimer() override;
    void EnableKillGameTimer() override;
    uint32_t TickCount() const override;
    void Pause(int32_t lMilliseconds) override;
    CardSurfaces Surfaces() override { return m_surfaces; }
    void RefreshRect(int lX, int lY, int lW, int lH) override;
    void MoveSelectionShape(int lLeft, int lTop) override;

    // IGameEvents
    void Status(int32_t lPanel, const std::string& sMessage) override;
    void GameEnd(bool bNoClear) override;
    void HideCards(bool bSetMemory, int32_t lX1, int32_t lY1, int32_t lX2, int32_t lY2,
                   bool bPairWasCreated) override;

    // ICommandLineHost
    bool ConfirmAutorun() override;
    void ShowAutorunLook() override;
    void StartNonStopPlay() override { mnuDebugCompPlay_Click(); }
    void CheckUpdateReminder() override;

    // IUpdateReminderHost
    bool AskForUpdate() override;
    void RunInternetUpdate() override;

    // ILanBoard
    void Lan_NewGame() override;
    void Lan_AbandonGame() override { Game_Abandon(false); }
    ILanGame* Lan_CurrentGame() override;
    bool Lan_EngineBusy() const override { return m_lEngineDepth > 0; }
    void Lan_ShowChat() override;
    void Lan_ChatAdd(const std::string& sLine) override;
    void Lan_EnablePing() override;

    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

  private:
    struct PendingTurn {
        int32_t lX1 = 0, lY1 = 0, lX2 = 0, lY2 = 0;
        bool bPairWasCreated = false;
    };
    // Which parts of the menu tree are shown; the menu bar is rebuilt from the resource
    // whenever this changes, because Win32 menus cannot hide an item.
    struct MenuVisibility {
        bool bDebug = false;
        bool bDebugCommands = true;
        bool bAutorun = false;
        friend bool operator==(const MenuVisibility&, const MenuVisibility&) = default;
    };

    // Window events
    bool Form_Load();
    // bConfirm asks before abandoning a running game.
    void Form_Unload(bool& bCancel, bool bConfirm);
    // Form_Unload once in the window's life; true when it ran now and was not cancelled.
    bool Unload(bool bConfirm);
    void Form_MouseMove(int lX, int lY);
    void Form_MouseUp(int lX, int lY);
    void Form_DblClick();
    void Form_KeyUp(WPARAM keyCode);
    void Form_KeyDown(WPARAM keyCode);
    void OnPaint();
    bool OnSetCursor();
    void OnCommand(int id);
    void OnTimer(UINT_PTR id);

    // Game state shown in menus, pointer and selection shape
    void RefreshGameState();
    void StatusClear();
    bool WaitingForClick() const;
    void SetWaitingForClick(bool bValue);
    // The turn goes on as a click during a wait makes it; false when there was no wait.
    bool EndWaitForClick();
    void FinishTurn();

    // The mark on the card the mouse or the keyboard points at (frmMain_input.cpp)
    bool MayMark() const;
    bool CardIsDown(CardCell cell) const;
    void Mark_Set(CardCell cell);
    void Mark_Clear();
    void Mark_Move(MarkMove move);
    void Mark_Reveal(bool bKeyboard);

    // The board's size (frmMain_view.cpp)
    int32_t View_StartScale() const;
    bool View_Fits(int32_t lScale) const;
    void View_SetScale(int32_t lScale);
    RECT View_ToWindow(const RECT& surface) const;
    void View_Paint(HDC hdc, const RECT& rcPaint) const;

    // Menus
    void Menu_CheckItem(int32_t Index);
    int32_t Menu_CheckedIndex() const;
    void Menu_Rebuild();
    void Menu_UpdateStates();
    bool Menu_IsAvailable(int id) const;

    // Commands
    void mnuFileNew_Click();
    void mnuToolsStatistics_Click();
    void mnuToolsSettings_Click();
    void mnuHelpHelp_Click();
    // The update library's commands (frmMain_library.cpp)
    void mnuHelpAbout_Click();
    void mnuHelpSubmit_Click();
    void mnuHelpUpdate_Click();
    void RunLibraryCommand(const char* szProcedure, const char* szProgId,
                           const std::function<void(LateBound&)>& action);
    void mnuDebugShowBuffers_Click();
    void GamePause();
    void GameRestart();
    void ReleaseGame();
    // New Game's first steps: the chosen pictures and the drawing handles.
    void PreparePictures();
    void NetworkDialog();
    void UnloadNetwork();
    void ReloadPictures();

    // Timers
    void tmrPing_Timer();
    void tmrDebugComp_Timer();
    void tmrKillCompStack_Timer();
    void tmrKillGame_Timer();
    void SetTimerEnabled(UINT_PTR id, bool bEnabled);
    bool TimerEnabled(UINT_PTR id) const;

    void SizeWindow();
    void ClearSurface();
    void PaintBuffers(HDC hdc) const;
    bool BorderBufferHit(int lX, int lY) const;
    RECT ShapeRect() const;
    GameContext MakeGameContext();

    AppContext m_context;
    std::unique_ptr<clsGame> objGame;
    std::optional<LanGame> m_lanGame;  // objGame as the network link drives it
    // Made at the first network game; their windows come and go with each session.
    std::unique_ptr<frmLan> m_frmLan;
    std::unique_ptr<frmChat> m_frmChat;
    std::unique_ptr<clsSbar> m_objStatusBar;
    std::unique_ptr<MemoryCanvas> m_surface;  // the board's persistent image
    std::unique_ptr<PictureBuffers> m_pictures;
    CardSurfaces m_surfaces;
    HACCEL m_hAccel = nullptr;
    ScopedMenu m_menu;

    // The marked card, and where the keyboard goes on from once the mark has gone with a turn.
    int32_t m_lHoverX = -1;
    int32_t m_lHoverY = -1;
    CardCell m_lastMark;
    // The mark on a card that shows its face: a frame, since an inverted back would hide it.
    bool m_bFrameMark = false;
    int32_t m_lScale = 100;  // percent of the surface's size on the window
    bool m_bWaitClick = false;
    PendingTurn m_Pending;
    std::string m_sKeys;
    bool m_bReloadPictures = false;
    bool m_bMustClose = false;
    bool m_bUnloaded = false;

    int32_t m_lCheckedType = 2;
    bool m_bDebugShuffle = false;
    bool m_bDebugShowBuffers = false;
    bool m_bDebugCompPlay = false;
    MenuVisibility m_visibility;
    std::array<bool, 5> m_timers{};

    POINT m_shape{-100, 1};
    bool m_bShapeVisible = false;
    HCURSOR m_hCursor = nullptr;  // the custom board pointer while a game runs
    // Engine calls can run a modal loop (a failure report); a timer tick that arrives there
    // must not start another turn or release the game under the running call.
    int m_lEngineDepth = 0;
};

}  // namespace quillon::win
