// The menu bar as a view of the window's state: checks, enables and which items are shown.
#include "board/win/frmMain.h"
#include "resources/resource.h"
#include "shell/program_values.h"

namespace quillon::win {

namespace {

constexpr int kGameTypes = 5;

// Positions in the menu resource.
constexpr int kFileMenu = 0;
constexpr int kToolsMenu = 2;
constexpr int kDebugMenu = 3;
constexpr int kHelpMenu = 4;
constexpr int kFileSettings = 3;  // New, Abandon, separator, Settings, separator, Quit
constexpr int kFileSeparator0 = 2;

}  // namespace

void frmMain::Menu_CheckItem(int32_t Index) {
    m_lCheckedType = (Index >= 0 && Index < kGameTypes) ? Index : -1;
    Menu_UpdateStates();
}

int32_t frmMain::Menu_CheckedIndex() const { return m_lCheckedType < 0 ? 0 : m_lCheckedType; }

void frmMain::Menu_Rebuild() {
    ScopedMenu menu(LoadMenuW(m_context.hInstance, MAKEINTRESOURCEW(IDR_MAINMENU)));
    HMENU bar = menu.Get();
    // Remove from the back so that positions in front stay valid. The Debug menu follows its
    // own switch even in the demonstration mode, where it is the only way to stop the
    // non-stop play.
    if (m_visibility.bAutorun) DeleteMenu(bar, kHelpMenu, MF_BYPOSITION);
    if (!m_visibility.bDebug) {
        DeleteMenu(bar, kDebugMenu, MF_BYPOSITION);
    } else if (!m_visibility.bDebugCommands) {
        HMENU debug = GetSubMenu(bar, kDebugMenu);
        for (int id : {IDM_DEBUG_SHUFFLE, IDM_DEBUG_SHOWBUFFERS, IDM_DEBUG_COMPPLAY})
            DeleteMenu(debug, static_cast<UINT>(id), MF_BYCOMMAND);
    }
    if (m_visibility.bAutorun) {
        DeleteMenu(bar, kToolsMenu, MF_BYPOSITION);
        HMENU file = GetSubMenu(bar, kFileMenu);
        DeleteMenu(file, kFileSettings + 1, MF_BYPOSITION);  // separator before Quit
        DeleteMenu(file, kFileSettings, MF_BYPOSITION);
        DeleteMenu(file, kFileSeparator0, MF_BYPOSITION);
        DeleteMenu(file, IDM_FILE_ABANDON, MF_BYCOMMAND);
        DeleteMenu(file, IDM_FILE_NEW, MF_BYCOMMAND);
    }
    SetMenu(m_hwnd, bar);
    m_menu = std::move(menu);  // the previous bar is destroyed here, after SetMenu let it go
    Menu_UpdateStates();
}

bool frmMain::Menu_IsAvailable(int id) const {
    HMENU bar = m_menu.Get();
    if (!bar) return false;
    const UINT state = GetMenuState(bar, static_cast<UINT>(id), MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && !(state & (MF_DISABLED | MF_GRAYED));
}

void frmMain::Menu_UpdateStates() {
    HMENU bar = m_menu.Get();
    if (!bar) return;
    const bool bRunning = m_context.values.g_bGameRunning;
    const auto enable = [bar](UINT id, bool b) {
        EnableMenuItem(bar, id, MF_BYCOMMAND | (b ? MF_ENABLED : MF_GRAYED));
    };
    const auto check = [bar](UINT id, bool b) {
        CheckMenuItem(bar, id, MF_BYCOMMAND | (b ? MF_CHECKED : MF_UNCHECKED));
    };
    enable(IDM_FILE_NEW, !bRunning);
    enable(IDM_FILE_ABANDON, bRunning);
    for (int i = 0; i < kGameTypes; ++i) {
        enable(static_cast<UINT>(IDM_TYPE_FIRST + i), !bRunning);
        check(static_cast<UINT>(IDM_TYPE_FIRST + i), i == m_lCheckedType);
    }
    if (HMENU file = GetSubMenu(bar, kFileMenu); file && !m_visibility.bAutorun)
        EnableMenuItem(file, kFileSettings, MF_BYPOSITION | (bRunning ? MF_GRAYED : MF_ENABLED));
    for (size_t i = 0; i < kBoardScales.size(); ++i) {
        enable(static_cast<UINT>(IDM_VIEW_FIRST + i), View_Fits(kBoardScales[i]));
        check(static_cast<UINT>(IDM_VIEW_FIRST + i), kBoardScales[i] == m_lScale);
    }
    check(IDM_DEBUG_SHUFFLE, m_bDebugShuffle);
    check(IDM_DEBUG_SHOWBUFFERS, m_bDebugShowBuffers);
    check(IDM_DEBUG_COMPPLAY, m_bDebugCompPlay);
    // Under Wine every redraw of the bar recomputes the frame; a hidden window has no bar to
    // redraw yet, and the start-up sets the menus several times before the window shows.
    if (IsWindowVisible(m_hwnd)) DrawMenuBar(m_hwnd);
}

}  // namespace quillon::win
