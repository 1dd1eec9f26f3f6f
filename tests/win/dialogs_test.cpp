// The options and statistics dialogs under Wine, opened modally over a shown owner: where they
// stand, the pages their access keys choose, what the options dialog stores, which label shows
// each statistics figure, and the performance graph's pixels.

#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "options/win/frmOptions.h"
#include "options/win/frmOptions_resource.h"
#include "options/win/picture_lists.h"
#include "profiles/default_profile.h"
#include "profiles/profile_file.h"
#include "profiles/win/frmStatistics.h"
#include "profiles/win/frmStatistics_ids.h"
#include "profiles/win/statistics_graph.h"
#include "shell/memory_store.h"
#include "shell/program_values.h"
#include "shell/settings.h"
#include "shell/win/modFiles.h"
#include "shell/win/text.h"
#include "support/fakes.h"
#include "support/run_dialog.h"
#include "support/temp_folder.h"
#include "ui/win/dialog_base.h"
#include "ui/win/tab_pages.h"

namespace quillon::win {
namespace {

using test::Look;
using test::RunDialog;

int CurrentTab(HWND hDialog, int lTabsId) {
    return static_cast<int>(SendDlgItemMessageW(hDialog, lTabsId, TCM_GETCURSEL, 0, 0));
}

bool Shown(HWND hDialog, int lId) { return IsWindowVisible(GetDlgItem(hDialog, lId)) != FALSE; }

std::string Text(HWND hDialog, int lId) {
    wchar_t buffer[128] = {};
    GetDlgItemTextW(hDialog, lId, buffer, 128);
    return Narrow(buffer);
}

TEST(DialogBases, CentredOverTheOwnerInsideTheWorkAreaAndAccessKeys) {
    const RECT work{0, 0, 1000, 700}, owner{100, 100, 500, 400}, corner{800, 600, 1000, 700};
    const std::tuple<RECT, const RECT*, POINT> cases[] = {
        {{0, 0, 200, 100}, &owner, {200, 200}}, {{0, 0, 200, 100}, nullptr, {400, 300}},
        {{0, 0, 600, 400}, &owner, {0, 50}},    {{0, 0, 300, 200}, &corner, {700, 500}},
        {{0, 0, 1200, 800}, &owner, {0, 0}},  // too large: its top-left shows
    };
    for (const auto& [window, pOwner, at] : cases) {
        const RECT got = CentredRect(window, pOwner, work);
        EXPECT_EQ(std::tuple(got.left, got.top, got.right - got.left, got.bottom - got.top),
                  std::tuple(at.x, at.y, window.right, window.bottom));
    }
    // A doubled ampersand is a plain one, before or after the access key.
    EXPECT_EQ(AccessKey(L"Salt && &Pepper"), L'p');
    EXPECT_EQ(AccessKey(L"Rock && Roll") + AccessKey(L"Trailing&"), 0);
}

class DialogsTest : public testing::Test {
  protected:
    void SetUp() override { file.WriteAll(BuildDefaultProfile()); }

    testing::AssertionResult RunOptions(const Look& look) {
        return RunDialog([this](HWND hOwner) { frmOptions(context).Show(hOwner); }, look);
    }
    testing::AssertionResult RunStatistics(const Look& look) {
        frmStatistics window({file, settings, reporter, {}});
        return RunDialog([&](HWND h) { window.ShowModal(GetModuleHandleW(nullptr), h); }, look);
    }

