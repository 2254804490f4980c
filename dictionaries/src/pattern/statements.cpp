// Statements whose failure the dictionary windows report in their own words.
#include "pattern/statements.h"

#include "dane/database.h"
#include "keldox/sql.h"

namespace slownik {

StatementOutcome run_statement(std::string_view statement) {
  StatementOutcome out;
  keldox::EXECSQL(statement);
  out.status = dane::database().last_error();
  if (out.status.ok()) {
    out.has_row = keldox::next_row();
    if (out.has_row) out.first = keldox::column(1);
  }
  keldox::CLOSESQL();
  return out;
}

}  // namespace slownik
