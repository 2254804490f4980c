// The loaders on the demo database: what the limited user's session gets, bridge against row by row,
// and queries that fail.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dane/lists_settings.h"
#include "dane/lists_startup.h"
#include "db/test_clients.h"
#include "keldox/config_parameters.h"
#include "list_text.h"
#include "start/loaders.h"
#include "start_demo.h"

namespace start {
namespace {

using testing::kAdministrator;
using testing::kLimitedUser;
using testing::kUserWithoutGroup;
using testing::list_text;

class LoadersOnDemo : public testing::StartDemo {};

std::vector<std::string> operation_codes() {
  std::vector<std::string> out;
  for (const dane::OperacjaDodatkowaEntry& e : dane::OPERACJE_DODATKOWE) out.push_back(e.KOD_OPERACJI.str());
  return out;
}

TEST_F(LoadersOnDemo, LimitedUsersParametersSetTheirGlobals) {
  as_user(kLimitedUser, 1, 0);
  LADUJPARAMETRYKONF();
  EXPECT_TRUE(boxes.shown.empty()) << boxes.shown.front();
  EXPECT_EQ(dane::GLO.ID_KASY, 2);
  EXPECT_EQ(dane::GLO.ID_MAGAZYNU, 1);
  EXPECT_EQ(dane::GLO.CONTR_LIST_HEIGHT, 12);
  EXPECT_EQ(dane::GLO.CONTR_LIST_FONT_SIZE, 0);  // never stored: "0"
  EXPECT_EQ(dane::GLO.CONTR_LIST_FONT.str(), "DejaVu Sans");
  EXPECT_EQ(dane::GLO.TOOLTIPTYPE, 2);
  EXPECT_EQ(dane::GLO.ZAKRESPOS, 5);
  EXPECT_EQ(dane::GLO.ZAKRESPOS_LOC, 5);
  EXPECT_EQ(dane::GLO.DATA_DO, runtime::last_day_of_month(runtime::today()));
  EXPECT_EQ(dane::GLO.ID_FIRMY, 1);
  EXPECT_EQ(dane::GLO.ID_KONTA_MAGAZYNU, 1) << "the account of the warehouse the list gave";

  EXPECT_EQ(keldox::POBIERZPARAMKONF("OdswiezKartot", "u"), "Nie");
  EXPECT_EQ(keldox::POBIERZPARAMKONF("OknoSzerMarg", "u"), "0");  // numeric mask, no value
  EXPECT_EQ(keldox::POBIERZPARAMKONF("DomSchematEPP", "u"), "");  // "@S"
  EXPECT_EQ(keldox::MASKAPARAMKONF("OstatniFiltrKontr", "u"), "@s40");
  EXPECT_EQ(keldox::POBIERZPARAMKONF("OstatniFiltrKontr", "u"), "");  // "@s"
  EXPECT_EQ(keldox::MASKAPARAMKONF("TerminalPort", "u"), "") << "another product's position, value stored";
  EXPECT_EQ(keldox::POBIERZPARAMKONF("MiejWystFak/Rach", "s"), "Kraków");
  EXPECT_EQ(keldox::MASKAPARAMKONF("KodTerminala", "s"), "");
  EXPECT_EQ(keldox::MASKAPARAMKONF("KasaFiskalnaPort", "s"), "");
  EXPECT_EQ(dane::GLO.BRUTTO_NETTO, 0);
}

TEST_F(LoadersOnDemo, WarehouseAccountAndCompanyPricing) {
  as_user(3000003, 2, 0);
  LADUJPARAMETRYKONF();
  EXPECT_EQ(dane::GLO.ID_MAGAZYNU, 4);
  EXPECT_EQ(dane::GLO.ID_KONTA_MAGAZYNU, 3);
  EXPECT_EQ(dane::GLO.MAG_WYROZNIK_SYNCHRONIZACJI.str(), "SKLEP-WWW");
  EXPECT_EQ(dane::GLO.BRUTTO_NETTO, 1);
  EXPECT_EQ(dane::GLO.ID_FIRMY, 2);
}

TEST_F(LoadersOnDemo, CompanyIsGivenUpWithoutGroupOrWithoutAnySysGrant) {
  as_user(kUserWithoutGroup, 1);
  LADUJPARAMETRYKONF();
  EXPECT_EQ(dane::GLO.ID_FIRMY, 0);
  as_user(kAdministrator, 7);  // a company where nobody holds SYS
  LADUJPARAMETRYKONF();
  EXPECT_EQ(dane::GLO.ID_FIRMY, 0);
  as_user(kAdministrator, 1);
  LADUJPARAMETRYKONF();
  EXPECT_EQ(dane::GLO.ID_FIRMY, 1);
}

TEST_F(LoadersOnDemo, OperationsFollowTheVariantTheProductAndTheUsersGroups) {
  as_user(kLimitedUser, 1);
  LADUJOPERACJE_DODATKOWE();
  EXPECT_EQ(operation_codes(), std::vector<std::string>{"OPE1_000_01"});
  dane::GLO.WARIANTDEDYKOWANY = 7;
  LADUJOPERACJE_DODATKOWE();
  EXPECT_EQ(operation_codes(), (std::vector<std::string>{"OPE1_000_01", "OPE1_007_01"}));
  const dane::OperacjaDodatkowaEntry& labels = *dane::OPERACJE_DODATKOWE.entry(2);
  EXPECT_EQ(labels.NAZWA.str(), "Etykiety logistyczne");
  EXPECT_EQ(labels.SCIEZKA.str(), "C:\\Program Files\\Etykiety");
  EXPECT_EQ(labels.ID_OPERACJI, 2u);
  EXPECT_EQ(labels.FUNKCJA_ZEWNETRZNA, 1);
  EXPECT_EQ(labels.KASUJ_ZAZNACZENIE, 1);
  EXPECT_EQ(labels.ZNACZNIK, 0);

  as_user(0, 1);  // no user: every operation of the product, by group code
  dane::GLO.WARIANTDEDYKOWANY = 12;
  LADUJOPERACJE_DODATKOWE();
  EXPECT_EQ(operation_codes(), (std::vector<std::string>{"OPE1_000_02", "OPE1_000_01", "OPE1_012_01"}));
  EXPECT_EQ(dane::OPERACJE_DODATKOWE.entry(1)->SKROT_KLAWISZOWY_KOD, 120u);
  as_user(kLimitedUser, 2);  // his group belongs to company 1
  LADUJOPERACJE_DODATKOWE();
  EXPECT_TRUE(dane::OPERACJE_DODATKOWE.empty());
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(LoadersOnDemo, WarehousesAreMarkedWhenLinkedToASalesSystem) {
  as_user(kLimitedUser, 1);
  LADUJMAGAZYNY();
  EXPECT_EQ(list_text(dane::KOL_MAGAZYNOW), (std::vector<std::string>{"1|0|", "2|1|", "3|0|"}));
}

TEST_F(LoadersOnDemo, CompanyGlobals) {
  as_user(3000003, 2);
  LADUJZMIENNEGLOBALNE();
  EXPECT_EQ(dane::GLO.MP, 1);
  EXPECT_EQ(dane::GLO.METODA_KASOWA, 1);
  EXPECT_EQ(dane::GLO.TABLICAMIESIECY[0].str(), "styczeń");
  EXPECT_EQ(dane::GLO.TABLICAMIESIECY[9].str(), "październik");
  EXPECT_EQ(dane::GLO.TABLICAMIESIECY[11].str(), "grudzień");
  as_user(kAdministrator, 9);
  LADUJZMIENNEGLOBALNE();
  EXPECT_EQ(dane::GLO.MP, 0);
  EXPECT_EQ(dane::GLO.METODA_KASOWA, 0);
}

TEST_F(LoadersOnDemo, BridgeAndRowByRowGiveTheSameLists) {
  db::RecordingClient recording(client());
  dane::install_database(&recording);
  as_user(kLimitedUser, 1);
  dane::GLO.WARIANTDEDYKOWANY = 7;

  LADUJPARAMETRYKONF(Route::bridge_first);
  LADUJOPERACJE_DODATKOWE(Route::bridge_first);
  LADUJKLASYFIKATORY(Route::bridge_first);
  const auto statements = recording.statements();
  for (const std::string& fallback :
       {user_parameters_fallback_statement(), company_parameters_fallback_statement(),
        operations_fallback_statement(), classifiers_statement()})
    EXPECT_EQ(std::count(statements.begin(), statements.end(), fallback), 0)
        << "read row by row: " << fallback;
  const auto user = list_text(dane::U_PARAMKONFQ);
  const auto company = list_text(dane::S_PARAMKONFQ);
  const auto operations = list_text(dane::OPERACJE_DODATKOWE);
  const auto classifiers = list_text(dane::GLO.KOL_KLASYFIKATOROW);
  const auto globals =
      std::vector<double>{dane::GLO.ID_KASY, dane::GLO.ID_MAGAZYNU, double(dane::GLO.TOOLTIPTYPE)};
  ASSERT_GT(user.size(), 10u);
  ASSERT_GT(company.size(), 10u);
  ASSERT_EQ(operations.size(), 2u);
  ASSERT_GE(classifiers.size(), 3u);

  dane::reset_session();
  dane::GLO.LOCALPATH = MIRLET_UTIL_DIR;
  dane::GLO.OWNERNAME = connection_text();
  as_user(kLimitedUser, 1);
  dane::GLO.WARIANTDEDYKOWANY = 7;
  LADUJPARAMETRYKONF(Route::row_by_row);
  LADUJOPERACJE_DODATKOWE(Route::row_by_row);
  LADUJKLASYFIKATORY(Route::row_by_row);
  EXPECT_EQ(list_text(dane::U_PARAMKONFQ), user);
  EXPECT_EQ(list_text(dane::S_PARAMKONFQ), company);
  EXPECT_EQ(list_text(dane::OPERACJE_DODATKOWE), operations);
  EXPECT_EQ(list_text(dane::GLO.KOL_KLASYFIKATOROW), classifiers);
  EXPECT_EQ((std::vector<double>{dane::GLO.ID_KASY, dane::GLO.ID_MAGAZYNU, double(dane::GLO.TOOLTIPTYPE)}),
            globals);
  EXPECT_TRUE(boxes.shown.empty()) << boxes.shown.front();
}

TEST_F(LoadersOnDemo, FailedQueriesLeaveListsEmptyAndGlobalsAtDefaultsSilently) {
  db::FaultClient faults(client());
  faults.lose_connection_at(1);
  dane::install_database(&faults);
  as_user(kLimitedUser, 1, 0);
  dane::GLO.ZAKRES = "bieżący rok";
  LADUJPARAMETRYKONF(Route::row_by_row);
  LADUJKLASYFIKATORY(Route::row_by_row);
  LADUJMAGAZYNY();
  LADUJZMIENNEGLOBALNE();
  EXPECT_TRUE(dane::U_PARAMKONFQ.empty());
  EXPECT_TRUE(dane::S_PARAMKONFQ.empty());
  EXPECT_TRUE(dane::GLO.KOL_KLASYFIKATOROW.empty());
  EXPECT_TRUE(dane::KOL_MAGAZYNOW.empty());
  EXPECT_EQ(dane::GLO.ID_KASY, 0);
  EXPECT_EQ(dane::GLO.ID_MAGAZYNU, 0);
  EXPECT_EQ(dane::GLO.TOOLTIPTYPE, 1);
  EXPECT_EQ(dane::GLO.MP, 0);
  EXPECT_EQ(dane::GLO.ZAKRESPOS, 6) << "the period set before stays";
  // Access to the company could not be confirmed.
  EXPECT_EQ(dane::GLO.ID_FIRMY, 0);
  EXPECT_TRUE(boxes.shown.empty()) << boxes.shown.front();
}

TEST_F(LoadersOnDemo, FailedOperationsReadShowsTheDriversText) {
  db::FaultClient faults(client());
  faults.fail_statement(1, db::Status::statement_failed("Invalid object name 'MAG_OPERACJE_DODATKOWE'."));
  dane::install_database(&faults);
  as_user(kLimitedUser, 1);
  LADUJOPERACJE_DODATKOWE(Route::row_by_row);
  EXPECT_TRUE(dane::OPERACJE_DODATKOWE.empty());
  EXPECT_EQ(boxes.shown, std::vector<std::string>{"Invalid object name 'MAG_OPERACJE_DODATKOWE'."});
}

}  // namespace
}  // namespace start
