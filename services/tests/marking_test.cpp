// Record marking: the FROM part of a browse statement, the statements as sent and on which channel, and the
// marks they leave on the demo database.
#include "keldox/marking.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dane/database.h"
#include "dane/globals.h"
#include "dane/window.h"
#include "db/test_clients.h"
#include "demo_session.h"
#include "keldox/sql.h"
#include "ui_script/script_host.h"

namespace keldox {
namespace {

using db::Channel;

TEST(MarkingFromPart, UpperCasedAndCutAtOrderAndPagingConditions) {
  EXPECT_EQ(
      marking_from_part("select a.id_banku, a.nazwa from banki a where a.nazwa like 'ą%' order by a.nazwa"),
      "FROM BANKI A WHERE A.NAZWA LIKE 'Ą%'");
  // Each paging condition the browse adds is cut, with its own blanks before the comparison.
  EXPECT_EQ(marking_from_part("SELECT A.ID FROM DOK A WHERE A.ID_FIRMY=1 AND  (  A.NUMER  >= 5 OR A.X=1)"),
            "FROM DOK A WHERE A.ID_FIRMY=1");
  EXPECT_EQ(marking_from_part("SELECT A.ID FROM DOK A WHERE 1=1 AND  (  A.SYMBOL > 'X')   "),
            "FROM DOK A WHERE 1=1");
  EXPECT_EQ(marking_from_part("SELECT A.ID FROM U A WHERE 1=1 AND  (  A.\"ID_UZYTKOWNIKA\" <= 7)"),
            "FROM U A WHERE 1=1");
  EXPECT_EQ(marking_from_part("SELECT A.ID FROM P A WHERE 1=1 AND  (  A.ID_POZYCJI_SCHOWKA >= 7)"),
            "FROM P A WHERE 1=1");
  // A comparison written with the other number of blanks is not the browse's, and stays.
  EXPECT_EQ(marking_from_part("SELECT A.ID FROM DOK A WHERE A.ID_FIRMY=1 AND  (  A.NUMER  < 5)"),
            "FROM DOK A WHERE A.ID_FIRMY=1 AND  (  A.NUMER  < 5)");
  // The earliest of two markers wins whatever their order in the list.
  EXPECT_EQ(marking_from_part("SELECT A.ID FROM T A WHERE AND  (  A.KWOTA < 1 AND  (  A.ID_FIRMY > 2"),
            "FROM T A WHERE");
}

TEST(MarkingFromPart, EmptyWithoutFromAndFromTheFirstFrom) {
  EXPECT_EQ(marking_from_part("select 1"), "");
  EXPECT_EQ(marking_from_part(""), "");
  // Only the part from the first FROM: a FROM of a subquery in the select list counts too.
  EXPECT_EQ(marking_from_part("select a.x, (select 1 from y) from t a"), "FROM Y) FROM T A");
  // An ORDER BY before any FROM leaves nothing to mark.
  EXPECT_EQ(marking_from_part("select x order by y from t"), "");
  // The statement is looked at up to its 20,000th character.
  const std::string long_statement = "select a.x from t a where a.x in (" + std::string(20'000, '1') + ")";
  EXPECT_EQ(marking_from_part(long_statement).size(), 20'000 - std::string("select a.x ").size());
}

class MarkingStatements : public ::testing::Test {
 protected:
  void SetUp() override {
    dane::install_database(&recording);
    dane::install_host(&windows);
    dane::GLO.ID_UZYTKOWNIKA = 3000002;
    dane::GLO.ID_FIRMY = 1;
  }
  void TearDown() override {
    dane::install_database(nullptr);
    dane::install_host(nullptr);
  }
  std::vector<std::pair<Channel, std::string>> sent() const {
    std::vector<std::pair<Channel, std::string>> out;
    for (const auto& e : recording.events()) {
      if (e.op == db::RecordingClient::Op::Send) out.emplace_back(e.channel, e.statement);
    }
    return out;
  }
  db::ScriptedClient scripted;
  db::RecordingClient recording{scripted};
  ui_script::ScriptHost windows;
};

TEST_F(MarkingStatements, SingleMarksAndTheCountGoOnTheMarkingChannel) {
  ZAZNACZSQL(120, 7);
  ZAZNACZSQL(120, 5, 9);
  ODZNACZSQL(120, 7);
  ODZNACZALLSQL(120);
  scripted.queue_rows({{"3"}});
  EXPECT_EQ(ILEZAZNACZONYCH(120), 3);
  EXPECT_EQ(sent(),
            (std::vector<std::pair<Channel, std::string>>{
                {Channel::VAXZAZ, "Call JL_Zaznacz (3000002,120,7)"},
                {Channel::VAXZAZ,
                 "if not exists (select 1 from zaznaczone with (nolock) where id_sesji= 3000002 and uzycie= "
                 "120 and id= 5 and id2= 9) begin   insert into zaznaczone (id_sesji,uzycie,id,id2) "
                 "values(3000002,120,5,9) end"},
                {Channel::VAXZAZ, "Call JL_Odznacz (3000002,120,7)"},
                {Channel::VAXZAZ, "Call JL_OdznaczAll (3000002,120)"},
                {Channel::VAXZAZ,
                 "select count(*) from zaznaczone with (nolock) where uzycie=120 and id_sesji=3000002"}}));
}

TEST_F(MarkingStatements, MarkingAllIsOneDeleteAndOneInsertSelectUnderTheListLock) {
  scripted.queue_rows({{"1"}});  // the lock
  scripted.queue_rows({});
  scripted.queue_rows({});
  scripted.queue_rows({});
  scripted.queue_rows({{"4"}});
  EXPECT_EQ(
      ZAZNACZALLSQL(120, "A.ID_KONTRAHENTA",
                    "select a.id_kontrahenta, a.nazwa from kontrahent a where a.id_firmy=1 order by a.nazwa"),
      4);
  EXPECT_EQ(sent(),
            (std::vector<std::pair<Channel, std::string>>{
                {Channel::VAXZAZ, "call JL_ZaznaczoneBlokuj(3000002,120)"},
                {Channel::VAXZAZ,
                 "delete from zaznaczone where id_sesji=3000002 and uzycie=120 and id in (select distinct "
                 "A.ID_KONTRAHENTA  FROM KONTRAHENT A WHERE A.ID_FIRMY=1)"},
                {Channel::VAX,
                 "insert into zaznaczone (id,uzycie,id_sesji) select distinct A.ID_KONTRAHENTA,120,3000002  "
                 "FROM KONTRAHENT A WHERE A.ID_FIRMY=1"},
                {Channel::VAXZAZ, "call JL_ZaznaczoneZwolnij(3000002,120)"},
                {Channel::VAXZAZ,
                 "select count(*) from zaznaczone with (nolock) where uzycie=120 and id_sesji=3000002"}}));
}

TEST_F(MarkingStatements, InversionMovesAsideMarksAllDeletesTheFormerAndClearsTheAside) {
  scripted.queue_rows({{"1"}});
  for (int i = 0; i < 5; ++i) scripted.queue_rows({});
  scripted.queue_rows({{"2"}});
  EXPECT_EQ(INWERSJASQL(7, "A.ID_BANKU", "SELECT A.ID_BANKU FROM BANKI A WHERE A.ID_BANKU<10"), 2);
  const std::string from = "FROM BANKI A WHERE A.ID_BANKU<10";
  EXPECT_EQ(sent(),
            (std::vector<std::pair<Channel, std::string>>{
                {Channel::VAXZAZ, "call JL_ZaznaczoneBlokuj(3000002,7)"},
                {Channel::VAX,
                 "update zaznaczone set uzycie=uzycie+25000 where id_sesji=3000002 and uzycie=7 and id in "
                 "(select distinct A.ID_BANKU  " +
                     from + ")"},
                {Channel::VAX,
                 "insert into zaznaczone (id,uzycie,id_sesji) select distinct A.ID_BANKU,7,3000002  " + from},
                {Channel::VAX,
                 "delete from zaznaczone where id_sesji=3000002 and uzycie=7 and id in (select id from "
                 "zaznaczone where id_sesji=3000002 and uzycie=25000+7)"},
                {Channel::VAX, "delete from zaznaczone where id_sesji=3000002 and uzycie=25000+7"},
                {Channel::VAXZAZ, "call JL_ZaznaczoneZwolnij(3000002,7)"},
                {Channel::VAXZAZ,
                 "select count(*) from zaznaczone with (nolock) where uzycie=7 and id_sesji=3000002"}}));
}

TEST_F(MarkingStatements, WithoutFromOnlyTheCountIsSent) {
  scripted.queue_rows({{"5"}});
  EXPECT_EQ(ZAZNACZALLSQL(7, "A.ID", "exec AP_Cos 1"), 5);
  scripted.queue_rows({{"5"}});
  EXPECT_EQ(INWERSJASQL(7, "A.ID", ""), 5);
  ASSERT_EQ(sent().size(), 2U);
  EXPECT_TRUE(sent()[0].second.starts_with("select count(*) from zaznaczone"));
}

TEST_F(MarkingStatements, SavingAndRestoringAnswerTheRetCode) {
  ZACHOWAJ_ZORVA_ZAZNACZONE(120, 4);
  PRZYWROC_ZORVA_ZAZNACZONE(120, 4);
  EXPECT_EQ(sent(), (std::vector<std::pair<Channel, std::string>>{
                        {Channel::VAX, "&RetCode = call RM_Zachowaj_ZORVA_zaznaczone(1,3000002,120,4)"},
                        {Channel::VAX, "&RetCode = call RM_Przywroc_ZORVA_zaznaczone(1,3000002,120,4)"}}));
}

TEST(MarkingButton, TooltipAndIconFollowTheCount) {
  dane::Window window("Banki_Brw");
  DISPLAYZAZNACZONE(window, "?Zaznaczone", 0, "banków   ");
  EXPECT_EQ(window.tooltips().text("?Zaznaczone"),
            "Ilość zaznaczonych banków : 0\r\nPrawy klawisz-oblicz wszystkie");
  ASSERT_NE(window.toolbar().find("?Zaznaczone"), nullptr);
  EXPECT_EQ(window.toolbar().find("?Zaznaczone")->text, "[31848(~boxoff.ico)]");
  DISPLAYZAZNACZONE(window, "?Zaznaczone", 3, "banków", 10);
  EXPECT_EQ(window.tooltips().text("?Zaznaczone"), "Ilość zaznaczonych banków : 3/10");
  EXPECT_EQ(window.toolbar().find("?zaznaczone")->text, "[31848(~boxon.ico)]");
  // A button with a label keeps it.
  window.toolbar().add_button("Znaczniki", "[31848(~boxoff.ico)]Zaznaczone");
  DISPLAYZAZNACZONE(window, "Znaczniki", 1, "banków");
  EXPECT_EQ(window.toolbar().find("Znaczniki")->text, "[31848(~boxon.ico)]Zaznaczone");
  EXPECT_EQ(window.toolbar().find("Znaczniki")->tooltip,
            "Ilość zaznaczonych banków : 1\r\nPrawy klawisz-oblicz wszystkie");
}

// On the demo database: the banks are the browse, use code 77.
class MarkingDemo : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(session.ok()) << session.error();
    dane::install_host(&windows);
    dane::GLO.ID_UZYTKOWNIKA = 3000002;
    shown_ids = ids("select A.ID_BANKU from BANKI A where A.ID_BANKU <= 3 order by A.ID_BANKU");
    ASSERT_EQ(shown_ids.size(), 3U);
  }
  void TearDown() override { dane::install_host(nullptr); }

  static std::vector<std::string> ids(const std::string& query) {
    std::vector<std::string> out;
    EXECSQL2(query);
    while (next_row(Channel::VAX2)) out.push_back(column(Channel::VAX2, 1));
    CLOSESQL2();
    return out;
  }
  static std::vector<std::string> marked(int use = kUse) {
    return ids("select id from zaznaczone where id_sesji=3000002 and uzycie=" + std::to_string(use) +
               " order by id");
  }
  static constexpr int kUse = 77;
  static constexpr const char* kBrowse =
      "select a.id_banku, a.nazwa from banki a where a.id_banku <= 3 order by a.nazwa";

  testing::DemoSession session{1, 3000002};
  ui_script::ScriptHost windows;
  std::vector<std::string> shown_ids;
};

TEST_F(MarkingDemo, SingleMarksWithAndWithoutSecondIdentifier) {
  ZAZNACZSQL(kUse, 1);
  ZAZNACZSQL(kUse, 1);
  ZAZNACZSQL(kUse, 2, 5);
  ZAZNACZSQL(kUse, 2, 5);
  EXPECT_EQ(marked(), (std::vector<std::string>{"1", "2"}));
  EXPECT_EQ(ILEZAZNACZONYCH(kUse), 2);
  ODZNACZSQL(kUse, 2);
  EXPECT_EQ(marked(), (std::vector<std::string>{"1"}));
  ODZNACZALLSQL(kUse);
  EXPECT_EQ(ILEZAZNACZONYCH(kUse), 0);
  EXPECT_TRUE(windows.failures().empty());
}

TEST_F(MarkingDemo, MarkingAllTwiceMarksEachShownRecordOnceAndKeepsOthers) {
  ZAZNACZSQL(kUse, 9'000'001);  // a record outside the browse's filter
  ZAZNACZSQL(kUse, 2);
  EXPECT_EQ(ZAZNACZALLSQL(kUse, "A.ID_BANKU", kBrowse), 4);
  EXPECT_EQ(ZAZNACZALLSQL(kUse, "A.ID_BANKU", kBrowse), 4);
  std::vector<std::string> expected = shown_ids;
  expected.push_back("9000001");
  EXPECT_EQ(marked(), expected);
  EXPECT_TRUE(marked(kUse + 25'000).empty());
  EXPECT_EQ(ids("select count(*) from ZAZNACZONE_BLOKADY"), (std::vector<std::string>{"0"}));
}

TEST_F(MarkingDemo, InversionWithinTheShownRecordsKeepsMarksOutsideTheFilter) {
  ZAZNACZSQL(kUse, std::stod(shown_ids[0]));
  ZAZNACZSQL(kUse, std::stod(shown_ids[1]));
  ZAZNACZSQL(kUse, 9'000'009);
  EXPECT_EQ(INWERSJASQL(kUse, "A.ID_BANKU", kBrowse), 2);
  EXPECT_EQ(marked(), (std::vector<std::string>{shown_ids[2], "9000009"}));
  EXPECT_TRUE(marked(kUse + 25'000).empty());
  // Another user's marks of the same list are not touched.
  dane::GLO.ID_UZYTKOWNIKA = 3000003;
  ZAZNACZSQL(kUse, std::stod(shown_ids[0]));
  dane::GLO.ID_UZYTKOWNIKA = 3000002;
  EXPECT_EQ(INWERSJASQL(kUse, "A.ID_BANKU", kBrowse), 3);
  EXPECT_EQ(marked(), (std::vector<std::string>{shown_ids[0], shown_ids[1], "9000009"}));
  EXPECT_EQ(ids("select count(*) from zaznaczone where id_sesji=3000003"), (std::vector<std::string>{"1"}));
}

TEST_F(MarkingDemo, SavedMarkingComesBackWithRetCodeOne) {
  ZAZNACZSQL(kUse, 1);
  ZAZNACZSQL(kUse, 3);
  EXPECT_EQ(ZACHOWAJ_ZORVA_ZAZNACZONE(kUse, 0), 1);
  ODZNACZALLSQL(kUse);
  ZAZNACZSQL(kUse, 2);
  EXPECT_EQ(PRZYWROC_ZORVA_ZAZNACZONE(kUse, 0), 1);
  EXPECT_EQ(marked(), (std::vector<std::string>{"1", "3"}));
  EXPECT_EQ(PRZYWROC_ZORVA_ZAZNACZONE(kUse, 5), 0);  // nothing saved under that key
  EXPECT_EQ(marked(), (std::vector<std::string>{"1", "3"}));
}

TEST_F(MarkingDemo, AFailingInsertLeavesTheTrueCountAndTheLockReleased) {
  // A browse statement naming a column the table lacks: the insert fails in the statement window.
  windows.answer("OK", "MIRLET: Ostrzeżenie");
  ZAZNACZSQL(kUse, 1);
  EXPECT_EQ(ZAZNACZALLSQL(kUse, "A.BRAK", "select a.brak from banki a"), 1);
  EXPECT_TRUE(windows.failures().empty());
  EXPECT_EQ(ids("select count(*) from ZAZNACZONE_BLOKADY"), (std::vector<std::string>{"0"}));
}

}  // namespace
}  // namespace keldox
