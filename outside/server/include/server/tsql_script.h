// The demo database as a T-SQL script for the shared server: its tables, keys, indexes and views, then
// its rows, in batches separated by GO.
#pragma once

#include <sqlite3.h>

#include <ostream>

#include "db/status.h"

namespace server {

// Writes the script of the database `db` (a demo database built by make_demo_database). Integer primary
// keys become identity columns, filled with the demo's own values; texts keep the server's Polish
// case-insensitive collation. The triggers that make the embedded engine's views writable are left out:
// the server writes through a view of one table by itself.
db::Status write_tsql_script(sqlite3* db, std::ostream& out);

}  // namespace server
