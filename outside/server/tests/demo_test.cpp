#include <gtest/gtest.h>

#include "fixture.h"

namespace server {
namespace {

using testing::scalar;

// Check-digit rules written independently of the generator.
bool valid_pesel(std::string_view p) {
  if (p.size() != 11 || p.find_first_not_of("0123456789") != std::string_view::npos) return false;
  const int w[] = {1, 3, 7, 9, 1, 3, 7, 9, 1, 3, 1};
  int sum = 0;
  for (int i = 0; i < 11; ++i) sum += (p[i] - '0') * w[i];
  const int month = (p[2] - '0') * 10 + (p[3] - '0');
  const int day = (p[4] - '0') * 10 + (p[5] - '0');
  return sum % 10 == 0 && month % 20 >= 1 && month % 20 <= 12 && day >= 1 && day <= 31;
}

bool valid_nip(std::string_view n) {
  if (n.size() != 10 || n.find_first_not_of("0123456789") != std::string_view::npos) return false;
  const int w[] = {6, 5, 7, 2, 3, 4, 5, 6, 7};
  int sum = 0;
  for (int i = 0; i < 9; ++i) sum += (n[i] - '0') * w[i];
  return sum % 11 != 10 && sum % 11 == n[9] - '0';
}

bool valid_sort_code(std::string_view s) {
  const int w[] = {3, 9, 7, 1, 3, 9, 7, 1};
  int sum = 0;
  for (int i = 0; i < 8; ++i) sum += (s[i] - '0') * w[i];
  return s.size() == 8 && sum % 10 == 0;
}

bool valid_nrb(std::string_view check, std::string_view bban) {
  const std::string digits = std::string(bban) + "2521" + std::string(check);
  int rest = 0;
  for (char d : digits) rest = (rest * 10 + (d - '0')) % 97;
  return rest == 1;
}

class DemoTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    demo_ = new testing::DemoDb();
    db_ = demo_->connect();
  }
  static void TearDownTestSuite() {
    sqlite3_close(db_);
    delete demo_;
  }
  static std::vector<std::string> column(std::string_view sql) {
    db::ResultSet rows;
    db::SqlLink(db_).query(sql, {}, rows);
    std::vector<std::string> out;
    for (std::size_t r = 0; r < rows.rows(); ++r) out.emplace_back(rows.cell(r, 0));
    return out;
  }
  static testing::DemoDb* demo_;
  static sqlite3* db_;
};
testing::DemoDb* DemoTest::demo_ = nullptr;
sqlite3* DemoTest::db_ = nullptr;

TEST_F(DemoTest, FixedRowsTheSystemReliesOn) {
  ASSERT_TRUE(demo_->status().ok()) << demo_->status().text;
  EXPECT_EQ(scalar(db_, "SELECT NAZWA FROM UZYTKOWNIK WHERE ID_UZYTKOWNIKA = 3000001"), "Administrator");
  EXPECT_EQ(scalar(db_, "SELECT group_concat(SYM_WALUTY) FROM WALUTY WHERE NUMER = 1"), "PLN");
  EXPECT_EQ(scalar(db_, "SELECT START FROM ZORVADBSTATE WHERE PRGKOD = 3"), "0");
  EXPECT_EQ(scalar(db_, "SELECT COUNT(*) FROM TRYB_PRACY WHERE PRGKOD = 3"), "1");
  // Every company: an administrators' group with "SYS" holding the administrator, and a registered seat.
  EXPECT_EQ(
      scalar(
          db_,
          "SELECT COUNT(*) FROM FIRMA f WHERE NOT EXISTS (SELECT 1 FROM GRUPAUZYTKOWNIKOW g JOIN DOSTEP d "
          "ON d.ID_GRUPY = g.ID_GRUPY AND d.KOD = 'SYS' AND d.RODZAJ_DOSTEPU > 0 JOIN UZYTKOWNIKGRUPY u ON "
          "u.ID_GRUPY = g.ID_GRUPY AND u.ID_UZYTKOWNIKA = 3000001 WHERE g.ID_FIRMY = f.ID_FIRMY AND "
          "g.NAZWA = 'Administratorzy') OR NOT EXISTS (SELECT 1 FROM ADRESY_FIRMY a WHERE a.ID_FIRMY = "
          "f.ID_FIRMY AND a.TYP_ADRESU = 'S')"),
      "0");
  EXPECT_EQ(scalar(db_, "SELECT group_concat(KOD_VAT, ' ') FROM STAWKA_VAT WHERE AKTYWNY = 1"),
            "23 8 5 0 zw np");
  EXPECT_EQ(scalar(db_, "SELECT COUNT(*) FROM MAG_FUNKCJA WHERE KOD_FUNKCJI = 'LIMIT_KUPIECKI'"), "1");
  EXPECT_EQ(scalar(db_, "SELECT RODZAJ FROM UPRAWNIENIE WHERE KOD = 'ODokMag'"), "M");
  EXPECT_EQ(
      scalar(db_, "SELECT COUNT(*) FROM UPRAWNIENIE WHERE KOD IN ('DWaluty', 'EBanki', 'UTabOds', 'EPrac')"),
      "4");
}

