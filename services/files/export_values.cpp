// What each exported cell becomes: one reading shared by the CSV text and the spreadsheets' typed values,
// so that the three formats always carry the same values.
#include <algorithm>
#include <cctype>

#include "keldox/export.h"
#include "keldox/files.h"
#include "runtime/date.h"
#include "runtime/decimal.h"
#include "runtime/picture.h"
#include "runtime/text.h"

namespace keldox::spreadsheet {
namespace {

constexpr std::size_t kMaxLineCharacters = 50000;

bool all_digits(std::string_view s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A plain number: an optional sign, digits, optionally a point and digits.
bool plain_number(std::string_view s) {
  if (!s.empty() && (s.front() == '-' || s.front() == '+')) s.remove_prefix(1);
  const std::size_t point = s.find('.');
  if (point == std::string_view::npos) return all_digits(s);
  return all_digits(s.substr(0, point)) && (point + 1 == s.size() || all_digits(s.substr(point + 1)));
}

// "@S" in either case, without making an upper-case copy for every cell.
bool keeps_raw_value(std::string_view picture) {
  for (std::size_t i = 0; i + 1 < picture.size(); ++i) {
    if (picture[i] == '@' && (picture[i + 1] == 'S' || picture[i + 1] == 's')) return true;
  }
  return false;
}

// The places of a number picture: the digits after its "`" or "." ("@n-14`2" gives 2).
int picture_places(std::string_view picture) {
  const std::size_t mark = picture.find_first_of("`.");
  if (mark == std::string_view::npos) return 0;
  int places = 0;
  for (std::size_t i = mark + 1; i < picture.size() && std::isdigit(static_cast<unsigned char>(picture[i]));
       ++i) {
    places = places * 10 + (picture[i] - '0');
  }
  return std::min(places, 10);
}

CellValue number_value(const runtime::Decimal& value, int places, std::string_view raw) {
  const runtime::Decimal shown = value.with_places(places);
  if (!shown.ok()) return {CellValue::Kind::text, std::string(raw), 0, 0};
  return {CellValue::Kind::number, shown.to_text(','), shown.to_double(), places};
}

}  // namespace

std::vector<ExportColumn> export_columns(const dane::BrowseWindow& browse) {
  std::vector<ExportColumn> out;
  const std::vector<dane::Column>& columns = browse.columns();
  for (const dane::ColumnView& view : browse.shown_columns()) {
    const dane::Column& c = columns.at(view.column);
    if (runtime::trim(c.header).empty()) continue;
    out.push_back({c.header, view.picture, view.column, view.width, c.numeric});
  }
  return out;
}

CellValue cell_value(const ExportColumn& column, std::string_view cell, std::size_t row_number) {
  if (runtime::trim(column.header) == "Lp") {
    return {CellValue::Kind::number, std::to_string(row_number), static_cast<double>(row_number), 0};
  }
  const std::string_view raw = runtime::trim(cell);
  if (plain_number(raw)) {
    const runtime::Decimal value = runtime::Decimal::parse(raw.front() == '+' ? raw.substr(1) : raw);
    const runtime::PictureKind kind = runtime::picture_kind(column.picture);
    if (!value.ok()) return {CellValue::Kind::text, std::string(cell), 0, 0};
    if (kind == runtime::PictureKind::date) {
      const runtime::Decimal day = value.with_places(0);
      if (day.to_double() <= 0) return {};
      const auto d = static_cast<runtime::DayNumber>(day.to_double());
      return {CellValue::Kind::date, runtime::short_date_text(d), day.to_double(), 0};
    }
    if (kind == runtime::PictureKind::time) {
      return {CellValue::Kind::text,
              std::string(runtime::trim(runtime::format_picture(column.picture, value))), 0, 0};
    }
    if (kind == runtime::PictureKind::text || keeps_raw_value(column.picture)) {
      return {CellValue::Kind::text, std::string(raw), 0, 0};
    }
    if (kind == runtime::PictureKind::number || column.numeric) {
      return number_value(value, picture_places(column.picture), raw);
    }
    return number_value(value, 0, raw);
  }
  // "1234,50" and "+1234,50" are amounts typed as text: numbers with a decimal comma of 2 or 4 places.
  const std::size_t comma = cell.find(',');
  if (comma != std::string_view::npos) {
    const std::size_t after = cell.size() - comma - 1;
    if (after == 2 || after == 4) {
      std::string text(cell);
      const std::size_t plus = text.find('+');
      if (plus != std::string::npos) text.erase(plus, 1);
      const std::size_t c = text.find(',');
      std::string_view before = std::string_view(text).substr(0, c);
      const std::string_view decimals = std::string_view(text).substr(c + 1);
      const bool negative = !before.empty() && before.front() == '-';
      if (negative) before.remove_prefix(1);
      if (all_digits(before) && all_digits(decimals)) {
        const runtime::Decimal value = runtime::Decimal::parse((negative ? "-" : "") + std::string(before) +
                                                               "." + std::string(decimals));
        if (value.ok()) return number_value(value, static_cast<int>(after), text);
      }
      return {CellValue::Kind::text, text, 0, 0};
    }
  }
  return {CellValue::Kind::text, std::string(cell), 0, 0};
}

std::string csv_text(const CellValue& value) {
  const std::string_view t = value.text;
  const bool formula_like =
      !t.empty() && (t.front() == '=' || t.front() == '+' || t.front() == '-' || t.front() == '@');
  // A spreadsheet opening the file would run such a text as a formula; the apostrophe keeps it a text.
  if (value.kind == CellValue::Kind::text && formula_like) return "'" + value.text;
  return value.text;
}

std::string csv_line(const std::vector<std::string>& values, char separator) {
  std::string line;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i > 0) line += separator;
    line += '"';
    for (char c : values[i]) line += c == '"' ? '`' : c;
    line += '"';
  }
  return std::string(runtime::cut_to_width(line, kMaxLineCharacters));
}

FileType type_of_name(std::string& name) {
  const std::string tail =
      runtime::to_lower(name.size() >= 4 ? std::string_view(name).substr(name.size() - 4) : name);
  if (tail == ".xls") return FileType::xls;
  if (tail == "xlsx") return FileType::xlsx;
  if (tail != ".csv") name += ".csv";
  return FileType::csv;
}

std::string filter_for(std::string_view preferred_type) {
  const std::string type = runtime::to_upper(runtime::trim(preferred_type));
  if (type == "XLS") return "XLS|*.xls|XLSX|*.xlsx|CSV|*.csv";
  if (type == "XLSX") return "XLSX|*.xlsx|XLS|*.xls|CSV|*.csv";
  return "CSV|*.csv|XLS|*.xls|XLSX|*.xlsx";
}

std::string proposed_name(std::string_view title, std::int32_t day) {
  const std::string name = WALIDUJNAZWEPLIKU(std::string(runtime::trim(title)) + "_" +
                                             runtime::format_picture("@d12", static_cast<double>(day)));
  return std::string(runtime::cut_to_width(name, 127));
}

}  // namespace keldox::spreadsheet
