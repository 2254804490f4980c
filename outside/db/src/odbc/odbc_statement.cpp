// Binding values and reading rows through ODBC.
#include "odbc_statement.h"

#include <algorithm>

namespace db::odbc {
namespace {

bool binary(SQLSMALLINT type) {
  return type == SQL_BINARY || type == SQL_VARBINARY || type == SQL_LONGVARBINARY;
}

bool approximate(SQLSMALLINT type) {
  return type == SQL_REAL || type == SQL_FLOAT || type == SQL_DOUBLE;
}

// Only what a channel keeps (1000 letters of at most four bytes) is read of a longer value.
constexpr std::size_t kEnough = kColumnWidth * 4;

}  // namespace

StatementHandle::StatementHandle(SQLHDBC dbc) {
  if (!succeeded(SQLAllocHandle(SQL_HANDLE_STMT, dbc, &handle_))) handle_ = SQL_NULL_HSTMT;
}

StatementHandle::~StatementHandle() {
  if (handle_ != SQL_NULL_HSTMT) SQLFreeHandle(SQL_HANDLE_STMT, handle_);
}

SQLRETURN StatementHandle::bind(const std::vector<Value>& values) {
  for (std::size_t i = 0; i < values.size(); ++i) {
    const auto n = static_cast<SQLUSMALLINT>(i + 1);
    const Value& v = values[i];
    SQLRETURN rc = SQL_SUCCESS;
    if (const auto* whole = std::get_if<std::int64_t>(&v.data)) {
      integers_.push_back(*whole);
      indicators_.push_back(0);
      rc = SQLBindParameter(handle_, n, SQL_PARAM_INPUT, SQL_C_SBIGINT, SQL_BIGINT, 0, 0, &integers_.back(),
                            0, &indicators_.back());
    } else if (const auto* number = std::get_if<Value::Decimal>(&v.data)) {
      texts_.push_back(number->text);
      indicators_.push_back(static_cast<SQLLEN>(texts_.back().size()));
      const auto point = texts_.back().find('.');
      const auto scale = point == std::string::npos ? 0 : texts_.back().size() - point - 1;
      rc = SQLBindParameter(handle_, n, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_DECIMAL, 38,
                            static_cast<SQLSMALLINT>(std::min<std::size_t>(scale, 38)), texts_.back().data(),
                            static_cast<SQLLEN>(texts_.back().size()), &indicators_.back());
    } else if (const auto* bytes = std::get_if<Value::Bytes>(&v.data)) {
      texts_.push_back(bytes->data);
      indicators_.push_back(static_cast<SQLLEN>(texts_.back().size()));
      const SQLULEN size = std::max<SQLULEN>(1, texts_.back().size());
      rc = SQLBindParameter(handle_, n, SQL_PARAM_INPUT, SQL_C_BINARY,
                            size > 8000 ? SQL_LONGVARBINARY : SQL_VARBINARY, size, 0, texts_.back().data(),
                            static_cast<SQLLEN>(texts_.back().size()), &indicators_.back());
    } else {
      texts_.push_back(v.is_null() ? std::string() : v.as_text());
      indicators_.push_back(v.is_null() ? SQL_NULL_DATA : static_cast<SQLLEN>(texts_.back().size()));
      const SQLULEN size = std::max<SQLULEN>(1, texts_.back().size());
      rc = SQLBindParameter(handle_, n, SQL_PARAM_INPUT, SQL_C_CHAR,
                            size > 8000 ? SQL_LONGVARCHAR : SQL_VARCHAR, size, 0, texts_.back().data(),
                            static_cast<SQLLEN>(texts_.back().size()), &indicators_.back());
    }
    if (!succeeded(rc)) return rc;
  }
  return SQL_SUCCESS;
}

SQLRETURN StatementHandle::execute(const std::string& text) {
  const SQLRETURN rc = SQLExecDirect(handle_, reinterpret_cast<SQLCHAR*>(const_cast<char*>(text.c_str())),
                                     static_cast<SQLINTEGER>(text.size()));
  return rc == SQL_NO_DATA ? SQL_SUCCESS : rc;  // a write that touched no row
}

SQLRETURN StatementHandle::prepare(const std::string& text) {
  return SQLPrepare(handle_, reinterpret_cast<SQLCHAR*>(const_cast<char*>(text.c_str())),
                    static_cast<SQLINTEGER>(text.size()));
}

SQLRETURN StatementHandle::execute_prepared() {
  const SQLRETURN rc = SQLExecute(handle_);
  return rc == SQL_NO_DATA ? SQL_SUCCESS : rc;
}

SQLRETURN StatementHandle::read_rows(std::size_t max_columns, ResultSet& out, std::vector<bool>* nulls,
                                     Extent extent) {
  SQLSMALLINT columns = 0;
  if (!succeeded(SQLNumResultCols(handle_, &columns))) columns = 0;
  out.clear();
  out.set_columns(std::min(static_cast<std::size_t>(std::max<SQLSMALLINT>(columns, 0)), max_columns));
  std::vector<SQLSMALLINT> types(out.columns());
  for (std::size_t c = 0; c < out.columns(); ++c) {
    SQLCHAR name[256] = {};
    SQLSMALLINT name_length = 0, digits = 0, nullable = 0;
    SQLULEN size = 0;
    SQLDescribeCol(handle_, static_cast<SQLUSMALLINT>(c + 1), name, sizeof name, &name_length, &types[c],
                   &size, &digits, &nullable);
    out.names.emplace_back(reinterpret_cast<const char*>(name));
  }
  SQLRETURN rc;
  while (succeeded(rc = SQLFetch(handle_))) {
    for (std::size_t c = 0; c < out.columns(); ++c) {
      std::string cell;
      bool null = false;
      if (const SQLRETURN read = read_cell(static_cast<SQLUSMALLINT>(c + 1), types[c], extent, cell, null);
          !succeeded(read))
        return read;
      if (extent == Extent::whole) {
        out.add_whole_cell(cell);
      } else {
        out.add_cell(cell);
      }
      if (nulls) nulls->push_back(null);
    }
  }
  return rc == SQL_NO_DATA ? SQL_SUCCESS : rc;
}

SQLRETURN StatementHandle::read_cell(SQLUSMALLINT column, SQLSMALLINT type, Extent extent, std::string& out,
                                     bool& null) {
  SQLLEN indicator = 0;
  if (approximate(type)) {
    double value = 0;
    const SQLRETURN rc = SQLGetData(handle_, column, SQL_C_DOUBLE, &value, sizeof value, &indicator);
    if (!succeeded(rc)) return rc;
    null = indicator == SQL_NULL_DATA;
    if (!null) out = format_real(value);
    return SQL_SUCCESS;
  }
  // Bytes come as they are (no terminator, no hexadecimal text); characters end on a terminator.
  const bool bytes = binary(type);
  const std::size_t terminator = bytes ? 0 : 1;
  const std::size_t limit = extent == Extent::whole ? std::string::npos : kEnough;
  char buffer[32768];
  while (out.size() < limit) {
    const SQLRETURN rc =
        SQLGetData(handle_, column, bytes ? SQL_C_BINARY : SQL_C_CHAR, buffer, sizeof buffer, &indicator);
    if (rc == SQL_NO_DATA) break;
    if (!succeeded(rc)) return rc;
    if (indicator == SQL_NULL_DATA) {
      null = true;
      break;
    }
    // A part that did not fit fills the buffer less its terminator; the last part says its own length.
    const std::size_t room = sizeof buffer - terminator;
    const std::size_t got = (indicator == SQL_NO_TOTAL || indicator > static_cast<SQLLEN>(room))
                                ? room
                                : static_cast<std::size_t>(indicator);
    out.append(buffer, got);
    if (rc == SQL_SUCCESS) break;
  }
  return SQL_SUCCESS;
}

SQLLEN StatementHandle::row_count() {
  SQLLEN rows = 0;
  return succeeded(SQLRowCount(handle_, &rows)) ? rows : 0;
}

}  // namespace db::odbc
