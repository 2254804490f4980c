// Object lists on the demo database: a new list from the user's marks, always shared with the
// administrator and its creator, names unique per firm and use code, and the users of a list.
#include "dictionary_session.h"
#include "slownik/dictionaries.h"

namespace slownik {
namespace {

using testing::DictionarySession;

class ObjectLists : public DictionarySession {
 protected:
  void mark(int use, std::initializer_list<int> ids) {
    for (int id : ids)
      ASSERT_TRUE(run("insert into ZAZNACZONE (ID, UZYCIE, ID_SESJI) values (" + std::to_string(id) + "," +
                      std::to_string(use) + ",3000001)"));
  }
  std::string users_of(const std::string& list) {
    return value_of(
        "select group_concat(ID_UZYTKOWNIKA, ',') from (select ID_UZYTKOWNIKA from "
        "MAG_UZYTKOWNIK_LISTY_OBIEKTOW "
        "where ID_LISTY=" +
        list + " order by ID_UZYTKOWNIKA)");
  }
  std::string form_field(const std::string& name) const {
    const auto forms = shown("form");
    if (forms.empty()) return "<no form>";
    for (const std::string& f : forms.front().fields) {
      if (f.starts_with(name + "=")) return f.substr(name.size() + 1);
    }
    return "<none>";
  }
};

TEST_F(ObjectLists, ANewListTakesTheMarksAndIsSharedWithTheAdministratorAndItsCreator) {
  mark(120, {900001, 900002, 900003});
  start_session(3000002);
  ASSERT_TRUE(run("insert into ZAZNACZONE (ID, UZYCIE, ID_SESJI) values (900004,120,3000002)"));
  host_.browse("insert").form_set("Z_ZAZNACZONYCH", "1").form_ok().browse("close");
  LISTY_OBIEKTOW("120");
  EXPECT_EQ(failures(), "");
  EXPECT_EQ(form_field("NAZWA_LISTY"), "Lista kontrahentów");
  EXPECT_EQ(form_field("ZAZNACZONE"), "utwórz listę z zaznaczonego aktualnie kontrahenta");
  const std::string list =
      value_of("select ID_LISTY from MAG_LISTA_OBIEKTOW where NAZWA_LISTY='Lista kontrahentów'");
  ASSERT_FALSE(list.empty());
  EXPECT_EQ(users_of(list), "3000001,3000002");
  EXPECT_EQ(
      value_of("select group_concat(ID_ELEMENTU, ',') from MAG_ELEMENTY_LISTY_OBIEKTOW where ID_LISTY=" +
               list),
      "900004");
  EXPECT_EQ(sent("call RM_ZapiszZaznaczoneObiekty(").back(),
            "call RM_ZapiszZaznaczoneObiekty(" + list + ",3000002,120,0)");
}

TEST_F(ObjectLists, TheOptionSaysHowManyAreMarkedAndNamesAreUniquePerUseCode) {
  mark(102, {101, 102, 103});
  host_.browse("insert")
      .form_set("NAZWA_LISTY", "Ogród")
      .form_ok()
      .browse("insert")
      .form_set("NAZWA_LISTY", "Ogród")
      .form_ok()
      .answer("OK", "Ostrzeżenie", "Istnieje już lista o podanej nazwie!|Proszę zmienić nazwę.")
      .form_cancel()
      .browse("close");
  LISTY_OBIEKTOW("102");
  host_.browse("insert").form_set("NAZWA_LISTY", "Ogród").form_ok().browse("close");
  LISTY_OBIEKTOW("120");  // a contractor list may share an article list's name
  EXPECT_EQ(failures(), "");
  // The shown text without the blank the option's text ends in.
  EXPECT_EQ(form_field("ZAZNACZONE"), "utwórz listę z zaznaczonych aktualnie 3 artykułów");
  EXPECT_EQ(value_of("select count(*) from MAG_LISTA_OBIEKTOW where NAZWA_LISTY='Ogród'"), "2");
  const auto forms = shown("form");
  ASSERT_FALSE(forms.empty());
  // Nothing marked for contractors: the option says so.
  bool found = false;
  for (const std::string& f : forms.back().fields)
    found = found || f == "ZAZNACZONE=brak aktualnie zaznaczonych kontrahentów";
  EXPECT_TRUE(found);
}

TEST_F(ObjectLists, RemovingAllUsersKeepsTheAdministrator) {
  ASSERT_TRUE(
      run("insert into MAG_LISTA_OBIEKTOW (ID_LISTY, ID_FIRMY, UZYCIE, NAZWA_LISTY) values (77, 1, 120, "
          "'Stali')"));
  ASSERT_TRUE(
      run("insert into MAG_UZYTKOWNIK_LISTY_OBIEKTOW (ID_UZYTKOWNIKA, ID_LISTY) values (3000001, 77)"));
  host_.browse_locate("Stali")
      .browse_action("Uzytkownicy")
      .browse_action("DodajWszystkich")
      .answer("Tak", "", "Czy przydzielić wszystkich użytkowników do listy zaznaczonych rekordów?")
      .browse_locate("Administrator")
      .browse_action("UsunUzytkownika")
      .answer("OK", "Ostrzeżenie",
              "Użytkownika Administrator nie można usunąć z listy zaznaczonych rekordów.")
      .browse_action("UsunWszystkich")
      .answer("Tak", "", "Czy usunąć wszystkich użytkownika z danej listy zaznaczonych rekordów?")
      .browse("close")
      .browse("close");
  LISTY_OBIEKTOW("120");
  EXPECT_EQ(failures(), "");
  EXPECT_EQ(users_of("77"), "3000001");
  EXPECT_EQ(sent("delete MAG_UZYTKOWNIK_LISTY_OBIEKTOW where").back(),
            "delete MAG_UZYTKOWNIK_LISTY_OBIEKTOW where ID_UZYTKOWNIKA<>3000001 and id_listy=77");
}

TEST_F(ObjectLists, TheCurrentMarksStandFirstAsAnEntryThatIsNoList) {
  mark(120, {900001, 900002});
  for (int id = 1; id <= 30; ++id) {
    ASSERT_TRUE(run("insert into MAG_LISTA_OBIEKTOW (ID_LISTY, ID_FIRMY, UZYCIE, NAZWA_LISTY) values (" +
                    std::to_string(100 + id) + ", 1, 120, 'Lista " + (id < 10 ? "0" : "") +
                    std::to_string(id) + "')"));
    ASSERT_TRUE(run("insert into MAG_UZYTKOWNIK_LISTY_OBIEKTOW (ID_UZYTKOWNIKA, ID_LISTY) values (3000001, " +
                    std::to_string(100 + id) + ")"));
  }
  host_.browse("change")
      .answer("OK", "Ostrzeżenie", "Bieżące zaznaczenie nie jest listą.")
      .browse("delete")
      .answer("OK", "Ostrzeżenie", "Bieżące zaznaczenie nie jest listą.")
      .browse_locate("Lista 30")
      .browse_locate("")
      .browse("close");
  LISTY_OBIEKTOW("120");
  EXPECT_EQ(failures(), "");
  EXPECT_EQ(value_of("select count(*) from MAG_LISTA_OBIEKTOW"), "30") << "nothing changed or deleted";
  const auto browses = shown("browse");
  ASSERT_FALSE(browses.empty());
  const std::vector<std::string>& rows = browses.back().rows;
  ASSERT_FALSE(rows.empty());
  EXPECT_EQ(rows.front(), "<zaznaczeni kontrahenci> | 2") << "back at the start, the entry is first again";
  EXPECT_EQ(rows.at(1), "Lista 01 | 0");
}

}  // namespace
}  // namespace slownik
