// The scripted host in a browse of goods and an order form: header clicks with Ctrl and Shift, keys, actions,
// sort tabs and the locator, the lookup button, and the record of the headers, rows and fields shown.
#include <gtest/gtest.h>

#include <algorithm>

#include "dane/browse.h"
#include "dane/form.h"
#include "mirlet_testing/goods_browse.h"
#include "ui_script/script_host.h"

namespace ui_script {
namespace {

using dane::ClickModifier;
using dane::Response;
using dane::Row;

using mirlet_testing::GoodsBrowse;
constexpr std::size_t kActive = mirlet_testing::kGoodsActive;

class ScriptedBrowse : public ::testing::Test {
 protected:
  void SetUp() override {
    goods.add({"A01", "śruby", "Śruba M6", "0.40", "1", ""});
    goods.add({"A02", "wkręty", "Wkręt 4x40", "1234.5", "0", ""});
    goods.add({"A03", "śruby", "Śruba M8", "0.60", "0", ""});
    goods.add({"A04", "nakrętki", "Nakrętka M6", "0.10", "1", "z atestem"});
    script.on_failure([this](const std::string& m) { failures.push_back(m); });
    dane::install_host(&script);
  }
  void TearDown() override { dane::install_host(nullptr); }

  // The last record of a window of this kind.
  Shown last(std::string_view kind) const {
    Shown found;
    for (const Shown& s : script.shown()) {
      if (s.kind == kind) found = s;
    }
    return found;
  }

