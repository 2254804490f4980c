// The command layer over a scripted client: what is sent, how often, and which windows appear.
#include <gtest/gtest.h>

#include <thread>

#include "dane/database.h"
#include "dane/globals.h"
#include "db/test_clients.h"
#include "keldox/sql.h"
#include "keldox/sql_text.h"
#include "mirlet_testing/temp_folder.h"
#include "runtime/clock.h"
#include "server/demo.h"
#include "server/server.h"
#include "sql/zaz_channel.h"
#include "ui_script/script_host.h"

namespace keldox {
namespace {

using db::Channel;
using db::Status;

class SqlLayer : public ::testing::Test {
 protected:
  void SetUp() override {
    dane::install_database(&recording);
    dane::install_host(&windows);
    dane::GLO.TABLEOPENTIME = 0;
  }
  void TearDown() override {
    dane::install_database(nullptr);
    dane::install_host(nullptr);
  }
  std::vector<std::string> errors() const {
    std::vector<std::string> titles;
    for (const auto& s : windows.shown()) {
      if (s.kind == "error") titles.push_back(s.title);
    }
    return titles;
  }
  std::size_t sends() const {
    std::size_t n = 0;
    for (const auto& e : recording.events()) n += e.op == db::RecordingClient::Op::Send;
    return n;
  }
  db::ScriptedClient scripted;
  db::RecordingClient recording{scripted};
  ui_script::ScriptHost windows;
};

TEST_F(SqlLayer, SingleValueIsTheFirstColumnOrEmpty) {
  scripted.queue_rows({{"42", "x"}, {"43", "y"}});
  EXPECT_EQ(FUNCSQL("select count(1) from WALUTY   "), "42");
  EXPECT_EQ(recording.statements(), (std::vector<std::string>{"select count(1) from WALUTY"}));
  scripted.queue_rows({});
  EXPECT_EQ(FUNCSQL("select 1 where 1=0"), "");
  EXPECT_TRUE(errors().empty());
  EXPECT_NE(dane::GLO.TABLEOPENTIME.load(), 0);
}

TEST_F(SqlLayer, QuietSingleValueTriesOnceAndShowsNothing) {
  scripted.queue_failure(Status::statement_failed("Incorrect syntax near 'form'"));
  EXPECT_EQ(FUNCSQL("select * form X", 1), "");
  EXPECT_EQ(sends(), 1u);
  EXPECT_TRUE(errors().empty());
}

TEST_F(SqlLayer, OtherFailureIsRetriedOnceAfterReopeningThenShown) {
  scripted.queue_failure(Status::statement_failed("Invalid object name 'WALUTYY'"));
  scripted.queue_failure(Status::statement_failed("Invalid object name 'WALUTYY'"));
  EXPECT_EQ(FUNCSQL("select sym_waluty from WALUTYY"), "");
  EXPECT_EQ(sends(), 2u);
  EXPECT_EQ(errors(), (std::vector<std::string>{"Invalid object name 'WALUTYY'"}));
  EXPECT_EQ(windows.shown().back().text, "select sym_waluty from WALUTYY");
}

TEST_F(SqlLayer, OneFailureThenSuccessAfterReopening) {
  scripted.queue_failure(Status::statement_failed("Communication link failure"));
  scripted.queue_rows({{"PLN"}});
  EXPECT_EQ(FUNCSQL("select wal_bazowa from FIRMA"), "PLN");
  EXPECT_TRUE(errors().empty());
}

TEST_F(SqlLayer, NotOpenIsReopenedTenTimesThenTheConnectionProblemWindow) {
  for (int i = 0; i < 11; ++i) scripted.queue_failure(Status::failure(db::kNotOpen, "Table not open"));
  EXPECT_EQ(FUNCSQL("select 1"), "");
  EXPECT_EQ(sends(), 11u);  // the first try and ten tries after re-opening
  EXPECT_EQ(errors(),
            (std::vector<std::string>{"Problem z połączeniem  - błąd otwarcia tabeli VAXFSQL do odczytu!"}));
}

TEST_F(SqlLayer, TransientFailuresAreRetriedSilently) {
  for (int i = 0; i < 10; ++i) scripted.queue_failure(Status::transient_failure("database is locked"));
  EXPECT_EQ(FUNCSQL("select 1"), "");
  EXPECT_EQ(sends(), 10u);
  EXPECT_TRUE(errors().empty());

  recording.forget();
  scripted.queue_failure(Status::transient_failure("database is locked"));
  scripted.queue_rows({{"7"}});
  EXPECT_EQ(FUNCSQLZAZ("select count(1) from ZAZNACZENIA"), "7");
  EXPECT_EQ(sends(), 2u);
}

TEST_F(SqlLayer, ZazChannelNamesItselfInTheConnectionWindow) {
  for (int i = 0; i < 11; ++i) scripted.queue_failure(Status::failure(db::kNotOpen, "Table not open"));
  EXECSQLZAZ("update ZAZNACZENIA set x=1");
  EXPECT_EQ(errors(),
            (std::vector<std::string>{"Problem z połączeniem  - błąd otwarcia tabeli VAXZAZ do odczytu!"}));
}

TEST_F(SqlLayer, RunWithResultAnswersFiveAndShowsUnlessQuietOrTransient) {
  scripted.queue_failure(Status::statement_failed("Conversion failed"));
  EXPECT_EQ(ESQL("update X set a='b'", 1), 5);
  scripted.queue_failure(Status::transient_failure("busy"));
  EXPECT_EQ(ESQL2("update X set a='b'"), 5);
  EXPECT_TRUE(errors().empty());
  scripted.queue_failure(Status::statement_failed("Conversion failed"));
  EXPECT_EQ(ESQL3("update X set a='b'"), 5);
  EXPECT_EQ(errors(), (std::vector<std::string>{"Conversion failed"}));
  EXPECT_EQ(ESQL("update X set a='c'"), 0);
}

TEST_F(SqlLayer, RunLeavesRowsToReadAndResetsTheWorkerFlag) {
  dane::GLO.VAXOPENED = 1;
  scripted.queue_rows({{"EUR", "euro"}, {"USD", "dolar"}});
  EXECSQL("select sym_waluty, nazwa from WALUTY order by 1");
  EXPECT_EQ(dane::GLO.VAXOPENED.load(), 0);
  std::vector<std::string> read;
  while (next_row()) read.push_back(column(1) + "/" + column(2));
  EXPECT_EQ(read, (std::vector<std::string>{"EUR/euro", "USD/dolar"}));
  CLOSESQL();
  EXPECT_FALSE(next_row());
  scripted.queue_failure(Status::statement_failed("boom"));
  EXECSQL("select boom");
  EXPECT_FALSE(next_row());  // a failed statement yields no rows and no window
  EXPECT_TRUE(errors().empty());
}

TEST_F(SqlLayer, SingleValueWithoutRetriesClosesItsChannel) {
  scripted.queue_rows({{"3"}});
  EXPECT_EQ(FUNCSQL2("select 3"), "3");
  const auto events = recording.events();
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.back().op, db::RecordingClient::Op::Close);
  EXPECT_FALSE(next_row(Channel::VAX2));
}

TEST_F(SqlLayer, ProbeRunsAtMostOnceInTenMinutesOfTheSameDay) {
  // Whatever the time of day: a last statement "later today" reads as yesterday's, so the probe goes out.
  dane::GLO.TABLEOPENTIME = runtime::clock_now() + 1;
  scripted.queue_rows({{"1"}});
  EXPECT_EQ(FUNCTESTSQL("select 1"), "1");
  std::this_thread::sleep_for(std::chrono::milliseconds(30));  // a difference of 0 counts as a new day
  EXPECT_EQ(FUNCTESTSQL("select 1"), "");                      // answered without the database
  EXPECT_EQ(sends(), 1u);
  // After midnight the difference is negative: the probe goes out again.
  dane::GLO.TABLEOPENTIME = runtime::kClockPerDay - 1;
  scripted.queue_rows({{"1"}});
  EXPECT_EQ(FUNCTESTSQL("select 1"), "1");
  EXPECT_EQ(sends(), 2u);
  // Eleven minutes idle: again.
  dane::GLO.TABLEOPENTIME = runtime::clock_now() - 66'000;
  scripted.queue_rows({{"1"}});
  EXPECT_EQ(FUNCTESTSQL("select 1"), "1");
  EXPECT_EQ(sends(), 3u);
}

TEST_F(SqlLayer, TwoThreadsTakingTurnsGetTheirOwnAnswers) {
  for (int turn = 0; turn < 6; ++turn) {
    const std::string expected = "wartość " + std::to_string(turn);
    scripted.queue_rows({{expected}});
    std::string got;
    if (turn % 2 == 0) {
      got = FUNCSQL("select " + std::to_string(turn));
    } else {
      std::thread([&] { got = FUNCSQL("select " + std::to_string(turn)); }).join();
    }
    EXPECT_EQ(got, expected);
  }
  EXPECT_TRUE(errors().empty());
}

TEST_F(SqlLayer, KeptChannelFollowsTheCallingThread) {
  scripted.queue_rows({{"a"}});
  scripted.queue_rows({{"b"}});
  EXPECT_EQ(FUNCSQL("select 'a'"), "a");
  std::string from_worker;
  std::thread([&] { from_worker = FUNCSQL("select 'b'"); }).join();
  EXPECT_EQ(from_worker, "b");  // re-opened for the worker instead of failing with 37
  EXPECT_TRUE(errors().empty());
}

TEST(SqlLayerOnDemo, StatementsReachTheEmbeddedDatabase) {
  const mirlet_testing::TempFolder folder("mirlet-sql");
  const std::string file = folder.file("demo.db");
  ASSERT_TRUE(server::make_demo_database(file, server::DemoSize::Demo).ok());
  std::unique_ptr<db::Client> client;
  ASSERT_TRUE(server::connect("sqlite:" + file, client).ok());
  dane::install_database(client.get());
  EXPECT_EQ(FUNCSQL("select sym_waluty from WALUTY where sym_waluty='PLN'"), "PLN");
  EXPECT_EQ(ESQL("update WALUTY set nazwa_waluty='złoty (PLN)' where sym_waluty='PLN'"), 0);
  EXPECT_EQ(FUNCSQL("select NAZWA_WALUTY from waluty where SYM_WALUTY='pln'"), "złoty (PLN)");
  EXPECT_EQ(FUNCSQL("select count(1) from WALUTY where sym_waluty='O''Brien'"), "0");
  // A value with an apostrophe goes in through the quoting helper and comes back unchanged.
  EXPECT_EQ(
      ESQL("update WALUTY set nazwa_waluty=" + sql_text("O'Brien's \"dolar\"") + " where sym_waluty='USD'"),
      0);
  EXPECT_EQ(FUNCSQL("select nazwa_waluty from WALUTY where sym_waluty='USD'"), "O'Brien's \"dolar\"");
  dane::install_database(nullptr);
}

}  // namespace
}  // namespace keldox
