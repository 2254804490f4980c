// The arithmetic of named ranges, the description of a period, the last working day and the calendar.
#include "keldox/date_ranges.h"

#include <chrono>

#include "dane/host.h"
#include "runtime/text.h"

namespace keldox {
namespace {

using namespace std::chrono;

// Years whose whole calendar lies within day numbers (day 1 is 29 December 1800).
constexpr int kFirstYear = 1801;
constexpr int kLastYear = 9999;
constexpr std::size_t kDescriptionWidth = 100;

bool usable_year(int y) {
  return y >= kFirstYear && y <= kLastYear;
}

int year_of(runtime::DayNumber day) {
  return static_cast<int>(runtime::to_ymd(day).year());
}

Period whole_months(int y, unsigned first_month, unsigned last_month) {
  const runtime::DayNumber first = runtime::make_day(y, first_month, 1);
  return {first, runtime::last_day_of_month(runtime::make_day(y, last_month, 1))};
}

runtime::DayNumber same_day_in_year(runtime::DayNumber day, int y) {
  if (day <= 0) return day;
  const year_month_day ymd = runtime::to_ymd(day);
  const year_month_day moved = year{y} / ymd.month() / ymd.day();
  if (moved.ok()) return runtime::from_ymd(moved);
  return runtime::from_ymd(year{y} / ymd.month() / last);  // 29 February of a common year
}

std::string bound_text(runtime::DayNumber day) {
  return day > 0 ? runtime::short_date_text(day) : std::string{};
}

}  // namespace

int range_position(std::string_view name) {
  const std::string_view wanted = runtime::trim_right(name);
  for (std::size_t i = 0; i < kRangeNames.size(); ++i) {
    if (kRangeNames[i] == wanted) return static_cast<int>(i + 1);
  }
  return 0;
}

std::string_view range_name_at(int position) {
  if (position < 1 || position > static_cast<int>(kRangeNames.size())) return {};
  return kRangeNames[static_cast<std::size_t>(position - 1)];
}

Period range_period(int position, runtime::DayNumber today, int year, std::int32_t older_than_days,
                    Period current) {
  const int this_year = year_of(today);
  const int field_year = usable_year(year) ? year : this_year;
  switch (position) {
    case range::kFull:
      return {};
    case range::kAny:
      return current.from == 0 && current.to == 0 ? Period{today, today} : current;
    case range::kToday:
      return {today, today};
    case range::kLastWeek:
      return {today - 6, today};
    case range::kCurrentMonth:
      return {runtime::first_day_of_month(today), runtime::last_day_of_month(today)};
    case range::kCurrentYear:
      return whole_months(this_year, 1, 12);
    case range::kOlderThan:
      return {0, today - older_than_days};
    default:
      break;
  }
  if (position >= range::kJanuary && position < range::kFirstQuarter) {
    const auto month = static_cast<unsigned>(position - range::kJanuary + 1);
    return whole_months(field_year, month, month);
  }
  if (position >= range::kFirstQuarter && position < range::kOlderThan) {
    const auto quarter = static_cast<unsigned>(position - range::kFirstQuarter);
    return whole_months(field_year, quarter * 3 + 1, quarter * 3 + 3);
  }
  return current;
}

Period period_in_year(Period period, int year) {
  if (!usable_year(year)) return period;
  return {same_day_in_year(period.from, year), same_day_in_year(period.to, year)};
}

std::string period_description(std::string_view name, Period period) {
  const std::string_view plain = runtime::trim_right(name);
  if (range_position(plain) == range::kFull) return std::string(plain);
  const std::string text =
      std::string(plain) + " (" + bound_text(period.from) + " - " + bound_text(period.to) + ")";
  return std::string(runtime::cut_to_width(text, kDescriptionWidth));
}

std::int32_t PODAJOSTATNIDZIENROBOCZY(std::int32_t date) {
  std::int32_t day = date - 1;
  // 0 is Sunday and 6 Saturday.
  while (runtime::day_of_week(day) == 0 || runtime::day_of_week(day) == 6) --day;
  return day;
}

std::int32_t KALENDARZ(std::int32_t, std::int32_t, std::int32_t date) {
  return dane::host().choose_date("Kalendarz", date).value_or(date);
}

}  // namespace keldox
