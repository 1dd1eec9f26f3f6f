#include "options/win/frmOptions.h"

#include <windowsx.h>

#include <vector>

#include "engine/card_layout.h"
#include "options/options_rules.h"
#include "options/win/frmNewCardSet.h"
#include "options/win/frmOptions_resource.h"
#include "options/win/picture_lists.h"
#include "profiles/clsProfiles.h"
#include "resources/resource.h"
#include "shell/error_report.h"
#include "shell/program_values.h"
#include "shell/random.h"
#include "shell/settings.h"
#include "shell/win/modFiles.h"
#include "shell/win/resource_bytes.h"
#include "shell/win/scoped.h"
#include "shell/win/text.h"
#include "ui/win/picture_loader.h"
#include "ui/win/string_table.h"

namespace quillon::win {

namespace {

void FillNames(HWND hList, const std::vector<std::string>& names) {
    ComboBox_ResetContent(hList);
    for (const std::string& sName : names) ComboBox_AddString(hList, Widen(sName).c_str());
}

// The tabs and their controls, in the order of Page.
std::vector<TabPages::Page> Pages() {
    return {{IDS_OPT_PAGE_GENERAL,
             {IDC_OPT_LBLREVEALCAPTION, IDC_OPT_SLDREVEAL, IDC_OPT_LBLREVEAL,
              IDC_OPT_CHKWAITFORCLICK, IDC_OPT_FRANAMES, IDC_OPT_LBLPLAYER0, IDC_OPT_TXTPLAYERNAME0,
              IDC_OPT_CMDRANDOM0, IDC_OPT_LBLPLAYER1, IDC_OPT_TXTPLAYERNAME1, IDC_OPT_CMDRANDOM1}},
            {IDS_OPT_PAGE_CARDS,
             {IDC_OPT_FRACARDSET, IDC_OPT_CMBCARDSET, IDC_OPT_PICCARDSET, IDC_OPT_UPDNCARDSET,
              IDC_OPT_CMDNEWSET, IDC_OPT_FRACARDBACKS, IDC_OPT_CMBCARDBACKS, IDC_OPT_PICCARDBACK}},
            {IDS_OPT_PAGE_AI,
             {IDC_OPT_FRACOMPUTERLEVEL, IDC_OPT_LBLAI, IDC_OPT_SLDMEMORY, IDC_OPT_LBLMEMORY,
              IDC_OPT_FRAPROFILES, IDC_OPT_CHKCLEAR0, IDC_OPT_CHKCLEAR1, IDC_OPT_CMDCLEARPROFILES}},
            {IDS_OPT_PAGE_OTHER, {IDC_OPT_SUIOPTIONS}}};
}

// Captions of the check items, in the order of kOptionKeys.
constexpr UINT kOptionCaptions[] = {IDS_OPT_AUTOCHECK, IDS_OPT_FLASH, IDS_OPT_HANDCURSOR,
                                    IDS_OPT_SELECTION};

// Posted after a click or key on the options tree, once the tree has toggled what it toggles.
constexpr UINT kMsgKeepFolderPlain = WM_APP + 1;

Rgb FromColorRef(COLORREF c) { return {GetRValue(c), GetGValue(c), GetBValue(c)}; }

// A tree item shows its caption literally, so the key-letter mark of a caption is taken out:
// Alt with that letter already belongs to the "&A.I. && Stats" tab.
std::wstring WithoutMnemonic(const std::wstring& caption) {
    std::wstring shown;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == L'&' && i + 1 < caption.size()) ++i;
        shown += caption[i];
    }
    return shown;
}

void SetTrackbar(HWND hwnd, int32_t lMin, int32_t lMax, int32_t lLine, int32_t lPage,
                 int32_t lTicks, int32_t lValue) {
    SendMessageW(hwnd, TBM_SETRANGEMIN, FALSE, lMin);
    SendMessageW(hwnd, TBM_SETRANGEMAX, FALSE, lMax);
    SendMessageW(hwnd, TBM_SETLINESIZE, 0, lLine);
    SendMessageW(hwnd, TBM_SETPAGESIZE, 0, lPage);
    SendMessageW(hwnd, TBM_SETTICFREQ, lTicks, 0);
    SendMessageW(hwnd, TBM_SETPOS, TRUE, lValue);
}

