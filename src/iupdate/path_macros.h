#pragma once
// The folder macros that update descriptors write in local paths and file names. The Windows
// side looks the folders up; the expansion itself is pure so that it is tested natively.

#include <string>
#include <string_view>

namespace quillon {

// The values the four path macros stand for, as the platform reports them (with or without a
// trailing backslash: each is expanded with one).
struct MacroFolders {
    std::string sAppPath;  // "$(APP_PATH)": the program's folder that the game passed
    std::string sSystem;   // "$(SYS_PATH)"
    std::string sFonts;    // "$(FONT_PATH)"
    std::string sTemp;     // "$(TEMP_PATH)"
};

// Expands the four macros (case-sensitive, in the order above, each over the whole text as the
// previous one left it), then halves every pair of backslashes after the first character: a
// macro followed by its own backslash yields one, and a "\\server" prefix stays intact.
std::string GetPathEx(std::string_view sPath, const MacroFolders& folders);

// The backslash pass alone: the first character is kept; in the rest each non-overlapping pair
// becomes one backslash, left to right, in one pass (three in a row become two).
std::string CollapseBackslashes(std::string_view sPath);

// Every "$(APP_EXENAME)" (case-sensitive) replaced with the program's file name.
std::string GetFileEx(std::string_view sFileName, std::string_view sAppExeName);

// Every occurrence of sFind replaced, left to right, without looking again at what was put in.
std::string ReplaceAll(std::string_view sText, std::string_view sFind, std::string_view sWith);

}  // namespace quillon
