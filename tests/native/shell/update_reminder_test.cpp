#include "shell/update_reminder.h"

#include <gtest/gtest.h>

#include "shell/memory_store.h"
#include "shell/settings.h"

namespace quillon {
namespace {

class CountingReminderHost final : public IUpdateReminderHost {
  public:
    bool AskForUpdate() override { return ++lQuestions > 0; }
    void RunInternetUpdate() override { ++lUpdates; }
    int lQuestions = 0, lUpdates = 0;
};

// Until the program has an internet update to run, the reminder stays silent and keeps the date.
TEST(UpdateReminderWithoutUpdate, NeitherAsksNorRecordsTheDate) {
    MemoryStore store;
    Settings settings(store);
    CountingReminderHost host;
    CheckUpdateReminder(settings, 20260102, host, false);
    EXPECT_EQ(settings.GetSettingNumber(SettingLastUpdate), 0) << "first start";
    settings.SaveSetting(SettingLastUpdate, 20251231);
    CheckUpdateReminder(settings, 20260406, host, false);
    EXPECT_EQ(host.lQuestions + host.lUpdates, 0);
    EXPECT_EQ(settings.GetSettingNumber(SettingLastUpdate), 20251231);
    CheckUpdateReminder(settings, 20260406, host, true);
    EXPECT_EQ(host.lQuestions, 1) << "the same dates with an update to offer";
}

}  // namespace
}  // namespace quillon
