// The collation and SQL functions of the T-SQL translator (seam; implementations follow).
#include "db/tsql/functions.h"

#include <sqlite3.h>

namespace db::tsql {

bool register_tsql_functions(sqlite3* db) {
  return db != nullptr;
}

}  // namespace db::tsql
