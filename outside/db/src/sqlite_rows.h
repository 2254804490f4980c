// Reading SQLite rows into a result set, and binding procedure values to parameters.
#pragma once

#include <sqlite3.h>

#include <vector>

#include "db/result_set.h"
#include "db/value.h"

namespace db::detail {

// Appends the statement's current row (first `columns` columns) as texts.
void append_row(sqlite3_stmt* stmt, std::size_t columns, ResultSet& out);

// Binds the values to parameters 1..n; returns the SQLite code of the first failure.
int bind_values(sqlite3_stmt* stmt, const std::vector<Value>& params);

}  // namespace db::detail