    test::TempFolder root;
    AppPaths paths{Narrow(root.path.wstring())};
    MemoryStore store;
    Settings settings{store};
    ProgramValues values;
    test::ScriptedRandom random;
    test::RecordingReporter reporter;
    MemoryProfileFile file;
    AppContext context{GetModuleHandleW(nullptr), settings, values, random, reporter, file, paths};
};

// The check items in the options tree's order: the first at the root, the others in the folder.
std::vector<HTREEITEM> CheckItems(HWND hDialog) {
    const HWND hTree = GetDlgItem(hDialog, IDC_OPT_SUIOPTIONS);
    std::vector<HTREEITEM> items{TreeView_GetRoot(hTree)};
    for (HTREEITEM h = TreeView_GetChild(hTree, TreeView_GetNextSibling(hTree, items[0])); h;
         h = TreeView_GetNextSibling(hTree, h))
        items.push_back(h);
    return items;
}

TEST_F(DialogsTest, OptionsOkStoresEveryControlUnderItsOwnSetting) {
    ASSERT_TRUE(RunOptions([](HWND d) {
        SetDlgItemTextW(d, IDC_OPT_TXTPLAYERNAME0, L"Ann");
        SetDlgItemTextW(d, IDC_OPT_TXTPLAYERNAME1, L"Zo\u00EB");
        SendDlgItemMessageW(d, IDC_OPT_SLDREVEAL, TBM_SETPOS, TRUE, 300);
        SendDlgItemMessageW(d, IDC_OPT_SLDMEMORY, TBM_SETPOS, TRUE, 35);
        SendDlgItemMessageW(d, IDC_OPT_CHKWAITFORCLICK, BM_SETCHECK, BST_UNCHECKED, 0);
        const std::vector<HTREEITEM> items = CheckItems(d);
        for (size_t i = 0; i < items.size(); ++i)
            TreeView_SetCheckState(GetDlgItem(d, IDC_OPT_SUIOPTIONS), items[i], i % 2 == 1);
        return IDOK;
    }));
    EXPECT_EQ(settings.GetSettingText(SettingPlayer1Name), "Ann");
    EXPECT_EQ(settings.GetSettingText(SettingPlayer2Name), "Zo\xC3\xAB");
    EXPECT_EQ(settings.GetSettingNumber(SettingClock), 300);
    EXPECT_EQ(settings.GetSettingNumber(SettingAIMemory), 35);
    EXPECT_EQ(settings.GetSettingNumber(SettingWaitForClick), 0);
    EXPECT_EQ(
        (std::vector{settings.GetOption(OPTION_AUTOCHECK), settings.GetOption(OPTION_FLASH),
                     settings.GetOption(OPTION_HANDCURSOR), settings.GetOption(OPTION_SELECTION)}),
        (std::vector{0, 1, 0, 1}));
    EXPECT_FALSE(values.g_bWaitForClick) << "the program's values are refreshed";
    EXPECT_TRUE(reporter.errors.empty());
}

// Alt with a caption's letter (WM_SYSCHAR), typed into any control, chooses its page; Cancel stores
// the on/off options (they take effect at once) and nothing else.
TEST_F(DialogsTest, OptionsAccessKeysChoosePagesAndCancelKeepsTheOtherSettings) {
    ASSERT_TRUE(RunOptions([](HWND d) {
        const int lShownBy[] = {IDC_OPT_TXTPLAYERNAME0, IDC_OPT_CMBCARDSET, IDC_OPT_SLDMEMORY,
                                IDC_OPT_SUIOPTIONS};
        for (const auto& [letter, lPage] : {std::pair{L'd', 1}, {L'H', 3}, {L'a', 2}, {L'g', 0}}) {
            SendDlgItemMessageW(d, lPage == 1 ? IDC_OPT_TABBAR : IDOK, WM_SYSCHAR, letter, 1 << 29);
            EXPECT_EQ(CurrentTab(d, IDC_OPT_TABBAR), lPage);
            for (int p = 0; p < 4; ++p)
                EXPECT_EQ(Shown(d, lShownBy[p]), p == lPage) << "Alt+" << char(letter) << " " << p;
        }
        SetDlgItemTextW(d, IDC_OPT_TXTPLAYERNAME0, L"Ann");
        TreeView_SetCheckState(GetDlgItem(d, IDC_OPT_SUIOPTIONS), CheckItems(d)[2], FALSE);
        return IDCANCEL;
    }));
    EXPECT_EQ(settings.GetSettingText(SettingPlayer1Name), "");
    EXPECT_EQ(settings.GetOption(OPTION_HANDCURSOR), 0);
    EXPECT_EQ(settings.GetOption(OPTION_FLASH), 1);
}

// Folders are left out, and a folder that cannot be read lists nothing.
TEST_F(DialogsTest, PictureListsHoldThePictureFilesByDisplayName) {
    const std::filesystem::path backs(Widen(paths.GetPath(PathBacks)));
    for (const char* sName : {"old WEST.bmp", "notes.txt"}) std::ofstream(backs / sName) << "x";
    std::filesystem::create_directories(backs / "folder.bmp");
    EXPECT_EQ(ListPictureNames(paths.GetPath(PathBacks), ".bmp"),
              std::vector<std::string>{"Old West"});
    EXPECT_TRUE(ListPictureNames(paths.GetPath(PathApp) + "none\\", ".bmp").empty());
}

// Which rows a player is shown and the graph's size are checked end to end; the figures there
// come from one real game, so the label of each figure is pinned here with figures that differ.
TEST_F(DialogsTest, StatisticsShowEveryFigureInItsOwnLabel) {
    wchar_t sSaved[16] = {};
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, sSaved, 16);
    SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, L"\u00B7");  // arrives as UTF-8
    ProfileRecord player;
    player.Games_Won = 1;
    player.Games_Lost = 2;
    player.Games_Null = 5;
    player.Pairs = {10, 1, 2, 3, 4};
    player.Average_Time = 3723000;
    file.WriteRecords({{1, player}});
    EXPECT_TRUE(RunStatistics([](HWND d) {
        // "~" stands for the separator.
        const std::pair<int, std::string> labels[] = {
            {IDC_STAT_STAT0, "8"},         {IDC_STAT_STAT1, "1"},
            {IDC_STAT_STAT2, "2"},         {IDC_STAT_PERCENT0, "12~5 %"},
            {IDC_STAT_PERCENT1, "25~0 %"}, {IDC_STAT_TIME0, "1 h 2 min 3 s"},
            {IDC_STAT_PERF0, "20"},        {IDC_STAT_PERF1, "4"},  // wild guesses second
            {IDC_STAT_PERF2, "3"},         {IDC_STAT_PERF3, "2"},
            {IDC_STAT_PERF4, "1"},         {IDC_STAT_PERFPERCENT0, "20~0 %"},
            {IDC_STAT_STAT3, "0"},         {IDC_STAT_PERFPERCENT3, "5~0 %"},  // both viewed
            {IDC_STAT_PERCENT2, ""},  // the computer has played no game
        };
        for (auto [id, sText] : labels) {
            if (const size_t at = sText.find('~'); at != std::string::npos)
                sText.replace(at, 1, "\xC2\xB7");
            EXPECT_EQ(Text(d, id), sText) << id;
        }
        SendDlgItemMessageW(d, IDOK, WM_SYSCHAR, L'G', 1 << 29);  // Alt+G
        EXPECT_EQ(CurrentTab(d, IDC_STAT_TABBAR), 2);
        EXPECT_TRUE(Shown(d, IDC_STAT_GRAPH) && !Shown(d, IDC_STAT_STAT0));
        return IDOK;
    }));
    SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, sSaved);
    EXPECT_TRUE(reporter.errors.empty());
}

