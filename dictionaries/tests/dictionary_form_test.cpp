// The generic dictionary form over a record store that fails as record access does: a key that exists
// (40), a record gone meanwhile (35), the engine's failure (90); a delete is never written as a change.
#include "pattern/dictionary_form.h"
#include "dane/record_store.h"
#include "dictionary_session.h"
#include "windows/windows.h"

namespace slownik {
namespace {

using testing::DictionarySession;

class FormOverStore : public DictionarySession {
 protected:
  void SetUp() override {
    DictionarySession::SetUp();
    store_.insert(
        {{"SYM_WALUTY", "EUR"}, {"NAZWA_WALUTY", "euro"}, {"MNOZNIK_WALUTY", "1"}, {"SYM_KRAJU", ""}});
  }
  dane::Response run(dane::Request request) {
    dane::GLOBALREQUEST = static_cast<std::uint8_t>(request);
    return run_dictionary_form(currencies(), store_);
  }
  std::string stored(const std::string& symbol, const std::string& field) {
    for (const auto& r : store_.records()) {
      if (r.at("SYM_WALUTY") == symbol) return r.at(field);
    }
    return "<none>";
  }
  dane::MemoryRecordStore store_{{"SYM_WALUTY", "NAZWA_WALUTY", "MNOZNIK_WALUTY", "SYM_KRAJU", "NUMER"},
                                 {"SYM_WALUTY"}};
};

TEST_F(FormOverStore, AnInsertRefusedForItsKeyKeepsTheFormOpenWithItsData) {
  store_.fail_next(dane::kDuplicateKey, "UNIQUE constraint failed");
  host_.form_set("SYM_WALUTY", "NOK").form_set("NAZWA_WALUTY", "korona norweska").form_ok();
  host_.answer("OK", "Ostrzeżenie", "Nie udało się dodać rekordu!|Rekord o takim kluczu już istnieje.");
  host_.form_ok();
  EXPECT_EQ(run(dane::Request::Insert), dane::Response::Completed);
  EXPECT_EQ(failures(), "");
  EXPECT_EQ(stored("NOK", "NAZWA_WALUTY"), "korona norweska");
  EXPECT_EQ(stored("NOK", "MNOZNIK_WALUTY"), "1");  // the default of a new currency
}

TEST_F(FormOverStore, AChangeOfARecordGoneMeanwhileSaysSoAndWritesNothing) {
  ASSERT_TRUE(store_.fetch({"EUR"}).ok());
  store_.fail_next(dane::kRecordNotFound);
  host_.form_set("NAZWA_WALUTY", "euro (EUR)").form_ok();
  host_.answer("OK", "Ostrzeżenie", "Nie udało się zapisać zmian!|Rekordu nie ma już w bazie danych.");
  host_.form_cancel();
  EXPECT_EQ(run(dane::Request::Change), dane::Response::Cancelled);
  EXPECT_EQ(failures(), "");
  EXPECT_EQ(stored("EUR", "NAZWA_WALUTY"), "euro");
}

TEST_F(FormOverStore, ADeleteRemovesTheRecordAndAFailedOneKeepsIt) {
  ASSERT_TRUE(store_.fetch({"EUR"}).ok());
  store_.fail_next(db::kStatementFailed, "database is locked");
  host_.answer("Tak", "Pytanie", "Czy usunąć tę walutę?");
  host_.answer("OK", "Ostrzeżenie", "Nie udało się usunąć rekordu!|90 database is locked");
  EXPECT_EQ(run(dane::Request::Delete), dane::Response::Cancelled);
  EXPECT_EQ(stored("EUR", "NAZWA_WALUTY"), "euro");

  ASSERT_TRUE(store_.fetch({"EUR"}).ok());
  host_.answer("Tak", "Pytanie", "Czy usunąć tę walutę?");
  EXPECT_EQ(run(dane::Request::Delete), dane::Response::Completed);
  EXPECT_EQ(stored("EUR", "NAZWA_WALUTY"), "<none>");
  EXPECT_EQ(failures(), "");
}

TEST_F(FormOverStore, TitlesFollowTheModeAndViewCannotSave) {
  ASSERT_TRUE(store_.fetch({"EUR"}).ok());
  host_.form_set("NAZWA_WALUTY", "x");  // refused: nothing in view mode takes typing
  host_.form_ok().form_cancel();
  EXPECT_EQ(run(dane::Request::View), dane::Response::Cancelled);
  EXPECT_NE(failures().find("cannot be set"), std::string::npos) << failures();
  const auto forms = shown("form");
  ASSERT_EQ(forms.size(), 1u);
  EXPECT_EQ(forms[0].title, "View Record");
  EXPECT_EQ(stored("EUR", "NAZWA_WALUTY"), "euro");
}

}  // namespace
}  // namespace slownik
