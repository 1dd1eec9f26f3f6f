#include "iupdate/win/message_pump.h"

#include <windows.h>

#include <optional>

namespace quillon::iupdate {

namespace {

// The class atom of dialog boxes (WC_DIALOG).
constexpr ULONG_PTR kDialogAtom = 32770;

void Dispatch(MSG& msg) {
    const HWND hActive = GetActiveWindow();
    if (hActive && GetClassLongPtrW(hActive, GCW_ATOM) == kDialogAtom &&
        IsDialogMessageW(hActive, &msg)) {
        return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

}  // namespace

void DoEvents() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        Dispatch(msg);
    }
}

void PumpUntil(const std::function<bool()>& bDone, const std::function<void()>& onQuit) {
    std::optional<int> quitCode;
    MSG msg;
    while (!bDone()) {
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            // Bounded, so that a wake-up the queue state does not show costs a moment, not a hang.
            MsgWaitForMultipleObjectsEx(0, nullptr, 100, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
            continue;
        }
        if (msg.message == WM_QUIT) {
            quitCode = static_cast<int>(msg.wParam);
            onQuit();
            continue;
        }
        Dispatch(msg);
    }
    if (quitCode) PostQuitMessage(*quitCode);
}

}  // namespace quillon::iupdate
