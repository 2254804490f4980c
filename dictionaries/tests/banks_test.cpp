// The bank dictionary end to end: stored sort order and direction, row locks held by another process on
// the same database, and the header sorter over the database.
#include <algorithm>
#include <cstdlib>

#include "dane/lists_settings.h"
#include "dictionary_session.h"
#include "keldox/permissions.h"
#include "keldox/window_register.h"
#include "slownik/dictionaries.h"

namespace slownik {
namespace {

using testing::DictionarySession;

class Banks : public DictionarySession {
 protected:
  // Another workstation: the SQL shell, a process of its own on the same database file.
  void as_other_workstation(const std::string& statement) {
    const std::string command = std::string(MIRLET_SQLSHELL) + " --db sqlite:" + database_file() + " -c \"" +
                                statement + "\" > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }
  std::string holder(int bank) {
    return value_of("select isnull(SEMAFOR,0) from BANKI where ID_BANKU=" + std::to_string(bank));
  }
};

TEST_F(Banks, ARowHeldByAnotherWorkstationIsNeitherOpenedNorDeleted) {
  as_other_workstation("call APW_KartotekaSemaforUstaw('banki',2,3000002,2)");
  host_.browse("change", "ID_BANKU", "2").answer("OK", "Ostrzeżenie", "Bank jest aktualizowany");
  host_.browse("delete", "ID_BANKU", "2").answer("Tak", "Pytanie", "Czy usunąć ten bank?");
  host_.answer("OK", "Ostrzeżenie", "Bank jest aktualizowany");
  host_.browse("close");
  BANKI_BRW();
  EXPECT_EQ(failures(), "");
  EXPECT_TRUE(shown("form").empty());
  EXPECT_EQ(messages().front(), "MIRLET: Ostrzeżenie: Bank jest aktualizowany przez innego użytkownika!");
  EXPECT_EQ(value_of("select count(*) from BANKI where ID_BANKU=2"), "1");
  EXPECT_EQ(holder(2), "3000002");

  // Once the other workstation lets go, the form opens and its lock goes with it, also when cancelled.
  as_other_workstation("call APW_KartotekaSemaforPoloz('banki',2,3000002)");
  host_.browse("change", "ID_BANKU", "2").form_cancel();
  host_.browse("change", "ID_BANKU", "2").form_set("SWIFT", "NBPLPLPX").form_ok();
  host_.browse("close");
  BANKI_BRW();
  EXPECT_EQ(failures(), "");
  EXPECT_EQ(holder(2), "0");
  EXPECT_EQ(value_of("select SWIFT from BANKI where ID_BANKU=2"), "NBPLPLPX");
  // The refused attempt and the two that opened the form.
  EXPECT_EQ(sent("APW_KartotekaSemaforUstaw"),
            std::vector<std::string>(3, "call APW_KartotekaSemaforUstaw('banki',2,3000001,2)"));
  EXPECT_EQ(sent("APW_KartotekaSemaforPoloz").size(), 2u);
}

TEST_F(Banks, DeleteAsksAndDeletesOnTheServer) {
  host_.browse("delete", "ID_BANKU", "3").answer("Nie");
  host_.browse("delete", "ID_BANKU", "3").answer("Tak").browse("close");
  BANKI_BRW();
  EXPECT_EQ(failures(), "");
  EXPECT_EQ(sent("APW_KartotekaZapisSkasuj"),
            (std::vector<std::string>{"call APW_KartotekaZapisSkasuj('banki',3,3000001)"}));
  EXPECT_EQ(value_of("select count(*) from BANKI where ID_BANKU=3"), "0");
}

TEST_F(Banks, TheStoredOrderAndDirectionOpenTheListAndAreStoredAgain) {
  ASSERT_TRUE(keldox::ZAPISZPARAMETROKNA("nazwa", "sortowanie", "Bank_Brw"));
  ASSERT_TRUE(keldox::ZAPISZPARAMETROKNA("malejąco", "porządek", "Bank_Brw"));
  host_.tool("Kierunek").browse("close");
  BANKI_BRW();
  EXPECT_EQ(failures(), "");
  const auto browses = shown("browse");
  ASSERT_EQ(browses.size(), 1u);
  // The toolbar's direction button shows where the list goes.
  EXPECT_EQ(browses[0].buttons, (std::vector<std::string>{"Malejąco", "Zaznaczone"}));
  const auto pages = sent("from BANKI");
  ASSERT_GE(pages.size(), 2u);
  EXPECT_NE(pages.front().find("order by NAZWA desc, ID_BANKU desc"), std::string::npos) << pages.front();
  EXPECT_NE(pages.back().find("order by NAZWA, ID_BANKU"), std::string::npos) << pages.back();
  EXPECT_EQ(keldox::POBIERZPARAMETROKNA("porządek", "Bank_Brw"), "rosnąco");
  EXPECT_EQ(keldox::POBIERZPARAMETROKNA("sortowanie", "Bank_Brw"), "nazwa");
}

TEST_F(Banks, AnUnknownStoredOrderOpensByNumberAscending) {
  ASSERT_TRUE(keldox::ZAPISZPARAMETROKNA("1", "sortowanie", "Bank_Brw"));
  ASSERT_TRUE(keldox::ZAPISZPARAMETROKNA("", "porządek", "Bank_Brw"));
  host_.browse("close");
  BANKI_BRW();
  const auto pages = sent("from BANKI");
  ASSERT_FALSE(pages.empty());
  EXPECT_NE(pages.front().find("order by NUMER_BANKU, ID_BANKU"), std::string::npos) << pages.front();
  EXPECT_EQ(keldox::POBIERZPARAMETROKNA("sortowanie", "Bank_Brw"), "numer");
  EXPECT_EQ(keldox::POBIERZPARAMETROKNA("porządek", "Bank_Brw"), "rosnąco");
}

// The sort expression wraps the text in UPPER; the application's collation is case-blind already, so the
// statement compares the column itself and its index serves the order.
TEST_F(Banks, HeaderClicksSortOnTheServerByTheColumnAndTheKeyToPageBy) {
  host_.browse("sort", "MIEJSCOWOSC").browse("close");
  BANKI_BRW();
  EXPECT_EQ(failures(), "");
  const auto pages = sent("from BANKI");
  ASSERT_GE(pages.size(), 2u);
  EXPECT_TRUE(std::any_of(pages.begin(), pages.end(), [](const std::string& p) {
    return p.find("order by MIEJSCOWOSC, ID_BANKU") != std::string::npos;
  })) << pages.back();
  for (const std::string& p : pages) {
    EXPECT_EQ(p.find("offset"), std::string::npos) << p;
    EXPECT_EQ(p.find("UPPER("), std::string::npos) << p;
  }
  const auto browses = shown("browse");
  ASSERT_EQ(browses.size(), 1u);
  EXPECT_EQ(browses[0].headers.back(), "Miejscowość[+]");
}

TEST_F(Banks, ABrowseRefusedAtOpeningKeepsTheUsersStoredChoices) {
  ASSERT_TRUE(keldox::ZAPISZPARAMETROKNA("malejąco", "porządek", "Bank_Brw"));
  dane::GLO.ID_UZYTKOWNIKA = 3000003;  // the same settings, another user's permissions: nothing in company 1
  keldox::LADUJUPRAWNIENIA();
  host_.answer("OK", "Ostrzeżenie", "Brak uprawnień na dostęp do banków!");
  BANKI_BRW();
  EXPECT_EQ(failures(), "");
  EXPECT_EQ(keldox::POBIERZPARAMETROKNA("porządek", "Bank_Brw"), "malejąco");
}

TEST_F(Banks, OpeningRegistersTheWindowAndClosingRemovesIt) {
  host_.browse("close");
  BANKI_BRW();
  EXPECT_EQ(keldox::WEZOKNO("Banki"), 0);
  EXPECT_EQ(failures(), "");
}

TEST_F(Banks, MarksAreToggledWithSpaceAndSetForTheWholeListOnTheServer) {
  const std::string marks = "select count(*) from zaznaczone where uzycie=140 and id_sesji=3000001";
  const std::string all = value_of("select count(*) from BANKI");
  host_.browse_key("Space").hover("Zaznaczone");
  host_.browse("popup").popup("Odwróć zaznaczone");
  host_.browse("popup").popup("Zaznacz wszystko").hover("Zaznaczone");
  host_.browse("popup").popup("Odznacz wszystko").hover("Zaznaczone").browse("close");
  BANKI_BRW();
  EXPECT_EQ(failures(), "");
  std::vector<std::string> tips;
  for (const auto& t : shown("tooltip")) tips.push_back(t.text);
  EXPECT_EQ(tips, (std::vector<std::string>{
                      "Ilość zaznaczonych banków : 1\r\nPrawy klawisz-oblicz wszystkie",
                      "Ilość zaznaczonych banków : " + all + "\r\nPrawy klawisz-oblicz wszystkie",
                      "Ilość zaznaczonych banków : 0\r\nPrawy klawisz-oblicz wszystkie"}));
  EXPECT_EQ(value_of(marks), "0");
  // Marking all took the list's own statement, cut to its FROM part.
  const auto inserts = sent("insert into zaznaczone");
  ASSERT_EQ(inserts.size(), 2u);
  EXPECT_NE(inserts[1].find("select distinct ID_BANKU,140,3000001  FROM BANKI"), std::string::npos)
      << inserts[1];
  // The list shows the marks in its leading column.
  const auto browses = shown("browse");
  ASSERT_EQ(browses.size(), 1u);
  ASSERT_FALSE(browses[0].rows.empty());
  EXPECT_TRUE(browses[0].rows[0].starts_with("~boxoff.ico | ")) << browses[0].rows[0];
}

}  // namespace
}  // namespace slownik

namespace slownik {
namespace {

// A click in the mark column toggles the row's mark, as Space does; a click elsewhere does nothing.
TEST_F(Banks, AClickInTheMarkColumnTogglesTheRowsMark) {
  const std::string marks = "select count(*) from zaznaczone where uzycie=140 and id_sesji=3000001";
  host_.browse_click("ZAZNACZONY").hover("Zaznaczone").browse_click("NAZWA").browse("close");
  BANKI_BRW();
  EXPECT_EQ(value_of(marks), "1");
  const auto tips = shown("tooltip");
  ASSERT_EQ(tips.size(), 1u);
  EXPECT_EQ(tips[0].text, "Ilość zaznaczonych banków : 1\r\nPrawy klawisz-oblicz wszystkie");
  // The click in the name column is refused by the script: it did nothing.
  EXPECT_NE(failures().find("did nothing"), std::string::npos) << failures();
}

}  // namespace
}  // namespace slownik
