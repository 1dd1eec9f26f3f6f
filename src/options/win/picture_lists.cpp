#include "options/win/picture_lists.h"

#include <windows.h>

#include "options/options_rules.h"
#include "shell/win/scoped.h"
#include "shell/win/text.h"

namespace quillon::win {

namespace {

struct FindTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { FindClose(h); }
};
using ScopedFind = Scoped<FindTraits>;

}  // namespace

std::vector<std::string> ListPictureNames(std::string_view sFolder, std::string_view sExtension) {
    std::vector<std::string> names;
    const std::wstring pattern = Widen(sFolder) + L"*";
    WIN32_FIND_DATAW found{};
    // Every name, filtered here: "*.bmp" would also match "x.bmpx" through its short alias.
    const ScopedFind find(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found,
                                           FindExSearchNameMatch, nullptr, 0));
    if (!find) return names;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        const std::string sName = Narrow(found.cFileName);
        if (HasPictureExtension(sName, sExtension)) names.push_back(PictureDisplayName(sName));
    } while (FindNextFileW(find.Get(), &found));
    return names;
}

}  // namespace quillon::win
