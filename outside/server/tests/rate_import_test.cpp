// The bank-table imports and the price recalculation on a fresh demo database.
#include <gtest/gtest.h>

#include "fixture.h"
#include "runtime/date.h"

namespace server {
namespace {

using db::Value;
using testing::call;
using testing::scalar;

const std::string kNbp1207 =
    "KURSY;NBP;2026-12-07;237/A/NBP/2026,237/C/NBP/2026\n"
    "THB;0.1125;;\n"
    "EUR;4.2218;4.1796;4.2640\n"
    "HUF;0,010958;0.010848;0.011067\n"
    "UAH;0.095390;;\n"
    "AUD;2.6064;2.5803;2.6325\n"
    "PLN;1;;\n";

class RateImport : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(demo_.status().ok()) << demo_.status().text;
    db_ = demo_.connect();
    ASSERT_NE(db_, nullptr);
  }
  void TearDown() override { sqlite3_close(db_); }

  db::Status import(const char* procedure, const std::string& text, db::ResultSet& out) {
    return call(db_, procedure, {Value::text(text)}, &out);
  }
  std::string rate(const std::string& column, int bank, const std::string& day, const std::string& code) {
    return scalar(
        db_, "SELECT printf('%.6f', k." + column +
                 ") FROM KURSY_WALUT k JOIN DATY_KURSOW d ON d.ID_DATY = k.ID_DATY WHERE d.ID_BANKU = " +
                 std::to_string(bank) + " AND d.DATA_NOT = " + day + " AND k.SYM_WALUTY = '" + code + "'");
  }

  testing::DemoDb demo_;
  sqlite3* db_ = nullptr;
  const std::string day_ = std::to_string(runtime::from_ymd(std::chrono::year(2026) / 12 / 7));
};

TEST_F(RateImport, NbpTableStoresRatesPerMultiplierAndSkipsUnknownCurrenciesOnce) {
  db::ResultSet first;
  ASSERT_TRUE(import("KS_ImportKusowWalutNBP", kNbp1207, first).ok());
  ASSERT_EQ(first.rows(), 1u);
  EXPECT_EQ(first.cell(0, 0), day_);
  EXPECT_EQ(first.cell(0, 1), "Pominięto waluty nieznane w bazie: THB, AUD.");
  EXPECT_EQ(rate("KURS_ZAKUPU", 0, day_, "EUR"), "4.179600");
  EXPECT_EQ(rate("KURS_SPRZEDAZY", 0, day_, "EUR"), "4.264000");
  EXPECT_EQ(rate("KURS_SREDNI", 0, day_, "EUR"), "4.221800");
  EXPECT_EQ(rate("KURS_SREDNI", 0, day_, "HUF"), "1.095800") << "per 100 forints, the comma read as a point";
  EXPECT_EQ(rate("KURS_ZAKUPU", 0, day_, "UAH"), "0.095390") << "no table C rate: the middle rate";
  EXPECT_EQ(rate("KURS_SREDNI", 0, day_, "PLN"), "<none>") << "the base currency is never quoted";

  db::ResultSet again;
  ASSERT_TRUE(import("KS_ImportKusowWalutNBP", kNbp1207, again).ok());
  EXPECT_EQ(again.cell(0, 1),
            "Tabela kursów banku NBP z dnia 07.12.2026 była już zaimportowana.|Pominięto waluty nieznane w "
            "bazie: THB, AUD.");
  EXPECT_EQ(scalar(db_, "SELECT COUNT(*) FROM DATY_KURSOW WHERE ID_BANKU = 0 AND DATA_NOT = " + day_), "1");
  EXPECT_EQ(scalar(db_,
                   "SELECT COUNT(*) FROM KURSY_WALUT k JOIN DATY_KURSOW d ON d.ID_DATY = k.ID_DATY "
                   "WHERE d.ID_BANKU = 0 AND d.DATA_NOT = " +
                       day_),
            "3");
}

TEST_F(RateImport, EcbRatesBecomeThePriceOfEachCurrencyInZloty) {
  db::ResultSet out;
  ASSERT_TRUE(import("KS_ImportKusowWalutECB",
                     "KURSY;ECB;2026-12-07;\nUSD;1.0588;;\nJPY;160.4402;;\nHUF;386.0706;;\nPLN;4.2209;;\n"
                     "THB;37.587;;\n",
                     out)
                  .ok());
  EXPECT_EQ(out.cell(0, 1), "Pominięto waluty nieznane w bazie: THB.");
  EXPECT_EQ(rate("KURS_SREDNI", -1, day_, "EUR"), "4.220900");
  EXPECT_EQ(rate("KURS_SREDNI", -1, day_, "USD"), "3.986494");  // 4.2209 / 1.0588
  EXPECT_EQ(rate("KURS_SREDNI", -1, day_, "HUF"), "1.093297");  // 100 x 4.2209 / 386.0706
  EXPECT_EQ(rate("KURS_SREDNI", -1, day_, "JPY"), "2.630824");

  db::ResultSet no_base;
  const db::Status s = import("KS_ImportKusowWalutECB", "KURSY;ECB;2026-12-08;\nUSD;1.0588;;\n", no_base);
  EXPECT_FALSE(s.ok());
  EXPECT_EQ(s.text, "Tabela kursów banku ECB nie zawiera waluty bazowej PLN.");
}

