// The period dialog end to end through the scripted host: where it opens, how choices and typing move the
// dates, the check on OK, and what a confirmed period does to the references, the session and the database.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "column_demo_fixture.h"
#include "dane/events.h"
#include "dane/globals.h"
#include "dane/host.h"
#include "keldox/date_ranges.h"
#include "keldox/sql.h"
#include "keldox/window_register.h"
#include "runtime/date.h"
#include "ui_script/script_host.h"

namespace keldox {
namespace {

using runtime::make_day;

// The scripted host and the caller's three references; failures of the script are checked at the end.
class Dialog {
 public:
  Dialog() { dane::install_host(&host); }
  ~Dialog() {
    EXPECT_EQ(host.failures().size(), expected_failures);
    dane::install_host(nullptr);
  }
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  std::uint8_t ask(std::uint8_t make_default, std::string range = {}, Period p = {}) {
    name = std::move(range);
    from = p.from;
    to = p.to;
    return PYTAJOZAKRESDAT(make_default, from, to, name);
  }
  std::vector<ui_script::Shown> of_kind(std::string_view kind) const {
    std::vector<ui_script::Shown> found;
    for (const ui_script::Shown& s : host.shown()) {
      if (s.kind == kind) found.push_back(s);
    }
    return found;
  }
  bool form_showed(const std::string& field) const {
    const auto forms = of_kind("form");
    return !forms.empty() && std::ranges::find(forms.back().fields, field) != forms.back().fields.end();
  }