  dane::MemoryRowSource goods{{{"INDEKS", "Indeks", "@s6"},
                               {"GRUPA", "Grupa", "@s10"},
                               {"NAZWA", "Nazwa", "@s30"},
                               {"CENA", "Cena", "@n-10`2", true},
                               mirlet_testing::goods_active_column(),
                               mirlet_testing::goods_remarks_column()}};
  ScriptHost script;
  std::vector<std::string> failures;
};

TEST_F(ScriptedBrowse, CtrlClicksAddColumnsAndTheRecordShowsMarksAndRowsAsTheListDoes) {
  script.browse_sort("GRUPA")
      .browse_sort("CENA", ClickModifier::Ctrl)
      .browse_sort("CENA", ClickModifier::Ctrl);
  script.close_window();
  GoodsBrowse browse(goods, true);
  dane::run_window(browse);
  EXPECT_TRUE(failures.empty()) << failures.front();
  const Shown shown = last("browse");
  EXPECT_EQ(shown.headers, (std::vector<std::string>{"Indeks", "Grupa[+1]", "Nazwa", "Cena[-2]", "A"}));
  EXPECT_EQ(shown.rows,
            (std::vector<std::string>{
                "A04 | nakrętki | Nakrętka M6 | 0,10 | ~32redchk.ico", "A03 | śruby | Śruba M8 | 0,60 | ",
                "A01 | śruby | Śruba M6 | 0,40 | ~32redchk.ico", "A02 | wkręty | Wkręt 4x40 | 1 234,50 | "}));
}

TEST_F(ScriptedBrowse, AShiftClickGoesBackToTheOwnOrderAndPlainHeaders) {
  script.browse_sort("NAZWA").browse_sort("GRUPA", ClickModifier::Shift).close_window();
  GoodsBrowse browse(goods, true);
  dane::run_window(browse);
  EXPECT_TRUE(failures.empty()) << failures.front();
  const Shown shown = last("browse");
  EXPECT_EQ(shown.headers, (std::vector<std::string>{"Indeks", "Grupa", "Nazwa", "Cena", "A"}));
  ASSERT_EQ(shown.rows.size(), 4u);
  EXPECT_EQ(shown.rows[0].substr(0, 3), "A01");
  EXPECT_FALSE(browse.header_sorted());
}

TEST_F(ScriptedBrowse, TheLayoutChoosesColumnsAndPicturesAndOnlyShownColumnsSort) {
  script.browse_sort("CENA").browse_sort("UWAGI").browse_sort("INDEKS").browse_sort("BRAK").close_window();
  GoodsBrowse browse(goods, true);
  browse.set_layout({{2, 0, ""}, {3, 0, "@n10.3"}, {5, 0, ""}});
  dane::run_window(browse);
  const Shown shown = last("browse");
  EXPECT_EQ(shown.headers, (std::vector<std::string>{"Nazwa", "Cena[+]"}));
  EXPECT_EQ(shown.rows.front(), "Nakrętka M6 | 0.100");
  ASSERT_EQ(failures.size(), 3u);
  EXPECT_NE(failures[0].find("step 2: no column UWAGI in the list of window Towary_Brw"), std::string::npos)
      << failures[0];
  EXPECT_NE(failures[1].find("no column INDEKS in the list"), std::string::npos) << failures[1];
  EXPECT_NE(failures[2].find("no column BRAK in the list"), std::string::npos) << failures[2];
}

TEST_F(ScriptedBrowse, KeysActionsSortTabsAndTheLocatorAndWhatFailsWhenNothingRuns) {
  script.browse("pick", "INDEKS", "A02")
      .browse_key("F4")
      .browse_key("Ctrl+B")
      .browse_key("F4")
      .browse_action("Aktywnosc")
      .browse_order("nazwa")
      .browse_order("cena")
      .browse_locate("W")
      .close_window();
  GoodsBrowse browse(goods, false);
  dane::run_window(browse);
  EXPECT_EQ(goods.rows()[1][kActive], "1");
  EXPECT_EQ(browse.sort_order().name, "nazwa");
  EXPECT_EQ(browse.current_cell("NAZWA"), "Wkręt 4x40");
  // The located row is on the page, which the rows before it fill up.
  const auto rows = last("browse").rows;
  EXPECT_NE(std::find(rows.begin(), rows.end(), "A02 | wkręty | Wkręt 4x40 | 1 234,50 | ~32redchk.ico"),
            rows.end());
  ASSERT_EQ(failures.size(), 3u);
  EXPECT_NE(failures[0].find("step 4: no available action has the key F4 in window Towary_Brw"),
            std::string::npos)
      << failures[0];
  EXPECT_NE(failures[1].find("step 5: action Aktywnosc is not available in window Towary_Brw"),
            std::string::npos)
      << failures[1];
  EXPECT_NE(failures[2].find("step 7: no sort order cena in window Towary_Brw"), std::string::npos)
      << failures[2];
}

TEST_F(ScriptedBrowse, AnEmptiedLocatorGoesBackToTheStart) {
  script.browse_locate("A03").browse_locate("").close_window();
  GoodsBrowse browse(goods, false);
  dane::run_window(browse);
  EXPECT_TRUE(failures.empty()) << failures.front();
  EXPECT_EQ(browse.current_cell("INDEKS"), "A01");
}

// An order whose currency is looked up and whose country is asked only for a foreign order.
class OrderForm : public dane::FormWindow {
 public:
  OrderForm() : FormWindow("Zamowienie_Upd") {
    dane::Field currency{"WALUTA", "Waluta", "@s3", "PLN"};
    currency.kind = dane::FieldKind::Lookup;
    add_field(currency);
    dane::Field foreign{"ZAGRANICZNE", "Zagraniczne", "", "0"};
    foreign.kind = dane::FieldKind::Check;
    add_field(foreign);
    dane::Field country{"KRAJ", "Kraj", "@s20", ""};
    country.visible = false;
    add_field(country);
    dane::Field bank{"BANK", "Bank", "@s20", ""};
    bank.kind = dane::FieldKind::Lookup;
    bank.enabled = false;
    add_field(bank);
    set_mode_titles("Zamówienie", "Zamówienie");
  }
  std::vector<std::string> lookups;

