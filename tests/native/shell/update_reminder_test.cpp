// Until the program has an internet update to run, the three-month reminder stays silent.

#include "shell/update_reminder.h"

#include <gtest/gtest.h>

#include "shell/memory_store.h"
#include "shell/settings.h"

namespace quillon {
namespace {

class CountingReminderHost final : public IUpdateReminderHost {
  public:
    bool AskForUpdate() override {
        ++lQuestions;
        return true;
    }
    void RunInternetUpdate() override { ++lUpdates; }
    int lQuestions = 0, lUpdates = 0;
};

TEST(UpdateReminderWithoutUpdate, NeitherAsksNorRecordsTheDate) {
    MemoryStore store;
    Settings settings(store);
    CountingReminderHost host;
    CheckUpdateReminder(settings, 20260102, host, false);
    EXPECT_EQ(settings.GetSettingNumber(SettingLastUpdate), 0) << "first start";

    settings.SaveSetting(SettingLastUpdate, 20251231);
    CheckUpdateReminder(settings, 20260406, host, false);
    EXPECT_EQ(host.lQuestions, 0);
    EXPECT_EQ(host.lUpdates, 0);
    EXPECT_EQ(settings.GetSettingNumber(SettingLastUpdate), 20251231);

    // The same date, with an update to offer, is asked about.
    CheckUpdateReminder(settings, 20260406, host, true);
    EXPECT_EQ(host.lQuestions, 1);
}

}  // namespace
}  // namespace quillon
