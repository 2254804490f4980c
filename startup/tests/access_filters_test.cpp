// The access conditions: composed from grants held in memory over scripted rows, and for the demo
// database's users.
#include "start/access_filters.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dane/database.h"
#include "dane/globals.h"
#include "dane/lists_access.h"
#include "db/test_clients.h"
#include "keldox/permissions.h"
#include "runtime/text.h"
#include "start_demo.h"

namespace start {
namespace {

std::vector<std::string> conditions() {
  const dane::FiltryDostepu& f = dane::FILTRYDOSTEPU;
  return {f.DOKUMENTY_MAGAZYNOWE.str(), f.DOKUMENTY_HANDLOWE.str(),
          f.DOKUMENTY_FINANSOWE.str(),  f.ZAMOWIENIA.str(),
          f.ZLECENIA_PRODUKCYJNE.str(), f.REZERWA.str(),
          f.ROZRACHUNKI.str(),          f.CRM.str(),
          f.ZLECENIA_SERWISOWE.str()};
}

class AccessConditions : public ::testing::Test {
 protected:
  void SetUp() override {
    dane::reset_session();
    dane::install_database(&recording_);
    dane::GLO.ID_UZYTKOWNIKA = 3000004;
    dane::GLO.ID_FIRMY = 1;
    dane::GLO.ID_MAGAZYNU = 2;
  }
  void TearDown() override {
    dane::install_database(nullptr);
    dane::reset_session();
  }
  // A grant of the user; the code enters the catalogue, per warehouse when `letters` says "M".
  static void grant(const char* code, std::int32_t id2, std::int32_t id3, std::uint8_t kind,
                    const char* flags = "", const char* letters = "") {
    const std::string upper = runtime::to_upper(code);
    if (!dane::UPRAWNQ.find<dane::UprawnEntry::ByCode>(upper)) {
      dane::UPRAWNQ.buffer = dane::UprawnEntry{upper, letters};
      dane::UPRAWNQ.add_in_order<dane::UprawnEntry::ByCode>();
    }
    dane::ACCESSQ.buffer = dane::AccessEntry{upper, id2, id3, 0, 0, kind, flags};
    dane::ACCESSQ.add_in_order<dane::AccessEntry::ByCodeAndObjects>();
    keldox::index_permissions();
  }

