// Stored procedures of the embedded engine: C++ routines registered by name and called by statements.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "db/result_set.h"
#include "db/status.h"
#include "db/value.h"

struct sqlite3;

namespace db {
class StatementCache;
}

namespace db {

// A thin helper over the caller's SQLite connection for routines: statements with bound parameters.
class SqlLink {
 public:
  // With a cache, statements are taken from it and given back after their run instead of prepared anew
  // (the cache must be the connection's own, cleared before it closes).
  explicit SqlLink(sqlite3* handle, StatementCache* cache = nullptr) : handle_(handle), cache_(cache) {}
  sqlite3* handle() const { return handle_; }

  // Runs one statement with `?` parameters bound in order; rows, if any, are discarded.
  Status exec(std::string_view sql, const std::vector<Value>& params = {});
  // Runs a query and appends its rows (every column as text) to `out`.
  Status query(std::string_view sql, const std::vector<Value>& params, ResultSet& out);
  // First column of the first row; none when there is no row or the statement fails (see `status`).
  std::optional<std::string> scalar(std::string_view sql, const std::vector<Value>& params = {},
                                    Status* status = nullptr);
  // Rows changed by the last write.
  int changes() const;
  std::int64_t last_insert_id() const;

 private:
  sqlite3* handle_;
  StatementCache* cache_;
};

struct ProcedureCall {
  SqlLink& db;
  const std::vector<Value>& args;
  ResultSet& result;                     // rows the procedure returns to the caller's channel
  std::optional<std::uint8_t> ret_code;  // set to answer an `&RetCode` binding

  std::int64_t int_arg(std::size_t i) const { return i < args.size() ? args[i].as_int() : 0; }
  std::string text_arg(std::size_t i) const { return i < args.size() ? args[i].as_text() : std::string(); }
};

// A routine fails by returning a failure status; its text reaches the caller unchanged (code 90).
using Procedure = std::function<Status(ProcedureCall&)>;

class ProcedureRegistry {
 public:
  // Registers a routine under its name (case-insensitive) accepting min_args..max_args arguments.
  void add(std::string_view name, std::size_t min_args, std::size_t max_args, Procedure routine);
  // Calls the routine in a transaction of its own (an immediate one, or a savepoint inside the caller's
  // transaction), so that a failing routine leaves no partial effects.
  Status call(std::string_view name, SqlLink& db, const std::vector<Value>& args, ResultSet& out) const;
  bool contains(std::string_view name) const;

 private:
  struct Entry {
    std::size_t min_args;
    std::size_t max_args;
    Procedure routine;
  };
  std::map<std::string, Entry, std::less<>> entries_;
};

}  // namespace db
