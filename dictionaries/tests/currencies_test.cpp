// The currency dictionary end to end on the demo database: permissions, protected base currency, the
// form's checks, the country lookup and quoting.
#include <algorithm>

#include "dane/globals.h"
#include "dane/table.h"
#include "dictionary_session.h"
#include "slownik/dictionaries.h"

namespace slownik {
namespace {

using testing::DictionarySession;
using Currencies = DictionarySession;

TEST_F(Currencies, WithoutTheBasePermissionOnlyTheRefusalShows) {
  start_session(3000003);
  host_.answer("OK");
  dane::GLOBALREQUEST = 4;
  WALUTY_BRW();
  EXPECT_EQ(dane::GLOBALRESPONSE, 2);
  EXPECT_EQ(messages(),
            (std::vector<std::string>{"MIRLET: Ostrzeżenie: Brak uprawnień na dostęp do walut!"}));
  EXPECT_TRUE(shown("browse").empty());
  EXPECT_EQ(failures(), "");
}

TEST_F(Currencies, TheSellerLooksButCannotAddDeleteOrSave) {
  start_session(3000002);  // Waluty and OWaluty, nothing else
  host_.browse("insert").answer("OK");
  host_.browse("delete", "SYM_WALUTY", "EUR").answer("OK");
  // Without EWaluty the form shows the row and takes no typing; OK does nothing.
  host_.browse("change", "SYM_WALUTY", "EUR").form_set("NAZWA_WALUTY", "euro (EUR)").form_ok().form_cancel();
  host_.browse("close");
  WALUTY_BRW();
  EXPECT_EQ(messages(), (std::vector<std::string>{"MIRLET: Ostrzeżenie: Brak uprawnień na dodawanie walut!",
                                                  "MIRLET: Ostrzeżenie: Brak uprawnień na usuwanie walut!"}));
  const auto forms = shown("form");
  ASSERT_EQ(forms.size(), 1u);
  EXPECT_EQ(forms[0].title, "Edycja waluty");
  EXPECT_NE(std::find(forms[0].fields.begin(), forms[0].fields.end(), "NAZWA_WALUTY=euro"),
            forms[0].fields.end());
  EXPECT_EQ(value_of("select NAZWA_WALUTY from WALUTY where SYM_WALUTY='EUR'"), "euro");
  EXPECT_EQ(host_.failures().size(), 1u) << failures();
  EXPECT_NE(failures().find("field NAZWA_WALUTY of window Waluty_Upd"), std::string::npos) << failures();
}

TEST_F(Currencies, TheBaseCurrencyIsNeitherChangedNorDeleted) {
  host_.browse("change", "SYM_WALUTY", "PLN").answer("OK", "Ostrzeżenie", "waluty bazowej");
  host_.browse("delete", "SYM_WALUTY", "PLN").answer("OK", "Ostrzeżenie", "waluty bazowej");
  host_.browse("close");
  WALUTY_BRW();
  EXPECT_EQ(messages().size(), 2u);
  EXPECT_EQ(messages().front(), "MIRLET: Ostrzeżenie: Nie można modyfikować ani usuwać waluty bazowej!");
  EXPECT_TRUE(shown("form").empty());
  EXPECT_EQ(failures(), "");
}

TEST_F(Currencies, ANewNameRunsNoDuplicateQueryAnExistingSymbolIsRefused) {
  host_.browse("change", "SYM_WALUTY", "EUR").form_set("NAZWA_WALUTY", "euro (EUR)").form_ok();
  host_.browse("change", "SYM_WALUTY", "EUR")
      .form_set("SYM_WALUTY", "USD")
      .form_ok()
      .answer("OK", "Ostrzeżenie", "Waluta USD już istnieje")
      .form_cancel();
  host_.browse("close");
  WALUTY_BRW();
  EXPECT_EQ(failures(), "");
  const auto checks = sent("select SYM_WALUTY from WALUTY where");
  EXPECT_EQ(checks, (std::vector<std::string>{"select SYM_WALUTY from WALUTY where sym_waluty='USD'"}));
  EXPECT_EQ(value_of("select NAZWA_WALUTY from WALUTY where SYM_WALUTY='EUR'"), "euro (EUR)");
  EXPECT_EQ(messages().back(),
            "MIRLET: Ostrzeżenie: Uwaga!|Waluta USD już istnieje w kartotece! Proszę zmienić symbol.");
}

TEST_F(Currencies, AChangedSymbolRenamesTheRow) {
  host_.browse("change", "SYM_WALUTY", "CHF").form_set("SYM_WALUTY", "CHW").form_ok().browse("close");
  WALUTY_BRW();
  EXPECT_EQ(failures(), "");
  EXPECT_EQ(value_of("select count(*) from WALUTY where SYM_WALUTY='CHF'"), "0");
  EXPECT_EQ(value_of("select NAZWA_WALUTY from WALUTY where SYM_WALUTY='CHW'"), "frank szwajcarski");
}

TEST_F(Currencies, InsertChecksMultiplierSymbolAndCountryAndQuotesEveryValue) {
  host_.browse("insert")
      .form_set("MNOZNIK_WALUTY", "0")
      .answer("OK", "Ostrzeżenie", "Mnożnik waluty musi być większy niż 0!")
      .form_set("MNOZNIK_WALUTY", "100")
      .form_ok()
      .answer("OK", "Ostrzeżenie", "Symbol waluty musi być wypełniony!")
      .form_set("SYM_WALUTY", "O'B")
      .form_set("NAZWA_WALUTY", "O'Brien dollar")
      .form_set("SYM_KRAJU", "PL")
      .form_ok();
  host_.browse("close");
  WALUTY_BRW();
  EXPECT_EQ(failures(), "");
  EXPECT_EQ(sent("where sym_waluty=").back(), "select SYM_WALUTY from WALUTY where sym_waluty='O''B'");
  EXPECT_EQ(value_of("select NAZWA_WALUTY from WALUTY where SYM_WALUTY='O''B'"), "O'Brien dollar");
  EXPECT_EQ(value_of("select MNOZNIK_WALUTY from WALUTY where SYM_WALUTY='O''B'"), "100");
  EXPECT_EQ(value_of("select SYM_KRAJU from WALUTY where SYM_WALUTY='O''B'"), "PL");
}

TEST_F(Currencies, AnUnknownCountryCallsTheCountryBrowseAndTakesTheChosenKey) {
  host_.browse("change", "SYM_WALUTY", "EUR")
      .form_set("SYM_KRAJU", "XX")
      .browse("select", "SYM_KRAJU", "DE")  // the country browse in select mode
      .form_ok()
      .browse("close");
  WALUTY_BRW();
  EXPECT_EQ(failures(), "");
  const auto browses = shown("browse");
  ASSERT_EQ(browses.size(), 2u);
  EXPECT_EQ(browses[1].title, "Kraje");
  EXPECT_EQ(value_of("select SYM_KRAJU from WALUTY where SYM_WALUTY='EUR'"), "DE");
}

TEST_F(Currencies, ACancelledLookupKeepsTheValueAndTheFocus) {
  host_.browse("change", "SYM_WALUTY", "EUR")
      .form_set("SYM_KRAJU", "XX")
      .browse("close")  // the country browse, left without a choice
      .form_cancel()
      .browse("close");
  WALUTY_BRW();
  EXPECT_EQ(failures(), "");
  EXPECT_NE(value_of("select SYM_KRAJU from WALUTY where SYM_WALUTY='EUR'"), "XX");
}

TEST_F(Currencies, TheBaseCurrencyIsSetOnceAndNotAgain) {
  host_.browse("popup", "SYM_WALUTY", "EUR").popup("Ustaw walutę bazową");
  host_.browse("popup", "SYM_WALUTY", "EUR").popup("Ustaw walutę bazową");
  host_.browse("close");
  WALUTY_BRW();
  EXPECT_EQ(failures(), "");
  EXPECT_EQ(sent("update waluty").size(), 2u);  // the second time EUR already is the base
  EXPECT_EQ(value_of("select SYM_WALUTY from WALUTY where NUMER=1"), "EUR");
  EXPECT_EQ(dane::GLO.WAL_BAZOWA.clipped(), "EUR");
}

TEST_F(Currencies, ChoosingWithABankAnswersItsCodeAndLeavesTheRowInTheBuffer) {
  host_.browse("pick", "SYM_WALUTY", "USD").browse_key("Shift+E");
  dane::GLOBALREQUEST = 4;
  EXPECT_EQ(WALUTY_BRW(), -1);
  EXPECT_EQ(dane::GLOBALRESPONSE, 1);
  EXPECT_EQ(dane::find_table("WAL")->text("SYM_WALUTY"), "USD");
  host_.browse("pick", "SYM_WALUTY", "GBP").browse("select");
  dane::GLOBALREQUEST = 4;
  EXPECT_EQ(WALUTY_BRW(), 1);
  EXPECT_EQ(dane::find_table("WAL")->text("SYM_WALUTY"), "GBP");
  // Outside select mode the bank's choice is not offered.
  host_.browse("pick", "SYM_WALUTY", "USD").browse_key("Shift+N");
  host_.browse("close");
  EXPECT_EQ(WALUTY_BRW(), 1);
  EXPECT_NE(failures().find("Shift+N"), std::string::npos) << failures();
}

TEST_F(Currencies, AListThatCannotBeReadShowsTheStatementThatFailed) {
  faults_->fail_statement(faults_->statements_seen() + 1, db::Status::statement_failed("brak tabeli WALUTY"));
  WALUTY_BRW();
  const auto errors = shown("error");
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_NE(errors[0].text.find("from WALUTY"), std::string::npos) << errors[0].text;
  EXPECT_NE(errors[0].title.find("brak tabeli WALUTY"), std::string::npos) << errors[0].title;
  EXPECT_TRUE(shown("browse").empty());
  EXPECT_EQ(dane::GLOBALRESPONSE, 2);
}

TEST_F(Currencies, AConnectionLostWhileBrowsingShowsTheFailureAndKeepsThePage) {
  host_.browse_locate("U").browse("close");
  faults_->lose_connection_at(faults_->statements_seen() + 2);  // after the first page
  WALUTY_BRW();
  EXPECT_EQ(failures(), "");
  const auto errors = shown("error");
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_NE(errors[0].title.find("HSTM"), std::string::npos) << errors[0].title;
  const auto browses = shown("browse");
  ASSERT_EQ(browses.size(), 1u);
  ASSERT_FALSE(browses[0].rows.empty());
  EXPECT_EQ(browses[0].rows.front().substr(0, 7), " | CHF ");  // still the first page, not an empty list
}

TEST_F(Currencies, ExtendedTooltipsNameTheButtonsAndTheFields) {
  dane::GLO.TOOLTIPTYPE = 2;
  host_.hover("Insert").browse("change", "SYM_WALUTY", "EUR").hover("NAZWA_WALUTY").form_cancel();
  host_.browse("close");
  WALUTY_BRW();
  dane::GLO.TOOLTIPTYPE = 1;
  host_.hover("Insert").browse("close");
  WALUTY_BRW();
  std::vector<std::string> tips;
  for (const auto& t : shown("tooltip")) tips.push_back(t.text);
  EXPECT_EQ(tips, (std::vector<std::string>{"Dodaj", "Nazwa waluty"}));
  EXPECT_NE(failures().find("control Insert of window Waluty_Brw"), std::string::npos) << failures();
}

}  // namespace
}  // namespace slownik