  db::ScriptedClient scripted_;
  db::RecordingClient recording_{scripted_};
  testing::MessageRecorder boxes;
};

TEST_F(AccessConditions, NoGrantAtAllClosesEveryArea) {
  USTAWFILTRYDOSTEPU();
  EXPECT_EQ(conditions(),
            (std::vector<std::string>{"1=0", "1=0", "1=0", "1=0", "1=0", "", "1=0", "1=0", "1=0"}));
  EXPECT_TRUE(recording_.statements().empty());
}

TEST_F(AccessConditions, WarehouseDocumentsOfSomeTypesInTheCurrentWarehouse) {
  grant("ODokMag", 0, 0, 2, "", "M");
  grant("ODokMag", 2, 0, 2);
  grant("ODokMag", 2, 3, 1);
  grant("ODokMag", 2, 7, 1);
  grant("ODokMag", 1, 5, 1);  // another warehouse
  scripted_.queue_rows({{"1"}, {"3"}, {"5"}, {"7"}});
  USTAWFILTRYDOSTEPU();
  EXPECT_EQ(dane::FILTRYDOSTEPU.DOKUMENTY_MAGAZYNOWE.str(), "a.id_typu in (3,7)");
  EXPECT_EQ(
      recording_.statements().at(0),
      "select id_typu from typ_dokumentu_magazynowego  with (nolock) where id_firmy=1 and rodzaj not in "
      "('Zamówienie','Zlecenie')");

  scripted_.queue_rows({{"3"}, {"7"}});
  USTAWFILTRYDOSTEPU();
  EXPECT_EQ(dane::FILTRYDOSTEPU.DOKUMENTY_MAGAZYNOWE.str(), "") << "every type granted";
  scripted_.queue_rows({{"1"}, {"5"}});
  USTAWFILTRYDOSTEPU();
  EXPECT_EQ(dane::FILTRYDOSTEPU.DOKUMENTY_MAGAZYNOWE.str(), "1=0") << "none of them";
}

TEST_F(AccessConditions, OwnerMarkJoinsALimitedCondition) {
  grant("ODokMag", 0, 0, 2, "WD", "M");
  grant("ODokMag", 2, 0, 2);
  grant("ODokMag", 2, 3, 1);
  scripted_.queue_rows({{"3"}, {"4"}});
  USTAWFILTRYDOSTEPU();
  EXPECT_EQ(dane::FILTRYDOSTEPU.DOKUMENTY_MAGAZYNOWE.str(),
            "a.id_typu in (3) and a.id_uzytkownika = 3000004");
  scripted_.queue_rows({{"3"}});
  USTAWFILTRYDOSTEPU();
  EXPECT_EQ(dane::FILTRYDOSTEPU.DOKUMENTY_MAGAZYNOWE.str(), "a.id_uzytkownika = 3000004");
  scripted_.queue_rows({{"4"}});
  USTAWFILTRYDOSTEPU();
  EXPECT_EQ(dane::FILTRYDOSTEPU.DOKUMENTY_MAGAZYNOWE.str(), "1=0");
}

TEST_F(AccessConditions, OrderKindsFollowTheSignatures) {
  grant("OZam", 0, 0, 2, "", "M");
  grant("OZam", 2, 0, 2);
  grant("OZam", 2, 14, 1);
  scripted_.queue_rows({{"9", "ZO"}, {"10", "ZD   "}, {"14", "ZX"}});
  USTAWFILTRYDOSTEPU();
  EXPECT_EQ(dane::FILTRYDOSTEPU.ZAMOWIENIA.str(), "a.typ in ('do dostawcy')")
      << "a type takes the kind before it";
  EXPECT_EQ(
      recording_.statements().at(0),
      "select id_typu, sygnatura from typ_dokumentu_magazynowego with (nolock) where id_firmy=1 and rodzaj "
      "='Zamówienie'");
  // A type before any known signature grants no kind of order.
  scripted_.queue_rows({{"14", "ZX"}, {"9", "ZO"}});
  USTAWFILTRYDOSTEPU();
  EXPECT_EQ(dane::FILTRYDOSTEPU.ZAMOWIENIA.str(), "1=0");
}

TEST_F(AccessConditions, ProductionOrdersOfAFullWarehouseAndOfAnAssemblyType) {
  grant("OProd", 0, 0, 2);
  grant("OProd", 2, 0, 1);
  grant("OProd", 5, 0, 2);
  grant("OProd", 5, 11, 1);
  scripted_.queue_rows({{"2", "11", "ZLM"}, {"2", "12", "ZLD"}, {"5", "11", "ZLM  "}, {"5", "12", "ZLD"}});
  USTAWFILTRYDOSTEPU();
  EXPECT_EQ(dane::FILTRYDOSTEPU.ZLECENIA_PRODUKCYJNE.str(),
            "(0=1 or a.id_magazynu = 2 or a.id_magazynu = 5 and a.rodzaj_zlecenia = 'Montaż')");
  EXPECT_EQ(
      recording_.statements().at(0),
      "select m.id_magazynu,t.id_typu,t.sygnatura from magazyn m with (nolock), typ_dokumentu_magazynowego t "
      "with (nolock) where m.id_firmy=1 and t.ID_FIRMY=1and t.rodzaj ='Zlecenie' order by m.id_magazynu, "
      "t.id_typu");
}

TEST_F(AccessConditions, TradeDocumentsWhereEveryWarehouseIsFullAreOnlyTheUsersOwn) {
  grant("ODokHandl", 0, 0, 2, "W");
  grant("ODokHandl", 1, 0, 1);
  grant("ODokHandl", 2, 0, 1);
  scripted_.queue_rows({{"1", "1"}, {"1", "2"}, {"2", "1"}});
  USTAWFILTRYDOSTEPU();
  EXPECT_EQ(dane::FILTRYDOSTEPU.DOKUMENTY_HANDLOWE.str(), "a.id_uzytkownika = 3000004");
  EXPECT_EQ(recording_.statements().at(0),
            "select m.id_magazynu, t.id_typu from magazyn m with (nolock), typ_dokumentu_handlowego t with "
            "(nolock) "
            "where m.id_firmy=1 and t.ID_FIRMY=1 order by m.id_magazynu, t.id_typu");
  scripted_.queue_rows({{"1", "1"}, {"3", "1"}});
  USTAWFILTRYDOSTEPU();
  EXPECT_EQ(dane::FILTRYDOSTEPU.DOKUMENTY_HANDLOWE.str(),
            "(0=1 or a.id_magazynu = 1) and a.id_uzytkownika = 3000004");
}

TEST_F(AccessConditions, SettlementsOfSomeWarehousesAndThoseOfNone) {
  grant("ORozr", 0, 0, 2);
  grant("ORozr", 1, 0, 1);
  grant("ORozr", 4, 0, 1);
  scripted_.queue_rows({{"1"}, {"3"}, {"4"}});
  USTAWFILTRYDOSTEPU();
  EXPECT_EQ(dane::FILTRYDOSTEPU.ROZRACHUNKI.str(), "(a.id_magazynu in (1,4) or a.id_magazynu is null)");
  EXPECT_EQ(recording_.statements().at(0), "select id_magazynu from magazyn with (nolock) where id_firmy=1");
}

TEST_F(AccessConditions, CashPerDeskWithTheOwnerMarkAndNoBank) {
  grant("ODokFinKas", 0, 0, 2, "W");
  grant("ODokFinKas", 1, 0, 1);
  scripted_.queue_rows({{"1", "1"}, {"1", "2"}});
  USTAWFILTRYDOSTEPU();
  EXPECT_EQ(dane::FILTRYDOSTEPU.DOKUMENTY_FINANSOWE.str(),
            "(((a.id_rachunku_kasy=1 and a.id_typu=1 or a.id_rachunku_kasy=1 and a.id_typu=2) and "
            "a.id_uzytkownika = "
            "3000004) and (a.rodzaj_operacji<>'b'))");
  EXPECT_EQ(
      recording_.statements(),
      std::vector<std::string>{
          "select k.id_kasy, t.id_typu from kasy_firmy k with (nolock), typ_dokumentu_finansowego t with "
          "(nolock) where k.id_firmy=1 and t.ID_FIRMY=1 and t.sygnatura in ('KP','KW','RK') order by "
          "k.id_kasy, "
          "t.id_typu"});
}

TEST_F(AccessConditions, FinancialPartsCombine) {
  grant("ODokFinKas", 0, 0, 1);
  grant("ODokFinBan", 0, 0, 2);
  grant("ODokFinBan", 1, 0, 2);
  grant("ODokFinBan", 1, 4, 1);
  grant("ODokFinPoz", 0, 0, 2);
  scripted_.queue_rows({{"1", "4"}, {"1", "5"}, {"2", "4"}});
  scripted_.queue_rows({{"8"}, {"9"}});
  USTAWFILTRYDOSTEPU();
  EXPECT_EQ(dane::FILTRYDOSTEPU.DOKUMENTY_FINANSOWE.str(),
            "((((a.rodzaj_operacji='k') or (a.id_rachunku_kasy=1 and a.id_typu=4))) or (a.id_typu = 8 or "
            "a.id_typu = "
            "9))");
  EXPECT_EQ(recording_.statements().at(1),
            "select t.id_typu from  typ_dokumentu_finansowego t with (nolock) where  t.ID_FIRMY=1 and "
            "t.sygnatura in "
            "('K','IY','IW') order by t.id_typu");
}

TEST_F(AccessConditions, EveryDeskAndAccountFullLeavesOnlyTheOwnerMark) {
  grant("ODokFinKas", 0, 0, 2, "W");
  grant("ODokFinKas", 1, 0, 1);
  grant("ODokFinBan", 0, 0, 2, "W");
  grant("ODokFinBan", 3, 0, 1);
  grant("ODokFinPoz", 0, 0, 2, "W");
  scripted_.queue_rows({{"1", "1"}});
  scripted_.queue_rows({{"3", "4"}});
  scripted_.queue_rows({{"8"}});
  USTAWFILTRYDOSTEPU();
  EXPECT_EQ(dane::FILTRYDOSTEPU.DOKUMENTY_FINANSOWE.str(), "a.id_uzytkownika = 3000004");
}

TEST_F(AccessConditions, ShortcutDoesNotOpenOtherDocumentsThatAreNotGranted) {
  grant("ODokFinKas", 0, 0, 2);
  grant("ODokFinKas", 1, 0, 1);
  grant("ODokFinBan", 0, 0, 2);
  grant("ODokFinBan", 3, 0, 1);
  scripted_.queue_rows({{"1", "1"}});
  scripted_.queue_rows({{"3", "4"}});
  USTAWFILTRYDOSTEPU();
  EXPECT_EQ(dane::FILTRYDOSTEPU.DOKUMENTY_FINANSOWE.str(),
            "((a.id_rachunku_kasy=1 and a.id_typu=1) or (a.id_rachunku_kasy=3 and a.id_typu=4))");
}

TEST_F(AccessConditions, CrmAndServiceOrders) {
  grant("OCrm", 0, 0, 1, "W", "M");  // full at the company level: the flag does not count
  grant("SerwisZlecO", 0, 0, 2, "W", "M");
  grant("SerwisZlecO", 2, 0, 2);
  USTAWFILTRYDOSTEPU();
  EXPECT_EQ(dane::FILTRYDOSTEPU.CRM.str(), "");
  EXPECT_EQ(dane::FILTRYDOSTEPU.ZLECENIA_SERWISOWE.str(), "a.id_uzytkownika = 3000004");
  dane::GLO.ID_MAGAZYNU = 3;  // no grant in this warehouse
  USTAWFILTRYDOSTEPU();
  EXPECT_EQ(dane::FILTRYDOSTEPU.ZLECENIA_SERWISOWE.str(), "1=0");
}

TEST_F(AccessConditions, ConditionLongerThanItsFieldClosesTheArea) {
  grant("ORozr", 0, 0, 2);
  std::vector<std::vector<std::string>> rows;
  for (int w = 1000; w < 1400; ++w) {
    grant("ORozr", w, 0, 1);
    rows.push_back({std::to_string(w)});
  }
  rows.push_back({"1"});
  scripted_.queue_rows(rows);
  USTAWFILTRYDOSTEPU();
  EXPECT_EQ(dane::FILTRYDOSTEPU.ROZRACHUNKI.str(), "1=0");
}

TEST_F(AccessConditions, RefusedQueryEndsTheSessionWithTheDriversMessage) {
  db::FaultClient faults(scripted_);
  faults.fail_statement(1, db::Status::statement_failed("Invalid column name 'rodzaj'."));
  dane::install_database(&faults);
  grant("ODokMag", 0, 0, 2, "", "M");
  grant("ODokMag", 2, 0, 2);
  grant("OProd", 0, 0, 2);
  grant("OCrm", 0, 0, 1);
  USTAWFILTRYDOSTEPU();
  EXPECT_EQ(boxes.shown, std::vector<std::string>{"Invalid column name 'rodzaj'."});
  EXPECT_EQ(dane::GLO.WYJDZ_Z_HALTEM, 1);
  EXPECT_EQ(faults.statements_seen(), 1u) << "nothing is asked after the refusal";
  EXPECT_EQ(conditions(),
            (std::vector<std::string>{"1=0", "1=0", "1=0", "1=0", "1=0", "", "1=0", "1=0", "1=0"}));
}

class AccessConditionsOnDemo : public testing::StartDemo {};

TEST_F(AccessConditionsOnDemo, AdministratorHasNoRestriction) {
  as_user(testing::kAdministrator, 1);
  keldox::LADUJUPRAWNIENIA();
  USTAWFILTRYDOSTEPU();
  EXPECT_EQ(conditions(), std::vector<std::string>(9, ""));
  EXPECT_EQ(dane::GLO.WYJDZ_Z_HALTEM, 0);
}

TEST_F(AccessConditionsOnDemo, LimitedUserGetsAConditionInEveryArea) {
  as_user(testing::kLimitedUser, 1, 1);
  keldox::LADUJUPRAWNIENIA();
  USTAWFILTRYDOSTEPU();
  EXPECT_TRUE(boxes.shown.empty());
  const std::string cash =
      "a.id_rachunku_kasy=1 and a.id_typu=1 or a.id_rachunku_kasy=1 and a.id_typu=2 or a.id_rachunku_kasy=1 "
      "and "
      "a.id_typu=3 or a.id_rachunku_kasy=2 and a.id_typu=1";
  const std::string bank =
      "a.id_rachunku_kasy=1 and a.id_typu=4 or a.id_rachunku_kasy=1 and a.id_typu=5 or a.id_rachunku_kasy=1 "
      "and "
      "a.id_typu=6 or a.id_rachunku_kasy=1 and a.id_typu=7";
  EXPECT_EQ(
      conditions(),
      (std::vector<std::string>{
          "a.id_typu in (3,7)",
          "(0=1 or a.id_magazynu = 1 or a.id_magazynu = 2 and a.id_typu = 1) and a.id_uzytkownika = 3000004",
          "(((((" + cash + ") and a.id_uzytkownika = 3000004) or (" + bank +
              "))) or ((a.id_typu = 8) and a.id_uzytkownika = 3000004))",
          "a.typ in ('od odbiorcy')",
          "(0=1 or a.id_magazynu = 2 or a.id_magazynu = 3 and a.rodzaj_zlecenia = 'Montaż')",
          "",
          "(a.id_magazynu in (1,3) or a.id_magazynu is null)",
          "a.id_uzytkownika = 3000004",
          "1=0",
      }));
}

}  // namespace
}  // namespace start
