#pragma once
// Shows a modal window of the program or the library over an owner of the test's own and, once
// the window waits for input, looks at it and closes it: the owner hears WM_ENTERIDLE from the
// modal loop, as a real owner would.

#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <functional>

namespace quillon::test {

constexpr RECT kOwner{120, 80, 620, 480};  // away from the screen's centre

// Runs look on the waiting dialog; its answer is the command that ends the dialog.
using Look = std::function<int(HWND hDialog)>;

// Calls show(hOwner), which returns when the dialog has closed. Fails when no owner can be
// made or the dialog never waited. Every dialog must stand centred over its owner.
inline testing::AssertionResult RunDialog(const std::function<void(HWND)>& show, Look look) {
    const HWND hOwner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, kOwner.left,
                                        kOwner.top, kOwner.right - kOwner.left,
                                        kOwner.bottom - kOwner.top, nullptr, nullptr, nullptr, 0);
    if (!hOwner) return testing::AssertionFailure() << "no window could be made";
    const auto ownerProc = [](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR refData) -> LRESULT {
        auto& pending = *reinterpret_cast<Look*>(refData);
        if (msg == WM_ENTERIDLE && wParam == MSGF_DIALOGBOX && pending) {
            const auto hDialog = reinterpret_cast<HWND>(lParam);
            RECT rc{};
            GetWindowRect(hDialog, &rc);
            EXPECT_NEAR(rc.left + rc.right, kOwner.left + kOwner.right, 1);
            EXPECT_NEAR(rc.top + rc.bottom, kOwner.top + kOwner.bottom, 1);
            PostMessageW(hDialog, WM_COMMAND, static_cast<WPARAM>(pending(hDialog)), 0);
            pending = nullptr;
        }
        return DefSubclassProc(hwnd, msg, wParam, lParam);
    };
    SetWindowSubclass(hOwner, ownerProc, 1, reinterpret_cast<DWORD_PTR>(&look));
    show(hOwner);
    DestroyWindow(hOwner);
    return look ? testing::AssertionFailure() << "the dialog never waited for input"
                : testing::AssertionSuccess();
}

}  // namespace quillon::test
