// Permissions loaded from a fresh demo database, through the utility module and row by row.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dane/database.h"
#include "dane/globals.h"
#include "dane/lists_access.h"
#include "keldox/permissions.h"
#include "keldox/query_bridge.h"
#include "keldox/sql.h"
#include "message_recorder.h"
#include "mirlet_testing/temp_folder.h"
#include "server/demo.h"
#include "server/server.h"

namespace keldox {
namespace {

class PermissionsOnDemo : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_.emplace("permissionstest");
    ASSERT_TRUE(server::make_demo_database(folder_->file("demo.db"), server::DemoSize::Demo).ok());
  }
  static void TearDownTestSuite() { folder_.reset(); }

  void SetUp() override {
    dane::reset_session();
    ASSERT_TRUE(server::connect(connection_text(), client_).ok());
    dane::install_database(client_.get());
    dane::GLO.LOCALPATH = MIRLET_UTIL_DIR;
    dane::GLO.OWNERNAME = connection_text();
    ASSERT_EQ(DOTNETUTWORZPOLACZENIESQL(), "1");
  }
  void TearDown() override {
    dane::install_database(nullptr);
    dane::reset_session();
  }

  static std::string connection_text() { return "sqlite:" + folder_->file("demo.db"); }

  // The shop's seller: three groups in firm 2, one of them inactive, working in the shop's warehouse.
  static void as_shop_seller() {
    dane::GLO.ID_FIRMY = 2;
    dane::GLO.ID_UZYTKOWNIKA = 3000003;
    dane::GLO.ID_MAGAZYNU = 4;
  }

  static std::vector<std::string> grants() {
    std::vector<std::string> out;
    for (const dane::AccessEntry& e : dane::ACCESSQ) {
      out.push_back(e.KOD.str() + " " + std::to_string(e.ID2) + " " + std::to_string(e.ID3) + " " +
                    std::to_string(e.RODZAJ_DOSTEPU) + " [" + e.FLAGA_STANU.str() + "]");
    }
    return out;
  }

  static inline std::optional<mirlet_testing::TempFolder> folder_;
  std::unique_ptr<db::Client> client_;
  testing::MessageRecorder boxes;
};

TEST_F(PermissionsOnDemo, ShopSellerGetsTheMergedGrantsOfHisActiveGroups) {
  as_shop_seller();
  LADUJUPRAWNIENIA();
  EXPECT_TRUE(boxes.shown.empty());
  const std::vector<std::string> loaded = grants();
  // Full access wins; the two limited EtykDok rows leave one entry with the flags of whichever came first.
  EXPECT_EQ(std::count_if(loaded.begin(), loaded.end(),
                          [](const std::string& e) { return e.starts_with("TYPDOKMAG 0 0 "); }),
            1);
  EXPECT_EQ(POBIERZUPRAWNIENIE("TypDokMag"), 1) << ::testing::PrintToString(loaded);
  const bool etyk_w = std::count(loaded.begin(), loaded.end(), "ETYKDOK 0 0 2 [W]") == 1;
  const bool etyk_wd = std::count(loaded.begin(), loaded.end(), "ETYKDOK 0 0 2 [WD]") == 1;
  EXPECT_TRUE(etyk_w != etyk_wd) << ::testing::PrintToString(loaded);
  for (const std::string& entry : loaded) {
    EXPECT_FALSE(entry.starts_with("UMAG") || entry.starts_with("PRAC")) << "inactive group: " << entry;
  }

  EXPECT_EQ(POBIERZUPRAWNIENIE("SYS"), 1);
  EXPECT_EQ(POBIERZUPRAWNIENIE("etykdok"), 2);
  EXPECT_EQ(POBIERZUPRAWNIENIE("OZam"), 1) << "the shop's warehouse has a full grant";
  EXPECT_EQ(POBIERZUPRAWNIENIE("OZam", 0), 2);
  EXPECT_EQ(POBIERZUPRAWNIENIE("OZam", 1), 0);
  EXPECT_EQ(POBIERZUPRAWNIENIE("OCrm"), 2);
  EXPECT_EQ(POBIERZUPRAWNIENIE("OCrm", 4, 7), 1);
  EXPECT_EQ(POBIERZUPRAWNIENIE("OCrm", 4, 8), 0);
  EXPECT_EQ(POBIERZUPRAWNIENIE("KodSpozaKatalogu"), 0) << "granted but not catalogued";
  EXPECT_EQ(POBIERZUPRAWNIENIE("UMag"), 0);
  EXPECT_EQ(POBIERZUPRAWNIENIE("Kasy"), 0);
  EXPECT_EQ(POBIERZFLAGEUPRAWNIENIA("OKontr").clipped(), "D");
  EXPECT_TRUE(DOSTEPDOWLASNYCHDOKUMENTOW("EtykDok"));
  EXPECT_FALSE(DOSTEPDOWLASNYCHDOKUMENTOW("TypDokMag"));
}

TEST_F(PermissionsOnDemo, CatalogueComesWholeAndInUpperCase) {
  as_shop_seller();
  // The module answers both bridged statements, so the lists below did not come row by row.
  EXPECT_NE(DOTNETPODAJKOLEJKESQL("select upper(kod), rodzaj from UPRAWNIENIE with (nolock)"), "");
  EXPECT_NE(
      DOTNETPODAJKOLEJKESQL(" select distinct d.id_raportu,d.rodzaj_dostepu  from DOSTEPDORAPORTOW d with "
                            "(nolock)  inner join  UZYTKOWNIKGRUPY ug with (nolock)  on (ug.id_grupy = "
                            "d.id_grupy)  inner join  GRUPAUZYTKOWNIKOW g with (nolock) on "
                            "(ug.id_grupy=g.id_grupy)  where g.id_firmy=2 and ug.id_uzytkownika = 3000003"),
      "");
  LADUJUPRAWNIENIA();
  EXPECT_EQ(std::to_string(dane::UPRAWNQ.count()), FUNCSQL("select count(1) from UPRAWNIENIE"));
  EXPECT_TRUE(dane::UPRAWNQ.ordered_by<dane::UprawnEntry::ByCode>());
  const dane::UprawnEntry* orders = dane::UPRAWNQ.find<dane::UprawnEntry::ByCode>(std::string_view("OZAM"));
  ASSERT_NE(orders, nullptr);
  EXPECT_EQ(orders->RODZAJ.str(), "M");
}

