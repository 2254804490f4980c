// One ODBC statement handle with the values it binds and the rows it reads, for the engine's channels and
// its record access alike.
#pragma once

#include <sql.h>
#include <sqlext.h>

#include <deque>
#include <string>
#include <vector>

#include "db/result_set.h"
#include "db/value.h"
#include "odbc_diagnostics.h"

namespace db::odbc {

// How much of a long value is read: what a channel keeps of it, or all of it (record access).
enum class Extent { channel, whole };

class StatementHandle {
 public:
  explicit StatementHandle(SQLHDBC dbc);
  ~StatementHandle();
  StatementHandle(const StatementHandle&) = delete;
  StatementHandle& operator=(const StatementHandle&) = delete;

  SQLHSTMT get() const { return handle_; }
  bool valid() const { return handle_ != SQL_NULL_HSTMT; }

  // Binds the values to the statement's markers in order; they are copied and live as long as this handle.
  SQLRETURN bind(const std::vector<Value>& values);
  SQLRETURN execute(const std::string& text);
  // The text prepared once, then executed as often as asked.
  SQLRETURN prepare(const std::string& text);
  SQLRETURN execute_prepared();

  // The current result's rows (every column as text, binary columns as their bytes, at most `max_columns`
  // of them) into `out`, and which cells were NULL (row by row) into `nulls` when given.
  SQLRETURN read_rows(std::size_t max_columns, ResultSet& out, std::vector<bool>* nulls = nullptr,
                      Extent extent = Extent::channel);
  // Rows the last write touched, as the driver counts them.
  SQLLEN row_count();

 private:
  SQLRETURN read_cell(SQLUSMALLINT column, SQLSMALLINT type, Extent extent, std::string& out, bool& null);

  SQLHSTMT handle_ = SQL_NULL_HSTMT;
  std::deque<std::string> texts_;
  std::deque<SQLBIGINT> integers_;
  std::deque<SQLLEN> indicators_;
};

}  // namespace db::odbc
