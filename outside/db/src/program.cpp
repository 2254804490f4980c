// The two translators an engine can be given.
#include "db/program.h"

namespace db {

Program pass_through(std::string_view statement) {
  Program p;
  p.steps.push_back(tsql::Step{tsql::Statement{std::string(statement), true}});
  return p;
}

Program translate_tsql(std::string_view statement) {
  return tsql::translate(statement);
}

}  // namespace db
