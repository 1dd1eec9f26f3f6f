// Loaded into the program's process by the driver: Wine keeps menus inside the process that
// made them, so the menu bar can only be walked from there.
#include "menu_probe.h"

#include <windows.h>

#include <string>

namespace {

void Walk(HMENU menu, int depth, std::wstring& out) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t caption[256]{};
        GetMenuStringW(menu, static_cast<UINT>(i), caption, 256, MF_BYPOSITION);
        const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        HMENU sub = GetSubMenu(menu, i);
        const int id = sub ? -1 : static_cast<int>(GetMenuItemID(menu, i));
        wchar_t fields[64]{};
        wsprintfW(fields, L"%d%c%d%c%x%c", depth, quillon::e2e::kFieldSeparator, id,
                  quillon::e2e::kFieldSeparator, state, quillon::e2e::kFieldSeparator);
        out += fields;
        out += caption;
        out += L'\n';
        if (sub) Walk(sub, depth + 1, out);
    }
}

}  // namespace

// The thread's exit code is 1 when the description fit, 0 otherwise.
extern "C" __declspec(dllexport) DWORD WINAPI DescribeMenu(void* parameter) {
    auto* request = static_cast<quillon::e2e::ProbeRequest*>(parameter);
    HMENU bar = GetMenu(reinterpret_cast<HWND>(static_cast<uintptr_t>(request->hwnd)));
    std::wstring out;
    if (bar) Walk(bar, 0, out);
    if (out.size() >= request->capacity) return 0;
    out.copy(request->text, out.size());
    request->text[out.size()] = L'\0';
    request->length = static_cast<uint32_t>(out.size());
    return 1;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
