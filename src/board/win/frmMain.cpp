#include "board/win/frmMain.h"

#include <windowsx.h>

#include "board/win/board_geometry.h"
#include "resources/resource.h"
#include "shell/dates.h"
#include "shell/error_report.h"
#include "shell/program_values.h"
#include "shell/settings.h"
#include "shell/win/modFiles.h"
#include "shell/win/text.h"
#include "ui/win/dialog_base.h"
#include "ui/win/string_table.h"

namespace quillon::win {

namespace {
constexpr wchar_t kClassName[] = L"QuillonBoard";
}  // namespace

frmMain::frmMain(const AppContext& context) : m_context(context) {}

frmMain::~frmMain() {
    if (m_hwnd) DestroyWindow(m_hwnd);
}

bool frmMain::Show(int nCmdShow) {
    HICON hIcon = LoadIconW(m_context.hInstance, MAKEINTRESOURCEW(IDI_QUILLON));
    if (!RegisterClassOnce(m_context.hInstance, kClassName, CS_DBLCLKS, hIcon)) return false;
    m_hAccel = LoadAcceleratorsW(m_context.hInstance, MAKEINTRESOURCEW(IDR_ACCELERATORS));
    if (!CreateWindowExW(0, kClassName, LoadText(m_context.hInstance, IDS_APP_TITLE).c_str(),
                         kBoardStyle, CW_USEDEFAULT, CW_USEDEFAULT, kBoardWidth, kBoardHeight,
                         nullptr, nullptr, m_context.hInstance, this))
        return false;
    if (!Form_Load()) return false;
    ShowWindow(m_hwnd, nCmdShow);
    UpdateWindow(m_hwnd);
    return true;
}

bool frmMain::PreTranslate(MSG& msg) {
    if (m_hwnd && TranslateAcceleratorW(m_hwnd, m_hAccel, &msg)) return true;
    return m_frmChat && m_frmChat->Hwnd() && IsDialogMessageW(m_frmChat->Hwnd(), &msg);
}

bool frmMain::Form_Load() {
    try {
        Menu_Rebuild();
        Menu_CheckItem(static_cast<int16_t>(m_context.settings.GetSettingNumber(SettingLastGame)));
        m_objStatusBar = std::make_unique<clsSbar>();
        m_objStatusBar->Create(m_hwnd);
        StatusClear();
        RefreshGameState();
        m_surface = std::make_unique<MemoryCanvas>(kBoardWidth, kBoardHeight, kBoardGreen);
        m_lScale = View_StartScale();
        SizeWindow();
        m_objStatusBar->AlignBottom(m_hwnd);
        m_pictures = std::make_unique<PictureBuffers>(
            m_context.hInstance,
            PictureFolders{m_context.paths.GetPath(PathCards), m_context.paths.GetPath(PathBacks)},
            m_context.reporter, MessageBoxDisplay(m_hwnd));
        m_pictures->LoadMaskAndBorder();
        m_shape = {-100, 1};
        RefreshGameState();
        SetTimerEnabled(kTmrPing, true);
        // The board is empty until New Game, so the pictures are loaded just after the window
        // first shows; New Game loads them itself should it come first.
        m_bReloadPictures = true;
        PostMessageW(m_hwnd, kMsgLoadPictures, 0, 0);
        return true;
    } catch (...) {
        ReportCurrentException(m_context.reporter, "frmMain::Form_Load", true);
        return m_objStatusBar != nullptr;
    }
}

bool frmMain::Unload(bool bConfirm) {
    if (m_bUnloaded) return false;
    bool bCancel = false;
    Form_Unload(bCancel, bConfirm);
    m_bUnloaded = !bCancel;
    return m_bUnloaded;
}

void frmMain::Form_Unload(bool& bCancel, bool bConfirm) {
    if (m_context.values.g_bGameRunning && !Game_Abandon(bConfirm)) {
        bCancel = true;
        return;
    }
    SetTimerEnabled(kTmrDebugComp, false);
    SetTimerEnabled(kTmrKillCompStack, false);
    SetTimerEnabled(kTmrKillGame, false);
    SetTimerEnabled(kTmrPing, false);
    // The session can end while a failure report is open inside an engine call: the game
    // then stays for that call to finish with, and goes with the window.
    if (m_lEngineDepth == 0) objGame.reset();
    m_objStatusBar.reset();
    m_context.settings.SaveSetting(SettingLastGame, Menu_CheckedIndex());
    UnloadNetwork();
}

LRESULT frmMain::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the surface covers the client area
        case WM_SIZE:
            if (m_objStatusBar) m_objStatusBar->Paint();
            return 0;
        case WM_MOUSEMOVE:
            Form_MouseMove(ScaleToSurface(GET_X_LPARAM(lParam), m_lScale),
                           ScaleToSurface(GET_Y_LPARAM(lParam), m_lScale));
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            Form_MouseUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_LBUTTONDBLCLK:
            Form_DblClick();
            return 0;
        case WM_KEYDOWN:
            Form_KeyDown(wParam);
            return 0;
        case WM_KEYUP:
            Form_KeyUp(wParam);
            return 0;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT && OnSetCursor()) return TRUE;
            break;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam));
            return 0;
        case WM_TIMER:
            OnTimer(wParam);
            return 0;
        case kMsgLoadPictures:
            if (m_bReloadPictures) ReloadPictures();
            return 0;
        case WM_CLOSE:
            if (Unload(m_bMustClose)) DestroyWindow(m_hwnd);
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            // The session ends when this returns, and the process with it: unload now, as
            // Quit does, so "Last Game" is saved and a running game is abandoned. There is
            // no one left to ask whether to abandon.
            if (wParam && Unload(false)) DestroyWindow(m_hwnd);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(m_hwnd, msg, wParam, lParam);
}

