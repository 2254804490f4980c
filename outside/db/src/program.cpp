// The translator used when none is configured.
#include "db/program.h"

namespace db {

Program pass_through(std::string_view statement) {
  Program p;
  Step s;
  s.sql.assign(statement);
  p.steps.push_back(std::move(s));
  return p;
}

}  // namespace db
