// The stored procedures of the stand-in server, as routines of the embedded engine.
#pragma once

#include <memory>

#include "db/procedures.h"

namespace server {

// Adds every routine of the server to `registry`.
void register_procedures(db::ProcedureRegistry& registry);

// One shared registry holding all of them.
std::shared_ptr<const db::ProcedureRegistry> procedures();

}  // namespace server
