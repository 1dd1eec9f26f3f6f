#pragma once
// Message boxes of the program: found among its top-level windows, read and answered through
// their buttons.

#include <windows.h>

#include <string>
#include <vector>

namespace quillon::e2e {

struct MessageBoxView {
    HWND hwnd = nullptr;
    std::wstring title;
    std::wstring text;
};

// The visible dialogs ("#32770") of a process.
std::vector<MessageBoxView> OpenMessageBoxes(DWORD processId);
std::string Describe(const MessageBoxView& box);
// Clicks the button with the given id (IDYES, IDNO, IDOK...).
void PressButton(const MessageBoxView& box, int buttonId);

std::wstring WindowText(HWND hwnd);
std::wstring ClassName(HWND hwnd);

}  // namespace quillon::e2e
