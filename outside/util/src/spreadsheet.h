// XLSX workbooks written through libxlsxwriter in its constant-memory mode: rows go to disk as they are
// finished, so memory stays flat whatever the row count. One sheet per workbook, addressed by a handle.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zorva_util::spreadsheet {

// Each call answers "1" (or, for create_workbook, the handle's number) on success and "-1" + the reason
// otherwise. Texts are UTF-8. Rows and columns count from 0; row 0 is the header row (bold, frozen).
std::string create_workbook(std::string_view path);
// `columns`: one "width;kind;places" per column joined by "|": width in characters, kind "T" text,
// "N" number (places 0..10 after the point) or "D" date (numbers are the spreadsheet's day serials).
std::string create_sheet(std::string_view handle, std::string_view name, std::string_view columns);
// `cell`: "row,column". Cells must come row by row, each row's cells in any order before the next row.
// A text is always stored as text (a leading "=" never becomes a formula), cut to 32,767 characters.
std::string write_text(std::string_view handle, std::string_view cell, std::string_view text);
// `number`: a decimal text with a point; written in the column's number or date format.
std::string write_number(std::string_view handle, std::string_view cell, std::string_view number);
// Colours as "RRGGBB" hex; they apply to the next write of that cell.
std::string set_font_colour(std::string_view handle, std::string_view cell, std::string_view colour);
std::string set_background_colour(std::string_view handle, std::string_view cell, std::string_view colour);
// Writes the file and frees the handle, whatever the outcome.
std::string close_workbook(std::string_view handle);

}  // namespace zorva_util::spreadsheet
