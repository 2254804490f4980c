// How the script names a button or a menu item: its text without accelerator marks and case.
#pragma once

#include <string>
#include <string_view>

#include "runtime/text.h"

namespace ui_script {

inline std::string plain_label(std::string_view s) {
  std::string out;
  for (char c : s) {
    if (c != '&') out.push_back(c);
  }
  return runtime::to_lower(runtime::trim(out));
}

}  // namespace ui_script
