// The update wizard's step 2: the checked files downloaded one after the other under the
// timer, each checked against the size and SHA-256 the signed descriptor gives, then
// decompressed into place or beside a file in use for VyxUpdater to replace.

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdio>
#include <filesystem>

#include "iupdate/path_macros.h"
#include "iupdate/win/download_outcome.h"
#include "iupdate/win/frmInternetUpdate.h"
#include "iupdate/win/frmInternetUpdate_resource.h"
#include "iupdate/win/installed_files.h"
#include "iupdate/win/library_report.h"
#include "iupdate/win/library_state.h"
#include "iupdate/win/modMain.h"
#include "iupdate/win/update_verify.h"
#include "shell/error_report.h"
#include "shell/win/text.h"

namespace quillon::iupdate {

namespace {

constexpr std::string_view kModule = "frmInternetUpdate";

std::string HexDigits(const std::array<uint8_t, 32>& bytes) {
    std::string sText;
    for (const uint8_t b : bytes) {
        char sz[3];
        std::snprintf(sz, sizeof sz, "%02x", b);
        sText += sz;
    }
    return sText;
}

// The file's length in bytes; -1 when it cannot be read.
int64_t FileLength(const std::string& sPath) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(win::Widen(sPath).c_str(), GetFileExInfoStandard, &data)) return -1;
    return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}  // namespace

void frmInternetUpdate::cmdStartStep2_Click() {
    Handled(Reporter(), kModule, "cmdStartStep2_Click", true, [this] {
        if (!LV_HasChecked()) {
            MessageBoxW(m_hwnd, win::Widen(Text(IDS_UPD_NONE_SELECTED)).c_str(),
                        win::Widen(Text(IDS_UPD_NONE_SELECTED_TITLE)).c_str(),
                        MB_OK | MB_ICONEXCLAMATION);
            return;
        }
        EnableItem(IDOK, false);
        ShowItem(IDC_UPD_CMDSTARTSTEP2, false);
        ShowItem(IDC_UPD_CMDCANCELSTEP2, true);
        SendMessageW(m_hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDC_UPD_CMDCANCELSTEP2)),
                     TRUE);
        EnableItem(IDC_UPD_LST, false);
        m_objDownload = clsAsyncDownload::Create(&m_fileEvents);
        Download_CheckAll();
        Status_Add(Text(IDS_UPD_DOWNLOADING), false);
        SetLaunchTimer(true);
    });
}

void frmInternetUpdate::cmdCancelStep2_Click() {
    Handled(Reporter(), kModule, "cmdCancelStep2_Click", true, [this] {
        EnableItem(IDC_UPD_CMDCANCELSTEP2, false);
        Status_Add(Text(IDS_UPD_ABORTED), false);
        if (m_objDownload) m_objDownload->AbortDownload();
        EnableItem(IDOK, true);
    });
}

void frmInternetUpdate::SetLaunchTimer(bool bEnabled) {
    if (bEnabled) {
        SetTimer(m_hwnd, kTimerLaunch, 250, nullptr);
    } else {
        KillTimer(m_hwnd, kTimerLaunch);
    }
    m_bTimerOn = bEnabled;
}

// A tick that comes while a file is on its way (the transfer processes messages) does nothing,
// so only one transfer runs at a time.
void frmInternetUpdate::tmrlaunch_Timer() {
    if (!m_bTimerOn || m_bClosed || !m_objDownload || m_objDownload->Downloading()) return;
    Download_Next();
}

void frmInternetUpdate::Download_Next() {
    Handled(Reporter(), kModule, "Download_Next", true, [this] {
        SetLaunchTimer(false);
        size_t lNext = 0;
        while (lNext < m_info.Files.size() &&
               !(m_info.Files[lNext].Selected && !m_info.Files[lNext].Downloaded)) {
            ++lNext;
        }
        if (lNext == m_info.Files.size()) {
            EnableItem(IDC_UPD_CMDCANCELSTEP2, false);
            Status_Add(Text(IDS_UPD_ALL_DOWNLOADED), true);
            Download_InstallAll();
            return;
        }
        m_lCurrent = lNext;
        FileEntry& entry = m_info.Files[lNext];
        entry.TempFile = GetTempFile();
        const std::string sUrl = FileUrl(m_info.BaseUrl, entry.Remote);
        SetLaunchTimer(true);
        m_bFileEnded = false;
        m_objDownload->Download(sUrl, kDownloadToFile, entry.TempFile, "GET", "", "");
        // A transfer the platform refused before it started raises no completion: the entry
        // must still end, or every tick would start it again.
        if (!m_bFileEnded && !m_bClosed) objDownload_DownloadComplete(kErrRefused);
    });
}

