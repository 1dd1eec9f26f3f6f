#include "iupdate/win/frmSubmit.h"

#include <array>
#include <cstdio>
#include <iterator>
#include <utility>

#include "iupdate/feedback_checks.h"
#include "iupdate/feedback_request.h"
#include "iupdate/win/library_report.h"
#include "iupdate/win/library_state.h"
#include "iupdate/win/modMain.h"
#include "iupdate/win/module.h"
#include "iupdate/win/submit_resource.h"
#include "iupdate/windows_version.h"
#include "shell/win/registry_store_win.h"
#include "shell/win/text.h"
#include "ui/win/string_table.h"

namespace quillon::iupdate {

namespace {

constexpr std::string_view kModule = "frmSubmit";
constexpr std::string_view kNameValue = "Submit Name";
constexpr std::string_view kEmailValue = "Submit Email";

constexpr int32_t kUnreachable = static_cast<int32_t>(0x800C0005u);
constexpr int32_t kRelayNotFound = static_cast<int32_t>(0x800C0007u);

struct CheckTexts {
    UINT lText;
    UINT lTitle;
};

// By FeedbackCheck, in the order of the checks.
constexpr std::array<CheckTexts, 7> kCheckTexts{{
    {0, 0},  // Passed
    {IDS_SUBMIT_NAME_EMPTY, IDS_SUBMIT_TITLE_NAME},
    {IDS_SUBMIT_EMAIL_SHORT, IDS_SUBMIT_TITLE_EMAIL},
    {IDS_SUBMIT_FEEDBACK_EMPTY, IDS_SUBMIT_TITLE_FEEDBACK},
    {IDS_SUBMIT_EMAIL_NO_AT, IDS_SUBMIT_TITLE_EMAIL},
    {IDS_SUBMIT_EMAIL_PERIOD, IDS_SUBMIT_TITLE_EMAIL},
    {IDS_SUBMIT_EMAIL_FORMAT, IDS_SUBMIT_TITLE_EMAIL},
}};

std::wstring Text(UINT lId) { return win::LoadText(Module(), lId); }

// The system's own version: GetVersionEx would answer what the host program is manifested
// for, not what runs. Empty when the system does not say.
std::string SystemWindowsVer() {
    using GetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    const auto getVersion = reinterpret_cast<GetVersionFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll"), "RtlGetVersion")));
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!getVersion || getVersion(&info) != 0) return {};
    return GetWindowsVer(
        static_cast<int32_t>(info.dwMajorVersion), static_cast<int32_t>(info.dwMinorVersion),
        static_cast<int32_t>(info.dwBuildNumber), static_cast<int32_t>(info.dwPlatformId));
}

std::string ReadText(std::string_view sName) {
    const RegValue value = win::WinRegistryStore().Read(RegRoot::CurrentUser, kSubmitKey, sName);
    const auto* pText = std::get_if<std::string>(&value);
    return pText ? *pText : std::string();
}

}  // namespace

std::string RelayUrl() { return QUILLON_SERVER "/updates/submit.asp"; }

frmSubmit::frmSubmit(std::string sRelayUrl) : m_sRelayUrl(std::move(sRelayUrl)) {}

void frmSubmit::Show(HWND hOwner) {
    if (RunModal(Module(), IDD_SUBMIT, hOwner) == -1) {
        throw QuillonError(ErrInvalidCall, "The feedback window could not be created.");
    }
}

