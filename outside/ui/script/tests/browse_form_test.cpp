// A browse-and-form pair over an in-memory table, driven by the scripted host as a user would.
#include <gtest/gtest.h>

#include "dane/browse.h"
#include "dane/form.h"
#include "ui_script/script_host.h"

namespace ui_script {
namespace {

using dane::Response;
using dane::Row;

class CurrencyForm : public dane::FormWindow {
 public:
  CurrencyForm(dane::MemoryRowSource& table, const Row* row)
      : FormWindow("Waluty_Upd"), table_(table), row_(row) {
    add_field({"SYM_WALUTY", "Symbol", "@s3", "", true});
    add_field({"NAZWA", "Nazwa", "@s30", "", true});
    add_field({"MNOZNIK_WALUTY", "Mnożnik", "@n4", "", true});
    set_mode_titles("Dodawanie waluty", "Edycja waluty");
  }
  std::vector<std::string> warnings;

 protected:
  void prime() override { mutable_field("MNOZNIK_WALUTY")->value = "1"; }
  void load() override {
    for (std::size_t i = 0; i < 3; ++i) mutable_field(table_.columns()[i].name)->value = (*row_)[i];
  }
  bool validate_field(std::string_view name) override {
    if (name == "MNOZNIK_WALUTY" && value(name) == "0") {
      warnings.push_back("Mnożnik waluty musi być większy niż 0!");
      return false;
    }
    return true;
  }
  std::optional<std::string> validate_record() override {
    const std::string sym = value("SYM_WALUTY");
    if (sym != original("SYM_WALUTY")) {
      for (const auto& r : table_.rows()) {
        if (r[0] == sym) {
          warnings.push_back("Uwaga!|Waluta " + sym + " już istnieje w kartotece! Proszę zmienić symbol.");
          return "SYM_WALUTY";
        }
      }
    }
    return std::nullopt;
  }
  bool save() override {
    Row r{value("SYM_WALUTY"), value("NAZWA"), value("MNOZNIK_WALUTY")};
    if (request() == dane::Request::Insert) {
      table_.add(r);
    } else {
      for (auto& existing : table_.rows()) {
        if (existing[0] == original("SYM_WALUTY")) existing = r;
      }
    }
    return true;
  }

 private:
  dane::MemoryRowSource& table_;
  const Row* row_;
};

class CurrencyBrowse : public dane::BrowseWindow {
 public:
  explicit CurrencyBrowse(dane::MemoryRowSource& table) : BrowseWindow("Waluty_Brw", table), table_(table) {
    add_sort_order({"symbol", {0}, false});
  }
  std::vector<Response> form_responses;
  std::vector<std::string> form_titles;
  CurrencyForm* last_form = nullptr;

 protected:
  bool on_insert() override { return open_form(dane::Request::Insert, nullptr); }
  bool on_change(const Row& row) override { return open_form(dane::Request::Change, &row); }