void frmInternetUpdate::objDownload_DownloadComplete(int32_t lErrNum) {
    m_bFileEnded = true;
    Handled(Reporter(), kModule, "objDownload_DownloadComplete", true, [&] {
        if (m_lCurrent >= m_info.Files.size()) return;
        FileEntry& entry = m_info.Files[m_lCurrent];
        entry.Downloaded = true;
        UINT lOutcome = IDS_UPD_FILE_DOWNLOADED;
        if (lErrNum == kDownloadCompleted) {
            // Never decompressed unless it is the file the signed descriptor names.
            if (!File_Verify(entry)) {
                lOutcome = IDS_UPD_FILE_DAMAGED;
                RemoveFile(entry.TempFile);
            }
        } else if (lErrNum == kErrCannotReach) {
            lOutcome = IDS_UPD_FILE_REACH;
        } else if (lErrNum == kErrNotFound) {
            lOutcome = IDS_UPD_FILE_NOT_FOUND;
        } else {
            lOutcome = 0;
        }
        entry.DownloadFailed = lOutcome != IDS_UPD_FILE_DOWNLOADED;
        Status_Add(lOutcome ? Text(lOutcome, entry.Name)
                            : entry.Name + ":" + Text(IDS_UPD_ERR_CODE, HexCode(lErrNum)),
                   false);
    });
}

bool frmInternetUpdate::File_Verify(const FileEntry& entry) const {
    if (entry.eSha256 != Sha256State::Valid) return false;
    if (FileLength(entry.TempFile) != entry.Remote.Size) return false;
    const auto sDigest = FileSha256(entry.TempFile);
    return sDigest && *sDigest == HexDigits(entry.Sha256);
}

void frmInternetUpdate::Download_InstallAll() {
    Handled(Reporter(), kModule, "Download_InstallAll", true, [this] {
        Status_Add(Text(IDS_UPD_INSTALLING), false);
        for (FileEntry& entry : m_info.Files) {
            if (!entry.Selected || !entry.Downloaded || entry.DownloadFailed) continue;
            const bool bOk = File_Install(entry);
            Status_Add(Text(bOk ? IDS_UPD_INSTALLED : IDS_UPD_INSTALL_ERROR, entry.Name), false);
        }
        ShowItem(IDC_UPD_CMDCANCELSTEP2, false);
        EnableItem(IDC_UPD_LST, true);
        Status_Add(Text(IDS_UPD_ALL_INSTALLED), false);
        State().bCompleted = true;
        EnableItem(IDOK, true);
        SendMessageW(m_hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDOK)), TRUE);
    });
}

bool frmInternetUpdate::File_Install(FileEntry& entry) {
    bool bOk = false;
    Handled(Reporter(), kModule, "File_Install", true, [&] {
        const InstallContext context = MacroContext();
        const std::string sFolder = GetPathEx(entry.Local.Path, context.folders);
        // A folder below the macro folders that the installation lacks so far (the install
        // decision kept the destination inside them); a failure shows in the decompression.
        std::error_code ignored;
        std::filesystem::create_directories(std::filesystem::path(win::Widen(sFolder)), ignored);
        std::string sWritten;
        if (!entry.Differed) {
            // The name as written: "$(APP_EXENAME)" stands for the program only when deferred.
            sWritten = sFolder + entry.Local.FileName;
            bOk = DecompressFile(entry.TempFile, sWritten);
        } else {
            const std::string sTarget =
                sFolder + GetFileEx(entry.Local.FileName, context.sAppExeName);
            sWritten = sTarget + ".new";
            bOk = DecompressFile(entry.TempFile, sWritten);
            // Only over a complete ".new": an older one left by a failed run must not go in.
            const std::string& sUpdater = State().UpdaterPath;
            if (bOk && FileExists(sUpdater)) {
                ShellExecuteW(nullptr, nullptr, win::Widen(sUpdater).c_str(),
                              win::Widen(sTarget).c_str(), nullptr, SW_SHOWNORMAL);
            }
        }
        if (entry.Register) RegisterServer(sWritten, 0);
        if (entry.Restart) State().MustCloseApp = true;
    });
    return bOk;
}

}  // namespace quillon::iupdate
