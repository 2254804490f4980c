#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "fixture.h"

namespace server {
namespace {

using db::Value;
using testing::call;
using testing::scalar;

class ProceduresTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(demo_.status().ok()) << demo_.status().text;
    db_ = demo_.connect();
    ASSERT_NE(db_, nullptr);
  }
  void TearDown() override { sqlite3_close(db_); }

  testing::DemoDb demo_;
  sqlite3* db_ = nullptr;
};

TEST_F(ProceduresTest, RegisteringTheAccountMarksTheUserAsWorking) {
  ASSERT_TRUE(call(db_, "JL_RejestrujKonto", {Value::integer(3000002), Value::text("")}).ok());
  EXPECT_EQ(scalar(db_, "SELECT STATUS_PRACY FROM UZYTKOWNIK WHERE ID_UZYTKOWNIKA = 3000002"), "1");
  EXPECT_EQ(scalar(db_, "SELECT HOSTPROCESS FROM UZYTKOWNIK WHERE ID_UZYTKOWNIKA = 3000002"),
            std::to_string(getpid()));
  EXPECT_EQ(
      scalar(db_,
             "SELECT COUNT(*) FROM LOG_AKCJI WHERE ID_UZYTKOWNIKA = 3000002 AND RODZAJ_OBIEKTU = 'SYSTEM'"),
      "1");
  const db::Status unknown = call(db_, "JL_RejestrujKonto", {Value::integer(42), Value::text("")});
  EXPECT_FALSE(unknown.ok());
  EXPECT_NE(unknown.text.find("42"), std::string::npos);
  EXPECT_EQ(scalar(db_, "SELECT COUNT(*) FROM LOG_AKCJI"), "1");
}

TEST_F(ProceduresTest, SystemParametersAreStoredOncePerProduct) {
  ASSERT_TRUE(call(db_, "AP_ZapiszParametrySystemu", {Value::integer(3), Value::decimal("2026.1201")}).ok());
  ASSERT_TRUE(call(db_, "AP_ZapiszParametrySystemu", {Value::integer(3), Value::decimal("2026.1207")}).ok());
  EXPECT_EQ(scalar(db_, "SELECT COUNT(*) || ':' || WERSJA_BAZY FROM PARAMETRY_SYSTEMU"), "1:2026.1207");
  EXPECT_FALSE(call(db_, "AP_ZapiszParametrySystemu", {Value::integer(3), Value::text("abc")}).ok());
}

TEST_F(ProceduresTest, ActionLogTakesEightOrNineArguments) {
  std::vector<Value> args = {
      Value::integer(1),      Value::integer(2), Value::integer(3000001),          Value::integer(0),
      Value::text("EKSPORT"), Value::integer(6), Value::text("Eksport do excela"), Value::integer(3)};
  ASSERT_TRUE(call(db_, "AP_ZapiszDoLogu", args).ok());
  args.push_back(Value::text("Wyeksportowano rekordów: 12"));
  ASSERT_TRUE(call(db_, "AP_ZapiszDoLogu", args).ok());
  EXPECT_EQ(scalar(db_, "SELECT group_concat(IFNULL(OPIS2, ''), '|') FROM LOG_AKCJI"),
            "|Wyeksportowano rekordów: 12");
  args.push_back(Value::text("too many"));
  EXPECT_FALSE(call(db_, "AP_ZapiszDoLogu", args).ok());
}

struct LockRow {
  const char* name;
  const char* table;
  const char* id_sql;
};

class RowLocks : public ProceduresTest, public ::testing::WithParamInterface<LockRow> {};

TEST_P(RowLocks, AnotherUsersLockFailsWithLock) {
  const LockRow& row = GetParam();
  const Value table = Value::text(row.table);
  const Value id = Value::integer(std::stoll(scalar(db_, row.id_sql)));
  const auto lock = [&](std::int64_t user) {
    return call(db_, "APW_KartotekaSemaforUstaw", {table, id, Value::integer(user), Value::integer(2)});
  };
  ASSERT_TRUE(lock(3000001).ok());
  ASSERT_TRUE(lock(3000001).ok()) << "the holder may lock again";
  const db::Status taken = lock(3000002);
  EXPECT_NE(taken.text.find("Lock"), std::string::npos) << taken.text;
  EXPECT_NE(taken.text.find("Administrator"), std::string::npos) << taken.text;
  EXPECT_NE(call(db_, "APW_KartotekaSemaforPoloz", {table, id, Value::integer(3000002)}).text.find("Lock"),
            std::string::npos);
  EXPECT_NE(call(db_, "APW_KartotekaZapisSkasuj", {table, id, Value::integer(3000002)}).text.find("Lock"),
            std::string::npos);
  ASSERT_TRUE(call(db_, "APW_KartotekaSemaforPoloz", {table, id, Value::integer(3000001)}).ok());
  EXPECT_TRUE(lock(3000002).ok());
}

