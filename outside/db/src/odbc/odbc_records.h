// Record access over an ODBC connection: the catalogue through the driver's catalogue functions,
// statements composed from its names, every value bound as a parameter.
#pragma once

#include <sql.h>
#include <sqlext.h>

#include <string>
#include <vector>

#include "db/records.h"
#include "db/result_set.h"

namespace db::odbc {

class StatementHandle;

// Borrows the connection of its owner, which keeps it open for this object's lifetime.
class OdbcRecords final : public RecordConnection {
 public:
  // `sqlite_dialect`: the database behind the driver is SQLite (LIMIT instead of TOP, its own identity and
  // change counters).
  OdbcRecords(SQLHDBC dbc, bool sqlite_dialect) : dbc_(dbc), sqlite_(sqlite_dialect) {}

  bool lost() const { return lost_; }

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

 private:
  Status fail(StatementHandle& stmt, std::string_view doing);
  Status run(const std::string& sql, const std::vector<Value>& params, ResultSet* rows = nullptr,
             std::vector<bool>* nulls = nullptr, SQLLEN* touched = nullptr);
  Status first_row(const TableShape& shape, const std::string& sql, const std::vector<Value>& params,
                   RecordRow& out, bool& found);
  Status catalogue(SQLRETURN (*call)(SQLHSTMT, const std::string&), const std::string& table, ResultSet& out,
                   std::vector<bool>* nulls = nullptr);
  std::string select_first(const TableShape& shape) const;
  Status changes(std::int64_t& out);
  Status write(const std::string& sql, const std::vector<Value>& params);

  SQLHDBC dbc_;
  bool sqlite_;
  bool lost_ = false;
};

}  // namespace db::odbc
