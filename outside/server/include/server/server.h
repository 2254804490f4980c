// Connecting the application's client to the stand-in server: engine, translator, procedures, functions.
#pragma once

#include <memory>
#include <string_view>

#include "db/channel_client.h"
#include "db/client.h"

namespace server {

// Everything the embedded engine needs to behave as the application's server: the T-SQL translator,
// the procedures and the functions and collation on every connection.
db::EngineExtensions extensions();

// A client on the database named by the connection text (the default database when empty).
db::Status connect(std::string_view connection_text, std::unique_ptr<db::Client>& out);

}  // namespace server