TEST_F(RateImport, ATableAlreadyInTheDatabaseAddsNothing) {
  const std::string demo_day = std::to_string(demo_last_rate_day());
  const std::string before = scalar(db_, "SELECT COUNT(*) FROM KURSY_WALUT");
  db::ResultSet out;
  ASSERT_TRUE(
      import("KS_ImportKusowWalutNBP", "KURSY;NBP;2026-12-04;236/A/NBP/2026\nEUR;9.9999;;\n", out).ok());
  EXPECT_EQ(out.cell(0, 1), "Tabela kursów banku NBP z dnia 04.12.2026 była już zaimportowana.");
  EXPECT_EQ(scalar(db_, "SELECT COUNT(*) FROM KURSY_WALUT"), before);
  EXPECT_NE(rate("KURS_SREDNI", 0, demo_day, "EUR"), "9.999900");
}

TEST_F(RateImport, TextsThatAreNoTableFailWithoutEffects) {
  const std::string before = scalar(db_, "SELECT COUNT(*) FROM DATY_KURSOW");
  for (const std::string& text :
       {std::string("01"), std::string("<html>error</html>"),
        std::string("KURSY;ECB;2026-12-07;\nUSD;1.05;;\n"), std::string("KURSY;NBP;2026-02-30;\nEUR;4.2;;\n"),
        std::string("KURSY;NBP;2026-12-07;\nEUR\n")}) {
    db::ResultSet out;
    const db::Status s = import("KS_ImportKusowWalutNBP", text, out);
    EXPECT_FALSE(s.ok()) << text;
    EXPECT_EQ(s.text, "Tekst nie jest tabelą kursów banku NBP.") << text;
  }
  EXPECT_EQ(scalar(db_, "SELECT COUNT(*) FROM DATY_KURSOW"), before);
}

TEST_F(RateImport, ForeignCurrencyPricesFollowTheDaysRate) {
  db::ResultSet out;
  ASSERT_TRUE(import("KS_ImportKusowWalutNBP", kNbp1207, out).ok());
  ASSERT_EQ(
      sqlite3_exec(db_,
                   "INSERT INTO CENA_ARTYKULU (ID_ARTYKULU, ID_KATEGORII_CENY, CENA_NETTO, CENA_BRUTTO, "
                   "SYM_WALUTY, CENA_WALUTOWA) VALUES (101, 1, 40, 49.20, 'EUR', 10), (102, 1, 5, 6.15, "
                   "NULL, NULL), (103, 1, 1, 1, 'HUF', 1000)",
                   nullptr, nullptr, nullptr),
      SQLITE_OK);
  ASSERT_TRUE(call(db_, "AP_PrzeliczCenyArtykulow",
                   {Value::integer(std::stoll(day_)), Value::text("Nie"), Value::text("Marża")})
                  .ok());
  EXPECT_EQ(scalar(db_,
                   "SELECT printf('%.2f|%.2f', CENA_NETTO, CENA_BRUTTO) FROM CENA_ARTYKULU WHERE "
                   "ID_ARTYKULU = 101"),
            "42.22|51.93");
  EXPECT_EQ(scalar(db_,
                   "SELECT printf('%.2f|%.2f', CENA_NETTO, CENA_BRUTTO) FROM CENA_ARTYKULU WHERE "
                   "ID_ARTYKULU = 102"),
            "5.00|6.15");
  EXPECT_EQ(scalar(db_, "SELECT printf('%.2f', CENA_NETTO) FROM CENA_ARTYKULU WHERE ID_ARTYKULU = 103"),
            "10.96");

  ASSERT_EQ(sqlite3_exec(db_, "UPDATE CENA_ARTYKULU SET SYM_WALUTY = 'GBP' WHERE ID_ARTYKULU = 103", nullptr,
                         nullptr, nullptr),
            SQLITE_OK);
  EXPECT_FALSE(
      call(db_, "AP_PrzeliczCenyArtykulow", {Value::integer(100), Value::text("Nie"), Value::text("")}).ok())
      << "no rate on a day before any quotation";
  EXPECT_EQ(scalar(db_, "SELECT printf('%.2f', CENA_NETTO) FROM CENA_ARTYKULU WHERE ID_ARTYKULU = 101"),
            "42.22")
      << "a failing recalculation leaves every price as it was";
}

}  // namespace
}  // namespace server
