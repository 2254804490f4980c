// The statements the classifier functions compose, over definitions written by hand and a scripted
// database: filter conditions, saving, filling, and what bad input may not do to any of them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dane/database.h"
#include "dane/globals.h"
#include "db/test_clients.h"
#include "keldox/classifiers.h"
#include "runtime/date.h"
#include "tests/classifier_support.h"
#include "tests/message_recorder.h"

namespace keldox {
namespace {

using testing::add_definition;

ClassifierValues values_of(std::initializer_list<std::pair<std::size_t, const char*>> given) {
  ClassifierValues v{};
  for (const auto& [n, text] : given) v[n - 1] = text;
  return v;
}

class ClassifierStatements : public ::testing::Test {
 protected:
  void SetUp() override {
    dane::reset_session();
    dane::install_database(&recording);
    // Numbered 1 to 5, then 7 after a gap; one computed field, one of a type the system does not know.
    add_definition({"Towar", 1, "Nazwa robocza", "pole1"});
    add_definition({"Towar", 2, "Waga", "pole2", "liczba"});
    add_definition({"Towar", 3, "Stan", "pole3", "tekst", 3, "", "", 1, 0, "dbo.F_Stan", 1});
    add_definition({"Towar", 4, "Przyjęto", "pole4", "data"});
    add_definition({"Towar", 5, "Kod celny", "pole5", "waluta"});
    add_definition({"Towar", 7, "Sztuk", "pole7", "liczba całkowita"});
  }
  void TearDown() override {
    dane::install_database(nullptr);
    dane::reset_session();
  }
  std::vector<std::string> sent() const { return recording.statements(); }

