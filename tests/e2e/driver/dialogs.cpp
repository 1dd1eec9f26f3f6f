#include "dialogs.h"

#include "check.h"

namespace quillon::e2e {

namespace {

constexpr UINT kAnswerTimeoutMs = 1000;

struct Search {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectDialog(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner == search->processId && IsWindowVisible(hwnd) && ClassName(hwnd) == L"#32770")
        search->found.push_back(hwnd);
    return TRUE;
}

BOOL CALLBACK CollectStaticText(HWND hwnd, LPARAM lParam) {
    auto* text = reinterpret_cast<std::wstring*>(lParam);
    if (ClassName(hwnd) == L"Static") {
        const std::wstring line = WindowText(hwnd);
        if (!line.empty()) *text += (text->empty() ? L"" : L"\n") + line;
    }
    return TRUE;
}

}  // namespace

std::wstring WindowText(HWND hwnd) {
    wchar_t text[1024]{};
    DWORD_PTR copied = 0;
    // WM_GETTEXT is carried across processes; a timeout keeps a busy program from blocking us.
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                             kAnswerTimeoutMs, &copied))
        return {};
    return std::wstring(text, copied);
}

std::wstring ClassName(HWND hwnd) {
    wchar_t name[256]{};
    GetClassNameW(hwnd, name, 256);
    return name;
}

std::vector<MessageBoxView> OpenMessageBoxes(DWORD processId) {
    Search search{processId, {}};
    EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&search));
    std::vector<MessageBoxView> boxes;
    for (HWND hwnd : search.found) {
        MessageBoxView box{hwnd, WindowText(hwnd), {}};
        EnumChildWindows(hwnd, CollectStaticText, reinterpret_cast<LPARAM>(&box.text));
        boxes.push_back(std::move(box));
    }
    return boxes;
}

std::string Describe(const MessageBoxView& box) {
    return "message box " + Quote(box.title) + ": " + Quote(box.text);
}

void PressButton(const MessageBoxView& box, int buttonId) {
    HWND button = GetDlgItem(box.hwnd, buttonId);
    if (!button) Fail(Describe(box) + " has no button " + std::to_string(buttonId));
    if (!PostMessageW(button, BM_CLICK, 0, 0)) Fail("cannot click a button of " + Describe(box));
}

}  // namespace quillon::e2e