TEST_F(DemoTest, ThePeopleAndFirmsHaveValidIdentifiers) {
  const auto pesels = column("SELECT PESEL FROM PRACOWNIK");
  ASSERT_GE(pesels.size(), 10u);
  for (const auto& p : pesels) EXPECT_TRUE(valid_pesel(p)) << p;
  for (const auto& n :
       column("SELECT NIP FROM PRACOWNIK UNION ALL SELECT NIP FROM KONTRAHENT UNION ALL SELECT NIP FROM "
              "FIRMA")) {
    EXPECT_TRUE(valid_nip(n)) << n;
  }
  for (const auto& s : column("SELECT NUMER_BANKU FROM BANKI")) EXPECT_TRUE(valid_sort_code(s)) << s;
  db::ResultSet accounts;
  db::SqlLink(db_).query("SELECT LK, NUMER_RACHUNKU FROM RACHUNEK_FIRMY", {}, accounts);
  ASSERT_GE(accounts.rows(), 2u);
  for (std::size_t r = 0; r < accounts.rows(); ++r) {
    EXPECT_TRUE(valid_nrb(accounts.cell(r, 0), accounts.cell(r, 1))) << accounts.cell(r, 1);
    EXPECT_TRUE(valid_sort_code(accounts.cell(r, 1).substr(0, 8)));
  }
  // Birth dates agree with the PESEL's first six digits.
  EXPECT_EQ(scalar(db_,
                   "SELECT COUNT(*) FROM PRACOWNIK WHERE substr(PESEL, 5, 2) + 0 <> CAST(strftime('%d', "
                   "DATA_URODZENIA - 36163 + 2415020.5) AS INTEGER)"),
            "0");
}

TEST_F(DemoTest, RatesCoverWorkingDaysOfBothSources) {
  EXPECT_EQ(scalar(db_, "SELECT COUNT(*) FROM DATY_KURSOW WHERE DATA_NOT % 7 IN (0, 6)"), "0");
  EXPECT_EQ(scalar(db_, "SELECT COUNT(DISTINCT ID_BANKU) FROM DATY_KURSOW"), "2");
  EXPECT_EQ(scalar(db_, "SELECT MAX(DATA_NOT) FROM DATY_KURSOW"), std::to_string(demo_last_rate_day()));
  EXPECT_GE(std::stoi(scalar(db_, "SELECT COUNT(*) FROM DATY_KURSOW WHERE ID_BANKU = 0")), 80);
  EXPECT_EQ(
      scalar(db_, "SELECT COUNT(*) FROM KURSY_WALUT WHERE KURS_SREDNI <= 0 OR KURS_ZAKUPU > KURS_SPRZEDAZY"),
      "0");
  EXPECT_EQ(scalar(db_, "SELECT COUNT(*) FROM KURSY_WALUT k JOIN WALUTY w ON w.SYM_WALUTY = k.SYM_WALUTY"),
            scalar(db_, "SELECT COUNT(*) FROM KURSY_WALUT"));
}

TEST_F(DemoTest, NumberingIsDefinedForEveryDocumentType) {
  EXPECT_EQ(scalar(db_,
                   "SELECT COUNT(*) FROM TYP_DOKUMENTU_HANDLOWEGO t WHERE NOT EXISTS (SELECT 1 FROM "
                   "DEFINICJA_NUMERACJI d WHERE d.ID_FIRMY = t.ID_FIRMY AND d.DOKUMENT = 4 AND d.ID_TYPU = "
                   "t.ID_TYPU)"),
            "0");
  EXPECT_EQ(
      scalar(
          db_,
          "SELECT COUNT(*) FROM DEFINICJA_NUMERACJI WHERE ID_TYPU = 0 AND PARAMETR1 > 0 AND PARAMETR2 > 0"),
      "8");
}

