#include "iupdate/win/frmAbout.h"

#include <shellapi.h>

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

#include "VyxIUpdate_h.h"
#include "iupdate/about_rules.h"
#include "iupdate/win/frmAbout_resource.h"
#include "iupdate/win/library_report.h"
#include "iupdate/win/library_state.h"
#include "iupdate/win/license_text.h"
#include "iupdate/win/modMain.h"
#include "iupdate/win/module.h"
#include "shell/error_report.h"
#include "shell/win/resource_bytes.h"
#include "shell/win/text.h"
#include "ui/win/string_table.h"

namespace quillon::iupdate {

namespace {

constexpr std::string_view kModule = "frmAbout";
// The number a failure to find a resource carries.
constexpr int32_t kErrResourceNotFound = 326;
constexpr int kLogoLeft = 5;
constexpr int kLogoTop = 5;
constexpr COLORREF kIconTransparent = RGB(255, 0, 255);
constexpr int kIconSize = 16;

[[noreturn]] void ThrowNoResource(std::string_view sName) {
    throw QuillonError(kErrResourceNotFound,
                       "Resource with identifier '" + std::string(sName) + "' not found");
}

win::ScopedGdiObject LoadBitmapResource(const wchar_t* szName, std::string_view sName) {
    win::ScopedGdiObject bitmap(LoadImageW(Module(), szName, IMAGE_BITMAP, 0, 0, 0));
    if (!bitmap) ThrowNoResource(sName);
    return bitmap;
}

// The ICONS value as an index into the strip of icons, which follows the enumeration's order.
int IconIndex(int32_t eIcon) {
    return eIcon >= ICON_EXE && eIcon <= ICON_MCD ? eIcon - ICON_EXE : I_IMAGENONE;
}

class PaintScope {
  public:
    explicit PaintScope(HWND hwnd) : m_hwnd(hwnd), m_hdc(BeginPaint(hwnd, &m_paint)) {}
    ~PaintScope() { EndPaint(m_hwnd, &m_paint); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC Dc() const { return m_hdc; }

  private:
    HWND m_hwnd;
    PAINTSTRUCT m_paint{};
    HDC m_hdc;
};

struct StreamSource {
    std::string_view bytes;
};

DWORD CALLBACK ReadStream(DWORD_PTR cookie, LPBYTE pBuffer, LONG lWanted, LONG* plGiven) {
    auto& source = *reinterpret_cast<StreamSource*>(cookie);
    const size_t lCount = std::min(source.bytes.size(), static_cast<size_t>(lWanted));
    source.bytes.copy(reinterpret_cast<char*>(pBuffer), lCount);
    source.bytes.remove_prefix(lCount);
    *plGiven = static_cast<LONG>(lCount);
    return 0;
}

}  // namespace

frmAbout::frmAbout() = default;

// The window goes before the rich-text library that its control's procedure lives in.
frmAbout::~frmAbout() { Destroy(); }

bool frmAbout::Load() {
    if (m_hwnd) return true;
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    if (!CreateModeless(Module(), IDD_ABOUT, nullptr)) return false;
    Form_Load();
    return true;
}

// Each step reports its own failure and the next one still runs, so that a missing logo or
// license leaves only that part of the window empty.
void frmAbout::Form_Load() {
    const auto step = [](auto&& body) { Handled(Reporter(), kModule, "Form_Load", false, body); };
    step([this] { SetFlatBar(RichEdit_Create()); });
    step([this] { Logo_Load(); });
    step([this] {
        const LibraryState& state = State();
        const std::wstring sTitle = win::Widen(state.sAppTitle);
        SetWindowTextW(m_hwnd, (win::LoadText(Module(), IDS_ABOUT_CAPTION) + sTitle).c_str());
        SetWindowTextW(Item(IDC_ABOUT_LBLTITLE), sTitle.c_str());
        const std::string sVersion =
            AboutVersionLabel(state.lAppMajor, state.lAppMinor, state.lAppRev, state.sVersionExtra);
        SetWindowTextW(Item(IDC_ABOUT_LBLVERSION), win::Widen(sVersion).c_str());
        if (!state.sAdodbVersion.empty()) {
            SetWindowTextW(Item(IDC_ABOUT_LBLADODBVER), win::Widen(state.sAdodbVersion).c_str());
            ShowWindow(Item(IDC_ABOUT_LBLADODBVER), SW_SHOWNA);
        }
        // The title in the dialog's font, bold and half as large again.
        LOGFONTW font{};
        const auto hDialogFont = reinterpret_cast<HFONT>(SendMessageW(m_hwnd, WM_GETFONT, 0, 0));
        if (hDialogFont && GetObjectW(hDialogFont, sizeof font, &font)) {
            font.lfWeight = FW_BOLD;
            font.lfHeight = font.lfHeight * 3 / 2;
            m_titleFont.Reset(CreateFontIndirectW(&font));
            SendMessageW(Item(IDC_ABOUT_LBLTITLE), WM_SETFONT,
                         reinterpret_cast<WPARAM>(m_titleFont.Get()), FALSE);
        }
    });
    step([this] { License_Load(); });
    step([this] { List_Setup(); });
}

// In place of the template's placeholder: the newer rich-text library where the system has
// it, else the older one. With neither, the control cannot be created (429).
HWND frmAbout::RichEdit_Create() {
    static constexpr struct {
        const wchar_t* szLibrary;
        const wchar_t* szClass;
    } kLibraries[] = {{L"msftedit.dll", MSFTEDIT_CLASS}, {L"riched20.dll", RICHEDIT_CLASSW}};
    const wchar_t* szClass = nullptr;
    for (const auto& candidate : kLibraries) {
        m_richEdit.Reset(LoadLibraryW(candidate.szLibrary));
        if (m_richEdit) {
            m_sRichEditLibrary = candidate.szLibrary;
            szClass = candidate.szClass;
            break;
        }
    }
    const HWND hPlace = Item(IDC_ABOUT_RCHEDIT_PLACE);
    RECT place{};
    GetWindowRect(hPlace, &place);
    MapWindowPoints(nullptr, m_hwnd, reinterpret_cast<POINT*>(&place), 2);
    const HWND hEdit =
        szClass ? CreateWindowExW(WS_EX_CLIENTEDGE, szClass, L"",
                                  WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE |
                                      ES_READONLY | ES_AUTOVSCROLL,
                                  place.left, place.top, place.right - place.left,
                                  place.bottom - place.top, m_hwnd,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_ABOUT_RCHEDIT)),
                                  Module(), nullptr)
                : nullptr;
    if (!hEdit) {
        throw QuillonError(ErrCannotCreateObject, "The rich-text control could not be created");
    }
    // Its place in the tab order is the placeholder's.
    SetWindowPos(hEdit, hPlace, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return hEdit;
}

void frmAbout::Logo_Load() {
    m_logoMask = LoadBitmapResource(L"LOGO_MASK", "LOGO_MASK");
    m_logo = LoadBitmapResource(L"LOGO", "LOGO");
    BITMAP info{};
    GetObjectW(m_logoMask.Get(), sizeof info, &info);
    m_logoSize = {info.bmWidth, info.bmHeight};
}

void frmAbout::License_Load() {
    const HWND hEdit = Item(IDC_ABOUT_RCHEDIT);
    if (!hEdit) return;  // its failure is reported already
    const std::vector<uint8_t> bytes = win::ResourceBytes(Module(), L"LICENSE", L"VYX");
    if (bytes.empty()) ThrowNoResource("LICENSE");
    const std::wstring sDocument = win::Widen(win::AnsiToUtf8(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())));
    const std::string sRtf = RtfBytes(FillLicense(sDocument, win::Widen(State().sCopyright)));

