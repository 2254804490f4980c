// Setting profiles: unique names per firm and context, the positions of the context with their
// descriptions and defaults, the values kept per profile, and the delete that asks about assignments.
#include "dictionary_session.h"
#include "slownik/dictionaries.h"

namespace slownik {
namespace {

using testing::DictionarySession;

class SettingProfiles : public DictionarySession {
 protected:
  void SetUp() override {
    DictionarySession::SetUp();
    ASSERT_TRUE(
        run("insert into MAG_PROFILE_USTAWIEN (ID_PROFILU, ID_FIRMY, NAZWA, KONTEKST) values "
            "(901, 1, 'Hurt', 'XML')"));
    ASSERT_TRUE(
        run("insert into MAG_PROFILE_USTAWIEN (ID_PROFILU, ID_FIRMY, NAZWA, KONTEKST) values "
            "(902, 1, 'Detal', 'EDI')"));
    ASSERT_TRUE(
        run("insert into MAG_PROFILE_USTAWIEN (ID_PROFILU, ID_FIRMY, NAZWA, KONTEKST) values "
            "(903, 2, 'Sieć', 'XML')"));
    ASSERT_TRUE(
        run("insert into MAG_PROFIL_USTAWIEN_POZYCJA (ID_PROFILU, ID_POZYCJI, WARTOSC) values "
            "(901, 147, 'Windows-1250')"));
    recording_->forget();
  }

  std::string value_in(const std::string& profile, int position) {
    return value_of(
        "select WARTOSC from MAG_PROFIL_USTAWIEN_POZYCJA p join MAG_PROFILE_USTAWIEN m on "
        "m.ID_PROFILU=p.ID_PROFILU where m.NAZWA='" +
        profile + "' and p.ID_POZYCJI=" + std::to_string(position));
  }

