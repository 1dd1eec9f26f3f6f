#include "shell/paths.h"

namespace quillon {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EndsWithNoCase(std::string_view sText, std::string_view sTail) {
    if (sTail.size() > sText.size()) return false;
    const std::string_view sEnd = sText.substr(sText.size() - sTail.size());
    for (size_t i = 0; i < sTail.size(); ++i)
        if (LowerAscii(sEnd[i]) != LowerAscii(sTail[i])) return false;
    return true;
}

std::string AddBackslash(std::string_view sText) {
    std::string out(sText);
    if (out.empty() || out.back() != '\\') out += '\\';
    return out;
}

std::string AddExtension(std::string_view sPath, std::string_view sExtension) {
    std::string sDotted(1, '.');
    sDotted += sExtension;
    std::string out(sPath);
    if (!EndsWithNoCase(sPath, sDotted)) out += sDotted;
    return out;
}

}  // namespace quillon
