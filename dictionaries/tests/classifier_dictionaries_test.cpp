// The dictionaries of additional fields: unique names and values, pictures by data type, the one
// permission that governs editing, and the value picker that answers the additional-field window.
#include "dane/error_object.h"
#include "dane/globals.h"
#include "dane/settings_file.h"
#include "dictionary_session.h"
#include "keldox/classifiers.h"
#include "keldox/window_register.h"
#include "runtime/date.h"
#include "slownik/dictionaries.h"
#include "slownik/library.h"
#include "start/loaders.h"

namespace slownik {
namespace {

using testing::DictionarySession;

class ClassifierDictionaries : public DictionarySession {
 protected:
  void SetUp() override {
    DictionarySession::SetUp();
    colours_ = add_dictionary("Kolory testowe", "tekst", "s100", {"biały", "czarny", "O'Brien"});
    sizes_ = add_dictionary("Rozmiary testowe", "liczba całkowita", "n_8", {"9", "10", "42"});
    days_ =
        add_dictionary("Terminy testowe", "data", "d17", {std::to_string(runtime::make_day(2026, 12, 31))});
    recording_->forget();
  }

  std::uint32_t add_dictionary(const std::string& name, const std::string& type, const std::string& picture,
                               const std::vector<std::string>& values) {
    EXPECT_TRUE(run("insert into KLASYFIKATOR_SLOWNIK (NAZWA, TYP_DANYCH, MASKA) values ('" + name + "','" +
                    type + "','" + picture + "')"));
    const std::string id =
        value_of("select ID_SLOWNIKA from KLASYFIKATOR_SLOWNIK where NAZWA='" + name + "'");
    for (std::string v : values) {
      for (std::size_t q = v.find('\''); q != std::string::npos; q = v.find('\'', q + 2)) v.insert(q, "'");
      EXPECT_TRUE(
          run("insert into KLASYFIKATOR_SLOWNIK_WAR (ID_SLOWNIKA, WARTOSC) values (" + id + ",'" + v + "')"));
    }
    return static_cast<std::uint32_t>(std::stoul(id));
  }

  std::string count_of(std::uint32_t dictionary, const std::string& value) {
    return value_of("select count(*) from KLASYFIKATOR_SLOWNIK_WAR where ID_SLOWNIKA=" +
                    std::to_string(dictionary) + " and WARTOSC='" + value + "'");
  }

