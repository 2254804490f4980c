// What every engine's record access shares.
#include "db/records.h"

#include "runtime/text.h"

namespace db {

void adopt_named_primary(TableShape& shape) {
  if (!shape.primary.empty()) return;
  const std::string wanted = runtime::to_upper("PK_" + shape.table);
  for (auto it = shape.keys.begin(); it != shape.keys.end(); ++it) {
    if (it->unique && !it->columns.empty() && runtime::to_upper(it->name) == wanted) {
      shape.primary = it->columns;
      shape.keys.erase(it);
      return;
    }
  }
}

}  // namespace db
