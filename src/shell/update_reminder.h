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

// Whether the program has an internet update to offer. Not yet: a "Yes" to the reminder would
// lead nowhere, so the program passes this to the reminder, which then stays silent.
inline constexpr bool kInternetUpdateReady = false;

// The three-month update reminder for the date number lToday. Without an update to run
// (bCanUpdate false) it neither asks nor records the date, so the three months count from the
// first start that can offer one.
void CheckUpdateReminder(Settings& settings, int32_t lToday, IUpdateReminderHost& host,
                         bool bCanUpdate = true);

}  // namespace quillon
