#include "keldox/config_parameters.h"

#include <gtest/gtest.h>

#include "dane/database.h"
#include "dane/globals.h"
#include "dane/lists_settings.h"
#include "db/test_clients.h"
#include "keldox/filters.h"

namespace keldox {
namespace {

class ConfigParameters : public ::testing::Test {
 protected:
  void SetUp() override {
    dane::S_PARAMKONFQ.reset();
    dane::U_PARAMKONFQ.reset();
    add(dane::S_PARAMKONFQ, 1, "WALBAZOWA", "@S3", "PLN");
    add(dane::S_PARAMKONFQ, 2, "DOMKASA", "@N4", "0");
    add(dane::U_PARAMKONFQ, 3, "DATAODPELNYZAKRES", "@N7", "80000");
  }
  void TearDown() override {
    dane::S_PARAMKONFQ.reset();
    dane::U_PARAMKONFQ.reset();
    dane::install_database(nullptr);
  }
  static void add(dane::SessionList<dane::ParamKonfEntry>& list, double id, const char* code,
                  const char* mask, const char* value) {
    list.buffer = dane::ParamKonfEntry{id, code, mask, value};
    list.add_in_order<dane::ParamKonfEntry::ByCode>();
  }
};

TEST_F(ConfigParameters, ReadsFromTheListOfItsKind) {
  EXPECT_EQ(POBIERZPARAMKONF("WalBazowa  ", "s"), "PLN");
  EXPECT_EQ(POBIERZPARAMKONF("walbazowa", "s "), "PLN");
  EXPECT_EQ(POBIERZPARAMKONF("WalBazowa", "u"), "");  // a firm parameter is not a user one
  EXPECT_EQ(POBIERZPARAMKONF("WalBazowa", "x"), "");
  EXPECT_EQ(POBIERZPARAMKONF("Brak", "s"), "");
  EXPECT_EQ(MASKAPARAMKONF("DomKasa", "s"), "@N4");
  EXPECT_EQ(MASKAPARAMKONF("DataOdPelnyZakres", "u"), "@N7");
}

TEST_F(ConfigParameters, FreshReadFromTheDatabaseIsFormattedByTheMask) {
  db::ScriptedClient scripted;
  db::RecordingClient recording(scripted);
  dane::install_database(&recording);
  dane::GLO.ID_FIRMY = 2;
  dane::GLO.ID_UZYTKOWNIKA = 3000001;
  scripted.queue_rows({{"12.5", "@n-9.2"}});
  EXPECT_EQ(POBIERZPARAMKONFZBAZY("Narzut", "s"), "    12.50");
  scripted.queue_rows({});
  EXPECT_EQ(POBIERZPARAMKONFZBAZY("O'Brien ", "u"), "");
  EXPECT_EQ(POBIERZPARAMKONFZBAZY("Narzut", "x"), "");
  EXPECT_EQ(recording.statements(),
            (std::vector<std::string>{
                "select i.wartosc,p.maska from interfirmapozycja i,pozycjakonfig p where i.id_firmy=2 and "
                "p.kod='Narzut' and p.id_pozycji=i.id_pozycji",
                "select i.wartosc,p.maska from interuzytkownikpozycja i,pozycjakonfig p where "
                "i.id_uzytkownika=3000001 and p.kod='O''Brien' and p.id_pozycji=i.id_pozycji"}));
}

TEST_F(ConfigParameters, CutOffFollowsTheUsersParameter) {
  EXPECT_EQ(PODAJFILTRODCIECIA("A.DATA  "), "A.DATA>=80000" + std::string(37, ' '));
  dane::U_PARAMKONFQ.reset();
  add(dane::U_PARAMKONFQ, 3, "DATAODPELNYZAKRES", "@N7", "0");
  EXPECT_EQ(PODAJFILTRODCIECIA("A.DATA"), std::string(50, ' '));
  dane::U_PARAMKONFQ.reset();
  EXPECT_EQ(PODAJFILTRODCIECIA("A.DATA"), std::string(50, ' '));  // never set: no cut-off
}

}  // namespace
}  // namespace keldox
