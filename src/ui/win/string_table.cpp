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

std::wstring FillInserts(std::wstring_view sText, std::initializer_list<std::wstring> values) {
    std::wstring sOut;
    for (size_t i = 0; i < sText.size(); ++i) {
        const wchar_t next = i + 1 < sText.size() ? sText[i + 1] : L'\0';
        const auto lIndex = static_cast<size_t>(next - L'1');
        if (sText[i] == L'%' && next >= L'1' && next <= L'9' && lIndex < values.size()) {
            sOut += values.begin()[lIndex];
            ++i;
        } else {
            sOut += sText[i];
        }
    }
    return sOut;
}

int ShowMessage(HWND hOwner, HINSTANCE hInstance, UINT lTextId, UINT lTitleId, UINT uType) {
    return MessageBoxW(hOwner, LoadText(hInstance, lTextId).c_str(),
                       LoadText(hInstance, lTitleId).c_str(), uType);
}

}  // namespace quillon::win
