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

void row_as_written(const TableShape& shape, const std::vector<Value>& values, RecordRow& row) {
  row.values.assign(shape.columns.size(), std::string());
  row.null.assign(shape.columns.size(), true);
  for (std::size_t c = 0; c < values.size() && c < shape.columns.size(); ++c) {
    row.values[c] = values[c].as_text();
    row.null[c] = values[c].is_null();
  }
}

std::vector<Value> primary_key_of(const TableShape& shape, const std::vector<Value>& values) {
  std::vector<Value> key;
  for (std::size_t c : shape.primary) key.push_back(values[c]);
  return key;
}

}  // namespace db
