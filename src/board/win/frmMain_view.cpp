// The board's size: the step it is shown at, the window around it, and the surface stretched
// onto the window. The cards are drawn at their own size whatever the step.
#include <algorithm>

#include "board/win/board_geometry.h"
#include "board/win/frmMain.h"
#include "shell/settings.h"
#include "shell/win/scoped.h"

namespace quillon::win {

namespace {

// Frame, caption, menu bar and status bar around a board of no size.
SIZE WindowFrame(HWND hwnd, int32_t lStatusBarHeight) {
    RECT rc{0, 0, 0, lStatusBarHeight};
    AdjustWindowRectEx(&rc, kBoardStyle, GetMenu(hwnd) != nullptr, 0);
    return {rc.right - rc.left, rc.bottom - rc.top};
}

RECT WorkArea(HWND hwnd) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &monitor))
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &monitor.rcWork, 0);
    return monitor.rcWork;
}

int32_t FittingScale(HWND hwnd, int32_t lStatusBarHeight, int32_t lScale) {
    const SIZE frame = WindowFrame(hwnd, lStatusBarHeight);
    const RECT work = WorkArea(hwnd);
    return FittingBoardScale(lScale, frame.cx, frame.cy, work.right - work.left,
                             work.bottom - work.top);
}

}  // namespace

// The player's step, or else the one nearest the screen's scale; smaller when it cannot fit.
int32_t frmMain::View_StartScale() const {
    const ScopedGetDC screen(nullptr);
    const int32_t lDpi = GetDeviceCaps(screen.Get(), LOGPIXELSY);
    const int32_t lScale = BoardScaleFor(StoredBoardScale(m_context.settings.Store()), lDpi);
    return FittingScale(m_hwnd, m_objStatusBar->Height(), lScale);
}

bool frmMain::View_Fits(int32_t lScale) const {
    return !m_objStatusBar || FittingScale(m_hwnd, m_objStatusBar->Height(), lScale) == lScale;
}

void frmMain::View_SetScale(int32_t lScale) {
    SaveBoardScale(m_context.settings.Store(), lScale);
    m_lScale = lScale;
    SizeWindow();
    m_objStatusBar->AlignBottom(m_hwnd);
    Menu_UpdateStates();
    InvalidateRect(m_hwnd, nullptr, FALSE);
}

// The card area must stay whole above the status bar, whatever the frame's thickness, and on
// the screen after a larger step.
void frmMain::SizeWindow() {
    m_objStatusBar->ScalePanels(m_lScale);
    const int32_t lWidth = ScaleToWindow(kBoardWidth, m_lScale);
    const int32_t lHeight = ScaleToWindow(kBoardHeight, m_lScale) + m_objStatusBar->Height();
    RECT rc{0, 0, lWidth, lHeight};
    AdjustWindowRectEx(&rc, kBoardStyle, TRUE, 0);
    SetWindowPos(m_hwnd, nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // A menu bar that wrapped to two lines makes the client shorter than asked for.
    RECT client{};
    GetClientRect(m_hwnd, &client);
    const int missing = lHeight - client.bottom;
    if (missing > 0)
        SetWindowPos(m_hwnd, nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top + missing,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT window{};
    GetWindowRect(m_hwnd, &window);
    const RECT work = WorkArea(m_hwnd);
    const LONG dx = std::min(0L, work.right - window.right);
    const LONG dy = std::min(0L, work.bottom - window.bottom);
    if (dx != 0 || dy != 0)
        SetWindowPos(m_hwnd, nullptr, std::max(work.left, window.left + dx),
                     std::max(work.top, window.top + dy), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT frmMain::View_ToWindow(const RECT& surface) const {
    return {ScaleToWindow(surface.left, m_lScale), ScaleToWindow(surface.top, m_lScale),
            ScaleToWindow(surface.right, m_lScale), ScaleToWindow(surface.bottom, m_lScale)};
}

void frmMain::View_Paint(HDC hdc, const RECT& rcPaint) const {
    if (m_lScale == 100) {
        ::BitBlt(hdc, rcPaint.left, rcPaint.top, rcPaint.right - rcPaint.left,
                 rcPaint.bottom - rcPaint.top, m_surface->Dc(), rcPaint.left, rcPaint.top, SRCCOPY);
        return;
    }
    // Only the part to paint is stretched, from and to edges where surface and window pixels
    // meet and with a margin for the filter, so that it comes out as part of the whole board.
    constexpr int32_t kFilterMargin = 2;
    const SurfaceSpan x =
        StretchSpan(rcPaint.left, rcPaint.right, kBoardWidth, m_lScale, kFilterMargin);
    const SurfaceSpan y =
        StretchSpan(rcPaint.top, rcPaint.bottom, kBoardHeight, m_lScale, kFilterMargin);
    if (x.lTo <= x.lFrom || y.lTo <= y.lFrom) return;
    const int32_t left = ScaleToWindow(x.lFrom, m_lScale);
    const int32_t top = ScaleToWindow(y.lFrom, m_lScale);
    SetStretchBltMode(hdc, m_lScale % 100 == 0 ? COLORONCOLOR : HALFTONE);
    SetBrushOrgEx(hdc, 0, 0, nullptr);
    ::StretchBlt(hdc, left, top, ScaleToWindow(x.lTo, m_lScale) - left,
                 ScaleToWindow(y.lTo, m_lScale) - top, m_surface->Dc(), x.lFrom, y.lFrom,
                 x.lTo - x.lFrom, y.lTo - y.lFrom, SRCCOPY);
}

}  // namespace quillon::win
