// The server engine: the shared database server (or any ODBC data source) through the ODBC driver manager.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "db/engine.h"
#include "db/procedures.h"
#include "db/program.h"

namespace db {

struct OdbcOptions {
  // What the driver manager gets: "DSN=..." or "DRIVER=...;SERVER=...;..." without this system's own keys.
  std::string connection_string;
  int login_timeout_s = 5;  // a server that does not answer fails after this, never hangs
  int query_timeout_s = 0;  // 0: the driver's default
  // dialect=sqlite: the statements are translated for SQLite before they are sent, for drivers of SQLite
  // databases (tests and the embedded demo data reached through ODBC). Off by default.
  bool sqlite_dialect = false;
  Translator translator;  // the dialect's translator (translate_tsql when empty)
  // Procedures that `call` statements reach in the SQLite dialect, run on the driver's own database
  // connection when the driver has the stand-in's SQLite extension loaded.
  std::shared_ptr<const ProcedureRegistry> procedures;
};

// Splits the text after "odbc:" into the driver's connection string and this system's own keys
// ("dialect=sqlite", "login_timeout=N", "query_timeout=N"); 90 for an empty string or a bad key value.
Status parse_odbc_text(std::string_view text, OdbcOptions& out);

std::shared_ptr<Engine> make_odbc_engine(OdbcOptions options);

// The statement the shared server gets for a call spelling of the application ("call X(a,b)", "call X",
// "exec X a, b", "execute X a", "&RetCode = call X(a)"): the ODBC call escape ("{call X(a,b)}", "{? = call
// X(a)}"), arguments as written. Nothing for any other statement. `binds_retcode` tells whether the escape
// has the output parameter.
struct CallEscape {
  std::string text;
  bool binds_retcode = false;
};
bool call_escape(std::string_view statement, CallEscape& out);

}  // namespace db
