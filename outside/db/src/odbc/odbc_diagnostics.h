// What a driver said about a failed call, as the seam's status.
#pragma once

#include <sql.h>
#include <sqlext.h>

#include <string>
#include <string_view>

#include "db/status.h"

namespace db::odbc {

struct Diagnosis {
  Status status;
  bool connection_lost = false;  // the connection must not be used again
};

// SQLSTATEs of conditions worth another try (connection failures and losses, timeouts, a deadlock
// victim), and of a connection that must not be used again.
bool transient_state(std::string_view state);
bool lost_state(std::string_view state);

// The driver's records of `handle` ("[SQLSTATE] message", one per line) as a 90; transient conditions
// (connection failures and losses, timeouts, a deadlock victim) carry the transient mark.
Diagnosis diagnose(SQLSMALLINT handle_type, SQLHANDLE handle, std::string_view doing);

inline bool succeeded(SQLRETURN rc) {
  return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO;
}

}  // namespace db::odbc
