// The parts of a declared table that its record operations and its field access share.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "dane/table.h"
#include "runtime/text.h"

namespace dane {

struct Table::Shape {
  db::TableShape table;
  std::vector<std::string> key_names;                 // the primary key first, when there is one
  std::vector<std::vector<std::size_t>> key_columns;  // per key name
  std::vector<std::vector<std::size_t>> key_orders;   // per key name: its columns, then the tie-breakers
  std::vector<std::size_t> default_order;
};

struct Table::ThreadState {
  bool open = false;
  int opens = 0;                // how many opens of the thread are not closed yet
  std::size_t key = 0;          // index into Shape::key_orders; npos for the default order
  std::vector<db::Value> from;  // position; empty = from the beginning
  bool inclusive = true;
};

namespace detail {

// "WAL:SYM_WALUTY" and "SYM_WALUTY" name the same field of the WAL table.
inline std::string_view without_prefix(std::string_view prefix, std::string_view name) {
  name = runtime::trim(name);
  const auto colon = name.find(':');
  if (colon != std::string_view::npos && runtime::same_name(name.substr(0, colon), prefix)) {
    name.remove_prefix(colon + 1);
  }
  return name;
}

}  // namespace detail
}  // namespace dane
