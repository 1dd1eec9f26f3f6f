#pragma once
// The installed files and folders as this machine has them, for the install decisions of the
// portable core.

#include "iupdate/install_decision.h"

namespace quillon::iupdate {

class InstalledFiles final : public IInstalledFiles {
  public:
    bool FileExists(const std::string& sPath) override;
    VersionRec FileVersion(const std::string& sPath) override;
    CalendarDate FileDate(const std::string& sPath) override;
};

// The four macro folders (the game's, the system, fonts and temporary folders) and the game's
// program name, as LibraryState and the system give them now. Throws what the folder look-ups
// throw.
InstallContext MacroContext();

}  // namespace quillon::iupdate
