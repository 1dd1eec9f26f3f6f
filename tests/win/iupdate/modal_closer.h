#pragma once
// For calls that run a modal window: while a ModalCloser lives, every dialog box that the thread
// shows is cancelled as soon as its message loop runs, and its caption kept.

#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "ui/win/dialog_base.h"

namespace quillon::test {

class ModalCloser {
  public:
    ModalCloser() : m_timer(SetTimer(nullptr, 0, 100, &Tick)) {
        s_captions.clear();
        s_seen.clear();
    }
    ~ModalCloser() { KillTimer(nullptr, m_timer); }
    ModalCloser(const ModalCloser&) = delete;
    ModalCloser& operator=(const ModalCloser&) = delete;

    // The captions of the dialogs met, in order.
    const std::vector<std::wstring>& Captions() const { return s_captions; }

  private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        EnumThreadWindows(GetCurrentThreadId(), &Cancel, 0);
    }
    static BOOL CALLBACK Cancel(HWND hwnd, LPARAM) {
        wchar_t szClass[16] = {};
        GetClassNameW(hwnd, szClass, 16);
        if (!IsWindowVisible(hwnd) || std::wstring(szClass) != L"#32770") return TRUE;
        if (s_seen.insert(hwnd).second) s_captions.push_back(win::WindowText(hwnd));
        PostMessageW(hwnd, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    }

    static inline std::vector<std::wstring> s_captions;
    static inline std::set<HWND> s_seen;
    UINT_PTR m_timer;
};

}  // namespace quillon::test
