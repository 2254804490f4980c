// Classifiers end to end on the demo database: the definitions as the demo holds them, values read,
// computed, saved, copied to twin articles and found again by the filter conditions.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dane/database.h"
#include "db/test_clients.h"
#include "keldox/classifiers.h"
#include "keldox/sql.h"
#include "tests/classifier_support.h"
#include "tests/message_recorder.h"

namespace keldox {
namespace {

class ClassifierDemo : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(demo.ok()) << demo.error(); }

  // The first column of every row, joined by ",".
  static std::string ids(const std::string& statement) {
    EXECSQL(statement);
    std::string out;
    while (next_row()) out += (out.empty() ? "" : ",") + column(1);
    CLOSESQL();
    return out;
  }

  testing::ClassifierDemo demo;
  testing::MessageRecorder messages;
};

TEST_F(ClassifierDemo, AnApostropheIsSavedDoubledAndReadBackWhole) {
  ClassifierValues v{};
  ASSERT_EQ(KLASYFIKATORY_INITUSE("id_kontrahenta", "Kontrahent", 2, v, 2), 1);
  EXPECT_EQ(v[0].str(), "Jan Kowalski");
  v[0] = "O'Brien";
  db::RecordingClient recording(demo.client());
  dane::install_database(&recording);
  KLASYFIKATORY_ZAPISZ("id_kontrahenta", "Kontrahent", 2, v);
  ASSERT_EQ(recording.statements().size(), 1u);
  EXPECT_NE(recording.statements()[0].find("pole1='O''Brien'"), std::string::npos);
  dane::install_database(&demo.client());
  EXPECT_EQ(FUNCSQL("select pole1 from kontrahent where id_kontrahenta=2"), "O'Brien");
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ClassifierDemo, AGroupChangeOfFieldTwoLeavesTheOtherColumns) {
  ClassifierValues v{};
  v[0] = "nikt";
  v[1] = "7.25";
  ClassifierMarks marks{};
  marks[1] = "1";
  KLASYFIKATORY_ZAPISZ("id_kontrahenta in (1,2)", "Kontrahent", 0, v, &marks);
  EXPECT_EQ(ids("select pole2 from kontrahent where id_kontrahenta in (1,2,3) order by id_kontrahenta"),
            "7.25,7.25,2.50");
  EXPECT_EQ(ids("select pole1 from kontrahent where id_kontrahenta in (1,2) order by id_kontrahenta"),
            "Piotr O'Brien,Jan Kowalski");
}

TEST_F(ClassifierDemo, ArticlesPassAGroupChangeToTheirTwins) {
  ClassifierValues v{};
  v[0] = "Fioletowy";
  ClassifierMarks marks{};
  marks[0] = "1";
  testing::set_article_synchronisation("Wspólne");
  KLASYFIKATORY_ZAPISZ("id_artykulu=101", "Artykul", 0, v, &marks);
  EXPECT_TRUE(messages.shown.empty()) << messages.shown.front().text;
  EXPECT_EQ(ids("select id_artykulu from artykul where pole1='Fioletowy' order by id_artykulu"), "101,104");

  testing::set_article_synchronisation("Rozłączne");
  v[0] = "Szary";
  KLASYFIKATORY_ZAPISZ("id_artykulu=102", "Artykul", 0, v, &marks);
  EXPECT_EQ(ids("select id_artykulu from artykul where pole1='Szary'"), "102");
}

TEST_F(ClassifierDemo, AGapInTheNumbersStopsFillingButNotSaving) {
  // The warehouses' fields are numbered 1, 2 and 4.
  ClassifierValues v{};
  v[3] = "przed";
  ASSERT_EQ(KLASYFIKATORY_INITUSE("id_magazynu", "Magazyn", 2, v, 2), 1);
  EXPECT_EQ(v[0].str(), "Ewa Zielińska");
  EXPECT_EQ(v[1].str(), "800");
  EXPECT_EQ(v[3].str(), "przed");

  v[3] = "82427";
  KLASYFIKATORY_ZAPISZ("id_magazynu", "Magazyn", 2, v);
  EXPECT_EQ(FUNCSQL("select pole4 from magazyn where id_magazynu=2"), "82427");
  EXPECT_EQ(FUNCSQL("select pole3 from magazyn where id_magazynu=2"), "nieużywane");  // no field 3
  v[0] = "";
  EXPECT_TRUE(KLASYFIKATORY_WALIDUJ("Magazyn", v));
  EXPECT_EQ(messages.shown.back().text, "Musisz wypełnić pole dodatkowe Kierownik!");
}