  db::ScriptedClient scripted;
  db::RecordingClient recording{scripted};
  testing::MessageRecorder messages;
};

TEST_F(ClassifierStatements, WithoutOperatorsTextsMatchByPrefixAndTheRestExactly) {
  scripted.queue_rows({{"id_towaru"}});  // the group's identifier column
  const ClassifierValues v = values_of({{1, "ab  "}, {2, "5"}, {3, "x"}, {4, "82000"}, {5, "PLN"}, {7, "3"}});
  EXPECT_EQ(
      KLASYFIKATORY_UTWORZSQL("Towar", v),
      "A.pole1 like 'ab%' and A.pole2='5' and dbo.F_Stan(A.id_towaru) like 'x%' and A.pole4='82000' and "
      "A.pole5='PLN' and A.pole7='3'");
  ASSERT_EQ(sent().size(), 1u);
  EXPECT_EQ(sent()[0],
            "select NAZWA_IDENTYFIKATORA from KLASYFIKATOR_GRUPA with (nolock) where kod_klas_grupy='Towar'");
}

TEST_F(ClassifierStatements, OperatorsGiveWildcardsCastsAndQuotedComparisons) {
  scripted.queue_rows({{"id_towaru"}});
  const ClassifierValues v = values_of({{1, "ab"}, {2, "5"}, {3, "x"}, {4, "82000"}, {5, "7"}, {7, "9"}});
  ClassifierMarks ops =
      values_of({{1, "zawiera"}, {2, ">"}, {3, "nie zawiera"}, {4, "<="}, {5, ">"}, {7, "="}});
  EXPECT_EQ(KLASYFIKATORY_UTWORZSQL("Towar", v, &ops),
            "A.pole1 like '%ab%' and cast(A.pole2 as real) >5 and dbo.F_Stan(A.id_towaru) not like '%x%' and "
            "cast(A.pole4 as real) <=82000 and A.pole5 > '7' and A.pole7 = '9'");
}

TEST_F(ClassifierStatements, EmptyValuesAndEmptyOperatorsAreLeftOut) {
  const ClassifierValues v = values_of({{1, "   "}, {2, "5"}, {4, "82000"}});
  ClassifierMarks ops = values_of({{2, ""}, {4, "<>"}});
  EXPECT_EQ(KLASYFIKATORY_UTWORZSQL("Towar", v, &ops), "cast(A.pole4 as real) <>82000");
  EXPECT_EQ(KLASYFIKATORY_UTWORZSQL("Towar", ClassifierValues{}), "");
  EXPECT_EQ(KLASYFIKATORY_UTWORZSQL("Nieznana", v), "");
  EXPECT_TRUE(sent().empty());  // no computed field took part: the identifier is never asked for
}

TEST_F(ClassifierStatements, NoValueOrOperatorBreaksOutOfTheCondition) {
  const ClassifierValues v =
      values_of({{1, "O'Brien%_"}, {2, "5) or (1=1"}, {4, "1;drop table x"}, {5, "a'--"}, {7, "1"}});
  ClassifierMarks ops = values_of({{1, "zawiera"}, {2, ">"}, {4, "<"}, {5, "="}, {7, "= 1 or 1"}});
  // Quotes are doubled; "%" and "_" stay the wildcards the window's hint offers; a value compared as a
  // number that is none counts as 0; an operator of no list is no term.
  EXPECT_EQ(KLASYFIKATORY_UTWORZSQL("Towar", v, &ops),
            "A.pole1 like '%O''Brien%_%' and cast(A.pole2 as real) >0 and cast(A.pole4 as real) <0 and "
            "A.pole5 = 'a''--'");
  EXPECT_EQ(KLASYFIKATORY_UTWORZSQL("Towar", values_of({{1, "it's"}})), "A.pole1 like 'it''s%'");
}

TEST_F(ClassifierStatements, TheIdentifierColumnIsReadOnceForEveryComputedField) {
  add_definition({"Towar", 8, "Rezerwacje", "pole8", "tekst", 3, "", "", 1, 0, "dbo.F_Rez", 1});
  add_definition({"Towar", 9, "Kurs", "pole9", "tekst", 3, "", "", 1, 0, "dbo.F_Kurs", 0});
  scripted.queue_rows({{"id_towaru"}});
  EXPECT_EQ(
      KLASYFIKATORY_UTWORZSQL("Towar", values_of({{3, "1"}, {8, "2"}, {9, "3"}})),
      "dbo.F_Stan(A.id_towaru) like '1%' and dbo.F_Rez(A.id_towaru) like '2%' and dbo.F_Kurs like '3%'");
  EXPECT_EQ(sent().size(), 1u);
}

TEST_F(ClassifierStatements, SavingOneRecordWritesEveryDefinedFieldAndDoublesTextQuotes) {
  ClassifierValues v = values_of({{1, "O'Brien  "}, {2, "5.5"}, {4, "82000"}, {5, "it's"}, {7, "3"}});
  KLASYFIKATORY_ZAPISZ("id_towaru", "Towar", 7, v);
  ASSERT_EQ(sent().size(), 1u);
  EXPECT_EQ(sent()[0],
            "update Towar set pole1='O''Brien',pole2='5.5',pole3='',pole4='82000',pole5='it''s',pole7='3' "
            "where id_towaru=7");
  EXPECT_EQ(v[0].str(), "O''Brien");  // the caller's "tekst" value is changed ...
  EXPECT_EQ(v[4].str(), "it's");      // ... a value of another type only quoted in the statement
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ClassifierStatements, AQuoteDoubledAtTheEndOfAFullValueStillClosesTheLiteral) {
  ClassifierValues v{};
  v[0] = std::string(99, 'a') + "'";
  KLASYFIKATORY_ZAPISZ("id_towaru", "Towar", 1, v);
  ASSERT_EQ(sent().size(), 1u);
  EXPECT_NE(sent()[0].find("pole1='" + std::string(99, 'a') + "'''"), std::string::npos);
}

TEST_F(ClassifierStatements, AGroupChangeWritesOnlyTheMarkedFieldsUnderTheCondition) {
  ClassifierValues v = values_of({{1, "nowa"}, {2, "7"}, {7, "2"}});
  ClassifierMarks marks = values_of({{1, "0"}, {2, "1"}, {7, "x"}});
  KLASYFIKATORY_ZAPISZ("id_towaru in (1,2)", "Towar", 0, v, &marks);
  ASSERT_EQ(sent().size(), 1u);
  EXPECT_EQ(sent()[0], "update Towar set pole2='7' where id_towaru in (1,2)");

  recording.forget();
  ClassifierMarks none{};
  KLASYFIKATORY_ZAPISZ("id_towaru in (1,2)", "Towar", 0, v, &none);
  KLASYFIKATORY_ZAPISZ("id_towaru in (1,2)", "Towar", 0, v);
  EXPECT_TRUE(sent().empty());
}

TEST_F(ClassifierStatements, AnArticleGroupChangeCopiesToTheTwinsUnlessTheyAreSeparate) {
  add_definition({"Artykul", 1, "Kolor", "pole1"});
  add_definition({"Artykul", 2, "Rozmiar", "pole2"});
  ClassifierValues v = values_of({{1, "Biały"}, {2, "L"}});
  ClassifierMarks marks = values_of({{1, "1"}, {2, "1"}});
  testing::set_article_synchronisation("Wspólne");
  KLASYFIKATORY_ZAPISZ("id_artykulu=3", "Artykul", 0, v, &marks);
  ASSERT_EQ(sent().size(), 2u);
  EXPECT_EQ(sent()[0], "update Artykul set pole1='Biały',pole2='L' where id_artykulu=3");
  EXPECT_EQ(sent()[1],
            "update Artykul set pole1=a.pole1,pole2=a.pole2 from artykul b,(select * from artykul where "
            "id_artykulu=3) a where b.ID_ARTYKULU <> a.id_artykulu and b.guid_artykul=a.guid_artykul");

  recording.forget();
  testing::set_article_synchronisation("Rozłączne");
  KLASYFIKATORY_ZAPISZ("id_artykulu=3", "Artykul", 0, v, &marks);
  EXPECT_EQ(sent().size(), 1u);
  recording.forget();
  KLASYFIKATORY_ZAPISZ("id_artykulu", "Artykul", 3, v);  // one article: no twins
  EXPECT_EQ(sent().size(), 1u);
}

TEST_F(ClassifierStatements, SettlementsGoThroughTheirView) {
  add_definition({"Rozrachunek", 1, "Pilność", "pole1"});
  ClassifierValues v = values_of({{1, "pilne"}});
  KLASYFIKATORY_ZAPISZ("id_rozrachunku", "Rozrachunek", 3, v);
  scripted.queue_rows({{"pilne"}});
  KLASYFIKATORY_INITUSE("id_rozrachunku", "Rozrachunek", 3, v, 2);
  ASSERT_EQ(sent().size(), 2u);
  EXPECT_EQ(sent()[0], "update Rozrachunek_mag_v set pole1='pilne' where id_rozrachunku=3");
  EXPECT_EQ(sent()[1], "select pole1 from Rozrachunek_mag_v where id_rozrachunku=3");
}

TEST_F(ClassifierStatements, AFailedSaveShowsTheServersMessage) {
  db::FaultClient faults(scripted);
  dane::install_database(&faults);
  faults.fail_statement(1, db::Status::statement_failed("Invalid column name 'pole7'."));
  ClassifierValues v = values_of({{1, "a"}});
  KLASYFIKATORY_ZAPISZ("id_towaru", "Towar", 1, v);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].title, "MIRLET: Ostrzeżenie");
  EXPECT_EQ(messages.shown[0].text, "Invalid column name 'pole7'.");
}

