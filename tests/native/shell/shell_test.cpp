// The shell's rules: command line, reminder, settings, dates, paths, random source, reports.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <tuple>

#include "shell/command_line.h"
#include "shell/dates.h"
#include "shell/error_report.h"
#include "shell/memory_store.h"
#include "shell/paths.h"
#include "shell/program_values.h"
#include "shell/random.h"
#include "shell/settings.h"
#include "shell/update_reminder.h"
#include "support/fakes.h"

namespace quillon {
namespace {

// Counts questions asked, autorun looks shown, non-stop plays or updates run, reminders checked.
struct FakeHost final : ICommandLineHost, IUpdateReminderHost {
    bool ConfirmAutorun() override { return ++counts[0], bYes; }
    void ShowAutorunLook() override { ++counts[1]; }
    void StartNonStopPlay() override { ++counts[2]; }
    void CheckUpdateReminder() override { ++counts[3]; }
    bool AskForUpdate() override { return ++counts[0], bYes; }
    void RunInternetUpdate() override { ++counts[2]; }
    bool bYes = true;
    std::array<int, 4> counts{};
};

// A confirmed /autorun stores |level| (at most 100) and starts non-stop play; anything else runs
// the reminder. A bad level is reported, not fatally, and what was done before it stays.
TEST(CommandLine, AutorunTakesTheAbsoluteLevelAtMost100AndABadOneIsReported) {
    // The line, the answer, the counts, the level stored, the failures reported.
    // clang-format off
    for (auto [sLine, bYes, counts, lLevel, lErrors] : {
        std::tuple{" /autorun 250 ", true, std::array{1, 1, 1, 0}, 100, 0},
        {"/autorun -30", true, {1, 1, 1, 0}, 30, 0}, {"/autorun +7", true, {1, 1, 1, 0}, 7, 0},
        {"/autorun 99999999999999", true, {1, 1, 1, 0}, 100, 0}, {"   ", true, {0, 0, 0, 1}, 50, 0},
        {"/autorun 20", false, {1, 0, 0, 1}, 50, 0}, {"", true, {0, 0, 0, 1}, 50, 0},
        {"/AUTORUN 20 x", true, {0, 0, 0, 1}, 50, 0}, {"/autorun 1e99", true, {1, 0, 0, 0}, 50, 1},
        {"/autorun fast", true, {1, 0, 0, 0}, 50, 1}, {"/autorun  50", true, {1, 0, 0, 0}, 50, 1},
        {"/autorun 40 /autorun", true, {2, 1, 0, 0}, 40, 1}}) {
        // clang-format on
        MemoryStore store;
        Settings settings{store};
        ProgramValues values;
        FakeHost host;
        host.bYes = bYes;
        test::RecordingReporter reporter;
        RunCommandLine(sLine, host, settings, values, reporter);
        EXPECT_EQ(host.counts, counts) << sLine;
        EXPECT_EQ(settings.GetSettingNumber(SettingAIMemory), lLevel) << sLine;
        EXPECT_EQ(reporter.Procedures(),
                  std::vector<std::string>(size_t(lErrors), "modMain::RunCommandLine"));
        for (const auto& e : reporter.errors) EXPECT_FALSE(e.bFatal);
        const bool bLook = counts[1] != 0;
        EXPECT_EQ((std::array{values.g_bFlash, values.g_bWaitForClick}),
                  (std::array{!bLook, !bLook}));
        EXPECT_EQ(values.g_lRevealTime, bLook ? 10 : 1500) << sLine;
    }
}

// Each case: the stored date, today, the answer; questions asked, updates run, what is stored
// after. Switched off, nothing happens.
TEST(UpdateReminder, AsksFromThreeMonthsOnAndStoresTodayWhenItAsks) {
    // clang-format off
    for (auto [lStored, lToday, bYes, lAsks, lUpdates, lAfter] :
         {std::tuple{0, 20260102, true, 0, 0, 20260102},  // first start: no question
          {20260105, 20260405, true, 0, 0, 20260105}, {20260105, 20260406, false, 1, 0, 20260406},
          {20251231, 20260102, true, 1, 1, 20260102}}) {
        // clang-format on
        MemoryStore store;
        Settings settings{store};
        FakeHost host;
        host.bYes = bYes;
        settings.SaveSetting(SettingLastUpdate, lStored);
        CheckUpdateReminder(settings, lToday, host);
        EXPECT_EQ((std::array{host.counts[0], host.counts[2]}), (std::array{lAsks, lUpdates}));
        EXPECT_EQ(settings.GetSettingNumber(SettingLastUpdate), lAfter) << lToday;
        settings.SaveOption(OPTION_AUTOCHECK, false);
        CheckUpdateReminder(settings, 20990101, host);
        EXPECT_EQ(settings.GetSettingNumber(SettingLastUpdate), lAfter) << "switched off";
    }
}

// The keys and the defaults are checked in the real registry by the Windows tests.
TEST(Settings, ValuesAreConvertedToTheRowsTypeAndReadAfreshEveryTime) {
    MemoryStore store;
    Settings settings{store};
    for (int32_t n : {9, 12, -1}) EXPECT_EQ(TypeOf(settings.GetSetting(n)), RegType::None) << n;
    settings.SaveSetting(9, std::string("x"));
    EXPECT_EQ(store.Size(), 0u) << "reading and unknown numbers write nothing";
    settings.SaveSetting(SettingPlayer1Name, 12);
    settings.SaveSetting(SettingClock, std::string("75"));
    settings.SaveSetting(SettingClock, std::string("soon"));  // no number: not written
    EXPECT_EQ(settings.GetSetting(SettingPlayer1Name), RegValue(std::string("12")));
    EXPECT_EQ(settings.GetSetting(SettingClock), RegValue(75));
    store.Write(RegRoot::CurrentUser, kOptionsKey, "Card Set", RegValue(5));
    EXPECT_EQ(settings.GetSetting(SettingCardSet), RegValue(5)) << "as stored";
    EXPECT_EQ(settings.GetSettingText(SettingCardSet), "5");
    store.Write(RegRoot::CurrentUser, kComputerKey, "AI Memory", RegValue(12));
    EXPECT_EQ(settings.GetSettingNumber(SettingAIMemory), 12);
}

TEST(ProgramValues, LoadOptionsReadsEveryValueAndAHostileClockNeitherWrapsNorGoesNegative) {
    MemoryStore store;
    Settings settings(store);
    ProgramValues values{7};
    LoadOptions(settings, values);
    EXPECT_EQ((std::array{values.g_bFlash, values.g_bShapeCursor, values.g_bWaitForClick}),
              (std::array{true, false, true}));
    settings.SaveSetting(SettingWaitForClick, 2);  // only 1 waits
    settings.SaveOption(OPTION_FLASH, false);
    settings.SaveOption(OPTION_SELECTION, false);
    for (auto [lClock, lMilliseconds] :
         {std::pair{-1, 1500}, {25, 250}, {INT32_MAX, INT32_MAX}, {-40, 0}}) {
        if (lClock != -1) settings.SaveSetting(SettingClock, lClock);
        LoadOptions(settings, values);
        EXPECT_EQ(values.g_lRevealTime, lMilliseconds);
    }
    EXPECT_EQ((std::array{values.g_bFlash, values.g_bShapeCursor, values.g_bWaitForClick}),
              (std::array{false, true, false}));
}

// A month off by one, a year from 1900 or a day from 0 would show in the date number.
TEST(Dates, BrokenDownTimeGivesTheCalendarDateAndThreeMonthsAre301OnItsNumber) {
    // clang-format off
    const std::array<int, 4> dates[] = {{125, 0, 31, 20250131}, {125, 11, 31, 20251231},
                                        {126, 1, 28, 20260228}, {100, 1, 29, 20000229}};
    // clang-format on
    for (auto [year, month, day, lNumber] : dates) {
        std::tm time{};
        time.tm_year = year;
        time.tm_mon = month;
        time.tm_mday = day;
        EXPECT_EQ(ConvLngDate(ToCalendarDate(time)), lNumber);
    }
    EXPECT_GT(ConvLngDate(TodayLocal()), 20240101);
    EXPECT_EQ((std::array{ConvDateSince(20260105, 20260405), ConvDateSince(20260105, 20260406),
                          ConvDateSince(20260406, 20260105), ConvDateSince(INT32_MIN, INT32_MAX)}),
              (std::array{false, true, false, true}));
}

TEST(Paths, ExtensionAddedOnlyWhenMissingWhateverTheCase) {
    // clang-format off
    for (auto [sIn, sOut] : {std::pair{"Blue.BMP", "Blue.BMP"}, {"Blue", "Blue.bmp"}, {"", ".bmp"},
                             {"Zo\xC3\xAB.Bmp", "Zo\xC3\xAB.Bmp"}, {"Bluebmp", "Bluebmp.bmp"},
                             {"Blue.mp", "Blue.mp.bmp"}, {"Blue.bmp.old", "Blue.bmp.old.bmp"}})
        EXPECT_EQ(AddExtension(sIn, "bmp"), sOut);
    // clang-format on
}

struct FixedRandom final : IRandom {
    explicit FixedRandom(float v) : u(v) {}
    float Rnd() override { return u; }
    float u;
};

TEST(Random, DrawStaysBelowNEvenForTheLargestFloatBelowOneAndCoversEveryValue) {
    FixedRandom top(std::nextafter(1.0f, 0.0f)), zero(0.0f), broken(1.0f), any(0.5f);
    for (int32_t n : {1, 2, 10, 41, 16777216, 16777217, 1 << 30, INT32_MAX}) {
        const int32_t k = GetRandom(top, n);
        EXPECT_LT(k, n) << n;
        // Exact while n fits the float's 24 bits; beyond, floor(u * n) lies further below n.
        EXPECT_GE(k, n - 1 - n / 16777216) << n;
        EXPECT_EQ(GetRandom(zero, n), 0) << n;
    }
    EXPECT_EQ(GetRandom(broken, 10), 9);
    EXPECT_EQ(GetRandom(any, 0) + GetRandom(any, -4), 0);
    Random a(1234), b(1234);
    std::array<int, 10> counts{};
    for (int i = 0; i < 100000; ++i) ++counts[size_t(GetRandom(a, 10))];
    EXPECT_GT(*std::min_element(counts.begin(), counts.end()), 9400) << "it covers every value";
    for (int i = 0; i < 100000; ++i) (void)b.Rnd();
    EXPECT_EQ(a.Rnd(), b.Rnd()) << "and is repeatable";
}

TEST(ErrorReportText, FixedMessagesOverrideTheFatalFlagOthersCarryTheProcedure) {
    const ErrorReport address = ComposeErrorReport("p", ErrAddressInUse, "d", true);
    EXPECT_EQ(address.sTitle + address.sMessage, "Error !Address in use.");
    EXPECT_EQ(ComposeErrorReport("p", ErrCannotCreateObject, "d", false).eIcon,
              ErrorIcon::Critical);
    for (auto [bFatal, sTitle, sMessage] :
         {std::tuple{true, "Error n\xC2\xB0 &HD",
                     "Fatal Error !\r\nModule::clsGame::Card_Flip\r\nd"},
          {false, "Error n\xC2\xB0 &HD", "Error !\r\nModule::clsGame::Card_Flip\r\nd"}}) {
        const ErrorReport r = ComposeErrorReport("clsGame::Card_Flip", 13, "d", bFatal);
        EXPECT_EQ(r.sTitle + r.sMessage, std::string(sTitle) + sMessage);
        EXPECT_EQ(r.eIcon, bFatal ? ErrorIcon::Critical : ErrorIcon::Exclamation);
    }
}

}  // namespace
}  // namespace quillon
