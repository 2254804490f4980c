// The stand-in server as an SQLite extension, for SQLite databases reached through an ODBC driver that
// loads extensions (LoadExt=): the collation, the server's functions, and the name of the driver's own
// connection, on which the ODBC engine of this process runs the server's procedures.
#include <sqlite3.h>

#include <cstdint>

#include "db/sqlite_engine.h"
#include "db/tsql/functions.h"
#include "server/functions.h"

namespace {

void connection_handle(sqlite3_context* ctx, int, sqlite3_value**) {
  sqlite3_result_int64(
      ctx, static_cast<sqlite3_int64>(reinterpret_cast<std::intptr_t>(sqlite3_context_db_handle(ctx))));
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int sqlite3_extension_init(sqlite3* db, char** /*error*/,
                                                                             const sqlite3_api_routines*) {
  sqlite3_extended_result_codes(db, 1);
  db::register_fallback_collation(db);
  db::tsql::register_tsql_functions(db);
  server::register_functions(db);
  sqlite3_create_function_v2(db, "mirlet_connection_handle", 0, SQLITE_UTF8, nullptr, connection_handle,
                             nullptr, nullptr, nullptr);
  return SQLITE_OK;
}
