#include "iupdate/win/frmInternetUpdate.h"

#include <utility>

#include "iupdate/path_macros.h"
#include "iupdate/win/download_outcome.h"
#include "iupdate/win/frmInternetUpdate_resource.h"
#include "iupdate/win/library_report.h"
#include "iupdate/win/library_state.h"
#include "iupdate/win/modMain.h"
#include "iupdate/win/module.h"
#include "iupdate/wizard_rules.h"
#include "shell/error_report.h"
#include "shell/paths.h"
#include "shell/win/text.h"
#include "ui/win/string_table.h"

namespace quillon::iupdate {

namespace {

constexpr std::string_view kModule = "frmInternetUpdate";
// The progress statuses the log tells.
constexpr int32_t kStatusConnecting = 2;
constexpr int32_t kStatusRedirecting = 3;
constexpr int32_t kStatusCachedCopy = 10;

template <typename Body>
void Reported(std::string_view sProcedure, Body&& body) {
    Handled(Reporter(), kModule, sProcedure, true, std::forward<Body>(body));
}

}  // namespace

frmInternetUpdate::frmInternetUpdate() = default;

frmInternetUpdate::~frmInternetUpdate() {
    Form_Unload();
    Destroy();
}

bool frmInternetUpdate::Load() {
    if (m_hwnd) return true;
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    if (!CreateModeless(Module(), IDD_INTERNETUPDATE, nullptr)) return false;
    Form_Load();
    return true;
}

void frmInternetUpdate::Form_Load() {
    m_sLog = Text(IDS_UPD_INVITATION) + "\r\n";
    SetWindowTextW(Item(IDC_UPD_TXTSTATUS), win::Widen(m_sLog).c_str());
    SetFlatBar(Item(IDC_UPD_TXTSTATUS));
    SetFlatBar(Item(IDC_UPD_PICINSTALL));
    List_Setup();
}

// Releasing a download object aborts its transfer; the descriptor goes with the window, and so
// do downloads that were not installed (an installed one is gone already).
void frmInternetUpdate::Form_Unload() {
    if (m_hwnd) SetLaunchTimer(false);
    m_objDownload.reset();
    m_objRelease.reset();
    if (!m_sDescriptorFile.empty()) RemoveFile(std::exchange(m_sDescriptorFile, {}));
    for (FileEntry& entry : m_info.Files) {
        if (!entry.TempFile.empty()) RemoveFile(std::exchange(entry.TempFile, {}));
    }
}

void frmInternetUpdate::ShowModal(HWND hOwner) {
    m_bClosed = false;
    // Form_Activate: the framed area's first control takes the focus.
    if (!ShowModeless(hOwner, Item(IDC_UPD_CMDSTARTSTEP1), [this] { return m_bClosed; })) Close();
    Form_Unload();
}

void frmInternetUpdate::EndModal() {
    m_bClosed = true;
    SetLaunchTimer(false);
}

void frmInternetUpdate::Close() {
    EndModal();
    if (m_objRelease) m_objRelease->AbortDownload();
    if (m_objDownload) m_objDownload->AbortDownload();
}

INT_PTR frmInternetUpdate::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG:
            return TRUE;
        case WM_COMMAND:
            return HIWORD(wParam) == BN_CLICKED && OnCommand(LOWORD(wParam));
        case WM_CLOSE:
            Close();
            return TRUE;
        case WM_TIMER:
            if (wParam == kTimerLaunch) tmrlaunch_Timer();
            return TRUE;
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<NMHDR*>(lParam));
        case kMsgListClick:
            lst_Click(static_cast<int>(wParam));
            return TRUE;
        case WM_DRAWITEM:
            // The framed area is its edge alone: nothing is drawn over what it frames.
            return wParam == IDC_UPD_PICINSTALL;
        default:
            break;
    }
    return FALSE;
}

bool frmInternetUpdate::OnCommand(int lId) {
    switch (lId) {
        case IDC_UPD_CMDSTARTSTEP1:
            cmdStartStep1_Click();
            return true;
        case IDC_UPD_CMDCANCELSTEP1:
            cmdCancelStep1_Click();
            return true;
        case IDC_UPD_CMDSTARTSTEP2:
            cmdStartStep2_Click();
            return true;
        case IDC_UPD_CMDCANCELSTEP2:
            cmdCancelStep2_Click();
            return true;
        case IDOK:
            cmdOK_Click();
            return true;
        default:
            // Escape (IDCANCEL) leaves the window open: only Exit and the close box end it.
            return false;
    }
}

