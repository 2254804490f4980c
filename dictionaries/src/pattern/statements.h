// The pass-through statements of the dictionary windows, with the outcome the windows act on: whether the
// statement failed and with which text, and the first column of its first row.
#pragma once

#include <string>
#include <string_view>

#include "db/status.h"

namespace slownik {

struct StatementOutcome {
  db::Status status;
  bool has_row = false;
  std::string first;  // the first column of the first row
};

// Runs the statement on VAX and reads its first row; the channel is closed afterwards.
StatementOutcome run_statement(std::string_view statement);

}  // namespace slownik