int32_t TrackbarValue(HWND hwnd) {
    return static_cast<int32_t>(SendMessageW(hwnd, TBM_GETPOS, 0, 0));
}

}  // namespace

frmOptions::frmOptions(const AppContext& context)
    : m_context(context),
      m_background(FromColorRef(GetSysColor(COLOR_BTNFACE))),
      m_picMask(LoadBitmapResource(context.hInstance, "CARD_MASK")),
      m_picBorder(LoadBitmapResource(context.hInstance, "CARD_BORDER")),
      m_picCardSet(kSetPreviewWidth, kCardHeight, m_background),
      m_picCardBack(kCardWidth, kCardHeight, m_background) {
    Lists_Fill();
}

void frmOptions::Show(HWND hOwner) {
    INITCOMMONCONTROLSEX icc{
        sizeof icc, ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_TREEVIEW_CLASSES | ICC_UPDOWN_CLASS};
    if (!InitCommonControlsEx(&icc)) InitCommonControls();
    if (RunModal(m_context.hInstance, IDD_OPTIONS, hOwner) == -1)
        throw QuillonError(ErrInvalidCall, "The options dialog could not be created.");
}

void frmOptions::Lists_Fill() {
    m_backNames = ListPictureNames(m_context.paths.GetPath(PathBacks), kCardBackExtension);
    m_setNames = ListPictureNames(m_context.paths.GetPath(PathCards), kCardSetExtension);
}

// --- Opening ---------------------------------------------------------------------------------

void frmOptions::Form_Load() {
    SizePreviews();
    FillNames(Item(IDC_OPT_CMBCARDBACKS), m_backNames);
    FillNames(Item(IDC_OPT_CMBCARDSET), m_setNames);
    SendMessageW(Item(IDC_OPT_UPDNCARDSET), UDM_SETRANGE32, 0, kLastPreviewPosition);

    Settings_Load();

    Tabs_Fill();
    // Card pictures, the memory level and the statistics cannot change during a game.
    const bool bBetweenGames = !m_context.values.g_bGameRunning;
    EnablePage(PageCards, bBetweenGames);
    EnablePage(PageAI, bBetweenGames);

    const bool bMemory = IsWindowEnabled(Item(IDC_OPT_SLDMEMORY));
    EnableWindow(Item(IDC_OPT_LBLAI), bMemory);
    EnableWindow(Item(IDC_OPT_LBLMEMORY), bMemory);
    ShowRevealLabel();

    Options_Load();
    m_bLoaded = true;
}

