// The stand-in server database: its tables, views, keys and the objects procedures rely on.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "db/procedures.h"
#include "db/status.h"

struct sqlite3;

namespace server {

// A table as declared once: columns in a compact notation (see schema_tables.cpp) and its keys.
struct TableDeclaration {
  std::string_view name;
  std::string_view columns;
  std::vector<std::string_view> keys;  // "NAME(COL, ...)" for an index, "!NAME(COL, ...)" for a unique one
};

const std::vector<TableDeclaration>& table_declarations();

// The CREATE statements of every table, index, view and trigger, in the order they must run.
std::vector<std::string> schema_statements();

// Creates the whole schema on an empty database (in one transaction). The PLCI collation must be
// registered on `db` before.
db::Status create_schema(sqlite3* db);

// Expands one column list of the compact notation into SQL column definitions.
std::string expand_columns(std::string_view compact);

}  // namespace server
