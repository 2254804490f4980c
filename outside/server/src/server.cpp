// The client on the stand-in server: engine extensions that make SQLite answer like the server.
#include "server/server.h"

#include "db/program.h"
#include "server/functions.h"
#include "server/procedures.h"

namespace server {

db::EngineExtensions extensions() {
  db::EngineExtensions ext;
  ext.translator = db::translate_tsql;
  ext.procedures = procedures();
  ext.on_connect.push_back(register_functions);
  return ext;
}

db::Status connect(std::string_view connection_text, std::unique_ptr<db::Client>& out) {
  return db::open_client(connection_text, extensions(), out);
}

}  // namespace server
