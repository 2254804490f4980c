// The statement window on the demo database through the scripted host: single and row mode, the end
// states with their texts, the asking mode, the stop request and the worker result list.
#include "keldox/statement_window.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "dane/globals.h"
#include "demo_session.h"
#include "keldox/sql.h"
#include "ui_script/script_host.h"

namespace keldox {
namespace {

using namespace statement_window_detail;

TEST(WorkerResults, PutGetAndDeleteByThread) {
  create_results();
  put_result({901, kRunning, {}});
  put_result({902, kRunning, {}});
  put_result({901, kFailed, std::string(400, 'x')});
  const WorkerEntry first = get_result(901);
  EXPECT_EQ(first.status, kFailed);
  EXPECT_EQ(first.message.size(), 300U);
  EXPECT_EQ(get_result(902).status, kRunning);
  delete_result(901);
  delete_result(901);
  EXPECT_EQ(get_result(901).status, kNoEntry);
  // Thread 0 is the calling thread, which has no entry here.
  EXPECT_EQ(get_result(0).status, kNoEntry);
  delete_result(902);
}

class StatementWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(session.ok()) << session.error();
    dane::install_host(&windows);
    // Three driving rows naming the table each statement writes to; the second names none.
    for (const char* table : {"zaznaczone", "BRAK_TABELI", "zaznaczone"}) {
      ASSERT_EQ(ESQL(std::string("insert into LOG_WYKONANIA (ID_UZYTKOWNIKA, KONTEKST, OPIS1) values (7, '") +
                         table + "', 'proba')",
                     1),
                0);
    }
    CLOSESQL();
  }
  static constexpr const char* kTables =
      "select ID_LOG_WYKONANIA, KONTEKST from LOG_WYKONANIA where OPIS1='proba' order by ID_LOG_WYKONANIA";
  static constexpr const char* kIntoTable = "insert into #2# (id_sesji,uzycie,id) values (1,555,#1#)";
  void TearDown() override {
    dane::install_host(nullptr);
    EXPECT_TRUE(windows.failures().empty());
  }
  std::vector<ui_script::Shown> of_kind(const std::string& kind) const {
    std::vector<ui_script::Shown> out;
    for (const auto& s : windows.shown()) {
      if (s.kind == kind) out.push_back(s);
    }
    return out;
  }
  static std::string rows() { return FUNCSQL("select count(*) from zaznaczone where uzycie=555"); }
  testing::DemoSession session{1, 3000002};
  ui_script::ScriptHost windows;
};

TEST_F(StatementWindow, SingleStatementRunsOnTheWorkerAndClosesByItself) {
  EXPECT_EQ(EXECSQLWIN("insert into zaznaczone (id_sesji,uzycie,id) values (1,555,1)"), 1);
  EXPECT_EQ(rows(), "1");
  const auto progress = of_kind("progress");
  ASSERT_FALSE(progress.empty());
  EXPECT_EQ(progress.front().title, "Proszę czekać - trwa wykonanie ...");
  EXPECT_EQ(progress.front().fields, (std::vector<std::string>{"busy=1"})) << "no counter, no percentage";
  EXPECT_TRUE(of_kind("message").empty());
}

TEST_F(StatementWindow, KeepOpenShowsTheFinishedStateUntilOk) {
  windows.answer("OK", "MIRLET: Informacja", "Zakończono import.");
  EXPECT_EQ(EXECSQLWIN("insert into zaznaczone (id_sesji,uzycie,id) values (1,555,1)", "Import", "", "",
                       "import", 1),
            1);
  EXPECT_EQ(rows(), "1");
}

TEST_F(StatementWindow, AFailingStatementEndsInTheWarningWithTheDriversMessageToCopy) {
  windows.answer("Do schowka", "MIRLET: Ostrzeżenie", "Uwaga - przerwano wykonanie.").answer("OK");
  EXPECT_EQ(EXECSQLWIN("insert into BRAK_TABELI values (1)"), 2);
  EXPECT_NE(windows.clipboard().find("BRAK_TABELI"), std::string::npos) << windows.clipboard();
}

