#include "iupdate/win/license_text.h"

#include <cstdint>

namespace quillon::iupdate {

namespace {

constexpr std::wstring_view kPlaceholder = L"%Copyright%";

std::wstring RtfText(std::wstring_view sText) {
    std::wstring sOut;
    for (const wchar_t c : sText) {
        if (c == L'\r') continue;
        if (c == L'\n') {
            sOut += L"\\line ";
        } else {
            if (c == L'\\' || c == L'{' || c == L'}') sOut += L'\\';
            sOut += c;
        }
    }
    return sOut;
}

}  // namespace

std::wstring FillLicense(std::wstring_view sDocument, std::wstring_view sCopyright) {
    const std::wstring sLine = RtfText(sCopyright);
    std::wstring sOut;
    size_t lFrom = 0;
    for (size_t lAt; (lAt = sDocument.find(kPlaceholder, lFrom)) != std::wstring_view::npos;
         lFrom = lAt + kPlaceholder.size()) {
        sOut.append(sDocument.substr(lFrom, lAt - lFrom));
        sOut += sLine;
    }
    sOut.append(sDocument.substr(lFrom));
    return sOut;
}

std::string RtfBytes(std::wstring_view sDocument) {
    std::string sOut;
    sOut.reserve(sDocument.size());
    for (const wchar_t c : sDocument) {
        if (c < 0x80) {
            sOut += static_cast<char>(c);
        } else {
            // A control word ends at the first character that is neither letter nor digit,
            // so the fallback "?" also closes it.
            sOut += "\\u" + std::to_string(static_cast<int16_t>(c)) + "?";
        }
    }
    return sOut;
}

}  // namespace quillon::iupdate