void frmMain::OnPaint() {
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(m_hwnd, &ps);
    if (!m_surface) {
        EndPaint(m_hwnd, &ps);
        return;
    }
    View_Paint(hdc, ps.rcPaint);
    if (m_bShapeVisible || m_bFrameMark) {
        const RECT shape = View_ToWindow(ShapeRect());
        ScopedGdiObject pen(CreatePen(PS_INSIDEFRAME, ScaleToWindow(3, m_lScale), RGB(255, 0, 0)));
        ScopedSelect selectPen(hdc, pen.Get());
        ScopedSelect selectBrush(hdc, GetStockObject(NULL_BRUSH));
        Rectangle(hdc, shape.left, shape.top, shape.right, shape.bottom);
    }
    if (m_bDebugShowBuffers) PaintBuffers(hdc);
    EndPaint(m_hwnd, &ps);
}

// "Show buffers" lays the hidden pictures over the board where a developer can look at them.
namespace {
struct BufferSpot {
    int x, y;
};
constexpr BufferSpot kBorderSpot{5, 5}, kMaskSpot{5, 105}, kBackSpot{80, 5}, kSetSpot{80, 105},
    kBackInvSpot{155, 5};
}  // namespace

void frmMain::PaintBuffers(HDC hdc) const {
    const auto show = [hdc](const MemoryCanvas& picture, BufferSpot spot) {
        ::BitBlt(hdc, spot.x, spot.y, kCardWidth, kCardHeight, picture.Dc(), 0, 0, SRCCOPY);
    };
    show(m_pictures->picBorder(), kBorderSpot);
    show(m_pictures->picMask(), kMaskSpot);
    show(m_pictures->picBack(), kBackSpot);
    show(m_pictures->picCardSet(), kSetSpot);
    show(m_pictures->picBackInv(), kBackInvSpot);
}

bool frmMain::BorderBufferHit(int lX, int lY) const {
    return lX >= kBorderSpot.x && lX < kBorderSpot.x + kCardWidth && lY >= kBorderSpot.y &&
           lY < kBorderSpot.y + kCardHeight;
}