  // The fields of the last form shown, as "NAME=text".
  std::string form_field(const std::string& name) const {
    const auto forms = shown("form");
    if (forms.empty()) return "<no form>";
    for (const std::string& f : forms.back().fields) {
      if (f.starts_with(name + "=")) return f.substr(name.size() + 1);
    }
    return "<none>";
  }
};

TEST_F(SettingProfiles, ANameIsRequiredAndUniqueWithinTheFirmAndContextOnly) {
  host_.browse("insert")
      .form_ok()
      .answer("OK", "Ostrzeżenie", "Nazwa wariantu ustawień nie może być pusta!")
      .form_set("NAZWA", "Hurt")
      .form_ok()
      .answer("OK", "Ostrzeżenie", "Istnieje już wariant ustawień o podanej nazwie!|Proszę zmienić nazwę.")
      .form_set("NAZWA", "Detal")
      .form_ok();
  host_.browse("close");
  PROFILE_USTAWIEN_BRW("XML");
  EXPECT_EQ(failures(), "");
  ASSERT_FALSE(shown("browse").empty());
  EXPECT_EQ(shown("browse").front().title, "Wariant ustawień wymiany danych XML");
  // The new one is listed; the other firm's ("Standard" of firm 2, "Sieć") and the other context's are not.
  EXPECT_EQ(shown("browse").front().rows,
            (std::vector<std::string>{"Detal", "Hurt", "Sieć handlowa Północ", "Standard"}));
  EXPECT_EQ(value_of("select count(*) from MAG_PROFILE_USTAWIEN where NAZWA='Detal' and KONTEKST='XML' and "
                     "ID_FIRMY=1"),
            "1");
  const auto checks = sent("select id_profilu from MAG_PROFILE_USTAWIEN where");
  ASSERT_FALSE(checks.empty());
  EXPECT_EQ(
      checks.back(),
      "select id_profilu from MAG_PROFILE_USTAWIEN where id_firmy=1 and nazwa='Detal' and kontekst='XML' "
      "and id_profilu<>0");
}

TEST_F(SettingProfiles, TheFormShowsEachPositionOfTheContextWithItsDefaultAndKeepsTheValuesTyped) {
  host_.browse("change", "NAZWA", "Hurt");
  host_.form_set("POZYCJA", "XMLKodowanie");
  host_.form_set("WARTOSC", "ISO-8859-2");
  host_.form_set("POZYCJA", "XMLWersjaSchematu");
  host_.form_set("WARTOSC", "3.0");
  host_.form_set("POZYCJA", "XMLProfilPomijany");  // never a position of a profile
  host_.form_ok();
  host_.browse("close");
  PROFILE_USTAWIEN_BRW("XML");
  EXPECT_EQ(failures(), "step 6: field POZYCJA of window profile_ustawien_upd \"Edycja\" cannot be set\n");
  EXPECT_EQ(form_field("POZYCJA"), "XMLWersjaSchematu");
  EXPECT_EQ(form_field("OPIS"), "Wersja schematu dokumentów XML\nWartość domyślna: 2.1");
  EXPECT_EQ(value_in("Hurt", 147), "ISO-8859-2");
  EXPECT_EQ(value_in("Hurt", 146), "3.0");
  EXPECT_EQ(value_in("Hurt", 148), "Tak");
  EXPECT_EQ(value_of("select count(*) from MAG_PROFIL_USTAWIEN_POZYCJA where ID_PROFILU=901"), "4");
  EXPECT_EQ(sent("select opis from POZYCJAKONFIG where id_pozycji=147").size(), 1u);
}

TEST_F(SettingProfiles, ANewProfileStartsFromTheDefaultsAndAQuoteInAValueIsKept) {
  host_.browse("insert")
      .form_set("NAZWA", "O'Neill")
      .form_set("POZYCJA", "XMLKatalog")
      .form_set("WARTOSC", "C:\\Wymiana\\O'Neill")
      .form_ok()
      .browse("close");
  PROFILE_USTAWIEN_BRW("XML");
  EXPECT_EQ(failures(), "");
  EXPECT_EQ(value_in("O''Neill", 149), "C:\\Wymiana\\O'Neill");
  EXPECT_EQ(value_in("O''Neill", 147), "UTF-8");
  EXPECT_EQ(value_of("select KONTEKST from MAG_PROFILE_USTAWIEN where NAZWA='O''Neill'"), "XML");
}

TEST_F(SettingProfiles, AnAssignedProfileIsDeletedWithItsAssignmentsOnlyWhenTheUserAgrees) {
  ASSERT_TRUE(
      run("insert into MAG_PROFIL_USTAWIEN_KONTRAHENTA (ID_PROFILU, ID_KONTRAHENTA) values (901, 3)"));
  const std::string question =
      "Wariant Hurt jest przypisany do kontrahentów.|Czy usunąć go wraz z przypisaniami?";
  host_.browse("delete", "NAZWA", "Hurt").answer("Nie", "Pytanie", question);
  host_.browse("delete", "NAZWA", "Hurt").answer("Tak", "Pytanie", question).browse("close");
  PROFILE_USTAWIEN_BRW("XML");
  EXPECT_EQ(failures(), "");
  EXPECT_EQ(value_of("select count(*) from MAG_PROFILE_USTAWIEN where ID_PROFILU=901"), "0");
  EXPECT_EQ(value_of("select count(*) from MAG_PROFIL_USTAWIEN_KONTRAHENTA where ID_PROFILU=901"), "0");
  EXPECT_EQ(value_of("select count(*) from MAG_PROFIL_USTAWIEN_POZYCJA where ID_PROFILU=901"), "0");
}

TEST_F(SettingProfiles, AProfileWithoutAssignmentsAsksTheOrdinaryQuestion) {
  host_.browse("delete", "NAZWA", "Hurt").answer("Tak", "Pytanie", "Czy usunąć ten wariant ustawień?");
  host_.browse("close");
  PROFILE_USTAWIEN_BRW("XML");
  EXPECT_EQ(failures(), "");
  EXPECT_EQ(value_of("select count(*) from MAG_PROFILE_USTAWIEN where ID_PROFILU=901"), "0");
}

TEST_F(SettingProfiles, ValuesThatCannotBeWrittenLeaveTheOnesBeforeAndSaySo) {
  host_.browse("change", "NAZWA", "Hurt")
      .form_set("POZYCJA", "XMLKodowanie")
      .form_set("WARTOSC", "ASCII")
      .form_ok()
      .answer("OK", "Ostrzeżenie", "Nie udało się zapisać wartości wariantu ustawień!|dysk pełny")
      .browse("close");
  faults_->fail_statements_starting("begin transaction", db::Status::statement_failed("dysk pełny"));
  PROFILE_USTAWIEN_BRW("XML");
  EXPECT_EQ(failures(), "");
  EXPECT_EQ(value_in("Hurt", 147), "Windows-1250");
}

}  // namespace
}  // namespace slownik
