// The rows a statement delivered, every column already converted to text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace db {

// Longest text a column of a channel record holds, in characters.
inline constexpr std::size_t kColumnWidth = 1000;

class ResultSet {
 public:
  void clear();
  void set_columns(std::size_t n) { columns_ = n; }
  std::size_t columns() const { return columns_; }
  std::size_t rows() const { return columns_ == 0 ? 0 : cells_.size() / columns_; }
  // Appends one cell of the current row; a row is complete after `columns()` cells.
  void add_cell(std::string_view text);
  // Appends a cell as it is, however long: record access, where a field's own width (or none, for bytes)
  // is what limits it.
  void add_whole_cell(std::string_view text) { cells_.emplace_back(text); }
  void add_row(const std::vector<std::string>& cells);
  std::string_view cell(std::size_t row, std::size_t column) const { return cells_[row * columns_ + column]; }

  // Column names as the engine gives them (may be empty when unknown).
  std::vector<std::string> names;

  // The one-byte output binding of an `&RetCode = call ...` statement, when the statement had one.
  std::optional<std::uint8_t> ret_code;

 private:
  std::size_t columns_ = 0;
  std::vector<std::string> cells_;
};

// Text of a floating-point column: whole values without a fraction ("5", not "5.0"), others in their
// shortest exact decimal form without an exponent for everyday magnitudes.
std::string format_real(double v);

}  // namespace db