  ui_script::ScriptHost host;
  std::size_t expected_failures = 0;
  std::int32_t from = 0;
  std::int32_t to = 0;
  std::string name;
};

class PeriodDialog : public ::testing::Test {
 protected:
  void SetUp() override { dane::reset_session(); }
  void TearDown() override { dane::reset_session(); }
  Dialog dialog;
  const runtime::DayNumber today = runtime::today();
};

TEST_F(PeriodDialog, AGivenRangeOpensOnTheArgumentsAndComesBackChanged) {
  // The year field holds 2020 from the from date; the next year's February has 28 days.
  dialog.host.form_set("ZAKRES", "luty").form_set("ROK", "2021").form_ok();
  EXPECT_EQ(dialog.ask(0, "dowolny zakres", {make_day(2020, 5, 10), make_day(2020, 5, 20)}), 1);
  EXPECT_EQ(dialog.name, "luty");
  EXPECT_EQ(dialog.from, make_day(2021, 2, 1));
  EXPECT_EQ(dialog.to, make_day(2021, 2, 28));
  EXPECT_EQ(dialog.of_kind("form").at(0).title, "Zakres dat");
  EXPECT_EQ(dane::GLO.ZAKRES_LOC.str(), "");  // a caller's own range leaves the working copy alone
}

TEST_F(PeriodDialog, TheFullRangeOpensWithoutDates) {
  dialog.host.form_ok();
  EXPECT_EQ(dialog.ask(0, "pełny zakres", {make_day(2026, 1, 1), make_day(2026, 1, 31)}), 1);
  EXPECT_EQ(dialog.from, 0);
  EXPECT_EQ(dialog.to, 0);
  EXPECT_TRUE(dialog.form_showed("ROK="));
}

TEST_F(PeriodDialog, AFromDateAfterTheToDateWarnsAndKeepsTheDialogOpen) {
  dialog.host.form_set("DATA_OD", "15.04.2026")
      .form_ok()
      .answer("OK", "MIRLET: Ostrzeżenie", "Data od nie może być większa od daty do!")
      .form_set("DATA_DO", "30.04.2026")
      .form_ok();
  EXPECT_EQ(dialog.ask(0, "marzec", {make_day(2026, 3, 1), make_day(2026, 3, 31)}), 1);
  EXPECT_TRUE(dialog.host.finished());
  EXPECT_EQ(dialog.of_kind("message").size(), 1u);
  EXPECT_EQ(dialog.name, "dowolny zakres");  // typing a date made it any range
  EXPECT_EQ(dialog.from, make_day(2026, 4, 15));
  EXPECT_EQ(dialog.to, make_day(2026, 4, 30));
}

TEST_F(PeriodDialog, AnOpenToDateIsNeverEarlier) {
  dialog.host.form_ok();
  EXPECT_EQ(dialog.ask(0, "dowolny zakres", {make_day(2026, 3, 1), 0}), 1);
  EXPECT_TRUE(dialog.of_kind("message").empty());
}

TEST_F(PeriodDialog, CancellingLeavesEverythingAsItWas) {
  dialog.host.form_set("ZAKRES", "bieżący rok").form_cancel();
  EXPECT_EQ(dialog.ask(1, "marzec", {make_day(2026, 3, 1), make_day(2026, 3, 31)}), 0);
  EXPECT_EQ(dialog.name, "marzec");
  EXPECT_EQ(dialog.to, make_day(2026, 3, 31));
  EXPECT_EQ(dane::GLO.ZAKRES.str(), "");
  EXPECT_TRUE(dialog.of_kind("status").empty());
}

TEST_F(PeriodDialog, OlderThanCountsBackFromTodayAndShowsItsDaysOnlyForItself) {
  dialog.host.form_set("ZAKRES", "starsze niż")
      .form_set("DNI", "30")
      .form_set("ZAKRES", "bieżący dzień")
      .form_set("DNI", "10")  // hidden again: refused
      .form_set("ZAKRES", "starsze niż")
      .form_ok();
  dialog.expected_failures = 1;
  EXPECT_EQ(dialog.ask(0, "marzec", {make_day(2026, 3, 1), make_day(2026, 3, 31)}), 1);
  EXPECT_EQ(dialog.name, "starsze niż");
  EXPECT_EQ(dialog.from, 0);
  EXPECT_EQ(dialog.to, today - 30);  // the days typed earlier still count
  EXPECT_NE(dialog.host.failures().at(0).find("DNI"), std::string::npos);
}

TEST_F(PeriodDialog, OlderThanStartsAtSixtyDaysAndReopensWithItsOwn) {
  dialog.host.form_set("ZAKRES", "starsze niż").form_ok().form_ok();
  EXPECT_EQ(dialog.ask(0, "bieżący dzień"), 1);
  EXPECT_EQ(dialog.to, today - 60);
  EXPECT_EQ(dialog.ask(0, "starsze niż", {make_day(2001, 1, 1), today - 90}), 1);
  EXPECT_TRUE(dialog.form_showed("DNI=90"));
  EXPECT_EQ(dialog.from, 0);
  EXPECT_EQ(dialog.to, today - 90);
}

TEST_F(PeriodDialog, AnEmptyYearPutsAQuarterIntoThisYear) {
  const int year = static_cast<int>(runtime::to_ymd(today).year());
  dialog.host.form_set("ROK", "").form_set("ZAKRES", "4 kwartał").form_ok();
  EXPECT_EQ(dialog.ask(0, "maj", {make_day(2016, 5, 1), make_day(2016, 5, 31)}), 1);
  EXPECT_EQ(dialog.from, make_day(year, 10, 1));
  EXPECT_EQ(dialog.to, make_day(year, 12, 31));
}

TEST_F(PeriodDialog, ABlankNameOpensOnTheSessionPeriodAndFillsOnlyTheWorkingCopy) {
  dane::GLO.ZAKRES = "czerwiec";
  dane::GLO.DATA_OD = make_day(2025, 6, 1);
  dane::GLO.DATA_DO = make_day(2025, 6, 30);
  dialog.host.form_set("ZAKRES", "3 kwartał").form_ok();
  EXPECT_EQ(dialog.ask(0), 1);
  // The year field held 2025, the year of the session's from date.
  EXPECT_EQ(dane::GLO.ZAKRES_LOC.str(), "3 kwartał");
  EXPECT_EQ(dane::GLO.ZAKRESPOS_LOC, 21);
  EXPECT_EQ(dane::GLO.DATA_OD_LOC, make_day(2025, 7, 1));
  EXPECT_EQ(dane::GLO.DATA_DO_LOC, make_day(2025, 9, 30));
  EXPECT_EQ(dane::GLO.ZAKRESOPIS_LOC.str(), "3 kwartał (01.07.2025 - 30.09.2025)");
  EXPECT_EQ(dane::GLO.ZAKRES.str(), "czerwiec");
  EXPECT_EQ(dialog.name, "");
  EXPECT_EQ(dialog.from, 0);
  EXPECT_TRUE(dialog.of_kind("status").empty());
}

TEST_F(PeriodDialog, AnUnknownSessionRangeOpensAsAnyRange) {
  dane::GLO.ZAKRES = "Bieżący miesiąc";
  dane::GLO.DATA_OD = make_day(2025, 6, 1);
  dialog.host.form_ok();
  EXPECT_EQ(dialog.ask(0), 1);
  EXPECT_EQ(dane::GLO.ZAKRES_LOC.str(), "dowolny zakres");
  EXPECT_EQ(dane::GLO.ZAKRESPOS_LOC, range::kAny);
  EXPECT_EQ(dane::GLO.DATA_OD_LOC, make_day(2025, 6, 1));
}

// The session default on a demo database: globals, the user's parameters, the status line and the lists,
// with every period list of the test registered on the test's own thread.
class SessionPeriod : public testing::ColumnDemoTest {
 protected:
  void SetUp() override {
    ColumnDemoTest::SetUp();
    set_user_parameter("ZakrWys", "bieżący miesiąc");
    set_user_parameter("Data_Od", "80000");
    set_user_parameter("Data_Do", "0");
    refreshes();
  }

