// The scripted host typing into fields in their pictures, keeping passwords out of its record, and
// answering the calendar.
#include <gtest/gtest.h>

#include "dane/field_text.h"
#include "dane/form.h"
#include "runtime/date.h"
#include "ui_script/script_host.h"

namespace ui_script {
namespace {

using dane::Response;

const runtime::DayNumber kDecember7 = runtime::make_day(2026, 12, 7);

class DeliveryForm : public dane::FormWindow {
 public:
  DeliveryForm() : FormWindow("Dostawa_Upd") {
    add_field({"DATA", "Data dostawy", "@d17", std::to_string(kDecember7), true});
    add_field({"KWOTA", "Kwota", "@n-14`2", "", true});
    add_field({"HASLO", "Hasło", "@s20", "", true, true});
    set_mode_titles("Dostawa", "Dostawa");
  }
};

class ScriptedForm : public ::testing::Test {
 protected:
  void SetUp() override {
    script.on_failure([this](const std::string& m) { failures.push_back(m); });
    dane::install_host(&script);
  }
  void TearDown() override { dane::install_host(nullptr); }

  const Shown* find_shown(std::string_view kind) const {
    for (const Shown& s : records) {
      if (s.kind == kind) return &s;
    }
    return nullptr;
  }

  ScriptHost script;
  DeliveryForm form;
  std::vector<std::string> failures;
  std::vector<Shown> records;
};

TEST_F(ScriptedForm, TypedTextsAreReadByPictureAndThePasswordIsMasked) {
  script.form_set("DATA", "1.2.2027").form_set("KWOTA", "1 234,5").form_set("HASLO", "tajne").form_ok();
  EXPECT_EQ(dane::run_window(form), Response::Completed);
  records = script.shown();
  EXPECT_TRUE(failures.empty()) << failures.front();
  EXPECT_EQ(form.value("DATA"), std::to_string(runtime::make_day(2027, 2, 1)));
  EXPECT_EQ(form.value("KWOTA"), "1234.50");
  EXPECT_EQ(form.value("HASLO"), "tajne");
  const Shown* shown = find_shown("form");
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->fields, (std::vector<std::string>{"DATA=01.02.2027", "KWOTA=1 234,50", "HASLO=***"}));
  for (const Shown& s : records) {
    for (const std::string& f : s.fields) EXPECT_EQ(f.find("tajne"), std::string::npos) << f;
  }
}

TEST_F(ScriptedForm, AnUnreadableDateWarnsAndTheFormWaitsForABetterOne) {
  script.form_set("DATA", "32.13.2020").answer("OK", {}, "Data dostawy");
  script.form_set("DATA", "05.01.2026").form_ok();
  EXPECT_EQ(dane::run_window(form), Response::Completed);
  records = script.shown();
  EXPECT_TRUE(failures.empty()) << failures.front();
  EXPECT_TRUE(script.finished());
  const Shown* warning = find_shown("message");
  ASSERT_NE(warning, nullptr);
  EXPECT_EQ(warning->text, "Niepoprawna wartość pola Data dostawy");
  EXPECT_EQ(form.value("DATA"), std::to_string(runtime::make_day(2026, 1, 5)));
}

TEST_F(ScriptedForm, AWarningTheScriptDoesNotAnswerIsAFailure) {
  script.form_set("KWOTA", "dużo").form_cancel();
  dane::run_window(form);
  EXPECT_FALSE(failures.empty());
  EXPECT_EQ(form.value("KWOTA"), "");
}

// A field with buttons of its own beside it, and a second field on its row.
class AddressForm : public dane::FormWindow {
 public:
  AddressForm() : FormWindow("Adres_Upd") {
    dane::Field www{"WWW", "Strona", "@s100", "firma.example.pl", false};
    www.buttons = {{"OTWORZ", "Otwórz stronę WWW", true}, {"SKASUJ", "Skasuj", false}};
    add_field(std::move(www));
    dane::Field kind{"RODZAJ", "", "@s10", "http", true, false, dane::FieldKind::Choice, {"http", "https"}};
    kind.beside_previous = true;
    add_field(std::move(kind));
    set_mode_titles("Adres", "Adres");
  }
  std::vector<std::string> pressed;

