// Converters, purchase prices, a rate stored by hand and the two downloads, end to end on a demo
// database with the real utility module fetching recorded tables from a server on 127.0.0.1.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dane/database.h"
#include "dane/globals.h"
#include "dane/lists_settings.h"
#include "db/test_clients.h"
#include "keldox/exchange_rates.h"
#include "mirlet_testing/http_server.h"
#include "mirlet_testing/temp_folder.h"
#include "runtime/date.h"
#include "server/demo.h"
#include "server/server.h"
#include "ui_script/script_host.h"

namespace keldox {
namespace {

using Server = mirlet_testing::LocalHttpServer;

runtime::DayNumber day(int y, unsigned m, unsigned d) {
  return runtime::from_ymd(std::chrono::year(y) / std::chrono::month(m) / std::chrono::day(d));
}

std::string recorded(const std::string& name) {
  return mirlet_testing::read_file_text(std::string(MIRLET_RATE_TABLES) + "/" + name);
}

class ExchangeRates : public ::testing::Test {
 protected:
  void SetUp() override {
    dane::reset_session();
    folder_.emplace("rates");
    ASSERT_TRUE(server::make_demo_database(folder_->file("demo.db"), server::DemoSize::Demo).ok());
    ASSERT_TRUE(server::connect("sqlite:" + folder_->file("demo.db"), real_).ok());
    recording_ = std::make_unique<db::RecordingClient>(*real_);
    dane::install_database(recording_.get());
    dane::GLO.ID_FIRMY = 1;
    dane::GLO.ID_UZYTKOWNIKA = 3000001;
    dane::GLO.LOCALPATH = MIRLET_UTIL_DIR;
    dane::GLO.POLACZENIE_INTERNETOWE = 1;
    source_parameter("NBP");
    host_.on_failure([this](const std::string& m) { failures_.push_back(m); });
    dane::install_host(&host_);
    setenv("MIRLET_NBP_URL", server_.base_url().c_str(), 1);
    setenv("MIRLET_ECB_URL", server_.base_url().c_str(), 1);
    setenv("MIRLET_RATES_TIMEOUT_MS", "700", 1);
  }
  void TearDown() override {
    unsetenv("MIRLET_RATES_TIMEOUT_MS");
    unsetenv("MIRLET_CONNECTIVITY_URL");
    dane::install_host(nullptr);
    dane::install_database(nullptr);
    recording_.reset();
    real_.reset();
    dane::reset_session();
    EXPECT_TRUE(failures_.empty()) << failures_.front();
  }

  static void source_parameter(const char* value) {
    dane::S_PARAMKONFQ.reset();
    dane::S_PARAMKONFQ.buffer = dane::ParamKonfEntry{106, "PROPKURSBANKU", "@S3", value};
    dane::S_PARAMKONFQ.add_in_order<dane::ParamKonfEntry::ByCode>();
  }
  void serve_nbp(const std::string& iso, bool latest = false) {
    const std::string a = latest ? "/api/exchangerates/tables/A/?format=xml"
                                 : "/api/exchangerates/tables/A/" + iso + "/?format=xml";
    server_.serve(a, {200, recorded("nbp_a_" + iso + ".xml")});
    server_.serve("/api/exchangerates/tables/C/" + iso + "/?format=xml",
                  {200, recorded("nbp_c_" + iso + ".xml")});
  }
  std::vector<std::string> messages() const {
    std::vector<std::string> out;
    for (const ui_script::Shown& s : host_.shown())
      if (s.kind == "message") out.push_back(s.text);
    return out;
  }
  std::string scalar(const std::string& sql) {
    db::Client& c = *real_;
    if (!c.open(db::Channel::VAX3).ok() || !c.send(db::Channel::VAX3, sql).ok() ||
        !c.next(db::Channel::VAX3).ok())
      return "<none>";
    std::string v(c.field(db::Channel::VAX3, 1));
    c.close(db::Channel::VAX3);
    return v;
  }

