// Writing the demo database as a T-SQL script.
#include "server/tsql_script.h"

#include <cstdio>
#include <string>
#include <vector>

#include "db/procedures.h"
#include "db/result_set.h"
#include "runtime/text.h"

namespace server {
namespace {

constexpr std::size_t kRowsPerInsert = 100;  // the server takes at most 1000 rows in one VALUES

struct Column {
  std::string name;
  std::string type;  // as the embedded schema declares it
  bool not_null = false;
  std::string default_value;  // empty: none
  int key_position = 0;       // 1.. in the primary key
  bool plci = false;          // the Polish case-insensitive collation
};

std::string bracketed(std::string_view name) {
  std::string out = "[";
  for (char c : name) {
    out += c;
    if (c == ']') out += ']';
  }
  return out + "]";
}

std::string text_literal(std::string_view text) {
  std::string out = "N'";
  for (char c : text) {
    out += c;
    if (c == '\'') out += '\'';
  }
  return out + "'";
}

std::string server_type(const Column& c, bool identity) {
  const std::string t = runtime::to_lower(c.type);
  std::string out;
  if (t == "integer" || t == "int") {
    out = "int";
  } else if (t == "blob") {
    out = "varbinary(max)";
  } else if (t.starts_with("varchar(") || t.starts_with("char(")) {
    const auto open = t.find('(');
    const std::string size = t.substr(open + 1, t.size() - open - 2);
    // Beyond 8000 characters a column is a long text of the server.
    out = (t[0] == 'v' ? "varchar(" : "char(") + (std::stoul(size) > 8000 ? std::string("max") : size) + ")";
    if (c.plci) out += " COLLATE Polish_CI_AS";
  } else if (t.empty()) {
    out = "sql_variant";
  } else {
    out = t;  // decimal(p,s), tinyint, smallint, datetime
  }
  if (identity) out += " IDENTITY(1,1)";
  return out;
}

// A default as the server writes it: texts as N'...', numbers as they are.
std::string server_default(std::string_view value) {
  if (value.size() >= 2 && value.front() == '\'' && value.back() == '\'') {
    std::string inner;
    for (std::size_t i = 1; i + 1 < value.size(); ++i) {
      inner += value[i];
      if (value[i] == '\'' && value[i + 1] == '\'') ++i;
    }
    return "(" + text_literal(inner) + ")";
  }
  return "(" + std::string(value) + ")";
}

// The few words of the embedded engine's dialect that its views use, in the server's spelling.
std::string server_view(std::string sql) {
  const auto replace_all = [&](std::string_view from, std::string_view to) {
    for (std::size_t at = 0; (at = runtime::to_upper(sql).find(from, at)) != std::string::npos;
         at += to.size())
      sql.replace(at, from.size(), to);
  };
  replace_all("||", "+");
  replace_all("IFNULL(", "ISNULL(");
  replace_all("SUBSTR(", "SUBSTRING(");
  return sql;
}

db::Status query(sqlite3* db, const std::string& sql, const std::vector<db::Value>& params,
                 db::ResultSet& out) {
  db::SqlLink link(db);
  return link.query(sql, params, out);
}

db::Status table_columns(sqlite3* db, const std::string& table, std::vector<Column>& out) {
  db::ResultSet info;
  if (db::Status s = query(db, "SELECT name, type, \"notnull\", dflt_value, pk FROM pragma_table_info(?)",
                           {db::Value::text(table)}, info);
      !s.ok())
    return s;
  for (std::size_t r = 0; r < info.rows(); ++r) {
    Column c;
    c.name = std::string(info.cell(r, 0));
    c.type = std::string(info.cell(r, 1));
    c.not_null = info.cell(r, 2) == "1";
    c.default_value = std::string(info.cell(r, 3));
    c.key_position = std::atoi(std::string(info.cell(r, 4)).c_str());
    const char* collation = nullptr;
    sqlite3_table_column_metadata(db, nullptr, table.c_str(), c.name.c_str(), nullptr, &collation, nullptr,
                                  nullptr, nullptr);
    c.plci = collation != nullptr && runtime::to_upper(collation) == "PLCI";
    out.push_back(std::move(c));
  }
  return db::Status::success();
}

void write_table(std::ostream& out, const std::string& table, const std::vector<Column>& columns,
                 bool identity) {
  std::vector<std::string> key;
  for (const Column& c : columns) {
    if (c.key_position <= 0) continue;
    const auto at = static_cast<std::size_t>(c.key_position);
    if (key.size() < at) key.resize(at);
    key[at - 1] = bracketed(c.name);
  }
  out << "CREATE TABLE " << bracketed(table) << " (\n";
  for (std::size_t i = 0; i < columns.size(); ++i) {
    const Column& c = columns[i];
    out << "  " << bracketed(c.name) << " " << server_type(c, identity && c.key_position == 1);
    if (c.not_null || c.key_position > 0) out << " NOT NULL";
    if (!c.default_value.empty() && c.default_value != "NULL")
      out << " DEFAULT " << server_default(c.default_value);
    out << (i + 1 < columns.size() || !key.empty() ? "," : "") << "\n";
  }
  if (!key.empty()) {
    out << "  CONSTRAINT " << bracketed("PK_" + table) << " PRIMARY KEY (";
    for (std::size_t k = 0; k < key.size(); ++k) out << (k ? ", " : "") << key[k];
    out << ")\n";
  }
  out << ");\n";
}

std::string cell_literal(sqlite3_stmt* stmt, int c) {
  switch (sqlite3_column_type(stmt, c)) {
    case SQLITE_NULL:
      return "NULL";
    case SQLITE_INTEGER:
      return std::to_string(sqlite3_column_int64(stmt, c));
    case SQLITE_FLOAT:
      return db::format_real(sqlite3_column_double(stmt, c));
    case SQLITE_BLOB: {
      const auto* bytes = static_cast<const unsigned char*>(sqlite3_column_blob(stmt, c));
      std::string hex = "0x";
      char two[3];
      for (int i = 0; i < sqlite3_column_bytes(stmt, c); ++i) {
        std::snprintf(two, sizeof two, "%02X", bytes[i]);
        hex += two;
      }
      return hex == "0x" ? "0x00" : hex;
    }
    default:
      return text_literal(reinterpret_cast<const char*>(sqlite3_column_text(stmt, c)));
  }
}

db::Status write_rows(sqlite3* db, std::ostream& out, const std::string& table,
                      const std::vector<Column>& columns, bool identity) {
  std::string names;
  for (std::size_t i = 0; i < columns.size(); ++i) names += (i ? ", " : "") + bracketed(columns[i].name);
  sqlite3_stmt* stmt = nullptr;
  const std::string sql = "SELECT * FROM \"" + table + "\"";
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK)
    return db::Status::statement_failed(sqlite3_errmsg(db));
  std::size_t in_batch = 0, total = 0;
  int rc;
  while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
    if (total == 0 && identity) out << "SET IDENTITY_INSERT " << bracketed(table) << " ON;\n";
    out << (in_batch == 0 ? "INSERT INTO " + bracketed(table) + " (" + names + ") VALUES\n  (" : ",\n  (");
    for (int c = 0; c < sqlite3_column_count(stmt); ++c) out << (c ? ", " : "") << cell_literal(stmt, c);
    out << ")";
    ++total;
    if (++in_batch == kRowsPerInsert) {
      out << ";\n";
      in_batch = 0;
    }
  }
  if (in_batch > 0) out << ";\n";
  if (total > 0 && identity) out << "SET IDENTITY_INSERT " << bracketed(table) << " OFF;\n";
  sqlite3_finalize(stmt);
  return rc == SQLITE_DONE ? db::Status::success() : db::Status::statement_failed(sqlite3_errmsg(db));
}