  std::uint32_t colours_ = 0, sizes_ = 0, days_ = 0;
};

TEST_F(ClassifierDictionaries, ANameMustBeGivenAndBeUniqueButItsOwnUnchangedNameIsAccepted) {
  host_.browse("insert")
      .form_ok()
      .answer("OK", "Ostrzeżenie", "Proszę wprowadzić nazwę słownika!")
      .form_set("NAZWA", "Kolory testowe")
      .form_ok()
      .answer("OK", "Ostrzeżenie", "Nazwę słownika musi być unikalna!|Proszę wprowadzić nową nazwę.")
      .form_set("NAZWA", "Materiały")
      .form_ok();
  host_.browse("change", "NAZWA", "Rozmiary testowe")
      .form_set("NAZWA", "Kolory testowe")
      .form_ok()
      .answer("OK", "Ostrzeżenie", "Nazwę słownika musi być unikalna!")
      .form_set("NAZWA", "Rozmiary testowe")
      .form_set("MASKA", "n_6")
      .form_ok();
  host_.browse("close");
  SLOWNIK_KLAS_BRW();
  EXPECT_EQ(failures(), "");
  EXPECT_EQ(value_of("select count(*) from KLASYFIKATOR_SLOWNIK where NAZWA='Materiały'"), "1");
  EXPECT_EQ(value_of("select MASKA from KLASYFIKATOR_SLOWNIK where ID_SLOWNIKA=" + std::to_string(sizes_)),
            "n_6");
  // The check leaves the dictionary itself out by its identifier.
  const auto checks = sent("select count(*) from KLASYFIKATOR_SLOWNIK where ID_SLOWNIKA<>");
  ASSERT_EQ(checks.size(), 4u);
  EXPECT_EQ(checks[1],
            "select count(*) from KLASYFIKATOR_SLOWNIK where ID_SLOWNIKA<>0 and nazwa='Kolory testowe'");
  EXPECT_EQ(checks[3], "select count(*) from KLASYFIKATOR_SLOWNIK where ID_SLOWNIKA<>" +
                           std::to_string(sizes_) + " and nazwa='Kolory testowe'");
}

TEST_F(ClassifierDictionaries, TheDataTypeOfANewDictionaryGivesItsPictureAndAnExistingOneKeepsItsOwn) {
  EXPECT_EQ(classifier_dictionary_picture("tekst"), "s100");
  EXPECT_EQ(classifier_dictionary_picture("liczba całkowita"), "n_8");
  EXPECT_EQ(classifier_dictionary_picture("liczba"), "n14_`2");
  EXPECT_EQ(classifier_dictionary_picture("data"), "d17");
  EXPECT_EQ(classifier_dictionary_picture("obraz"), "s100");

  host_.browse("insert").form_set("NAZWA", "Ceny").form_set("TYP_DANYCH", "liczba").form_ok();
  host_.browse("change", "NAZWA", "Kolory testowe").form_set("TYP_DANYCH", "data").form_ok();
  host_.browse("close");
  SLOWNIK_KLAS_BRW();
  EXPECT_EQ(failures(), "");
  EXPECT_EQ(value_of("select TYP_DANYCH from KLASYFIKATOR_SLOWNIK where NAZWA='Ceny'"), "liczba");
  EXPECT_EQ(value_of("select MASKA from KLASYFIKATOR_SLOWNIK where NAZWA='Ceny'"), "n14_`2");
  EXPECT_EQ(value_of("select MASKA from KLASYFIKATOR_SLOWNIK where NAZWA='Kolory testowe'"), "s100");
}

TEST_F(ClassifierDictionaries, WithoutTheAdditionalFieldsPermissionTheListOpensButCannotBeEdited) {
  start_session(3000002);
  host_.browse_action("Insert");
  host_.browse("close");
  SLOWNIK_KLAS_BRW();
  EXPECT_NE(failures().find("action Insert is not available"), std::string::npos) << failures();
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(dane::GLOBALRESPONSE.load(), 1);
}

TEST_F(ClassifierDictionaries, AValueMustBeUniqueInItsDictionaryWhileAnUnalteredChangeIsAccepted) {
  host_.browse("insert")
      .form_ok()
      .answer("OK", "Ostrzeżenie", "Proszę wprowadzić wartość słownika!")
      .form_set("WARTOSC", "czarny")
      .form_ok()
      .answer("OK", "Ostrzeżenie",
              "Wartości słownika Kolory testowe muszą być unikalne!|Proszę wprowadzić nową wartość.")
      .form_set("WARTOSC", "D'Artagnan")
      .form_ok();
  // The same value in another dictionary is no duplicate.
  host_.browse("change", "WARTOSC", "biały").form_ok();
  host_.browse("change", "WARTOSC", "biały")
      .form_set("WARTOSC", "O'Brien")
      .form_ok()
      .answer("OK", "Ostrzeżenie", "Wartości słownika Kolory testowe muszą być unikalne!")
      .form_set("WARTOSC", "écru")
      .form_ok();
  host_.browse("close");
  SLOWNIK_KLAS_WAR_BRW(colours_);
  EXPECT_EQ(failures(), "");
  EXPECT_EQ(count_of(colours_, "D''Artagnan"), "1");
  EXPECT_EQ(count_of(colours_, "écru"), "1");
  EXPECT_EQ(count_of(colours_, "biały"), "0");
  EXPECT_EQ(count_of(colours_, "O''Brien"), "1");
  EXPECT_EQ(shown("browse").front().title, "Wartości słownika Kolory testowe");
  EXPECT_EQ(sent("where ID_SLOWNIKA=" + std::to_string(colours_) + " and wartosc='D''Artagnan'").size(), 1u);
}

TEST_F(ClassifierDictionaries, ValuesShowInTheDictionarysPictureAndADateIsStoredAsItsDayNumber) {
  host_.browse("close");
  SLOWNIK_KLAS_WAR_BRW(sizes_);
  host_.browse("insert").form_set("WARTOSC", "01.02.2027").form_ok().browse("close");
  SLOWNIK_KLAS_WAR_BRW(days_);
  EXPECT_EQ(failures(), "");
  const auto browses = shown("browse");
  ASSERT_EQ(browses.size(), 2u);
  EXPECT_EQ(browses[0].headers, (std::vector<std::string>{"Wartości"}));
  // Values are texts: they sort as texts whatever the type.
  EXPECT_EQ(browses[0].rows, (std::vector<std::string>{"10", "42", "9"}));
  const runtime::DayNumber day = runtime::make_day(2027, 2, 1);
  EXPECT_EQ(count_of(days_, std::to_string(day)), "1");
  EXPECT_EQ(browses[1].rows.back(), "01.02.2027");
  EXPECT_EQ(browses[1].rows.front(), "31.12.2026");
}

TEST_F(ClassifierDictionaries, ThePickerStartsAtTheCurrentValueAndHandsBackTheChosenOne) {
  // Select with no row named takes the current row: the one the picker moved to.
  host_.browse("select");
  EXPECT_EQ(pick_classifier_value(colours_, "czarny"), "czarny");
  host_.browse("select", "WARTOSC", "O'Brien");
  EXPECT_EQ(pick_classifier_value(colours_, ""), "O'Brien");
  host_.browse("insert").form_set("WARTOSC", "zielony").form_ok().browse("select", "WARTOSC", "zielony");
  EXPECT_EQ(pick_classifier_value(colours_, "biały"), "zielony");
  host_.browse("close");
  EXPECT_EQ(pick_classifier_value(colours_, "biały"), std::nullopt);
  EXPECT_EQ(failures(), "");
  EXPECT_EQ(shown("browse").front().title, "Słownik Kolory testowe");
  // The register lets the picker go when it closes.
  EXPECT_EQ(keldox::WEZOKNO("SLOWNIKIDOD"), 0);
}

// The classifier window of keldox reaches this library's picker once the library has started.
TEST_F(ClassifierDictionaries, TheClassifierWindowsDictionaryButtonOpensThePickerOfThisLibrary) {
  dane::ErrorObject errors;
  dane::SettingsFile settings;
  slownik::INIT(&errors, &settings);
  start::LADUJKLASYFIKATORY();
  keldox::ClassifierValues values{};
  host_.form_press("1208").browse("select", "WARTOSC", "36").form_ok();
  EXPECT_EQ(keldox::KLASYFIKATORY_OKNO("id_artykulu", "Artykul", 101, values, 2), 1);
  slownik::KILL();
  keldox::set_classifier_value_picker(nullptr);
  EXPECT_EQ(failures(), "");
  EXPECT_EQ(values[7].str(), "36");
  EXPECT_EQ(shown("browse").front().title, "Słownik Okresy gwarancji");
}

}  // namespace
}  // namespace slownik
