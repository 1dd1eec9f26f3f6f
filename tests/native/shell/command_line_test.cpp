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

// Counts what the command line asks of the board: questions, autorun looks, non-stop starts,
// reminders.
class FakeCommandHost final : public ICommandLineHost, public IUpdateReminderHost {
  public:
    bool ConfirmAutorun() override { return ++counts[0], bYes; }
    void ShowAutorunLook() override { ++counts[1]; }
    void StartNonStopPlay() override { ++counts[2]; }
    void CheckUpdateReminder() override { ++counts[3]; }
    bool AskForUpdate() override { return ++counts[0], bYes; }
    void RunInternetUpdate() override { ++counts[2]; }
    bool bYes = true;
    std::array<int, 4> counts{};
};

TEST(CommandLine, AutorunSetsTheAbsoluteLevelAtMost100AndStartsNonStopPlay) {
    const std::pair<const char*, int32_t> cases[] = {{"  /autorun 250  ", 100},
                                                     {"/autorun -30", 30},
                                                     {"/autorun +7", 7},
                                                     {"/autorun 99999999999999", 100}};
    for (const auto& [sLine, lLevel] : cases) {
        MemoryStore store;
        Settings settings{store};
        ProgramValues values;
        FakeCommandHost host;
        test::RecordingReporter reporter;
        RunCommandLine(sLine, host, settings, values, reporter);
        EXPECT_EQ(settings.GetSettingNumber(SettingAIMemory), lLevel) << sLine;
        EXPECT_EQ(host.counts, (std::array{1, 1, 1, 0})) << sLine;
        EXPECT_FALSE(values.g_bFlash || values.g_bWaitForClick);
        EXPECT_EQ(values.g_lRevealTime, 10);
        EXPECT_TRUE(reporter.errors.empty());
    }
}

TEST(CommandLine, AnythingButAConfirmedAutorunRunsTheReminderAndABadLevelIsReported) {
    const struct {
        const char* sLine;
        bool bYes;
        std::array<int, 4> counts;
        int32_t lLevel;
        size_t lErrors;
    } cases[] = {{"/autorun 20", false, {1, 0, 0, 1}, 50, 0},
                 {"", true, {0, 0, 0, 1}, 50, 0},
                 {"   ", true, {0, 0, 0, 1}, 50, 0},
                 {"/AUTORUN 20 x", true, {0, 0, 0, 1}, 50, 0},
                 {"/autorun fast", true, {1, 0, 0, 0}, 50, 1},
                 {"/autorun  50", true, {1, 0, 0, 0}, 50, 1},
                 // The first switch stays done when a second one fails.
                 {"/autorun 40 /autorun", true, {2, 1, 0, 0}, 40, 1}};
    for (const auto& c : cases) {
        MemoryStore store;
        Settings settings{store};
        ProgramValues values;
        FakeCommandHost host;
        host.bYes = c.bYes;
        test::RecordingReporter reporter;
        RunCommandLine(c.sLine, host, settings, values, reporter);
        EXPECT_EQ(host.counts, c.counts) << c.sLine;
        EXPECT_EQ(settings.GetSettingNumber(SettingAIMemory), c.lLevel) << c.sLine;
        EXPECT_EQ(reporter.Procedures(),
                  std::vector<std::string>(c.lErrors, "modMain::RunCommandLine"))
            << c.sLine;
        for (const auto& e : reporter.errors) EXPECT_FALSE(e.bFatal);
    }
}

// Each case: the stored date, today, the answer; whether it asks, runs the update, and what is
// stored after.
TEST(UpdateReminder, AsksFromThreeMonthsOnAndStoresTodayWhenItAsks) {
    const struct {
        int32_t lStored, lToday;
        bool bYes, bAsks, bUpdates;
        int32_t lAfter;
    } cases[] = {{0, 20260102, true, false, false, 20260102},  // first start: no question
                 {20260105, 20260405, true, false, false, 20260105},
                 {20260105, 20260406, false, true, false, 20260406},
                 {20251231, 20260102, true, true, true, 20260102}};
    for (const auto& c : cases) {
        MemoryStore store;
        Settings settings{store};
        FakeCommandHost host;
        host.bYes = c.bYes;
        settings.SaveSetting(SettingLastUpdate, c.lStored);
        CheckUpdateReminder(settings, c.lToday, host);
        EXPECT_EQ(host.counts[0], int(c.bAsks)) << c.lToday;
        EXPECT_EQ(host.counts[2], int(c.bUpdates)) << c.lToday;
        EXPECT_EQ(settings.GetSettingNumber(SettingLastUpdate), c.lAfter) << c.lToday;
        settings.SaveOption(OPTION_AUTOCHECK, false);
        CheckUpdateReminder(settings, 20990101, host);
        EXPECT_EQ(settings.GetSettingNumber(SettingLastUpdate), c.lAfter) << "switched off";
    }
}

}  // namespace
}  // namespace quillon