    // Detection must be on before the text arrives for its addresses to become links.
    SendMessageW(hEdit, EM_AUTOURLDETECT, TRUE, 0);
    SendMessageW(hEdit, EM_SETEVENTMASK, 0, ENM_LINK);
    StreamSource source{sRtf};
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, &ReadStream};
    SendMessageW(hEdit, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
    // The reader leaves the caret, and the view, at the end: the heading shows first.
    SendMessageW(hEdit, EM_SETSEL, 0, 0);
    SendMessageW(hEdit, EM_SCROLLCARET, 0, 0);
    // Lines wrap at the control's width, not at a printer's.
    SendMessageW(hEdit, EM_SETTARGETDEVICE, 0, 0);
}

void frmAbout::List_Setup() {
    const HWND hList = Item(IDC_ABOUT_LST);
    ListView_SetExtendedListViewStyle(hList, LVS_EX_FULLROWSELECT);
    m_icons.Reset(ImageList_Create(kIconSize, kIconSize, ILC_COLOR24 | ILC_MASK, 4, 0));
    const win::ScopedGdiObject strip = LoadBitmapResource(L"COMPONENT_ICONS", "COMPONENT_ICONS");
    ImageList_AddMasked(m_icons.Get(), static_cast<HBITMAP>(strip.Get()), kIconTransparent);
    ListView_SetImageList(hList, m_icons.Get(), LVSIL_SMALL);

    RECT client{};
    GetClientRect(hList, &client);
    const int lWidth = client.right - GetSystemMetrics(SM_CXVSCROLL);
    const int lColumnIds[] = {IDS_ABOUT_COLUMN_COMPONENT, IDS_ABOUT_COLUMN_VERSION};
    const int lColumnWidths[] = {lWidth * 2 / 3, lWidth - lWidth * 2 / 3};
    for (int lColumn = 0; lColumn < 2; ++lColumn) {
        std::wstring sText = win::LoadText(Module(), lColumnIds[lColumn]);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = sText.data();
        column.cx = lColumnWidths[lColumn];
        column.iSubItem = lColumn;
        ListView_InsertColumn(hList, lColumn, &column);
    }
}

