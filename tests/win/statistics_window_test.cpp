// The statistics window under Wine: the user's decimal separator, the graph's pixels where the
// portable geometry puts the grid, the curve and the brackets, and the window itself filled from
// a profile file in memory.

#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>  // SetWindowSubclass

#include <algorithm>
#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "ui/win/gdi_canvas.h"
#include "profiles/clsProfiles.h"
#include "profiles/default_profile.h"
#include "profiles/statistics_rules.h"
#include "profiles/win/frmStatistics.h"
#include "profiles/win/frmStatistics_ids.h"
#include "profiles/win/statistics_graph.h"
#include "shell/memory_store.h"
#include "shell/settings.h"
#include "shell/win/text.h"
#include "support/fakes.h"

namespace quillon::win {
namespace {

constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kRed{255, 0, 0};

// Puts the user's decimal separator back whatever the test did to it.
class DecimalSeparatorGuard {
  public:
    DecimalSeparatorGuard() {
        wchar_t buffer[16] = {};
        GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, 16);
        m_sSaved = buffer;
    }
    ~DecimalSeparatorGuard() {
        SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, m_sSaved.c_str());
    }
    DecimalSeparatorGuard(const DecimalSeparatorGuard&) = delete;
    DecimalSeparatorGuard& operator=(const DecimalSeparatorGuard&) = delete;

  private:
    std::wstring m_sSaved;
};

// The window test below shows a comma reaching the shares.
TEST(StatisticsSeparator, SeparatorOutsideAsciiArrivesAsUtf8) {
    const DecimalSeparatorGuard guard;
    ASSERT_TRUE(SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, L"\u00B7"));
    EXPECT_EQ(UserDecimalSeparator(), "\xC2\xB7");
}

// ---------------------------------------------------------------------------------------------
// The graph's picture

class StatisticsGraphPixels : public ::testing::Test {
  protected:
    void SetUp() override {
        file.WriteAll(BuildDefaultProfile());
        clsProfiles profile({file, settings, reporter, {}});
        float fComputer = 0.0f;
        ASSERT_TRUE(profile.LoadExtended(ratios, fComputer));
    }
    MemoryCanvas Draw(float fComputerRatio, float fPlayerRatio) const {
        MemoryCanvas canvas(kGraphWidth, kGraphHeight, kWhite);
        DrawPerformanceGraph(canvas.Dc(), geometry, ratios, fComputerRatio, fPlayerRatio);
        return canvas;
    }
    static int Count(const MemoryCanvas& c, const GraphRect& area, Rgb colour) {
        int n = 0;
        for (int y = std::max(area.lTop, 0); y <= std::min(area.lBottom, c.Height() - 1); ++y)
            for (int x = std::max(area.lLeft, 0); x <= std::min(area.lRight, c.Width() - 1); ++x)
                n += c.Pixel(x, y) == colour ? 1 : 0;
        return n;
    }
    // Pairs of hatch pixels that continue down to the right, and up to the right.
    static std::pair<int, int> Diagonals(const MemoryCanvas& c, const GraphRect& inner,
                                         Rgb colour) {
        int lDown = 0, lUp = 0;
        for (int y = inner.lTop + 1; y < inner.lBottom; ++y) {
            for (int x = inner.lLeft; x < inner.lRight; ++x) {
                if (c.Pixel(x, y) != colour) continue;
                lDown += c.Pixel(x + 1, y + 1) == colour ? 1 : 0;
                lUp += c.Pixel(x + 1, y - 1) == colour ? 1 : 0;
            }
        }
        return {lDown, lUp};
    }

    MemoryStore store;
    Settings settings{store};
    test::RecordingReporter reporter;
    MemoryProfileFile file;
    LevelRatios ratios{};
    const GraphGeometry geometry{kGraphWidth, kGraphHeight};
    const GraphRect whole{0, 0, kGraphWidth - 1, kGraphHeight - 1};
};

