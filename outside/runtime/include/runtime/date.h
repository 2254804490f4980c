// Day numbers: the system's dates, counted in days from 28 December 1800 (day 0).
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace runtime {

using DayNumber = std::int32_t;

inline constexpr DayNumber kDay1900 = 36163;    // 1 January 1900: statements convert with DATA-36163
inline constexpr DayNumber kOpenEnd = 2994626;  // 31 December 9999: an open end of a range

std::chrono::year_month_day to_ymd(DayNumber day);
// Day number of a calendar date; 0 when the date does not exist or lies before day 1.
DayNumber from_ymd(std::chrono::year_month_day ymd);
DayNumber make_day(int year, unsigned month, unsigned day);

std::chrono::sys_days to_sys_days(DayNumber day);
DayNumber from_sys_days(std::chrono::sys_days d);

// Today's date in the machine's local time zone.
DayNumber today();

// 0 = Sunday ... 6 = Saturday.
int day_of_week(DayNumber day);
DayNumber first_day_of_month(DayNumber day);
DayNumber last_day_of_month(DayNumber day);

// The short date of messages: "dd.MM.yyyy" unless configured otherwise. The pattern knows dd, d, MM, M,
// yyyy and yy; every other character stands for itself. The setting is process-wide.
std::string short_date_text(DayNumber day);
std::string format_date(DayNumber day, std::string_view pattern);
void set_short_date_format(std::string_view pattern);
std::string short_date_format();

}  // namespace runtime
