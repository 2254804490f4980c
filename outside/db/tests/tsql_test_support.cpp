// Reference executor of translated programs for the translator's tests.
#include "tsql_test_support.h"

#include <gtest/gtest.h>

#include <variant>

#include "db/tsql/functions.h"

namespace db::tsql::testing {
namespace {

std::string column_text(sqlite3_stmt* st, int i) {
  if (sqlite3_column_type(st, i) == SQLITE_NULL) return "NULL";
  const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(st, i));
  return std::string(p, static_cast<std::size_t>(sqlite3_column_bytes(st, i)));
}

// Runs one SQLite statement; rows go to `rows` when given.
bool run_sql(sqlite3* db, const std::string& sql, Rows* rows, std::string& error) {
  sqlite3_stmt* st = nullptr;
  if (sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &st, nullptr) != SQLITE_OK) {
    error = sqlite3_errmsg(db);
    return false;
  }
  int rc;
  while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
    if (rows == nullptr) continue;
    std::vector<std::string> row;
    for (int i = 0; i < sqlite3_column_count(st); ++i) row.push_back(column_text(st, i));
    rows->push_back(std::move(row));
  }
  if (rc != SQLITE_DONE) error = sqlite3_errmsg(db);
  sqlite3_finalize(st);
  return rc == SQLITE_DONE;
}

bool run_steps(sqlite3* db, const Steps& steps, RunResult& r);

bool run_step(sqlite3* db, const Step& step, RunResult& r) {
  if (const auto* s = std::get_if<Statement>(&step.node)) {
    return run_sql(db, s->sql, s->returns_rows ? &r.rows : nullptr, r.error);
  }
  if (const auto* c = std::get_if<ProcedureCall>(&step.node)) {
    std::string call = (c->binds_retcode ? "&" : "") + c->name + "(";
    for (std::size_t i = 0; i < c->arguments.size(); ++i) {
      if (i > 0) call += "|";
      call += c->arguments[i].kind == Argument::Kind::Null ? "NULL" : c->arguments[i].value;
    }
    r.calls.push_back(call + ")");
    return true;
  }
  if (const auto* c = std::get_if<Conditional>(&step.node)) {
    Rows cond;
    if (!run_sql(db, c->condition_sql, &cond, r.error)) return false;
    const bool holds = !cond.empty() && cond[0][0] == "1";
    return run_steps(db, holds ? c->then_steps : c->else_steps, r);
  }
  const auto& atomic = std::get<Atomic>(step.node);
  std::string ignored;
  run_sql(db, "SAVEPOINT tsql_atomic", nullptr, ignored);
  if (!run_steps(db, atomic.steps, r)) {
    run_sql(db, "ROLLBACK TO tsql_atomic", nullptr, ignored);
    run_sql(db, "RELEASE tsql_atomic", nullptr, ignored);
    return false;
  }
  return run_sql(db, "RELEASE tsql_atomic", nullptr, r.error);
}

bool run_steps(sqlite3* db, const Steps& steps, RunResult& r) {
  for (const Step& s : steps) {
    if (!run_step(db, s, r)) return false;
  }
  return true;
}

}  // namespace

MemoryDb::MemoryDb() {
  EXPECT_EQ(sqlite3_open(":memory:", &db_), SQLITE_OK);
  EXPECT_TRUE(register_tsql_functions(db_));
}

MemoryDb::~MemoryDb() {
  sqlite3_close(db_);
}

void MemoryDb::exec(std::string_view sqlite_sql) {
  char* message = nullptr;
  const std::string sql(sqlite_sql);
  const int rc = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &message);
  EXPECT_EQ(rc, SQLITE_OK) << (message != nullptr ? message : "") << "\n" << sql;
  sqlite3_free(message);
}

RunResult MemoryDb::run(std::string_view tsql) {
  RunResult r;
  const Program program = translate(tsql);
  if (program.refused()) {
    r.error = program.refusal;
    return r;
  }
  run_steps(db_, program.steps, r);
  return r;
}

Rows MemoryDb::query(std::string_view sqlite_sql) {
  Rows rows;
  std::string error;
  EXPECT_TRUE(run_sql(db_, std::string(sqlite_sql), &rows, error)) << error;
  return rows;
}

std::string sql_of(const Program& program) {
  if (program.steps.size() == 1) {
    if (const auto* s = std::get_if<Statement>(&program.steps[0].node)) return s->sql;
  }
  std::string d = describe(program);
  if (!d.empty() && d.back() == '\n') d.pop_back();
  return d;
}

}  // namespace db::tsql::testing
