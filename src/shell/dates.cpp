#include "shell/dates.h"

#include <ctime>

namespace quillon {

int32_t ConvLngDate(const CalendarDate& date) {
    return date.lYear * 10000 + date.lMonth * 100 + date.lDay;
}

bool ConvDateSince(int32_t lFrom, int32_t lTo) { return int64_t{lTo} - int64_t{lFrom} >= 301; }

CalendarDate ToCalendarDate(const std::tm& time) {
    return {time.tm_year + 1900, time.tm_mon + 1, time.tm_mday};
}

CalendarDate TodayLocal() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return ToCalendarDate(local);
}

}  // namespace quillon
