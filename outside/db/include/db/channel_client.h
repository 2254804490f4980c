// The production client: channels over an engine, one engine connection per calling thread.
#pragma once

#include <memory>
#include <string>

#include "db/client.h"
#include "db/engine.h"
#include "db/odbc_engine.h"
#include "db/sqlite_engine.h"

namespace db {

// Channel state is kept per thread and per client; a thread's connection and channels end with the thread.
std::unique_ptr<Client> make_channel_client(std::shared_ptr<Engine> engine);

// Connection texts:
//   ""  or "default"                 the embedded default database (default_database_path())
//   "sqlite:PATH[?key=value&...]"    an embedded database file; keys: busy_timeout (ms), create (0/1)
//   "odbc:CONNECTION STRING"         the server through the ODBC driver manager: "DSN=..." or
//                                    "DRIVER=...;SERVER=...;...", with this system's own keys
//                                    dialect=sqlite, login_timeout=S and query_timeout=S (parse_odbc_text)
struct ConnectionSettings {
  std::string engine;  // "sqlite" or "odbc"
  SqliteOptions sqlite;
  OdbcOptions odbc;
};
Status parse_connection_text(std::string_view text, ConnectionSettings& out);

// $MIRLET_DB when set, else $XDG_DATA_HOME/mirlet/mirlet.db (~/.local/share/mirlet/mirlet.db).
std::string default_database_path();

// Extensions that the connection text cannot carry: the translator, procedures and connection hooks.
struct EngineExtensions {
  Translator translator;
  std::shared_ptr<const ProcedureRegistry> procedures;
  std::vector<std::function<void(sqlite3*)>> on_connect;
};
Status open_engine(std::string_view connection_text, const EngineExtensions& ext,
                   std::shared_ptr<Engine>& out);
Status open_client(std::string_view connection_text, const EngineExtensions& ext,
                   std::unique_ptr<Client>& out);

}  // namespace db
