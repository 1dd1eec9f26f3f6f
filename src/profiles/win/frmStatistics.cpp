#include "profiles/win/frmStatistics.h"

#include <commctrl.h>

#include <string_view>

#include "profiles/profile_record.h"
#include "profiles/win/frmStatistics_ids.h"
#include "profiles/win/statistics_graph.h"
#include "shell/error_report.h"
#include "shell/win/text.h"

namespace quillon::win {

namespace {

// Rows kept for the developers' eyes; the delivered program never runs inside a development
// environment.
constexpr bool kDevelopmentRun = false;

constexpr int kTabCount = 3;
constexpr int kGraphTab = 2;
constexpr UINT_PTR kMnemonicSubclass = 1;

int CaptionId(int k, int lFrame, int lRow) {
    return IDC_STAT_CAPTION_FIRST + 10 * k + 5 * lFrame + lRow;
}

struct PageControl {
    int id;
    int lTab;
    bool bDevelopmentOnly;
};

std::vector<PageControl> PageControls() {
    std::vector<PageControl> controls;
    for (int k = 0; k < 2; ++k) {
        const auto add = [&](int id, bool bDevelopmentOnly = false) {
            controls.push_back({id, k, bDevelopmentOnly});
        };
        add(IDC_STAT_GENERAL0 + k);
        add(IDC_STAT_PERFORMANCES0 + k);
        for (int lRow = 0; lRow < 3; ++lRow) {
            add(CaptionId(k, 0, lRow));
            add(IDC_STAT_STAT0 + 3 * k + lRow);
        }
        for (int i = 0; i < 2; ++i) add(IDC_STAT_PERCENT0 + 2 * k + i);
        // Row 4 is the computer's AI level only for developers; row 5 only for them on both.
        add(CaptionId(k, 0, 3), k == 1);
        add(IDC_STAT_TIME0 + 3 * k, k == 1);
        add(CaptionId(k, 0, 4), true);
        add(IDC_STAT_TIME1 + k, true);
        for (int lRow = 0; lRow < 5; ++lRow) {
            add(CaptionId(k, 1, lRow));
            add(IDC_STAT_PERF0 + 5 * k + lRow);
        }
        for (int i = 0; i < 4; ++i) add(IDC_STAT_PERFPERCENT0 + 4 * k + i);
    }
    controls.push_back({IDC_STAT_EXPLAIN, kGraphTab, false});
    controls.push_back({IDC_STAT_GRAPH, kGraphTab, false});
    return controls;
}

std::wstring LoadText(HINSTANCE hInstance, UINT id) {
    const wchar_t* text = nullptr;
    const int n = LoadStringW(hInstance, id, reinterpret_cast<LPWSTR>(&text), 0);
    return n > 0 ? std::wstring(text, static_cast<size_t>(n)) : std::wstring();
}

wchar_t AccessKey(std::wstring_view sCaption) {
    const size_t at = sCaption.find(L'&');
    if (at == std::wstring_view::npos || at + 1 >= sCaption.size()) return 0;
    return static_cast<wchar_t>(reinterpret_cast<UINT_PTR>(
        CharUpperW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(sCaption[at + 1])))));
}

