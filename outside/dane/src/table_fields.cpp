// Field access of a table's record buffer: by column name, texts cut to width, numbers kept as numbers.
#include <charconv>
#include <cmath>
#include <cstdint>

#include "dane/record_fields.h"
#include "runtime/text.h"
#include "table_shape.h"

namespace dane {
namespace {

std::string number_text(double v) {
  if (!std::isfinite(v)) return "0";
  if (v == std::trunc(v) && std::fabs(v) < 1e15) return std::to_string(static_cast<std::int64_t>(v));
  char buf[32];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, static_cast<std::size_t>(end - buf));
}

// What a field holds after assignment: numbers as numbers, texts cut to the column's width.
std::string stored_text(const db::ColumnShape& c, std::string_view value) {
  if (c.numeric) {
    const std::string_view trimmed = runtime::trim(value);
    if (trimmed.empty()) return {};
    // A plain number keeps its digits (no binary rounding of decimals); anything else is read as one.
    double parsed = 0;
    const char* end = trimmed.data() + trimmed.size();
    auto [at, ec] = std::from_chars(trimmed.data(), end, parsed);
    if (ec == std::errc() && at == end && std::isfinite(parsed)) return std::string(trimmed);
    return number_text(number_from_text(value));
  }
  if (c.width > 0) return std::string(runtime::cut_to_width(value, c.width));
  return std::string(value);
}

}  // namespace

int Table::column_index(const Shape& shape, std::string_view prefix, std::string_view field) {
  const std::string_view name = detail::without_prefix(prefix, field);
  const auto& columns = shape.table.columns;
  for (std::size_t c = 0; c < columns.size(); ++c) {
    if (runtime::same_name(columns[c].name, name)) return static_cast<int>(c);
  }
  return -1;
}

bool Table::has_field(std::string_view field) {
  const Shape* s = nullptr;
  return shape(s).ok() && column_index(*s, prefix_, field) >= 0;
}

std::string Table::text(std::string_view field) {
  const Shape* s = nullptr;
  if (!shape(s).ok()) return {};
  const int c = column_index(*s, prefix_, field);
  if (c < 0) return {};
  std::lock_guard lock(mutex_);
  return buffer_.values[static_cast<std::size_t>(c)];
}

double Table::number(std::string_view field) {
  return number_from_text(text(field));
}

std::int64_t Table::integer(std::string_view field) {
  const double v = number(field);
  if (v >= 9.2e18) return INT64_MAX;
  if (v <= -9.2e18) return INT64_MIN;
  return static_cast<std::int64_t>(v);
}

bool Table::set_text(std::string_view field, std::string_view value) {
  const Shape* s = nullptr;
  if (!shape(s).ok()) return false;
  const int c = column_index(*s, prefix_, field);
  if (c < 0) return false;
  std::string stored = stored_text(s->table.columns[static_cast<std::size_t>(c)], value);
  std::lock_guard lock(mutex_);
  buffer_.values[static_cast<std::size_t>(c)] = std::move(stored);
  buffer_.null[static_cast<std::size_t>(c)] = false;
  return true;
}

bool Table::set_number(std::string_view field, double value) {
  return set_text(field, number_text(value));
}

bool Table::set_integer(std::string_view field, std::int64_t value) {
  return set_text(field, std::to_string(value));
}

bool Table::is_blob(std::string_view field) {
  const Shape* s = nullptr;
  if (!shape(s).ok()) return false;
  const int c = column_index(*s, prefix_, field);
  return c >= 0 && s->table.columns[static_cast<std::size_t>(c)].binary;
}

std::string Table::blob(std::string_view field) {
  return is_blob(field) ? text(field) : std::string();
}

bool Table::set_blob(std::string_view field, std::string bytes) {
  const Shape* s = nullptr;
  if (!shape(s).ok()) return false;
  const int c = column_index(*s, prefix_, field);
  if (c < 0 || !s->table.columns[static_cast<std::size_t>(c)].binary) return false;
  std::lock_guard lock(mutex_);
  buffer_.null[static_cast<std::size_t>(c)] = bytes.empty();
  buffer_.values[static_cast<std::size_t>(c)] = std::move(bytes);
  return true;
}

std::vector<std::string> Table::field_names() {
  const Shape* s = nullptr;
  std::vector<std::string> out;
  if (!shape(s).ok()) return out;
  for (const auto& c : s->table.columns) out.push_back(c.name);
  return out;
}

std::vector<std::string> Table::key_names() {
  const Shape* s = nullptr;
  if (!shape(s).ok()) return {};
  return s->key_names;
}

std::vector<std::string> Table::primary_key_fields() {
  const Shape* s = nullptr;
  std::vector<std::string> out;
  if (!shape(s).ok()) return out;
  for (const std::size_t c : s->table.primary) out.push_back(s->table.columns[c].name);
  return out;
}

}  // namespace dane
