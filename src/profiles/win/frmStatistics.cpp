#include "profiles/win/frmStatistics.h"

#include <commctrl.h>

#include <utility>
#include <vector>

#include "profiles/profile_record.h"
#include "profiles/win/frmStatistics_ids.h"
#include "profiles/win/statistics_graph.h"
#include "shell/error_report.h"
#include "shell/win/text.h"

namespace quillon::win {

namespace {

int CaptionId(int k, int lFrame, int lRow) {
    return IDC_STAT_CAPTION_FIRST + 10 * k + 5 * lFrame + lRow;
}

// The player's page, the computer's, the graph's. The computer's average level and both fifth
// rows are for developers only: the template keeps them hidden and no page shows them.
std::vector<TabPages::Page> Pages() {
    std::vector<TabPages::Page> pages;
    for (int k = 0; k < 2; ++k) {
        std::vector<int> c{IDC_STAT_GENERAL0 + k, IDC_STAT_PERFORMANCES0 + k,
                           IDC_STAT_PERCENT0 + 2 * k, IDC_STAT_PERCENT0 + 2 * k + 1};
        for (int lRow = 0; lRow < 3; ++lRow)
            c.insert(c.end(), {CaptionId(k, 0, lRow), IDC_STAT_STAT0 + 3 * k + lRow});
        if (k == 0) c.insert(c.end(), {CaptionId(0, 0, 3), IDC_STAT_TIME0});
        for (int lRow = 0; lRow < 5; ++lRow)
            c.insert(c.end(), {CaptionId(k, 1, lRow), IDC_STAT_PERF0 + 5 * k + lRow});
        for (int i = 0; i < 4; ++i) c.push_back(IDC_STAT_PERFPERCENT0 + 4 * k + i);
        pages.push_back({static_cast<UINT>(IDS_STAT_TAB_PLAYER + k), std::move(c)});
    }
    pages.push_back({IDS_STAT_TAB_GRAPH, {IDC_STAT_EXPLAIN, IDC_STAT_GRAPH}});
    return pages;
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
        case WM_NOTIFY:
            m_tabs.OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
            return TRUE;
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
    for (int k = 0; k < 2; ++k) ShowFigures(k);
    m_tabs.Create(m_hwnd, IDC_STAT_TABBAR, m_hInstance, Pages(), {IDOK});
    PlaceGraph();
    SetFocus(Item(IDC_STAT_TABBAR));
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

void frmStatistics::OnDrawItem(const DRAWITEMSTRUCT& item) const {
    const RECT& rc = item.rcItem;
    if (m_graph) {
        BitBlt(item.hDC, rc.left, rc.top, m_graph->Width(), m_graph->Height(), m_graph->Dc(), 0, 0,
               SRCCOPY);
    } else {
        FillRect(item.hDC, &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
}

}  // namespace quillon::win
