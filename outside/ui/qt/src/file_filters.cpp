// The system's "description|pattern|description|pattern" filters in Qt's "description (patterns);;..." form.
#include "ui_qt/file_filters.h"

#include <vector>

#include "dane/host.h"
#include "runtime/text.h"

namespace ui_qt {
namespace {

std::string qt_patterns(std::string_view patterns) {
  std::string out;
  for (;;) {
    const auto semi = patterns.find(';');
    std::string_view one = runtime::trim(patterns.substr(0, semi));
    if (one == "*.*") one = "*";
    if (!one.empty()) {
      if (!out.empty()) out += ' ';
      out.append(one);
    }
    if (semi == std::string_view::npos) break;
    patterns = patterns.substr(semi + 1);
  }
  return out.empty() ? "*" : out;
}

}  // namespace

std::string qt_file_filters(std::string_view system_filters) {
  const std::vector<std::string> parts = dane::split_bar_list(system_filters);
  std::string out;
  for (std::size_t i = 0; i < parts.size(); i += 2) {
    const std::string_view description = runtime::trim(parts[i]);
    const std::string_view patterns =
        i + 1 < parts.size() ? std::string_view(parts[i + 1]) : std::string_view{};
    if (description.empty() && runtime::trim(patterns).empty()) continue;
    const std::string qt = qt_patterns(patterns);
    if (!out.empty()) out += ";;";
    out.append(description.empty() ? std::string_view(qt) : description);
    out += " (" + qt + ")";
  }
  return out;
}

}  // namespace ui_qt