void frmMain::ClearSurface() {
    m_surface->FillRect(0, 0, kBoardWidth, kBoardHeight, kBoardGreen);
    InvalidateRect(m_hwnd, nullptr, FALSE);
}

RECT frmMain::ShapeRect() const {
    return {m_shape.x, m_shape.y, m_shape.x + kShapeWidth, m_shape.y + kShapeHeight};
}

bool frmMain::OnSetCursor() {
    if (!m_context.values.g_bGameRunning || !m_hCursor) return false;
    SetCursor(m_hCursor);
    return true;
}

// IBoardHost

void frmMain::EnableCompTimer() { SetTimerEnabled(kTmrKillCompStack, true); }

void frmMain::EnableKillGameTimer() { SetTimerEnabled(kTmrKillGame, true); }

uint32_t frmMain::TickCount() const { return GetTickCount(); }

void frmMain::Pause(int32_t lMilliseconds) {
    // A pause lets the player see the cards just drawn, so they must be on the screen first.
    // Waiting on the message queue (woken by nothing: the wake mask is empty) is a plain sleep
    // on Windows; under Wine it also counts as idle, which puts the window's drawing on the
    // screen at once instead of up to 50 ms into the pause.
    if (lMilliseconds > 0)
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(lMilliseconds), 0);
}

void frmMain::RefreshRect(int lX, int lY, int lW, int lH) {
    const RECT rc = View_ToWindow({lX, lY, lX + lW, lY + lH});
    InvalidateRect(m_hwnd, &rc, TRUE);
    UpdateWindow(m_hwnd);
}

void frmMain::MoveSelectionShape(int lLeft, int lTop) {
    const RECT old = View_ToWindow(ShapeRect());
    m_shape = {lLeft, lTop};
    if (!m_bShapeVisible && !m_bFrameMark) return;
    InvalidateRect(m_hwnd, &old, FALSE);
    const RECT now = View_ToWindow(ShapeRect());
    InvalidateRect(m_hwnd, &now, FALSE);
}

// IGameEvents

void frmMain::Status(int32_t lPanel, const std::string& sMessage) {
    if (m_objStatusBar) m_objStatusBar->PanelText(lPanel, sMessage);
}

void frmMain::StatusClear() {
    for (int32_t lPanel = 1; lPanel <= 3; ++lPanel) m_objStatusBar->PanelText(lPanel, "");
}

void frmMain::GameEnd(bool bNoClear) {
    if (bNoClear) return;
    // The mark goes with the board it was drawn on.
    m_lHoverX = m_lHoverY = -1;
    m_lastMark = {};
    m_bFrameMark = false;
    StatusClear();
    SetWaitingForClick(false);
    ClearSurface();
}

// ICommandLineHost and IUpdateReminderHost

bool frmMain::ConfirmAutorun() {
    return ShowMessage(m_hwnd, m_context.hInstance, IDS_AUTORUN_QUESTION, IDS_APP_TITLE,
                       MB_YESNO) == IDYES;
}

void frmMain::ShowAutorunLook() {
    SetWindowTextW(
        m_hwnd, (WindowText(m_hwnd) + LoadText(m_context.hInstance, IDS_AUTORUN_CAPTION)).c_str());
    m_visibility.bAutorun = true;
    m_visibility.bDebug = false;  // until the word that shows it is typed
    Menu_Rebuild();
}

void frmMain::CheckUpdateReminder() {
    quillon::CheckUpdateReminder(m_context.settings, ConvLngDate(TodayLocal()), *this);
}

bool frmMain::AskForUpdate() {
    return ShowMessage(m_hwnd, m_context.hInstance, IDS_UPDATE_QUESTION, IDS_APP_TITLE,
                       MB_YESNO | MB_ICONQUESTION) == IDYES;
}

}  // namespace quillon::win
