// Mouse and keyboard on the board, and the finishing of each turn.
#include <algorithm>
#include <cctype>

#include "board/win/board_geometry.h"
#include "board/win/frmMain.h"
#include "engine/engine_call.h"
#include "engine/turn_finish.h"
#include "resources/resource.h"
#include "shell/program_values.h"
#include "shell/settings.h"

namespace quillon::win {

namespace {

constexpr std::string_view kShowDebug = "quintave";
constexpr std::string_view kShowDebugEmpty = "vrask";
constexpr size_t kKeysKept = 8;

bool OnBoard(int32_t lX, int32_t lY) { return lX >= 0 && lX < kColumns && lY >= 0 && lY < kRows; }

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

}  // namespace

bool frmMain::WaitingForClick() const { return m_bWaitClick && !m_context.values.g_bLanGame; }

void frmMain::SetWaitingForClick(bool bValue) {
    if (!m_context.values.g_bLanGame) m_bWaitClick = bValue;
}

void frmMain::Form_MouseMove(int lX, int lY) {
    const auto lColumn = static_cast<int32_t>(lX / kCardWidth);
    const auto lRow = static_cast<int32_t>(lY / kCardHeight);
    if (WaitingForClick() || !m_context.values.g_bGameRunning || !objGame->IsHumanTurn()) return;
    if (lX < 0 || lY < 0 || !OnBoard(lColumn, lRow)) return;
    if (lColumn == m_lHoverX && lRow == m_lHoverY) return;
    if (objGame->Card_IsFlipped(lColumn, lRow) || objGame->Card_IsPaired(lColumn, lRow)) return;
    EngineCall call(m_lEngineDepth);
    objGame->Draw_Card_Back(m_lHoverX, m_lHoverY, true);
    objGame->Draw_Card_Flip(lColumn, lRow);
    m_lHoverX = lColumn;
    m_lHoverY = lRow;
}

void frmMain::Form_MouseUp(int lX, int lY) {
    if (WaitingForClick()) {
        HideCards(false, 0, 0, 0, 0, false);
        return;
    }
    if (m_bDebugShowBuffers && BorderBufferHit(lX, lY)) {
        ReloadPictures();
        return;
    }
    if (!m_context.values.g_bGameRunning || !objGame->IsHumanTurn() ||
        !OnBoard(m_lHoverX, m_lHoverY))
        return;
    if (objGame->Card_IsFlipped(m_lHoverX, m_lHoverY) && objGame->IsCardFlipped()) return;
    if (objGame->Card_IsPaired(m_lHoverX, m_lHoverY)) return;
    EngineCall call(m_lEngineDepth);
    const int32_t lX0 = m_lHoverX;
    const int32_t lY0 = m_lHoverY;
    m_lHoverX = m_lHoverY = -1;
    objGame->Card_Flip(lX0, lY0);
}

void frmMain::Form_DblClick() { mnuFileNew_Click(); }

void frmMain::Form_KeyUp(WPARAM keyCode) {
    m_sKeys.push_back(static_cast<char>(keyCode & 0xFF));
    if (m_sKeys.size() > kKeysKept) m_sKeys.erase(0, m_sKeys.size() - kKeysKept);
    const std::string keys = Lower(m_sKeys);
    MenuVisibility visibility = m_visibility;
    if (keys == kShowDebug) visibility.bDebug = true;
    if (keys.size() >= kShowDebugEmpty.size() &&
        keys.compare(keys.size() - kShowDebugEmpty.size(), kShowDebugEmpty.size(),
                     kShowDebugEmpty) == 0) {
        visibility.bDebugCommands = false;
        visibility.bDebug = true;
    }
    if (visibility != m_visibility) {
        m_visibility = visibility;
        Menu_Rebuild();
    }
}

void frmMain::RefreshGameState() {
    Menu_UpdateStates();
    if (m_context.values.g_bGameRunning && objGame) {
        const bool bHand = m_context.settings.GetOption(OPTION_HANDCURSOR) == 1;
        m_hCursor = LoadCursorW(m_context.hInstance, bHand ? L"HAND" : L"TRANSPARENT");
        m_bShapeVisible =
            objGame->Game_Type() != GameComputerAlone && m_context.values.g_bShapeCursor;
        EngineCall call(m_lEngineDepth);
        objGame->Draw_Card_Back(m_lHoverX, m_lHoverY, false);
    } else {
        m_hCursor = nullptr;
        m_bShapeVisible = false;
    }
    InvalidateRect(m_hwnd, nullptr, FALSE);
    // Apply the pointer at once if it is over the board.
    POINT pt{};
    GetCursorPos(&pt);
    if (WindowFromPoint(pt) == m_hwnd)
        SendMessageW(m_hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(m_hwnd), HTCLIENT);
}

void frmMain::HideCards(bool bSetMemory, int32_t lX1, int32_t lY1, int32_t lX2, int32_t lY2,
                        bool bPairWasCreated) {
    const ProgramValues& values = m_context.values;
    if (bSetMemory && values.g_bFlash && !m_visibility.bDebug)
        objGame->Draw_Card_Flash(lX1, lY1, lX2, lY2);
    const int32_t t = objGame->Game_Type();
    if ((bSetMemory && !values.g_bWaitForClick) || t == GameComputerAlone || t == GameNetwork) {
        bSetMemory = false;
        if (t == GameNetwork)
            Pause(750);
        else if (!(bPairWasCreated && objGame->IsHumanTurn()))
            Pause(values.g_lRevealTime);
        m_Pending = {lX1, lY1, lX2, lY2, bPairWasCreated};
    }
    SetWaitingForClick(bSetMemory);
    if (bSetMemory) {
        m_Pending = {lX1, lY1, lX2, lY2, bPairWasCreated};
        objGame->StatusBar(MsgWaitClick, m_Pending.bPairWasCreated);
        return;
    }
    FinishTurn();
}

void frmMain::FinishTurn() {
    EngineCall call(m_lEngineDepth);
    const PendingTurn pending = m_Pending;
    Turn_Finish(*objGame, pending.lX1, pending.lY1, pending.lX2, pending.lY2,
                pending.bPairWasCreated);
}

}  // namespace quillon::win