// The previews are pictures of fixed pixel sizes, whatever the dialog font makes of the
// template's units; the up-down buttons go under the set preview.
void frmOptions::SizePreviews() {
    auto placeOf = [this](int lId) {
        RECT rc{};
        GetWindowRect(Item(lId), &rc);
        MapWindowPoints(nullptr, m_hwnd, reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    };
    constexpr UINT kFlags = SWP_NOZORDER | SWP_NOACTIVATE;
    const RECT set = placeOf(IDC_OPT_PICCARDSET);
    SetWindowPos(Item(IDC_OPT_PICCARDSET), nullptr, set.left, set.top, kSetPreviewWidth,
                 kCardHeight, kFlags);
    const RECT back = placeOf(IDC_OPT_PICCARDBACK);
    SetWindowPos(Item(IDC_OPT_PICCARDBACK), nullptr, back.left, back.top, kCardWidth, kCardHeight,
                 kFlags);
    const RECT updn = placeOf(IDC_OPT_UPDNCARDSET);
    const int lWidth = updn.right - updn.left;
    SetWindowPos(Item(IDC_OPT_UPDNCARDSET), nullptr, set.left + (kSetPreviewWidth - lWidth) / 2,
                 set.top + kCardHeight + (set.top - placeOf(IDC_OPT_CMBCARDSET).bottom), lWidth,
                 updn.bottom - updn.top, kFlags);
}

void frmOptions::Settings_Load() {
    const OptionsValues v = quillon::Settings_Load(m_context.settings);
    Button_SetCheck(Item(IDC_OPT_CHKWAITFORCLICK), v.bWaitForClick ? BST_CHECKED : BST_UNCHECKED);
    chkWaitForClick_Click();
    SetDlgItemTextW(m_hwnd, IDC_OPT_TXTPLAYERNAME0, Widen(v.sPlayer1Name).c_str());
    SetDlgItemTextW(m_hwnd, IDC_OPT_TXTPLAYERNAME1, Widen(v.sPlayer2Name).c_str());
    SetTrackbar(Item(IDC_OPT_SLDREVEAL), kRevealMin, kRevealMax, kRevealLine, kRevealPage,
                kRevealTicks, v.lClock);
    SetTrackbar(Item(IDC_OPT_SLDMEMORY), kMemoryMin, kMemoryMax, kMemoryLine, kMemoryPage,
                kMemoryTicks, v.lMemory);
    ShowMemoryLabel();

    // A stored name without its file selects nothing and leaves the preview empty.
    const int32_t lBack = FindListEntry(m_backNames, v.sCardBacks);
    if (lBack >= 0) {
        ComboBox_SetCurSel(Item(IDC_OPT_CMBCARDBACKS), lBack);
        cmbCardBacks_Click();
    }
    const int32_t lSet = FindListEntry(m_setNames, v.sCardSet);
    if (lSet >= 0) {
        ComboBox_SetCurSel(Item(IDC_OPT_CMBCARDSET), lSet);
        cmbCardSet_Click();
    }
}

void frmOptions::Options_Load() {
    const HWND hTree = Item(IDC_OPT_SUIOPTIONS);
    // The check boxes' pictures are made when the style arrives, so it must come before the
    // first item.
    SetWindowLongPtrW(hTree, GWL_STYLE, GetWindowLongPtrW(hTree, GWL_STYLE) | TVS_CHECKBOXES);

    auto insert = [&](HTREEITEM hParent, UINT lCaption, LPARAM lKey) {
        std::wstring text = WithoutMnemonic(LoadText(m_context.hInstance, lCaption));
        TVINSERTSTRUCTW tvis{};
        tvis.hParent = hParent;
        tvis.hInsertAfter = TVI_LAST;
        tvis.item.mask = TVIF_TEXT | TVIF_PARAM;
        tvis.item.pszText = text.data();
        tvis.item.lParam = lKey;
        return TreeView_InsertItem(hTree, &tvis);
    };
    m_optionItems[0] = insert(TVI_ROOT, kOptionCaptions[0], 0);
    m_hFolder = insert(TVI_ROOT, IDS_OPT_ADVANCED, -1);
    for (size_t i = 1; i < kOptionKeys.size(); ++i)
        m_optionItems[i] = insert(m_hFolder, kOptionCaptions[i], static_cast<LPARAM>(i));
    TreeView_Expand(hTree, m_hFolder, TVE_EXPAND);
    KeepFolderPlain();

    for (size_t i = 0; i < kOptionKeys.size(); ++i)
        TreeView_SetCheckState(hTree, m_optionItems[i],
                               m_context.settings.GetOption(kOptionKeys[i]) == 1);
    TreeView_SelectItem(hTree, m_optionItems[0]);
}

// The folder carries no option, so it shows no check box.
void frmOptions::KeepFolderPlain() {
    if (m_hFolder)
        TreeView_SetItemState(Item(IDC_OPT_SUIOPTIONS), m_hFolder, 0, TVIS_STATEIMAGEMASK);
}

// --- Closing ---------------------------------------------------------------------------------

void frmOptions::Settings_Save() {
    OptionsValues v;
    v.lClock = TrackbarValue(Item(IDC_OPT_SLDREVEAL));
    v.bWaitForClick = IsChecked(IDC_OPT_CHKWAITFORCLICK);
    v.lMemory = TrackbarValue(Item(IDC_OPT_SLDMEMORY));
    v.sCardBacks = SelectedName(IDC_OPT_CMBCARDBACKS, m_backNames);
    v.sCardSet = SelectedName(IDC_OPT_CMBCARDSET, m_setNames);
    v.sPlayer1Name = ItemText(IDC_OPT_TXTPLAYERNAME0);
    v.sPlayer2Name = ItemText(IDC_OPT_TXTPLAYERNAME1);
    quillon::Settings_Save(m_context.settings, v);
}

void frmOptions::Options_Save() {
    const HWND hTree = Item(IDC_OPT_SUIOPTIONS);
    for (size_t i = 0; i < kOptionKeys.size(); ++i)
        m_context.settings.SaveOption(kOptionKeys[i],
                                      TreeView_GetCheckState(hTree, m_optionItems[i]) == 1);
}

// Every way out stores the on/off options and refreshes the program-wide values; only OK
// stores the rest.
void frmOptions::Form_Close(bool bOk) {
    if (m_bLoaded) {
        if (bOk) Settings_Save();
        Options_Save();
        LoadOptions(m_context.settings, m_context.values);
    }
    EndDialog(m_hwnd, bOk ? IDOK : IDCANCEL);
}

// --- Pages -----------------------------------------------------------------------------------

// The reveal delay's label keeps to its own rule on the first page.
void frmOptions::Tabs_Fill() {
    m_tabs.Create(m_hwnd, IDC_OPT_TABBAR, m_context.hInstance, Pages(), {IDOK, IDCANCEL},
                  [this](int) { chkWaitForClick_Click(); });
}

void frmOptions::EnablePage(int lPage, bool bEnabled) {
    for (int lId : m_tabs.Controls(lPage)) EnableWindow(Item(lId), bEnabled);
    // "Clear" follows its own rule, and is never pressable before a box is checked.
    if (lPage == PageAI && bEnabled)
        EnableWindow(Item(IDC_OPT_CMDCLEARPROFILES),
                     ClearEnabled(IsChecked(IDC_OPT_CHKCLEAR0), IsChecked(IDC_OPT_CHKCLEAR1)));
}

// --- Control rules ---------------------------------------------------------------------------

void frmOptions::sldReveal_Scroll(int lCode) {
    // While the thumb is dragged the value keeps to multiples of 5; the keys and pages do by
    // themselves.
    if (lCode == TB_THUMBTRACK || lCode == TB_THUMBPOSITION) {
        const HWND hSlider = Item(IDC_OPT_SLDREVEAL);
        const int32_t lValue = TrackbarValue(hSlider);
        const int32_t lSnapped = SnapReveal(lValue);
        if (lSnapped != lValue) SendMessageW(hSlider, TBM_SETPOS, TRUE, lSnapped);
    }
    ShowRevealLabel();
}

void frmOptions::ShowRevealLabel() {
    SetDlgItemTextW(m_hwnd, IDC_OPT_LBLREVEAL,
                    Widen(RevealLabel(TrackbarValue(Item(IDC_OPT_SLDREVEAL)))).c_str());
}

void frmOptions::ShowMemoryLabel() {
    SetDlgItemTextW(m_hwnd, IDC_OPT_LBLMEMORY,
                    Widen(MemoryLabel(TrackbarValue(Item(IDC_OPT_SLDMEMORY)))).c_str());
}

void frmOptions::chkWaitForClick_Click() {
    const bool bWait = IsChecked(IDC_OPT_CHKWAITFORCLICK);
    EnableWindow(Item(IDC_OPT_SLDREVEAL), !bWait);
    ShowWindow(Item(IDC_OPT_LBLREVEAL),
               !bWait && m_tabs.Current() == PageGeneral ? SW_SHOWNA : SW_HIDE);
}

void frmOptions::cmdRandom_Click(int lIndex) {
    const auto lId =
        static_cast<UINT>(IDS_FIRST_NAME + GetRandom(m_context.random, IDS_NAME_COUNT));
    SetDlgItemTextW(m_hwnd, lIndex == 0 ? IDC_OPT_TXTPLAYERNAME0 : IDC_OPT_TXTPLAYERNAME1,
                    LoadText(m_context.hInstance, lId).c_str());
}

// A back that cannot be loaded is reported and leaves the preview empty.
void frmOptions::cmbCardBacks_Click() {
    m_picCardBack.FillRect(0, 0, kCardWidth, kCardHeight, m_background);
    try {
        if (ComboBox_GetCurSel(Item(IDC_OPT_CMBCARDBACKS)) >= 0) {
            const MemoryCanvas picTemp = LoadPictureFile(
                m_context.paths.GetPath(PathBacks) +
                SelectedName(IDC_OPT_CMBCARDBACKS, m_backNames) + std::string(kCardBackExtension));
            DrawCardPreview(m_picCardBack, picTemp, 0, 1, m_picMask, m_picBorder, m_background);
        }
    } catch (...) {
        m_picCardBack.FillRect(0, 0, kCardWidth, kCardHeight, m_background);
        ReportCurrentException(m_context.reporter, "frmOptions::cmbCardBacks_Click", false);
    }
    InvalidateRect(Item(IDC_OPT_PICCARDBACK), nullptr, FALSE);
}

// A set that cannot be loaded is reported and leaves the preview empty.
void frmOptions::cmbCardSet_Click() {
    m_picTmpSet.reset();
    m_lPreview = 0;
    SendMessageW(Item(IDC_OPT_UPDNCARDSET), UDM_SETPOS32, 0, m_lPreview);
    try {
        if (ComboBox_GetCurSel(Item(IDC_OPT_CMBCARDSET)) >= 0) {
            m_picTmpSet = LoadPictureFile(m_context.paths.GetPath(PathCards) +
                                          SelectedName(IDC_OPT_CMBCARDSET, m_setNames) +
                                          std::string(kCardSetExtension));
        }
    } catch (...) {
        m_picTmpSet.reset();
        CardSet_Preview();
        ReportCurrentException(m_context.reporter, "frmOptions::cmbCardSet_Click", false);
        return;
    }
    CardSet_Preview();
}

void frmOptions::CardSet_Preview() {
    if (m_picTmpSet)
        DrawCardPreview(m_picCardSet, *m_picTmpSet, kCardWidth * m_lPreview, kPreviewCards,
                        m_picMask, m_picBorder, m_background);
    else
        m_picCardSet.FillRect(0, 0, kSetPreviewWidth, kCardHeight, m_background);
    InvalidateRect(Item(IDC_OPT_PICCARDSET), nullptr, FALSE);
}

void frmOptions::updnCardSet_Change(int lDelta) {
    m_lPreview = MovePreview(m_lPreview, lDelta);
    SendMessageW(Item(IDC_OPT_UPDNCARDSET), UDM_SETPOS32, 0, m_lPreview);
    CardSet_Preview();
}

// The new set joins the list and is chosen, for the next game once OK stores the choice.
void frmOptions::cmdNewSet_Click() {
    std::optional<std::string> sCreated;
    try {
        frmNewCardSet dialog(m_context.hInstance, m_context.reporter,
                             m_context.paths.GetPath(PathCards), m_picMask, m_picBorder,
                             m_background);
        sCreated = dialog.Show(m_hwnd);
    } catch (...) {
        ReportCurrentException(m_context.reporter, "frmOptions::cmdNewSet_Click", false);
    }
    if (!sCreated) return;
    const HWND hList = Item(IDC_OPT_CMBCARDSET);
    m_setNames = ListPictureNames(m_context.paths.GetPath(PathCards), kCardSetExtension);
    FillNames(hList, m_setNames);
    ComboBox_SetCurSel(
        hList,
        FindListEntry(m_setNames, PictureDisplayName(*sCreated + std::string(kCardSetExtension))));
    cmbCardSet_Click();
}

void frmOptions::chkClear_Click() {
    EnableWindow(Item(IDC_OPT_CMDCLEARPROFILES),
                 ClearEnabled(IsChecked(IDC_OPT_CHKCLEAR0), IsChecked(IDC_OPT_CHKCLEAR1)));
}

// Takes effect at once: Cancel does not bring the statistics back.
void frmOptions::cmdClearProfiles_Click() {
    try {
        if (ShowMessage(m_hwnd, m_context.hInstance, IDS_OPT_CLEAR_QUESTION, IDS_OPT_CLEAR_TITLE,
                        MB_YESNO | MB_ICONQUESTION) != IDYES)
            return;
        const HINSTANCE hInstance = m_context.hInstance;
        clsProfiles profiles(
            {m_context.profileFile, m_context.settings, m_context.reporter,
             [hInstance] { return ResourceBytes(hInstance, L"PROFILE", L"DEFAULT"); }});
        profiles.Clear(IsChecked(IDC_OPT_CHKCLEAR0), IsChecked(IDC_OPT_CHKCLEAR1));
    } catch (...) {
        ReportCurrentException(m_context.reporter, "frmOptions::cmdClearProfiles_Click", true);
    }
}

// --- Messages --------------------------------------------------------------------------------

INT_PTR frmOptions::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    try {
        switch (msg) {
            case WM_INITDIALOG:
                Form_Load();
                return TRUE;
            case WM_COMMAND:
                return OnCommand(LOWORD(wParam), HIWORD(wParam));
            case WM_HSCROLL: {
                const auto hFrom = reinterpret_cast<HWND>(lParam);
                if (hFrom == Item(IDC_OPT_SLDREVEAL))
                    sldReveal_Scroll(LOWORD(wParam));
                else if (hFrom == Item(IDC_OPT_SLDMEMORY))
                    ShowMemoryLabel();
                return TRUE;
            }
            case WM_NOTIFY:
                return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
            case WM_DRAWITEM:
                OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
                return TRUE;
            case kMsgKeepFolderPlain:
                KeepFolderPlain();
                return TRUE;
            case WM_CLOSE:
                Form_Close(false);
                return TRUE;
            default:
                return FALSE;
        }
    } catch (...) {
        if (msg == WM_INITDIALOG) {
            // Half-loaded controls must not be stored over the settings.
            ReportCurrentException(m_context.reporter, "frmOptions::Form_Load", true);
            EndDialog(m_hwnd, IDCANCEL);
        } else {
            ReportCurrentException(m_context.reporter, "frmOptions::HandleMessage", true);
        }
        return TRUE;
    }
}

