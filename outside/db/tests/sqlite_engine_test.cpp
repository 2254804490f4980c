#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "db/channel_client.h"
#include "db/sqlite_engine.h"
#include "temp_db.h"

namespace db {
namespace {

class SqliteEngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!ext_.translator) ext_.translator = pass_through;
    ASSERT_TRUE(open_client(db_.text("create=1&busy_timeout=50"), ext_, client_).ok());
    ASSERT_TRUE(client_->open(Channel::VAX).ok());
    ASSERT_TRUE(
        client_->send(Channel::VAX, "create table t(id integer primary key, name text collate PLCI)").ok());
  }

  testing::TempDb db_;
  EngineExtensions ext_;
  std::unique_ptr<Client> client_;
};

TEST_F(SqliteEngineTest, BusyDatabaseAnswersWithTheTransientMark) {
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open(db_.path().c_str(), &other), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(other, "begin immediate; insert into t values (1,'a')", nullptr, nullptr, nullptr),
            SQLITE_OK);

  const Status busy = client_->send(Channel::VAX, "insert into t values (2,'b')");
  EXPECT_EQ(busy.code, kStatementFailed);
  EXPECT_TRUE(busy.transient()) << busy.text;
  // Readers are not blocked by the writer (WAL) and see the last committed state.
  ASSERT_TRUE(client_->send(Channel::VAX, "select count(*) from t").ok());
  ASSERT_TRUE(client_->next(Channel::VAX).ok());
  EXPECT_EQ(client_->field(Channel::VAX, 1), "0");

  ASSERT_EQ(sqlite3_exec(other, "commit", nullptr, nullptr, nullptr), SQLITE_OK);
  sqlite3_close(other);
  EXPECT_TRUE(client_->send(Channel::VAX, "insert into t values (2,'b')").ok());
}

TEST_F(SqliteEngineTest, LostDatabaseFileIsTransientUntilItIsBack) {
  ASSERT_TRUE(client_->send(Channel::VAX, "insert into t values (1,'a')").ok());
  std::filesystem::rename(db_.path(), db_.path() + ".away");
  std::this_thread::sleep_for(std::chrono::milliseconds(60));  // the file is checked at most every 50 ms
  const Status lost = client_->send(Channel::VAX, "select count(*) from t");
  EXPECT_TRUE(lost.transient()) << lost.text;
  // The next attempt reconnects and cannot find the file: still transient, never a new empty database.
  EXPECT_TRUE(client_->send(Channel::VAX, "select count(*) from t").transient());
  EXPECT_FALSE(std::filesystem::exists(db_.path()));

  std::filesystem::rename(db_.path() + ".away", db_.path());
  std::unique_ptr<Client> again;
  ASSERT_TRUE(open_client(db_.text(""), ext_, again).ok());
  again->open(Channel::VAX);
  ASSERT_TRUE(again->send(Channel::VAX, "select count(*) from t").ok());
  ASSERT_TRUE(again->next(Channel::VAX).ok());
  EXPECT_EQ(again->field(Channel::VAX, 1), "1");
}

TEST_F(SqliteEngineTest, FallbackCollationIgnoresCaseOfPolishLettersAndTrailingBlanks) {
  ASSERT_TRUE(client_->send(Channel::VAX, "insert into t values (1,'Łódź'),(2,'zażółć')").ok());
  ASSERT_TRUE(client_->send(Channel::VAX, "select id from t where name='ŁÓDŹ   ' or name='ZAŻÓŁĆ'").ok());
  int found = 0;
  while (client_->next(Channel::VAX).ok()) ++found;
  EXPECT_EQ(found, 2);
}

TEST(SqliteStatus, MapsEngineCodes) {
  struct Row {
    const char* name;
    int rc;
    bool transient;
  };
  const Row rows[] = {{"busy", SQLITE_BUSY, true},
                      {"locked", SQLITE_LOCKED, true},
                      {"io", SQLITE_IOERR_READ, true},
                      {"cantopen", SQLITE_CANTOPEN, true},
                      {"moved", SQLITE_READONLY_DBMOVED, true},
                      {"syntax", SQLITE_ERROR, false},
                      {"constraint", SQLITE_CONSTRAINT_UNIQUE, false}};
  for (const auto& row : rows) {
    const Status s = sqlite_status(row.rc, "message");
    EXPECT_EQ(s.code, kStatementFailed) << row.name;
    EXPECT_EQ(s.transient(), row.transient) << row.name;
    EXPECT_NE(s.text.find("message"), std::string::npos) << row.name;
  }
  EXPECT_TRUE(sqlite_status(SQLITE_DONE, "").ok());
}

