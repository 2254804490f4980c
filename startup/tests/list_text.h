// A session list as texts, one per entry, its fields joined by "|", for comparing whole lists.
#pragma once

#include <string>
#include <tuple>
#include <vector>

#include "dane/session_list.h"

namespace start::testing {

template <class Record>
std::vector<std::string> list_text(const dane::SessionList<Record>& list) {
  std::vector<std::string> out;
  for (const Record& r : list) {
    std::string line;
    std::apply(
        [&](auto... field) {
          ((line +=
            [&](const auto& value) {
              if constexpr (requires { value.str(); })
                return value.str() + "|";
              else
                return std::to_string(value) + "|";
            }(r.*field)),
           ...);
        },
        Record::fields());
    out.push_back(line);
  }
  return out;
}

}  // namespace start::testing
