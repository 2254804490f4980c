// Test support: an in-memory SQLite with the translator's functions and a reference executor of programs.
#pragma once

#include <sqlite3.h>

#include <string>
#include <string_view>
#include <vector>

#include "db/tsql/translate.h"

namespace db::tsql::testing {

using Rows = std::vector<std::vector<std::string>>;

struct RunResult {
  Rows rows;                       // rows of the statements that return rows, NULL read as "NULL"
  std::vector<std::string> calls;  // procedure calls as "name(arg|arg)" with the RetCode flag as "&"
  std::string error;               // refusal or engine error; empty on success
};

// An in-memory database with register_tsql_functions applied; closed on destruction.
class MemoryDb {
 public:
  MemoryDb();
  ~MemoryDb();
  MemoryDb(const MemoryDb&) = delete;
  MemoryDb& operator=(const MemoryDb&) = delete;

  sqlite3* handle() const { return db_; }
  // Runs SQLite text directly (schema set-up); fails the test on error.
  void exec(std::string_view sqlite_sql);
  // Translates and runs a T-SQL text with the reference executor.
  RunResult run(std::string_view tsql);
  // Rows of a SQLite query run directly.
  Rows query(std::string_view sqlite_sql);

 private:
  sqlite3* db_ = nullptr;
};

// The single-statement SQLite text of a program, or its describe() form otherwise.
std::string sql_of(const Program& program);

}  // namespace db::tsql::testing
