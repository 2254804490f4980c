#include "loading.h"

#include "dane/database.h"
#include "keldox/sql.h"

namespace start::loading {

bool run(std::string_view statement) {
  keldox::EXECSQL(statement);
  return dane::database().last_error().ok();
}

}  // namespace start::loading