RECT ChildRect(HWND hwndChild, HWND hwndParent) {
    RECT rc{};
    GetWindowRect(hwndChild, &rc);
    MapWindowPoints(nullptr, hwndParent, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

}  // namespace

frmStatistics::frmStatistics(const ProfileContext& profiles)
    : m_profiles(profiles), m_sDecimal(UserDecimalSeparator()) {
    ParseGraph(ParseStats());
}

float frmStatistics::ParseStats() {
    float fPlayerRatio = 0.0f;
    try {
        for (int k = 0; k < 2; ++k) {
            const int32_t eWhich = k == 0 ? ProfilePlayer : ProfileComputer;
            clsProfiles profile(m_profiles);
            if (!profile.Load(eWhich)) continue;  // the tab keeps its "##"
            m_figures[static_cast<size_t>(k)] = MakeProfileFigures(profile, eWhich, m_sDecimal);
            if (k == 0) fPlayerRatio = m_figures[0]->fRatio;
        }
    } catch (...) {
        ReportCurrentException(m_profiles.reporter, "frmStatistics::ParseStats", false);
    }
    return fPlayerRatio;
}

void frmStatistics::ParseGraph(float fPlayerRatio) {
    try {
        m_graph.emplace(kGraphWidth, kGraphHeight, kWhite);
        LevelRatios ratios{};
        float fComputerRatio = 0.0f;
        {
            clsProfiles profile(m_profiles);
            profile.LoadExtended(ratios, fComputerRatio);
        }
        DrawPerformanceGraph(m_graph->Dc(), GraphGeometry(kGraphWidth, kGraphHeight), ratios,
                             fComputerRatio, fPlayerRatio);
    } catch (...) {
        ReportCurrentException(m_profiles.reporter, "frmStatistics::ParseGraph", false);
    }
}

INT_PTR frmStatistics::ShowModal(HINSTANCE hInstance, HWND hOwner) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_TAB_CLASSES};
    if (!InitCommonControlsEx(&icc)) InitCommonControls();
    m_hInstance = hInstance;
    return RunModal(hInstance, IDD_STATISTICS, hOwner);
}

INT_PTR frmStatistics::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG:
            OnInitDialog();
            return FALSE;  // the focus is set
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->idFrom == IDC_STAT_TABBAR && header->code == TCN_SELCHANGE)
                ShowPage(TabCtrl_GetCurSel(header->hwndFrom));
            return TRUE;
        }
        case WM_ERASEBKGND:
            OnEraseBackground(reinterpret_cast<HDC>(wParam));
            SetWindowLongPtrW(m_hwnd, DWLP_MSGRESULT, TRUE);
            return TRUE;
        case WM_CTLCOLORSTATIC:
            // Captions, figures and frames lie over the tab's page: they let it show through.
            SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            return reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
        case WM_DRAWITEM:
            if (wParam != IDC_STAT_GRAPH) return FALSE;
            OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                EndDialog(m_hwnd, LOWORD(wParam));
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

