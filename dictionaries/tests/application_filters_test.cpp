// Application filters of a context: the list shared with the user, a new filter registered by the server
// with the filter window's values, the values of a chosen one back in the window, and the users assigned.
#include "dane/globals.h"
#include "dane/record_group.h"
#include "dictionary_session.h"
#include "slownik/dictionaries.h"

namespace slownik {
namespace {

using testing::DictionarySession;

class ApplicationFilters : public DictionarySession {
 protected:
  void SetUp() override {
    DictionarySession::SetUp();
    for (const char* field : {"MIASTO", "SALDO_OD", "STALY"}) group_.add(field);
  }
  std::string users_of(int filter) {
    return value_of(
        "select group_concat(ID_UZYTKOWNIKA, ',') from (select ID_UZYTKOWNIKA from MAG_UZYTKOWNIK_FILTROW "
        "where ID_FILTRA=" +
        std::to_string(filter) + " order by ID_UZYTKOWNIKA)");
  }
  dane::RecordGroup group_{"FKON"};
};

TEST_F(ApplicationFilters, ANewFilterIsRegisteredWithTheWindowsValuesAndNamesAreUnique) {
  group_.set("MIASTO", "Kraków & <okolice>");
  host_.browse("insert")
      .form_set("NAZWA", "Stali odbiorcy")
      .form_ok()
      .answer("OK", "Ostrzeżenie", "Istnieje już filtr o podanej nazwie!|Proszę zmienić nazwę.")
      .form_set("NAZWA", "Klienci z Krakowa")
      .form_ok();
  host_.browse("close");
  LISTAFILTROWAPLIKACJI_BRW("Kontrahent_Brw", group_);
  EXPECT_EQ(failures(), "");
  ASSERT_FALSE(shown("browse").empty());
  EXPECT_EQ(shown("browse").front().title, "Filtry aplikacji");
  EXPECT_EQ(shown("browse").back().rows,
            (std::vector<std::string>{"Dłużnicy z Warszawy", "Klienci z Krakowa", "Stali odbiorcy"}));
  const std::string id =
      value_of("select ID_FILTRA from MAG_DEFINICJA_FILTRA where NAZWA='Klienci z Krakowa'");
  ASSERT_FALSE(id.empty());
  EXPECT_EQ(value_of("select PODSYSTEM+'/'+TYP+'/'+KONTEKST+'/'+cast(ID_UZYTKOWNIKA as varchar(10)) from "
                     "MAG_DEFINICJA_FILTRA "
                     "where ID_FILTRA=" +
                     id),
            "FiltrF8/Filtr/Kontrahent_Brw/3000001");
  EXPECT_EQ(users_of(std::stoi(id)), "3000001");
  EXPECT_EQ(
      value_of("select XML_FILTRA from MAG_FILTR_UZYTKOWNIKA where ID_FILTRA=" + id),
      "<GROUP><MIASTO>Kraków &amp; &lt;okolice&gt;</MIASTO><SALDO_OD></SALDO_OD><STALY></STALY></GROUP>");
  ASSERT_FALSE(sent("call RM_DodajFiltrUzytkownika(").empty());
  EXPECT_EQ(
      sent("call RM_DodajFiltrUzytkownika(").back(),
      "call RM_DodajFiltrUzytkownika('Klienci z Krakowa','Kontrahent_Brw','Filtr','FiltrF8',3000001,1)");
}

TEST_F(ApplicationFilters, AUserSeesOnlyTheFiltersSharedWithHimAndAChosenOneFillsTheWindow) {
  start_session(3000003);
  host_.browse("close");
  LISTAFILTROWAPLIKACJI_BRW("Kontrahent_Brw", group_);
  EXPECT_TRUE(shown("browse").back().rows.empty());

  start_session(3000002);
  dane::GLOBALREQUEST.store(static_cast<std::uint8_t>(dane::Request::Select));
  host_.browse("select", "NAZWA", "Dłużnicy z Warszawy");
  LISTAFILTROWAPLIKACJI_BRW("Kontrahent_Brw", group_);
  EXPECT_EQ(failures(), "");
  EXPECT_EQ(dane::GLOBALRESPONSE.load(), 1);
  // The author's (the administrator's) values, not the chooser's.
  EXPECT_EQ(group_.value("MIASTO"), "Warszawa");
  EXPECT_EQ(group_.value("SALDO_OD"), "1000");
}

TEST_F(ApplicationFilters, UsersAreAssignedAndTheAdministratorAndAuthorStay) {
  host_.browse_locate("Stali")
      .browse_action("Uzytkownicy")
      .browse_action("DodajUzytkownika")
      .browse("select", "NAZWA", "Jan Kowalski")
      .answer("OK", "Ostrzeżenie", "Wybrany użytkownik jest już przypisany do filtra!")
      .browse_action("DodajUzytkownika")
      .browse("select", "NAZWA", "Anna Nowak")
      .browse("close", "NAZWA", "Administrator");
  host_.browse("close");
  LISTAFILTROWAPLIKACJI_BRW("Kontrahent_Brw", group_);
  EXPECT_EQ(failures(), "");
  EXPECT_EQ(users_of(502), "3000001,3000002,3000003");
  const auto lists = shown("browse");
  ASSERT_GE(lists.size(), 2u);
  EXPECT_EQ(lists[1].title, "Użytkownicy filtra Stali odbiorcy");

  // Removing: the administrator never, the author after its own question, all others at once.
  host_.browse_locate("Stali")
      .browse_action("Uzytkownicy")
      .browse_locate("Administrator")
      .browse_action("UsunUzytkownika")
      .answer("OK", "Ostrzeżenie",
              "Użytkownika Administrator nie można usunąć z listy przypisanych do filtra.")
      .browse_action("UsunWszystkich")
      .answer(
          "Tak", "",
          "Czy usunąć przypisanie wszystkich użytkowników do filtra (Administrator oraz twórca filtra nie "
          "zostaną usunięci z listy) ?")
      .browse_locate("Jan")
      .browse_action("UsunUzytkownika")
      .answer(
          "Nie", "",
          "Czy na pewno usunąć użytkownika, któy utworzył filtr z listy przypisanych użytkowników do filtra?")
      .browse("close");
  host_.browse("close");
  LISTAFILTROWAPLIKACJI_BRW("Kontrahent_Brw", group_);
  EXPECT_EQ(failures(), "");
  EXPECT_EQ(users_of(502), "3000001,3000002");

  host_.browse_locate("Stali")
      .browse_action("Uzytkownicy")
      .browse_action("DodajWszystkich")
      .answer("Tak", "", "Czy przydzielić wszystkich użytkowników do filtra ?")
      .browse("close");
  host_.browse("close");
  LISTAFILTROWAPLIKACJI_BRW("Kontrahent_Brw", group_);
  EXPECT_EQ(failures(), "");
  EXPECT_EQ(users_of(502), "3000001,3000002,3000003,3000004,3000005");
}

TEST_F(ApplicationFilters, ADeletedFilterTakesItsUsersAndValuesWithIt) {
  host_.browse("delete", "NAZWA", "Stali odbiorcy").answer("Tak", "", "Czy usunąć bieżący filtr?");
  host_.browse("close");
  LISTAFILTROWAPLIKACJI_BRW("Kontrahent_Brw", group_);
  EXPECT_EQ(failures(), "");
  EXPECT_EQ(value_of("select count(*) from MAG_DEFINICJA_FILTRA where ID_FILTRA=502"), "0");
  EXPECT_EQ(value_of("select count(*) from MAG_UZYTKOWNIK_FILTROW where ID_FILTRA=502"), "0");
  EXPECT_EQ(value_of("select count(*) from MAG_FILTR_UZYTKOWNIKA where ID_FILTRA=502"), "0");
  EXPECT_EQ(users_of(501), "3000001,3000002");
}

}  // namespace
}  // namespace slownik
