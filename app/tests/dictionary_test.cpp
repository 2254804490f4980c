// The main menu's currency and bank dictionaries edit the demo database through their forms, driven by
// the scripted host: insert, change, delete with its question, refusals that keep the form open, and the
// popup's record actions.
#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>

#include "app/menu.h"
#include "app/session.h"
#include "dane/database.h"
#include "dane/host.h"
#include "ui_script/script_host.h"

namespace app {
namespace {

namespace fs = std::filesystem;

class DictionaryEditing : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("mirlet-dict-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    ASSERT_TRUE(open_database("sqlite:" + (folder_ / "mirlet.db").string(), database_).ok());
    dane::install_database(database_.client.get());
    script.on_failure([this](const std::string& m) { failures.push_back(m); });
    dane::install_host(&script);
  }
  void TearDown() override {
    dane::install_host(nullptr);
    dane::install_database(nullptr);
    database_.client.reset();
    fs::remove_all(folder_);
  }

  // The first column of the statement's first row, or "(none)".
  std::string value(const std::string& statement) {
    db::Client& c = *database_.client;
    c.open(db::Channel::VAX1);
    std::string out = "(none)";
    if (c.send(db::Channel::VAX1, statement).ok() && c.next(db::Channel::VAX1).ok())
      out = c.field(db::Channel::VAX1, 1);
    c.close(db::Channel::VAX1);
    return out;
  }

  void run(const char* entry) {
    ASSERT_NE(find_menu_entry(entry), nullptr);
    find_menu_entry(entry)->action();
    EXPECT_TRUE(failures.empty()) << failures.front();
    EXPECT_TRUE(script.finished()) << script.remaining() << " steps left";
  }

  std::vector<ui_script::Shown> shown(const std::string& kind) const {
    std::vector<ui_script::Shown> out;
    for (const auto& s : script.shown()) {
      if (s.kind == kind) out.push_back(s);
    }
    return out;
  }

