// Bulk inserts for the demo generator: one prepared statement per table, reused for every row.
#pragma once

#include <sqlite3.h>

#include <string>
#include <string_view>
#include <vector>

#include "db/status.h"
#include "db/value.h"

namespace server::demo {

inline db::Value I(std::int64_t v) {
  return db::Value::integer(v);
}
inline db::Value T(std::string v) {
  return db::Value::text(std::move(v));
}
inline db::Value D(std::string v) {
  return db::Value::decimal(std::move(v));
}
inline db::Value N() {
  return db::Value::null();
}

// Keeps the first failure; later rows are skipped once a row failed.
class Insert {
 public:
  Insert(sqlite3* db, std::string_view table, std::string_view columns, db::Status& status);
  ~Insert();
  Insert(const Insert&) = delete;
  Insert& operator=(const Insert&) = delete;

  void row(const std::vector<db::Value>& values);
  std::int64_t last_id() const { return sqlite3_last_insert_rowid(db_); }

 private:
  sqlite3* db_;
  sqlite3_stmt* stmt_ = nullptr;
  std::string table_;
  db::Status& status_;
};

}  // namespace server::demo
