#pragma once
// VyxUpdater's one input: the path of the file to replace, written after the program's name.

#include <string>
#include <string_view>

namespace quillon::updater {

// The rest of the command line after the program's name (quoted or not) and the blanks that
// follow it, without trailing blanks. The path comes unquoted, since the library starts the
// updater with the bare path; a path that someone quoted as a whole loses its quotes.
std::wstring TargetFromCommandLine(std::wstring_view sCommandLine);

}  // namespace quillon::updater