TEST_F(ClassifierStatements, FillingAnExistingRecordStopsAtTheGapAndComputesOnlyWhenAsked) {
  scripted.queue_rows({{"Śruba", "0.25", "stare", "82000", "PLN"}});
  scripted.queue_rows({{"17"}});
  ClassifierValues v = values_of({{7, "kept"}});
  EXPECT_EQ(KLASYFIKATORY_INITUSE("id_towaru", "Towar", 12, v, 2), 1);
  ASSERT_EQ(sent().size(), 2u);
  EXPECT_EQ(sent()[0], "select pole1,pole2,pole3,pole4,pole5 from Towar where id_towaru=12");
  EXPECT_EQ(sent()[1], "select dbo.F_Stan(12)");
  EXPECT_EQ(v[0].str(), "Śruba");
  EXPECT_EQ(v[2].str(), "17");
  EXPECT_EQ(v[6].str(), "kept");  // field 7 lies beyond the gap

  recording.forget();
  scripted.queue_rows({{"Śruba", "0.25", "stare", "82000", "PLN"}});
  EXPECT_EQ(KLASYFIKATORY_INITUSE("id_towaru", "Towar", 12, v, 0), 1);
  EXPECT_EQ(sent().size(), 1u);  // mode 0 reads the columns as they are
  EXPECT_EQ(v[2].str(), "stare");
}