INT_PTR frmSubmit::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG:
            Form_Load();
            Form_Activate();
            return FALSE;  // the focus is set
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDC_SUBMIT_CMDOK:
                    if (!Sending()) cmdOK_Click();
                    return TRUE;
                case IDC_SUBMIT_CMDCANCEL:  // also Escape and the close box
                    // A request runs inside this window's call: it cannot close before it ends.
                    if (!Sending()) EndDialog(m_hwnd, IDCANCEL);
                    return TRUE;
                case IDC_SUBMIT_TXTNAME:
                case IDC_SUBMIT_TXTEMAIL:
                    // txtName_GotFocus, txtEmail_GotFocus: the whole text selected.
                    if (HIWORD(wParam) == EN_SETFOCUS) {
                        SendMessageW(reinterpret_cast<HWND>(lParam), EM_SETSEL, 0, -1);
                    }
                    return TRUE;
                case IDC_SUBMIT_TXTFEEDBACK:
                    // txtFeedback_Change: the caret at the end, nothing selected.
                    if (HIWORD(wParam) == EN_CHANGE) {
                        const auto hBox = reinterpret_cast<HWND>(lParam);
                        const int lEnd = GetWindowTextLengthW(hBox);
                        SendMessageW(hBox, EM_SETSEL, static_cast<WPARAM>(lEnd), lEnd);
                    }
                    return TRUE;
                default:
                    return FALSE;
            }
        case WM_SETCURSOR:
            if (!m_bBusy) return FALSE;
            SetCursor(LoadCursorW(nullptr, IDC_WAIT));
            SetWindowLongPtrW(m_hwnd, DWLP_MSGRESULT, TRUE);
            return TRUE;
        case WM_DESTROY:
            Form_Unload();
            return FALSE;
        default:
            return FALSE;
    }
}

void frmSubmit::Form_Load() {
    Handled(Reporter(), kModule, "Form_Load", true, [&] {
        SetFlatBar(Item(IDC_SUBMIT_PICINSTALL));
        objSend = clsAsyncDownload::Create(this);
        // Nothing remembered yet reads as empty.
        SetWindowTextW(Item(IDC_SUBMIT_TXTNAME), win::Widen(ReadText(kNameValue)).c_str());
        SetWindowTextW(Item(IDC_SUBMIT_TXTEMAIL), win::Widen(ReadText(kEmailValue)).c_str());
    });
}

// Done once, as the window first shows; later activations keep the focus where it was.
void frmSubmit::Form_Activate() {
    const bool bName = GetWindowTextLengthW(Item(IDC_SUBMIT_TXTNAME)) > 0;
    const bool bEmail = GetWindowTextLengthW(Item(IDC_SUBMIT_TXTEMAIL)) > 0;
    SetFocus(Item(bName && bEmail ? IDC_SUBMIT_TXTFEEDBACK
                  : bName         ? IDC_SUBMIT_TXTEMAIL
                                  : IDC_SUBMIT_TXTNAME));
}

void frmSubmit::Form_Unload() {
    // Also after Cancel or a failed request; a registry that refuses is ignored.
    win::WinRegistryStore store;
    store.Write(RegRoot::CurrentUser, kSubmitKey, kNameValue, ItemText(IDC_SUBMIT_TXTNAME));
    store.Write(RegRoot::CurrentUser, kSubmitKey, kEmailValue, ItemText(IDC_SUBMIT_TXTEMAIL));
    objSend.reset();
}

void frmSubmit::cmdOK_Click() {
    Handled(Reporter(), kModule, "cmdOK_Click", true, [&] {
        if (!IsValid()) return;
        SetButtons(false);
        Send_Email();
        // A request that never came to an end (refused, or failed to start) must leave the
        // window usable.
        if (!m_bCompleted) {
            SetBusy(false);
            SetButtons(true);
        }
    });
}

bool frmSubmit::IsValid() {
    bool bValid = false;
    Handled(Reporter(), kModule, "IsValid", true, [&] {
        const FeedbackCheck eCheck =
            quillon::IsValid(ItemText(IDC_SUBMIT_TXTNAME), ItemText(IDC_SUBMIT_TXTEMAIL),
                             ItemText(IDC_SUBMIT_TXTFEEDBACK));
        bValid = eCheck == FeedbackCheck::Passed;
        if (bValid) return;
        const CheckTexts& texts = kCheckTexts.at(static_cast<size_t>(eCheck));
        Message(texts.lText, Text(texts.lTitle), MB_ICONINFORMATION);
    });
    return bValid;
}

