// The SQL text window on the demo database: what it shows, what it copies, and a script run piece by
// piece with its stop at the first failure.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dane/host.h"
#include "demo_session.h"
#include "keldox/sql.h"
#include "keldox/statement_window.h"
#include "ui_script/script_host.h"

namespace keldox {
namespace {

class SqlTextWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(demo_.ok()) << demo_.error();
    dane::install_host(&host_);
  }
  void TearDown() override { dane::install_host(nullptr); }

  std::string shown_text() const {
    for (const ui_script::Shown& s : host_.shown()) {
      if (s.kind != "form") continue;
      for (const std::string& f : s.fields) {
        if (f.starts_with("SQL=")) return f.substr(4);
      }
    }
    return "<none>";
  }
  std::string failures() const {
    std::string out;
    for (const std::string& f : host_.failures()) out += f + "\n";
    return out;
  }
  std::string countries(const std::string& where) {
    const std::string n = FUNCSQL("select count(*) from KRAJE where " + where);
    CLOSESQL();
    return n;
  }

  testing::DemoSession demo_;
  ui_script::ScriptHost host_;
};

TEST_F(SqlTextWindow, ShowsGravesAsApostrophesAndCopiesTheSelectionOrTheWholeText) {
  const std::string text = "select * from KRAJE where NAZWA_KRAJU=`Łotwa`";
  host_.form_select("SQL", 14, 19).form_press("KOPIUJ").form_cancel();
  POKAZSQLWIN(text, "Podgląd zapytania");
  EXPECT_EQ(failures(), "");
  EXPECT_EQ(shown_text(), "select * from KRAJE where NAZWA_KRAJU='Łotwa'");
  EXPECT_EQ(host_.clipboard(), "KRAJE");

  host_.form_select("SQL", 39, 44).form_press("KOPIUJ").form_cancel();
  POKAZSQLWIN(text, "Podgląd zapytania");
  EXPECT_EQ(host_.clipboard(), "Łotwa");

  host_.form_press("KOPIUJ").form_cancel();
  POKAZSQLWIN(text, "Podgląd zapytania");
  EXPECT_EQ(host_.clipboard(), "select * from KRAJE where NAZWA_KRAJU='Łotwa'");
  EXPECT_EQ(failures(), "");
}

TEST_F(SqlTextWindow, AScriptRunsPieceByPieceBetweenGoLinesAndIsLogged) {
  const std::string before = FUNCSQL("select count(1) from LOG_AKCJI where RODZAJ_OBIEKTU='SYSTEM'");
  const std::string script =
      "insert into KRAJE (SYM_KRAJU, NAZWA_KRAJU) values ('Q1', `Kraj pierwszy`)\r\ngo\r\n"
      "insert into KRAJE (SYM_KRAJU, NAZWA_KRAJU) values ('Q2', 'Kraj drugi')\ngo\n"
      "insert into KRAJE (SYM_KRAJU, NAZWA_KRAJU) values ('Q3', 'Kraj trzeci')\r\n  GO  \r\n   \r\n";
  host_.form_press("WYKONAJ").answer("OK", "", "Skrypt SQL został wykonany poprawnie!").form_cancel();
  POKAZSQLWIN(script, "Skrypt krajów");
  EXPECT_EQ(failures(), "");
  EXPECT_EQ(countries("SYM_KRAJU in ('Q1','Q2','Q3')"), "3");
  EXPECT_EQ(countries("NAZWA_KRAJU='Kraj pierwszy'"), "1");
  EXPECT_EQ(std::stoi(FUNCSQL("select count(1) from LOG_AKCJI where RODZAJ_OBIEKTU='SYSTEM'")),
            std::stoi(before) + 1);
  EXPECT_EQ(FUNCSQL("select count(1) from LOG_AKCJI where RODZAJ_OBIEKTU='SYSTEM' and OPIS='Skrypt krajów'"),
            "1");
  CLOSESQL();
}

TEST_F(SqlTextWindow, AFailingPieceStopsTheScriptWithTheDriversMessage) {
  const std::string script =
      "insert into KRAJE (SYM_KRAJU, NAZWA_KRAJU) values ('Q4', 'Przed')\r\ngo\r\n"
      "insert into NIE_MA_TAKIEJ values (1)\r\ngo\r\n"
      "insert into KRAJE (SYM_KRAJU, NAZWA_KRAJU) values ('Q5', 'Po')";
  host_.form_press("WYKONAJ").answer("OK").form_cancel();
  POKAZSQLWIN(script, "Skrypt z błędem");
  EXPECT_EQ(failures(), "");
  EXPECT_EQ(countries("SYM_KRAJU='Q4'"), "1");
  EXPECT_EQ(countries("SYM_KRAJU='Q5'"), "0");
  const std::vector<ui_script::Shown> shown = host_.shown();
  const auto box =
      std::find_if(shown.begin(), shown.end(), [](const auto& s) { return s.kind == "message"; });
  ASSERT_NE(box, shown.end());
  EXPECT_NE(box->text.find("NIE_MA_TAKIEJ"), std::string::npos) << box->text;
}

TEST_F(SqlTextWindow, ATextWithoutSeparatorsIsOnePiece) {
  host_.form_press("WYKONAJ").answer("OK", "", "Skrypt SQL został wykonany poprawnie!").form_cancel();
  POKAZSQLWIN("update KRAJE set NAZWA_KRAJU='Polska' where SYM_KRAJU='PL'", "Jedna instrukcja");
  EXPECT_EQ(failures(), "");
  EXPECT_TRUE(host_.finished());
}

}  // namespace
}  // namespace keldox