TEST_F(DemoTest, EveryUserHasRowsForTheWindowSettings) {
  // The system only updates these rows, so a missing one would silently lose a user's setting.
  EXPECT_EQ(scalar(db_,
                   "SELECT COUNT(*) FROM UZYTKOWNIK u, INI_KOLUMNA k WHERE NOT EXISTS (SELECT 1 FROM "
                   "INTER_INI_UZYTKOWNIK i WHERE i.ID_UZYTKOWNIKA = u.ID_UZYTKOWNIKA AND i.ID_KOLUMNY = "
                   "k.ID_KOLUMNY)"),
            "0");
  EXPECT_EQ(
      scalar(db_,
             "SELECT COUNT(*) FROM UZYTKOWNIK u, INI_PARAMETR p WHERE NOT EXISTS (SELECT 1 FROM "
             "INTER_PARAMETR_UZYTKOWNIK i WHERE i.ID_UZYTKOWNIKA = u.ID_UZYTKOWNIKA AND i.ID_PARAMETRU = "
             "p.ID_PARAMETRU)"),
      "0");
  EXPECT_EQ(
      scalar(
          db_,
          "SELECT i.WARTOSC FROM ini_okno o, ini_parametr p, inter_parametr_uzytkownik i WHERE p.id_okna = "
          "o.id_okna AND p.id_parametru = i.id_parametru AND i.id_uzytkownika = 3000002 AND o.nazwa = "
          "'Bank_Brw' AND p.nazwa = 'PORZĄDEK'"),
      "rosnąco");
}

TEST_F(DemoTest, TheDemoHoldsThirtyBanks) {
  // Tests of the bank dictionary name rows of this set by their identifiers.
  EXPECT_EQ(scalar(db_, "SELECT COUNT(*) FROM BANKI"), "30");
  EXPECT_EQ(scalar(db_, "SELECT NAZWA || '|' || MIEJSCOWOSC FROM BANKI WHERE ID_BANKU = 2"),
            "Narodowy Bank Polski O/Kraków|Kraków");
}

// The large database is made once for its checks: a hundred thousand banks take a moment.
class LargeDemoTest : public DemoTest {
 protected:
  static void SetUpTestSuite() {
    demo_ = new testing::DemoDb(DemoSize::Large);
    db_ = demo_->connect();
  }
};

TEST_F(LargeDemoTest, HundredThousandBanksWithDistinctValidSortCodes) {
  ASSERT_TRUE(demo_->status().ok()) << demo_->status().text;
  EXPECT_EQ(scalar(db_,
                   "SELECT COUNT(*) || ' ' || COUNT(DISTINCT NUMER_BANKU) || ' ' || COUNT(DISTINCT NAZWA) "
                   "FROM BANKI"),
            "100000 100000 100000");
  std::size_t invalid = 0;
  for (const auto& s : column("SELECT NUMER_BANKU FROM BANKI")) invalid += valid_sort_code(s) ? 0 : 1;
  EXPECT_EQ(invalid, 0u);
  // The company accounts find their banks' head offices by sort code.
  EXPECT_EQ(scalar(db_, "SELECT COUNT(*) FROM RACHUNEK_FIRMY WHERE ID_BANKU IS NULL"), "0");
}

TEST_F(LargeDemoTest, BranchesAreSpreadOverTownsAndStreets) {
  EXPECT_EQ(scalar(db_,
                   "SELECT COUNT(*) FROM BANKI WHERE NAZWA = '' OR ULICA_LOKAL = '' OR MIEJSCOWOSC = '' OR "
                   "KOD_POCZTOWY NOT GLOB '[0-9][0-9]-[0-9][0-9][0-9]' OR LENGTH(SWIFT) NOT IN (8, 11) OR "
                   "SWIFT GLOB '????????X*'"),
            "0");
  // No town holds more than a few per cent of the branches, and the addresses are many.
  EXPECT_GE(std::stoi(scalar(db_, "SELECT COUNT(DISTINCT MIEJSCOWOSC) FROM BANKI")), 50);
  EXPECT_LE(std::stoi(scalar(db_, "SELECT MAX(n) FROM (SELECT COUNT(*) n FROM BANKI GROUP BY MIEJSCOWOSC)")),
            5000);
  EXPECT_GE(std::stoi(scalar(db_, "SELECT COUNT(DISTINCT ULICA_LOKAL) FROM BANKI")), 20000);
  // A branch's name carries its town.
  EXPECT_EQ(scalar(db_,
                   "SELECT COUNT(*) FROM BANKI WHERE NUMER_BANKU NOT GLOB '???0000?' AND "
                   "instr(NAZWA, ' O/' || MIEJSCOWOSC || ' ') = 0"),
            "0");
}

TEST(DayNumbers, MatchTheCalendarOfTheSystem) {
  EXPECT_EQ(day_number(1800, 12, 28), 0);
  EXPECT_EQ(day_number(1900, 1, 1), 36163);
  EXPECT_EQ(day_number(9999, 12, 31), 2994626);
}

}  // namespace
}  // namespace server
