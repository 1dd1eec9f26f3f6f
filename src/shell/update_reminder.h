#pragma once
#include <cstdint>

namespace quillon {

class Settings;

class IUpdateReminderHost {
  public:
    virtual ~IUpdateReminderHost() = default;
    // The three-month question; true on Yes.
    virtual bool AskForUpdate() = 0;
    // The board window's internet update command.
    virtual void RunInternetUpdate() = 0;
};

// The three-month update reminder for the date number lToday.
void CheckUpdateReminder(Settings& settings, int32_t lToday, IUpdateReminderHost& host);

}  // namespace quillon
