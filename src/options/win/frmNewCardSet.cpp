#include "options/win/frmNewCardSet.h"

#include <commdlg.h>
#include <windowsx.h>

#include <algorithm>
#include <initializer_list>
#include <utility>

#include "engine/card_layout.h"
#include "options/card_set_rules.h"
#include "options/options_rules.h"
#include "options/win/frmNewCardSet_resource.h"
#include "shell/error_report.h"
#include "shell/win/modFiles.h"
#include "shell/win/scoped.h"
#include "shell/win/text.h"
#include "ui/win/picture_loader.h"
#include "ui/win/string_table.h"

namespace quillon::win {

namespace {

// The preview shows this many faces from the first selected picture on.
constexpr int kPreviewFaces = 4;
constexpr int kPreviewWidth = kCardWidth * kPreviewFaces;
// Room for a few hundred chosen files with long paths.
constexpr DWORD kFileListChars = 65536;

std::wstring FileNameOf(const std::wstring& sPath) {
    const size_t slash = sPath.find_last_of(L"\\/");
    return slash == std::wstring::npos ? sPath : sPath.substr(slash + 1);
}

std::wstring FolderOf(const std::wstring& sPath) {
    const size_t slash = sPath.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : sPath.substr(0, slash);
}

std::wstring Lines(const std::vector<std::wstring>& lines) {
    std::wstring text;
    for (const std::wstring& sLine : lines) text += L"\n" + sLine;
    return text;
}

}  // namespace

std::wstring OpenFilter(const std::wstring& sParts) {
    std::wstring filter = sParts;
    std::replace(filter.begin(), filter.end(), L'|', L'\0');
    return filter + L'\0';
}

std::vector<std::wstring> frmNewCardSet::SplitFileList(const wchar_t* pList) {
    std::vector<std::wstring> parts;
    for (const wchar_t* p = pList; *p; p += parts.back().size() + 1) parts.emplace_back(p);
    if (parts.size() <= 1) return parts;
    std::wstring sFolder = parts.front();
    if (sFolder.back() != L'\\') sFolder += L'\\';  // a drive's root comes with its backslash
    std::vector<std::wstring> files;
    for (size_t i = 1; i < parts.size(); ++i) files.push_back(sFolder + parts[i]);
    return files;
}

frmNewCardSet::frmNewCardSet(HINSTANCE hInstance, IErrorReporter& reporter, std::string sFolder,
                             const MemoryCanvas& mask, const MemoryCanvas& border, Rgb background)
    : m_hInstance(hInstance),
      m_reporter(reporter),
      m_sFolder(std::move(sFolder)),
      m_mask(mask),
      m_border(border),
      m_background(background),
      m_picPreview(kPreviewWidth, kCardHeight, background) {}

std::optional<std::string> frmNewCardSet::Show(HWND hOwner) {
    const INT_PTR lResult = RunModal(m_hInstance, IDD_NEWCARDSET, hOwner);
    if (lResult == -1)
        throw QuillonError(ErrInvalidCall, "The new card set dialog could not be created.");
    if (lResult != IDOK) return std::nullopt;
    return m_sCreated;
}

void frmNewCardSet::Form_Load() {
    // The preview is a picture of a fixed pixel size, whatever the dialog font makes of units.
    RECT rc{};
    GetWindowRect(Item(IDC_NCS_PICPREVIEW), &rc);
    MapWindowPoints(nullptr, m_hwnd, reinterpret_cast<POINT*>(&rc), 2);
    SetWindowPos(Item(IDC_NCS_PICPREVIEW), nullptr, rc.left, rc.top, kPreviewWidth, kCardHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    Edit_LimitText(Item(IDC_NCS_TXTNAME), kMaxSetNameLength + 20);  // room to trim spaces
    ShowCount();
    Preview();
}

void frmNewCardSet::cmdAdd_Click() {
    const std::wstring filter = OpenFilter(LoadText(m_hInstance, IDS_NCS_ADD_FILTER));
    const std::wstring title = LoadText(m_hInstance, IDS_NCS_ADD_TITLE);
    std::vector<wchar_t> list(kFileListChars, L'\0');
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = m_hwnd;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = list.data();
    ofn.nMaxFile = kFileListChars;
    ofn.lpstrInitialDir = m_lastFolder.empty() ? nullptr : m_lastFolder.c_str();
    ofn.lpstrTitle = title.c_str();
    ofn.Flags = OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST |
                OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameW(&ofn)) return;  // cancelled
    const std::vector<std::wstring> paths = SplitFileList(list.data());
    if (!paths.empty()) m_lastFolder = FolderOf(paths.front());
    AddPictures(paths);
}

void frmNewCardSet::AddPictures(const std::vector<std::wstring>& paths) {
    std::vector<std::wstring> refused, enlarged, listed;
    {
        const ScopedCursor wait(LoadCursorW(nullptr, IDC_WAIT));
        for (const std::wstring& sPath : paths) {
            const bool bListed =
                std::any_of(m_faces.begin(), m_faces.end(), [&](const CardFace& f) {
                    return CompareStringOrdinal(f.sPath.c_str(), -1, sPath.c_str(), -1, TRUE) ==
                           CSTR_EQUAL;
                });
            if (bListed) {
                listed.push_back(FileNameOf(sPath));
                continue;
            }
            try {
                m_faces.push_back(MakeCardFace(m_imaging, sPath));
            } catch (const QuillonError&) {
                refused.push_back(FileNameOf(sPath));
                continue;
            }
            if (m_faces.back().Enlarged())
                enlarged.push_back(FileNameOf(sPath) + L"  (" +
                                   std::to_wstring(m_faces.back().lSourceWidth) + L" \u00D7 " +
                                   std::to_wstring(m_faces.back().lSourceHeight) + L")");
            ListBox_AddString(Item(IDC_NCS_LSTPICTURES), FileNameOf(sPath).c_str());
        }
    }
    ShowCount();
    Preview();
    if (!refused.empty()) ShowNotice(IDS_NCS_NOT_PICTURE, {Lines(refused)}, MB_ICONEXCLAMATION);
    if (!listed.empty()) ShowNotice(IDS_NCS_ALREADY_LISTED, {Lines(listed)}, MB_ICONINFORMATION);
    if (!enlarged.empty()) ShowNotice(IDS_NCS_TOO_SMALL, {Lines(enlarged)}, MB_ICONINFORMATION);
}

void frmNewCardSet::cmdRemove_Click() {
    const HWND hList = Item(IDC_NCS_LSTPICTURES);
    const int lCount = ListBox_GetSelCount(hList);
    if (lCount <= 0) return;
    std::vector<int> selected(static_cast<size_t>(lCount));
    ListBox_GetSelItems(hList, lCount, selected.data());
    std::sort(selected.rbegin(), selected.rend());  // the last first, so the others stay put
    for (const int lIndex : selected) {
        ListBox_DeleteString(hList, lIndex);
        m_faces.erase(m_faces.begin() + lIndex);
    }
    // The picture after the removed ones takes the selection, so Remove can go on.
    const int lNext = std::min(selected.back(), static_cast<int>(m_faces.size()) - 1);
    if (lNext >= 0) ListBox_SetSel(hList, TRUE, lNext);
    ShowCount();
    Preview();
}

void frmNewCardSet::cmdCreate_Click() {
    if (PicturesMissing(m_faces.size()) != 0) return;
    const std::string sName = TrimSetName(ItemText(IDC_NCS_TXTNAME));
    const SetNameProblem problem = CheckSetName(sName);
    if (problem != SetNameProblem::None) {
        ShowNotice(IDS_NCS_NAME_EMPTY + static_cast<UINT>(problem) -
                       static_cast<UINT>(SetNameProblem::Empty),
                   {Widen(sName)}, MB_ICONEXCLAMATION);
        SetFocus(Item(IDC_NCS_TXTNAME));
        Edit_SetSel(Item(IDC_NCS_TXTNAME), 0, -1);
        return;
    }
    const std::string sPath = m_sFolder + sName + std::string(kCardSetExtension);
    if (FileExists(sPath) &&
        ShowNotice(IDS_NCS_REPLACE_QUESTION, {Widen(sName)},
                   MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, IDS_NCS_REPLACE_TITLE) != IDYES)
        return;
    try {
        const ScopedCursor wait(LoadCursorW(nullptr, IDC_WAIT));
        WriteCardSet(m_imaging, m_faces, sPath);
    } catch (const QuillonError& e) {
        ShowNotice(IDS_NCS_WRITE_FAILED, {Widen(m_sFolder), Widen(e.what())}, MB_ICONEXCLAMATION);
        return;
    }
    m_sCreated = sName;
    EndDialog(m_hwnd, IDOK);
}

void frmNewCardSet::ShowCount() {
    const int32_t lMissing = PicturesMissing(m_faces.size());
    std::wstring text;
    if (lMissing == 1)
        text = LoadText(m_hInstance, IDS_NCS_MISSING_ONE);
    else if (lMissing > 0)
        text = FillInserts(LoadText(m_hInstance, IDS_NCS_MISSING), {std::to_wstring(lMissing)});
    else if (lMissing < 0)
        text = FillInserts(LoadText(m_hInstance, IDS_NCS_TOO_MANY), {std::to_wstring(-lMissing)});
    else
        text = LoadText(m_hInstance, IDS_NCS_READY);
    SetDlgItemTextW(m_hwnd, IDC_NCS_LBLCOUNT, text.c_str());
    EnableWindow(Item(IDOK), lMissing == 0);
    EnableWindow(Item(IDC_NCS_CMDREMOVE), ListBox_GetSelCount(Item(IDC_NCS_LSTPICTURES)) > 0);
}

// The faces from the first selected picture on (the last ones when it is near the end), drawn
// with the board's mask and border.
void frmNewCardSet::Preview() {
    const int lCount = static_cast<int>(m_faces.size());
    int lFirst = 0;
    if (ListBox_GetSelCount(Item(IDC_NCS_LSTPICTURES)) > 0) {
        ListBox_GetSelItems(Item(IDC_NCS_LSTPICTURES), 1, &lFirst);
        lFirst = std::max(0, std::min(lFirst, lCount - kPreviewFaces));
    }
    const int lShown = std::min(kPreviewFaces, lCount - lFirst);
    MemoryCanvas faces(kPreviewWidth, kCardHeight, m_background);
    for (int i = 0; i < lShown; ++i)
        faces.BitBlt(kCardWidth * i, 0, kCardWidth, kCardHeight,
                     &m_faces[static_cast<size_t>(lFirst + i)].picture, 0, 0, RasterOp::Copy);
    DrawCardPreview(m_picPreview, faces, 0, lShown, m_mask, m_border, m_background);
    InvalidateRect(Item(IDC_NCS_PICPREVIEW), nullptr, FALSE);
}

int frmNewCardSet::ShowNotice(UINT lTextId, std::initializer_list<std::wstring> inserts, UINT uType,
                              UINT lTitleId) const {
    return MessageBoxW(m_hwnd, FillInserts(LoadText(m_hInstance, lTextId), inserts).c_str(),
                       LoadText(m_hInstance, lTitleId).c_str(), uType);
}

INT_PTR frmNewCardSet::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    try {
        return OnMessage(msg, wParam, lParam);
    } catch (...) {
        ReportCurrentException(m_reporter, "frmNewCardSet::HandleMessage", false);
        return TRUE;
    }
}

INT_PTR frmNewCardSet::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG:
            Form_Load();
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDC_NCS_CMDADD:
                    if (HIWORD(wParam) == BN_CLICKED) cmdAdd_Click();
                    return TRUE;
                case IDC_NCS_CMDREMOVE:
                    if (HIWORD(wParam) == BN_CLICKED) cmdRemove_Click();
                    return TRUE;
                case IDC_NCS_LSTPICTURES:
                    if (HIWORD(wParam) == LBN_SELCHANGE) {
                        ShowCount();
                        Preview();
                    }
                    return TRUE;
                case IDOK:
                    cmdCreate_Click();
                    return TRUE;
                case IDCANCEL:
                    EndDialog(m_hwnd, IDCANCEL);
                    return TRUE;
                default:
                    return FALSE;
            }
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item.CtlID != IDC_NCS_PICPREVIEW) return FALSE;
            BitBlt(item.hDC, 0, 0, kPreviewWidth, kCardHeight, m_picPreview.Dc(), 0, 0, SRCCOPY);
            return TRUE;
        }
        case WM_CLOSE:
            EndDialog(m_hwnd, IDCANCEL);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace quillon::win