void frmSubmit::Send_Email() {
    m_bCompleted = false;
    m_lHttpStatus = 0;
    Handled(Reporter(), kModule, "Send_Email", true, [&] {
        const LibraryState& state = State();
        FeedbackFields fields;
        fields.sName = ItemText(IDC_SUBMIT_TXTNAME);
        fields.sEmail = ItemText(IDC_SUBMIT_TXTEMAIL);
        fields.sAppExeName = state.sAppExeName;
        fields.lAppMajor = state.lAppMajor;
        fields.lAppMinor = state.lAppMinor;
        fields.lAppRev = state.lAppRev;
        fields.sVersionExtra = state.sVersionExtra;
        fields.sAdodbVersion = state.sAdodbVersion;
        fields.sWindows = SystemWindowsVer();
        fields.sFeedback = ItemText(IDC_SUBMIT_TXTFEEDBACK);
        const std::string sRequest = FeedbackRequestText(fields);

        if (!objSend) throw QuillonError(ErrCannotCreateObject, "No download object.");
        SetBusy(true);
        objSend->SetFlags(BINDF_GETNEWESTVERSION);
        m_sReplyFile = GetTempFile();
        // POST, not the GET of old: a GET's body is dropped on the way.
        objSend->Download(m_sRelayUrl, kDownloadToFile, m_sReplyFile, "POST", "", sRequest);
        if (!m_bCompleted) {
            throw QuillonError(static_cast<int32_t>(INET_E_INVALID_URL),
                               "The feedback relay address was refused: " + m_sRelayUrl);
        }
    });
    // The relay's answer is not read.
    if (!m_sReplyFile.empty()) RemoveFile(std::exchange(m_sReplyFile, {}));
}

void frmSubmit::HTTPResponse(int32_t lResponse, const std::string&) { m_lHttpStatus = lResponse; }

void frmSubmit::DownloadComplete(int32_t lErrNum) {
    SetBusy(false);
    m_bCompleted = true;
    const std::wstring sError = Text(IDS_SUBMIT_ERROR_TITLE);
    bool bSent = false;
    if (lErrNum == kUnreachable) {
        Message(IDS_SUBMIT_UNREACHABLE, sError, MB_ICONEXCLAMATION);
    } else if (lErrNum == kRelayNotFound) {
        Message(IDS_SUBMIT_NO_RELAY, sError, MB_ICONEXCLAMATION);
    } else if ((lErrNum == 0 || lErrNum == kDownloadCompleted) && m_lHttpStatus < 400) {
        bSent = true;
        Message(IDS_SUBMIT_SENT, Text(IDS_SUBMIT_SENT_TITLE), MB_ICONINFORMATION);
    } else {
        // A relay that answered with an error status is named by that status.
        std::wstring sTitle;
        if (m_lHttpStatus >= 400) {
            sTitle =
                win::FillInserts(Text(IDS_SUBMIT_HTTP_TITLE), {std::to_wstring(m_lHttpStatus)});
        } else {
            wchar_t hex[16];
            std::swprintf(hex, std::size(hex), L"%X", static_cast<unsigned>(lErrNum));
            sTitle = Text(IDS_SUBMIT_ERRNUM_TITLE) + hex;
        }
        Message(IDS_SUBMIT_UNKNOWN, sTitle, MB_ICONHAND);
    }
    const int lShow = bSent ? SW_HIDE : SW_SHOW;
    ShowWindow(Item(IDC_SUBMIT_CMDOK), lShow);
    ShowWindow(Item(IDC_SUBMIT_CMDCANCEL), lShow);
    SetButtons(true);
    if (bSent) {
        EndDialog(m_hwnd, IDOK);
    } else {
        // The focus was on the disabled button: give the keyboard its way back in.
        SendMessageW(m_hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDC_SUBMIT_CMDOK)), TRUE);
    }
}

bool frmSubmit::Sending() const { return !IsWindowEnabled(Item(IDC_SUBMIT_CMDCANCEL)); }

void frmSubmit::SetButtons(bool bEnabled) {
    EnableWindow(Item(IDC_SUBMIT_CMDOK), bEnabled);
    EnableWindow(Item(IDC_SUBMIT_CMDCANCEL), bEnabled);
}

void frmSubmit::SetBusy(bool bBusy) {
    m_bBusy = bBusy;
    SetCursor(LoadCursorW(nullptr, bBusy ? IDC_WAIT : IDC_ARROW));
}

int frmSubmit::Message(UINT lTextId, const std::wstring& sTitle, UINT uIcon) const {
    return MessageBoxW(m_hwnd, Text(lTextId).c_str(), sTitle.c_str(), MB_OK | uIcon);
}

}  // namespace quillon::iupdate