TEST_F(DialogsTest, StatisticsFailureIsReportedAndLeavesTheRestUnfilled) {
    ProfileRecord player;
    player.Games_Won = 2147483647;
    player.Games_Lost = 1;  // the number of games played overflows
    file.WriteRecords({{1, player}});
    ASSERT_TRUE(RunStatistics([](HWND d) {
        EXPECT_EQ(Text(d, IDC_STAT_STAT0), "##");
        EXPECT_EQ(Text(d, IDC_STAT_STAT3), "##") << "the routine ended before the computer";
        return IDOK;
    }));
    ASSERT_EQ(reporter.errors.size(), 1u);
    EXPECT_EQ(std::pair(reporter.errors[0].sProcedure, reporter.errors[0].bFatal),
              std::pair(std::string("frmStatistics::ParseStats"), false));
}

// The default profile's curve; the computer between levels 40 and 50, the player between 70
// and 80, apart so that each colour can be looked for alone.
TEST_F(DialogsTest, GraphHasADottedGridTheCurveAndTwoHatchedBrackets) {
    LevelRatios ratios{};
    float fUnused = 0.0f;
    ASSERT_TRUE(clsProfiles({file, settings, reporter, {}}).LoadExtended(ratios, fUnused));
    const GraphGeometry g{kGraphWidth, kGraphHeight};
    MemoryCanvas c(kGraphWidth, kGraphHeight, kWhite);
    DrawPerformanceGraph(c.Dc(), g, ratios, 0.0f, 0.0f);  // no brackets for no ratio
    const auto count = [&c](const GraphRect& r, Rgb colour) {
        int n = 0;
        for (int y = r.lTop; y <= r.lBottom; ++y)
            for (int x = r.lLeft; x <= r.lRight; ++x) n += c.Pixel(x, y) == colour ? 1 : 0;
        return n;
    };
    const GraphRect grid{g.X(30), 0, g.X(30), 40};
    EXPECT_TRUE(count(grid, {0, 0, 255}) > 10 && count(grid, kWhite) > 10) << "a dotted grid";
    for (const GraphPoint& p : CurvePoints(ratios, g))
        EXPECT_TRUE(p.lX >= kGraphWidth || c.Pixel(p.lX, p.lY) == kBlack) << "level " << p.lLevel;
    const GraphRect whole{0, 0, kGraphWidth - 1, kGraphHeight - 1};
    EXPECT_EQ(count(whole, {0, 255, 0}) + count(whole, {255, 0, 0}), 0);
    DrawPerformanceGraph(c.Dc(), g, ratios, 0.3f, 0.45f);
    Bracket bracket;
    const auto computer = BracketRect(ratios, 0.3f, g, bracket);
    const auto player = BracketRect(ratios, 0.45f, g, bracket);
    ASSERT_TRUE(computer && player);
    for (const auto& [r, colour, bDown] : {std::tuple{*computer, Rgb{0, 255, 0}, true},
                                           std::tuple{*player, Rgb{255, 0, 0}, false}}) {
        EXPECT_EQ(c.Pixel(r.lLeft, r.lTop), colour);
        EXPECT_EQ(c.Pixel(r.lRight, r.lBottom), colour);
        EXPECT_EQ(count(whole, colour), count(r, colour)) << "nothing of its colour outside";
        int lDown = 0, lUp = 0;  // neighbouring hatch pixels down or up to the right
        for (int y = r.lTop + 2; y < r.lBottom - 1; ++y)
            for (int x = r.lLeft + 1; x < r.lRight - 1; ++x) {
                if (c.Pixel(x, y) != colour) continue;
                lDown += c.Pixel(x + 1, y + 1) == colour ? 1 : 0;
                lUp += c.Pixel(x + 1, y - 1) == colour ? 1 : 0;
            }
        EXPECT_GT(bDown ? lDown : lUp, 3 * (bDown ? lUp : lDown) + 2) << "hatch direction";
    }
}

}  // namespace
}  // namespace quillon::win
