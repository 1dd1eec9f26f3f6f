// Game commands, the Debug commands and the four timers of the board window.
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include "board/win/board_geometry.h"
#include "board/win/frmMain.h"
#include "engine/engine_call.h"
#include "options/win/frmOptions.h"
#include "profiles/clsProfiles.h"
#include "profiles/win/frmStatistics.h"
#include "resources/resource.h"
#include "shell/error_report.h"
#include "shell/program_values.h"
#include "shell/settings.h"
#include "shell/win/modFiles.h"
#include "shell/win/text.h"
#include "ui/win/string_table.h"

namespace quillon::win {

namespace {
constexpr UINT kTimerIntervals[] = {0, 10000, 100, 100, 55};  // by timer id
}  // namespace

GameContext frmMain::MakeGameContext() {
    GameContext context{
        m_context.settings,   m_context.random, m_context.reporter, m_context.values, *this, *this,
        m_context.profileFile};
    if (m_context.values.g_bLanGame) context.pLan = m_frmLan.get();
    if (m_context.values.g_bChatLoaded) context.pChat = m_frmChat.get();
    return context;
}

void frmMain::GamePause() {
    if (m_context.values.g_bGameRunning && objGame) objGame->Game_TimersPause();
}

void frmMain::GameRestart() {
    if (m_context.values.g_bGameRunning && objGame) objGame->Game_TimersRestart();
}

void frmMain::Game_Create() {
    m_lHoverX = m_lHoverY = -1;
    m_lastMark = {};
    m_bFrameMark = false;
    SetWaitingForClick(false);
    EngineCall call(m_lEngineDepth);
    m_lanGame.reset();
    objGame = std::make_unique<clsGame>(MakeGameContext());
    if (Menu_CheckedIndex() == GameNetwork) m_lanGame.emplace(*objGame, m_lEngineDepth);
    objGame->Game_Create(static_cast<GameType>(Menu_CheckedIndex()));
    objGame->Draw_All_Backs();
    RefreshGameState();
    objGame->Game_StartCheck();
}

void frmMain::ReloadPictures() {
    if (m_pictures->LoadPictureSets(m_context.settings)) m_bReloadPictures = false;
    InvalidateRect(m_hwnd, nullptr, FALSE);
}

void frmMain::mnuFileNew_Click() {
    // Refused while a game runs: the double click and the demonstration timer reach here too.
    if (m_context.values.g_bGameRunning) return;
    PreparePictures();
    if (Menu_CheckedIndex() == GameNetwork) {
        NetworkDialog();  // it starts the game once the other player is there
        return;
    }
    Game_Create();
}

void frmMain::PreparePictures() {
    if (m_bReloadPictures) ReloadPictures();
    m_surfaces = m_pictures->CacheDrawingHandles(m_surface.get());
}

void frmMain::NetworkDialog() {
    if (!m_frmLan) {
        m_frmLan = std::make_unique<frmLan>(m_context, *this);
        m_frmChat = std::make_unique<frmChat>(m_context.hInstance, m_context.values, *m_frmLan);
    }
    if (m_frmLan->Load(m_hwnd)) m_frmLan->ShowModal();
}

void frmMain::UnloadNetwork() {
    if (m_frmChat) m_frmChat->Unload();
    if (m_frmLan) m_frmLan->Unload();
}

void frmMain::Lan_NewGame() {
    Menu_CheckItem(GameNetwork);
    PreparePictures();  // the next game comes here straight from the end-of-game timer
    Game_Create();
    m_frmLan->GameCreated(GetTickCount());
}

ILanGame* frmMain::Lan_CurrentGame() { return objGame && m_lanGame ? &*m_lanGame : nullptr; }

void frmMain::Lan_ShowChat() { m_frmChat->Show(m_hwnd); }

void frmMain::Lan_ChatAdd(const std::string& sLine) {
    if (m_context.values.g_bChatLoaded) m_frmChat->Message_Add(sLine);
}

void frmMain::Lan_EnablePing() { SetTimerEnabled(kTmrPing, true); }

bool frmMain::Game_Abandon(bool bConfirm) {
    bool bResult = false;
    try {
        if (bConfirm) {
            GamePause();
            const int answer =
                ShowMessage(m_hwnd, m_context.hInstance, IDS_ABANDON_QUESTION, IDS_ABANDON_TITLE,
                            MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
            GameRestart();
            if (answer != IDYES) return false;
        }
        bResult = true;
        GameEnd(false);
        SetTimerEnabled(kTmrKillGame, true);
        UnloadNetwork();
        RefreshGameState();
    } catch (...) {
        ReportCurrentException(m_context.reporter, "frmMain::Game_Abandon", true);
    }
    return bResult;
}

void frmMain::ReleaseGame() {
    m_lanGame.reset();
    objGame.reset();  // clears g_bGameRunning
    m_surfaces = {};
}

void frmMain::mnuToolsStatistics_Click() {
    GamePause();
    // Reading the profile file and drawing the graph happen while the window is made.
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    frmStatistics statistics(
        ProfileContext{m_context.profileFile, m_context.settings, m_context.reporter, {}});
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    statistics.ShowModal(m_context.hInstance, m_hwnd);
    GameRestart();
}

void frmMain::mnuToolsSettings_Click() {
    GamePause();
    try {
        // Reading the masks and the picture folders happens while the dialog is made.
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        frmOptions options(m_context);
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        options.Show(m_hwnd);
    } catch (...) {
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        ReportCurrentException(m_context.reporter, "frmMain::mnuToolsSettings_Click", false);
    }
    RefreshGameState();
    m_bReloadPictures = true;
    GameRestart();
}

void frmMain::mnuHelpHelp_Click() {
    const std::wstring help = Widen(m_context.paths.GetPath(PathHelp));
    ShellExecuteW(m_hwnd, nullptr, help.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void frmMain::mnuDebugShowBuffers_Click() {
    m_bDebugShowBuffers = !m_bDebugShowBuffers;
    Menu_UpdateStates();
    InvalidateRect(m_hwnd, nullptr, FALSE);
}

void frmMain::mnuDebugCompPlay_Click() {
    m_bDebugCompPlay = !m_bDebugCompPlay;
    Menu_UpdateStates();
    if (m_bDebugCompPlay && !TimerEnabled(kTmrDebugComp)) SetTimerEnabled(kTmrDebugComp, true);
}

void frmMain::OnCommand(int id) {
    if (!Menu_IsAvailable(id)) return;
    if (id >= IDM_TYPE_FIRST && id < IDM_TYPE_FIRST + 5) {
        Menu_CheckItem(static_cast<int16_t>(id - IDM_TYPE_FIRST));
        return;
    }
    if (id >= IDM_VIEW_FIRST && id < IDM_VIEW_FIRST + static_cast<int>(kBoardScales.size())) {
        View_SetScale(kBoardScales[static_cast<size_t>(id - IDM_VIEW_FIRST)]);
        return;
    }
    switch (id) {
        case IDM_FILE_NEW:
            mnuFileNew_Click();
            break;
        case IDM_FILE_ABANDON:
            Game_Abandon(true);
            break;
        case IDM_FILE_QUIT:
            PostMessageW(m_hwnd, WM_CLOSE, 0, 0);
            break;
        case IDM_TOOLS_STATISTICS:
            mnuToolsStatistics_Click();
            break;
        case IDM_TOOLS_OPTIONS:
            mnuToolsSettings_Click();
            break;
        case IDM_DEBUG_SHUFFLE:
            m_bDebugShuffle = !m_bDebugShuffle;
            Menu_UpdateStates();
            break;
        case IDM_DEBUG_SHOWBUFFERS:
            mnuDebugShowBuffers_Click();
            break;
        case IDM_DEBUG_COMPPLAY:
            mnuDebugCompPlay_Click();
            break;
        case IDM_HELP_HELP:
            mnuHelpHelp_Click();
            break;
        case IDM_HELP_ABOUT:
            mnuHelpAbout_Click();
            break;
        case IDM_HELP_SUBMIT:
            mnuHelpSubmit_Click();
            break;
        case IDM_HELP_UPDATE:
            mnuHelpUpdate_Click();
            break;
        default:
            break;
    }
}

void frmMain::SetTimerEnabled(UINT_PTR id, bool bEnabled) {
    m_timers[id] = bEnabled;
    if (bEnabled)
        SetTimer(m_hwnd, id, kTimerIntervals[id], nullptr);
    else
        KillTimer(m_hwnd, id);
}

bool frmMain::TimerEnabled(UINT_PTR id) const { return m_timers[id]; }

void frmMain::OnTimer(UINT_PTR id) {
    if (id >= m_timers.size() || !m_timers[id]) return;
    switch (id) {
        case kTmrPing:
            tmrPing_Timer();
            break;
        case kTmrDebugComp:
            tmrDebugComp_Timer();
            break;
        case kTmrKillCompStack:
            tmrKillCompStack_Timer();
            break;
        case kTmrKillGame:
            tmrKillGame_Timer();
            break;
        default:
            break;
    }
}

void frmMain::tmrPing_Timer() {
    // Keep-alives belong to network play; without a network dialog the timer stops itself.
    if (!m_context.values.g_bLanGame) {
        SetTimerEnabled(kTmrPing, false);
        return;
    }
    // The keep-alive goes out even during an engine call (a report may be open inside one):
    // the other side counts a silent peer as gone.
    if (m_context.values.g_bGameRunning && objGame && objGame->Game_Type() == GameNetwork)
        m_frmLan->Ping(GetTickCount(), m_lEngineDepth == 0);
}

void frmMain::tmrDebugComp_Timer() {
    if (m_lEngineDepth > 0) return;
    SetTimerEnabled(kTmrDebugComp, false);
    Menu_CheckItem(GameComputerAlone);
    mnuFileNew_Click();
}

void frmMain::tmrKillCompStack_Timer() {
    if (!objGame || m_lEngineDepth > 0) return;
    EngineCall call(m_lEngineDepth);
    objGame->AI_Search();
}

void frmMain::tmrKillGame_Timer() {
    if (!objGame || m_lEngineDepth > 0) return;
    ReleaseGame();
    SetTimerEnabled(kTmrKillGame, false);
    SetTimerEnabled(kTmrKillCompStack, false);
    if (m_context.values.g_bLanGame) {
        // The next game with the same opponent, unless the opponent has gone in between.
        if (m_frmLan->Connected())
            m_frmLan->Start_Game();
        else
            UnloadNetwork();
    } else if (m_bDebugCompPlay) {
        SetTimerEnabled(kTmrDebugComp, true);
    }
    RefreshGameState();
}

}  // namespace quillon::win
