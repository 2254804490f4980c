// Replacement in statement texts and identifiers written as whole numbers.
#include "keldox/sql_text.h"

#include <cmath>
#include <cstdio>

#include "runtime/text.h"

namespace keldox {
namespace {
constexpr std::size_t kLongTextWidth = 79'999;
}

std::string REPLACEPROC(std::string_view text, std::string_view search, std::string_view replacement) {
  const auto at = search.empty() ? std::string_view::npos : text.find(search);
  if (at == std::string_view::npos) return std::string(text);
  std::string out;
  out.reserve(text.size() - search.size() + replacement.size());
  out.append(text.substr(0, at)).append(replacement).append(text.substr(at + search.size()));
  return out;
}

std::string REPLACEPROC2(std::string_view text, std::string_view search, std::string_view replacement) {
  text = runtime::cut_to_width(text, kLongTextWidth);
  if (search.empty()) return std::string(text);
  std::string out;
  out.reserve(text.size());
  std::size_t from = 0;
  for (auto at = text.find(search); at != std::string_view::npos; at = text.find(search, from)) {
    out.append(text.substr(from, at - from)).append(replacement);
    from = at + search.size();
  }
  out.append(text.substr(from));
  return std::string(runtime::cut_to_width(out, kLongTextWidth));
}

std::string sql_id(double id) {
  if (!std::isfinite(id)) return "0";
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.0f", std::trunc(id) == 0 ? 0.0 : std::trunc(id));
  return buffer;
}

}  // namespace keldox
