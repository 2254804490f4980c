// The session's database client: the pass-through channels every library sends its statements through.
#pragma once

#include "db/client.h"

namespace dane {

// The client installed by the main program after log-in. Until then (and after install_database(nullptr))
// every channel answers 37, "not open", so that nothing reaches a database the user has not logged in to.
db::Client& database();
// The client must outlive its installation.
void install_database(db::Client* client);
// Changes with every installation, so that state kept for a client (an open channel) is known to be stale.
unsigned database_generation();

}  // namespace dane
