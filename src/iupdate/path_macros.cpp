#include "iupdate/path_macros.h"

#include "shell/paths.h"

namespace quillon {

std::string ReplaceAll(std::string_view sText, std::string_view sFind, std::string_view sWith) {
    if (sFind.empty()) return std::string(sText);
    std::string out;
    size_t lFrom = 0;
    for (size_t lAt = sText.find(sFind); lAt != std::string_view::npos;
         lAt = sText.find(sFind, lFrom)) {
        out.append(sText, lFrom, lAt - lFrom);
        out += sWith;
        lFrom = lAt + sFind.size();
    }
    out.append(sText, lFrom);
    return out;
}

std::string CollapseBackslashes(std::string_view sPath) {
    if (sPath.empty()) return {};
    std::string out(1, sPath.front());
    for (size_t i = 1; i < sPath.size(); ++i) {
        out += sPath[i];
        if (sPath[i] == '\\' && i + 1 < sPath.size() && sPath[i + 1] == '\\') ++i;
    }
    return out;
}

std::string GetPathEx(std::string_view sPath, const MacroFolders& folders) {
    std::string s = ReplaceAll(sPath, "$(APP_PATH)", AddBackslash(folders.sAppPath));
    s = ReplaceAll(s, "$(SYS_PATH)", AddBackslash(folders.sSystem));
    s = ReplaceAll(s, "$(FONT_PATH)", AddBackslash(folders.sFonts));
    s = ReplaceAll(s, "$(TEMP_PATH)", AddBackslash(folders.sTemp));
    return CollapseBackslashes(s);
}

std::string GetFileEx(std::string_view sFileName, std::string_view sAppExeName) {
    return ReplaceAll(sFileName, "$(APP_EXENAME)", sAppExeName);
}

}  // namespace quillon
