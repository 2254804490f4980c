// A `call` of a translated program run against the procedures of the stand-in, the same for every
// engine that reaches an SQLite connection.
#pragma once

#include <cstddef>

#include "db/procedures.h"
#include "db/tsql/translate.h"

namespace db::detail {

// The call's arguments evaluated on `db`, the routine run, and its rows (at most `max_columns` columns)
// and return code given to `out`. Without a registry no procedure exists.
Status run_procedure(const ProcedureRegistry* procedures, const tsql::ProcedureCall& node, SqlLink& db,
                     std::size_t max_columns, ResultSet& out);

}  // namespace db::detail
