// Record access through ODBC.
#include "odbc_records.h"

#include <algorithm>
#include <map>

#include "odbc_statement.h"
#include "runtime/number_text.h"
#include "runtime/text.h"

namespace db::odbc {
namespace {

std::string quoted(std::string_view name) {
  std::string out = "\"";
  for (char c : name) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

std::string column_list(const TableShape& shape) {
  std::string out;
  for (std::size_t c = 0; c < shape.columns.size(); ++c)
    out += (c ? ", " : "") + quoted(shape.columns[c].name);
  return out;
}

std::string order_by(const TableShape& shape, const std::vector<std::size_t>& order) {
  std::string out;
  for (std::size_t k = 0; k < order.size(); ++k)
    out += (k ? ", " : " ORDER BY ") + quoted(shape.columns[order[k]].name);
  return out;
}

// "c = ?" for each column, NULL matching NULL; the values go to `bound` once per marker.
std::string equal_terms(const TableShape& shape, const std::vector<std::size_t>& columns,
                        const std::vector<Value>& values, std::vector<Value>& bound) {
  std::string out;
  for (std::size_t k = 0; k < columns.size(); ++k) {
    const std::string c = quoted(shape.columns[columns[k]].name);
    out += (k ? " AND " : "") + ("(" + c + " = ? OR (" + c + " IS NULL AND ? IS NULL))");
    bound.push_back(values[k]);
    bound.push_back(values[k]);
  }
  return out;
}

// The rows after `from` in the order of `order` (NULL first): for each leading part equal, the next greater.
std::string after_terms(const TableShape& shape, const std::vector<std::size_t>& order,
                        const std::vector<Value>& from, bool inclusive, std::vector<Value>& bound) {
  std::string out;
  const std::size_t n = std::min(order.size(), from.size());
  for (std::size_t last = 0; last < n; ++last) {
    std::string term;
    for (std::size_t k = 0; k <= last; ++k) {
      const std::string c = quoted(shape.columns[order[k]].name);
      if (k < last) {
        term += (k ? " AND " : "") + ("(" + c + " = ? OR (" + c + " IS NULL AND ? IS NULL))");
        bound.push_back(from[k]);
        bound.push_back(from[k]);
      } else {
        term += std::string(k ? " AND " : "") + "(" + c + " > ? OR (? IS NULL AND " + c + " IS NOT NULL))";
        bound.push_back(from[k]);
        bound.push_back(from[k]);
      }
    }
    out += (last ? " OR " : "") + ("(" + term + ")");
  }
  if (inclusive && n > 0) {
    std::vector<std::size_t> leading(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(n));
    out =
        "(" + out + ") OR (" +
        equal_terms(shape, leading,
                    std::vector<Value>(from.begin(), from.begin() + static_cast<std::ptrdiff_t>(n)), bound) +
        ")";
  }
  return out;
}

bool textual_type(SQLSMALLINT t) {
  return t == SQL_CHAR || t == SQL_VARCHAR || t == SQL_LONGVARCHAR || t == SQL_WCHAR || t == SQL_WVARCHAR ||
         t == SQL_WLONGVARCHAR;
}

bool numeric_type(SQLSMALLINT t) {
  return t == SQL_DECIMAL || t == SQL_NUMERIC || t == SQL_SMALLINT || t == SQL_INTEGER || t == SQL_REAL ||
         t == SQL_FLOAT || t == SQL_DOUBLE || t == SQL_TINYINT || t == SQL_BIGINT || t == SQL_BIT;
}

bool binary_type(SQLSMALLINT t) {
  return t == SQL_BINARY || t == SQL_VARBINARY || t == SQL_LONGVARBINARY;
}

std::int64_t whole(std::string_view text) {
  return runtime::leading_integer(text).value_or(0);
}

SQLRETURN columns_of(SQLHSTMT stmt, const std::string& table) {
  return SQLColumns(stmt, nullptr, 0, nullptr, 0,
                    reinterpret_cast<SQLCHAR*>(const_cast<char*>(table.c_str())),
                    static_cast<SQLSMALLINT>(table.size()), nullptr, 0);
}
SQLRETURN primary_key_of(SQLHSTMT stmt, const std::string& table) {
  return SQLPrimaryKeys(stmt, nullptr, 0, nullptr, 0,
                        reinterpret_cast<SQLCHAR*>(const_cast<char*>(table.c_str())),
                        static_cast<SQLSMALLINT>(table.size()));
}
SQLRETURN indexes_of(SQLHSTMT stmt, const std::string& table) {
  return SQLStatistics(stmt, nullptr, 0, nullptr, 0,
                       reinterpret_cast<SQLCHAR*>(const_cast<char*>(table.c_str())),
                       static_cast<SQLSMALLINT>(table.size()), SQL_INDEX_ALL, SQL_QUICK);
}

}  // namespace

Status OdbcRecords::fail(StatementHandle& stmt, std::string_view doing) {
  Diagnosis d = diagnose(SQL_HANDLE_STMT, stmt.get(), doing);
  if (d.connection_lost) lost_ = true;
  const std::string& text = d.status.text;
  // Unique keys: the standard's integrity state, and SQLite's own words where its driver gives no state.
  if (text.find("[23000]") != std::string::npos || text.find("UNIQUE constraint failed") != std::string::npos)
    return Status::failure(kDuplicateKey, "Creating duplicate key: " + text);
  return d.status;
}

Status OdbcRecords::run(const std::string& sql, const std::vector<Value>& params, ResultSet* rows,
                        std::vector<bool>* nulls, SQLLEN* touched) {
  StatementHandle stmt(dbc_);
  if (!stmt.valid()) {
    Diagnosis d = diagnose(SQL_HANDLE_DBC, dbc_, "Allocating a statement");
    if (d.connection_lost) lost_ = true;
    return d.status;
  }
  if (!succeeded(stmt.bind(params))) return fail(stmt, "Binding the values");
  if (!succeeded(stmt.execute(sql))) return fail(stmt, "Running the statement");
  if (touched) *touched = stmt.row_count();
  if (rows && !succeeded(stmt.read_rows(static_cast<std::size_t>(-1), *rows, nulls, Extent::whole)))
    return fail(stmt, "Reading a row");
  return Status::success();
}

Status OdbcRecords::catalogue(SQLRETURN (*call)(SQLHSTMT, const std::string&), const std::string& table,
                              ResultSet& out, std::vector<bool>* nulls) {
  StatementHandle stmt(dbc_);
  if (!stmt.valid()) return diagnose(SQL_HANDLE_DBC, dbc_, "Allocating a statement").status;
  if (!succeeded(call(stmt.get(), table))) return fail(stmt, "Reading the catalogue");
  if (!succeeded(stmt.read_rows(static_cast<std::size_t>(-1), out, nulls)))
    return fail(stmt, "Reading the catalogue");
  return Status::success();
}

Status OdbcRecords::describe(std::string_view table, TableShape& out) {
  out = TableShape{};
  out.table = std::string(table);
  ResultSet columns;
  std::vector<bool> nulls;
  if (Status s = catalogue(columns_of, out.table, columns, &nulls); !s.ok()) return s;
  if (columns.rows() == 0) return Status::statement_failed("Invalid object name '" + out.table + "'.");
  // Columns: 4 name, 5 data type, 6 type name, 7 size, 13 default, 17 position.
  for (std::size_t r = 0; r < columns.rows(); ++r) {
    ColumnShape c;
    c.name = std::string(columns.cell(r, 3));
    const auto type = static_cast<SQLSMALLINT>(whole(columns.cell(r, 4)));
    c.textual = textual_type(type);
    c.numeric = !c.textual && numeric_type(type);
    c.binary = binary_type(type);
    c.width = c.textual ? static_cast<std::size_t>(std::max<std::int64_t>(0, whole(columns.cell(r, 6)))) : 0;
    const std::string type_name = runtime::to_lower(columns.cell(r, 5));
    // A default of NULL is none: the column would be NULL anyway.
    const bool stated = columns.columns() > 12 && !nulls[r * columns.columns() + 12] &&
                        runtime::to_upper(runtime::trim(columns.cell(r, 12))) != "NULL";
    c.has_default = stated || type_name.find("identity") != std::string::npos;
    out.columns.push_back(std::move(c));
  }
  const auto position = [&](std::string_view name) -> std::optional<std::size_t> {
    for (std::size_t c = 0; c < out.columns.size(); ++c) {
      if (runtime::to_upper(out.columns[c].name) == runtime::to_upper(name)) return c;
    }
    return std::nullopt;
  };
  ResultSet primary;
  if (Status s = catalogue(primary_key_of, out.table, primary); !s.ok()) return s;
  // Primary key: 4 column, 5 sequence.
  std::vector<std::pair<std::int64_t, std::size_t>> parts;
  for (std::size_t r = 0; r < primary.rows(); ++r) {
    if (const auto c = position(primary.cell(r, 3))) parts.emplace_back(whole(primary.cell(r, 4)), *c);
  }
  std::sort(parts.begin(), parts.end());
  for (const auto& p : parts) out.primary.push_back(p.second);

  ResultSet statistics;
  if (Status s = catalogue(indexes_of, out.table, statistics); !s.ok()) return s;
  // Indexes: 4 non-unique, 6 name, 7 type, 8 position, 9 column.
  std::map<std::string, std::vector<std::pair<std::int64_t, std::string>>> named;
  std::map<std::string, bool> unique;
  for (std::size_t r = 0; r < statistics.rows(); ++r) {
    if (whole(statistics.cell(r, 6)) == SQL_TABLE_STAT) continue;
    const std::string name(statistics.cell(r, 5));
    if (name.empty() || runtime::to_lower(name).starts_with("sqlite_autoindex")) continue;
    named[name].emplace_back(whole(statistics.cell(r, 7)), std::string(statistics.cell(r, 8)));
    unique[name] = whole(statistics.cell(r, 3)) == 0;
  }
  for (auto& [name, columns_of_key] : named) {
    std::sort(columns_of_key.begin(), columns_of_key.end());
    KeyShape key;
    key.name = name;
    key.unique = unique[name];
    bool plain = true;
    for (const auto& [seq, column] : columns_of_key) {
      if (const auto c = position(column))
        key.columns.push_back(*c);
      else
        plain = false;
    }
    // The primary key's own index is the primary key, not another key beside it.
    if (!plain || key.columns.empty() || (!out.primary.empty() && key.columns == out.primary)) continue;
    out.keys.push_back(std::move(key));
  }
  adopt_named_primary(out);
  return Status::success();
}

std::string OdbcRecords::select_first(const TableShape& shape) const {
  return std::string("SELECT ") + (sqlite_ ? "" : "TOP 1 ") + column_list(shape) + " FROM " +
         quoted(shape.table);
}

Status OdbcRecords::first_row(const TableShape& shape, const std::string& sql,
                              const std::vector<Value>& params, RecordRow& out, bool& found) {
  ResultSet rows;
  std::vector<bool> nulls;
  if (Status s = run(sql + (sqlite_ ? " LIMIT 1" : ""), params, &rows, &nulls); !s.ok()) return s;
  found = rows.rows() > 0;
  if (!found) return Status::success();
  const std::size_t n = shape.columns.size();
  out.values.assign(n, std::string());
  out.null.assign(n, true);
  for (std::size_t c = 0; c < n && c < rows.columns(); ++c) {
    out.values[c] = std::string(rows.cell(0, c));
    out.null[c] = nulls[c];
  }
  return Status::success();
}

Status OdbcRecords::read_next(const TableShape& shape, const std::vector<std::size_t>& order,
                              const std::vector<Value>& from, bool inclusive, RecordRow& out) {
  std::vector<Value> bound;
  std::string sql = select_first(shape);
  if (!from.empty()) sql += " WHERE " + after_terms(shape, order, from, inclusive, bound);
  sql += order_by(shape, order);
  bool found = false;
  if (Status s = first_row(shape, sql, bound, out, found); !s.ok()) return s;
  return found ? Status::success() : Status::failure(kRecordNotAvailable, "Record Not Available");
}

Status OdbcRecords::find(const TableShape& shape, const std::vector<std::size_t>& columns,
                         const std::vector<Value>& values, const std::vector<std::size_t>& order,
                         RecordRow& out) {
  std::vector<Value> bound;
  std::string sql = select_first(shape);
  if (!columns.empty()) sql += " WHERE " + equal_terms(shape, columns, values, bound);
  sql += order_by(shape, order);
  bool found = false;
  if (Status s = first_row(shape, sql, bound, out, found); !s.ok()) return s;
  return found ? Status::success() : Status::failure(kRecordNotFound, "Record Not Found");
}

// SQLite counts no change made through a view's triggers for the statement itself; its connection's total
// does count them.
Status OdbcRecords::changes(std::int64_t& out) {
  ResultSet rows;
  if (Status s = run("SELECT total_changes()", {}, &rows); !s.ok()) return s;
  out = rows.rows() ? whole(rows.cell(0, 0)) : 0;
  return Status::success();
}

Status OdbcRecords::write(const std::string& sql, const std::vector<Value>& params) {
  std::int64_t before = 0, after = 0;
  SQLLEN touched = 0;
  if (sqlite_) {
    if (Status s = changes(before); !s.ok()) return s;
  }
  if (Status s = run(sql, params, nullptr, nullptr, &touched); !s.ok()) return s;
  if (sqlite_) {
    if (Status s = changes(after); !s.ok()) return s;
    touched = static_cast<SQLLEN>(after - before);
  }
  return touched > 0 ? Status::success() : Status::failure(kRecordNotFound, "Record Not Found");
}

Status OdbcRecords::insert(const TableShape& shape, const std::vector<Value>& values, RecordRow& row) {
  std::string names, markers;
  std::vector<Value> bound;
  for (std::size_t c = 0; c < shape.columns.size(); ++c) {
    if (values[c].is_null() && shape.columns[c].has_default) continue;
    names += (names.empty() ? "" : ", ") + quoted(shape.columns[c].name);
    markers += markers.empty() ? "?" : ", ?";
    bound.push_back(values[c]);
  }
  const std::string table = quoted(shape.table);
  std::string sql = names.empty() ? "INSERT INTO " + table + " DEFAULT VALUES"
                                  : "INSERT INTO " + table + " (" + names + ") VALUES (" + markers + ")";
  const bool assigned_key = shape.primary.size() == 1 && values[shape.primary[0]].is_null();
  ResultSet identity;
  if (sqlite_) {
    if (Status s = run(sql, bound); !s.ok()) return s;
    if (assigned_key) {
      if (Status s = run("SELECT last_insert_rowid()", {}, &identity); !s.ok()) return s;
    }
  } else {
    // The identity of this statement's scope comes back from the same batch.
    if (assigned_key) sql += "; SELECT SCOPE_IDENTITY()";
    StatementHandle stmt(dbc_);
    if (!stmt.valid() || !succeeded(stmt.bind(bound)) || !succeeded(stmt.execute(sql)))
      return fail(stmt, "Inserting the row");
    if (assigned_key) {
      SQLRETURN rc = SQL_SUCCESS;
      SQLSMALLINT columns = 0;
      while (succeeded(rc) && (!succeeded(SQLNumResultCols(stmt.get(), &columns)) || columns == 0))
        rc = SQLMoreResults(stmt.get());
      if (succeeded(rc)) stmt.read_rows(1, identity);
    }
  }
  row_as_written(shape, values, row);
  if (shape.primary.empty()) return Status::success();
  // Read the stored row back: the database may have assigned the identity and filled defaults.
  std::vector<Value> key = primary_key_of(shape, values);
  if (assigned_key) {
    if (identity.rows() == 0) return Status::success();
    key[0] = Value::integer(whole(identity.cell(0, 0)));
  }
  RecordRow stored;
  if (find(shape, shape.primary, key, shape.primary, stored).ok()) row = std::move(stored);
  return Status::success();
}

Status OdbcRecords::update(const TableShape& shape, const std::vector<Value>& key,
                           const std::vector<Value>& values) {
  if (shape.primary.empty()) return Status::statement_failed("Table " + shape.table + " has no primary key");
  std::string sets;
  std::vector<Value> bound;
  for (std::size_t c = 0; c < shape.columns.size(); ++c) {
    sets += (c ? ", " : "") + quoted(shape.columns[c].name) + " = ?";
    bound.push_back(values[c]);
  }
  const std::string sql = "UPDATE " + quoted(shape.table) + " SET " + sets + " WHERE " +
                          equal_terms(shape, shape.primary, key, bound);
  return write(sql, bound);
}

Status OdbcRecords::remove(const TableShape& shape, const std::vector<Value>& key) {
  if (shape.primary.empty()) return Status::statement_failed("Table " + shape.table + " has no primary key");
  std::vector<Value> bound;
  const std::string sql =
      "DELETE FROM " + quoted(shape.table) + " WHERE " + equal_terms(shape, shape.primary, key, bound);
  return write(sql, bound);
}

}  // namespace db::odbc
