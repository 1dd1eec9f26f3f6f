#pragma once
// Which published files the wizard offers, and its first decision after reading the descriptor:
// a new product version, files to list, or nothing to do. What the installed files are like is
// asked from the Windows side, and only when a rule needs it.

#include <string>
#include <vector>

#include "iupdate/path_macros.h"
#include "iupdate/update_descriptor.h"
#include "iupdate/versions.h"
#include "shell/dates.h"
#include "shell/error_report.h"

namespace quillon {

// An installed file, as the platform sees it. Any of these may throw; the entry is then not
// offered.
class IInstalledFiles {
  public:
    virtual ~IInstalledFiles() = default;
    virtual bool FileExists(const std::string& sPath) = 0;
    // GetFileVersion: 0.0.0 for a file without version information.
    virtual VersionRec FileVersion(const std::string& sPath) = 0;
    // The local calendar date of the last write; 1 January 1601 when the file cannot be opened
    // for writing.
    virtual CalendarDate FileDate(const std::string& sPath) = 0;
};

struct InstallContext {
    MacroFolders folders;
    std::string sAppExeName;
};

// Why a file that the rules would have judged is refused before they run.
enum class InstallRefusal {
    None,
    OutsideFolders,  // its destination is not inside one of the four macro folders
    NoSha256,        // nothing to check the download against
    BadSha256,       // the hash is not 64 hex digits
};

struct InstallDecision {
    bool bInstall = false;
    InstallRefusal eRefusal = InstallRefusal::None;
    std::string sTarget;  // the expanded destination
};

// GetPathEx(Local.Path) followed by GetFileEx(Local.FileName).
std::string InstallTarget(const FileEntry& entry, const InstallContext& context);

// A missing file is always installed; otherwise a published version (any part not 0) must be
// newer than the installed one, else a published date (day not 0) newer than the file's; with
// neither the file is kept. Before that, and before the file system is asked anything, refused:
// a destination outside the folders (both the expanded name and the name as written, which is
// what an in-place install uses) and an entry without a well-formed SHA-256.
InstallDecision File_ShouldInstall(const FileEntry& entry, const InstallContext& context,
                                   IInstalledFiles& files);

enum class ParseOutcome {
    NewVersion,   // the product itself is newer: ask to visit its web page; no file is offered
    FilesListed,  // at least one entry is Available
    NoUpdates,
};

struct ParseDecision {
    ParseOutcome eOutcome = ParseOutcome::NoUpdates;
    int32_t lAvailable = 0;
    std::vector<std::string> refusals;  // one log line per refused entry, in entry order
};

// Sets Available on every entry unless the product version is newer. A failure of the installed
// file queries is reported as "frmInternetUpdate::File_ShouldInstall" and leaves that entry out.
ParseDecision File_ParseDecision(UpdateInfo& info, const VersionRec& installed,
                                 const InstallContext& context, IInstalledFiles& files,
                                 IErrorReporter& reporter);

// The wizard's log line for a refused entry, in the form of its other per-file lines
// (Name, ":", the outcome).
std::string RefusalLogLine(const FileEntry& entry, const InstallDecision& decision);

}  // namespace quillon