// Procedures are reached through a translator that recognises calls; here a minimal one stands in.
class ProcedureCallTest : public SqliteEngineTest {
 protected:
  void SetUp() override {
    auto registry = std::make_shared<ProcedureRegistry>();
    registry->add("AddRow", 1, 2, [](ProcedureCall& call) {
      if (Status s =
              call.db.exec("insert into t values (?, ?)", {call.args[0], Value::text(call.text_arg(1))});
          !s.ok()) {
        return s;
      }
      if (call.int_arg(0) < 0) return Status::statement_failed("negative ids are refused");
      call.result.set_columns(2);
      call.result.add_row({"added", std::to_string(call.int_arg(0))});
      call.ret_code = static_cast<std::uint8_t>(call.int_arg(0));
      return Status::success();
    });
    ext_.procedures = registry;
    ext_.translator = [](std::string_view text) {
      if (text.rfind("call ", 0) != 0 && text.rfind("&RetCode = call ", 0) != 0) return pass_through(text);
      tsql::ProcedureCall call;
      call.binds_retcode = text[0] == '&';
      call.name = text.substr(text.find("call ") + 5);
      const auto arg = call.name.find(' ');
      if (arg != std::string::npos) {
        call.arguments.push_back({tsql::Argument::Kind::Integer, call.name.substr(arg + 1)});
        call.name.resize(arg);
      }
      Program p;
      p.steps.push_back(tsql::Step{call});
      return p;
    };
    SqliteEngineTest::SetUp();
  }
};

TEST_F(ProcedureCallTest, RowsAndRetCodeReachTheChannel) {
  ASSERT_TRUE(client_->send(Channel::VAX, "&RetCode = call AddRow 7").ok());
  EXPECT_EQ(client_->ret_code(Channel::VAX), 7);
  ASSERT_TRUE(client_->next(Channel::VAX).ok());
  EXPECT_EQ(client_->field(Channel::VAX, 1), "added");
  EXPECT_EQ(client_->field(Channel::VAX, 2), "7");
  // Without the binding the output value stays 0.
  ASSERT_TRUE(client_->send(Channel::VAX, "call AddRow 8").ok());
  EXPECT_EQ(client_->ret_code(Channel::VAX), 0);
}

TEST_F(ProcedureCallTest, FailingProcedureLeavesNoEffectsAndPassesItsText) {
  const Status s = client_->send(Channel::VAX, "call AddRow -3");
  EXPECT_EQ(s.code, kStatementFailed);
  EXPECT_EQ(s.text, "negative ids are refused");
  ASSERT_TRUE(client_->send(Channel::VAX, "select count(*) from t").ok());
  ASSERT_TRUE(client_->next(Channel::VAX).ok());
  EXPECT_EQ(client_->field(Channel::VAX, 1), "0");
  const Status unknown = client_->send(Channel::VAX, "call Nothing");
  EXPECT_NE(unknown.text.find("Nothing"), std::string::npos);
  EXPECT_NE(client_->send(Channel::VAX, "call AddRow").text.find("number of arguments"), std::string::npos);
}

TEST_F(ProcedureCallTest, FailingProcedureInsideATransactionUndoesOnlyItself) {
  ASSERT_TRUE(client_->send(Channel::VAX, "begin").ok());
  ASSERT_TRUE(client_->send(Channel::VAX, "insert into t values (1,'before')").ok());
  EXPECT_FALSE(client_->send(Channel::VAX, "call AddRow -4").ok());
  ASSERT_TRUE(client_->send(Channel::VAX, "call AddRow 5").ok());
  ASSERT_TRUE(client_->send(Channel::VAX, "commit").ok());
  ASSERT_TRUE(client_->send(Channel::VAX, "select group_concat(id) from t").ok());
  ASSERT_TRUE(client_->next(Channel::VAX).ok());
  EXPECT_EQ(client_->field(Channel::VAX, 1), "1,5");
}

}  // namespace
}  // namespace db
