#include <gtest/gtest.h>

#include "shell/command_line.h"
#include "shell/memory_store.h"
#include "shell/program_values.h"
#include "shell/settings.h"
#include "shell/update_reminder.h"
#include "support/fakes.h"

namespace quillon {
namespace {

class FakeCommandHost final : public ICommandLineHost {
public:
    bool ConfirmAutorun() override {
        ++lQuestions;
        return bAnswerYes;
    }
    void ShowAutorunLook() override { ++lLooks; }
    void StartNonStopPlay() override { ++lNonStop; }
    void CheckUpdateReminder() override { ++lReminders; }

    bool bAnswerYes = true;
    int lQuestions = 0, lLooks = 0, lNonStop = 0, lReminders = 0;
};

class CommandLineTest : public ::testing::Test {
protected:
    void Run(std::string_view line) { RunCommandLine(line, host, settings, values, reporter); }

    MemoryStore store;
    Settings settings{store};
    ProgramValues values;
    FakeCommandHost host;
    test::RecordingReporter reporter;
};

TEST_F(CommandLineTest, AutorunClampsTheLevelAndStartsNonStopPlay) {
    Run("  /autorun 250  ");
    EXPECT_EQ(host.lQuestions, 1);
    EXPECT_EQ(settings.GetSettingNumber(SettingAIMemory), 100);
    EXPECT_EQ(host.lLooks, 1);
    EXPECT_EQ(host.lNonStop, 1);
    EXPECT_EQ(host.lReminders, 0);
    EXPECT_FALSE(values.g_bFlash);
    EXPECT_FALSE(values.g_bWaitForClick);
    EXPECT_EQ(values.g_lRevealTime, 10);
    EXPECT_TRUE(reporter.errors.empty());
}

TEST_F(CommandLineTest, NegativeLevelCountsAsItsAbsoluteValue) {
    Run("/autorun -30");
    EXPECT_EQ(settings.GetSettingNumber(SettingAIMemory), 30);
    Run("/autorun 99999999999999");
    EXPECT_EQ(settings.GetSettingNumber(SettingAIMemory), 100);
}

TEST_F(CommandLineTest, AnswerNoChangesNothingAndRunsTheReminder) {
    host.bAnswerYes = false;
    Run("/autorun 20");
    EXPECT_EQ(host.lQuestions, 1);
    EXPECT_EQ(store.Size(), 0u);
    EXPECT_EQ(host.lLooks, 0);
    EXPECT_EQ(host.lNonStop, 0);
    EXPECT_EQ(host.lReminders, 1);
    EXPECT_TRUE(values.g_bFlash);
}

TEST_F(CommandLineTest, EmptyOrForeignCommandLinesRunTheReminder) {
    Run("");
    Run("   ");
    Run("/AUTORUN 20 file.txt");  // the switch is case-sensitive
    EXPECT_EQ(host.lQuestions, 0);
    EXPECT_EQ(host.lReminders, 3);
}

TEST_F(CommandLineTest, MissingOrWordLevelIsAFailureThatKeepsWhatWasDone) {
    Run("/autorun 40 /autorun");
    ASSERT_EQ(reporter.errors.size(), 1u);
    EXPECT_EQ(reporter.errors[0].sProcedure, "modMain::RunCommandLine");
    EXPECT_FALSE(reporter.errors[0].bFatal);
    EXPECT_EQ(settings.GetSettingNumber(SettingAIMemory), 40) << "first switch stays done";
    EXPECT_EQ(host.lLooks, 1);
    EXPECT_EQ(host.lNonStop, 0);
    EXPECT_EQ(host.lReminders, 0);

    Run("/autorun fast");
    EXPECT_EQ(reporter.errors.size(), 2u);
    Run("/autorun  50");  // two spaces: the token after the switch is empty
    EXPECT_EQ(reporter.errors.size(), 3u);
    EXPECT_EQ(host.lReminders, 0);
}

class FakeReminderHost final : public IUpdateReminderHost {
public:
    bool AskForUpdate() override {
        ++lQuestions;
        return bYes;
    }
    void RunInternetUpdate() override { ++lUpdates; }
    bool bYes = false;
    int lQuestions = 0, lUpdates = 0;
};

TEST(UpdateReminder, FirstStartStoresTodayWithoutAsking) {
    MemoryStore store;
    Settings settings(store);
    FakeReminderHost host;
    CheckUpdateReminder(settings, 20260102, host);
    EXPECT_EQ(host.lQuestions, 0);
    EXPECT_EQ(settings.GetSettingNumber(SettingLastUpdate), 20260102);
}

TEST(UpdateReminder, AsksAfterThreeMonthsAndStoresTodayWhateverTheAnswer) {
    MemoryStore store;
    Settings settings(store);
    FakeReminderHost host;
    settings.SaveSetting(SettingLastUpdate, 20260105);
    CheckUpdateReminder(settings, 20260405, host);
    EXPECT_EQ(host.lQuestions, 0);
    EXPECT_EQ(settings.GetSettingNumber(SettingLastUpdate), 20260105);

    CheckUpdateReminder(settings, 20260406, host);
    EXPECT_EQ(host.lQuestions, 1);
    EXPECT_EQ(host.lUpdates, 0);
    EXPECT_EQ(settings.GetSettingNumber(SettingLastUpdate), 20260406);

    settings.SaveSetting(SettingLastUpdate, 20251231);
    host.bYes = true;
    CheckUpdateReminder(settings, 20260102, host);
    EXPECT_EQ(host.lUpdates, 1);
    EXPECT_EQ(settings.GetSettingNumber(SettingLastUpdate), 20260102);
}

TEST(UpdateReminder, SwitchedOffDoesNothing) {
    MemoryStore store;
    Settings settings(store);
    FakeReminderHost host;
    settings.SaveOption(OPTION_AUTOCHECK, false);
    CheckUpdateReminder(settings, 20260102, host);
    EXPECT_EQ(settings.GetSettingNumber(SettingLastUpdate), 0);
    EXPECT_EQ(host.lQuestions, 0);
}

}  // namespace
}  // namespace quillon