INT_PTR frmOptions::OnCommand(int lId, int lCode) {
    switch (lId) {
        case IDOK:
            Form_Close(true);
            return TRUE;
        case IDCANCEL:  // also Escape
            Form_Close(false);
            return TRUE;
        case IDC_OPT_CHKWAITFORCLICK:
            if (lCode == BN_CLICKED) chkWaitForClick_Click();
            return TRUE;
        case IDC_OPT_CMDRANDOM0:
        case IDC_OPT_CMDRANDOM1:
            if (lCode == BN_CLICKED) cmdRandom_Click(lId == IDC_OPT_CMDRANDOM0 ? 0 : 1);
            return TRUE;
        case IDC_OPT_CMBCARDBACKS:
            if (lCode == CBN_SELCHANGE) cmbCardBacks_Click();
            return TRUE;
        case IDC_OPT_CMBCARDSET:
            if (lCode == CBN_SELCHANGE) cmbCardSet_Click();
            return TRUE;
        case IDC_OPT_CMDNEWSET:
            if (lCode == BN_CLICKED) cmdNewSet_Click();
            return TRUE;
        case IDC_OPT_CHKCLEAR0:
        case IDC_OPT_CHKCLEAR1:
            if (lCode == BN_CLICKED) chkClear_Click();
            return TRUE;
        case IDC_OPT_CMDCLEARPROFILES:
            if (lCode == BN_CLICKED) cmdClearProfiles_Click();
            return TRUE;
        default:
            return FALSE;
    }
}

