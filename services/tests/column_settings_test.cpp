// The column lists: loading (statements, classifier and quantity rules, bridge and fallback), lookups,
// USTAWKOLUMNE, and the record count of a browse statement.
#include "keldox/column_settings.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <tuple>

#include "column_demo_fixture.h"
#include "db/test_clients.h"
#include "keldox/sql.h"
#include "keldox/window_register.h"
#include "message_recorder.h"
#include "named_rows.h"
#include "runtime/text.h"

namespace keldox {
namespace {

// Every field of every entry, so that two loads can be compared whole.
template <class Record>
std::vector<std::string> listed(const dane::SessionList<Record>& list) {
  std::vector<std::string> out;
  for (const Record& e : list) {
    std::string line;
    std::apply(
        [&](auto... member) {
          ((line +=
            [&](const auto& v) {
              if constexpr (std::is_arithmetic_v<std::remove_cvref_t<decltype(v)>>) {
                return std::to_string(static_cast<double>(v)) + "|";
              } else {
                return v.str() + "|";
              }
            }(e.*member)),
           ...);
        },
        Record::fields());
    out.push_back(line);
  }
  return out;
}

struct PictureRow {
  const char* name;
  const char* picture;
  bool without_decimals;
  const char* expected;
};

class QuantityPicture : public ::testing::TestWithParam<PictureRow> {};

TEST_P(QuantityPicture, FollowsTheDecimalSetting) {
  EXPECT_EQ(quantity_picture(GetParam().picture, GetParam().without_decimals), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, QuantityPicture,
    ::testing::Values(PictureRow{"signed_14_loses_decimals", "@n-14_`4@", true, "@n-14_@"},
                      PictureRow{"plain_14_loses_decimals", "@n14_`4@", true, "@n14_@"},
                      PictureRow{"signed_16_loses_decimals", "@n-16_`4@", true, "@n-16_@"},
                      PictureRow{"plain_16_loses_decimals", "@n16_`4@", true, "@n16_@"},
                      PictureRow{"integer_form_stays_without_decimals", "@n14_@", true, "@n14_@"},
                      PictureRow{"signed_14_gains_decimals", "@n-14_@", false, "@n-14_`4@"},
                      PictureRow{"plain_14_gains_decimals", "@n14_@", false, "@n14_`4@"},
                      PictureRow{"signed_16_gains_decimals", "@n-16_@", false, "@n-16_`4@"},
                      PictureRow{"plain_16_gains_decimals", "@n16_@", false, "@n16_`4@"},
                      PictureRow{"decimal_form_stays_with_decimals", "@n16_`4@", false, "@n16_`4@"},
                      PictureRow{"other_pictures_stay", "@n-14.2", false, "@n-14.2"},
                      PictureRow{"every_occurrence", "@n14_@ / @n14_@", false, "@n14_`4@ / @n14_`4@"}),
    [](const auto& info) { return std::string(info.param.name); });

struct StepRow {
  const char* name;
  std::int64_t count;
  std::int32_t step;
};

class BrowseStep : public ::testing::TestWithParam<StepRow> {};

TEST_P(BrowseStep, GrowsWithTheCount) {
  EXPECT_EQ(browse_step(GetParam().count), GetParam().step);
}

INSTANTIATE_TEST_SUITE_P(
    Counts, BrowseStep,
    ::testing::Values(StepRow{"none", 0, 10}, StepRow{"thousand", 1000, 10},
                      StepRow{"above_thousand", 1001, 100}, StepRow{"ten_thousand", 10000, 100},
                      StepRow{"above_ten_thousand", 10001, 1000}, StepRow{"hundred_thousand", 100000, 1000},
                      StepRow{"above_hundred_thousand", 100001, 10000}, StepRow{"negative", -1, 10000}),
    [](const auto& info) { return std::string(info.param.name); });

// The browse position conditions after "AND  (  A.", as the browses write them.
constexpr const char* kPositionConditions[] = {
    "ID_FIRMY <",
    "ID_FIRMY >",
    "ID_MAGAZYNU <",
    "ID_MAGAZYNU >",
    "ID_DOK_MAGAZYNOWEGO <",
    "ID_DOK_MAGAZYNOWEGO >",
    "ID_DOK_HANDLOWEGO <",
    "ID_DOK_HANDLOWEGO >",
    "ID_ZAMOWIENIA <",
    "ID_ZAMOWIENIA >",
    "ID_SADU <",
    "ID_SADU >",
    "ID_POZYCJI_DOK_MAG <",
    "ID_POZYCJI_DOK_MAG >",
    "ID_POZYCJI_ZAMOWIENIA <",
    "ID_POZYCJI_ZAMOWIENIA >",
    "ID_BUFORA <",
    "ID_BUFORA >",
    "WARTOSC_NETTO <",
    "WARTOSC_NETTO >",
    "PLATNIK <",
    "PLATNIK >",
    "TERMIN_PLATNOSCI <",
    "TERMIN_PLATNOSCI >",
    "DATA_DOK <",
    "DATA_DOK >",
    "NR_DOK <",
    "NR_DOK >",
    "ID_PROGRAMU <",
    "ID_PROGRAMU >",
    "ILOSC_PKT <",
    "ILOSC_PKT >",
    "UZYTKOWNIK <",
    "UZYTKOWNIK >",
    "NAZWA <",
    "NAZWA >",
    "SYMBOL <",
    "SYMBOL >",
    "KWOTA <",
    "KWOTA >",
    "ID_INTRASTATU <",
    "ID_INTRASTATU >",
    "ID_KONTRAHENTA <",
    "ID_KONTRAHENTA >",
    "ID_GRUPY <",
    "ID_GRUPY >",
    "DATA_OTRZYMANIA <",
    "DATA_OTRZYMANIA >",
    "KOD_KRESKOWY <",
    "KOD_KRESKOWY >",
    "NAZWA_URZADZENIA <",
    "NAZWA_URZADZENIA >",
    "NR_SERYJNY <",
    "NR_SERYJNY >",
    "NR_FABRYCZNY <",
    "NR_FABRYCZNY >",
    "KONTRAHENT <",
    "KONTRAHENT >",
    "KONTRAHENT <",
    "KONTRAHENT >",
    "NUMER <",
    "NUMER >",
    "NUMER  >=",
    "DATA <",
    "DATA >",
    "DATA  >=",
    "DATA_WYSTAWIENIA <",
    "DATA_WYSTAWIENIA >",
    "DATA_WYSTAWIENIA  >=",
    "ID_ROZRACHUNKU <",
    "KONTOFK <=",
    "KONTOFK >=",
    "NR_WYCIAGU <=",
    "NR_WYCIAGU >=",
    "NAZWA_OPERATORA <=",
    "NAZWA_OPERATORA >=",
    "DATA_WYSYLKI <=",
    "DATA_WYSYLKI >=",
    "WYROZNIK <=",
    "WYROZNIK >=",
    "ID_POZYCJI_SCHOWKA <",
    "ID_POZYCJI_SCHOWKA >",
    "ID_POZYCJI_SCHOWKA <=",
    "ID_POZYCJI_SCHOWKA >=",
    "ID_SERWIS_ZLECENIE <",
    "ID_SERWIS_ZLECENIE >",
    "ID_SERWIS_ZLECENIE <=",
    "ID_SERWIS_ZLECENIE >=",
    "ID_POZYCJI_KOSZTORYSU <",
    "ID_POZYCJI_KOSZTORYSU >",
    "ID_POZYCJI_KOSZTORYSU <=",
    "ID_POZYCJI_KOSZTORYSU >=",
    "\"ID_UZYTKOWNIKA\" <",
    "\"ID_UZYTKOWNIKA\" >",
    "\"ID_UZYTKOWNIKA\" <=",
    "\"ID_UZYTKOWNIKA\" >=",
};

TEST(BrowseCount, EveryPositionConditionIsCutOff) {
  EXPECT_EQ(std::size(kPositionConditions) + 1, 97u);  // with "ORDER BY"
  for (const char* condition : kPositionConditions) {
    const std::string statement = "select a.nazwa from artykul a where a.id_firmy=1 and  (  a." +
                                  runtime::to_lower(condition) + " 5) and a.x=2";
    EXPECT_EQ(browse_count_statement(statement), "select count(*) FROM ARTYKUL A WHERE A.ID_FIRMY=1 ")
        << condition;
  }
}

TEST(BrowseCount, CutsAtTheEarliestMarkerOnly) {
  EXPECT_EQ(browse_count_statement("Select a.* From waluty a where a.nazwa like 'a%' order by a.nazwa"),
            "select count(*) FROM WALUTY A WHERE A.NAZWA LIKE 'A%' ");
  EXPECT_EQ(
      browse_count_statement("select * from t a where x=1 AND  (  A.NUMER  >= 5) or 1=1 order by 1 and  "
                             "(  a.data < 3)"),
      "select count(*) FROM T A WHERE X=1 ");
  // Conditions written otherwise are part of the filter and stay.
  EXPECT_EQ(browse_count_statement("select * from t a where a.x=1 and (a.id_firmy < 5)"),
            "select count(*) FROM T A WHERE A.X=1 AND (A.ID_FIRMY < 5)");
  EXPECT_EQ(browse_count_statement("select 1"), "");
}

TEST(BrowseCount, AsksTheDatabaseOnceAndGivesTheStep) {
  db::ScriptedClient scripted;
  db::RecordingClient recording(scripted);
  dane::install_database(&recording);
  testing::MessageRecorder boxes;
  scripted.queue_rows({{"1001"}});
  std::int32_t step = 0;
  EXPECT_EQ(POLICZREKORDYBROWSERA("select a.id from dokument a order by a.id", &step), 1001);
  EXPECT_EQ(step, 100);
  scripted.queue_rows({});
  EXPECT_EQ(POLICZREKORDYBROWSERA("select a.id from dokument a"), 0);
  step = 0;
  EXPECT_EQ(POLICZREKORDYBROWSERA("select 1", &step), 0);  // no FROM: nothing is sent
  EXPECT_EQ(step, 10);
  EXPECT_EQ(recording.statements(),
            (std::vector<std::string>{"select count(*) FROM DOKUMENT A", "select count(*) FROM DOKUMENT A"}));
  EXPECT_TRUE(boxes.shown.empty());
  dane::install_database(nullptr);
}

class ColumnLoading : public ::testing::Test {
 protected:
  void SetUp() override {
    dane::reset_session();
    dane::install_database(&recording);
    dane::GLO.ID_UZYTKOWNIKA = 3000001;
    dane::GLO.LOCALPATH = "/nonexistent";
  }
  void TearDown() override {
    dane::install_database(nullptr);
    dane::reset_session();
  }
  db::ScriptedClient scripted;
  db::RecordingClient recording{scripted};
  testing::MessageRecorder boxes;
};

TEST_F(ColumnLoading, FallsBackToThePassThroughChannelsAndAppliesTheRules) {
  scripted.queue_rows({{"Kontrahent_Brw", "5", "1", "6"}, {"Artykul_Brw", "6", "1", "11"}});
  scripted.queue_rows({
      {"@n-14_@", "Artykul_Brw", "6", "44", "4", "Stan", "60", "65", "3", "0", "Artykul", "8", "0", "1"},
      {"@s50", "Artykul_Brw", "6", "49", "11", "Producent", "100", "100", "11", "1", "Artykul", "8", "0",
       "0"},
      {"@s20", "Artykul_Brw", "6", "41", "1", "Indeks", "60", "70", "1", "0", "Artykul", "8", "0", "0"},
      {"@s50", "Kontrahent_Brw", "5", "25", "5", "Opiekun", "100", "90", "5", "1", "", "0", "0", "0"},
  });
  scripted.queue_rows({{"0"}});  // pole3 of Artykul is not active
  scripted.queue_rows({{"Artykul_Brw", "split", "200"}, {"Artykul_Brw", "sortowanie", "1"}});
  LADUJUSTAWIENIAKOLUMN();

  EXPECT_EQ(
      recording.statements(),
      (std::vector<std::string>{
          "select o.nazwa,o.id_okna,o.nr_kol_pierwszej,o.nr_kol_ostatniej from ini_okno o with (nolock)",
          "select i.format_kolumny,o.nazwa,o.id_okna,k.id_kolumny,k.numer_kolumny, "
          "k.nazwa_kolumny,k.rozmiar_kolumny,i.rozmiar,i.kolejnosc,k.pole_dodatkowe,o.kod_klas_grupy,o.skok, "
          "k.ukryta,k.podlega_obcieciu  from ini_kolumna k with (nolock) inner join ini_okno o with (nolock) "
          "on (k.id_okna=o.id_okna) inner join inter_ini_uzytkownik i with (nolock) on "
          "(k.id_kolumny=i.id_kolumny) where i.id_uzytkownika=3000001",
          "select czy_aktywne from klasyfikator_pole where kod_klas_grupy='Artykul' and "
          "nazwa_pola_map='pole3'",
          "select o.nazwa,p.nazwa,i.wartosc from ini_okno o with (nolock),ini_parametr p with (nolock),"
          "inter_parametr_uzytkownik i with (nolock)  where p.id_okna=o.id_okna and "
          "p.id_parametru=i.id_parametru and  i.id_uzytkownika=3000001"}));
  // The second channel is closed before and after its query.
  const auto events = recording.events();
  std::vector<db::RecordingClient::Op> vax2;
  for (const auto& e : events) {
    if (e.channel == db::Channel::VAX2) vax2.push_back(e.op);
  }
  ASSERT_GE(vax2.size(), 2u);
  EXPECT_EQ(vax2.front(), db::RecordingClient::Op::Close);
  EXPECT_EQ(vax2.back(), db::RecordingClient::Op::Close);
  // The bridge was asked first for both lists and warned that its module is missing.
  EXPECT_EQ(boxes.shown.size(), 2u);

  EXPECT_EQ(listed(dane::INI_BRO), (std::vector<std::string>{"Artykul_Brw|6.000000|1.000000|11.000000|",
                                                             "Kontrahent_Brw|5.000000|1.000000|6.000000|"}));
  ASSERT_EQ(dane::INI_KOL_BRO.count(), 4u);
  EXPECT_TRUE(dane::INI_KOL_BRO.ordered_by<dane::IniKolBroEntry::ByWindowColumn>());
  EXPECT_EQ(dane::INI_KOL_BRO.entry(1)->NAZWA_KOLUMNY.str(), "Indeks");
  EXPECT_EQ(POBIERZKOLUMNEFORMAT("Artykul_Brw", 3), "@n-14_`4@");
  EXPECT_EQ(POBIERZKOLUMNEROZMIAR("Artykul_Brw", 3), 65);
  EXPECT_EQ(POBIERZKOLUMNEROZMIAR("Artykul_Brw", 11), 0);     // inactive classifier field
  EXPECT_EQ(POBIERZKOLUMNEROZMIAR("Kontrahent_Brw", 5), 90);  // no group: no question asked
  EXPECT_EQ(POBIERZPARAMETROKNA("split", "Artykul_Brw"), "200");
  EXPECT_EQ(dane::INI_PAR_OKNO.entry(1)->NAZWA.str(), "sortowanie");
}

TEST_F(ColumnLoading, LookupsAndChangesFindTheColumnByUserPosition) {
  for (auto [window, number, position, width, hidden] :
       {std::tuple{"Artykul_Brw", 1, 2, 60, 0}, std::tuple{"Artykul_Brw", 2, 1, 80, 0},
        std::tuple{"Artykul_Brw", 3, 3, 40, 1}, std::tuple{"Bank_Brw", 1, 1, 50, 0}}) {
    dane::INI_KOL_BRO.buffer = dane::IniKolBroEntry{};
    dane::INI_KOL_BRO.buffer.NAZWA_OKNA = window;
    dane::INI_KOL_BRO.buffer.NUMER_KOLUMNY = number;
    dane::INI_KOL_BRO.buffer.KOLEJNOSC = position;
    dane::INI_KOL_BRO.buffer.ROZMIAR = width;
    dane::INI_KOL_BRO.buffer.UKRYTA = static_cast<std::uint8_t>(hidden);
    dane::INI_KOL_BRO.buffer.FORMAT_KOLUMNY = "@s" + std::to_string(width);
    dane::INI_KOL_BRO.add_in_order<dane::IniKolBroEntry::ByWindowColumn>();
  }
  EXPECT_EQ(POBIERZKOLUMNEROZMIAR("Artykul_Brw  ", 1), 80);
  EXPECT_EQ(POBIERZKOLUMNEFORMAT("Artykul_Brw", 2), "@s60");
  EXPECT_EQ(POBIERZKOLUMNEROZMIAR("Artykul_Brw", 3), 0);  // hidden by the catalogue
  EXPECT_EQ(POBIERZKOLUMNEFORMAT("Artykul_Brw", 3), "@s40");
  EXPECT_EQ(POBIERZKOLUMNEROZMIAR("Bank_Brw", 2), 0);
  EXPECT_EQ(POBIERZKOLUMNEFORMAT("Brak_Brw", 1), "");
  // The same in one look, in the user's order, with the catalogue column each position shows.
  const auto user = user_columns("Artykul_Brw");
  ASSERT_EQ(user.size(), 3u);
  EXPECT_EQ((std::vector<int>{user[0].position, user[0].number, user[0].width}),
            (std::vector<int>{1, 2, 80}));
  EXPECT_EQ((std::vector<int>{user[1].position, user[1].number, user[1].width}),
            (std::vector<int>{2, 1, 60}));
  EXPECT_EQ((std::vector<int>{user[2].position, user[2].number, user[2].width}), (std::vector<int>{3, 3, 0}));
  EXPECT_EQ(user[1].picture, "@s60");
  EXPECT_TRUE(user_columns("Brak_Brw").empty());

  const auto before = listed(dane::INI_KOL_BRO);
  EXPECT_FALSE(USTAWKOLUMNE("@s9", 4, "Artykul_Brw", 99));
  EXPECT_FALSE(USTAWKOLUMNE("@s9", 1, "Brak_Brw", 99));
  EXPECT_EQ(listed(dane::INI_KOL_BRO), before);
  EXPECT_TRUE(USTAWKOLUMNE("@s9", 1, "Artykul_Brw", 99));
  EXPECT_EQ(POBIERZKOLUMNEROZMIAR("Artykul_Brw", 1), 99);
  EXPECT_EQ(POBIERZKOLUMNEFORMAT("Artykul_Brw", 1), "@s9");
  EXPECT_EQ(dane::INI_KOL_BRO.find<dane::IniKolBroEntry::ByWindowColumn>("Artykul_Brw", 2)->ROZMIAR, 99);
  EXPECT_EQ(POBIERZKOLUMNEROZMIAR("Bank_Brw", 1), 50);

  // The same answers from a list in another order, where the lookups cannot use the window's run.
  dane::INI_KOL_BRO.sort<dane::IniKolBroEntry::ByWindowPosition>();
  EXPECT_EQ(user_columns("Artykul_Brw").size(), 3u);
  EXPECT_EQ(user_columns("Bank_Brw").front().width, 50);
  EXPECT_EQ(POBIERZKOLUMNEROZMIAR("Artykul_Brw", 1), 99);
  EXPECT_EQ(POBIERZKOLUMNEFORMAT("Artykul_Brw", 2), "@s60");
}

using ColumnsOnDemo = testing::ColumnDemoTest;

TEST_F(ColumnsOnDemo, AdministratorGetsTheCatalogueWithItsRules) {
  LADUJUSTAWIENIAKOLUMN();
  std::int32_t first = -1;
  std::int32_t last = -1;
  POBIERZZAKRESKOLUMNBROWSERA("Artykul_Brw", first, last);
  EXPECT_EQ(std::pair(first, last), std::pair(1, 11));
  POBIERZZAKRESKOLUMNBROWSERA("Nieznane_Brw", first, last);
  EXPECT_EQ(std::pair(first, last), std::pair(0, 0));

  const std::vector<std::int32_t> widths{60, 180, 30, 60, 60, 60, 60, 0, 60, 40, 0, 0};
  for (std::int32_t p = 1; p <= 12; ++p)
    EXPECT_EQ(POBIERZKOLUMNEROZMIAR("Artykul_Brw", p), widths[p - 1]) << p;
  EXPECT_EQ(POBIERZKOLUMNEROZMIAR("Kontrahent_Brw", 5), 100);  // active field pole1
  EXPECT_EQ(POBIERZKOLUMNEFORMAT("Artykul_Brw", 4), "@n-14_`4@");
  EXPECT_EQ(POBIERZKOLUMNEFORMAT("Artykul_Brw", 5), "@n14_`4@");
  EXPECT_EQ(POBIERZKOLUMNEFORMAT("Artykul_Brw", 6), "@n16_`4@");
  EXPECT_EQ(POBIERZKOLUMNEFORMAT("Artykul_Brw", 7), "@n-14.2");
  EXPECT_EQ(POBIERZKOLUMNEFORMAT("Artykul_Brw", 12), "");
  EXPECT_EQ(POBIERZPARAMETROKNA("split", "Artykul_Brw"), "200");
  EXPECT_EQ(dane::GLO.ILOSCARTBEZPRZECINKA.str(), "");
}

TEST_F(ColumnsOnDemo, QuantitiesWithoutDecimalsForTheUserWhoAskedForThem) {
  dane::GLO.ID_UZYTKOWNIKA = testing::kOrdinaryUser;
  set_user_parameter("IloscArtBezPrzecinka", "Tak");
  LADUJUSTAWIENIAKOLUMN();
  EXPECT_EQ(dane::GLO.ILOSCARTBEZPRZECINKA.str(), "Tak");
  EXPECT_EQ(POBIERZKOLUMNEFORMAT("Artykul_Brw", 4), "@n-14_@");
  EXPECT_EQ(POBIERZKOLUMNEFORMAT("Artykul_Brw", 5), "@n14_@");
  EXPECT_EQ(POBIERZKOLUMNEFORMAT("Artykul_Brw", 6), "@n16_@");
  EXPECT_EQ(POBIERZKOLUMNEFORMAT("Artykul_Brw", 1), "@s50");
}

TEST_F(ColumnsOnDemo, UserWithoutRowsGetsNoColumns) {
  dane::GLO.ID_UZYTKOWNIKA = 3000077;
  LADUJUSTAWIENIAKOLUMN();
  EXPECT_TRUE(dane::INI_KOL_BRO.empty());
  EXPECT_TRUE(dane::INI_PAR_OKNO.empty());
  EXPECT_FALSE(dane::INI_BRO.empty());
  for (std::int32_t p = 0; p <= 11; ++p) {
    EXPECT_EQ(POBIERZKOLUMNEROZMIAR("Artykul_Brw", p), 0);
    EXPECT_EQ(POBIERZKOLUMNEFORMAT("Artykul_Brw", p), "");
  }
}

TEST_F(ColumnsOnDemo, BridgeAndFallbackLoadTheSameLists) {
  LADUJUSTAWIENIAKOLUMN();
  const auto windows = listed(dane::INI_BRO);
  const auto columns = listed(dane::INI_KOL_BRO);
  const auto settings = listed(dane::INI_PAR_OKNO);
  ASSERT_GT(columns.size(), 40u);
  use_bridge(false);
  testing::MessageRecorder boxes;
  LADUJUSTAWIENIAKOLUMN();
  EXPECT_EQ(boxes.shown.size(), 2u);  // the module is missing: the loaders fall back
  EXPECT_EQ(listed(dane::INI_BRO), windows);
  EXPECT_EQ(listed(dane::INI_KOL_BRO), columns);
  EXPECT_EQ(listed(dane::INI_PAR_OKNO), settings);
}

TEST_F(ColumnsOnDemo, BrowsesReadWhileTheListsAreLoadedAgain) {
  LADUJUSTAWIENIAKOLUMN();
  std::atomic<bool> loading{true};
  std::atomic<int> wrong{0};
  std::vector<std::thread> browses;
  for (int t = 0; t < 3; ++t) {
    browses.emplace_back([&] {
      while (loading) {
        // Either the administrator's layout or, between the loads of a user without rows, none.
        const std::string picture = POBIERZKOLUMNEFORMAT("Artykul_Brw", 2);
        if (picture != "@s100" && !picture.empty()) ++wrong;
        const std::int32_t width = POBIERZKOLUMNEROZMIAR("Artykul_Brw", 2);
        if (width != 180 && width != 0) ++wrong;
        USTAWKOLUMNE("@s100", 2, "Artykul_Brw", 180);
      }
    });
  }
  for (int i = 0; i < 40; ++i) {
    dane::GLO.ID_UZYTKOWNIKA = i % 2 == 0 ? 3000077 : testing::kAdministrator;
    LADUJUSTAWIENIAKOLUMN();
  }
  loading = false;
  for (auto& b : browses) b.join();
  EXPECT_EQ(wrong, 0);
  EXPECT_EQ(POBIERZKOLUMNEROZMIAR("Artykul_Brw", 2), 180);
}

TEST_F(ColumnsOnDemo, CountsTheRecordsOfABrowseStatement) {
  const std::string all = FUNCSQL("select count(*) from waluty");
  ASSERT_FALSE(all.empty());
  std::int32_t step = 0;
  EXPECT_EQ(POLICZREKORDYBROWSERA("select a.sym_waluty,a.nazwa_waluty from waluty a where a.numer>=0 and  (  "
                                  "a.symbol > 'X') order by a.sym_waluty",
                                  &step),
            std::stoi(all));
  EXPECT_EQ(step, 10);
}

}  // namespace
}  // namespace keldox
