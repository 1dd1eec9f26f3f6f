#include "ui/win/dialog_base.h"

#include <algorithm>
#include <utility>

#include "shell/win/text.h"

namespace quillon::win {

INT_PTR DialogBase::RunModal(HINSTANCE hInstance, int lTemplateId, HWND hOwner) {
    return DialogBoxParamW(hInstance, MAKEINTRESOURCEW(lTemplateId), hOwner,
                           &DialogBase::DialogProc, reinterpret_cast<LPARAM>(this));
}

bool DialogBase::CreateModeless(HINSTANCE hInstance, int lTemplateId, HWND hOwner) {
    return CreateDialogParamW(hInstance, MAKEINTRESOURCEW(lTemplateId), hOwner,
                              &DialogBase::DialogProc, reinterpret_cast<LPARAM>(this)) != nullptr;
}

bool DialogBase::ShowModeless(HWND hOwner, HWND hFocus, const std::function<bool()>& bClosed,
                              const std::function<bool(const MSG&)>& bPassBy) {
    if (!m_hwnd) return true;
    // The desktop owns nothing: disabling it would freeze the screen, as the system's dialogs
    // know too.
    if (hOwner == GetDesktopWindow()) hOwner = nullptr;
    // The window was made before its owner was known.
    SetWindowLongPtrW(m_hwnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(hOwner));
    CentreOverOwner(m_hwnd);
    if (hOwner) EnableWindow(hOwner, FALSE);
    ShowWindow(m_hwnd, SW_SHOW);
    SendMessageW(m_hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(hFocus), TRUE);
    bool bQuit = false;
    MSG msg;
    while (m_hwnd && !bClosed()) {
        if (hOwner && !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE))
            SendMessageW(hOwner, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(m_hwnd));
        const BOOL bGot = GetMessageW(&msg, nullptr, 0, 0);
        if (bGot <= 0) {
            if (bGot == 0) PostQuitMessage(static_cast<int>(msg.wParam));
            bQuit = true;
            break;
        }
        if (!(bPassBy && bPassBy(msg)) && m_hwnd && IsDialogMessageW(m_hwnd, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    // Enabled before the window hides, so that the owner becomes the active window again.
    if (hOwner) EnableWindow(hOwner, TRUE);
    if (m_hwnd) ShowWindow(m_hwnd, SW_HIDE);
    return !bQuit;
}

void DialogBase::Destroy() {
    if (m_hwnd == nullptr) return;
    // No more messages reach the object once it is going.
    SetWindowLongPtrW(m_hwnd, DWLP_USER, 0);
    DestroyWindow(std::exchange(m_hwnd, nullptr));
}

INT_PTR CALLBACK DialogBase::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    DialogBase* self = nullptr;
    if (msg == WM_INITDIALOG) {
        self = reinterpret_cast<DialogBase*>(lParam);
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        self->m_hwnd = hwnd;
        CentreOverOwner(hwnd);
    } else {
        self = reinterpret_cast<DialogBase*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    }
    if (!self) return FALSE;
    const INT_PTR result = self->HandleMessage(msg, wParam, lParam);
    if (msg == WM_NCDESTROY) self->m_hwnd = nullptr;
    return result;
}

std::wstring WindowText(HWND hwnd) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::string DialogBase::ItemText(int lId) const { return Narrow(WindowText(Item(lId))); }

RECT CentredRect(const RECT& window, const RECT* pOwner, const RECT& workArea) {
    const LONG lWidth = window.right - window.left;
    const LONG lHeight = window.bottom - window.top;
    const RECT& over = pOwner ? *pOwner : workArea;
    LONG x = over.left + (over.right - over.left - lWidth) / 2;
    LONG y = over.top + (over.bottom - over.top - lHeight) / 2;
    x = std::max(std::min(x, workArea.right - lWidth), workArea.left);
    y = std::max(std::min(y, workArea.bottom - lHeight), workArea.top);
    return {x, y, x + lWidth, y + lHeight};
}

void CentreOverOwner(HWND hwnd) {
    const HWND hOwner = GetWindow(hwnd, GW_OWNER);
    const bool bOverOwner = hOwner && IsWindowVisible(hOwner) && !IsIconic(hOwner);
    RECT window{};
    RECT owner{};
    GetWindowRect(hwnd, &window);
    if (bOverOwner) GetWindowRect(hOwner, &owner);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromWindow(bOverOwner ? hOwner : hwnd, MONITOR_DEFAULTTONEAREST),
                         &monitor))
        return;
    const RECT place = CentredRect(window, bOverOwner ? &owner : nullptr, monitor.rcWork);
    SetWindowPos(hwnd, nullptr, place.left, place.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace quillon::win
