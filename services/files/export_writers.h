// The three writers behind write_file: each writes a whole file at a path it is given.
#pragma once

#include <string>
#include <vector>

#include "keldox/export.h"

namespace keldox::spreadsheet {

class SheetWriter {
 public:
  virtual ~SheetWriter() = default;
  virtual bool begin(const std::vector<ExportColumn>& columns) = 0;
  // `number` counts the rows from 1.
  virtual bool row(const dane::Row& row, std::size_t number) = 0;
  virtual bool finish() = 0;
  // Why the last step failed.
  const std::string& error() const { return error_; }

 protected:
  std::string error_;
};

std::unique_ptr<SheetWriter> csv_writer(const std::string& path, char separator);
std::unique_ptr<SheetWriter> xls_writer(const std::string& path);
std::unique_ptr<SheetWriter> xlsx_writer(const std::string& path, const ColourOf* colours);

// The text of a cell of the row (empty beyond it).
inline std::string_view field_of(const dane::Row& row, std::size_t field) {
  return field < row.size() ? std::string_view(row[field]) : std::string_view{};
}

// The spreadsheets' day serial of a day number (1.3.1900 onwards, as the spreadsheets count).
inline double spreadsheet_serial(double day) {
  return day - 36161;
}

}  // namespace keldox::spreadsheet