TEST_F(StatementWindow, RowModeFillsTheMarkersFromEachRow) {
  // Banks 1 to 3 drive three inserts; marker 3 is past the query's two columns and stays as written.
  EXPECT_EQ(
      EXECSQLWIN("insert into zaznaczone (id_sesji,uzycie,id,id2) values (1,555,#1#,#2#)", "Bank #1# #3#", "",
                 "select ID_BANKU, ID_BANKU*10 from BANKI where ID_BANKU <= 3 order by ID_BANKU"),
      1);
  EXPECT_EQ(rows(), "3");
  EXPECT_EQ(FUNCSQL("select count(*) from zaznaczone where uzycie=555 and id between 1 and 3 and id2=id*10"),
            "3");
  const auto progress = of_kind("progress");
  ASSERT_FALSE(progress.empty());
  EXPECT_EQ(progress.back().buttons, (std::vector<std::string>{"Przerwij"}));
  EXPECT_EQ(progress.back().answer, 100);
  EXPECT_EQ(progress.back().text, "Bank 3 #3#");
  EXPECT_EQ(progress.back().fields, (std::vector<std::string>{"counter=3 / 3"}));
}

TEST_F(StatementWindow, ADrivingQueryWithoutRowsClosesAtOnce) {
  EXPECT_EQ(EXECSQLWIN(kIntoTable, "", "", "select ID_BANKU, NUMER_BANKU from BANKI where 1=0"), 1);
  EXPECT_EQ(rows(), "0");
  EXPECT_TRUE(of_kind("progress").empty());
}

TEST_F(StatementWindow, TheFirstFailingRowStopsInTheWarning) {
  windows.answer("OK", "MIRLET: Ostrzeżenie", "Uwaga - przerwano kopiowanie.");
  EXPECT_EQ(EXECSQLWIN(kIntoTable, "", "", kTables, "kopiowanie"), 2);
  EXPECT_EQ(rows(), "1");
}

TEST_F(StatementWindow, AskingModeGoesOnAfterNoAndSummarises) {
  windows.answer("Nie", "MIRLET: Pytanie", "Czy chcesz przerwać kopiowanie?")
      .answer("Tak", "MIRLET: Pytanie", "Czy dalej wyświetlać komunikaty z pytaniem o przerwanie wykonania?")
      .answer("OK", "MIRLET: Informacja", "Wykonano 66%  ( 2 / 3 )");
  EXPECT_EQ(EXECSQLWINASK(kIntoTable, "", "", kTables, "kopiowanie"), 2);
  EXPECT_EQ(rows(), "2");
}

TEST_F(StatementWindow, StoppingAsksAndEndsInterruptedAfterTheRunningRow) {
  windows.cancel_progress_at(0)
      .answer("Tak", "MIRLET: Pytanie", "Czy chcesz przerwać wstawianie?")
      .answer("OK", "MIRLET: Informacja", "Przerwano wstawianie.");
  EXPECT_EQ(EXECSQLWIN("insert into zaznaczone (id_sesji,uzycie,id) values (1,555,#1#)", "", "",
                       "select ID_BANKU from BANKI where ID_BANKU <= 3 order by ID_BANKU", "wstawianie"),
            2);
  EXPECT_LT(std::stoi(rows()), 3);
}

TEST_F(StatementWindow, TheEngineReportsItsStatesAndHeights) {
  StatementWindowArgs args;
  args.statement = "insert into BRAK values (1)";
  args.height = 300;
  StatementRun run(args, false);
  EXPECT_EQ(run.title(), "MIRLET");
  EXPECT_EQ(run.height(), 300);
  EXPECT_EQ(run.description(), "Proszę czekać - trwa wykonanie ...");
  for (int i = 0; i < 2000 && run.end_state() == StatementRun::End::None; ++i) {
    run.tick();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ASSERT_EQ(run.end_state(), StatementRun::End::Warning);
  EXPECT_EQ(run.title(), "MIRLET: Ostrzeżenie");
  EXPECT_EQ(run.description(), "Uwaga - przerwano wykonanie.");
  EXPECT_GT(run.height(), 76);  // a warning ignores the caller's height
  EXPECT_LE(run.height(), 437 + 76);
  run.request_close();
  EXPECT_TRUE(run.ended());
}

}  // namespace
}  // namespace keldox
