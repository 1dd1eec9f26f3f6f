#pragma once
#include <cstdint>
#include <ctime>

namespace quillon {

struct CalendarDate {
    int32_t lYear;
    int32_t lMonth;
    int32_t lDay;
};

// year * 10000 + month * 100 + day
int32_t ConvLngDate(const CalendarDate& date);
// true when lTo - lFrom >= 301 on date numbers (about three months within one year)
bool ConvDateSince(int32_t lFrom, int32_t lTo);
// The calendar date of a broken-down time (years since 1900, months from 0).
CalendarDate ToCalendarDate(const std::tm& time);
CalendarDate TodayLocal();

}  // namespace quillon