 protected:
  void on_button(std::string_view field, std::string_view control) override {
    pressed.push_back(std::string(field) + ":" + std::string(control));
  }
};

TEST_F(ScriptedForm, FieldButtonsArePressedByControlAndADisabledOneRefuses) {
  AddressForm address;
  script.form_press("OTWORZ").form_press("SKASUJ").form_press("NIEMA").form_ok();
  EXPECT_EQ(dane::run_window(address), Response::Completed);
  // The field itself is read-only: its enabled button still works.
  EXPECT_EQ(address.pressed, (std::vector<std::string>{"WWW:OTWORZ"}));
  ASSERT_EQ(failures.size(), 2u);
  EXPECT_NE(failures[0].find("SKASUJ"), std::string::npos) << failures[0];
  EXPECT_NE(failures[1].find("NIEMA"), std::string::npos) << failures[1];
  records = script.shown();
  const Shown* shown = find_shown("form");
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->field_buttons,
            (std::vector<std::string>{"OTWORZ=Otwórz stronę WWW", "SKASUJ=Skasuj (-)"}));

  std::string error;
  const auto steps = ScriptHost::parse("form press OTWORZ", &error);
  ASSERT_TRUE(steps) << error;
  EXPECT_EQ((*steps)[0].action, "press");
  EXPECT_EQ((*steps)[0].column, "OTWORZ");
}

TEST_F(ScriptedForm, AReadOnlyFormPressesNoButton) {
  AddressForm address;
  address.set_read_only(true);
  script.form_press("OTWORZ").form_cancel();
  dane::run_window(address);
  EXPECT_TRUE(address.pressed.empty());
  EXPECT_EQ(failures.size(), 1u);
}

class ScriptedCalendar : public ScriptedForm {};

TEST_F(ScriptedCalendar, ChoosesTheScriptedDateAndRecordsIt) {
  script.choose_date("05.01.2026");
  EXPECT_EQ(dane::host().choose_date("Data dokumentu", kDecember7), runtime::make_day(2026, 1, 5));
  records = script.shown();
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].kind, "date");
  EXPECT_EQ(records[0].title, "Data dokumentu");
  EXPECT_EQ(records[0].text, "07.12.2026");
  EXPECT_EQ(records[0].answer, runtime::make_day(2026, 1, 5));
  EXPECT_TRUE(failures.empty());
}

TEST_F(ScriptedCalendar, CancelsAndOpensOnTodayWithoutAnInitialDate) {
  script.cancel_date();
  EXPECT_EQ(dane::host().choose_date("Data", 0), std::nullopt);
  records = script.shown();
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].text, dane::calendar_date_text(runtime::today()));
  EXPECT_EQ(records[0].answer, 0);
  EXPECT_TRUE(failures.empty());
}

TEST_F(ScriptedCalendar, AStepOfAnotherKindOrNoDateIsAFailure) {
  script.answer("OK").choose_date("31.02.2026");
  EXPECT_EQ(dane::host().choose_date("Data", kDecember7), std::nullopt);
  EXPECT_EQ(dane::host().choose_date("Data", kDecember7), std::nullopt);
  EXPECT_EQ(failures.size(), 2u);
}

TEST(ScriptDateLines, ParseDatesAndRefuseNonDates) {
  std::string error;
  const auto steps = ScriptHost::parse("date 05.01.2026\ncancel-date\n", &error);
  ASSERT_TRUE(steps) << error;
  ASSERT_EQ(steps->size(), 2u);
  EXPECT_EQ((*steps)[0].kind, Step::Kind::ChooseDate);
  EXPECT_EQ((*steps)[0].value, "05.01.2026");
  EXPECT_EQ((*steps)[1].kind, Step::Kind::ChooseDate);
  EXPECT_EQ((*steps)[1].value, "");
  EXPECT_FALSE(ScriptHost::parse("answer OK\ndate 31.02.2026", &error));
  EXPECT_NE(error.find("line 2"), std::string::npos) << error;
}

}  // namespace
}  // namespace ui_script