  Server server_;
  std::optional<mirlet_testing::TempFolder> folder_;
  std::unique_ptr<db::Client> real_;
  std::unique_ptr<db::RecordingClient> recording_;
  ui_script::ScriptHost host_;
  std::vector<std::string> failures_;
};

TEST_F(ExchangeRates, ConverterAsksTheProcedureWithTheSourceChosen) {
  EXPECT_EQ(WAL_POBIERZPRZELICZNIK("EUR", "EUR  "), 1);
  EXPECT_TRUE(recording_->statements().empty()) << "equal currencies need no statement";

  const runtime::DayNumber last = server::demo_last_rate_day();
  const double nbp =
      std::stod(scalar("select KURS_SREDNI from KURSY_WALUT k join DATY_KURSOW d on d.ID_DATY = "
                       "k.ID_DATY where d.ID_BANKU = 0 and d.DATA_NOT = " +
                       std::to_string(last) + " and k.SYM_WALUTY = 'EUR'"));
  struct Case {
    const char* parameter;
    std::int32_t given;
    std::int32_t sent;
  };
  for (const Case k : {Case{"ECB", 1, -1}, Case{"NBP", 1, 0}, Case{"XYZ", 1, 0}, Case{"ECB", 0, 0}}) {
    source_parameter(k.parameter);
    recording_->forget();
    std::int32_t source = k.given;
    const double rate = WAL_POBIERZPRZELICZNIK("EUR", "", last, std::nullopt, &source);
    EXPECT_EQ(source, k.sent) << k.parameter;
    EXPECT_EQ(recording_->statements().at(0), "call AP_PobierzKursWaluty('EUR',''," + std::to_string(last) +
                                                  "," + std::to_string(k.sent) + ")");
    if (k.sent == 0) {
      EXPECT_DOUBLE_EQ(rate, nbp);
    }
  }
  source_parameter("NBP");
  recording_->forget();
  WAL_POBIERZPRZELICZNIK("USD", "EUR", 0.0);
  EXPECT_EQ(recording_->statements().at(0),
            "call AP_PobierzKursWaluty('USD','EUR'," + std::to_string(runtime::today()) + ",0)")
      << "day 0 is today";
  EXPECT_TRUE(messages().empty()) << "today has the last quotation before it";
}

TEST_F(ExchangeRates, DivisorAndMissingRate) {
  const runtime::DayNumber last = server::demo_last_rate_day();
  const double eur = WAL_POBIERZPRZELICZNIK("EUR", "PLN", last);
  recording_->forget();
  EXPECT_DOUBLE_EQ(WAL_POBIERZPRZELICZNIK("EUR", "USD", last, 3.0), std::round(eur / 3.0 * 1e6) / 1e6);
  EXPECT_EQ(recording_->statements().at(0),
            "call AP_PobierzKursWaluty('EUR',''," + std::to_string(last) + ",0)");
  recording_->forget();
  WAL_POBIERZPRZELICZNIK("EUR", "USD", last, 0.0);
  EXPECT_EQ(recording_->statements().at(0),
            "call AP_PobierzKursWaluty('EUR','USD'," + std::to_string(last) + ",0)")
      << "a divisor of 0 is no divisor";

  host_.answer("OK");
  EXPECT_EQ(WAL_POBIERZPRZELICZNIK("EUR", "", day(1900, 1, 1)), 1);
  EXPECT_EQ(messages(), std::vector<std::string>{"Na dzień 01.01.1900 nie zdefiniowano kursów walut!"});
}

TEST_F(ExchangeRates, PurchasePriceByDirection) {
  struct Case {
    const char* a;
    double p, q;
    const char* b;
    double r;
    std::uint8_t direction;
    double expected;
  };
  for (const Case k : {Case{"EUR", 100, 7, "", 4.0, 0, 100}, Case{"EUR", 100, 7, "EUR", 3.0, 0, 33.33},
                       Case{"EUR", 10, 7, "USD", 4.0, 0, 2.5}, Case{"EUR", 0, 2.5, "", 4.2218, 1, 10.55},
                       Case{"EUR", 0, 7, "EUR ", 4.0, 1, 7}, Case{"EUR", 0, 1.005, "USD", 1, 2, 1.01},
                       Case{"EUR", 5, 7, "USD", 0, 0, 0}})
    EXPECT_DOUBLE_EQ(WAL_WYLICZCENEZAKUPU(k.a, k.p, k.q, k.b, k.r, k.direction), k.expected)
        << k.a << "/" << k.b << " direction " << int(k.direction);
}

TEST_F(ExchangeRates, RateStoredByHandAfterTheQuestion) {
  const runtime::DayNumber monday = day(2026, 12, 7);
  host_.answer("Nie");
  EXPECT_EQ(AKTUALIZACJAKURSUWAL("EUR", 4.25, monday), 0);
  EXPECT_EQ(messages(), std::vector<std::string>{
                            "Czy dodać/zaktualizować kurs 4.25 dla waluty EUR w tabeli kursów walut na dzień "
                            "07.12.2026 ?"});
  EXPECT_TRUE(recording_->statements().empty());

  host_.answer("Tak");
  EXPECT_EQ(AKTUALIZACJAKURSUWAL("EUR", 4.25, monday, kRateSourceEcb), 1);
  const std::string sent = recording_->statements().at(0);
  EXPECT_TRUE(sent.starts_with("call AP_AktualizujKursWaluty(" + std::to_string(monday) + ",")) << sent;
  EXPECT_TRUE(sent.ends_with(",'EUR',4.25,-1)")) << sent;
  std::int32_t ecb = kRateSourceEcb;
  EXPECT_EQ(WAL_POBIERZPRZELICZNIK("EUR", "", monday, std::nullopt, &ecb), 4.25);

  host_.answer("Tak").answer("OK");
  EXPECT_EQ(AKTUALIZACJAKURSUWAL("EUR", 0, monday), 0);
  EXPECT_EQ(messages().back(), "Kurs waluty musi być większy od zera.");

  dane::GLO.ID_UZYTKOWNIKA = 3000005;  // a user without grants
  host_.answer("Tak").answer("OK");
  EXPECT_EQ(AKTUALIZACJAKURSUWAL("EUR", 4.3, monday), 0);
  EXPECT_EQ(messages().back(), "Brak uprawnień na edycję kursów walut!");
}

TEST_F(ExchangeRates, NbpDayDownloadsImportsAndConvertsOnThatDayAndTheWeekendAfter) {
  serve_nbp("2026-12-07");
  double asked = day(2026, 12, 7);
  std::uint8_t flag = 0;
  host_.answer("OK");
  ASSERT_EQ(POBIERZKURSYNBP(asked, flag), 1);
  EXPECT_EQ(asked, day(2026, 12, 7));
  EXPECT_EQ(flag, 1);
  EXPECT_EQ(messages(), std::vector<std::string>{
                            "Pominięto waluty nieznane w bazie: THB, AUD, CAD, DKK, NOK, SEK, XDR."});
  EXPECT_EQ(server_.requests().front(), "/api/exchangerates/tables/A/2026-12-07/?format=xml");
  EXPECT_EQ(WAL_POBIERZPRZELICZNIK("EUR", "", day(2026, 12, 7)), 4.2218);
  EXPECT_EQ(WAL_POBIERZPRZELICZNIK("EUR", "", day(2026, 12, 12)), 4.2218) << "Saturday after";
  EXPECT_EQ(WAL_POBIERZPRZELICZNIK("HUF", "", day(2026, 12, 7)), 0.010958);
  EXPECT_EQ(WAL_POBIERZPRZELICZNIK("EUR", "HUF", day(2026, 12, 7)), 385.271035);

  const std::string count = scalar("select count(*) from KURSY_WALUT");
  flag = 0;
  host_.answer("OK");
  ASSERT_EQ(POBIERZKURSYNBP(asked, flag), 1);
  EXPECT_EQ(flag, 1);
  EXPECT_TRUE(
      messages().back().starts_with("Tabela kursów banku NBP z dnia 07.12.2026 była już zaimportowana."));
  EXPECT_EQ(scalar("select count(*) from KURSY_WALUT"), count);
}

TEST_F(ExchangeRates, LatestTablesGiveTheirDay) {
  serve_nbp("2026-12-07", true);
  server_.serve("/stats/eurofxref/eurofxref-daily.xml", {200, recorded("ecb_daily.xml")});
  double asked = 0;
  std::uint8_t flag = 0;
  host_.answer("OK");
  ASSERT_EQ(POBIERZKURSYNBP(asked, flag), 1);
  EXPECT_EQ(asked, day(2026, 12, 7));
  asked = 0;
  host_.answer("OK");
  ASSERT_EQ(POBIERZKURSYECB(asked, flag), 1);
  EXPECT_EQ(asked, day(2026, 12, 7));
  std::int32_t ecb = kRateSourceEcb;
  EXPECT_EQ(WAL_POBIERZPRZELICZNIK("EUR", "", day(2026, 12, 7), std::nullopt, &ecb), 4.2209);
  EXPECT_EQ(WAL_POBIERZPRZELICZNIK("USD", "", day(2026, 12, 7), std::nullopt, &ecb), 3.986494);
}

TEST_F(ExchangeRates, EveryFailureIsAWarningAndLeavesTheRates) {
  const std::string count = scalar("select count(*) from KURSY_WALUT");
  std::uint8_t flag = 0;
  const auto nbp = [&](double d) { return POBIERZKURSYNBP(d, flag); };
  const auto ecb = [&](double d) { return POBIERZKURSYECB(d, flag); };

  server_.serve("/api/exchangerates/tables/A/2026-12-07/?format=xml",
                {200, recorded("nbp_a_2026-12-07.xml"), "application/xml", Server::Mode::truncated});
  host_.answer("OK").answer("OK").answer("OK").answer("OK").answer("OK");
  EXPECT_EQ(nbp(day(2026, 12, 7)), 0);
  EXPECT_EQ(nbp(0), 0);
  EXPECT_EQ(nbp(day(2016, 3, 5)), 0);
  EXPECT_EQ(ecb(day(2016, 3, 5)), 0);
  server_.serve("/stats/eurofxref/eurofxref-hist-90d.xml", {200, recorded("ecb_hist_90d.xml")});
  server_.serve("/stats/eurofxref/eurofxref-hist.xml", {200, recorded("ecb_hist.xml")});
  EXPECT_EQ(ecb(day(2016, 3, 5)), 0);
  EXPECT_EQ(messages(), (std::vector<std::string>{
                            "Błąd wykonania funkcji pobrania kursów walut na dzień z NBP.",
                            "Błąd wykonania funkcji pobrania kursów walut z NBP.",
                            "Na dzień 05.03.2016 brak kursów walut w banku NBP.",
                            "Błąd wykonania funkcji pobrania kursów walut na dzień z banku ECB.",
                            "Na dzień 2016-03-05 brak kursów walut w banku ECB.",
                        }));
  EXPECT_EQ(server_.requests().at(2), "/api/exchangerates/tables/A/2016-03-05/?format=xml");
  EXPECT_EQ(scalar("select count(*) from KURSY_WALUT"), count);

  dane::GLO.POLACZENIE_INTERNETOWE = 0;
  host_.answer("OK");
  EXPECT_EQ(nbp(0), 0);
  EXPECT_EQ(messages().back(),
            "Wystąpił błąd połączenia internetowego!|Sprawdź czy masz dostęp do internetu.");
  dane::GLO.POLACZENIE_INTERNETOWE = 1;

  dane::GLO.LOCALPATH = folder_->file("nowhere");
  host_.answer("OK");
  EXPECT_EQ(ecb(0), 0);
  EXPECT_EQ(messages().back(), "Wystąpił błąd podczas ładowania biblioteki ZORVAutilKS.dll");
  dane::GLO.LOCALPATH = MIRLET_BARE_UTIL_DIR;
  host_.answer("OK").answer("OK");
  EXPECT_EQ(nbp(day(2026, 12, 7)), 0);
  EXPECT_EQ(messages().back(),
            "Wystąpił błąd podczas uruchamiania funkcji importu kursów walut na dzień z banku NBP.");
  EXPECT_EQ(ecb(0), 0);
  EXPECT_EQ(messages().back(),
            "Wystąpił błąd podczas uruchamiania funkcji importu kursów walut z banku ECB.");
}

TEST_F(ExchangeRates, AQuoteInTheDownloadedTextStaysInsideTheStatement) {
  std::string a = recorded("nbp_a_2026-12-07.xml");
  a.replace(a.find("<Code>THB</Code>"), 16, "<Code>x') or 1=1 --</Code>");
  server_.serve("/api/exchangerates/tables/A/2026-12-07/?format=xml", {200, a});
  double asked = day(2026, 12, 7);
  std::uint8_t flag = 0;
  host_.answer("OK");
  ASSERT_EQ(POBIERZKURSYNBP(asked, flag), 1);
  EXPECT_NE(messages().back().find("X') OR 1=1 --"), std::string::npos) << messages().back();
  EXPECT_EQ(scalar("select count(*) from WALUTY"), "9");
}

TEST_F(ExchangeRates, ConnectivityIsARealShortCheck) {
  setenv("MIRLET_CONNECTIVITY_URL", (server_.base_url() + "/api").c_str(), 1);
  EXPECT_EQ(SPRAWDZPOLACZENIEINTERNETOWE(), 1);
  EXPECT_EQ(dane::GLO.POLACZENIE_INTERNETOWE, 1);
  setenv("MIRLET_CONNECTIVITY_URL", "https://127.0.0.1:1/", 1);
  EXPECT_EQ(SPRAWDZPOLACZENIEINTERNETOWE(), 0);
  EXPECT_EQ(dane::GLO.POLACZENIE_INTERNETOWE, 0);
  setenv("MIRLET_CONNECTIVITY_URL", "http://", 1);
  EXPECT_EQ(SPRAWDZPOLACZENIEINTERNETOWE(), 0);
}

}  // namespace
}  // namespace keldox