TEST_F(StatisticsGraphPixels, DottedGridEveryTenLevelsAndACurveThroughLevelsAboveZero) {
    const MemoryCanvas c = Draw(0.0f, 0.0f);
    for (int32_t lLevel = 0; lLevel < 100; lLevel += 10) {
        const int x = geometry.X(lLevel);
        EXPECT_GT(Count(c, {x, 0, x, kGraphHeight - 1}, kBlue), kGraphHeight / 5) << lLevel;
        EXPECT_GT(Count(c, {x, 0, x, kGraphHeight - 1}, kWhite), kGraphHeight / 5)
            << "dotted, not solid, at level " << lLevel;
        EXPECT_EQ(Count(c, {x + 1, 0, x + 1, kGraphHeight - 1}, kBlue), 0) << lLevel;
    }
    EXPECT_EQ(Count(c, {geometry.X(45), 0, geometry.X(45), kGraphHeight - 1}, kBlue), 0);

    const std::vector<GraphPoint> points = CurvePoints(ratios, geometry);
    ASSERT_EQ(points.size(), 14u);
    for (const GraphPoint& p : points) {
        if (p.lX >= kGraphWidth) continue;  // level 100 lies on the right edge, just outside
        EXPECT_EQ(c.Pixel(p.lX, p.lY), kBlack) << "level " << p.lLevel;
    }
    // Level 0 is measured but never part of the curve.
    const int x0 = geometry.X(0);
    const int y0 = geometry.Y(ratios[0]);
    EXPECT_EQ(Count(c, {x0 - 1, y0 - 1, x0 + 1, y0 + 1}, kBlack), 0);
    EXPECT_EQ(Count(c, whole, kWhite) + Count(c, whole, kBlue) + Count(c, whole, kBlack),
              kGraphWidth * kGraphHeight)
        << "no bracket for a ratio of 0";
}

TEST_F(StatisticsGraphPixels, BracketsAreOutlinedAndHatchedInTheirOwnDirections) {
    // The computer between levels 40 and 50, the player between 70 and 80: apart, so each
    // colour can be looked for alone.
    const float fComputer = 0.3f;
    const float fPlayer = 0.45f;
    Bracket expected;
    const auto computer = BracketRect(ratios, fComputer, geometry, expected);
    const auto player = BracketRect(ratios, fPlayer, geometry, expected);
    ASSERT_TRUE(computer && player);
    ASSERT_EQ(expected.lLowLevel, 70);
    const MemoryCanvas c = Draw(fComputer, fPlayer);

    for (const auto& [rect, colour, bDown] :
         {std::tuple{*computer, kGreen, true}, std::tuple{*player, kRed, false}}) {
        const int lMiddle = (rect.lTop + rect.lBottom) / 2;
        EXPECT_EQ(c.Pixel(rect.lLeft, lMiddle), colour);
        EXPECT_EQ(c.Pixel(rect.lRight, lMiddle), colour);
        EXPECT_EQ(c.Pixel((rect.lLeft + rect.lRight) / 2, rect.lTop), colour);
        EXPECT_EQ(c.Pixel((rect.lLeft + rect.lRight) / 2, rect.lBottom), colour);
        const int lInside = Count(c, rect, colour);
        EXPECT_EQ(Count(c, whole, colour), lInside) << "nothing of the bracket's colour outside";

        const GraphRect inner{rect.lLeft + 1, rect.lTop + 1, rect.lRight - 1, rect.lBottom - 1};
        EXPECT_GT(Count(c, inner, colour), 0) << "hatched";
        EXPECT_GT(Count(c, inner, kWhite), 0) << "hatched lines over the picture, not a fill";
        const auto [lDown, lUp] = Diagonals(c, inner, colour);
        if (bDown) {
            EXPECT_GT(lDown, 3 * lUp + 2) << "down diagonals for the computer";
        } else {
            EXPECT_GT(lUp, 3 * lDown + 2) << "up diagonals for the player";
        }
    }
}

// ---------------------------------------------------------------------------------------------
// The window

// Owns the modal window for one test: the owner sees WM_ENTERIDLE once the dialog waits for
// input, looks at it, then closes it with OK.
class StatisticsWindowTest : public ::testing::Test {
  protected:
    using Look = std::function<void(HWND)>;

    void SetUp() override {
        file.WriteAll(BuildDefaultProfile());
        m_owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
        // Wine makes no window without an X display; the end-to-end run brings its own.
        if (!m_owner) GTEST_SKIP() << "no display to open windows on (set DISPLAY)";
    }
    void TearDown() override {
        if (m_owner) DestroyWindow(m_owner);
    }

