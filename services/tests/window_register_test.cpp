// The window register, the open-window list, window settings, preference saving and the frame helpers.
#include "keldox/window_register.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "column_demo_fixture.h"
#include "dane/globals.h"
#include "dane/lists_settings.h"
#include "dane/window.h"
#include "db/test_clients.h"
#include "keldox/column_settings.h"
#include "keldox/sql.h"
#include "keldox/window_geometry.h"
#include "message_recorder.h"
#include "named_rows.h"
#include "ui_script/script_host.h"

namespace keldox {
namespace {

class WindowRegister : public ::testing::Test {
 protected:
  void SetUp() override { dane::reset_session(); }
  void TearDown() override { dane::reset_session(); }
};

TEST_F(WindowRegister, NamesAreUniqueWhateverTheirCaseAndBlanks) {
  dane::OKNAQ.buffer.WATEK = 7;
  EXPECT_TRUE(DODAJOKNO("DOKMAG"));
  EXPECT_FALSE(DODAJOKNO("dokmag  "));
  EXPECT_TRUE(DODAJOKNO("Rozr", 9));
  EXPECT_EQ(dane::OKNAQ.count(), 2u);
  EXPECT_EQ(WEZOKNO("DokMag"), 7);
  EXPECT_EQ(WEZOKNO("ROZR"), 9);
  EXPECT_EQ(WEZOKNO("SAD"), 0);
}

TEST_F(WindowRegister, RemovingClearsTheFlagsThatFollowTheWindow) {
  DODAJOKNO("ADMCTRL", 4);
  DODAJOKNO("ZAM", 5);
  dane::GLO.MODULKONTROLIAKTYWNY = 1;
  dane::GLO.ASYSTENTGRUPA.ID_WATKU = 5;
  dane::GLO.BRWOPENING = 1;
  SKASUJOKNO("admctrl");
  EXPECT_EQ(dane::GLO.MODULKONTROLIAKTYWNY, 0);
  EXPECT_EQ(dane::GLO.ASYSTENTGRUPA.ID_WATKU, 5);  // it follows another window
  EXPECT_EQ(dane::GLO.BRWOPENING, 0);
  EXPECT_EQ(WEZOKNO("ADMCTRL"), 0);
  SKASUJOKNO("Zam");
  EXPECT_EQ(dane::GLO.ASYSTENTGRUPA.ID_WATKU, 0);
  EXPECT_TRUE(dane::OKNAQ.empty());
}

TEST_F(WindowRegister, RemovingAnUnknownWindowStillEndsTheBrowseOpening) {
  DODAJOKNO("SAD", 3);
  dane::GLO.MODULKONTROLIAKTYWNY = 1;
  dane::GLO.ASYSTENTGRUPA.ID_WATKU = 3;
  dane::GLO.BRWOPENING = 1;
  SKASUJOKNO("PROD");
  EXPECT_EQ(dane::GLO.BRWOPENING, 0);
  EXPECT_EQ(dane::GLO.MODULKONTROLIAKTYWNY, 1);
  EXPECT_EQ(dane::GLO.ASYSTENTGRUPA.ID_WATKU, 3);
  EXPECT_EQ(WEZOKNO("SAD"), 3);
}

TEST_F(WindowRegister, OpenWindowPairsKeepTheirOrderOfArguments) {
  ADDKOO("krótki", "długi tekst okna");
  ADDKOO("krótki", "długi tekst okna");
  EXPECT_EQ(dane::GLO.KOLEJKAOTWARTYCHOKIEN.count(), 1u);
  EXPECT_TRUE(ISKOO("krótki  ", "długi tekst okna"));
  EXPECT_FALSE(ISKOO("długi tekst okna", "krótki"));  // the second argument is the long text
  EXPECT_EQ(dane::GLO.KOLEJKAOTWARTYCHOKIEN.entry(1)->DLUGI.str(), "długi tekst okna");

  const std::string long_text(300, 'x');
  ADDKOO("k", long_text);  // cut to 254 characters, and still found by the full text
  EXPECT_TRUE(ISKOO("k", long_text));
  DELKOO("k", long_text);
  EXPECT_FALSE(ISKOO("k", long_text));
  DELKOO("nieznane", "okno");
  EXPECT_EQ(dane::GLO.KOLEJKAOTWARTYCHOKIEN.count(), 1u);
  FREEKOO();
  EXPECT_TRUE(dane::GLO.KOLEJKAOTWARTYCHOKIEN.empty());
}

TEST_F(WindowRegister, WindowSettingsChangeOnlyWhatWasLoaded) {
  dane::INI_PAR_OKNO.buffer = dane::IniParOknoEntry{"Artykul_Brw", "sortowanie", "1"};
  dane::INI_PAR_OKNO.add_in_order<dane::IniParOknoEntry::ByWindowSetting>();
  EXPECT_EQ(POBIERZPARAMETROKNA("sortowanie", "Artykul_Brw  "), "1");
  EXPECT_EQ(POBIERZPARAMETROKNA("split", "Artykul_Brw"), "");
  EXPECT_TRUE(ZAPISZPARAMETROKNA("3", "sortowanie", "Artykul_Brw"));
  EXPECT_EQ(POBIERZPARAMETROKNA("sortowanie", "Artykul_Brw"), "3");
  EXPECT_FALSE(ZAPISZPARAMETROKNA("250", "split", "Artykul_Brw"));
  EXPECT_FALSE(ZAPISZPARAMETROKNA("2", "sortowanie", "Kontrahent_Brw"));
  ASSERT_EQ(dane::INI_PAR_OKNO.count(), 1u);
  EXPECT_EQ(dane::INI_PAR_OKNO.entry(1)->WARTOSC.str(), "3");
}

TEST_F(WindowRegister, PreferencesAreSentAsUpdatesOfExistingRows) {
  db::ScriptedClient scripted;
  db::RecordingClient recording(scripted);
  dane::install_database(&recording);
  testing::MessageRecorder boxes;
  dane::INI_KOL_BRO.buffer.NAZWA_OKNA = "Artykul_Brw";
  dane::INI_KOL_BRO.buffer.ID_KOLUMNY = 41;
  dane::INI_KOL_BRO.buffer.ROZMIAR = 120;
  dane::INI_KOL_BRO.buffer.KOLEJNOSC = 2;
  dane::INI_KOL_BRO.buffer.FORMAT_KOLUMNY = "@s'50";
  dane::INI_KOL_BRO.add();
  dane::INI_PAR_OKNO.buffer = dane::IniParOknoEntry{"O'Okno", "sort'owanie", "it's"};
  dane::INI_PAR_OKNO.add();
  ZAPISZPREFERENCJEUZYTKOWNIKA(3000002);
  std::vector<std::string> updates;
  for (const std::string& s : recording.statements()) {
    if (s.starts_with("Update ")) updates.push_back(s);
  }
  EXPECT_EQ(
      updates,
      (std::vector<std::string>{
          "Update inter_ini_uzytkownik with (rowlock) set rozmiar=120,kolejnosc=2,format_kolumny='@s''50' "
          "where id_uzytkownika=3000002 and id_kolumny=41",
          "Update inter_parametr_uzytkownik with (rowlock)  set wartosc='it''s'  from ini_parametr "
          "p,inter_parametr_uzytkownik i,ini_okno o  where i.id_uzytkownika=3000002 and  "
          "p.nazwa='sort''owanie' and  p.id_parametru=i.id_parametru and p.id_okna=o.id_okna and  "
          "o.nazwa='O''Okno'"}));
  const auto events = recording.events();
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.back().op, db::RecordingClient::Op::Close);
  EXPECT_EQ(events.back().channel, db::Channel::VAX);
  dane::install_database(nullptr);
}

using ColumnPreferences = testing::ColumnDemoTest;

TEST_F(ColumnPreferences, SavingUpdatesTheUsersRowsOnly) {
  set_user_parameter("ZakrWys", "Bieżący miesiąc");
  set_user_parameter("Data_Od", "0");
  set_user_parameter("Data_Do", "0");
  dane::GLO.ZAKRES = "Bieżący rok";
  dane::GLO.DATA_OD = 82000;
  dane::GLO.DATA_DO = 82364;
  LADUJUSTAWIENIAKOLUMN();
  ASSERT_TRUE(USTAWKOLUMNE("@s'20", 2, "Artykul_Brw", 222));
  ASSERT_TRUE(ZAPISZPARAMETROKNA("350", "split", "Artykul_Brw"));
  ZAPISZPREFERENCJEUZYTKOWNIKA(testing::kAdministrator);

  const std::string column =
      "from inter_ini_uzytkownik i, ini_kolumna k, ini_okno o where i.id_kolumny=k.id_kolumny and "
      "k.id_okna=o.id_okna and o.nazwa='Artykul_Brw' and k.numer_kolumny=2 and i.id_uzytkownika=";
  EXPECT_EQ(FUNCSQL("select i.rozmiar " + column + "3000001"), "222");
  EXPECT_EQ(FUNCSQL("select i.format_kolumny " + column + "3000001"), "@s'20");
  EXPECT_EQ(FUNCSQL("select i.rozmiar " + column + "3000002"), "180");
  const std::string setting =
      "from inter_parametr_uzytkownik i, ini_parametr p, ini_okno o where i.id_parametru=p.id_parametru and "
      "p.id_okna=o.id_okna and o.nazwa='Artykul_Brw' and p.nazwa='split' and i.id_uzytkownika=";
  EXPECT_EQ(FUNCSQL("select i.wartosc " + setting + "3000001"), "350");
  EXPECT_EQ(FUNCSQL("select i.wartosc " + setting + "3000002"), "200");
  const std::string range = "from interuzytkownikpozycja where id_uzytkownika=3000001 and id_pozycji=";
  EXPECT_EQ(FUNCSQL("select wartosc " + range + "505 and id_firmy=1"), "Bieżący rok");
  EXPECT_EQ(dane::U_PARAMKONFQ.find<dane::ParamKonfEntry::ByCode>(std::string_view("DATA_OD"))->WARTOSC.str(),
            "82000");

  // Loaded again, the saved layout is what the user gets.
  dane::INI_KOL_BRO.reset();
  LADUJUSTAWIENIAKOLUMN();
  EXPECT_EQ(POBIERZKOLUMNEROZMIAR("Artykul_Brw", 2), 222);
  EXPECT_EQ(POBIERZKOLUMNEFORMAT("Artykul_Brw", 2), "@s'20");
  EXPECT_EQ(POBIERZPARAMETROKNA("split", "Artykul_Brw"), "350");
}

struct SplitRow {
  const char* name;
  int shift;
  dane::Rect left, splitter, right;
};

class Splitter : public ::testing::TestWithParam<SplitRow> {};

TEST_P(Splitter, MovesTheBorderBetweenTheTwoControls) {
  dane::HeldPlacement left({0, 0, 200, 300});
  dane::HeldPlacement splitter({200, 0, 4, 300});
  dane::HeldPlacement right({204, 0, 400, 300});
  USTAWSPLIT(left, splitter, right, GetParam().shift);
  EXPECT_EQ(left.rect(), GetParam().left);
  EXPECT_EQ(splitter.rect(), GetParam().splitter);
  EXPECT_EQ(right.rect(), GetParam().right);
}

INSTANTIATE_TEST_SUITE_P(
    Shifts, Splitter,
    ::testing::Values(
        SplitRow{"no_shift_changes_nothing", 0, {0, 0, 200, 300}, {200, 0, 4, 300}, {204, 0, 400, 300}},
        SplitRow{"to_the_right", 30, {0, 0, 230, 300}, {230, 0, 4, 300}, {234, 0, 370, 300}},
        SplitRow{"to_the_left", -50, {0, 0, 150, 300}, {150, 0, 4, 300}, {154, 0, 450, 300}}),
    [](const auto& info) { return std::string(info.param.name); });

struct FrameRow {
  const char* name;
  dane::Ribbon ribbon;
  const char* icon_bar;
  const char* width_margin;
  const char* height_margin;
  dane::Rect expected;
};

class FrameArea : public ::testing::TestWithParam<FrameRow> {
 protected:
  void SetUp() override { dane::reset_session(); }
  void TearDown() override {
    dane::set_frame_metrics({});
    dane::reset_session();
  }
};

TEST_P(FrameArea, LeavesRoomForMarginsBorderCaptionAndToolbar) {
  const FrameRow& row = GetParam();
  for (auto [code, value] :
       {std::pair{"POKAZUJPASEKIKON", row.icon_bar}, std::pair{"OKNOSZERMARG", row.width_margin},
        std::pair{"OKNOWYSMARG", row.height_margin}}) {
    dane::U_PARAMKONFQ.buffer = dane::ParamKonfEntry{0, code, "@S10", value};
    dane::U_PARAMKONFQ.add_in_order<dane::ParamKonfEntry::ByCode>();
  }
  dane::set_frame_metrics({1024, 768, 8, 22, row.ribbon});
  EXPECT_EQ(free_frame_area(), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Frames, FrameArea,
    ::testing::Values(
        FrameRow{"ribbon_shown", dane::Ribbon::Shown, "Tak", "0", "0", {0, 0, 1012, 672}},
        FrameRow{"ribbon_off_with_icon_bar", dane::Ribbon::Off, "Tak", "0", "0", {0, 0, 1012, 714}},
        FrameRow{"ribbon_off_without_icon_bar", dane::Ribbon::Off, "Nie", "0", "0", {0, 0, 1012, 742}},
        FrameRow{"ribbon_hides_itself", dane::Ribbon::AutoHide, "Tak", "0", "0", {0, 0, 1012, 742}},
        FrameRow{"user_margins", dane::Ribbon::Shown, "Tak", "12", "30", {0, 0, 1000, 642}},
        FrameRow{"margins_beyond_the_frame", dane::Ribbon::Shown, "Tak", "5000", "bad", {0, 0, 0, 672}}),
    [](const auto& info) { return std::string(info.param.name); });

// A host that, while the full-area window is open, asks for it again and then closes it.
class AskingAgainHost final : public dane::HeadlessHost {
 public:
  void run_window(dane::Window& window) override {
    titles.push_back(window.procedure_name());
    if (auto* placed = dynamic_cast<dane::Placement*>(&window)) shown_at.push_back(placed->rect());
    if (window.procedure_name() == "Maksymalizuj") {
      again_same = MAKSYMALIZUJ();
      dane::FrameMetrics wider = dane::frame_metrics();
      wider.client_width += 100;
      dane::set_frame_metrics(wider);
      again_wider = MAKSYMALIZUJ();
      if (auto* placed = dynamic_cast<dane::Placement*>(&window)) moved_to = placed->rect();
    }
    window.request_close();
  }
  std::vector<std::string> titles;
  std::vector<dane::Rect> shown_at;
  bool again_same = true;
  bool again_wider = false;
  dane::Rect moved_to;
};

class FrameWindows : public ::testing::Test {
 protected:
  void SetUp() override { dane::reset_session(); }
  void TearDown() override {
    dane::set_frame_metrics({});
    dane::reset_session();
  }
};

TEST_F(FrameWindows, FullAreaWindowOpensOnceAndFollowsTheFrame) {
  AskingAgainHost host;
  dane::install_host(&host);
  dane::set_frame_metrics({1024, 768, 8, 22, dane::Ribbon::AutoHide});
  EXPECT_TRUE(MAKSYMALIZUJ());
  EXPECT_FALSE(host.again_same);
  EXPECT_TRUE(host.again_wider);
  EXPECT_EQ(host.titles, std::vector<std::string>{"Maksymalizuj"});
  EXPECT_EQ(host.shown_at, (std::vector<dane::Rect>{dane::Rect{0, 0, 1012, 742}}));
  EXPECT_EQ(host.moved_to, (dane::Rect{0, 0, 1112, 742}));
  // Closed, it stands nowhere: the next call opens it again.
  EXPECT_TRUE(MAKSYMALIZUJ());
  EXPECT_EQ(host.titles.size(), 2u);
  dane::install_host(nullptr);
}

TEST_F(FrameWindows, PointerWindowRunsUntilTheScriptClosesIt) {
  ui_script::ScriptHost script;
  script.on_failure([](const std::string& m) { ADD_FAILURE() << m; });
  script.close_window();
  dane::install_host(&script);
  USTAWMYSZ(300, 200, 0);
  dane::install_host(nullptr);
  EXPECT_TRUE(script.finished());
  const auto shown = script.shown();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].kind, "window");
  EXPECT_EQ(shown[0].text, "UstawMysz");
}

}  // namespace
}  // namespace keldox