 protected:
  void on_lookup(std::string_view name) override {
    lookups.emplace_back(name);
    mutable_field(name)->value = "EUR";
  }
  bool validate_field(std::string_view name) override {
    if (name == "ZAGRANICZNE") set_visible("KRAJ", value(name) == "1");
    return true;
  }
};

class ScriptedOrder : public ScriptedBrowse {};

TEST_F(ScriptedOrder, TheLookupButtonReachesTheFormAndATickShowsAField) {
  script.form_lookup("WALUTA").form_lookup("KRAJ").form_lookup("BANK").form_lookup("BRAK");
  script.form_set("KRAJ", "Niemcy").form_set("ZAGRANICZNE", "1").form_set("KRAJ", "Niemcy").form_ok();
  OrderForm form;
  EXPECT_EQ(dane::run_window(form), Response::Completed);
  EXPECT_EQ(form.lookups, (std::vector<std::string>{"WALUTA"}));
  EXPECT_EQ(form.value("WALUTA"), "EUR");
  EXPECT_EQ(form.value("KRAJ"), "Niemcy");
  EXPECT_EQ(last("form").fields,
            (std::vector<std::string>{"WALUTA=EUR", "ZAGRANICZNE=1", "KRAJ=Niemcy", "BANK="}));
  ASSERT_EQ(failures.size(), 4u);
  EXPECT_NE(
      failures[0].find("step 2: field KRAJ of window Zamowienie_Upd \"Zamówienie\" has no lookup button"),
      std::string::npos)
      << failures[0];
  EXPECT_NE(failures[1].find("step 3: the lookup button of field BANK of window Zamowienie_Upd"),
            std::string::npos)
      << failures[1];
  EXPECT_NE(failures[1].find("is disabled"), std::string::npos) << failures[1];
  EXPECT_NE(failures[2].find("field BRAK of window Zamowienie_Upd"), std::string::npos) << failures[2];
  EXPECT_NE(failures[3].find("step 5: field KRAJ of window Zamowienie_Upd \"Zamówienie\" cannot be set"),
            std::string::npos)
      << failures[3];  // hidden until the order is foreign
}

TEST_F(ScriptedOrder, AHiddenFieldIsNotInTheRecordAndAReadOnlyFormHasNoLookup) {
  script.form_lookup("WALUTA").form_cancel();
  OrderForm form;
  form.set_request(dane::Request::View);
  dane::run_window(form);
  EXPECT_TRUE(form.lookups.empty());
  EXPECT_EQ(last("form").fields, (std::vector<std::string>{"WALUTA=PLN", "ZAGRANICZNE=0", "BANK="}));
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_NE(failures[0].find("the lookup button of field WALUTA"), std::string::npos) << failures[0];
}

TEST(ScriptBrowseLines, ParseTheNewStepsAndRefuseMalformedOnes) {
  std::string error;
  const auto steps = ScriptHost::parse(
      "browse sort NAZWA ctrl\n"
      "browse sort NAZWA\n"
      "browse key Ctrl+B\n"
      "browse action Aktywnosc\n"
      "browse order \"po nazwie\"\n"
      "browse locate \"Śruba M\"\n"
      "form lookup WALUTA\n",
      &error);
  ASSERT_TRUE(steps) << error;
  std::vector<std::string> read;
  for (const Step& s : *steps)
    read.push_back((s.kind == Step::Kind::Form ? "form " : "browse ") + s.action + "|" + s.column + "|" +
                   s.value);
  EXPECT_EQ(read,
            (std::vector<std::string>{"browse sort|NAZWA|ctrl", "browse sort|NAZWA|", "browse key||Ctrl+B",
                                      "browse action||Aktywnosc", "browse order||po nazwie",
                                      "browse locate||Śruba M", "form lookup|WALUTA|"}));

  for (const char* bad : {"browse sort NAZWA alt", "browse sort", "browse key", "browse locate a b",
                          "form lookup", "browse order a b"}) {
    EXPECT_FALSE(ScriptHost::parse(std::string("close\n") + bad, &error)) << bad;
    EXPECT_EQ(error.substr(0, 7), "line 2:") << error;
  }
  ASSERT_FALSE(ScriptHost::parse("browse sort NAZWA alt", &error));
  EXPECT_NE(error.find("expected ctrl or shift: alt"), std::string::npos) << error;
}

}  // namespace
}  // namespace ui_script
