// The command line and the three-month update reminder.

#include "shell/command_line.h"

#include <gtest/gtest.h>

#include "shell/memory_store.h"
#include "shell/program_values.h"
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
    const struct {
        const char* sLine;
        bool bYes;
        std::array<int, 4> counts;
        int32_t lLevel;
        size_t lErrors;
    } cases[] = {// clang-format off
        {" /autorun 250 ", true, {1, 1, 1, 0}, 100, 0}, {"/autorun -30", true, {1, 1, 1, 0}, 30, 0},
        {"/autorun +7", true, {1, 1, 1, 0}, 7, 0}, {"/autorun 1e99", true, {1, 0, 0, 0}, 50, 1},
        {"/autorun 99999999999999", true, {1, 1, 1, 0}, 100, 0},
        {"/autorun 20", false, {1, 0, 0, 1}, 50, 0}, {"", true, {0, 0, 0, 1}, 50, 0},
        {"   ", true, {0, 0, 0, 1}, 50, 0}, {"/AUTORUN 20 x", true, {0, 0, 0, 1}, 50, 0},
        {"/autorun fast", true, {1, 0, 0, 0}, 50, 1}, {"/autorun  50", true, {1, 0, 0, 0}, 50, 1},
        {"/autorun 40 /autorun", true, {2, 1, 0, 0}, 40, 1}};
    // clang-format on
    for (const auto& c : cases) {
        MemoryStore store;
        Settings settings{store};
        ProgramValues values;
        FakeHost host;
        host.bYes = c.bYes;
        test::RecordingReporter reporter;
        RunCommandLine(c.sLine, host, settings, values, reporter);
        EXPECT_EQ(host.counts, c.counts) << c.sLine;
        EXPECT_EQ(settings.GetSettingNumber(SettingAIMemory), c.lLevel) << c.sLine;
        EXPECT_EQ(reporter.Procedures(),
                  std::vector<std::string>(c.lErrors, "modMain::RunCommandLine"));
        for (const auto& e : reporter.errors) EXPECT_FALSE(e.bFatal);
        const bool bLook = c.counts[1] != 0;
        EXPECT_EQ((std::array{values.g_bFlash, values.g_bWaitForClick}),
                  (std::array{!bLook, !bLook}));
        EXPECT_EQ(values.g_lRevealTime, bLook ? 10 : 1500) << c.sLine;
    }
}

// Each case: the stored date, today, the answer; whether it asks, runs the update, and what is
// stored after. Switched off, nothing happens.
TEST(UpdateReminder, AsksFromThreeMonthsOnAndStoresTodayWhenItAsks) {
    const struct {
        int32_t lStored, lToday;
        bool bYes;
        int lAsks, lUpdates;
        int32_t lAfter;
    } cases[] = {{0, 20260102, true, 0, 0, 20260102},  // first start: no question
                 {20260105, 20260405, true, 0, 0, 20260105},
                 {20260105, 20260406, false, 1, 0, 20260406},
                 {20251231, 20260102, true, 1, 1, 20260102}};
    for (const auto& c : cases) {
        MemoryStore store;
        Settings settings{store};
        FakeHost host;
        host.bYes = c.bYes;
        settings.SaveSetting(SettingLastUpdate, c.lStored);
        CheckUpdateReminder(settings, c.lToday, host);
        EXPECT_EQ((std::array{host.counts[0], host.counts[2]}), (std::array{c.lAsks, c.lUpdates}));
        EXPECT_EQ(settings.GetSettingNumber(SettingLastUpdate), c.lAfter) << c.lToday;
        settings.SaveOption(OPTION_AUTOCHECK, false);
        CheckUpdateReminder(settings, 20990101, host);
        EXPECT_EQ(settings.GetSettingNumber(SettingLastUpdate), c.lAfter) << "switched off";
    }
}

}  // namespace
}  // namespace quillon
