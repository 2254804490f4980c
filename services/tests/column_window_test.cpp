// The column configuration window and its logic: the lock rule, the defaults and the list driven through
// the scripted host.
#include <gtest/gtest.h>

#include "column_demo_fixture.h"
#include "keldox/column_configuration.h"
#include "keldox/column_settings.h"
#include "keldox/window_register.h"
#include "message_recorder.h"
#include "named_rows.h"
#include "ui_script/script_host.h"

namespace keldox {
namespace {

class ColumnLayoutRules : public ::testing::Test {
 protected:
  void SetUp() override {
    dane::reset_session();
    for (int n = 1; n <= 4; ++n) {
      dane::INI_KOL_BRO.buffer = dane::IniKolBroEntry{};
      dane::INI_KOL_BRO.buffer.NAZWA_OKNA = "Test_Brw";
      dane::INI_KOL_BRO.buffer.NUMER_KOLUMNY = n;
      dane::INI_KOL_BRO.buffer.NAZWA_KOLUMNY = "K" + std::to_string(n);
      dane::INI_KOL_BRO.buffer.KOLEJNOSC = 5 - n;  // the user turned the order round
      dane::INI_KOL_BRO.buffer.ROZMIAR = n == 2 ? 0 : 10 * n;
      dane::INI_KOL_BRO.buffer.ROZMIAR_KOLUMNY = 15;
      dane::INI_KOL_BRO.add_in_order<dane::IniKolBroEntry::ByWindowColumn>();
    }
    dane::INI_PAR_OKNO.buffer = dane::IniParOknoEntry{"Test_Brw", "zablokowane", "1"};
    dane::INI_PAR_OKNO.add();
  }
  void TearDown() override { dane::reset_session(); }

