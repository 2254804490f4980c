// The session period from the stored range name on a given day.
#include <gtest/gtest.h>

#include "dane/globals.h"
#include "start/loaders.h"

namespace start {
namespace {

using runtime::make_day;

class SessionPeriod : public ::testing::Test {
 protected:
  void SetUp() override { dane::reset_session(); }
  void TearDown() override { dane::reset_session(); }
  static void stored(const char* name, runtime::DayNumber from = 0, runtime::DayNumber to = 0) {
    dane::GLO.ZAKRES = name;
    dane::GLO.DATA_OD = from;
    dane::GLO.DATA_DO = to;
  }
};

TEST_F(SessionPeriod, CurrentMonthEndsOnTheLastDayOfFebruaryOfALeapYear) {
  stored("bieżący miesiąc");
  set_session_period(make_day(2024, 2, 10));
  EXPECT_EQ(dane::GLO.ZAKRESPOS, 5);
  EXPECT_EQ(dane::GLO.DATA_OD, make_day(2024, 2, 1));
  EXPECT_EQ(dane::GLO.DATA_DO, make_day(2024, 2, 29));
  EXPECT_EQ(dane::GLO.ZAKRESOPIS.str(), "bieżący miesiąc (01.02.2024 - 29.02.2024)");
  EXPECT_EQ(dane::GLO.ZAKRESOPIS_LOC.str(), dane::GLO.ZAKRESOPIS.str());
  EXPECT_EQ(dane::GLO.ZAKRES_LOC.str(), "bieżący miesiąc");
  EXPECT_EQ(dane::GLO.DATA_OD_LOC, make_day(2024, 2, 1));
  EXPECT_EQ(dane::GLO.DATA_DO_LOC, make_day(2024, 2, 29));
  EXPECT_EQ(dane::GLO.ZAKRESPOS_LOC, 5);
  set_session_period(make_day(2100, 2, 3));  // divisible by 100, not by 400
  EXPECT_EQ(dane::GLO.DATA_DO, make_day(2100, 2, 28));
}

TEST_F(SessionPeriod, RangesThatFixTheirDates) {
  const runtime::DayNumber today = make_day(2026, 12, 8);
  stored("bieżący dzień", 1, 2);
  set_session_period(today);
  EXPECT_EQ(dane::GLO.ZAKRESPOS, 3);
  EXPECT_EQ(dane::GLO.DATA_OD, today);
  EXPECT_EQ(dane::GLO.DATA_DO, today);
  stored("ostatni tydzień");
  set_session_period(today);
  EXPECT_EQ(dane::GLO.ZAKRESPOS, 4);
  EXPECT_EQ(dane::GLO.DATA_OD, make_day(2026, 12, 1));
  EXPECT_EQ(dane::GLO.DATA_DO, today);
  stored("bieżący rok   ");
  set_session_period(today);
  EXPECT_EQ(dane::GLO.ZAKRESPOS, 6);
  EXPECT_EQ(dane::GLO.DATA_OD, make_day(2026, 1, 1));
  EXPECT_EQ(dane::GLO.DATA_DO, make_day(2026, 12, 31));
}

TEST_F(SessionPeriod, OtherRangesKeepTheStoredDates) {
  const runtime::DayNumber from = make_day(2026, 3, 1);
  const runtime::DayNumber to = make_day(2026, 3, 31);
  for (const auto& [name, position] :
       {std::pair{"marzec", 9}, {"dowolny zakres", 2}, {"3 kwartał", 21}, {"starsze niż", 23}}) {
    stored(name, from, to);
    set_session_period(make_day(2026, 12, 8));
    EXPECT_EQ(dane::GLO.ZAKRESPOS, position) << name;
    EXPECT_EQ(dane::GLO.DATA_OD, from) << name;
    EXPECT_EQ(dane::GLO.DATA_DO, to) << name;
  }
  stored("pełny zakres", from, to);
  set_session_period(make_day(2026, 12, 8));
  EXPECT_EQ(dane::GLO.ZAKRESPOS, 1);
  EXPECT_EQ(dane::GLO.ZAKRESOPIS.str(), "pełny zakres");
}

TEST_F(SessionPeriod, UnknownNameBecomesAnyRange) {
  // Names compare exactly: a capital letter is another name.
  stored("Bieżący miesiąc", make_day(2026, 3, 1), make_day(2026, 3, 31));
  set_session_period(make_day(2026, 12, 8));
  EXPECT_EQ(dane::GLO.ZAKRES.str(), "dowolny zakres");
  EXPECT_EQ(dane::GLO.ZAKRES_LOC.str(), "dowolny zakres");
  EXPECT_EQ(dane::GLO.ZAKRESPOS, 2);
  EXPECT_EQ(dane::GLO.DATA_OD, make_day(2026, 3, 1));
  EXPECT_EQ(dane::GLO.ZAKRESOPIS.str(), "dowolny zakres (01.03.2026 - 31.03.2026)");
  stored("");
  set_session_period(make_day(2026, 12, 8));
  EXPECT_EQ(dane::GLO.ZAKRESPOS, 2);
}

}  // namespace
}  // namespace start
