#include "board/win/clsSbar.h"

#include <commctrl.h>

#include "board/board_view.h"
#include "resources/resource.h"
#include "shell/win/text.h"

namespace quillon::win {

clsSbar::clsSbar() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
    if (!InitCommonControlsEx(&icc)) InitCommonControls();
}

clsSbar::~clsSbar() {
    if (m_hwnd) DestroyWindow(m_hwnd);
}

void clsSbar::Create(HWND hParent) {
    m_hwnd = CreateStatusWindowW(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, L"",
                                 hParent, IDC_STATUSBAR);
    SendMessageW(m_hwnd, SB_SIMPLE, 0, 0);
    ScalePanels(100);
}

// The panels widen with the board, so that the texts that fill them at 100 % still fit.
void clsSbar::ScalePanels(int32_t lScale) {
    int edges[3] = {ScaleToWindow(300, lScale), ScaleToWindow(500, lScale), -1};
    SendMessageW(m_hwnd, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));
}

int32_t clsSbar::Height() const {
    RECT rc{};
    GetWindowRect(m_hwnd, &rc);
    return rc.bottom - rc.top;
}

void clsSbar::AlignBottom(HWND hParent) {
    const int32_t h = Height();
    RECT client{};
    GetClientRect(hParent, &client);
    MoveWindow(m_hwnd, 0, client.bottom - h, client.right, h, TRUE);
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

void clsSbar::Paint() {
    SendMessageW(m_hwnd, WM_SIZE, 0, 0);
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

void clsSbar::PanelText(int32_t Index, const std::string& sText) {
    SendMessageW(m_hwnd, SB_SETTEXTW, static_cast<WPARAM>(Index - 1),
                 reinterpret_cast<LPARAM>(Widen(sText).c_str()));
}

}  // namespace quillon::win
