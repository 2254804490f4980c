// Day numbers to and from calendar dates through std::chrono, and the short date text.
#include "runtime/date.h"

#include <ctime>
#include <mutex>

namespace runtime {
namespace {

using namespace std::chrono;

constexpr sys_days kDayZero = sys_days(year{1800} / December / 28);

std::mutex& format_mutex() {
  static std::mutex m;
  return m;
}

std::string& format_setting() {
  static std::string pattern = "dd.MM.yyyy";
  return pattern;
}

void append_number(std::string& out, int value, int digits) {
  std::string s = std::to_string(value < 0 ? -value : value);
  if (static_cast<int>(s.size()) < digits) s.insert(0, digits - s.size(), '0');
  if (value < 0) out.push_back('-');
  out += s;
}

}  // namespace

sys_days to_sys_days(DayNumber day) {
  return kDayZero + days{day};
}

DayNumber from_sys_days(sys_days d) {
  return static_cast<DayNumber>((d - kDayZero).count());
}

year_month_day to_ymd(DayNumber day) {
  return year_month_day{to_sys_days(day)};
}

DayNumber from_ymd(year_month_day ymd) {
  if (!ymd.ok()) return 0;
  const DayNumber d = from_sys_days(sys_days{ymd});
  return d > 0 ? d : 0;
}

DayNumber make_day(int y, unsigned m, unsigned d) {
  return from_ymd(year{y} / month{m} / day{d});
}

DayNumber today() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return make_day(local.tm_year + 1900, static_cast<unsigned>(local.tm_mon + 1),
                  static_cast<unsigned>(local.tm_mday));
}

int day_of_week(DayNumber day) {
  return static_cast<int>(weekday{to_sys_days(day)}.c_encoding());
}

DayNumber first_day_of_month(DayNumber day) {
  const auto ymd = to_ymd(day);
  return from_sys_days(sys_days{ymd.year() / ymd.month() / 1});
}

DayNumber last_day_of_month(DayNumber day) {
  const auto ymd = to_ymd(day);
  return from_sys_days(sys_days{ymd.year() / ymd.month() / last});
}

std::string format_date(DayNumber day, std::string_view pattern) {
  const auto ymd = to_ymd(day);
  const int y = static_cast<int>(ymd.year());
  const int m = static_cast<int>(static_cast<unsigned>(ymd.month()));
  const int d = static_cast<int>(static_cast<unsigned>(ymd.day()));
  std::string out;
  for (std::size_t i = 0; i < pattern.size();) {
    const auto starts = [&](std::string_view token) { return pattern.substr(i, token.size()) == token; };
    if (starts("yyyy")) {
      append_number(out, y, 4);
      i += 4;
    } else if (starts("yy")) {
      append_number(out, ((y % 100) + 100) % 100, 2);
      i += 2;
    } else if (starts("MM")) {
      append_number(out, m, 2);
      i += 2;
    } else if (starts("M")) {
      append_number(out, m, 1);
      i += 1;
    } else if (starts("dd")) {
      append_number(out, d, 2);
      i += 2;
    } else if (starts("d")) {
      append_number(out, d, 1);
      i += 1;
    } else {
      out.push_back(pattern[i++]);
    }
  }
  return out;
}

void set_short_date_format(std::string_view pattern) {
  std::lock_guard lock(format_mutex());
  format_setting() = pattern.empty() ? std::string("dd.MM.yyyy") : std::string(pattern);
}

std::string short_date_format() {
  std::lock_guard lock(format_mutex());
  return format_setting();
}

std::string short_date_text(DayNumber day) {
  return format_date(day, short_date_format());
}

}  // namespace runtime
