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

// The mouse marks only cards still face down; Form_MouseUp reveals the marked card.
void frmMain::Form_MouseMove(int lX, int lY) {
    const CardCell cell{static_cast<int32_t>(lX / kCardWidth),
                        static_cast<int32_t>(lY / kCardHeight)};
    if (!MayMark() || lX < 0 || lY < 0 || !cell.OnBoard()) return;
    if (cell.lX == m_lHoverX && cell.lY == m_lHoverY) return;
    if (!CardIsDown(cell)) return;
    Mark_Set(cell);
}

void frmMain::Form_MouseUp(int lX, int lY) {
    if (m_bDebugShowBuffers && !WaitingForClick() && BorderBufferHit(lX, lY)) {
        ReloadPictures();
        return;
    }
    Mark_Reveal(false);
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

void frmMain::Form_KeyDown(WPARAM keyCode) {
    switch (keyCode) {
        case VK_LEFT:
            return Mark_Move(MarkMove::Left);
        case VK_RIGHT:
            return Mark_Move(MarkMove::Right);
        case VK_UP:
            return Mark_Move(MarkMove::Up);
        case VK_DOWN:
            return Mark_Move(MarkMove::Down);
        case VK_RETURN:
        case VK_SPACE:
            return Mark_Reveal(true);
        case VK_ESCAPE:
            EndWaitForClick();
            return;
        default:
            return;
    }
}

bool frmMain::EndWaitForClick() {
    if (!WaitingForClick()) return false;
    HideCards(false, 0, 0, 0, 0, false);
    return true;
}

bool frmMain::MayMark() const {
    return !WaitingForClick() && m_context.values.g_bGameRunning && objGame &&
           objGame->IsHumanTurn();
}

bool frmMain::CardIsDown(CardCell cell) const {
    return !objGame->Card_IsFlipped(cell.lX, cell.lY) && !objGame->Card_IsPaired(cell.lX, cell.lY);
}

void frmMain::Mark_Clear() {
    const CardCell hover{m_lHoverX, m_lHoverY};
    m_lHoverX = m_lHoverY = -1;
    if (m_bFrameMark) {
        m_bFrameMark = false;
        const RECT frame = View_ToWindow(ShapeRect());
        InvalidateRect(m_hwnd, &frame, FALSE);
    }
    if (!hover.OnBoard() || !objGame || !CardIsDown(hover)) return;
    EngineCall call(m_lEngineDepth);
    objGame->Draw_Card_Back(hover.lX, hover.lY, true);
}

void frmMain::Mark_Set(CardCell cell) {
    Mark_Clear();
    m_lHoverX = cell.lX;
    m_lHoverY = cell.lY;
    m_lastMark = cell;
    if (m_context.values.g_bShapeCursor || CardIsDown(cell)) {
        EngineCall call(m_lEngineDepth);
        objGame->Draw_Card_Flip(cell.lX, cell.lY);
        return;
    }
    m_bFrameMark = true;
    MoveSelectionShape(kCardWidth * cell.lX + 1, kCardHeight * cell.lY + 1);
}

void frmMain::Mark_Move(MarkMove move) {
    if (!MayMark()) return;
    const CardCell hover{m_lHoverX, m_lHoverY};
    Mark_Set(MoveMark(hover.OnBoard() ? hover : m_lastMark, move));
}

// A click anywhere, Enter or Space reveals the marked card, or ends a wait for a click. The
// keyboard keeps its mark on the card it revealed, to go on from there.
void frmMain::Mark_Reveal(bool bKeyboard) {
    if (EndWaitForClick()) return;
    const CardCell cell{m_lHoverX, m_lHoverY};
    if (!MayMark() || !cell.OnBoard()) return;
    if (objGame->Card_IsFlipped(cell.lX, cell.lY) && objGame->IsCardFlipped()) return;
    if (objGame->Card_IsPaired(cell.lX, cell.lY)) return;
    // The face is drawn over the marked back as it is, without the back drawn first.
    m_lHoverX = m_lHoverY = -1;
    {
        EngineCall call(m_lEngineDepth);
        objGame->Card_Flip(cell.lX, cell.lY);
    }
    if (bKeyboard && MayMark()) Mark_Set(cell);
}

void frmMain::RefreshGameState() {
    Menu_UpdateStates();
    if (m_context.values.g_bGameRunning && objGame) {
        const bool bHand = m_context.settings.GetOption(OPTION_HANDCURSOR) == 1;
        m_hCursor = LoadCursorW(m_context.hInstance, bHand ? L"HAND" : L"TRANSPARENT");
        m_bShapeVisible =
            objGame->Game_Type() != GameComputerAlone && m_context.values.g_bShapeCursor;
        // The options may have changed how the mark is drawn: the marked back is drawn afresh.
        const CardCell hover{m_lHoverX, m_lHoverY};
        if (hover.OnBoard() && CardIsDown(hover)) {
            EngineCall call(m_lEngineDepth);
            objGame->Draw_Card_Back(hover.lX, hover.lY, false);
        }
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