  fs::path folder_;
  Database database_;
  ui_script::ScriptHost script;
  std::vector<std::string> failures;
};

TEST_F(DictionaryEditing, CurrencyInsertChangeAndDeleteReachTheTable) {
  script.browse("insert")
      .form_set("SYM_WALUTY", "XTS")
      .form_set("NAZWA_WALUTY", "waluta testowa")
      .form_ok()
      .browse("change", "SYM_WALUTY", "XTS")
      .form_set("MNOZNIK_WALUTY", "100")
      .form_ok()
      .browse("pick", "SYM_WALUTY", "XTS")
      .close_window();
  run("Słowniki > Waluty");
  EXPECT_EQ(value("select NAZWA_WALUTY from WALUTY where SYM_WALUTY='XTS'"), "waluta testowa");
  EXPECT_EQ(value("select MNOZNIK_WALUTY from WALUTY where SYM_WALUTY='XTS'"), "100");
  const auto forms = shown("form");
  ASSERT_EQ(forms.size(), 2u);
  EXPECT_EQ(forms[0].title, "Dodawanie waluty");
  EXPECT_EQ(forms[1].title, "Edycja waluty");

  script.browse("delete", "SYM_WALUTY", "XTS")
      .answer("Nie", "MIRLET: Pytanie", "Czy usunąć tę walutę?")
      .browse("delete", "SYM_WALUTY", "XTS")
      .answer("Tak", "MIRLET: Pytanie", "Czy usunąć tę walutę?")
      .close_window();
  run("Słowniki > Waluty");
  EXPECT_EQ(value("select count(*) from WALUTY where SYM_WALUTY='XTS'"), "0");
  EXPECT_EQ(value("select count(*) from WALUTY"), "9");
}

TEST_F(DictionaryEditing, CurrencyFormRefusalsKeepItOpenUntilTheUserPutsThemRight) {
  script.browse("insert")
      .form_set("MNOZNIK_WALUTY", "0")
      .answer("OK", "MIRLET: Ostrzeżenie", "Mnożnik waluty musi być większy niż 0!")
      .form_ok()  // the multiplier is still 0
      .answer("OK", "MIRLET: Ostrzeżenie", "Mnożnik waluty musi być większy niż 0!")
      .form_set("MNOZNIK_WALUTY", "1")
      .form_ok()
      .answer("OK", "MIRLET: Ostrzeżenie", "Symbol waluty musi być wypełniony!")
      .form_set("SYM_WALUTY", "EUR")
      .form_ok()
      .answer("OK", "MIRLET: Ostrzeżenie",
              "Uwaga!|Waluta EUR już istnieje w kartotece! Proszę zmienić symbol.")
      .form_set("SYM_WALUTY", "XAU")
      .form_set("NAZWA_WALUTY", "złoto")
      .form_ok()
      .close_window();
  run("Słowniki > Waluty");
  EXPECT_EQ(value("select NAZWA_WALUTY from WALUTY where SYM_WALUTY='XAU'"), "złoto");
  EXPECT_EQ(value("select NAZWA_WALUTY from WALUTY where SYM_WALUTY='EUR'"), "euro");
}

TEST_F(DictionaryEditing, BaseCurrencyCanBeNeitherChangedNorDeleted) {
  script.browse("change", "SYM_WALUTY", "PLN")
      .answer("OK", "MIRLET: Ostrzeżenie", "Nie można modyfikować ani usuwać waluty bazowej!")
      .browse("delete", "SYM_WALUTY", "PLN")
      .answer("OK", "MIRLET: Ostrzeżenie", "Nie można modyfikować ani usuwać waluty bazowej!")
      .close_window();
  run("Słowniki > Waluty");
  EXPECT_EQ(value("select count(*) from WALUTY where SYM_WALUTY='PLN'"), "1");
  EXPECT_TRUE(shown("form").empty());
}

TEST_F(DictionaryEditing, BankPopupCarriesTheIconsAndItsActionsEditTheTable) {
  const std::string highest = value("select max(ID_BANKU) from BANKI");
  const std::string next = std::to_string(std::stoll(highest) + 1);
  script.browse("popup")
      .popup("Dodaj")
      .form_set("NUMER_BANKU", "99999999")
      .form_set("NAZWA", "Bank Testowy S.A.")
      .form_set("MIEJSCOWOSC", "Wrocław")
      .form_ok()
      .browse("popup", "ID_BANKU", next)
      .popup("Popraw")
      .form_set("SWIFT", "TESTPLPW")
      .form_ok()
      .browse("popup", "ID_BANKU", "1")
      .popup("Usuń")
      .answer("Tak", "MIRLET: Pytanie", "Czy usunąć ten bank?")
      .close_window();
  run("Słowniki > Banki");
  EXPECT_EQ(value("select NAZWA from BANKI where ID_BANKU=" + next), "Bank Testowy S.A.");
  EXPECT_EQ(value("select SWIFT from BANKI where ID_BANKU=" + next), "TESTPLPW");
  EXPECT_EQ(value("select MIEJSCOWOSC from BANKI where ID_BANKU=" + next), "Wrocław");
  EXPECT_EQ(value("select count(*) from BANKI where ID_BANKU=1"), "0");
  const auto popups = shown("popup");
  ASSERT_EQ(popups.size(), 3u);
  EXPECT_EQ(popups[0].buttons, (std::vector<std::string>{"Dodaj", "Popraw", "Usuń", "Wybierz"}));
  EXPECT_EQ(popups[0].text, "~dodaj2.ico|~popraw2.ico|~usun2.ico|~wybierz.ico");
}

TEST_F(DictionaryEditing, BankNameIsRequiredAndTheIdentifierCannotBeTyped) {
  script.browse("insert")
      .form_set("ID_BANKU", "5")  // disabled: the script reports it
      .form_ok()
      .answer("OK", "MIRLET: Ostrzeżenie", "Nazwa banku musi być wypełniona!")
      .form_cancel()
      .close_window();
  const std::string before = value("select count(*) from BANKI");
  ASSERT_NE(find_menu_entry("Słowniki > Banki"), nullptr);
  find_menu_entry("Słowniki > Banki")->action();
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_NE(failures[0].find("field ID_BANKU"), std::string::npos) << failures[0];
  EXPECT_EQ(value("select count(*) from BANKI"), before);
}

}  // namespace
}  // namespace app
