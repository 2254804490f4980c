// The exchange-rate table, its two forms and LADUJWALUTY's loops, driven through the scripted host.
#include <algorithm>

#include "dane/events.h"
#include "dane/globals.h"
#include "dane/lists_settings.h"
#include "dictionary_session.h"
#include "runtime/date.h"
#include "server/demo.h"
#include "slownik/dictionaries.h"

namespace slownik {
namespace {

runtime::DayNumber day(int y, unsigned m, unsigned d) {
  return runtime::from_ymd(std::chrono::year(y) / std::chrono::month(m) / std::chrono::day(d));
}

class RateTables : public testing::DictionarySession {
 protected:
  void SetUp() override {
    DictionarySession::SetUp();
    dane::GLO.POLACZENIE_INTERNETOWE = 0;  // no download reaches anything here
  }
  void TearDown() override {
    dane::GLO.POLACZENIE_INTERNETOWE = 1;
    DictionarySession::TearDown();
  }
  static void start_setting(const char* value) { parameter("WALSTARTSYS", value); }
  static void parameter(const char* code, const char* value) {
    auto& list = dane::S_PARAMKONFQ;
    list.buffer = dane::ParamKonfEntry{110, code, "@S20", value};
    if (list.fetch<dane::ParamKonfEntry::ByCode>()) {
      list.buffer.WARTOSC = value;
      list.put();
    } else {
      list.buffer = dane::ParamKonfEntry{110, code, "@S20", value};
      list.add_in_order<dane::ParamKonfEntry::ByCode>();
    }
  }
  std::vector<ui_script::Shown> browses() const { return shown("browse"); }
};

TEST_F(RateTables, AQuotationOncePerBankAndDay) {
  const runtime::DayNumber monday = day(2026, 12, 7);
  host_.browse("insert")
      .form_set("DATA_NOT", "04.12.2026")
      .form_ok()
      .answer("OK")
      .form_set("DATA_NOT", "07.12.2026")
      .form_ok();
  host_.browse_key("Alt+E").browse("insert").form_set("DATA_NOT", "07.12.2026").form_ok().browse("close");
  EXPECT_EQ(KURSY_WALUT_BRW(monday, 1, ""), dane::Response::Cancelled);
  EXPECT_EQ(messages(), (std::vector<std::string>{"MIRLET: Ostrzeżenie: Notowanie na dzień 04.12.2026 już "
                                                  "zostało zdefiniowane!|Proszę zmienić dzień."}));
  EXPECT_EQ(value_of("select count(*) from DATY_KURSOW where DATA_NOT=" + std::to_string(monday)), "2");
  const auto lists = browses();
  ASSERT_EQ(lists.size(), 2u);
  EXPECT_EQ(lists[0].title, "Kursy walut NBP od dnia 07.12.2026");
  EXPECT_EQ(lists[1].title, "Kursy walut ECB od dnia 07.12.2026");
  EXPECT_EQ(failures(), "");
}

TEST_F(RateTables, TheMiddleRateFollowsBuyingAndSellingAndARateIsOncePerQuotation) {
  const runtime::DayNumber monday = day(2026, 12, 7);
  ASSERT_TRUE(run("insert into DATY_KURSOW (ID_BANKU, DATA_NOT, GODZ_NOT) values (0, " +
                  std::to_string(monday) + ", 0)"));
  host_.browse_key("Ctrl+K")
      .browse("insert")
      .form_set("SYM_WALUTY", "EUR")
      .form_set("KURS_ZAKUPU", "4,1")
      .form_set("KURS_SPRZEDAZY", "4,2")
      .form_ok()
      .browse("insert")
      .form_set("SYM_WALUTY", "EUR")
      .form_set("KURS_ZAKUPU", "4,3")
      .form_ok()
      .answer("OK")
      .form_cancel()
      .browse("close")
      .browse("close");
  KURSY_WALUT_BRW(monday, 1, "");
  EXPECT_EQ(
      value_of("select printf('%.6f', KURS_SREDNI) from KURSY_WALUT k join DATY_KURSOW d on d.ID_DATY = "
               "k.ID_DATY where d.DATA_NOT = " +
               std::to_string(monday) + " and k.SYM_WALUTY = 'EUR'"),
      "4.150000");
  EXPECT_EQ(messages(),
            (std::vector<std::string>{"MIRLET: Ostrzeżenie: Kurs waluty EUR o danej dacie już istnieje!"}));
  EXPECT_EQ(failures(), "");
}

// A rate is per the currency's multiplier, and the form says which.
TEST_F(RateTables, TheFormShowsTheMultiplierOfTheChosenCurrency) {
  const runtime::DayNumber monday = day(2026, 12, 7);
  ASSERT_TRUE(run("insert into DATY_KURSOW (ID_BANKU, DATA_NOT, GODZ_NOT) values (0, " +
                  std::to_string(monday) + ", 0)"));
  host_.browse_key("Ctrl+K")
      .browse("insert")
      .form_set("SYM_WALUTY", "HUF")
      .form_cancel()
      .browse("insert")
      .form_set("SYM_WALUTY", "EUR")
      .form_cancel()
      .browse("close")
      .browse("close");
  KURSY_WALUT_BRW(monday, 1, "");
  EXPECT_EQ(failures(), "");
  std::vector<std::string> multipliers;
  for (const ui_script::Shown& s : host_.shown()) {
    if (s.kind != "form") continue;
    for (const std::string& f : s.fields) {
      if (f.starts_with("MNOZNIK=")) multipliers.push_back(f.substr(8));
    }
  }
  EXPECT_EQ(multipliers, (std::vector<std::string>{"100", "1"}));
}

TEST_F(RateTables, LoadingRatesWithoutASettingAsksNothing) {
  start_setting("");
  LADUJWALUTY("0", "0", day(2026, 12, 9));
  EXPECT_TRUE(host_.shown().empty());
  EXPECT_EQ(sent("AP_Czy_SaKursyWalut"), std::vector<std::string>{"call AP_Czy_SaKursyWalut(" +
                                                                  std::to_string(day(2026, 12, 9)) + ",-2)"});
}

TEST_F(RateTables, LoadingRatesWithTakAsksAndOpensTheTableUntilTheAnswerIsNo) {
  start_setting("Tak");
  const std::string question =
      "MIRLET: Pytanie: Na dzień 09.12.2026 nie zdefiniowano kursów walut.|Czy chcesz uzupełnić tabelę "
      "kursów?";
  host_.answer("Nie");
  LADUJWALUTY("0", "0", day(2026, 12, 9));
  EXPECT_EQ(messages(), std::vector<std::string>{question});
  EXPECT_TRUE(browses().empty());

  host_.answer("Tak").browse("close").answer("Nie");
  LADUJWALUTY("0", "0", day(2026, 12, 9));
  EXPECT_EQ(messages(), (std::vector<std::string>{question, question, question}));
  EXPECT_EQ(browses().size(), 1u);
  EXPECT_EQ(sent("AP_Czy_SaKursyWalut").size(), 4u)
      << "once in the first call; before, in and after the table in the second";
  EXPECT_EQ(failures(), "");
}

TEST_F(RateTables, LoadingRatesFromTheEcbChecksItsSourceAndACancelledTableEndsTheLoop) {
  start_setting("Pobierz z ECB");
  while (dane::take_event()) {
  }
  host_.answer("OK", "Ostrzeżenie", "połączenia internetowego").browse("close");
  LADUJWALUTY("0", std::to_string(dane::current_thread_number()), day(2026, 12, 9));
  EXPECT_EQ(sent("AP_Czy_SaKursyWalut").front(),
            "call AP_Czy_SaKursyWalut(" + std::to_string(day(2026, 12, 9)) + ",-1)");
  ASSERT_EQ(browses().size(), 1u);
  EXPECT_EQ(browses()[0].title, "Kursy walut ECB od dnia 09.12.2026");
  EXPECT_EQ(dane::take_event(), dane::kEventSessionStartDone);
  EXPECT_EQ(failures(), "");
}

TEST_F(RateTables, ForcedLoadingOpensTheTableFirstAndAsksWhileRatesAreMissing) {
  start_setting("");
  host_.browse("close")
      .answer("Tak")
      .browse("insert")
      .form_set("DATA_NOT", "09.12.2026")
      .form_ok()
      .browse_key("Ctrl+K")
      .browse("insert")
      .form_set("SYM_WALUTY", "USD")
      .form_set("KURS_ZAKUPU", "3,9")
      .form_set("KURS_SPRZEDAZY", "4,0")
      .form_ok()
      .browse("close")
      .browse("close");
  LADUJWALUTY("1", "0", day(2026, 12, 9));
  EXPECT_EQ(messages().size(), 1u);
  EXPECT_EQ(browses().size(), 3u);
  EXPECT_EQ(failures(), "");
}

TEST_F(RateTables, ATickedBoxRecalculatesForeignCurrencyPricesOnClosing) {
  const runtime::DayNumber friday = server::demo_last_rate_day();
  ASSERT_TRUE(
      run("insert into CENA_ARTYKULU (ID_ARTYKULU, ID_KATEGORII_CENY, CENA_NETTO, CENA_BRUTTO, "
          "SYM_WALUTY, CENA_WALUTOWA) values (101, 1, 1, 1, 'EUR', 10)"));
  const std::string expected = value_of(
      "select printf('%.2f', round(10 * k.KURS_SREDNI, 2)) from KURSY_WALUT k join DATY_KURSOW d on "
      "d.ID_DATY = "
      "k.ID_DATY where d.ID_BANKU = 0 and d.DATA_NOT = " +
      std::to_string(friday) + " and k.SYM_WALUTY = 'EUR'");
  parameter("PRZELCENZAK", "Nie");
  parameter("ALGOBLCENSPRZ", "Marża");
  host_.browse_key("Ctrl+P").browse("close").answer("Tak", "Pytanie");
  KURSY_WALUT_BRW(friday, 1, "");
  EXPECT_EQ(value_of("select printf('%.2f', CENA_NETTO) from CENA_ARTYKULU where ID_ARTYKULU = 101"),
            expected);
  EXPECT_EQ(sent("AP_PrzeliczCenyArtykulow"),
            std::vector<std::string>{"call AP_PrzeliczCenyArtykulow(" + std::to_string(friday) +
                                     ",'Nie','Marża')"});

  // A day without rates offers no recalculation.
  host_.browse_key("Ctrl+P").browse("close");
  KURSY_WALUT_BRW(day(2026, 12, 9), 1, "");
  EXPECT_EQ(sent("AP_PrzeliczCenyArtykulow").size(), 1u);
  EXPECT_NE(failures().find("Ctrl+P"), std::string::npos) << failures();
}

}  // namespace
}  // namespace slownik