  static std::vector<std::string> captions(const ColumnLayout& layout) {
    std::vector<std::string> out;
    for (const auto& c : layout.columns()) out.push_back(c.caption);
    return out;
  }
  testing::MessageRecorder boxes;
};

TEST_F(ColumnLayoutRules, StartsFromTheUsersOrderAndWidths) {
  ColumnLayout layout("Test_Brw");
  EXPECT_EQ(captions(layout), (std::vector<std::string>{"K4", "K3", "K2", "K1"}));
  EXPECT_EQ(layout.locked(), 1u);
  const ConfiguredColumn& hidden = layout.columns()[2];
  EXPECT_FALSE(hidden.shown);
  EXPECT_EQ(hidden.width, 15);  // shown again, it takes the catalogue width
}

struct LockRow {
  const char* name;
  std::size_t index;
  bool lock;
  bool accepted;
  std::size_t locked_after;
  const char* warning;
};

class LockRule : public ColumnLayoutRules, public ::testing::WithParamInterface<LockRow> {};

TEST_P(LockRule, KeepsTheLockedColumnsLeading) {
  ColumnLayout layout("Test_Brw");
  ASSERT_TRUE(layout.set_locked(1, true));  // two leading columns locked
  boxes.shown.clear();
  EXPECT_EQ(layout.set_locked(GetParam().index, GetParam().lock), GetParam().accepted);
  EXPECT_EQ(layout.locked(), GetParam().locked_after);
  if (*GetParam().warning) {
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].kind, testing::MessageKind::warning);
    EXPECT_EQ(boxes.shown[0].text, GetParam().warning);
  } else {
    EXPECT_TRUE(boxes.shown.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(Rules, LockRule,
                         ::testing::Values(LockRow{"next_column_extends_the_run", 2, true, true, 3, ""},
                                           LockRow{"gap_is_refused", 3, true, false, 2,
                                                   "Wszystkie kolumny do 1 do 4 muszą być zablokowane!"},
                                           LockRow{"last_locked_may_be_released", 1, false, true, 1, ""},
                                           LockRow{"inner_column_cannot_be_released", 0, false, false, 2,
                                                   "Wszystkie kolumny do 1 do 2 muszą być zablokowane!"},
                                           LockRow{"locking_a_locked_column_changes_nothing", 0, true, true,
                                                   2, ""},
                                           LockRow{"outside_the_list", 9, true, false, 2, ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ColumnLayoutRules, ApplyWritesPositionsWidthsAndTheLock) {
  ColumnLayout layout("Test_Brw");
  ASSERT_TRUE(layout.move(3, 0));  // K1 first
  ASSERT_TRUE(layout.set_shown(3, true));
  ASSERT_TRUE(layout.set_shown(2, false));
  ASSERT_FALSE(layout.set_width(0, 0));
  ASSERT_TRUE(layout.set_width(0, 77));
  ASSERT_TRUE(layout.set_picture(0, "@s77"));
  ASSERT_TRUE(layout.set_locked(1, true));
  EXPECT_EQ(captions(layout), (std::vector<std::string>{"K1", "K4", "K3", "K2"}));
  EXPECT_EQ(POBIERZKOLUMNEROZMIAR("Test_Brw", 1), 40);  // nothing changes before apply
  layout.apply();
  EXPECT_EQ(POBIERZKOLUMNEROZMIAR("Test_Brw", 1), 77);
  EXPECT_EQ(POBIERZKOLUMNEFORMAT("Test_Brw", 1), "@s77");
  EXPECT_EQ(POBIERZKOLUMNEROZMIAR("Test_Brw", 2), 40);
  EXPECT_EQ(POBIERZKOLUMNEROZMIAR("Test_Brw", 3), 0);   // K3 hidden
  EXPECT_EQ(POBIERZKOLUMNEROZMIAR("Test_Brw", 4), 15);  // K2 shown with the catalogue width
  EXPECT_EQ(POBIERZPARAMETROKNA("zablokowane", "Test_Brw"), "2");
}

struct TitleRow {
  const char* name;
  const char* window;
  const char* title;
};

class ConfigurationTitle : public ::testing::TestWithParam<TitleRow> {};

TEST_P(ConfigurationTitle, FollowsTheWindowName) {
  EXPECT_EQ(column_configuration_title(GetParam().window), GetParam().title);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, ConfigurationTitle,
    ::testing::Values(TitleRow{"articles", "Artykul_Brw", "Konfiguracja kolumn kartoteki asortymentowej"},
                      TitleRow{"contractors", "Kontrahent_Brw", "Konfiguracja kolumn kartoteki kontrahentów"},
                      TitleRow{"settlements", "Rozrachunek_Brw",
                               "Konfiguracja kolumn kartoteki rozrachunków"},
                      TitleRow{"trade_documents", "Dokument_Handlowy_Brw",
                               "Konfiguracja kolumn kartoteki dokumentów handlowych"},
                      TitleRow{"correction_form", "korekta_upd  ", "Konfiguracja kolumn formularza korekty"},
                      TitleRow{"unknown_window", "Waluty_Brw", "Konfiguracja kolumn"}),
    [](const auto& info) { return std::string(info.param.name); });

class ColumnWindow : public testing::ColumnDemoTest {
 protected:
  void SetUp() override {
    testing::ColumnDemoTest::SetUp();
    LADUJUSTAWIENIAKOLUMN();
    script.on_failure([](const std::string& m) { ADD_FAILURE() << m; });
    dane::install_host(&script);
  }
  void TearDown() override {
    dane::install_host(nullptr);
    EXPECT_TRUE(script.finished()) << script.remaining() << " steps left";
    testing::ColumnDemoTest::TearDown();
  }
  ui_script::ScriptHost script;
};

TEST_F(ColumnWindow, ClosingLeavesTheLayoutAsItWas) {
  script.browse("pick", "KOLUMNA", "Nazwa").browse_key("Delete").browse("close");
  EXPECT_EQ(KONFIGURACJA_KOLUMN("Artykul_Brw"), 0);
  EXPECT_EQ(POBIERZKOLUMNEROZMIAR("Artykul_Brw", 2), 180);
  const auto shown = script.shown();
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown[0].kind, "browse");
  EXPECT_EQ(shown[0].title, "Konfiguracja kolumn kartoteki asortymentowej");
  EXPECT_EQ(shown[0].text, "Konfiguracja_kolumn");
}

TEST_F(ColumnWindow, HidingMovingAndResizingReachTheColumnList) {
  script.browse("pick", "KOLUMNA", "J.m.")
      .browse_key("Delete")
      .browse("change", "KOLUMNA", "Cena netto")
      .form_set("SZEROKOSC", "75")
      .form_set("FORMAT", "@n-12.2")
      .form_set("POZYCJA", "1")
      .form_ok()
      .browse("select");
  EXPECT_EQ(KONFIGURACJA_KOLUMN("Artykul_Brw"), 1);
  EXPECT_EQ(POBIERZKOLUMNEROZMIAR("Artykul_Brw", 1), 75);
  EXPECT_EQ(POBIERZKOLUMNEFORMAT("Artykul_Brw", 1), "@n-12.2");
  EXPECT_EQ(POBIERZKOLUMNEFORMAT("Artykul_Brw", 2), "@s50");  // Indeks moved one down
  EXPECT_EQ(POBIERZKOLUMNEROZMIAR("Artykul_Brw", 4), 0);      // J.m. hidden
  EXPECT_EQ(POBIERZKOLUMNEFORMAT("Artykul_Brw", 4), "@s10");
  // The catalogue's hidden column is not offered and keeps its place.
  EXPECT_EQ(column_entry("Artykul_Brw", 8)->KOLEJNOSC, 8);
  EXPECT_EQ(POBIERZKOLUMNEFORMAT("Artykul_Brw", 9), "@s30");  // Kolor after it
}

TEST_F(ColumnWindow, LockingOutOfOrderWarnsAndKeepsTheForm) {
  script.browse("change", "KOLUMNA", "Stan")
      .form_set("ZABLOKOWANA", "Tak")
      .form_ok()
      .answer("OK", "Ostrzeżenie", "Wszystkie kolumny do 1 do 4 muszą być zablokowane!")
      .form_set("POZYCJA", "3")
      .form_ok()
      .browse("select");
  EXPECT_EQ(KONFIGURACJA_KOLUMN("Artykul_Brw"), 1);
  EXPECT_EQ(POBIERZKOLUMNEFORMAT("Artykul_Brw", 3), "@n-14_`4@");  // Stan moved to the third place
  EXPECT_EQ(POBIERZPARAMETROKNA("zablokowane", "Artykul_Brw"), "3");
}

TEST_F(ColumnWindow, DefaultsComeBackAfterTheQuestion) {
  ASSERT_TRUE(USTAWKOLUMNE("@s5", 1, "Artykul_Brw", 5));
  ASSERT_TRUE(USTAWKOLUMNE("@s3", 11, "Artykul_Brw", 33));  // the inactive field shown by hand
  script.browse_key("Insert")
      .answer("Nie", "Pytanie", "Czy chcesz przywrócić ustawienia domyślne?")
      .browse("change", "KOLUMNA", "Kolor")
      .form_set("POZYCJA", "1")
      .form_ok()
      .browse_action("PrzywrocDomyslne")
      .answer("Tak", "Pytanie", "Czy chcesz przywrócić ustawienia domyślne?")
      .browse("select");
  EXPECT_EQ(KONFIGURACJA_KOLUMN("Artykul_Brw"), 1);
  EXPECT_EQ(POBIERZKOLUMNEROZMIAR("Artykul_Brw", 1), 60);
  EXPECT_EQ(POBIERZKOLUMNEFORMAT("Artykul_Brw", 1), "@s50");
  EXPECT_EQ(POBIERZKOLUMNEFORMAT("Artykul_Brw", 4), "@n-14_`4@");
  EXPECT_EQ(POBIERZKOLUMNEROZMIAR("Artykul_Brw", 9), 60);  // Kolor back in its place
  EXPECT_EQ(POBIERZKOLUMNEFORMAT("Artykul_Brw", 9), "@s30");
  EXPECT_EQ(POBIERZKOLUMNEROZMIAR("Artykul_Brw", 11), 0);  // pole3 is inactive
}

}  // namespace
}  // namespace keldox