 private:
  bool open_form(dane::Request request, const Row* row) {
    forms_.push_back(std::make_unique<CurrencyForm>(table_, row));
    last_form = forms_.back().get();
    last_form->set_request(request);
    const Response r = dane::run_window(*last_form);
    form_responses.push_back(r);
    form_titles.push_back(last_form->title());
    return r == Response::Completed;
  }
  dane::MemoryRowSource& table_;
  std::vector<std::unique_ptr<CurrencyForm>> forms_;
};

class BrowseAndForm : public ::testing::Test {
 protected:
  void SetUp() override {
    table.add({"EUR", "euro", "1"});
    table.add({"PLN", "złoty", "1"});
    script.on_failure([this](const std::string& m) { failures.push_back(m); });
    dane::install_host(&script);
  }
  void TearDown() override { dane::install_host(nullptr); }
  dane::MemoryRowSource table{{{"SYM_WALUTY", "Symbol", "@s3"},
                               {"NAZWA", "Nazwa", "@s30"},
                               {"MNOZNIK_WALUTY", "Mnożnik", "@n4", true}}};
  ScriptHost script;
  std::vector<std::string> failures;
};

TEST_F(BrowseAndForm, InsertThroughTheFormAddsTheRowAndTheBrowseShowsIt) {
  script.browse("insert").form_set("SYM_WALUTY", "USD").form_set("NAZWA", "dolar").form_ok().browse("close");
  CurrencyBrowse browse(table);
  EXPECT_EQ(dane::run_window(browse), Response::Completed);
  EXPECT_TRUE(failures.empty()) << failures.front();
  ASSERT_EQ(table.rows().size(), 3u);
  EXPECT_EQ(table.rows()[2], (Row{"USD", "dolar", "1"}));  // the primed multiplier
  EXPECT_EQ(browse.form_titles, (std::vector<std::string>{"Dodawanie waluty"}));
  EXPECT_EQ(browse.form_responses, (std::vector<Response>{Response::Completed}));
}

TEST_F(BrowseAndForm, RefusedValidationKeepsTheFormOpenWithTheFocusOnTheField) {
  script.browse("change", "SYM_WALUTY", "EUR")
      .form_set("MNOZNIK_WALUTY", "0")
      .form_set("SYM_WALUTY", "PLN")
      .form_ok()
      .form_set("SYM_WALUTY", "EUX")
      .form_set("MNOZNIK_WALUTY", "100")
      .form_ok()
      .close_window();
  CurrencyBrowse browse(table);
  dane::run_window(browse);
  EXPECT_TRUE(failures.empty()) << failures.front();
  ASSERT_NE(browse.last_form, nullptr);
  EXPECT_EQ(browse.last_form->warnings,
            (std::vector<std::string>{"Mnożnik waluty musi być większy niż 0!",
                                      "Uwaga!|Waluta PLN już istnieje w kartotece! Proszę zmienić symbol."}));
  EXPECT_EQ(browse.form_titles, (std::vector<std::string>{"Edycja waluty"}));
  EXPECT_EQ(table.rows()[0], (Row{"EUX", "euro", "100"}));
}

TEST_F(BrowseAndForm, CancelledFormChangesNothing) {
  script.browse("change", "SYM_WALUTY", "PLN").form_set("NAZWA", "nowy złoty").form_cancel().close_window();
  CurrencyBrowse browse(table);
  dane::run_window(browse);
  EXPECT_EQ(table.rows()[1][1], "złoty");
  EXPECT_EQ(browse.form_responses, (std::vector<Response>{Response::Cancelled}));
}

TEST_F(BrowseAndForm, SelectModeAnswersCompletedWithTheChosenRow) {
  script.browse("select", "NAZWA", "złoty");
  CurrencyBrowse browse(table);
  browse.set_request(dane::Request::Select);
  EXPECT_EQ(dane::run_window(browse), Response::Completed);
  ASSERT_TRUE(browse.selected_row().has_value());
  EXPECT_EQ((*browse.selected_row())[0], "PLN");
}

TEST_F(BrowseAndForm, ScriptRunningOutClosesTheWindowsAndNamesThem) {
  script.browse("insert");
  CurrencyBrowse browse(table);
  EXPECT_EQ(dane::run_window(browse), Response::Completed);  // the browse's close button in maintain mode
  ASSERT_EQ(failures.size(), 2u);
  EXPECT_NE(failures[0].find("Waluty_Upd"), std::string::npos);
  EXPECT_NE(failures[1].find("Waluty_Brw"), std::string::npos);
  EXPECT_EQ(table.rows().size(), 2u);
}

TEST_F(BrowseAndForm, MissingRowOrWrongKindOfStepIsReported) {
  script.browse("change", "SYM_WALUTY", "XXX").form_ok();
  CurrencyBrowse browse(table);
  dane::run_window(browse);
  ASSERT_EQ(failures.size(), 2u);
  EXPECT_NE(failures[0].find("no row with SYM_WALUTY=XXX"), std::string::npos);
  EXPECT_NE(failures[1].find("expects a form"), std::string::npos);
}

TEST_F(BrowseAndForm, ReadOnlyFormRefusesEditsAndOk) {
  CurrencyForm form(table, &table.rows()[0]);
  form.set_request(dane::Request::View);
  script.form_set("NAZWA", "x").form_ok().close_window();
  EXPECT_EQ(dane::run_window(form), Response::Cancelled);
  EXPECT_EQ(form.title(), "View Record");
  EXPECT_EQ(form.value("NAZWA"), "euro");
  EXPECT_EQ(failures.size(), 1u);  // the field could not be set
}

TEST_F(BrowseAndForm, PopupChoosesRecordActionsByLabelAndRecordsTheIcons) {
  script.browse("popup", "SYM_WALUTY", "PLN")
      .popup("popraw")
      .form_set("NAZWA", "złoty polski")
      .form_ok()
      .browse("popup")
      .dismiss_popup()
      .browse("popup")
      .popup("Wybierz")  // disabled outside select mode
      .close_window();
  CurrencyBrowse browse(table);
  browse.popup().set_text("Change", "[31848(~popraw2.ico)]&Popraw");
  dane::run_window(browse);
  EXPECT_EQ(table.rows()[1][1], "złoty polski");
  EXPECT_EQ(browse.form_responses, (std::vector<Response>{Response::Completed}));
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_NE(failures[0].find("\"Wybierz\" of the popup menu &Dodaj|&Popraw|&Usuń|&Wybierz is disabled"),
            std::string::npos)
      << failures[0];
  std::vector<Shown> popups;
  for (const Shown& s : script.shown()) {
    if (s.kind == "popup") popups.push_back(s);
  }
  ASSERT_EQ(popups.size(), 3u);
  EXPECT_EQ(popups[0].buttons, (std::vector<std::string>{"&Dodaj", "&Popraw", "&Usuń", "&Wybierz"}));
  EXPECT_EQ(popups[0].text, "|~popraw2.ico||");
  EXPECT_EQ(popups[0].answer, 2);
  EXPECT_EQ(popups[1].answer, 0);
  EXPECT_EQ(popups[2].answer, 0);
}

TEST_F(BrowseAndForm, HeaderClicksTurnTheOrderRound) {
  table.add({"CHF", "frank", "1"});
  script.browse_sort("NAZWA").browse_sort("NAZWA").browse("select");
  CurrencyBrowse browse(table);
  browse.install_header_sorter({}, {}, 1, false);
  browse.set_request(dane::Request::Select);
  EXPECT_EQ(dane::run_window(browse), Response::Completed);
  EXPECT_TRUE(failures.empty()) << failures.front();
  ASSERT_TRUE(browse.selected_row().has_value());
  EXPECT_EQ((*browse.selected_row())[0], "PLN");  // the first row once the names run backwards

  script.browse("sort", "NAZWA").close_window();
  CurrencyBrowse without_sorter(table);
  dane::run_window(without_sorter);
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_NE(failures[0].find("step 4: window Waluty_Brw \"\" has no header sorter"), std::string::npos)
      << failures[0];
}

TEST_F(BrowseAndForm, PopupInSelectModeSelectsTheRow) {
  script.browse("popup", "SYM_WALUTY", "EUR").popup("Wybierz");
  CurrencyBrowse browse(table);
  browse.set_request(dane::Request::Select);
  EXPECT_EQ(dane::run_window(browse), Response::Completed);
  EXPECT_TRUE(failures.empty()) << failures.front();
  ASSERT_TRUE(browse.selected_row().has_value());
  EXPECT_EQ((*browse.selected_row())[0], "EUR");
}

TEST_F(BrowseAndForm, PopupStepsMeetOnlyPopups) {
  script.browse("popup").answer("Tak").close_window();
  CurrencyBrowse browse(table);
  dane::run_window(browse);
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_NE(failures[0].find("not for a popup met the popup menu"), std::string::npos) << failures[0];

  script.popup("Dodaj");
  CurrencyBrowse again(table);
  dane::run_window(again);
  ASSERT_EQ(failures.size(), 2u);
  EXPECT_NE(failures[1].find("expects a popup but window Waluty_Brw"), std::string::npos) << failures[1];
  EXPECT_EQ(table.rows().size(), 2u);
}

}  // namespace
}  // namespace ui_script
