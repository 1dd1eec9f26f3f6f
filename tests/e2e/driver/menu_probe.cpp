// Loaded into the program's process by the driver, which calls its entries there.
#include "menu_probe.h"

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <string>

using quillon::e2e::kFieldSeparator;
using quillon::e2e::ProbeRequest;

namespace {

void Walk(HMENU menu, int depth, std::wstring& out) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t caption[256]{};
        GetMenuStringW(menu, static_cast<UINT>(i), caption, 256, MF_BYPOSITION);
        HMENU sub = GetSubMenu(menu, i);
        wchar_t fields[64]{};
        wsprintfW(fields, L"%d%c%d%c%x%c", depth, kFieldSeparator,
                  sub ? -1 : static_cast<int>(GetMenuItemID(menu, i)), kFieldSeparator,
                  // A submenu's high byte counts its items.
                  GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & (sub ? 0xFF : ~0u),
                  kFieldSeparator);
        out += std::wstring(fields) + caption + L'\n';
        if (sub) Walk(sub, depth + 1, out);
    }
}

DWORD Answer(ProbeRequest* request, const std::wstring& text) {
    if (text.size() >= request->capacity) return 0;
    text.copy(request->text, text.size());
    request->length = static_cast<uint32_t>(text.size());
    return 1;
}

HWND Window(const ProbeRequest* request) {
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(request->hwnd));
}

}  // namespace

extern "C" __declspec(dllexport) DWORD WINAPI DescribeMenu(void* parameter) {
    auto* request = static_cast<ProbeRequest*>(parameter);
    std::wstring out;
    if (HMENU bar = GetMenu(Window(request))) Walk(bar, 0, out);
    return Answer(request, out);
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
