// Builds the CREATE statements of the schema from the table declarations and the view definitions.
#include <sqlite3.h>

#include <string>
#include <vector>

#include "runtime/text.h"
#include "schema_views.h"
#include "server/schema.h"

namespace server {
namespace {

std::vector<std::string_view> split(std::string_view s, char sep) {
  std::vector<std::string_view> out;
  while (true) {
    const auto at = s.find(sep);
    const auto part = runtime::trim(s.substr(0, at));
    if (!part.empty()) out.push_back(part);
    if (at == std::string_view::npos) return out;
    s.remove_prefix(at + 1);
  }
}

std::string expand_type(std::string_view t) {
  if (t == "pk") return "integer PRIMARY KEY";
  if (t == "i") return "int";
  if (t == "b") return "tinyint";
  if (t == "h") return "smallint";
  if (t == "dt") return "datetime";
  if (t == "blob") return "blob";
  if (t.size() > 1 && (t[0] == 's' || t[0] == 'c')) {
    return std::string(t[0] == 's' ? "varchar(" : "char(") + std::string(t.substr(1)) + ") COLLATE PLCI";
  }
  if (t.size() > 1 && t[0] == 'd') {
    std::string precision(t.substr(1));
    const auto dot = precision.find('.');
    if (dot != std::string::npos) precision[dot] = ',';
    return "decimal(" + precision + ")";
  }
  return std::string(t);
}

void expand_column(std::string_view def, std::string& out) {
  const auto add = [&](std::string_view text) {
    if (!out.empty()) out += ", ";
    out += text;
  };
  if (def == "POLE*") {
    for (int n = 1; n <= 10; ++n) add("POLE" + std::to_string(n) + " varchar(100) COLLATE PLCI");
    return;
  }
  if (def == "LOCK*") {
    add("SEMAFOR int");
    add("FLAGA_STANU int DEFAULT 0");
    return;
  }
  if (def == "ACCOUNT*") {
    for (std::string_view c : {"ID_RACHUNKU pk", "SYM_WALUTY s3", "ID_BANKU i", "LK s2",
                               "NUMER_RACHUNKU s100", "NAZWA s50", "AKTYWNY b =1"}) {
      expand_column(c, out);
    }
    return;
  }
  const auto words = split(def, ' ');
  std::string column(words[0]);
  if (words.size() > 1) column += " " + expand_type(words[1]);
  for (std::size_t i = 2; i < words.size(); ++i) {
    if (words[i] == "nn") {
      column += " NOT NULL";
    } else if (words[i][0] == '=') {
      column += " DEFAULT " + std::string(words[i].substr(1));
    } else {
      column += " " + std::string(words[i]);
    }
  }
  add(column);
}

std::string index_statement(std::string_view table, std::string_view key) {
  const bool unique = key.front() == '!';
  if (unique) key.remove_prefix(1);
  const auto paren = key.find('(');
  return std::string(unique ? "CREATE UNIQUE INDEX " : "CREATE INDEX ") + std::string(key.substr(0, paren)) +
         " ON " + std::string(table) + std::string(key.substr(paren));
}

}  // namespace

std::string expand_columns(std::string_view compact) {
  std::string out;
  for (std::string_view def : split(compact, ',')) expand_column(def, out);
  return out;
}

std::vector<std::string> schema_statements() {
  std::vector<std::string> out;
  for (const TableDeclaration& t : table_declarations()) {
    out.push_back("CREATE TABLE " + std::string(t.name) + " (" + expand_columns(t.columns) + ")");
    for (std::string_view key : t.keys) out.push_back(index_statement(t.name, key));
  }
  for (std::string& v : view_statements()) out.push_back(std::move(v));
  return out;
}

db::Status create_schema(sqlite3* db) {
  db::SqlLink link(db);
  if (db::Status s = link.exec("BEGIN"); !s.ok()) return s;
  for (const std::string& statement : schema_statements()) {
    if (db::Status s = link.exec(statement); !s.ok()) {
      link.exec("ROLLBACK");
      s.text += " [" + statement.substr(0, 80) + "]";
      return s;
    }
  }
  return link.exec("COMMIT");
}

}  // namespace server
