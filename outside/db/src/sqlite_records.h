// Record access on one SQLite connection: statements composed from catalogue names, values bound.
#pragma once

#include <sqlite3.h>

#include <map>
#include <string>

#include "db/records.h"

namespace db::detail {

// Borrows the connection of its owner, which keeps it open for this object's lifetime.
class SqliteRecords final : public RecordConnection {
 public:
  explicit SqliteRecords(sqlite3* db) : db_(db) {}
  ~SqliteRecords() override;
  SqliteRecords(const SqliteRecords&) = delete;
  SqliteRecords& operator=(const SqliteRecords&) = delete;

  Status describe(std::string_view table, TableShape& out) override;
  Status read_next(const TableShape& shape, const std::vector<std::size_t>& order,
                   const std::vector<Value>& from, bool inclusive, RecordRow& out) override;
  Status find(const TableShape& shape, const std::vector<std::size_t>& columns,
              const std::vector<Value>& values, const std::vector<std::size_t>& order,
              RecordRow& out) override;
  Status insert(const TableShape& shape, const std::vector<Value>& values, RecordRow& row) override;
  Status update(const TableShape& shape, const std::vector<Value>& key,
                const std::vector<Value>& values) override;
  Status remove(const TableShape& shape, const std::vector<Value>& key) override;

  // True once an operation found the database file gone; the owner then gives up the connection.
  bool lost() const { return lost_; }

 private:
  // A prepared statement from the cache (the texts repeat for every operation on a table), bound.
  Status prepare(const std::string& sql, const std::vector<Value>& params, sqlite3_stmt*& out);
  // Steps a prepared query once: true with the row in `out`, false when there is none.
  Status read_row(sqlite3_stmt* stmt, std::size_t columns, RecordRow& out, bool& found);
  Status write(sqlite3_stmt* stmt);
  Status fail(int rc);

  sqlite3* db_;
  bool lost_ = false;
  std::map<std::string, sqlite3_stmt*, std::less<>> statements_;
};

}  // namespace db::detail
