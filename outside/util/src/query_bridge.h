// The query bridge: the module's own database connection and whole results as one delimited text.
#pragma once

#include <string>
#include <string_view>

#include "db/status.h"

namespace zorva_util {

// Opens (or re-opens) the module's connection on the database named by the connection text, with the
// stand-in server's translator, procedures and functions. The connection is shared by the threads that
// call the module, one statement at a time, and replaces any earlier one only when the new one opened.
db::Status open_bridge_connection(std::string_view connection_text);

// Runs `statement` on the module's connection and answers its rows in Windows-1250: every value followed
// by `field_separator`, every row followed by `record_separator`, no quoting. Answers the empty text when
// there is no connection, the statement fails, it gives no rows, or any value holds either separator
// (the format could not carry such a value, and an empty answer sends callers to their row-by-row path).
// The separators are Windows-1250 bytes; an empty one stands for its default ("^" and ";").
std::string delimited_result(std::string_view statement, std::string_view record_separator,
                             std::string_view field_separator);

}  // namespace zorva_util