  static int refreshes() {
    int count = 0;
    while (const auto e = dane::take_event()) count += *e == kEventPeriodChanged;
    return count;
  }
  static std::string stored(int position) {
    return FUNCSQL(
        "select wartosc from interuzytkownikpozycja where id_uzytkownika=3000001 and id_firmy=1 and "
        "id_pozycji=" +
        std::to_string(position));
  }

  const dane::ThreadNumber me = dane::current_thread_number();
};

TEST_F(SessionPeriod, ADefaultBecomesTheSessionsSavedShownAndRefreshesTheListsThatFollowIt) {
  set_user_parameter("OdswiezKartot", "Tak");
  DODAJOKNO("DOKMAG", me);
  DODAJOKNO("crm", me);
  DODAJOKNO("KONTRAHENT_BRW", me);  // lists by no period
  Dialog dialog;
  dialog.host.form_set("ZAKRES", "luty").form_set("ROK", "2016").form_ok();
  EXPECT_EQ(dialog.ask(1), 1);

  const std::string description = "luty (01.02.2016 - 29.02.2016)";
  EXPECT_EQ(dane::GLO.ZAKRES.str(), "luty");
  EXPECT_EQ(dane::GLO.ZAKRESPOS, 8);
  EXPECT_EQ(dane::GLO.DATA_OD, make_day(2016, 2, 1));
  EXPECT_EQ(dane::GLO.DATA_DO, make_day(2016, 2, 29));
  EXPECT_EQ(dane::GLO.ZAKRESOPIS.str(), description);
  EXPECT_EQ(dane::GLO.ZAKRESOPIS_LOC.str(), description);
  EXPECT_EQ(stored(505), "luty");
  EXPECT_EQ(stored(506), std::to_string(make_day(2016, 2, 1)));
  EXPECT_EQ(stored(507), std::to_string(make_day(2016, 2, 29)));
  ASSERT_EQ(dialog.of_kind("status").size(), 1u);
  EXPECT_EQ(dialog.of_kind("status")[0].text, description);
  EXPECT_EQ(refreshes(), 2);
}

TEST_F(SessionPeriod, ListsAreLeftAloneUnlessTheUserAskedForIt) {
  set_user_parameter("OdswiezKartot", "Nie");
  DODAJOKNO("DOKMAG", me);
  Dialog dialog;
  dialog.host.form_set("ZAKRES", "pełny zakres").form_ok();
  EXPECT_EQ(dialog.ask(1), 1);
  EXPECT_EQ(dane::GLO.ZAKRESOPIS.str(), "pełny zakres");
  EXPECT_EQ(stored(505), "pełny zakres");
  EXPECT_EQ(stored(506), "0");
  EXPECT_EQ(refreshes(), 0);
}

TEST_F(SessionPeriod, WithoutTheDefaultNothingIsSavedOrRefreshed) {
  set_user_parameter("OdswiezKartot", "Tak");
  DODAJOKNO("DOKMAG", me);
  const std::string saved = stored(505);
  Dialog dialog;
  dialog.host.form_set("ZAKRES", "bieżący dzień").form_ok();
  EXPECT_EQ(dialog.ask(0), 1);
  EXPECT_EQ(dane::GLO.ZAKRES_LOC.str(), "bieżący dzień");
  EXPECT_EQ(dane::GLO.ZAKRES.str(), "");
  EXPECT_EQ(stored(505), saved);
  EXPECT_TRUE(dialog.of_kind("status").empty());
  EXPECT_EQ(refreshes(), 0);
}

}  // namespace
}  // namespace keldox