TEST_F(ClassifierStatements, ANewRecordTakesTheDefaultsAndARequiredDateToday) {
  dane::reset_session();
  add_definition({"Nowy", 1, "Status", "pole1", "tekst", 0, "", "", 1, 0, "", 0, "szkic"});
  add_definition({"Nowy", 2, "Termin", "pole2", "data", 0, "", "", 1, 1, "", 0, "0"});
  add_definition({"Nowy", 3, "Od", "pole3", "data", 0, "", "", 1, 0});
  ClassifierValues v = values_of({{3, "old"}});
  EXPECT_EQ(KLASYFIKATORY_INITUSE("id", "Nowy", 0, v, 1), 1);
  EXPECT_EQ(v[0].str(), "szkic");
  EXPECT_EQ(v[1].str(), std::to_string(runtime::today()));
  EXPECT_EQ(v[2].str(), "");
  EXPECT_TRUE(sent().empty());

  ClassifierValues empty{};
  dane::reset_session();
  add_definition({"Nowy", 1, "Status", "pole1"});
  EXPECT_EQ(KLASYFIKATORY_INITUSE("id", "Nowy", 0, empty, 1), 0);
}

TEST_F(ClassifierStatements, AFailedReadWarnsAndLeavesTheValues) {
  scripted.queue_failure(db::Status::statement_failed("Invalid object name 'Towar'."));
  ClassifierValues v = values_of({{1, "przed"}});
  EXPECT_EQ(KLASYFIKATORY_INITUSE("id_towaru", "Towar", 5, v, 2), 1);
  EXPECT_EQ(v[0].str(), "przed");
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Invalid object name 'Towar'.");
}

TEST_F(ClassifierStatements, ValidationChecksActiveFieldsUpToTenAcrossAGap) {
  dane::reset_session();
  add_definition({"Magazyn", 1, "Kierownik", "pole1", "tekst", 0, "", "", 1, 1});
  add_definition({"Magazyn", 2, "Strefa", "pole2", "tekst", 10, "A|B|Chłodnia"});
  add_definition({"Magazyn", 4, "Regał", "pole4", "tekst", 10, "R1|R2"});
  add_definition({"Magazyn", 5, "Nieaktywne", "pole5", "tekst", 0, "", "", 0, 1});
  EXPECT_FALSE(KLASYFIKATORY_WALIDUJ("Magazyn", values_of({{1, "Jan"}, {2, "Chłodnia"}, {4, "R2"}})));
  EXPECT_TRUE(messages.shown.empty());

  EXPECT_TRUE(KLASYFIKATORY_WALIDUJ("Magazyn", values_of({{1, "Jan"}, {4, "R3"}})));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Wartość pola Regał musi pochodzić z listy:|R1|R2");

  // A part of an item is no item of the list.
  EXPECT_TRUE(KLASYFIKATORY_WALIDUJ("Magazyn", values_of({{1, "Jan"}, {2, "Chło"}})));
  EXPECT_EQ(messages.shown.back().text, "Wartość pola Strefa musi pochodzić z listy:|A|B|Chłodnia");

  EXPECT_TRUE(KLASYFIKATORY_WALIDUJ("Magazyn", values_of({{1, "  "}, {4, "R3"}})));
  EXPECT_EQ(messages.shown.back().text, "Musisz wypełnić pole dodatkowe Kierownik!");
  EXPECT_EQ(messages.shown.size(), 3u);
}

}  // namespace
}  // namespace keldox
