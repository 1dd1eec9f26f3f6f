// The update wizard between its two steps: the descriptor read and judged, and the list of the
// files it offers, with check boxes, category header rows and the total size.

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "iupdate/descriptor_signature.h"
#include "iupdate/install_decision.h"
#include "iupdate/win/frmInternetUpdate.h"
#include "iupdate/win/frmInternetUpdate_resource.h"
#include "iupdate/win/installed_files.h"
#include "iupdate/win/library_report.h"
#include "iupdate/win/library_state.h"
#include "iupdate/win/module.h"
#include "iupdate/win/update_verify.h"
#include "shell/error_report.h"
#include "shell/win/text.h"

namespace quillon::iupdate {

namespace {

constexpr std::string_view kModule = "frmInternetUpdate";
// The strip's icons in the order of the descriptor's icon keys.
constexpr std::string_view kIconKeys[] = {"IMG", "OCX", "HLP", "CHM",  "TTF",  "DLL",
                                          "EXE", "PIC", "AVI", "BOOK", "FILE", "NEWS"};
constexpr COLORREF kIconTransparent = RGB(255, 0, 255);
constexpr int kIconSize = 16;
// The list's columns: the file, its description, its mandatory mark.
constexpr int kColumnFile = 0;
constexpr int kColumnDescription = 1;
constexpr int kColumnRequired = 2;

int IconIndex(std::string_view sKey) {
    const auto at = std::find(std::begin(kIconKeys), std::end(kIconKeys), sKey);
    return at == std::end(kIconKeys) ? I_IMAGENONE : static_cast<int>(at - std::begin(kIconKeys));
}

// Without the spaces at either end, as the shell wants an address.
std::string Trim(std::string_view s) {
    const size_t lFirst = s.find_first_not_of(' ');
    if (lFirst == std::string_view::npos) return {};
    return std::string(s.substr(lFirst, s.find_last_not_of(' ') - lFirst + 1));
}

// The check box image a row shows: 0 none, 1 unchecked, 2 checked.
UINT StateImage(UINT lState) { return (lState & LVIS_STATEIMAGEMASK) >> 12; }

// The whole file, or as much of it as a descriptor may hold and one byte more.
std::string ReadDescriptor(const std::string& sPath) {
    std::ifstream in(std::filesystem::path(win::Widen(sPath)), std::ios::binary);
    if (!in) throw QuillonError(ErrPathFileAccess, "The update information cannot be read.");
    std::string sBytes(kMaxDescriptorBytes + 1, '\0');
    in.read(sBytes.data(), static_cast<std::streamsize>(sBytes.size()));
    sBytes.resize(static_cast<size_t>(in.gcount()));
    return sBytes;
}

}  // namespace

void frmInternetUpdate::List_Setup() {
    const HWND hList = Item(IDC_UPD_LST);
    ListView_SetExtendedListViewStyle(hList, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    m_icons.Reset(ImageList_Create(kIconSize, kIconSize, ILC_COLOR24 | ILC_MASK,
                                   static_cast<int>(std::size(kIconKeys)), 0));
    const win::ScopedGdiObject strip(LoadImageW(Module(), L"WIZARD_ICONS", IMAGE_BITMAP, 0, 0, 0));
    if (!strip) throw QuillonError(326, "Resource with identifier 'WIZARD_ICONS' not found");
    ImageList_AddMasked(m_icons.Get(), static_cast<HBITMAP>(strip.Get()), kIconTransparent);
    ListView_SetImageList(hList, m_icons.Get(), LVSIL_SMALL);

    RECT client{};
    GetClientRect(hList, &client);
    const int lWidth = client.right - GetSystemMetrics(SM_CXVSCROLL);
    const int lRequired = lWidth / 6;
    const int lFile = (lWidth - lRequired) * 9 / 20;
    const struct {
        UINT lTextId;
        int lWidth;
    } columns[] = {{IDS_UPD_COLUMN_FILE, lFile},
                   {IDS_UPD_COLUMN_DESCRIPTION, lWidth - lRequired - lFile},
                   {IDS_UPD_COLUMN_REQUIRED, lRequired}};
    for (int lColumn = 0; lColumn < static_cast<int>(std::size(columns)); ++lColumn) {
        std::wstring sText = win::Widen(Text(columns[lColumn].lTextId));
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = sText.data();
        column.cx = columns[lColumn].lWidth;
        column.iSubItem = lColumn;
        ListView_InsertColumn(hList, lColumn, &column);
    }
    // Header rows in the dialog's font, bold.
    LOGFONTW font{};
    const auto hDialogFont = reinterpret_cast<HFONT>(SendMessageW(m_hwnd, WM_GETFONT, 0, 0));
    if (hDialogFont && GetObjectW(hDialogFont, sizeof font, &font)) {
        font.lfWeight = FW_BOLD;
        m_headerFont.Reset(CreateFontIndirectW(&font));
    }
}

// Runs inside the descriptor's completion, whose binding the platform still holds: the window
// ends without aborting it.
void frmInternetUpdate::File_Parse() {
    ShowItem(IDC_UPD_CMDCANCELSTEP1, false);
    ShowItem(IDC_UPD_CMDSTARTSTEP2, true);
    EnableItem(IDC_UPD_CMDSTARTSTEP2, false);
    EnableItem(IDOK, true);
    SendMessageW(m_hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDOK)), TRUE);
    if (!File_Read()) return;

