// Table-valued server functions as eponymous SQLite virtual tables with hidden argument columns.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "db/procedures.h"
#include "db/value.h"

struct sqlite3;

namespace server::detail {

// Produces the rows of one call; columns as declared at registration.
using TableFunction =
    std::function<db::Status(db::SqlLink&, const std::vector<db::Value>& args, db::ResultSet& out)>;

// Registers `name(arg1, ..., argN)` usable in FROM; every argument must be given.
void register_table_function(sqlite3* db, const std::string& name, const std::vector<std::string>& columns,
                             int arg_count, TableFunction fn);

void register_table_functions(sqlite3* db);

}  // namespace server::detail
