#include "statistics_scenario.h"

#include <commctrl.h>

#include <array>

#include "dialogs.h"
#include "profiles/statistics_rules.h"
#include "profiles/win/frmStatistics_ids.h"
#include "profiles/win/statistics_graph.h"
#include "registry.h"

namespace quillon::e2e {

namespace {

constexpr milliseconds kLongGame{180000};
constexpr milliseconds kSettleInterval{150};
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

enum Tab { kPlayerTab, kComputerTab, kGraphTab };

// The open statistics window, seen from outside the program.
class StatisticsView {
  public:
    StatisticsView(Quillon& q, HWND hwnd) : m_q(q), m_hwnd(hwnd) {}

    HWND Hwnd() const { return m_hwnd; }
    std::wstring Text(int id) const { return WindowText(GetDlgItem(m_hwnd, id)); }
    bool Visible(int id) const { return IsWindowVisible(GetDlgItem(m_hwnd, id)) != FALSE; }
    int SelectedTab() const {
        return static_cast<int>(
            SendMessageW(GetDlgItem(m_hwnd, IDC_STAT_TABBAR), TCM_GETCURSEL, 0, 0));
    }

    // The window is a dialog the program shows on purpose, so these waits only watch that the
    // program lives on.
    void Wait(std::string_view what, const std::function<bool()>& ready,
              const std::function<std::string()>& seen = {}) const {
        WaitUntil(
            what,
            [&] {
                if (m_q.Process().HasExited())
                    Fail("the program ended while its statistics window was open");
                return ready();
            },
            seen);
    }

    void CheckText(int id, const std::wstring& expected, std::string_view what) const {
        const std::wstring seen = Text(id);
        Check(seen == expected,
              std::string(what) + " reads " + Quote(seen) + " instead of " + Quote(expected));
    }

    // Alt and the tab's access key, as typed into the control that has the focus.
    void PressAlt(wchar_t key, int tab, int shownId) const {
        PostMessageW(GetDlgItem(m_hwnd, IDC_STAT_TABBAR), WM_SYSCHAR, key, LPARAM{1} << 29);
        Wait("tab " + std::to_string(tab) + " to show after Alt+" + Narrow(std::wstring(1, key)),
             [&] { return SelectedTab() == tab && Visible(shownId); });
    }

    // The picture on the screen once two captures a moment apart agree.
    Image SettledCapture(int id) const {
        const RECT rect = ClientRectOnScreen(GetDlgItem(m_hwnd, id));
        Image before = Image::CaptureScreen(rect);
        Image now;
        Wait("the statistics window to stop changing", [&] {
            Pause(kSettleInterval);
            now = Image::CaptureScreen(rect);
            const bool same = now == before;
            before = now;
            return same;
        });
        return now;
    }

    void Close() const {
        PostMessageW(GetDlgItem(m_hwnd, IDOK), BM_CLICK, 0, 0);
        Wait("the statistics window to close", [&] { return !IsWindow(m_hwnd); });
    }