    LibraryState& state = State();
    const VersionRec installed{state.lAppMajor, state.lAppMinor, state.lAppRev};
    InstalledFiles files;
    const ParseDecision decision =
        File_ParseDecision(m_info, installed, MacroContext(), files, Reporter());
    for (const std::string& sRefusal : decision.refusals) Status_Add(sRefusal, false);

    switch (decision.eOutcome) {
        case ParseOutcome::NewVersion: {
            const int lAnswer = MessageBoxW(m_hwnd, win::Widen(Text(IDS_UPD_NEW_VERSION)).c_str(),
                                            win::Widen(Text(IDS_UPD_NEW_VERSION_TITLE)).c_str(),
                                            MB_YESNO | MB_ICONQUESTION);
            if (lAnswer == IDYES) {
                ShellExecuteW(m_hwnd, L"open", win::Widen(Trim(m_info.Url)).c_str(), nullptr,
                              nullptr, SW_SHOWNORMAL);
            }
            state.NewVersionAvailable = true;
            state.bCompleted = true;
            EndModal();
            return;
        }
        case ParseOutcome::NoUpdates:
            MessageBoxW(m_hwnd, win::Widen(Text(IDS_UPD_NO_UPDATES)).c_str(),
                        win::Widen(Text(IDS_UPD_NO_UPDATES_TITLE)).c_str(), MB_OK);
            state.bCompleted = true;
            EndModal();
            return;
        case ParseOutcome::FilesListed:
            break;
    }
    Create_List();
    ShowItem(IDC_UPD_LST, true);
    ShowItem(IDC_UPD_LBLDOWNLOAD, true);
    CheckFileSize();
    EnableItem(IDC_UPD_CMDSTARTSTEP2, LV_HasChecked());
    SendMessageW(m_hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDC_UPD_CMDSTARTSTEP2)),
                 TRUE);
}

// Nothing of a descriptor is read before its signature holds: the bytes checked are the bytes
// downloaded, converted from the system's code page only afterwards.
bool frmInternetUpdate::File_Read() {
    bool bRead = false;
    Handled(Reporter(), kModule, "File_Read", true, [&] {
        const std::string sBytes = ReadDescriptor(m_sDescriptorFile);
        const SignedDescriptor split = SplitSignedDescriptor(sBytes);
        if (split.eProblem != SignatureProblem::None ||
            !VerifyDescriptor(split.sSigned, split.signature)) {
            Status_Add(Text(IDS_UPD_ERR_UNVERIFIED), false);
            return;
        }
        m_info = quillon::File_Read(win::AnsiToUtf8(split.sSigned), Reporter());
        bRead = true;
    });
    return bRead;
}

void frmInternetUpdate::Create_List() {
    Handled(Reporter(), kModule, "Create_List", true, [this] {
        const HWND hList = Item(IDC_UPD_LST);
        ListView_DeleteAllItems(hList);
        m_rows = quillon::Create_List(m_info.Files);
        m_bFilling = true;
        for (size_t lRow = 0; lRow < m_rows.size(); ++lRow) {
            const ListRow& row = m_rows[lRow];
            std::wstring sCaption = win::Widen(row.sCaption);
            LVITEMW item{};
            item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE | LVIF_INDENT | LVIF_STATE;
            item.iItem = static_cast<int>(lRow);
            item.pszText = sCaption.data();
            item.lParam = static_cast<LPARAM>(lRow);
            const bool bFile = row.lType == kRowFile;
            item.iImage = bFile ? IconIndex(row.sIcon) : I_IMAGENONE;
            // Files one level below their category's header.
            item.iIndent = bFile ? 1 : 0;
            item.stateMask = LVIS_STATEIMAGEMASK;
            item.state = INDEXTOSTATEIMAGEMASK(bFile ? 2 : 0);
            const int lIndex = ListView_InsertItem(hList, &item);
            if (lIndex < 0) continue;
            // The platform gives a new row the unchecked box whatever it was asked for.
            ListView_SetItemState(hList, lIndex, item.state, LVIS_STATEIMAGEMASK);
            if (!bFile) continue;
            std::wstring sDescription = win::Widen(row.sDescription);
            ListView_SetItemText(hList, lIndex, kColumnDescription, sDescription.data());
            if (row.bMandatory) {
                std::wstring sRequired = win::Widen(Text(IDS_UPD_REQUIRED));
                ListView_SetItemText(hList, lIndex, kColumnRequired, sRequired.data());
            }
        }
        m_bFilling = false;
    });
    m_bFilling = false;
}

