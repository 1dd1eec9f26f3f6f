#pragma once
// Whether a Windows path lies inside a folder, judged on the text alone, before anything touches
// the file system (a network path would already be contacted by a look-up).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "iupdate/path_macros.h"

namespace quillon {

// A full path as Windows resolves it: the root ("c:" or "\\server\share", lower case) and the
// names below it, "." and empty names dropped, ".." taken back, ASCII letters in lower case.
struct CanonicalPath {
    std::string sRoot;
    std::vector<std::string> names;
};

// nullopt for what cannot be judged safely: relative or drive-relative paths, device paths
// ("\\?\", "\\.\"), names with ":" (streams), wildcards, control characters, or a trailing dot or
// space (which Windows strips, so the name written is not the name used). "/" counts as "\".
std::optional<CanonicalPath> Canonicalize(std::string_view sPath);

// True when sPath names something strictly below sFolder: same root and every name of the folder
// in front. "C:\Game2\x" is not inside "C:\Game\".
bool IsInsideFolder(std::string_view sPath, std::string_view sFolder);

// Inside one of the four folders that the path macros stand for; a folder given as empty text
// stands for none.
bool IsInsideMacroFolders(std::string_view sPath, const MacroFolders& folders);

}  // namespace quillon