    INT_PTR Show(const Look& look) {
        Pending pending{look, false};
        SetWindowSubclass(m_owner, &OwnerProc, 1, reinterpret_cast<DWORD_PTR>(&pending));
        frmStatistics window({file, settings, reporter, {}});
        const INT_PTR result = window.ShowModal(GetModuleHandleW(nullptr), m_owner);
        RemoveWindowSubclass(m_owner, &OwnerProc, 1);
        EXPECT_TRUE(pending.bDone) << "the window never waited for input";
        return result;
    }

    static std::string Text(HWND dialog, int id) {
        wchar_t buffer[128] = {};
        GetDlgItemTextW(dialog, id, buffer, 128);
        return Narrow(buffer);
    }

    MemoryStore store;
    Settings settings{store};
    test::RecordingReporter reporter;
    MemoryProfileFile file;

  private:
    HWND m_owner = nullptr;
    struct Pending {
        Look look;
        bool bDone;
    };
    static LRESULT CALLBACK OwnerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR refData) {
        auto* pending = reinterpret_cast<Pending*>(refData);
        if (msg == WM_ENTERIDLE && wParam == MSGF_DIALOGBOX && !pending->bDone) {
            pending->bDone = true;
            const auto dialog = reinterpret_cast<HWND>(lParam);
            pending->look(dialog);
            PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        }
        return DefSubclassProc(hwnd, msg, wParam, lParam);
    }
};

// Which rows and tabs a player is shown, and the graph's size, are checked end to end; the
// figures there come from one real game, so the row each figure lands in is pinned here with
// figures that all differ.
TEST_F(StatisticsWindowTest, EveryFigureLandsInItsOwnLabel) {
    const DecimalSeparatorGuard guard;
    SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, L",");
    ProfileRecord player;
    player.Games_Won = 1;
    player.Games_Lost = 2;
    player.Games_Null = 5;
    player.Pairs = {10, 1, 2, 3, 4};
    player.Average_Time = 3723000;
    file.WriteRecords({{1, player}});

    const INT_PTR result = Show([](HWND dialog) {
        const std::pair<int, const char*> labels[] = {
            {IDC_STAT_STAT0, "8"},           {IDC_STAT_STAT1, "1"},
            {IDC_STAT_STAT2, "2"},           {IDC_STAT_PERCENT0, "12,5 %"},
            {IDC_STAT_PERCENT1, "25,0 %"},   {IDC_STAT_TIME0, "1 h 2 min 3 s"},
            {IDC_STAT_PERF0, "20"},          {IDC_STAT_PERF1, "4"},  // wild guesses second
            {IDC_STAT_PERF2, "3"},           {IDC_STAT_PERF3, "2"},
            {IDC_STAT_PERF4, "1"},           {IDC_STAT_PERFPERCENT0, "20,0 %"},
            {IDC_STAT_PERFPERCENT3, "5,0 %"},  // both viewed, last row
            {IDC_STAT_STAT3, "0"},           {IDC_STAT_PERCENT2, ""},  // the computer: no game
        };
        for (const auto& [id, sText] : labels) EXPECT_EQ(Text(dialog, id), sText) << id;
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(reporter.errors.empty());
}

TEST_F(StatisticsWindowTest, FailureInTheFiguresIsReportedAndLeavesTheRestUnfilled) {
    ProfileRecord player;
    player.Games_Won = 2147483647;
    player.Games_Lost = 1;  // the number of games played overflows
    file.WriteRecords({{1, player}});
    Show([](HWND dialog) {
        EXPECT_EQ(Text(dialog, IDC_STAT_STAT0), "##");
        EXPECT_EQ(Text(dialog, IDC_STAT_STAT3), "##") << "the routine ended before the computer";
    });
    ASSERT_EQ(reporter.errors.size(), 1u);
    EXPECT_EQ(reporter.errors[0].sProcedure, "frmStatistics::ParseStats");
    EXPECT_FALSE(reporter.errors[0].bFatal);
}

}  // namespace
}  // namespace quillon::win
