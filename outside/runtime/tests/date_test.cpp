#include "runtime/date.h"
#include "runtime/clock.h"

#include <gtest/gtest.h>

namespace runtime {
namespace {

using namespace std::chrono;

struct DayRow {
  const char* name;
  DayNumber day;
  int y;
  unsigned m, d;
  int weekday;
};

class DayNumbers : public ::testing::TestWithParam<DayRow> {};

TEST_P(DayNumbers, ConvertBothWays) {
  const auto& r = GetParam();
  EXPECT_EQ(make_day(r.y, r.m, r.d), r.day);
  EXPECT_EQ(to_ymd(r.day), year{r.y} / month{r.m} / day{r.d});
  EXPECT_EQ(day_of_week(r.day), r.weekday);
}

INSTANTIATE_TEST_SUITE_P(Anchors, DayNumbers,
                         ::testing::Values(DayRow{"day_zero", 0, 1800, 12, 28, 0},
                                           DayRow{"first_of_1900", kDay1900, 1900, 1, 1, 1},
                                           DayRow{"leap_day_2000", 72746, 2000, 2, 29, 2},
                                           DayRow{"leap_day_2024", 81512, 2024, 2, 29, 4},
                                           DayRow{"open_end", kOpenEnd, 9999, 12, 31, 5}),
                         [](const auto& info) { return info.param.name; });

TEST(DayNumbers, InvalidDatesGiveZero) {
  EXPECT_EQ(make_day(1900, 2, 29), 0);  // 1900 is not a leap year
  EXPECT_EQ(make_day(2023, 2, 29), 0);
  EXPECT_EQ(make_day(2024, 13, 1), 0);
  EXPECT_EQ(make_day(1800, 12, 27), 0);
  EXPECT_NE(make_day(2000, 2, 29), 0);  // 2000 is
}

TEST(DayNumbers, MonthBoundsFollowLeapYears) {
  const DayNumber mid_feb_2024 = make_day(2024, 2, 15);
  EXPECT_EQ(first_day_of_month(mid_feb_2024), make_day(2024, 2, 1));
  EXPECT_EQ(last_day_of_month(mid_feb_2024), make_day(2024, 2, 29));
  EXPECT_EQ(last_day_of_month(make_day(2100, 2, 3)), make_day(2100, 2, 28));
  EXPECT_EQ(last_day_of_month(make_day(2025, 12, 31)), make_day(2025, 12, 31));
  EXPECT_EQ(first_day_of_month(make_day(2025, 1, 1)), make_day(2025, 1, 1));
}

TEST(DayNumbers, TodayMatchesTheSystemClockDate) {
  const auto utc_today = floor<days>(system_clock::now());
  const DayNumber t = today();
  // local time may be a day either side of UTC
  EXPECT_LE(std::abs(t - from_sys_days(utc_today)), 1);
}

TEST(ShortDate, DefaultAndConfiguredPatterns) {
  const DayNumber d = make_day(2026, 3, 7);
  EXPECT_EQ(short_date_text(d), "07.03.2026");
  EXPECT_EQ(format_date(d, "yyyy-MM-dd"), "2026-03-07");
  EXPECT_EQ(format_date(d, "d.M.yy"), "7.3.26");
  set_short_date_format("yyyy/MM/dd");
  EXPECT_EQ(short_date_text(d), "2026/03/07");
  set_short_date_format("");
  EXPECT_EQ(short_date_text(d), "07.03.2026");
}

TEST(Clock, HundredthsSinceMidnight) {
  EXPECT_EQ(make_clock(0, 0, 0), 0);
  EXPECT_EQ(make_clock(1, 0, 0), 360000);
  EXPECT_EQ(make_clock(23, 59, 59, 99), kClockPerDay - 1);
  EXPECT_EQ(make_clock(24, 0, 0), 0);  // wraps into the next day
  EXPECT_EQ(make_clock(0, 0, 0, -1), kClockPerDay - 1);
  const ClockParts p = split_clock(make_clock(13, 5, 9, 42));
  EXPECT_EQ(p.hour, 13);
  EXPECT_EQ(p.minute, 5);
  EXPECT_EQ(p.second, 9);
  EXPECT_EQ(p.hundredths, 42);
  EXPECT_EQ(clock_text(make_clock(7, 3, 1)), "07:03:01");
  const ClockValue now = clock_now();
  EXPECT_GE(now, 0);
  EXPECT_LT(now, kClockPerDay);
}

}  // namespace
}  // namespace runtime