TEST_F(PermissionsOnDemo, ReportGrantedThroughTwoGroupsKeepsBothEntries) {
  as_shop_seller();
  LADUJUPRAWNIENIA();
  std::vector<int> kinds_of_report_1;
  for (const dane::DostepRaportowEntry& e : dane::DOSTEPRAPORTOWQ) {
    if (e.ID_RAPORTU == 1) kinds_of_report_1.push_back(e.RODZAJ_DOSTEPU);
  }
  std::sort(kinds_of_report_1.begin(), kinds_of_report_1.end());
  EXPECT_EQ(kinds_of_report_1, (std::vector<int>{1, 2}));
  EXPECT_EQ(dane::DOSTEPRAPORTOWQ.count(), 3u) << "report 2 once: the firm 1 grant is not the shop's";
  EXPECT_EQ(DOSTEPDORAPORTUOK(2), 2);
  EXPECT_NE(DOSTEPDORAPORTUOK(1), 0);
  EXPECT_EQ(DOSTEPDORAPORTUOK(3), 0);
}

TEST_F(PermissionsOnDemo, RowByRowLoadGivesTheSameListsAsTheBridge) {
  as_shop_seller();
  LADUJUPRAWNIENIA();
  const auto grants_by_bridge = dane::ACCESSQ;
  const auto catalogue_by_bridge = dane::UPRAWNQ;
  const auto reports_by_bridge = dane::DOSTEPRAPORTOWQ;
  dane::GLO.LOCALPATH = MIRLET_BARE_UTIL_DIR;  // a module without its entry points
  LADUJUPRAWNIENIA();
  EXPECT_EQ(boxes.shown.size(), 2u);
  ASSERT_EQ(dane::UPRAWNQ.count(), catalogue_by_bridge.count());
  for (std::size_t n = 1; n <= catalogue_by_bridge.count(); ++n) {
    EXPECT_EQ(dane::UPRAWNQ.entry(n)->KOD.str(), catalogue_by_bridge.entry(n)->KOD.str());
    EXPECT_EQ(dane::UPRAWNQ.entry(n)->RODZAJ.str(), catalogue_by_bridge.entry(n)->RODZAJ.str());
  }
  EXPECT_EQ(dane::ACCESSQ.count(), grants_by_bridge.count());
  ASSERT_EQ(dane::DOSTEPRAPORTOWQ.count(), reports_by_bridge.count());
  for (std::size_t n = 1; n <= reports_by_bridge.count(); ++n) {
    EXPECT_EQ(dane::DOSTEPRAPORTOWQ.entry(n)->ID_RAPORTU, reports_by_bridge.entry(n)->ID_RAPORTU);
  }
}

TEST_F(PermissionsOnDemo, AdministratorNeedsNoList) {
  dane::GLO.ID_FIRMY = 1;
  dane::GLO.ID_UZYTKOWNIKA = 3000001;
  LADUJUPRAWNIENIA();
  EXPECT_EQ(POBIERZUPRAWNIENIE("NieMaTakiegoKodu"), 1);
  EXPECT_EQ(POBIERZFLAGEUPRAWNIENIA("SYS").str(), "");
  EXPECT_EQ(DOSTEPDORAPORTUOK(999), 1);
  EXPECT_EQ(FILTRUPRAWTYLKOWGLISTZAZN("OKontr", 1), "");
}

TEST_F(PermissionsOnDemo, ContractorConditionKeepsTheBrowseToTheGroupsLists) {
  as_shop_seller();
  LADUJUPRAWNIENIA();
  const std::string condition = FILTRUPRAWTYLKOWGLISTZAZN("OKontr", 1);
  ASSERT_FALSE(condition.empty());
  // Two contractors on a contractor list of the seller's group, one on a list of another use.
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(folder_->file("demo.db").c_str(), &db), SQLITE_OK);
  const char* script =
      "insert into MAG_LISTA_OBIEKTOW (ID_LISTY, ID_FIRMY, UZYCIE, NAZWA_LISTY) values (901, 2, 120, "
      "'Klienci sklepu'), (902, 2, 121, 'Inna lista');"
      "insert into MAG_ELEMENTY_LISTY_OBIEKTOW (ID_LISTY, ID_ELEMENTU) values (901, 1), (901, 2), (902, 3);"
      "insert into MAG_GRUPAUZYTKOWNIKOW_LISTY_OBIEKTOW (ID_LISTY, ID_GRUPY) values (901, 4), (902, 4);";
  ASSERT_EQ(sqlite3_exec(db, script, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
  sqlite3_close(db);
  EXPECT_EQ(FUNCSQL("select count(1) from KONTRAHENT A with (nolock) where " + condition), "2");
  EXPECT_EQ(FUNCSQL("select count(1) from KONTRAHENT A where A.id_kontrahenta=3 and " + condition), "0");
  EXPECT_TRUE(boxes.shown.empty());
}

}  // namespace
}  // namespace keldox
