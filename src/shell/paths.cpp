#include "shell/paths.h"

namespace quillon {

namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EndsWithNoCase(std::string_view text, std::string_view tail) {
    if (tail.size() > text.size()) return false;
    const std::string_view end = text.substr(text.size() - tail.size());
    for (size_t i = 0; i < tail.size(); ++i)
        if (LowerAscii(end[i]) != LowerAscii(tail[i])) return false;
    return true;
}

}  // namespace

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
