#include "shell/program_values.h"

#include <algorithm>
#include <cstdint>

#include "shell/settings.h"

namespace quillon {

void LoadOptions(const Settings& settings, ProgramValues& values) {
    // "Clock" is in hundredths of a second; a stored value out of any sensible range must not
    // wrap into a negative or endless pause.
    const int64_t lMilliseconds = int64_t{settings.GetSettingNumber(SettingClock)} * 10;
    values.g_lRevealTime = static_cast<int32_t>(std::clamp<int64_t>(lMilliseconds, 0, INT32_MAX));
    values.g_bFlash = settings.GetOption(OPTION_FLASH) != 0;
    values.g_bShapeCursor = settings.GetOption(OPTION_SELECTION) == 0;
    values.g_bWaitForClick = settings.GetSettingNumber(SettingWaitForClick) == 1;
}

}  // namespace quillon
