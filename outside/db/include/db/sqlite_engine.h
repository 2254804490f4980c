// The embedded engine: one SQLite database file shared by threads (a connection each) and processes.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "db/engine.h"
#include "db/procedures.h"
#include "db/program.h"

struct sqlite3;

namespace db {

struct SqliteOptions {
  std::string path;
  int busy_timeout_ms = 5000;
  bool create = false;  // create the file when missing at the first connection; a lost file fails
  // Statement texts go through this before they run; pass_through when empty.
  Translator translator;
  // Routines that `call` statements reach.
  std::shared_ptr<const ProcedureRegistry> procedures;
  // Run on every new connection after the engine's own set-up: collations, functions of the server.
  std::vector<std::function<void(sqlite3*)>> on_connect;
};

std::shared_ptr<Engine> make_sqlite_engine(SqliteOptions options);

// Opens one configured connection directly (for the schema builder and the demo generator).
// The caller owns the handle and closes it with sqlite3_close.
Status open_sqlite(const SqliteOptions& options, sqlite3*& out);

// Maps an SQLite result code and message to the client's status: busy, locked, I/O and lost-file
// conditions become transient ("HSTM"), everything else a plain statement failure.
Status sqlite_status(int rc, std::string_view message);

// The case- and trailing-blank-insensitive collation PLCI with Polish letters, for connections on which
// the full set of server text functions is not registered.
void register_fallback_collation(sqlite3* db);

}  // namespace db
