// Entry point of the T-SQL translator (seam; the parser lands in the following commits).
#include "db/tsql/translate.h"

namespace db::tsql {

Program translate(std::string_view) {
  Program p;
  p.refusal = "T-SQL translation is not available yet";
  return p;
}

std::string describe(const Program& program) {
  return program.refusal;
}

}  // namespace db::tsql
