#include "updater/command_line.h"

namespace quillon::updater {

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

}  // namespace

std::wstring TargetFromCommandLine(std::wstring_view sCommandLine) {
    size_t i = 0;
    if (!sCommandLine.empty() && sCommandLine[0] == L'"') {
        const size_t close = sCommandLine.find(L'"', 1);
        i = close == std::wstring_view::npos ? sCommandLine.size() : close + 1;
    }
    while (i < sCommandLine.size() && !IsBlank(sCommandLine[i])) ++i;
    while (i < sCommandLine.size() && IsBlank(sCommandLine[i])) ++i;

    std::wstring_view rest = sCommandLine.substr(i);
    while (!rest.empty() && IsBlank(rest.back())) rest.remove_suffix(1);
    if (rest.size() >= 2 && rest.front() == L'"' && rest.back() == L'"') {
        rest = rest.substr(1, rest.size() - 2);
    }
    return std::wstring(rest);
}

}  // namespace quillon::updater