namespace slownik {
namespace {

// The base rates of the day: the latest NBP and ECB quotation up to it, read for each row shown, and a
// day before every quotation shows none (the base currency is always 1).
TEST_F(Currencies, EachRowShowsTheLatestRatesUpToTheDayOfTheBaseRates) {
  host_.browse("close");
  WALUTY_BRW();
  host_.browse_action("DataKursowBazowych").choose_date("01.01.2001").browse("close");
  WALUTY_BRW();
  EXPECT_EQ(failures(), "");
  const auto lists = shown("browse");
  ASSERT_EQ(lists.size(), 2u);
  const std::vector<std::string> headers(lists[0].headers.end() - 4, lists[0].headers.end());
  EXPECT_EQ(headers, (std::vector<std::string>{"Kursy NBP: Data", "Kursy NBP: Kurs", "Kursy ECB: Data",
                                               "Kursy ECB: Kurs"}));
  const auto row = [](const ui_script::Shown& list, std::string_view symbol) {
    for (const std::string& r : list.rows) {
      if (r.find(" | " + std::string(symbol) + " | ") != std::string::npos) return r;
    }
    return std::string("<none>");
  };
  // The demo's last tables are of 4 December 2026.
  EXPECT_EQ(row(lists[0], "EUR"), " | EUR | euro | 1 | EU | 04.12.2026 | 4,259700 | 04.12.2026 | 4,262700");
  EXPECT_EQ(row(lists[0], "HUF"),
            " | HUF | forint węgierski | 100 | HU | 04.12.2026 | 1,028300 | 04.12.2026 | 1,029000");
  EXPECT_EQ(row(lists[1], "EUR"), " | EUR | euro | 1 | EU |  | 0,000000 |  | 0,000000");
  EXPECT_EQ(row(lists[1], "PLN"),
            "~32redchk.ico | PLN | złoty polski | 1 | PL | 01.01.2001 | 1,000000 | 01.01.2001 | 1,000000");
  const auto statements = sent("dbo.AP_Func_PodajKursy_NBPECB");
  ASSERT_FALSE(statements.empty());
  // One statement for each page read (the first list, the second before and after the day changed), the
  // function once per row in it.
  EXPECT_EQ(statements.size(), 3u);
  EXPECT_EQ(statements.back().rfind(
                "select 'CHF', * from dbo.AP_Func_PodajKursy_NBPECB (73053,'CHF') union all ", 0),
            0u);
  EXPECT_NE(
      statements.back().find(" union all select 'USD', * from dbo.AP_Func_PodajKursy_NBPECB (73053,'USD')"),
      std::string::npos);
}

}  // namespace
}  // namespace slownik