bool frmInternetUpdate::lst_ItemChanging(const NMLISTVIEW& change) const {
    if (!(change.uChanged & LVIF_STATE) || change.lParam < 0 ||
        static_cast<size_t>(change.lParam) >= m_rows.size()) {
        return false;
    }
    const bool bHeader = m_rows[static_cast<size_t>(change.lParam)].lType != kRowFile;
    return bHeader && StateImage(change.uNewState) != 0;
}

// A check box the user changed is handled once the list has finished its own click, so that
// the message box does not run inside the list's notification.
void frmInternetUpdate::lst_ItemChanged(const NMLISTVIEW& change) {
    if (m_bFilling || !(change.uChanged & LVIF_STATE) || change.iItem < 0) return;
    const UINT lOld = StateImage(change.uOldState), lNew = StateImage(change.uNewState);
    if (lOld == 0 || lNew == 0 || lOld == lNew) return;
    PostMessageW(m_hwnd, kMsgListClick, static_cast<WPARAM>(change.iItem), 0);
}

void frmInternetUpdate::lst_Click(int lRow) {
    if (m_bFilling) return;
    m_bFilling = true;
    Handled(Reporter(), kModule, "lst_Click", true, [&] {
        const HWND hList = Item(IDC_UPD_LST);
        const FileEntry* entry = RowEntry(lRow);
        if (entry && entry->Download && !ListView_GetCheckState(hList, lRow)) {
            MessageBoxW(m_hwnd, win::Widen(Text(IDS_UPD_MANDATORY)).c_str(), L"",
                        MB_OK | MB_ICONEXCLAMATION);
            ListView_SetCheckState(hList, lRow, TRUE);
        }
        EnableItem(IDC_UPD_CMDSTARTSTEP2, LV_HasChecked());
        CheckFileSize();
    });
    m_bFilling = false;
}

void frmInternetUpdate::lst_CustomDraw(NMLVCUSTOMDRAW& draw) const {
    switch (draw.nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            SetWindowLongPtrW(m_hwnd, DWLP_MSGRESULT, CDRF_NOTIFYITEMDRAW);
            return;
        case CDDS_ITEMPREPAINT: {
            const size_t lRow = static_cast<size_t>(draw.nmcd.lItemlParam);
            const bool bHeader = lRow < m_rows.size() && m_rows[lRow].lType != kRowFile;
            if (bHeader && m_headerFont) {
                SelectObject(draw.nmcd.hdc, m_headerFont.Get());
                SetWindowLongPtrW(m_hwnd, DWLP_MSGRESULT, CDRF_NEWFONT);
                return;
            }
            break;
        }
        default:
            break;
    }
    SetWindowLongPtrW(m_hwnd, DWLP_MSGRESULT, CDRF_DODEFAULT);
}

FileEntry* frmInternetUpdate::RowEntry(int lRow) {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = lRow;
    if (!ListView_GetItem(Item(IDC_UPD_LST), &item) || item.lParam < 0 ||
        static_cast<size_t>(item.lParam) >= m_rows.size()) {
        return nullptr;
    }
    const auto lIndex = FileRowIndex(m_rows[static_cast<size_t>(item.lParam)].sKey);
    if (!lIndex || *lIndex > m_info.Files.size()) return nullptr;
    return &m_info.Files[*lIndex - 1];
}

std::vector<size_t> frmInternetUpdate::CheckedEntries() const {
    std::vector<size_t> checked;
    const HWND hList = Item(IDC_UPD_LST);
    for (int lRow = 0; lRow < ListView_GetItemCount(hList); ++lRow) {
        if (!ListView_GetCheckState(hList, lRow)) continue;
        LVITEMW item{};
        item.mask = LVIF_PARAM;
        item.iItem = lRow;
        if (!ListView_GetItem(hList, &item) || item.lParam < 0 ||
            static_cast<size_t>(item.lParam) >= m_rows.size()) {
            continue;
        }
        const ListRow& row = m_rows[static_cast<size_t>(item.lParam)];
        if (row.lType != kRowFile) continue;
        if (const auto lIndex = FileRowIndex(row.sKey)) checked.push_back(*lIndex);
    }
    return checked;
}

void frmInternetUpdate::CheckFileSize() {
    const std::vector<size_t> checked = CheckedEntries();
    SetWindowTextW(Item(IDC_UPD_LBLDOWNLOAD),
                   win::Widen(quillon::CheckFileSize(m_info.Files, checked)).c_str());
}

bool frmInternetUpdate::LV_HasChecked() const { return !CheckedEntries().empty(); }

void frmInternetUpdate::Download_CheckAll() {
    for (const size_t lIndex : CheckedEntries()) {
        if (lIndex >= 1 && lIndex <= m_info.Files.size()) m_info.Files[lIndex - 1].Selected = true;
    }
}

}  // namespace quillon::iupdate