INT_PTR frmOptions::OnNotify(const NMHDR& header) {
    switch (header.idFrom) {
        case IDC_OPT_TABBAR:
            m_tabs.OnNotify(header);
            return FALSE;
        case IDC_OPT_UPDNCARDSET:
            if (header.code == UDN_DELTAPOS) {
                updnCardSet_Change(reinterpret_cast<const NMUPDOWN&>(header).iDelta);
                // The position is ours; the control only shows the buttons.
                SetWindowLongPtrW(m_hwnd, DWLP_MSGRESULT, TRUE);
                return TRUE;
            }
            return FALSE;
        case IDC_OPT_SUIOPTIONS:
            if (header.code == NM_CLICK || header.code == TVN_KEYDOWN)
                PostMessageW(m_hwnd, kMsgKeepFolderPlain, 0, 0);
            return FALSE;
        default:
            return FALSE;
    }
}

void frmOptions::OnDrawItem(const DRAWITEMSTRUCT& item) const {
    const MemoryCanvas* pPicture = nullptr;
    if (item.CtlID == IDC_OPT_PICCARDSET) pPicture = &m_picCardSet;
    if (item.CtlID == IDC_OPT_PICCARDBACK) pPicture = &m_picCardBack;
    if (!pPicture) return;
    BitBlt(item.hDC, 0, 0, pPicture->Width(), pPicture->Height(), pPicture->Dc(), 0, 0, SRCCOPY);
}

// --- Helpers ---------------------------------------------------------------------------------

bool frmOptions::IsChecked(int lId) const { return Button_GetCheck(Item(lId)) == BST_CHECKED; }

// The display name of the selected entry; empty when nothing is selected.
std::string frmOptions::SelectedName(int lComboId, const std::vector<std::string>& names) const {
    const int lIndex = ComboBox_GetCurSel(Item(lComboId));
    if (lIndex < 0 || static_cast<size_t>(lIndex) >= names.size()) return {};
    return names[static_cast<size_t>(lIndex)];
}

}  // namespace quillon::win
