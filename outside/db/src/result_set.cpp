// Result rows held as texts, and the text form of floating-point columns.
#include "db/result_set.h"

#include <charconv>
#include <cmath>

#include "runtime/text.h"

namespace db {

void ResultSet::clear() {
  columns_ = 0;
  cells_.clear();
  names.clear();
  ret_code.reset();
}

void ResultSet::add_cell(std::string_view text) {
  cells_.emplace_back(runtime::cut_to_width(text, kColumnWidth));
}

void ResultSet::add_row(const std::vector<std::string>& cells) {
  for (std::size_t i = 0; i < columns_; ++i) add_cell(i < cells.size() ? std::string_view(cells[i]) : "");
}

std::string format_real(double v) {
  if (std::isnan(v)) return "NaN";
  if (std::isinf(v)) return v > 0 ? "Infinity" : "-Infinity";
  if (v == 0) return "0";
  char buf[64];
  // Whole values of everyday size print as integers: callers read "5", never "5.0".
  if (std::fabs(v) < 1e15 && std::trunc(v) == v) {
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, static_cast<long long>(v));
    return std::string(buf, end);
  }
  const auto fmt =
      std::fabs(v) >= 1e-5 && std::fabs(v) < 1e15 ? std::chars_format::fixed : std::chars_format::general;
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v, fmt);
  return std::string(buf, end);
}

}  // namespace db