// The schema's objects with their whole texts (a channel's rows would cut the longer views).
struct SchemaObject {
  std::string type, name, sql;
};

db::Status schema_objects(sqlite3* db, std::vector<SchemaObject>& out) {
  sqlite3_stmt* stmt = nullptr;
  const char* sql =
      "SELECT type, name, IFNULL(sql, '') FROM sqlite_master WHERE name NOT LIKE 'sqlite_%' ORDER BY CASE "
      "type "
      "WHEN 'table' THEN 0 WHEN 'index' THEN 1 WHEN 'view' THEN 2 ELSE 3 END, rowid";
  if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) != SQLITE_OK)
    return db::Status::statement_failed(sqlite3_errmsg(db));
  int rc;
  while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
    SchemaObject o;
    for (int c = 0; c < 3; ++c) {
      const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, c));
      (c == 0 ? o.type : c == 1 ? o.name : o.sql) = text ? text : "";
    }
    out.push_back(std::move(o));
  }
  sqlite3_finalize(stmt);
  return rc == SQLITE_DONE ? db::Status::success() : db::Status::statement_failed(sqlite3_errmsg(db));
}

}  // namespace

db::Status write_tsql_script(sqlite3* db, std::ostream& out) {
  std::vector<SchemaObject> objects;
  if (db::Status s = schema_objects(db, objects); !s.ok()) return s;
  out << "-- The demo database of the system for the shared server: tables, keys and indexes, views, then "
         "the\n"
         "-- rows. The server's own stored procedures and functions are not part of it.\n"
         "SET NOCOUNT ON;\nGO\n";
  std::vector<std::pair<std::string, std::vector<Column>>> tables;
  std::vector<bool> identities;
  for (const auto& [type, name, sql] : objects) {
    if (type == "table") {
      std::vector<Column> columns;
      if (db::Status s = table_columns(db, name, columns); !s.ok()) return s;
      std::size_t key_columns = 0;
      bool integer_key = false;
      for (const Column& c : columns) {
        if (c.key_position > 0) {
          ++key_columns;
          integer_key = runtime::to_lower(c.type) == "integer";
        }
      }
      const bool identity = key_columns == 1 && integer_key;
      write_table(out, name, columns, identity);
      tables.emplace_back(name, std::move(columns));
      identities.push_back(identity);
    } else if (type == "index" && !sql.empty()) {
      out << sql << ";\n";
    } else if (type == "view") {
      out << "GO\n" << server_view(sql) << ";\nGO\n";
    } else if (type == "trigger") {
      out << "-- left out: trigger " << name << " (the server writes through a view of one table itself)\n";
    }
  }
  out << "GO\n";
  for (std::size_t t = 0; t < tables.size(); ++t) {
    if (db::Status s = write_rows(db, out, tables[t].first, tables[t].second, identities[t]); !s.ok())
      return s;
  }
  out << "GO\n";
  return out.good() ? db::Status::success() : db::Status::statement_failed("the script could not be written");
}

}  // namespace server