bool frmInternetUpdate::OnNotify(NMHDR& header) {
    if (header.idFrom != IDC_UPD_LST) return false;
    switch (header.code) {
        case LVN_ITEMCHANGING:
            // TRUE refuses the change.
            SetWindowLongPtrW(m_hwnd, DWLP_MSGRESULT,
                              lst_ItemChanging(reinterpret_cast<const NMLISTVIEW&>(header)));
            return true;
        case LVN_ITEMCHANGED:
            lst_ItemChanged(reinterpret_cast<const NMLISTVIEW&>(header));
            return true;
        case NM_CUSTOMDRAW:
            lst_CustomDraw(reinterpret_cast<NMLVCUSTOMDRAW&>(header));
            return true;
        default:
            return false;
    }
}

void frmInternetUpdate::cmdStartStep1_Click() {
    Reported("cmdStartStep1_Click", [this] {
        EnableItem(IDOK, false);
        ShowItem(IDC_UPD_CMDSTARTSTEP1, false);
        ShowItem(IDC_UPD_CMDCANCELSTEP1, true);
        SendMessageW(m_hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDC_UPD_CMDCANCELSTEP1)),
                     TRUE);
        Status_Add(Text(IDS_UPD_STARTING), false);

        m_objRelease = clsAsyncDownload::Create(&m_releaseEvents);
        m_sDescriptorFile = GetTempFile();
        // A body that changes with every request, so that no cache answers it.
        const std::string sPostData =
            "vyxver=1&rnd=" + std::to_string(static_cast<int32_t>(GetTickCount()));
        m_bReleaseEnded = false;
        m_objRelease->Download(State().sXmlUrl, kDownloadToFile, m_sDescriptorFile, "POST", "",
                               sPostData);
        // A transfer the platform refused before it started (a malformed address) raises no
        // completion; without one the window would wait on step 1 with Exit disabled.
        if (!m_bReleaseEnded && !m_bClosed) objRelease_DownloadComplete(kErrRefused);
    });
}

void frmInternetUpdate::cmdCancelStep1_Click() {
    Reported("cmdCancelStep1_Click", [this] {
        EnableItem(IDC_UPD_CMDCANCELSTEP1, false);
        Status_Add(Text(IDS_UPD_ABORTED), false);
        if (m_objRelease) m_objRelease->AbortDownload();
        EnableItem(IDOK, true);
    });
}

void frmInternetUpdate::cmdOK_Click() {
    State().ExitPressed = true;
    Close();
}

void frmInternetUpdate::objRelease_StartingDownload() {
    Status_Add(Text(IDS_UPD_RETRIEVING), false);
}

void frmInternetUpdate::objRelease_Progress(int32_t, int32_t lStatus, const std::string& sText) {
    switch (lStatus) {
        case kStatusConnecting:
            Status_Add(Text(IDS_UPD_CONNECTING, sText), false);
            break;
        case kStatusRedirecting:
            Status_Add(Text(IDS_UPD_REDIRECTING, sText), false);
            break;
        case kStatusCachedCopy:
            Status_Add(Text(IDS_UPD_CACHED), false);
            break;
        default:
            break;
    }
}

void frmInternetUpdate::objRelease_DownloadComplete(int32_t lErrNum) {
    m_bReleaseEnded = true;
    Reported("objRelease_DownloadComplete", [&] {
        if (lErrNum == kDownloadCompleted) {
            Status_Add(Text(IDS_UPD_DATA_DOWNLOADED), false);
            if (!m_bClosed) File_Parse();
            return;
        }
        if (lErrNum == kErrCannotReach) {
            Status_Add(Text(IDS_UPD_ERR_REACH), false);
        } else if (lErrNum == kErrNotFound) {
            Status_Add(Text(IDS_UPD_ERR_NOT_FOUND), false);
        } else {
            Status_Add(Text(IDS_UPD_ERR_CODE, HexCode(lErrNum)), false);
        }
        EnableItem(IDOK, true);
        ShowItem(IDC_UPD_CMDCANCELSTEP1, false);
        SendMessageW(m_hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDOK)), TRUE);
    });
}

void frmInternetUpdate::Status_Add(std::string_view sText, bool bAppend) {
    m_sLog = quillon::Status_Add(m_sLog, sText, bAppend);
    SetWindowTextW(Item(IDC_UPD_TXTSTATUS), win::Widen(m_sLog).c_str());
}

std::string frmInternetUpdate::Text(UINT lId, std::string_view sArgument) {
    return ReplaceAll(win::LoadTextUtf8(Module(), lId), "%1", sArgument);
}

void frmInternetUpdate::ShowItem(int lId, bool bShow) {
    ShowWindow(Item(lId), bShow ? SW_SHOWNA : SW_HIDE);
}

void frmInternetUpdate::EnableItem(int lId, bool bEnable) { EnableWindow(Item(lId), bEnable); }

}  // namespace quillon::iupdate
