#include "shell/update_reminder.h"

#include "shell/dates.h"
#include "shell/settings.h"

namespace quillon {

void CheckUpdateReminder(Settings& settings, int32_t lToday, IUpdateReminderHost& host) {
    if (settings.GetOption(OPTION_AUTOCHECK) == 0) return;
    const int32_t lLast = settings.GetSettingNumber(SettingLastUpdate);
    if (lLast == 0) {
        settings.SaveSetting(SettingLastUpdate, lToday);
        return;
    }
    if (!ConvDateSince(lLast, lToday)) return;
    if (host.AskForUpdate()) host.RunInternetUpdate();
    settings.SaveSetting(SettingLastUpdate, lToday);
}

}  // namespace quillon
