// The named ranges' dates, the year change, the description of a period, the last working day and the
// calendar.
#include "keldox/date_ranges.h"

#include <gtest/gtest.h>

#include <string>

#include "dane/host.h"
#include "named_rows.h"
#include "runtime/date.h"
#include "ui_script/script_host.h"

namespace keldox {
namespace {

using runtime::make_day;

constexpr int kNoYear = 0;
const runtime::DayNumber kMarch3 = make_day(2026, 3, 3);  // a Tuesday
const Period kTyped{make_day(2025, 4, 14), make_day(2025, 5, 20)};

Period days(int y1, unsigned m1, unsigned d1, int y2, unsigned m2, unsigned d2) {
  return {make_day(y1, m1, d1), make_day(y2, m2, d2)};
}

// Chosen on kMarch3 while the dialog shows kTyped and N is 45.
struct RangeRow {
  const char* name;
  std::string_view range;
  int year;
  Period expected;
};

class RangeDates : public ::testing::TestWithParam<RangeRow> {};

TEST_P(RangeDates, FollowTheChosenRange) {
  const RangeRow& row = GetParam();
  const int position = range_position(row.range);
  ASSERT_GT(position, 0) << row.range;
  EXPECT_EQ(range_period(position, kMarch3, row.year, 45, kTyped), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, RangeDates,
    ::testing::Values(
        RangeRow{"full_range_has_no_bounds", "pełny zakres", 2016, {0, 0}},
        RangeRow{"any_range_keeps_the_dates", "dowolny zakres", kNoYear, kTyped},
        RangeRow{"last_week_is_seven_days_over_february", "ostatni tydzień", 2016,
                 days(2026, 2, 25, 2026, 3, 3)},
        RangeRow{"current_year_ignores_the_year_field", "bieżący rok", 2016, days(2026, 1, 1, 2026, 12, 31)},
        RangeRow{"february_of_the_leap_year_field", "luty", 2016, days(2016, 2, 1, 2016, 2, 29)},
        RangeRow{"february_of_a_common_year", "luty", 2015, days(2015, 2, 1, 2015, 2, 28)},
        RangeRow{"fourth_quarter_without_a_year", "4 kwartał", kNoYear, days(2026, 10, 1, 2026, 12, 31)},
        RangeRow{"a_year_outside_the_calendar_is_none", "2 kwartał", 16, days(2026, 4, 1, 2026, 6, 30)},
        RangeRow{"older_than_n_days", "starsze niż", 2016, {0, make_day(2026, 1, 17)}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RangeToday, DecidesTheCurrentMonthAnEmptyAnyRangeAndOlderThan) {
  const runtime::DayNumber leap = make_day(2016, 2, 10);
  EXPECT_EQ(range_period(range::kCurrentMonth, leap, 2019, 60, kTyped), days(2016, 2, 1, 2016, 2, 29));
  EXPECT_EQ(range_period(range::kAny, leap, kNoYear, 60, {}), (Period{leap, leap}));
  EXPECT_EQ(range_period(range::kOlderThan, leap, kNoYear, kDefaultOlderThanDays, {}),
            (Period{0, leap - 60}));
}

TEST(RangeNames, PositionsFollowTheListAndNothingElseCounts) {
  for (int position = 1; position <= 23; ++position) {
    EXPECT_EQ(range_position(range_name_at(position)), position);
  }
  EXPECT_EQ(range_name_at(range::kJanuary + 11), "grudzień");
  EXPECT_EQ(range_position("starsze niż   "), range::kOlderThan);  // a blank-padded field
  EXPECT_EQ(range_position("Pełny zakres"), 0);
  EXPECT_EQ(range_name_at(24), "");
}

struct YearRow {
  const char* name;
  Period period;
  int year;
  Period expected;
};

class YearChange : public ::testing::TestWithParam<YearRow> {};

TEST_P(YearChange, KeepsDaysAndMonths) {
  EXPECT_EQ(period_in_year(GetParam().period, GetParam().year), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Years, YearChange,
    ::testing::Values(
        YearRow{"both_bounds_move", kTyped, 2019, days(2019, 4, 14, 2019, 5, 20)},
        YearRow{"leap_day_into_a_common_year_is_the_28th", days(2016, 2, 29, 2016, 3, 1), 2017,
                days(2017, 2, 28, 2017, 3, 1)},
        YearRow{"an_open_bound_stays_open", {0, make_day(2026, 3, 1)}, 2020, {0, make_day(2020, 3, 1)}},
        YearRow{"a_year_outside_the_calendar_keeps_the_period", kTyped, 10000, kTyped}),
    [](const auto& info) { return std::string(info.param.name); });

struct DescriptionRow {
  const char* name;
  std::string_view range;
  Period period;
  std::string expected;
};

class Description : public ::testing::TestWithParam<DescriptionRow> {};

TEST_P(Description, NamesTheRangeAndItsDates) {
  EXPECT_EQ(period_description(GetParam().range, GetParam().period), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Periods, Description,
    ::testing::Values(DescriptionRow{"a_month_without_the_blanks_of_its_field", "luty        ",
                                     days(2016, 2, 1, 2016, 2, 29), "luty (01.02.2016 - 29.02.2016)"},
                      DescriptionRow{
                          "the_full_range_has_no_dates", "pełny zakres", {kMarch3, kMarch3}, "pełny zakres"},
                      DescriptionRow{"an_open_bound_shows_nothing",
                                     "starsze niż",
                                     {0, make_day(2026, 1, 2)},
                                     "starsze niż ( - 02.01.2026)"}),
    [](const auto& info) { return std::string(info.param.name); });

struct WorkingDayRow {
  const char* name;
  runtime::DayNumber date;
  int weekday;  // of `date`, 0 Sunday
  runtime::DayNumber expected;
};

class LastWorkingDay : public ::testing::TestWithParam<WorkingDayRow> {};

TEST_P(LastWorkingDay, IsTheWeekdayBefore) {
  ASSERT_EQ(runtime::day_of_week(GetParam().date), GetParam().weekday);
  EXPECT_EQ(PODAJOSTATNIDZIENROBOCZY(GetParam().date), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Days, LastWorkingDay,
    ::testing::Values(
        WorkingDayRow{"monday_gives_friday", make_day(2026, 12, 7), 1, make_day(2026, 12, 4)},
        WorkingDayRow{"sunday_gives_friday", make_day(2026, 12, 6), 0, make_day(2026, 12, 4)},
        WorkingDayRow{"saturday_gives_friday", make_day(2026, 12, 5), 6, make_day(2026, 12, 4)},
        WorkingDayRow{"wednesday_gives_tuesday", make_day(2026, 12, 9), 3, make_day(2026, 12, 8)},
        WorkingDayRow{"a_holiday_still_counts", make_day(2026, 12, 26), 6, make_day(2026, 12, 25)},
        WorkingDayRow{"over_a_new_year_weekend", make_day(2024, 1, 1), 1, make_day(2023, 12, 29)}),
    [](const auto& info) { return std::string(info.param.name); });

class Calendar : public ::testing::Test {
 protected:
  Calendar() {
    host.on_failure([](const std::string& m) { ADD_FAILURE() << m; });
    dane::install_host(&host);
  }
  ~Calendar() override { dane::install_host(nullptr); }

  ui_script::ScriptHost host;
};

TEST_F(Calendar, GivesTheChosenDayOrTheOneItOpenedOn) {
  host.choose_date("24.12.2026").cancel_date();
  EXPECT_EQ(KALENDARZ(100, 200, make_day(2026, 12, 7)), make_day(2026, 12, 24));
  EXPECT_EQ(KALENDARZ(100, 200, make_day(2026, 12, 7)), make_day(2026, 12, 7));
  const auto shown = host.shown();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].kind, "date");
  EXPECT_EQ(shown[0].title, "Kalendarz");
  EXPECT_EQ(shown[0].text, "07.12.2026");
  EXPECT_EQ(shown[1].answer, 0);
}

}  // namespace
}  // namespace keldox
