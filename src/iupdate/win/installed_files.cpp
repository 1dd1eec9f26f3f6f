#include "iupdate/win/installed_files.h"

#include "iupdate/versions.h"
#include "iupdate/win/library_state.h"
#include "iupdate/win/modMain.h"

namespace quillon::iupdate {

bool InstalledFiles::FileExists(const std::string& sPath) { return iupdate::FileExists(sPath); }

// A file without version information counts as version 0.0.0.
VersionRec InstalledFiles::FileVersion(const std::string& sPath) {
    const auto parts = GetFileVersionParts(sPath);
    if (!parts) return {};
    return ComposeFileVersion(parts->iMajor, parts->iMinor, parts->iBuild, parts->iRevision)
        .version;
}

CalendarDate InstalledFiles::FileDate(const std::string& sPath) {
    const auto date = FileWriteDate(sPath);
    return {date.lYear, date.lMonth, date.lDay};
}

InstallContext MacroContext() {
    return {{GetSpecialPath(SpecialAppPath), GetSpecialPath(SpecialSystem),
             GetSpecialPath(SpecialFonts), GetSpecialPath(SpecialTemp)},
            State().sAppExeName};
}

}  // namespace quillon::iupdate
