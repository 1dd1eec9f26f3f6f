#include "iupdate/path_containment.h"

#include <algorithm>

#include "shell/paths.h"

namespace quillon {
namespace {

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool IsAcceptableName(std::string_view sName) {
    for (const char c : sName) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || std::string_view(":*?\"<>|").find(c) != std::string_view::npos)
            return false;
    }
    return sName.back() != '.' && sName.back() != ' ';
}

std::string Lower(std::string_view s) {
    std::string out(s);
    std::ranges::transform(out, out.begin(), LowerAscii);
    return out;
}

// Splits what follows the root, resolving "." and ".." as Windows does: ".." at the root stays
// there.
bool AppendNames(std::string_view sRest, std::vector<std::string>& names) {
    for (size_t lFrom = 0; lFrom <= sRest.size();) {
        const size_t lEnd = std::min(sRest.find('\\', lFrom), sRest.size());
        const std::string_view sName = sRest.substr(lFrom, lEnd - lFrom);
        lFrom = lEnd + 1;
        if (sName.empty() || sName == ".") continue;
        if (sName == "..") {
            if (!names.empty()) names.pop_back();
            continue;
        }
        if (!IsAcceptableName(sName)) return false;
        names.push_back(Lower(sName));
    }
    return true;
}

}  // namespace

std::optional<CanonicalPath> Canonicalize(std::string_view sPath) {
    std::string s(sPath);
    std::ranges::replace(s, '/', '\\');
    const std::string_view v = s;
    CanonicalPath path;
    std::string_view sRest;
    if (v.size() >= 3 && IsLetter(v[0]) && v[1] == ':' && v[2] == '\\') {
        path.sRoot = Lower(v.substr(0, 2));
        sRest = v.substr(3);
    } else if (v.starts_with("\\\\")) {
        // "\\server\share": both names plain, so "\\?\" and "\\.\" are refused here.
        const size_t lServerEnd = v.find('\\', 2);
        if (lServerEnd == std::string_view::npos) return std::nullopt;
        const size_t lShareEnd = std::min(v.find('\\', lServerEnd + 1), v.size());
        const std::string_view sServer = v.substr(2, lServerEnd - 2);
        const std::string_view sShare = v.substr(lServerEnd + 1, lShareEnd - lServerEnd - 1);
        for (const std::string_view sName : {sServer, sShare})
            if (sName.empty() || sName == "." || sName == ".." || !IsAcceptableName(sName))
                return std::nullopt;
        path.sRoot = Lower(v.substr(0, lShareEnd));
        sRest = v.substr(std::min(lShareEnd + 1, v.size()));
    } else {
        return std::nullopt;
    }
    if (!AppendNames(sRest, path.names)) return std::nullopt;
    return path;
}

bool IsInsideFolder(std::string_view sPath, std::string_view sFolder) {
    const std::optional<CanonicalPath> path = Canonicalize(sPath);
    const std::optional<CanonicalPath> folder = Canonicalize(sFolder);
    if (!path || !folder || path->sRoot != folder->sRoot) return false;
    return path->names.size() > folder->names.size() &&
           std::equal(folder->names.begin(), folder->names.end(), path->names.begin());
}

bool IsInsideMacroFolders(std::string_view sPath, const MacroFolders& folders) {
    for (const std::string* pFolder :
         {&folders.sAppPath, &folders.sSystem, &folders.sFonts, &folders.sTemp})
        if (!pFolder->empty() && IsInsideFolder(sPath, *pFolder)) return true;
    return false;
}

}  // namespace quillon
