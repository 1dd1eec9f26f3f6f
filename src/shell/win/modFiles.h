#pragma once
// Folders and files of the program. Paths are UTF-8; every folder comes back with a trailing
// backslash.

#include <cstdint>
#include <string>
#include <string_view>

namespace quillon::win {

enum PathKind : int32_t {
    PathApp = 0,       // the program's folder
    PathSystem = 1,    // the Windows system folder
    PathData = 2,      // Data\, created when missing
    PathCards = 3,     // Data\Cards\, created when missing
    PathBacks = 4,     // Data\Backs\, created when missing
    PathTemp = 5,      // the user's temporary folder
    PathHelp = 6,      // the help file
    PathTempFile = 7,  // a new, empty, uniquely named file in the temporary folder
    PathProfiles = 8,  // the profile file
};

// The folder of the running program file, with a trailing backslash.
std::string ModuleFolder();

// GetPath over a given application folder, so that tests (and tools) can point the data
// folders somewhere else than beside the program.
class AppPaths {
  public:
    // The folder of the running program.
    AppPaths();
    explicit AppPaths(std::string_view sAppFolder);

    // The folder or file of a kind; empty for a kind outside 0..8. The data folders are
    // returned even when they could not be created: the caller checks with IsDirectory.
    std::string GetPath(PathKind kind) const;

  private:
    std::string m_sAppFolder;  // with its trailing backslash
};

// GetPath for the running program.
std::string GetPath(PathKind kind);

bool IsDirectory(std::string_view sPath);
// False for a folder.
bool FileExists(std::string_view sPath);
// Creates one folder level when it is not a folder yet; a failure is ignored.
void MakeDir(std::string_view sPath);
// True when the file was deleted.
bool KillFile(std::string_view sPath);

}  // namespace quillon::win
