// Export of what a browse shows to a spreadsheet file: CSV, XLS (BIFF8) or XLSX.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dane/browse.h"

namespace keldox {

// EXPORTBROWSERTOEXCEL: every row of the browse's current order, range limits and filter (paged from its
// source, not only the screen), in the columns the list shows, asked through the host: the file name, the
// colour question for XLSX, the question that opens the file. A non-blank `log_name` logs the export.
void EXPORTBROWSERTOEXCEL(dane::BrowseWindow& browse, std::string_view log_name = {});

namespace spreadsheet {

enum class FileType { csv, xls, xlsx };

// A column as the export writes it: its header, display picture, the source field it shows and its width
// in the list (0: the list's default).
struct ExportColumn {
  std::string header;
  std::string picture;
  std::size_t field = 0;
  int width = 0;
  bool numeric = false;
};

// The columns the list shows, in the user's order, leaving out a column whose header is blank.
std::vector<ExportColumn> export_columns(const dane::BrowseWindow& browse);

// A cell as every format writes it: the CSV text and, for the spreadsheets, the typed value.
struct CellValue {
  enum class Kind { text, number, date } kind = Kind::text;
  std::string text;   // the CSV text (before quoting)
  double number = 0;  // numbers; dates: the day number
  int places = 0;     // numbers: the decimals shown
};
// `row_number` counts the exported rows from 1 (the "Lp" column shows it).
CellValue cell_value(const ExportColumn& column, std::string_view cell, std::size_t row_number);
// The CSV text of a value: its text, with an apostrophe before a text that starts with "=", "+", "-" or
// "@" so that a spreadsheet opening the file never runs it as a formula.
std::string csv_text(const CellValue& value);
// One CSV line (without its line end): each value quoted, double quotes as backquotes, joined by the
// separator, cut to 50,000 characters.
std::string csv_line(const std::vector<std::string>& values, char separator);

// The cell colours of an XLSX export, as "RRGGBB" numbers; none for a plain cell.
struct CellColours {
  std::optional<std::uint32_t> font;
  std::optional<std::uint32_t> background;
};
using ColourOf = std::function<CellColours(const dane::Row& row, std::size_t column)>;

// Gives the next rows of the export into `batch` (cleared first); false once there are none. A failed read
// sets `failure` and answers false.
using RowFeed = std::function<bool(std::vector<dane::Row>& batch, std::string& failure)>;

struct WriteOutcome {
  bool ok = false;
  std::size_t rows = 0;
  std::string message;  // a failure: what the user is told
};

// Writes the file beside its final name and renames it at the end, so that a failure never leaves a
// half-written file under `path`. `colours` only for XLSX; `progress` hears the rows written so far.
WriteOutcome write_file(const std::string& path, FileType type, const std::vector<ExportColumn>& columns,
                        const RowFeed& rows, char separator, const ColourOf* colours = nullptr,
                        const std::function<void(std::size_t)>& progress = {});

// The type of a chosen name: its last four characters in lower case; a name that ends in none of ".csv",
// ".xls" and "xlsx" gets ".csv" appended and is CSV.
FileType type_of_name(std::string& name);
// The save dialog's filter with the preferred type ("XLS", "CSV" or "XLSX") first.
std::string filter_for(std::string_view preferred_type);
// The proposed name: title, "_" and the date as yyyyMMdd, cleaned as a file name, at most 127 characters.
std::string proposed_name(std::string_view title, std::int32_t day);

}  // namespace spreadsheet
}  // namespace keldox
