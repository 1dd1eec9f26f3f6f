#include "ui/win/string_table.h"

#include "shell/win/text.h"

namespace quillon::win {

std::wstring LoadText(HINSTANCE hInstance, UINT lId) {
    // A zero length asks for a pointer into the resource itself, which is not zero-terminated.
    const wchar_t* text = nullptr;
    const int n = LoadStringW(hInstance, lId, reinterpret_cast<LPWSTR>(&text), 0);
    return n > 0 ? std::wstring(text, static_cast<size_t>(n)) : std::wstring();
}

std::string LoadTextUtf8(HINSTANCE hInstance, UINT lId) { return Narrow(LoadText(hInstance, lId)); }

int ShowMessage(HWND hOwner, HINSTANCE hInstance, UINT lTextId, UINT lTitleId, UINT uType) {
    return MessageBoxW(hOwner, LoadText(hInstance, lTextId).c_str(),
                       LoadText(hInstance, lTitleId).c_str(), uType);
}

}  // namespace quillon::win
