#pragma once
// The picture files of a data folder, as the options dialog lists them.

#include <string>
#include <string_view>
#include <vector>

namespace quillon::win {

// The display names of the files in sFolder (UTF-8, with its trailing backslash) whose names
// end in sExtension, in the order the file system gives them. Folders are left out, and so is
// a file that only an 8.3 alias would match: its display name would not lead back to it. A
// folder that cannot be read gives an empty list.
std::vector<std::string> ListPictureNames(std::string_view sFolder, std::string_view sExtension);

}  // namespace quillon::win
