// Driver diagnostics to statuses.
#include "odbc_diagnostics.h"

#include <string_view>

namespace db::odbc {
bool transient_state(std::string_view state) {
  return state.starts_with("08") || state == "HYT00" || state == "HYT01" || state == "40001";
}

bool lost_state(std::string_view state) {
  return state == "08S01" || state == "08003" || state == "08007";
}

Diagnosis diagnose(SQLSMALLINT handle_type, SQLHANDLE handle, std::string_view doing) {
  Diagnosis d;
  std::string text;
  bool transient = false;
  for (SQLSMALLINT record = 1;; ++record) {
    SQLCHAR state[6] = {};
    SQLINTEGER native = 0;
    SQLCHAR message[1024] = {};
    SQLSMALLINT length = 0;
    const SQLRETURN rc = SQLGetDiagRec(handle_type, handle, record, state, &native, message,
                                       static_cast<SQLSMALLINT>(sizeof message), &length);
    if (!succeeded(rc)) break;
    const std::string_view s(reinterpret_cast<const char*>(state));
    transient = transient || transient_state(s);
    d.connection_lost = d.connection_lost || lost_state(s);
    if (!text.empty()) text += '\n';
    text += "[" + std::string(s) + "] " + reinterpret_cast<const char*>(message);
  }
  if (text.empty()) text = std::string(doing) + " failed without a message from the driver";
  d.status = transient ? Status::transient_failure(text) : Status::statement_failed(text);
  return d;
}

}  // namespace db::odbc
