// Countries: both fields required, duplicates by name or symbol without regard to case, titles by mode.
#include "dictionary_session.h"
#include "slownik/dictionaries.h"

namespace slownik {
namespace {

using testing::DictionarySession;
using Countries = DictionarySession;

TEST_F(Countries, BothFieldsAreRequired) {
  host_.browse("insert")
      .form_set("SYM_KRAJU", "NO")
      .form_ok()
      .answer("OK", "Ostrzeżenie", "Symbol kraju i jego nazwa muszą być wypełnione!")
      .form_cancel()
      .browse("close");
  KRAJ_BRW();
  EXPECT_EQ(failures(), "");
  EXPECT_EQ(shown("form").front().title, "Dodawanie kraju");
  EXPECT_EQ(value_of("select count(*) from KRAJE where SYM_KRAJU='NO'"), "0");
}

TEST_F(Countries, ANameOrSymbolThatExistsInAnotherCaseIsADuplicate) {
  host_.browse("insert")
      .form_set("SYM_KRAJU", "de")
      .form_set("NAZWA_KRAJU", "Deutschland")
      .form_ok()
      .answer("OK", "Ostrzeżenie", "Uwaga!|Kraj Deutschland o symbolu de już istnieje w kartotece!")
      .form_set("SYM_KRAJU", "XD")
      .form_set("NAZWA_KRAJU", "NIEMCY")
      .form_ok()
      .answer("OK", "Ostrzeżenie", "o symbolu XD już istnieje")
      .form_set("NAZWA_KRAJU", "Kraj X'D")
      .form_ok()
      .browse("close");
  KRAJ_BRW();
  EXPECT_EQ(failures(), "");
  EXPECT_EQ(value_of("select NAZWA_KRAJU from KRAJE where SYM_KRAJU='XD'"), "Kraj X'D");
}

TEST_F(Countries, TheEditedRowIsNoDuplicateOfItselfButAnotherRowBehindItIs) {
  // Renaming Germany keeps its own symbol: no conflict. Taking Czechia's symbol is one, even though the
  // first row found is Germany itself.
  host_.browse("change", "SYM_KRAJU", "DE").form_set("NAZWA_KRAJU", "Niemcy (RFN)").form_ok();
  host_.browse("change", "SYM_KRAJU", "DE")
      .form_set("SYM_KRAJU", "CZ")
      .form_ok()
      .answer("OK", "Ostrzeżenie", "o symbolu CZ już istnieje")
      .form_cancel();
  host_.browse("close");
  KRAJ_BRW();
  EXPECT_EQ(failures(), "");
  EXPECT_EQ(value_of("select NAZWA_KRAJU from KRAJE where SYM_KRAJU='DE'"), "Niemcy (RFN)");
  EXPECT_EQ(value_of("select NAZWA_KRAJU from KRAJE where SYM_KRAJU='CZ'"), "Czechy");
}

TEST_F(Countries, AStatementThatFailsKeepsTheFormOpenWithItsData) {
  host_.browse("insert").form_set("SYM_KRAJU", "NO").form_set("NAZWA_KRAJU", "Norwegia");
  host_.form_ok().answer("OK", "Ostrzeżenie", "Wystąpił problem podczas zatwierdzania danych kraju! Powód: ");
  host_.form_ok().browse("close");
  // The duplicate query is the first statement after the list's first page.
  faults_->fail_statement(faults_->statements_seen() + 2, db::Status::statement_failed("dysk pełny"));
  KRAJ_BRW();
  EXPECT_EQ(failures(), "");
  EXPECT_EQ(messages().front(),
            "MIRLET: Ostrzeżenie: Wystąpił problem podczas zatwierdzania danych kraju! Powód: dysk pełny");
  EXPECT_EQ(value_of("select NAZWA_KRAJU from KRAJE where SYM_KRAJU='NO'"), "Norwegia");
}

}  // namespace
}  // namespace slownik
