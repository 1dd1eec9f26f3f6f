#include "shell/win/text.h"

#include <windows.h>

#include <cstdio>

namespace quillon::win {

namespace {

std::wstring ToWide(std::string_view text, UINT codePage) {
    if (text.empty()) return {};
    const int n =
        MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

std::string FromWide(std::wstring_view text, UINT codePage) {
    if (text.empty()) return {};
    const int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                        nullptr, nullptr);
    return out;
}

}  // namespace

std::wstring Widen(std::string_view utf8) { return ToWide(utf8, CP_UTF8); }
std::string Narrow(std::wstring_view wide) { return FromWide(wide, CP_UTF8); }
std::string Utf8ToAnsi(std::string_view utf8) { return FromWide(Widen(utf8), CP_ACP); }
std::string AnsiToUtf8(std::string_view ansi) { return Narrow(ToWide(ansi, CP_ACP)); }

std::string SystemMessage(unsigned long lError) {
    wchar_t* pText = nullptr;
    const DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, lError, 0, reinterpret_cast<LPWSTR>(&pText), 0, nullptr);
    std::wstring text = n > 0 && pText ? std::wstring(pText, n) : std::wstring();
    LocalFree(pText);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    return Narrow(text);
}

std::string HexCode(long lCode) {
    char text[16];
    std::snprintf(text, sizeof text, "%08lX", static_cast<unsigned long>(lCode));
    return text;
}

std::string FailureText(unsigned long lError) {
    const std::string sText = SystemMessage(lError);
    return sText.empty() ? "error 0x" + HexCode(static_cast<long>(lError)) : sText;
}

}  // namespace quillon::win