INSTANTIATE_TEST_SUITE_P(Cards, RowLocks,
                         ::testing::Values(LockRow{"banki", "banki", "SELECT MIN(ID_BANKU) FROM BANKI"},
                                           LockRow{"firma", "FIRMA", "SELECT 2"},
                                           LockRow{"pracownik", "pracownik",
                                                   "SELECT MAX(ID_PRACOWNIKA) FROM PRACOWNIK"},
                                           LockRow{"kontrahent", "Kontrahent", "SELECT 5"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProceduresTest, UnfinishedNewRecordIsDeletedOnlyWhenBeingAdded) {
  db::SqlLink(db_).exec("UPDATE BANKI SET SEMAFOR = 3000001, FLAGA_STANU = 2 WHERE ID_BANKU = 1");
  db::SqlLink(db_).exec("UPDATE BANKI SET SEMAFOR = 3000001, FLAGA_STANU = 1 WHERE ID_BANKU = 2");
  for (int id : {1, 2}) {
    ASSERT_TRUE(call(db_, "AP_KartotekaZapisSkasuj",
                     {Value::text("banki"), Value::integer(id), Value::integer(3000001)})
                    .ok());
  }
  EXPECT_EQ(
      scalar(db_,
             "SELECT group_concat(ID_BANKU || ':' || IFNULL(SEMAFOR, '-') || FLAGA_STANU) FROM BANKI WHERE "
             "ID_BANKU IN (1, 2)"),
      "2:-0");
  EXPECT_FALSE(
      call(db_, "APW_KartotekaSemaforUstaw", {Value::text("faktura"), Value::integer(1), Value::integer(1)})
          .ok());
}

TEST_F(ProceduresTest, TwoProcessesEditingTheSameRow) {
  const auto in_child = [&](std::int64_t user, const char* procedure) {
    const pid_t pid = fork();
    if (pid == 0) {
      sqlite3* own = demo_.connect();
      const db::Status s =
          call(own, procedure,
               {Value::text("urzedy"), Value::integer(1), Value::integer(user), Value::integer(2)});
      sqlite3_close(own);
      _exit(s.ok() ? 0 : (s.text.find("Lock") != std::string::npos ? 3 : 1));
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  };
  ASSERT_EQ(in_child(3000002, "APW_KartotekaSemaforUstaw"), 0);
  EXPECT_NE(call(db_, "APW_KartotekaSemaforUstaw",
                 {Value::text("urzedy"), Value::integer(1), Value::integer(3000001), Value::integer(2)})
                .text.find("Lock"),
            std::string::npos);
  EXPECT_EQ(in_child(3000003, "APW_KartotekaSemaforUstaw"), 3);

  // Many workstations at once: exactly one gets the row.
  int pipe_fds[2];
  ASSERT_EQ(pipe(pipe_fds), 0);
  ASSERT_TRUE(call(db_, "APW_KartotekaSemaforPoloz",
                   {Value::text("urzedy"), Value::integer(1), Value::integer(3000002)})
                  .ok());
  std::vector<pid_t> children;
  for (int n = 0; n < 6; ++n) {
    const pid_t pid = fork();
    if (pid == 0) {
      close(pipe_fds[1]);
      char go;
      [[maybe_unused]] const auto r = read(pipe_fds[0], &go, 1);
      sqlite3* own = demo_.connect();
      const db::Status s =
          call(own, "APW_KartotekaSemaforUstaw",
               {Value::text("urzedy"), Value::integer(1), Value::integer(4000000 + n), Value::integer(2)});
      sqlite3_close(own);
      _exit(s.ok() ? 0 : (s.text.find("Lock") != std::string::npos ? 3 : 1));
    }
    children.push_back(pid);
  }
  close(pipe_fds[0]);
  close(pipe_fds[1]);
  int winners = 0;
  int locked_out = 0;
  for (pid_t pid : children) {
    int status = 0;
    waitpid(pid, &status, 0);
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    winners += code == 0;
    locked_out += code == 3;
  }
  EXPECT_EQ(winners, 1);
  EXPECT_EQ(locked_out, 5);
}

TEST_F(ProceduresTest, ConfigurationParametersAreUpsertedByCodeInAnyCase) {
  const auto save = [&](const char* kind, std::int64_t owner, const char* code, const char* value,
                        std::int64_t company) {
    return call(db_, "RM_ZapiszParamKonf",
                {Value::text(kind), Value::integer(owner), Value::text(code), Value::text(value),
                 Value::integer(company)});
  };
  ASSERT_TRUE(save("s", 1, "propkursbanku", "ECB", 0).ok());
  ASSERT_TRUE(save("u", 3000002, "ZNAKDOEXCELA", ",", 1).ok());
  ASSERT_TRUE(save("u", 3000002, "ZnakDoExcela", "\t", 1).ok());
  EXPECT_EQ(scalar(db_, "SELECT WARTOSC FROM INTERFIRMAPOZYCJA WHERE ID_FIRMY = 1 AND ID_POZYCJI = 106"),
            "ECB");
  EXPECT_EQ(scalar(db_, "SELECT COUNT(*) || WARTOSC FROM INTERUZYTKOWNIKPOZYCJA WHERE ID_POZYCJI = 130"),
            "1\t");
  EXPECT_FALSE(save("s", 1, "NieMaTakiego", "x", 0).ok());
}

TEST_F(ProceduresTest, MarksAreSavedAndRestoredWithRetCode) {
  for (int id : {10, 11, 11, 12}) {
    ASSERT_TRUE(
        call(db_, "JL_Zaznacz", {Value::integer(3000002), Value::integer(120), Value::integer(id)}).ok());
  }
  EXPECT_EQ(scalar(db_, "SELECT COUNT(*) FROM ZAZNACZONE"), "3");
  const std::vector<Value> key = {Value::integer(1), Value::integer(3000002), Value::integer(120),
                                  Value::integer(0)};
  db::ResultSet out;
  ASSERT_TRUE(call(db_, "RM_Zachowaj_ZORVA_zaznaczone", key, &out).ok());
  EXPECT_EQ(out.ret_code, 1);
  ASSERT_TRUE(call(db_, "JL_OdznaczAll", {Value::integer(3000002), Value::integer(120)}).ok());
  ASSERT_TRUE(
      call(db_, "JL_Zaznacz", {Value::integer(3000002), Value::integer(120), Value::integer(99)}).ok());
  db::ResultSet restored;
  ASSERT_TRUE(call(db_, "RM_Przywroc_ZORVA_zaznaczone", key, &restored).ok());
  EXPECT_EQ(restored.ret_code, 1);
  EXPECT_EQ(scalar(db_, "SELECT group_concat(ID) FROM (SELECT ID FROM ZAZNACZONE ORDER BY ID)"), "10,11,12");
  db::ResultSet none;
  ASSERT_TRUE(call(db_, "RM_Przywroc_ZORVA_zaznaczone",
                   {Value::integer(2), Value::integer(3000002), Value::integer(120), Value::integer(0)},
                   &none)
                  .ok());
  EXPECT_EQ(none.ret_code, 0);
}

TEST_F(ProceduresTest, RatesAreStoredAndConverted) {
  const std::int64_t day = demo_last_rate_day() + 3;  // a Monday after the demo series
  ASSERT_TRUE(call(db_, "AP_AktualizujKursWaluty",
                   {Value::integer(day), Value::integer(4230000), Value::text("eur"), Value::decimal("4.25"),
                    Value::integer(0)})
                  .ok());
  ASSERT_TRUE(call(db_, "AP_AktualizujKursWaluty",
                   {Value::integer(day), Value::integer(4230000), Value::text("HUF"), Value::decimal("1.10"),
                    Value::integer(0)})
                  .ok());
  db::ResultSet count;
  ASSERT_TRUE(call(db_, "AP_Czy_SaKursyWalut", {Value::integer(day), Value::integer(0)}, &count).ok());
  EXPECT_EQ(count.cell(0, 0), "2");
  db::ResultSet rate;
  ASSERT_TRUE(call(db_, "AP_PobierzKursWaluty",
                   {Value::text("EUR"), Value::text(""), Value::integer(day), Value::integer(0)}, &rate)
                  .ok());
  EXPECT_EQ(rate.cell(0, 0), "4.250000");
  db::ResultSet cross;
  ASSERT_TRUE(call(db_, "AP_PobierzKursWaluty",
                   {Value::text("EUR"), Value::text("HUF"), Value::integer(day), Value::integer(0)}, &cross)
                  .ok());
  EXPECT_EQ(cross.cell(0, 0), "386.363636") << "HUF is quoted per 100 units";
  db::ResultSet missing;
  ASSERT_TRUE(call(db_, "AP_PobierzKursWaluty",
                   {Value::text("XYZ"), Value::text(""), Value::integer(day), Value::integer(0)}, &missing)
                  .ok());
  EXPECT_EQ(missing.rows(), 0u);
  EXPECT_FALSE(call(db_, "AP_AktualizujKursWaluty",
                    {Value::integer(day), Value::integer(0), Value::text("EUR"), Value::decimal("0"),
                     Value::integer(0)})
                   .ok());
}

TEST_F(ProceduresTest, NewCompanyGetsItsGroupGrantWarehouseAndDesk) {
  ASSERT_TRUE(db::SqlLink(db_).exec("INSERT INTO FIRMA (ID_FIRMY, NAZWA) VALUES (9, 'Nowa firma')").ok());
  ASSERT_TRUE(call(db_, "AP_InicjacjaSystemu", {Value::integer(9)}).ok());
  ASSERT_TRUE(call(db_, "AP_InicjacjaSystemu", {Value::integer(9)}).ok()) << "running it twice adds nothing";
  EXPECT_EQ(
      scalar(db_,
             "SELECT COUNT(*) FROM GRUPAUZYTKOWNIKOW g JOIN DOSTEP d ON d.ID_GRUPY = g.ID_GRUPY AND d.KOD = "
             "'SYS' JOIN UZYTKOWNIKGRUPY u ON u.ID_GRUPY = g.ID_GRUPY AND u.ID_UZYTKOWNIKA = 3000001 WHERE "
             "g.ID_FIRMY = 9 AND g.NAZWA = 'Administratorzy'"),
      "1");
  db::ResultSet defaults;
  ASSERT_TRUE(
      call(db_, "AP_UstawDomMagazynKasaDlaFirmy", {Value::integer(9), Value::integer(3000002)}, &defaults)
          .ok());
  EXPECT_EQ(std::string(defaults.cell(0, 0)),
            scalar(db_, "SELECT ID_MAGAZYNU FROM MAGAZYN WHERE ID_FIRMY = 9"));
  EXPECT_EQ(std::string(defaults.cell(0, 1)),
            scalar(db_, "SELECT ID_KASY FROM KASY_FIRMY WHERE ID_FIRMY = 9"));
  EXPECT_FALSE(call(db_, "AP_InicjacjaSystemu", {Value::integer(77)}).ok());
}

TEST_F(ProceduresTest, DefaultWarehouseFollowsTheUsersChoiceWithinTheCompany) {
  db::SqlLink(db_).exec(
      "UPDATE INTERUZYTKOWNIKPOZYCJA SET WARTOSC = '2' WHERE ID_UZYTKOWNIKA = 3000002 AND ID_POZYCJI = 502");
  db::ResultSet own;
  ASSERT_TRUE(
      call(db_, "AP_UstawDomMagazynKasaDlaFirmy", {Value::integer(1), Value::integer(3000002)}, &own).ok());
  EXPECT_EQ(own.cell(0, 0), "2");
  db::ResultSet other;
  ASSERT_TRUE(
      call(db_, "AP_UstawDomMagazynKasaDlaFirmy", {Value::integer(2), Value::integer(3000002)}, &other).ok());
  EXPECT_EQ(other.cell(0, 0), "4") << "warehouse 2 belongs to another company";
}

TEST_F(ProceduresTest, NameUniquenessWithinTheCompany) {
  db::SqlLink(db_).exec(
      "INSERT INTO TABELA_ODSETEK (ID_TABELI_ODSETEK, ID_FIRMY, NAZWA) VALUES (1, 1, 'Ustawowe')");
  const auto check = [&](std::int64_t company, const char* name, std::int64_t id) {
    return call(
        db_, "AP_CzyNazwaJestUnikalna",
        {Value::integer(company), Value::text(name), Value::integer(id), Value::text("tabela_odsetek")});
  };
  EXPECT_FALSE(check(1, "USTAWOWE ", 0).ok());
  EXPECT_TRUE(check(1, "Ustawowe", 1).ok()) << "its own name";
  EXPECT_TRUE(check(2, "Ustawowe", 0).ok()) << "another company";
  EXPECT_TRUE(check(1, "Umowne", 0).ok());
}

TEST_F(ProceduresTest, MarkedArticlesOfAWarehouseBecomeTheList) {
  db::SqlLink link(db_);
  ASSERT_TRUE(
      link.exec(
              "INSERT INTO ARTYKUL (ID_ARTYKULU, ID_MAGAZYNU, NAZWA) VALUES (1, 1, 'a'), (2, 2, 'b'), (3, 1, "
              "'c')")
          .ok());
  ASSERT_TRUE(link.exec("INSERT INTO MAG_ELEMENTY_LISTY_OBIEKTOW VALUES (5, 99)").ok());
  for (int id : {1, 2, 3})
    call(db_, "JL_Zaznacz", {Value::integer(3000002), Value::integer(102), Value::integer(id)});
  ASSERT_TRUE(call(db_, "RM_ZapiszZaznaczoneObiekty",
                   {Value::integer(5), Value::integer(3000002), Value::integer(102), Value::integer(1)})
                  .ok());
  EXPECT_EQ(
      scalar(db_,
             "SELECT group_concat(ID_ELEMENTU) FROM (SELECT ID_ELEMENTU FROM MAG_ELEMENTY_LISTY_OBIEKTOW "
             "WHERE ID_LISTY = 5 ORDER BY 1)"),
      "1,3");
  ASSERT_TRUE(call(db_, "RM_ZapiszZaznaczoneObiekty",
                   {Value::integer(5), Value::integer(3000002), Value::integer(102), Value::integer(0)})
                  .ok());
  EXPECT_EQ(scalar(db_, "SELECT COUNT(*) FROM MAG_ELEMENTY_LISTY_OBIEKTOW WHERE ID_LISTY = 5"), "3");
}

TEST_F(ProceduresTest, WarehouseWithDocumentsIsKept) {
  db::SqlLink(db_).exec("INSERT INTO DOKUMENT_MAGAZYNOWY (ID_MAGAZYNU, NUMER) VALUES (2, 'PZ/1/12/2026')");
  EXPECT_FALSE(call(db_, "AP_UsunMagazyn", {Value::integer(2), Value::integer(3000001)}).ok());
  ASSERT_TRUE(call(db_, "AP_UsunMagazyn", {Value::integer(3), Value::integer(3000001)}).ok());
  EXPECT_EQ(scalar(db_, "SELECT group_concat(ID_MAGAZYNU) FROM MAGAZYN WHERE ID_FIRMY = 1"), "1,2");
  EXPECT_EQ(scalar(db_, "SELECT COUNT(*) FROM LOG_AKCJI WHERE RODZAJ_OBIEKTU = 'MAGAZYN' AND AKCJA = 3"),
            "1");
  EXPECT_FALSE(call(db_, "AP_UsunMagazyn", {Value::integer(3), Value::integer(3000001)}).ok());
}

TEST_F(ProceduresTest, NumberingOfANewStockTypeAndStatusesAndClassifierColumns) {
  ASSERT_TRUE(
      call(db_, "RM_DodajDefinicjeNumeracji",
           {Value::integer(1), Value::integer(77), Value::text("PW"), Value::integer(1), Value::integer(1)})
          .ok());
  EXPECT_EQ(scalar(db_, "SELECT FORMAT FROM DEFINICJA_NUMERACJI WHERE ID_TYPU = 77"), "PW/#/MM/RRRR");
  ASSERT_TRUE(call(db_, "ABS_IntS_RM_ABSM_DocStatusListInit", {}).ok());
  ASSERT_TRUE(call(db_, "ABS_IntS_RM_ABSM_DocStatusListInit", {}).ok());
  EXPECT_EQ(scalar(db_, "SELECT COUNT(*) FROM MAG_SLOWNIK_STATUSOW_DOKUMENTOW WHERE SYSTEMOWY = 1"), "5");
  ASSERT_TRUE(db::SqlLink(db_).exec("ALTER TABLE PRACOWNIK DROP COLUMN POLE10").ok());
  ASSERT_TRUE(call(db_, "AP_AktualizujKolumnyPolDodatkowych", {Value::text("Pracownik")}).ok());
  EXPECT_EQ(scalar(db_, "SELECT COUNT(*) FROM pragma_table_info('PRACOWNIK') WHERE name LIKE 'POLE%'"), "10");
  EXPECT_FALSE(call(db_, "AP_AktualizujKolumnyPolDodatkowych", {Value::text("Faktura")}).ok());
}

TEST_F(ProceduresTest, EmployeeNipInternetUsersAndStocktakings) {
  const std::string nip = scalar(db_, "SELECT NIP FROM PRACOWNIK WHERE ID_PRACOWNIKA = 1");
  const std::string dashed =
      nip.substr(0, 3) + "-" + nip.substr(3, 3) + "-" + nip.substr(6, 2) + "-" + nip.substr(8);
  const auto nip_check = [&](std::int64_t own) {
    return call(db_, "AP_CzyNipJestUnikalny", {Value::text(dashed), Value::integer(own), Value::integer(1)});
  };
  EXPECT_FALSE(nip_check(0).ok());
  EXPECT_TRUE(nip_check(1).ok());
  ASSERT_TRUE(call(db_, "AP_ArchiwizujPracownika", {Value::integer(2)}).ok());
  EXPECT_EQ(scalar(db_, "SELECT ARCHIWALNY FROM PRACOWNIK WHERE ID_PRACOWNIKA = 2"), "1");
  ASSERT_TRUE(call(db_, "AP_DodajHaslo_0001_002_HASLO_INTER",
                   {Value::integer(3), Value::text("Nowak"), Value::text("Ewa"), Value::text("tajne")})
                  .ok());
  EXPECT_EQ(scalar(db_, "SELECT IMIE || AKTYWNY FROM INT_UZYTKOWNIK WHERE ID_KONTRAHENTA = 3"), "Ewa1");
  EXPECT_FALSE(call(db_, "AP_DodajHaslo_0001_002_HASLO_INTER",
                    {Value::integer(99999), Value::text("X"), Value::text("Y"), Value::text("z")})
                   .ok());

  db::SqlLink link(db_);
  ASSERT_TRUE(
      link.exec("INSERT INTO DOKUMENT_MAGAZYNOWY (ID_DOK_MAGAZYNOWEGO, NUMER, ID_TYPU, ID_MAGAZYNU, ROBOCZY) "
                "SELECT 50, 'REM/1', ID_TYPU, 1, 1 FROM TYP_DOKUMENTU_MAGAZYNOWEGO WHERE ID_FIRMY = 1 AND "
                "SYGNATURA = 'REM'")
          .ok());
  ASSERT_TRUE(
      link.exec("INSERT INTO DOKUMENT_MAGAZYNOWY (ID_DOK_MAGAZYNOWEGO, NUMER, ID_TYPU, ID_MAGAZYNU, ROBOCZY) "
                "SELECT 51, 'PZ/1', ID_TYPU, 1, 1 FROM TYP_DOKUMENTU_MAGAZYNOWEGO WHERE ID_FIRMY = 1 AND "
                "SYGNATURA = 'PZ'")
          .ok());
  ASSERT_TRUE(
      link.exec("INSERT INTO POZYCJA_DOKUMENTU_MAGAZYNOWEGO (ID_DOK_MAGAZYNOWEGO) VALUES (50), (50), (51)")
          .ok());
  EXPECT_FALSE(
      call(db_, "AP_UsunRemanent", {Value::integer(2), Value::integer(50), Value::integer(3000002)}).ok())
      << "another company's document";
  EXPECT_FALSE(
      call(db_, "AP_UsunRemanent", {Value::integer(1), Value::integer(51), Value::integer(3000002)}).ok());
  ASSERT_TRUE(
      call(db_, "AP_UsunRemanent", {Value::integer(1), Value::integer(50), Value::integer(3000002)}).ok());
  EXPECT_EQ(scalar(db_, "SELECT group_concat(ID_DOK_MAGAZYNOWEGO) FROM POZYCJA_DOKUMENTU_MAGAZYNOWEGO"),
            "51");
  EXPECT_EQ(scalar(db_,
                   "SELECT group_concat(ID_DOK_MAGAZYNOWEGO) FROM DOKUMENT_MAGAZYNOWY WHERE "
                   "ID_DOK_MAGAZYNOWEGO IN (50, 51)"),
            "51");
}

}  // namespace
}  // namespace server