  private:
    Quillon& m_q;
    HWND m_hwnd;
};

StatisticsView OpenStatistics(Quillon& q) {
    q.Choose({L"&Tools", L"Statistics..."});
    HWND found = nullptr;
    StatisticsView pending(q, nullptr);
    pending.Wait("a window titled \"Statistics\"", [&] {
        for (const MessageBoxView& box : OpenMessageBoxes(q.Process().Id()))
            if (box.title == L"Statistics") found = box.hwnd;
        return found != nullptr;
    });
    StatisticsView view(q, found);
    Check(view.SelectedTab() == kPlayerTab, "the statistics window opens on another tab");
    return view;
}

// Every label of one profile's tab against the record the program saved.
void CheckFigures(const StatisticsView& view, int k, const ProfileRecord& r) {
    const std::string sep = win::UserDecimalSeparator();
    const auto text = [](const std::string& s) { return Widen(s); };
    const std::string who = k == 0 ? "the player's " : "the computer's ";
    const int32_t played = r.won + r.lost + r.null;
    view.CheckText(IDC_STAT_STAT0 + 3 * k, std::to_wstring(played), who + "games played");
    view.CheckText(IDC_STAT_STAT1 + 3 * k, std::to_wstring(r.won), who + "games won");
    view.CheckText(IDC_STAT_STAT2 + 3 * k, std::to_wstring(r.lost), who + "games lost");
    view.CheckText(IDC_STAT_PERCENT0 + 2 * k, text(FormatPercent(r.won, played, sep)),
                   who + "share of games won");
    view.CheckText(IDC_STAT_PERCENT1 + 2 * k, text(FormatPercent(r.lost, played, sep)),
                   who + "share of games lost");
    const std::wstring time = text(FormatDuration(r.averageTime));
    const std::wstring level = text(FormatAverageLevel(r.averageAI, sep));
    view.CheckText(IDC_STAT_TIME0 + 3 * k, k == 0 ? time : level, who + "row 4 figure");
    view.CheckText(IDC_STAT_TIME1 + k, k == 0 ? level : time, who + "hidden row 5 figure");

    int32_t total = 0;
    for (const int32_t n : r.pairs) total += n;
    view.CheckText(IDC_STAT_PERF0 + 5 * k, std::to_wstring(total), who + "pairs lifted");
    // Wild guess, first card viewed, second card viewed, both viewed.
    const std::array<int32_t, 4> found = {r.pairs[4], r.pairs[3], r.pairs[2], r.pairs[1]};
    for (int i = 0; i < 4; ++i) {
        const std::string row = who + "performance row " + std::to_string(i + 2);
        view.CheckText(IDC_STAT_PERF1 + 5 * k + i, std::to_wstring(found[i]), row);
        view.CheckText(IDC_STAT_PERFPERCENT0 + 4 * k + i, text(FormatPercent(found[i], total, sep)),
                       row + " share");
    }
}

// Which of the ten caption rows a player is shown: row 5 and the computer's AI level are for
// developers.
void CheckRows(const StatisticsView& view, int k) {
    for (int row = 0; row < 10; ++row) {
        const int id = IDC_STAT_CAPTION_FIRST + 10 * k + row;
        const bool shown = row != 4 && !(row == 3 && k == 1);
        Check(view.Visible(id) == shown, "caption " + Quote(view.Text(id)) +
                                             (shown ? " is hidden" : " is shown to the player"));
    }
    Check(!view.Visible(IDC_STAT_TIME1 + k), "the developers' row 5 figure is shown");
    Check(view.Visible(IDC_STAT_TIME0 + 3 * k) == (k == 0),
          k == 0 ? "the game length is hidden" : "the computer's AI level is shown");
}

int CountColour(const Image& image, COLORREF colour) {
    int n = 0;
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) n += image.At(x, y) == colour ? 1 : 0;
    return n;
}

// The graph as it reaches the screen: white, the dotted grid, the black curve, and a green
// bracket exactly when the computer has a result.
void CheckGraph(const StatisticsView& view, bool computerBracket) {
    view.CheckText(IDC_STAT_EXPLAIN, L"AI perfomance graph. Read help file for more info.",
                   "the graph's explanation");
    const Image graph = view.SettledCapture(IDC_STAT_GRAPH);
    Check(graph.Width() == win::kGraphWidth && graph.Height() == win::kGraphHeight,
          "the graph shows " + std::to_string(graph.Width()) + " x " +
              std::to_string(graph.Height()) + " pixels");
    const int white = CountColour(graph, kWhite);
    const int blue = CountColour(graph, win::kGridColour);
    const int black = CountColour(graph, kBlack);
    const int green = CountColour(graph, win::kComputerColour);
    const int red = CountColour(graph, win::kPlayerColour);
    Check(white > graph.Width() * graph.Height() / 2, "the graph is not mostly white");
    Check(blue > 10 * graph.Height() / 4, "the graph's grid is missing");
    Check(black > graph.Width() / 2, "the graph's curve is missing");
    Check((green > 0) == computerBracket, computerBracket ? "the computer's bracket is missing"
                                                          : "a computer's bracket without data");
    Check(red == 0, "a player's bracket without a game of the player");
}

// Opens the window, checks both tabs against the profile file and the graph, with a
// screenshot of each tab named after `when`.
void LookAtStatistics(Scenario& s, Quillon& q, std::string_view when, bool computerBracket) {
    const ProfileFile profile = s.Profile();
    StatisticsView view = OpenStatistics(q);
    CheckRows(view, 0);
    CheckFigures(view, 0, profile.Player());
    view.SettledCapture(IDC_STAT_TABBAR);
    s.Screenshot(std::string(when) + "-player");

    view.PressAlt(L'c', kComputerTab, IDC_STAT_STAT3);
    Check(!view.Visible(IDC_STAT_STAT0), "the player's figures stay on the computer's tab");
    CheckRows(view, 1);
    CheckFigures(view, 1, profile.Computer());
    view.SettledCapture(IDC_STAT_TABBAR);
    s.Screenshot(std::string(when) + "-computer");

    view.PressAlt(L'g', kGraphTab, IDC_STAT_GRAPH);
    Check(!view.Visible(IDC_STAT_STAT3), "the computer's figures stay on the graph's tab");
    CheckGraph(view, computerBracket);
    s.Screenshot(std::string(when) + "-graph");

    view.PressAlt(L'p', kPlayerTab, IDC_STAT_STAT0);
    view.Close();
}

}  // namespace

void StatisticsWindow(Scenario& s) {
    SetDword(kOptionsKey, L"Clock", 1);
    SetDword(kOptionsKey, L"Last Game", 4);  // computer alone
    Quillon& q = s.Start();

    // First start: the default profile, no game of anyone yet.
    LookAtStatistics(s, q, "-default", false);

    q.Choose({L"&File", L"&New Game\tCtrl+N"});
    q.WaitForPanel(1, L"Computer playing alone...");
    q.Wait(
        "the computer to finish its game", [&] { return q.TryPanel(1) == L"Game over !"; },
        [] { return std::string("still playing"); }, kLongGame);
    q.WaitForMenu("New Game to be enabled again", [](const Menu& m) {
        return m.Get({L"&File", L"&New Game\tCtrl+N"}).IsEnabled();
    });
    const ProfileRecord computer = s.Profile().Computer();
    Check(computer.null == 1, "the computer's record is {" + Describe(computer) + "}");

    LookAtStatistics(s, q, "", true);
    q.Quit();
}

}  // namespace quillon::e2e
