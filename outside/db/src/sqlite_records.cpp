// Record access on SQLite: the catalogue through pragmas, keyed reads and whole-row writes, values bound.
#include "sqlite_records.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>

#include "db/procedures.h"
#include "db/sqlite_engine.h"
#include "runtime/text.h"
#include "sqlite_rows.h"

namespace db::detail {
namespace {

// Catalogue names go into statement texts, so they are quoted as identifiers whatever they hold.
std::string quoted(std::string_view name) {
  std::string out = "\"";
  for (char c : name) {
    out += c;
    if (c == '"') out += '"';
  }
  return out + "\"";
}

std::string column_list(const TableShape& shape) {
  std::string out;
  for (const ColumnShape& c : shape.columns) {
    if (!out.empty()) out += ", ";
    out += quoted(c.name);
  }
  return out;
}

std::string order_by(const TableShape& shape, const std::vector<std::size_t>& order) {
  std::string out;
  for (std::size_t i : order) out += (out.empty() ? " ORDER BY " : ", ") + quoted(shape.columns[i].name);
  return out;
}

std::string param(std::size_t n) {
  return "?" + std::to_string(n);
}

// `c1 IS ?1 AND c2 IS ?2 ...`: IS so that NULL matches NULL; the columns' own collations apply.
std::string equal_terms(const TableShape& shape, const std::vector<std::size_t>& columns,
                        std::size_t first_param = 1) {
  std::string out;
  for (std::size_t k = 0; k < columns.size(); ++k) {
    if (k) out += " AND ";
    out += quoted(shape.columns[columns[k]].name) + " IS " + param(first_param + k);
  }
  return out;
}

// Rows after the position in key order. Without NULLs a row value comparison says it and lets an index
// serve the order; a NULL in the position needs the long form, where NULL sorts before every value.
std::string after_terms(const TableShape& shape, const std::vector<std::size_t>& order,
                        const std::vector<Value>& from, bool inclusive) {
  bool any_null = false;
  for (const Value& v : from) any_null = any_null || v.is_null();
  if (!any_null) {
    std::string left, right;
    for (std::size_t k = 0; k < order.size(); ++k) {
      left += (k ? ", " : "") + quoted(shape.columns[order[k]].name);
      right += (k ? ", " : "") + param(k + 1);
    }
    return "(" + left + ") " + (inclusive ? ">=" : ">") + " (" + right + ")";
  }
  std::string out;
  for (std::size_t k = 0; k <= order.size(); ++k) {
    if (k == order.size() && !inclusive) break;
    std::string term;
    for (std::size_t j = 0; j < k; ++j) {
      term += (j ? " AND " : "") + quoted(shape.columns[order[j]].name) + " IS " + param(j + 1);
    }
    if (k < order.size()) {
      const std::string c = quoted(shape.columns[order[k]].name);
      const std::string p = param(k + 1);
      term += std::string(k ? " AND " : "") + "(" + c + " > " + p + " OR (" + p + " IS NULL AND " + c +
              " IS NOT NULL))";
    }
    out += (out.empty() ? "(" : " OR (") + term + ")";
  }
  return out;
}

std::size_t declared_width(std::string_view type) {
  const std::string upper = runtime::to_upper(type);
  if (upper.find("CHAR") == std::string::npos) return 0;
  const auto open = upper.find('(');
  if (open == std::string::npos) return 0;
  std::size_t width = 0;
  const char* first = upper.data() + open + 1;
  std::from_chars(first, upper.data() + upper.size(), width);
  return width;
}

// SQLite's own affinity rule: a type naming CHAR, CLOB or TEXT holds text.
bool textual_type(std::string_view type) {
  const std::string upper = runtime::to_upper(type);
  return upper.find("CHAR") != std::string::npos || upper.find("CLOB") != std::string::npos ||
         upper.find("TEXT") != std::string::npos;
}

// A column declared without a type, or as a blob, binary or image, keeps bytes as they were bound.
bool binary_type(std::string_view type) {
  const std::string upper = runtime::to_upper(runtime::trim(type));
  return upper.empty() || upper.find("BLOB") != std::string::npos ||
         upper.find("BINARY") != std::string::npos || upper.find("IMAGE") != std::string::npos;
}

bool numeric_type(std::string_view type) {
  const std::string upper = runtime::to_upper(type);
  for (const char* word : {"INT", "REAL", "FLOA", "DOUB", "DEC", "NUM", "MONEY", "BIT"}) {
    if (upper.find(word) != std::string::npos) return true;
  }
  return false;
}

bool duplicate(int rc) {
  return rc == SQLITE_CONSTRAINT_PRIMARYKEY || rc == SQLITE_CONSTRAINT_UNIQUE;
}

}  // namespace

SqliteRecords::~SqliteRecords() {
  for (auto& [sql, stmt] : statements_) sqlite3_finalize(stmt);
}

Status SqliteRecords::fail(int rc) {
  const char* message = sqlite3_errmsg(db_);
  const int primary = rc & 0xFF;
  if (primary == SQLITE_IOERR || primary == SQLITE_CANTOPEN || rc == SQLITE_READONLY_DBMOVED) lost_ = true;
  if (duplicate(rc)) return Status::failure(kDuplicateKey, std::string("Creating duplicate key: ") + message);
  return sqlite_status(rc, message);
}

Status SqliteRecords::prepare(const std::string& sql, const std::vector<Value>& params, sqlite3_stmt*& out) {
  auto it = statements_.find(sql);
  if (it == statements_.end()) {
    sqlite3_stmt* stmt = nullptr;
    const int rc = sqlite3_prepare_v3(db_, sql.data(), static_cast<int>(sql.size()),
                                      SQLITE_PREPARE_PERSISTENT, &stmt, nullptr);
    if (rc != SQLITE_OK) return fail(rc);
    it = statements_.emplace(sql, stmt).first;
  }
  out = it->second;
  sqlite3_reset(out);
  sqlite3_clear_bindings(out);
  if (const int rc = bind_values(out, params); rc != SQLITE_OK) return fail(rc);
  return Status::success();
}

Status SqliteRecords::read_row(sqlite3_stmt* stmt, std::size_t columns, RecordRow& out, bool& found) {
  const int rc = sqlite3_step(stmt);
  found = rc == SQLITE_ROW;
  Status s = Status::success();
  if (found) {
    ResultSet rows;
    rows.set_columns(columns);
    append_row(stmt, columns, rows);
    out.values.resize(columns);
    out.null.resize(columns);
    for (std::size_t c = 0; c < columns; ++c) {
      const int col = static_cast<int>(c);
      const int type = sqlite3_column_type(stmt, col);
      if (type == SQLITE_BLOB || type == SQLITE_TEXT) {
        // Whole: a field is cut by its own width, and bytes not at all.
        const auto* data = static_cast<const char*>(sqlite3_column_blob(stmt, col));
        out.values[c].assign(data ? data : "", static_cast<std::size_t>(sqlite3_column_bytes(stmt, col)));
      } else {
        out.values[c] = std::string(rows.cell(0, c));
      }
      out.null[c] = type == SQLITE_NULL;
    }
  } else if (rc != SQLITE_DONE) {
    s = fail(rc);
  }
  // Reset at once so that no read transaction stays open between the caller's operations.
  sqlite3_reset(stmt);
  return s;
}

// Views take writes through their triggers, which sqlite3_changes does not count, so callers compare
// total_changes before and after.
Status SqliteRecords::write(sqlite3_stmt* stmt) {
  const int rc = sqlite3_step(stmt);
  Status s = rc == SQLITE_DONE || rc == SQLITE_ROW ? Status::success() : fail(rc);
  sqlite3_reset(stmt);
  return s;
}

Status SqliteRecords::describe(std::string_view table, TableShape& out) {
  out = TableShape{};
  out.table = std::string(table);
  SqlLink link(db_);
  ResultSet info;
  if (Status s = link.query("SELECT name, type, dflt_value IS NOT NULL, pk FROM pragma_table_info(?)",
                            {Value::text(out.table)}, info);
      !s.ok()) {
    return s;
  }
  if (info.rows() == 0) return Status::statement_failed("Invalid object name '" + out.table + "'.");
  std::vector<std::pair<int, std::size_t>> primary;
  for (std::size_t r = 0; r < info.rows(); ++r) {
    ColumnShape c;
    c.name = std::string(info.cell(r, 0));
    c.textual = textual_type(info.cell(r, 1));
    c.numeric = !c.textual && numeric_type(info.cell(r, 1));
    c.binary = !c.textual && !c.numeric && binary_type(info.cell(r, 1));
    c.width = declared_width(info.cell(r, 1));
    c.has_default = info.cell(r, 2) == "1";
    const int pk = std::atoi(std::string(info.cell(r, 3)).c_str());
    if (pk > 0) primary.emplace_back(pk, r);
    out.columns.push_back(std::move(c));
  }
  std::sort(primary.begin(), primary.end());
  for (const auto& p : primary) out.primary.push_back(p.second);

  ResultSet indexes;
  if (Status s =
          link.query("SELECT name, \"unique\" FROM pragma_index_list(?) WHERE origin = 'c' ORDER BY name",
                     {Value::text(out.table)}, indexes);
      !s.ok()) {
    return s;
  }
  for (std::size_t r = 0; r < indexes.rows(); ++r) {
    KeyShape key;
    key.name = std::string(indexes.cell(r, 0));
    key.unique = indexes.cell(r, 1) == "1";
    ResultSet parts;
    if (Status s =
            link.query("SELECT cid FROM pragma_index_info(?) ORDER BY seqno", {Value::text(key.name)}, parts);
        !s.ok()) {
      return s;
    }
    bool plain = parts.rows() > 0;
    for (std::size_t p = 0; p < parts.rows(); ++p) {
      const int cid = std::atoi(std::string(parts.cell(p, 0)).c_str());
      if (cid < 0 || static_cast<std::size_t>(cid) >= out.columns.size())
        plain = false;
      else
        key.columns.push_back(static_cast<std::size_t>(cid));
    }
    // An index over expressions has no buffer fields to position by.
    if (plain) out.keys.push_back(std::move(key));
  }
  adopt_named_primary(out);
  return Status::success();
}

Status SqliteRecords::read_next(const TableShape& shape, const std::vector<std::size_t>& order,
                                const std::vector<Value>& from, bool inclusive, RecordRow& out) {
  std::string sql = "SELECT " + column_list(shape) + " FROM " + quoted(shape.table);
  if (!from.empty()) sql += " WHERE " + after_terms(shape, order, from, inclusive);
  sql += order_by(shape, order) + " LIMIT 1";
  sqlite3_stmt* stmt = nullptr;
  if (Status s = prepare(sql, from, stmt); !s.ok()) return s;
  bool found = false;
  if (Status s = read_row(stmt, shape.columns.size(), out, found); !s.ok()) return s;
  return found ? Status::success() : Status::failure(kRecordNotAvailable, "Record Not Available");
}

Status SqliteRecords::find(const TableShape& shape, const std::vector<std::size_t>& columns,
                           const std::vector<Value>& values, const std::vector<std::size_t>& order,
                           RecordRow& out) {
  std::string sql = "SELECT " + column_list(shape) + " FROM " + quoted(shape.table);
  if (!columns.empty()) sql += " WHERE " + equal_terms(shape, columns);
  sql += order_by(shape, order) + " LIMIT 1";
  sqlite3_stmt* stmt = nullptr;
  if (Status s = prepare(sql, values, stmt); !s.ok()) return s;
  bool found = false;
  if (Status s = read_row(stmt, shape.columns.size(), out, found); !s.ok()) return s;
  return found ? Status::success() : Status::failure(kRecordNotFound, "Record Not Found");
}

Status SqliteRecords::insert(const TableShape& shape, const std::vector<Value>& values, RecordRow& row) {
  std::string names, params;
  std::vector<Value> bound;
  for (std::size_t c = 0; c < shape.columns.size(); ++c) {
    if (values[c].is_null() && shape.columns[c].has_default) continue;
    if (!names.empty()) {
      names += ", ";
      params += ", ";
    }
    names += quoted(shape.columns[c].name);
    bound.push_back(values[c]);
    params += param(bound.size());
  }
  const std::string sql =
      names.empty() ? "INSERT INTO " + quoted(shape.table) + " DEFAULT VALUES"
                    : "INSERT INTO " + quoted(shape.table) + " (" + names + ") VALUES (" + params + ")";
  sqlite3_stmt* stmt = nullptr;
  if (Status s = prepare(sql, bound, stmt); !s.ok()) return s;
  if (Status s = write(stmt); !s.ok()) return s;

  row_as_written(shape, values, row);
  if (shape.primary.empty()) return Status::success();
  // Read the stored row back: the database may have assigned the identity and filled defaults.
  std::vector<Value> key = primary_key_of(shape, values);
  if (shape.primary.size() == 1 && key[0].is_null()) key[0] = Value::integer(sqlite3_last_insert_rowid(db_));
  RecordRow stored;
  if (find(shape, shape.primary, key, shape.primary, stored).ok()) row = std::move(stored);
  return Status::success();
}

Status SqliteRecords::update(const TableShape& shape, const std::vector<Value>& key,
                             const std::vector<Value>& values) {
  if (shape.primary.empty()) return Status::statement_failed("Table " + shape.table + " has no primary key");
  std::string sets;
  for (std::size_t c = 0; c < shape.columns.size(); ++c) {
    sets += (c ? ", " : "") + quoted(shape.columns[c].name) + " = " + param(c + 1);
  }
  const std::string sql = "UPDATE " + quoted(shape.table) + " SET " + sets + " WHERE " +
                          equal_terms(shape, shape.primary, shape.columns.size() + 1);
  std::vector<Value> bound = values;
  bound.insert(bound.end(), key.begin(), key.end());
  sqlite3_stmt* stmt = nullptr;
  if (Status s = prepare(sql, bound, stmt); !s.ok()) return s;
  const auto before = sqlite3_total_changes64(db_);
  if (Status s = write(stmt); !s.ok()) return s;
  if (sqlite3_total_changes64(db_) == before) return Status::failure(kRecordNotFound, "Record Not Found");
  return Status::success();
}

Status SqliteRecords::remove(const TableShape& shape, const std::vector<Value>& key) {
  if (shape.primary.empty()) return Status::statement_failed("Table " + shape.table + " has no primary key");
  const std::string sql =
      "DELETE FROM " + quoted(shape.table) + " WHERE " + equal_terms(shape, shape.primary);
  sqlite3_stmt* stmt = nullptr;
  if (Status s = prepare(sql, key, stmt); !s.ok()) return s;
  const auto before = sqlite3_total_changes64(db_);
  if (Status s = write(stmt); !s.ok()) return s;
  if (sqlite3_total_changes64(db_) == before) return Status::failure(kRecordNotFound, "Record Not Found");
  return Status::success();
}

}  // namespace db::detail
