#include "keldox/config_parameters.h"

#include <gtest/gtest.h>

#include "dane/database.h"
#include "dane/globals.h"
#include "dane/lists_settings.h"
#include "db/test_clients.h"
#include "demo_session.h"
#include "keldox/filters.h"
#include "keldox/sql.h"

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

class ParameterChange : public ConfigParameters {
 protected:
  void SetUp() override {
    ConfigParameters::SetUp();
    add(dane::S_PARAMKONFQ, 105, "IBAN", "@S34", "PL61109010140000071219812874");
    add(dane::U_PARAMKONFQ, 129, "DRZEWKOFILTRROZ", "@S3", "Nie");
    add(dane::U_PARAMKONFQ, 500, "DOMKASA", "@n10", "1");
    dane::install_database(&recording_);
    dane::GLO.ID_FIRMY = 2;
    dane::GLO.ID_UZYTKOWNIKA = 3000002;
    dane::GLO.ID_KASY = 1;
  }
  std::vector<std::string> sent() { return recording_.statements(); }

  db::ScriptedClient scripted_;
  db::RecordingClient recording_{scripted_};
};

TEST_F(ParameterChange, UnknownCodeOrKindOrSameValueSendsNothing) {
  USTAWPARAMKONF("X", "NieMaTakiego", "s");
  USTAWPARAMKONF("PLN", "WalBazowa", "x");
  USTAWPARAMKONF("PLN   ", "walbazowa ", "s");  // trailing blanks do not make a change
  USTAWPARAMKONF("PL61109010140000071219812874", "IBAN", "s");
  EXPECT_TRUE(sent().empty());
  EXPECT_EQ(POBIERZPARAMKONF("NieMaTakiego", "s"), "");
}

TEST_F(ParameterChange, FirmParameterIsLoggedThenWrittenAndHeld) {
  USTAWPARAMKONF("EUR ", "WalBazowa", "s ");
  EXPECT_EQ(sent(),
            (std::vector<std::string>{"call AP_ZapiszDoLoguParam ('s',2,3000002,'WALBAZOWA','PLN','EUR')",
                                      "call RM_ZapiszParamKonf('s',2,'WalBazowa','EUR',0)"}));
  EXPECT_EQ(POBIERZPARAMKONF("walbazowa", "s"), "EUR");
}

TEST_F(ParameterChange, NewAccountNumberReachesReportParametersFirst) {
  USTAWPARAMKONF("PL27 1140 2004", "IBAN", "s");
  EXPECT_EQ(
      sent(),
      (std::vector<std::string>{
          "update wartosc_parametru  with (rowlock)  set wartosc='PL27 1140 2004' from wartosc_parametru "
          "w,parametr_raportu p where p.id_parametru=w.id_parametru and  p.nazwa='IBAN'",
          "call AP_ZapiszDoLoguParam ('s',2,3000002,'IBAN','PL61109010140000071219812874','PL27 1140 2004')",
          "call RM_ZapiszParamKonf('s',2,'IBAN','PL27 1140 2004',0)"}));
}

TEST_F(ParameterChange, UserParametersTakeEffectAtOnce) {
  dane::ROZRACH_DRZEWKO_LOADED = 1;
  USTAWPARAMKONF("12", "DomKasa", "u");
  USTAWPARAMKONF("Tak", "DrzewkoFiltrRoz", "u");
  EXPECT_EQ(dane::GLO.ID_KASY, 12);
  EXPECT_EQ(dane::ROZRACH_DRZEWKO_LOADED, 0);
  EXPECT_EQ(sent(), (std::vector<std::string>{
                        "call AP_ZapiszDoLoguParam ('u',2,3000002,'DOMKASA','1','12')",
                        "call RM_ZapiszParamKonf('u',3000002,'DomKasa','12',2)",
                        "call AP_ZapiszDoLoguParam ('u',2,3000002,'DRZEWKOFILTRROZ','Nie','Tak')",
                        "call RM_ZapiszParamKonf('u',3000002,'DrzewkoFiltrRoz','Tak',2)"}));
}

TEST_F(ParameterChange, ApostrophesCannotBreakTheStatements) {
  USTAWPARAMKONF("Kowalski's; drop table x --", "WalBazowa", "s");
  EXPECT_EQ(sent(),
            (std::vector<std::string>{
                "call AP_ZapiszDoLoguParam ('s',2,3000002,'WALBAZOWA','PLN','Kowalski''s; drop table x --')",
                "call RM_ZapiszParamKonf('s',2,'WalBazowa','Kowalski''s; drop table x --',0)"}));
  EXPECT_EQ(POBIERZPARAMKONF("WalBazowa", "s"), "Kowalski's; drop table x --");
}

TEST(ParameterChangeOnDemoDatabase, ValueLogAndReportAccountsReachTheDatabase) {
  testing::DemoSession demo;
  ASSERT_TRUE(demo.ok()) << demo.error();
  dane::S_PARAMKONFQ.reset();
  dane::S_PARAMKONFQ.buffer = dane::ParamKonfEntry{105, "IBAN", "@S34", ""};
  dane::S_PARAMKONFQ.add_in_order<dane::ParamKonfEntry::ByCode>();
  EXPECT_EQ(ESQL("insert into PARAMETR_RAPORTU (ID_PARAMETRU, ID_RAPORTU, NAZWA) values (9901, 1, 'IBAN')"),
            0);
  EXPECT_EQ(ESQL("insert into PARAMETR_RAPORTU (ID_PARAMETRU, ID_RAPORTU, NAZWA) values (9902, 1, 'Od')"), 0);
  EXPECT_EQ(ESQL("insert into WARTOSC_PARAMETRU (ID_PARAMETRU, ID_WARIANTU, ID_UZYTKOWNIKA, WARTOSC) values "
                 "(9901, 1, 3000001, 'stary'), (9901, 2, 3000002, 'stary'), (9902, 1, 3000001, 'stary')"),
            0);

  USTAWPARAMKONF("PL27 O'Neill", "IBAN", "s");

  EXPECT_EQ(FUNCSQL("select wartosc from interfirmapozycja where id_firmy=1 and id_pozycji=105"),
            "PL27 O'Neill");
  EXPECT_EQ(FUNCSQL("select count(*) from wartosc_parametru where wartosc='PL27 O''Neill'"), "2");
  EXPECT_EQ(FUNCSQL("select wartosc from wartosc_parametru where id_parametru=9902"), "stary");
  EXPECT_EQ(FUNCSQL("select count(*) from LOG_PARAMETROW where KOD='IBAN' and NOWA_WARTOSC='PL27 O''Neill' "
                    "and STARA_WARTOSC='' and RODZAJ='s'"),
            "1");
  CLOSESQL();
  dane::S_PARAMKONFQ.reset();
}

}  // namespace
}  // namespace keldox