void frmAbout::GetComponents(const std::vector<AboutRow>& rows) {
    Handled(Reporter(), kModule, "GetComponents", false, [&] {
        const HWND hList = Item(IDC_ABOUT_LST);
        ListView_DeleteAllItems(hList);
        m_rowPaths.clear();
        for (const AboutRow& row : rows) {
            std::wstring sTitle = win::Widen(row.sTitle);
            LVITEMW item{};
            item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
            item.iItem = static_cast<int>(m_rowPaths.size());
            item.pszText = sTitle.data();
            item.iImage = IconIndex(row.eIcon);
            item.lParam = static_cast<LPARAM>(m_rowPaths.size());
            const int lIndex = ListView_InsertItem(hList, &item);
            m_rowPaths.push_back(row.sPath);
            if (lIndex < 0 || row.sPath.empty()) continue;
            VersionRec version;
            const std::string sVersion = GetFileVersion(row.sPath, version);
            if (sVersion.empty()) continue;
            std::wstring sText = win::Widen(sVersion);
            ListView_SetItemText(hList, lIndex, 1, sText.data());
        }
    });
}

void frmAbout::ShowModal(HWND hOwner) {
    m_bClosed = false;
    ShowModeless(
        hOwner, Item(IDOK), [this] { return m_bClosed; },
        [this](const MSG& msg) {
            // Enter on a row activates it, instead of pressing the default button.
            return msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN &&
                   msg.hwnd == Item(IDC_ABOUT_LST);
        });
}

INT_PTR frmAbout::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG:
            return TRUE;
        case WM_PAINT:
            OnPaint();
            return TRUE;
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                cmdOK_Click();
                return TRUE;
            }
            break;
        default:
            break;
    }
    return FALSE;
}

// Drawn on every paint, not once at load: the logo stays when the window is covered and shown
// again.
void frmAbout::OnPaint() {
    const PaintScope paint(m_hwnd);
    if (!m_logo || !m_logoMask) return;
    const win::ScopedMemoryDC memory(CreateCompatibleDC(paint.Dc()));
    {
        const win::ScopedSelect mask(memory.Get(), m_logoMask.Get());
        BitBlt(paint.Dc(), kLogoLeft, kLogoTop, m_logoSize.cx, m_logoSize.cy, memory.Get(), 0, 0,
               SRCAND);
    }
    const win::ScopedSelect logo(memory.Get(), m_logo.Get());
    BitBlt(paint.Dc(), kLogoLeft, kLogoTop, m_logoSize.cx, m_logoSize.cy, memory.Get(), 0, 0,
           SRCPAINT);
}

bool frmAbout::OnNotify(const NMHDR& header) {
    if (header.idFrom == IDC_ABOUT_LST && header.code == LVN_ITEMACTIVATE) {
        lst_ItemActivate();
        return true;
    }
    if (header.idFrom == IDC_ABOUT_RCHEDIT && header.code == EN_LINK) {
        rchEdit_LinkClick(reinterpret_cast<const ENLINK&>(header));
        return true;
    }
    return false;
}

void frmAbout::lst_ItemActivate() {
    Handled(Reporter(), kModule, "lst_ItemActivate", true, [this] {
        const HWND hList = Item(IDC_ABOUT_LST);
        LVITEMW item{};
        item.mask = LVIF_PARAM;
        item.iItem = ListView_GetNextItem(hList, -1, LVNI_SELECTED);
        if (item.iItem < 0 || !ListView_GetItem(hList, &item)) return;
        const std::string& sPath = m_rowPaths.at(static_cast<size_t>(item.lParam));
        if (!sPath.empty()) GetFileProperties(sPath, m_hwnd);
    });
}

void frmAbout::rchEdit_LinkClick(const ENLINK& link) {
    if (link.msg != WM_LBUTTONUP || link.chrg.cpMax <= link.chrg.cpMin) return;
    std::wstring sAddress(static_cast<size_t>(link.chrg.cpMax - link.chrg.cpMin) + 1, L'\0');
    TEXTRANGEW range{link.chrg, sAddress.data()};
    const LRESULT lLength =
        SendMessageW(link.nmhdr.hwndFrom, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
    sAddress.resize(static_cast<size_t>(lLength));
    ShellExecuteW(m_hwnd, L"open", sAddress.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace quillon::iupdate
