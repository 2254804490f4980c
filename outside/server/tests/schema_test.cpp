#include <gtest/gtest.h>

#include "fixture.h"
#include "server/schema.h"

namespace server {
namespace {

struct ColumnRow {
  const char* name;
  const char* compact;
  const char* sql;
};

class ExpandColumns : public ::testing::TestWithParam<ColumnRow> {};

TEST_P(ExpandColumns, WritesSqlColumns) {
  EXPECT_EQ(expand_columns(GetParam().compact), GetParam().sql);
}

INSTANTIATE_TEST_SUITE_P(
    Notation, ExpandColumns,
    ::testing::Values(ColumnRow{"identity", "ID pk", "ID integer PRIMARY KEY"},
                      ColumnRow{"text_with_collation", "NAZWA s50 nn",
                                "NAZWA varchar(50) COLLATE PLCI NOT NULL"},
                      ColumnRow{"decimal_and_default", "KWOTA d15.2 =0", "KWOTA decimal(15,2) DEFAULT 0"},
                      ColumnRow{"char_and_text_default", "KOD c1, STAN s10 ='Praca'",
                                "KOD char(1) COLLATE PLCI, STAN varchar(10) COLLATE PLCI DEFAULT 'Praca'"},
                      ColumnRow{"lock_group", "LOCK*", "SEMAFOR int, FLAGA_STANU int DEFAULT 0"},
                      ColumnRow{"explicit_key", "SYM s3 nn PRIMARY KEY",
                                "SYM varchar(3) COLLATE PLCI NOT NULL PRIMARY KEY"}),
    [](const auto& info) { return std::string(info.param.name); });

class SchemaTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { demo_ = new testing::DemoDb(); }
  static void TearDownTestSuite() { delete demo_; }
  static testing::DemoDb* demo_;
};
testing::DemoDb* SchemaTest::demo_ = nullptr;

TEST_F(SchemaTest, EveryViewAndTableCanBeRead) {
  ASSERT_TRUE(demo_->status().ok()) << demo_->status().text;
  sqlite3* db = demo_->connect();
  ASSERT_NE(db, nullptr);
  db::SqlLink link(db);
  db::ResultSet objects;
  ASSERT_TRUE(link.query("SELECT name FROM sqlite_schema WHERE type IN ('table','view')", {}, objects).ok());
  EXPECT_GE(objects.rows(), 110u);
  for (std::size_t r = 0; r < objects.rows(); ++r) {
    const std::string name(objects.cell(r, 0));
    db::ResultSet rows;
    EXPECT_TRUE(link.query("SELECT * FROM " + name + " LIMIT 1", {}, rows).ok()) << name;
  }
  sqlite3_close(db);
}

TEST_F(SchemaTest, TextComparisonIgnoresCaseAndTrailingBlanks) {
  sqlite3* db = demo_->connect();
  EXPECT_EQ(testing::scalar(db, "SELECT ID_UZYTKOWNIKA FROM UZYTKOWNIK WHERE IDENTYFIKATOR = 'jkowalski  '"),
            "3000002");
  EXPECT_EQ(testing::scalar(db, "SELECT COUNT(*) FROM FIRMA WHERE NAZWA = 'HURTOWNIA MIRLET'"), "1");
  EXPECT_EQ(testing::scalar(db, "SELECT COUNT(*) FROM WALUTY WHERE NAZWA_WALUTY = 'ZŁOTY POLSKI'"), "1");
  sqlite3_close(db);
}

TEST_F(SchemaTest, ViewsThatAreWrittenThrough) {
  sqlite3* db = demo_->connect();
  db::SqlLink link(db);
  ASSERT_TRUE(
      link.exec("INSERT INTO ROZRACHUNEK (ID_ROZRACHUNKU, NR_DOK, ID_FIRMY) VALUES (7, 'FV/1/2026', 1)")
          .ok());
  ASSERT_TRUE(link.exec("UPDATE Rozrachunek_mag_v SET pole1 = 'pilne' WHERE id_rozrachunku = 7").ok());
  EXPECT_EQ(testing::scalar(db, "SELECT POLE1 || NR_DOK FROM ROZRACHUNEK WHERE ID_ROZRACHUNKU = 7"),
            "pilneFV/1/2026");
  ASSERT_TRUE(
      link.exec("INSERT INTO REJESTR_ZMIAN_STATUSOW_ZAMOWIEN (IDREJESTRUZMIAN, IDZAMOWIENIA) VALUES (5, 1)")
          .ok());
  ASSERT_TRUE(link.exec("DELETE FROM WIDOK_REJESTR_ZMIAN_STATUSOW_ZAMOWIEN WHERE IdRejestruZmian = 5").ok());
  EXPECT_EQ(testing::scalar(db, "SELECT COUNT(*) FROM REJESTR_ZMIAN_STATUSOW_ZAMOWIEN"), "0");
  sqlite3_close(db);
}

TEST_F(SchemaTest, ConfigurationViewsKeepOnlyThisProduct) {
  sqlite3* db = demo_->connect();
  EXPECT_EQ(testing::scalar(db, "SELECT COUNT(*) FROM V_KONF_SYSTEMU WHERE KOD = 'KasaFiskalnaPort'"), "0");
  EXPECT_EQ(testing::scalar(db, "SELECT COUNT(*) FROM POZYCJAKONFIG WHERE KOD = 'KasaFiskalnaPort'"), "1");
  EXPECT_EQ(testing::scalar(db, "SELECT COUNT(*) FROM V_KONF_UZYTKOWNIKA WHERE ID_POZYCJI = 503"), "1");
  sqlite3_close(db);
}

TEST_F(SchemaTest, ServerFunctions) {
  sqlite3* db = demo_->connect();
  EXPECT_EQ(testing::scalar(db, "SELECT AP_Func_BezPolskichZnakow('Zażółć gęślą JAŹŃ')"),
            "Zazolc gesla JAZN");
  EXPECT_EQ(testing::scalar(db, "SELECT AP_Func_PodajNip('676-000-01-01', '', 1)"), "PL6760000101");
  EXPECT_EQ(testing::scalar(db, "SELECT RM_Func_URL_SledzeniePrzesylki(1, 'RR123')"),
            "https://sledzenie.poczta.example.pl/?numer=RR123");
  EXPECT_EQ(testing::scalar(db, "SELECT RM_Func_URL_SledzeniePrzesylki(99, 'RR123')"), "");
  db::SqlLink(db).exec("UPDATE KONTRAHENT SET POLE2 = '12.5' WHERE ID_KONTRAHENTA = 3");
  EXPECT_EQ(testing::scalar(db, "SELECT AP_FUNC_PoleDodatkowe('Kontrahent', 2, 3)"), "12.5");
  EXPECT_EQ(testing::scalar(db, "SELECT IFNULL(AP_FUNC_PoleDodatkowe('Kontrahent', 11, 3), 'null')"), "null");
  sqlite3_close(db);
}

TEST_F(SchemaTest, TableValuedFunctions) {
  sqlite3* db = demo_->connect();
  const std::string last = std::to_string(demo_last_rate_day());
  // A Sunday after the series takes Friday's rates of both sources.
  const std::string sunday = std::to_string(demo_last_rate_day() + 2);
  EXPECT_EQ(testing::scalar(db,
                            "SELECT DATA_NBP || ':' || DATA_ECB || ':' || (KURS_NBP > 3) FROM "
                            "AP_Func_PodajKursy_NBPECB(" +
                                sunday + ", 'eur')"),
            last + ":" + last + ":1");
  EXPECT_EQ(testing::scalar(db, "SELECT KURS_NBP FROM AP_Func_PodajKursy_NBPECB(" + last + ", 'PLN')"),
            "1.000000");
  EXPECT_EQ(testing::scalar(db, "SELECT COUNT(*) FROM AP_Func_PodajKursy_NBPECB(36163, 'EUR')"), "0");
  db::SqlLink(db).exec(
      "INSERT INTO ADRESY_PRACOWNIKA (ID_PRACOWNIKA, DATA_OD, TYP_ADRESU, KOD_POCZTOWY, MIEJSCOWOSC) "
      "VALUES (1, 90000, 'M', '00-001', 'Warszawa')");
  const std::string address = "SELECT KOD_POCZTOWY || ' ' || MIEJSCOWOSC FROM RM_Func_AdresPracownika(1, ";
  EXPECT_EQ(testing::scalar(db, address + "90000, 'M')"), "00-001 Warszawa");
  EXPECT_NE(testing::scalar(db, address + "89999, 'M')"), "00-001 Warszawa");
  EXPECT_EQ(testing::scalar(db, address + "89999, 'X')"), "<none>");
  sqlite3_close(db);
}

}  // namespace
}  // namespace server
