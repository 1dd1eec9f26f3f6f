#include "iupdate/install_decision.h"

#include "iupdate/path_containment.h"

namespace quillon {
namespace {

// The sum is what tells "no version" (0); in 64 bits it cannot overflow.
bool HasVersion(const VersionRec& v) { return int64_t{v.lMajor} + v.lMinor + v.lRelease != 0; }

}  // namespace

std::string InstallTarget(const FileEntry& entry, const InstallContext& context) {
    return GetPathEx(entry.Local.Path, context.folders) +
           GetFileEx(entry.Local.FileName, context.sAppExeName);
}

InstallDecision File_ShouldInstall(const FileEntry& entry, const InstallContext& context,
                                   IInstalledFiles& files) {
    InstallDecision decision;
    decision.sTarget = InstallTarget(entry, context);
    const std::string sWritten =
        GetPathEx(entry.Local.Path, context.folders) + entry.Local.FileName;
    if (!IsInsideMacroFolders(decision.sTarget, context.folders) ||
        !IsInsideMacroFolders(sWritten, context.folders)) {
        decision.eRefusal = InstallRefusal::OutsideFolders;
    } else if (entry.eSha256 != Sha256State::Valid) {
        decision.eRefusal = entry.eSha256 == Sha256State::Missing ? InstallRefusal::NoSha256
                                                                  : InstallRefusal::BadSha256;
    } else if (!files.FileExists(decision.sTarget)) {
        decision.bInstall = true;
    } else if (HasVersion(entry.Version)) {
        decision.bInstall = IsVersionNewer(entry.Version, files.FileVersion(decision.sTarget));
    } else if (entry.Remote.Date.lDay != 0) {
        decision.bInstall = IsDateNewer(entry.Remote.Date, files.FileDate(decision.sTarget));
    }
    return decision;
}

ParseDecision File_ParseDecision(UpdateInfo& info, const VersionRec& installed,
                                 const InstallContext& context, IInstalledFiles& files,
                                 IErrorReporter& reporter) {
    ParseDecision result;
    if (IsVersionNewer(info.Version, installed)) {
        result.eOutcome = ParseOutcome::NewVersion;
        return result;
    }
    for (FileEntry& entry : info.Files) {
        entry.Available = false;
        Handled(reporter, "frmInternetUpdate", "File_ShouldInstall", true, [&] {
            const InstallDecision decision = File_ShouldInstall(entry, context, files);
            entry.Available = decision.bInstall;
            if (decision.eRefusal != InstallRefusal::None)
                result.refusals.push_back(RefusalLogLine(entry, decision));
        });
        if (entry.Available) ++result.lAvailable;
    }
    result.eOutcome = result.lAvailable > 0 ? ParseOutcome::FilesListed : ParseOutcome::NoUpdates;
    return result;
}

std::string RefusalLogLine(const FileEntry& entry, const InstallDecision& decision) {
    switch (decision.eRefusal) {
        case InstallRefusal::OutsideFolders:
            return entry.Name + ":Refused, its destination " + decision.sTarget +
                   " lies outside the folders an update may write to";
        case InstallRefusal::NoSha256:
            return entry.Name + ":Refused, the update information gives no SHA-256 for it";
        case InstallRefusal::BadSha256:
            return entry.Name + ":Refused, its SHA-256 in the update information is malformed";
        case InstallRefusal::None:
            break;
    }
    return {};
}

}  // namespace quillon