void frmStatistics::OnInitDialog() {
    HWND hTab = Item(IDC_STAT_TABBAR);
    for (int lTab = 0; lTab < kTabCount; ++lTab) {
        std::wstring sCaption = LoadText(m_hInstance, IDS_STAT_TAB_PLAYER + lTab);
        m_mnemonics.push_back(AccessKey(sCaption));
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = sCaption.data();
        TabCtrl_InsertItem(hTab, lTab, &item);
    }
    for (int k = 0; k < 2; ++k) ShowFigures(k);
    // Beneath every page control, so that its own painting leaves them alone.
    SetWindowPos(hTab, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    PlaceGraph();
    SelectTab(0);
    // A tab control has no access keys of its own; whichever control has the focus passes
    // Alt+letter on to the tabs.
    for (HWND hwnd : {hTab, Item(IDOK)})
        SetWindowSubclass(hwnd, &frmStatistics::MnemonicProc, kMnemonicSubclass,
                          reinterpret_cast<DWORD_PTR>(this));
    SetFocus(hTab);
}

void frmStatistics::ShowFigures(int k) {
    const std::optional<ProfileFigures>& figures = m_figures[static_cast<size_t>(k)];
    if (!figures) return;
    const auto show = [this](int id, const std::string& sText) {
        SetDlgItemTextW(m_hwnd, id, Widen(sText).c_str());
    };
    for (int i = 0; i < 3; ++i) show(IDC_STAT_STAT0 + 3 * k + i, figures->sGames[i]);
    for (int i = 0; i < 2; ++i) show(IDC_STAT_PERCENT0 + 2 * k + i, figures->sGameShares[i]);
    show(IDC_STAT_TIME0 + 3 * k, figures->sShownAverage);
    show(IDC_STAT_TIME1 + k, figures->sHiddenAverage);
    for (int i = 0; i < 5; ++i) show(IDC_STAT_PERF0 + 5 * k + i, figures->sPairs[i]);
    for (int i = 0; i < 4; ++i) show(IDC_STAT_PERFPERCENT0 + 4 * k + i, figures->sPairShares[i]);
}

// The picture's inside is exactly the image, centred on the tab's page below the explanation.
void frmStatistics::PlaceGraph() {
    HWND hGraph = Item(IDC_STAT_GRAPH);
    RECT outer{0, 0, kGraphWidth, kGraphHeight};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrW(hGraph, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(hGraph, GWL_EXSTYLE)));
    const int lWidth = outer.right - outer.left;
    const int lHeight = outer.bottom - outer.top;
    RECT page = ChildRect(Item(IDC_STAT_TABBAR), m_hwnd);
    TabCtrl_AdjustRect(Item(IDC_STAT_TABBAR), FALSE, &page);
    const RECT explain = ChildRect(Item(IDC_STAT_EXPLAIN), m_hwnd);
    const int lLeft = page.left + (page.right - page.left - lWidth) / 2;
    const int lTop = explain.bottom + (explain.bottom - explain.top) / 2;
    SetWindowPos(hGraph, nullptr, lLeft, lTop, lWidth, lHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

void frmStatistics::SelectTab(int lTab) {
    TabCtrl_SetCurSel(Item(IDC_STAT_TABBAR), lTab);
    ShowPage(lTab);
}

void frmStatistics::ShowPage(int lTab) {
    for (const PageControl& control : PageControls()) {
        const bool bVisible =
            control.lTab == lTab && (kDevelopmentRun || !control.bDevelopmentOnly);
        ShowWindow(Item(control.id), bVisible ? SW_SHOW : SW_HIDE);
    }
}

bool frmStatistics::SelectTabByMnemonic(wchar_t cKey) {
    const wchar_t cUpper = AccessKey(std::wstring{L'&', cKey});
    for (size_t i = 0; i < m_mnemonics.size(); ++i) {
        if (m_mnemonics[i] == 0 || m_mnemonics[i] != cUpper) continue;
        SelectTab(static_cast<int>(i));
        return true;
    }
    return false;
}

// The page controls are siblings of the tab control, not its children, so the dialog's own
// background beneath them is the tab as it paints itself: a themed page differs from the
// dialog's face.
void frmStatistics::OnEraseBackground(HDC hdc) const {
    RECT client{};
    GetClientRect(m_hwnd, &client);
    FillRect(hdc, &client, GetSysColorBrush(COLOR_BTNFACE));
    HWND hTab = Item(IDC_STAT_TABBAR);
    const RECT tab = ChildRect(hTab, m_hwnd);
    POINT oldOrigin{};
    OffsetViewportOrgEx(hdc, tab.left, tab.top, &oldOrigin);
    SendMessageW(hTab, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hdc), PRF_CLIENT);
    SetViewportOrgEx(hdc, oldOrigin.x, oldOrigin.y, nullptr);
}

void frmStatistics::OnDrawItem(const DRAWITEMSTRUCT& item) const {
    const RECT& rc = item.rcItem;
    if (m_graph) {
        BitBlt(item.hDC, rc.left, rc.top, m_graph->Width(), m_graph->Height(), m_graph->Dc(), 0, 0,
               SRCCOPY);
    } else {
        FillRect(item.hDC, &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
}

LRESULT CALLBACK frmStatistics::MnemonicProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                             UINT_PTR idSubclass, DWORD_PTR refData) {
    if (msg == WM_SYSCHAR && reinterpret_cast<frmStatistics*>(refData)->SelectTabByMnemonic(
                                 static_cast<wchar_t>(wParam)))
        return 0;
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, &frmStatistics::MnemonicProc, idSubclass);
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace quillon::win
