// The currency browse's downloads, the default accounts and shipment tracking on the demo database.
#include <stdlib.h>

#include "dane/events.h"
#include "dane/globals.h"
#include "dictionary_session.h"
#include "mirlet_testing/http_server.h"
#include "runtime/date.h"
#include "slownik/dictionaries.h"

namespace slownik {
namespace {

using RateServices = testing::DictionarySession;

TEST_F(RateServices, DefaultAccountsOfTheCompanyInCurrencyOrder) {
  const std::int32_t loaded = LADUJDOMYSLNERACHUNKI();
  EXPECT_EQ(loaded, static_cast<std::int32_t>(dane::GLO.KOLRACHBANK.count()));
  ASSERT_GE(dane::GLO.KOLRACHBANK.count(), 2u);
  std::string previous;
  for (const dane::RachunekBankowyEntry& e : dane::GLO.KOLRACHBANK) {
    EXPECT_LT(previous, e.SYM_WALUTY.str());
    previous = e.SYM_WALUTY.str();
  }
  EXPECT_EQ(
      sent("rachunek_firmy").front(),
      "select id_rachunku,sym_waluty from rachunek_firmy with (nolock) where id_firmy=1 and domyslny_wal=1");
  dane::GLO.ID_FIRMY = 999;
  EXPECT_EQ(LADUJDOMYSLNERACHUNKI(), 0);
  EXPECT_TRUE(dane::GLO.KOLRACHBANK.empty());
}

TEST_F(RateServices, TrackingAddressGoesToTheMainThreadEncoded) {
  while (dane::take_event()) {
  }
  dane::GLO.WATEKAPP = dane::current_thread_number();
  SLEDZENIEPRZESYLKI(1, "RR 12'3&x   ");
  EXPECT_EQ(dane::GLO.LASTURL.str(), "https://sledzenie.poczta.example.pl/?numer=RR%2012%273%26x");
  EXPECT_EQ(dane::take_event(), dane::kEventOpenTrackingAddress);
  dane::GLO.LASTURL = "";
  SLEDZENIEPRZESYLKI(99, "RR123");
  EXPECT_EQ(dane::take_event(), std::nullopt) << "an operator without an address posts nothing";
  EXPECT_EQ(dane::GLO.LASTURL.str(), "");
}

TEST_F(RateServices, TheCurrencyBrowseFetchesTheDaysTableAndTellsIt) {
  mirlet_testing::LocalHttpServer server;
  setenv("MIRLET_NBP_URL", server.base_url().c_str(), 1);
  setenv("MIRLET_ECB_URL", server.base_url().c_str(), 1);
  dane::GLO.LOCALPATH = MIRLET_UTIL_DIR;
  dane::GLO.POLACZENIE_INTERNETOWE = 1;
  const std::string today = runtime::format_date(runtime::today(), "yyyy-MM-dd");
  std::string table =
      mirlet_testing::read_file_text(std::string(MIRLET_RATE_TABLES) + "/nbp_a_2026-12-07.xml");
  table.replace(table.find("2026-12-07"), 10, today);
  server.serve("/api/exchangerates/tables/A/" + today + "/?format=xml", {200, table});

  host_.browse_key("Ctrl+N")
      .answer("OK")
      .answer("Tak", "Pytanie")
      .browse("close")
      .browse_key("Ctrl+E")
      .answer("OK")
      .browse("close");
  WALUTY_BRW();
  const std::vector<std::string> shown = messages();
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0].substr(0, shown[0].find(':', 8)), "MIRLET: Ostrzeżenie") << "the unknown currencies";
  EXPECT_EQ(shown[1], "MIRLET: Pytanie: Pobrano kursy walut z banku NBP.|Chcesz je zobaczyć?");
  EXPECT_EQ(shown[2],
            "MIRLET: Ostrzeżenie: Błąd wykonania funkcji pobrania kursów walut na dzień z banku ECB.");
  const auto lists = this->shown("browse");
  ASSERT_EQ(lists.size(), 2u);
  EXPECT_EQ(lists[1].title, "Kursy walut NBP od dnia " + runtime::short_date_text(runtime::today()))
      << "the table of the day just fetched";
  EXPECT_EQ(value_of("select count(*) from DATY_KURSOW where ID_BANKU=0 and DATA_NOT=" +
                     std::to_string(runtime::today())),
            "1");
  EXPECT_EQ(failures(), "");
  unsetenv("MIRLET_NBP_URL");
  unsetenv("MIRLET_ECB_URL");
}

TEST_F(RateServices, BaseRatesNeedTheirPermission) {
  start_session(3000002);  // Waluty and OWaluty only
  host_.browse_key("Ctrl+B").answer("OK").browse("close");
  WALUTY_BRW();
  EXPECT_EQ(messages(),
            std::vector<std::string>{"MIRLET: Ostrzeżenie: Brak uprawnień na dostęp do kursów bazowych!"});
  EXPECT_EQ(shown("browse").size(), 1u);
  EXPECT_EQ(failures(), "");
}

}  // namespace
}  // namespace slownik