TEST_F(ClassifierDemo, TheComputedFieldAsksTheServerFunction) {
  ClassifierValues v{};
  ASSERT_EQ(KLASYFIKATORY_INITUSE("id_artykulu", "Artykul", 101, v, 2), 1);
  EXPECT_EQ(v[3].str(), "14.0000");
  EXECSQL("update stan_artykulu set ilosc=ilosc+6 where id_artykulu=101 and id_magazynu=1");
  CLOSESQL();
  ASSERT_EQ(KLASYFIKATORY_INITUSE("id_artykulu", "Artykul", 101, v, 2), 1);
  EXPECT_EQ(v[3].str(), "20.0000");
  ASSERT_EQ(KLASYFIKATORY_INITUSE("id_artykulu", "Artykul", 101, v, 0), 1);
  EXPECT_EQ(v[3].str(), "14.0000");  // the column as the last save left it
}

TEST_F(ClassifierDemo, FilterConditionsFindTheirRecords) {
  ClassifierValues v{};
  ClassifierMarks ops{};
  v[1] = "500";
  ops[1] = ">";
  const std::string numbers = KLASYFIKATORY_UTWORZSQL("Magazyn", v, &ops);
  EXPECT_EQ(numbers, "cast(A.pole2 as real) >500");
  EXPECT_EQ(ids("select id_magazynu from magazyn A where " + numbers + " order by id_magazynu"),
            ids("select id_magazynu from magazyn where id_magazynu>=2 order by id_magazynu"));
  EXPECT_EQ(ids("select count(*) from magazyn A where " + numbers), "3");

  ClassifierValues t{};
  ClassifierMarks contains{};
  t[0] = "Brien";
  contains[0] = "zawiera";
  const std::string text = KLASYFIKATORY_UTWORZSQL("Kontrahent", t, &contains);
  EXPECT_EQ(text, "A.pole1 like '%Brien%'");
  EXPECT_EQ(ids("select count(*) from kontrahent A where " + text), "10");
  t[0] = "O'B";
  EXPECT_EQ(ids("select count(*) from kontrahent A where " + KLASYFIKATORY_UTWORZSQL("Kontrahent", t)), "0");
  t[0] = "Piotr O'B";
  EXPECT_EQ(ids("select count(*) from kontrahent A where " + KLASYFIKATORY_UTWORZSQL("Kontrahent", t)), "10");

  ClassifierValues stock{};
  stock[3] = "40";
  const std::string computed = KLASYFIKATORY_UTWORZSQL("Artykul", stock);
  EXPECT_EQ(computed, "dbo.AP_Func_StanArtykulu(A.id_artykulu)='40'");
  stock[3] = "40.0000";
  EXPECT_EQ(ids("select id_artykulu from artykul A where " + KLASYFIKATORY_UTWORZSQL("Artykul", stock)),
            "102");
}

TEST_F(ClassifierDemo, AFailedReadShowsTheServersMessageAndKeepsTheValues) {
  db::FaultClient faults(demo.client());
  dane::install_database(&faults);
  faults.fail_statement(1, db::Status::statement_failed("Timeout expired"));
  ClassifierValues v{};
  v[0] = "bez zmian";
  KLASYFIKATORY_INITUSE("id_kontrahenta", "Kontrahent", 2, v, 2);
  EXPECT_EQ(v[0].str(), "bez zmian");
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Timeout expired");
  dane::install_database(&demo.client());
}

}  // namespace
}  // namespace keldox
