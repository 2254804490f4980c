// One workbook per handle; libxlsxwriter's formats are made once per combination and kept by the book.
#include "spreadsheet.h"

#include <xlsxwriter.h>

#include <charconv>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

namespace zorva_util::spreadsheet {
namespace {

constexpr std::size_t kMaxCellCharacters = 32767;
constexpr unsigned kNoColour = 0xFFFFFFFF;

struct ColumnFormat {
  char kind = 'T';
  int places = 0;
};

struct Colours {
  unsigned font = kNoColour;
  unsigned background = kNoColour;
};

struct Book {
  lxw_workbook* workbook = nullptr;
  lxw_worksheet* sheet = nullptr;
  std::vector<ColumnFormat> columns;
  std::vector<lxw_format*> column_formats;  // per column; null: the default
  lxw_format* header = nullptr;
  // (column, bold, font, background) -> format, for cells that carry colours.
  std::map<std::tuple<std::size_t, bool, unsigned, unsigned>, lxw_format*> coloured;
  std::map<std::pair<std::uint32_t, std::uint16_t>, Colours> pending;

  ~Book() {
    // A workbook never closed (an abandoned export) still releases its memory and temporary files.
    if (workbook != nullptr) {
      lxw_workbook_free(workbook);
    }
  }
};

std::mutex mutex;
std::unordered_map<int, std::unique_ptr<Book>> books;
int last_handle = 0;

std::string failure(std::string_view reason) {
  return "-1" + std::string(reason);
}

template <class T>
bool read_number(std::string_view text, T& out) {
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, out);
  return ec == std::errc{} && ptr == end;
}

Book* find(std::string_view handle) {
  int id = 0;
  if (!read_number(handle, id)) return nullptr;
  auto it = books.find(id);
  return it == books.end() ? nullptr : it->second.get();
}

bool read_cell(std::string_view cell, std::uint32_t& row, std::uint16_t& column) {
  const std::size_t comma = cell.find(',');
  if (comma == std::string_view::npos) return false;
  return read_number(cell.substr(0, comma), row) && read_number(cell.substr(comma + 1), column) &&
         row < LXW_ROW_MAX && column < LXW_COL_MAX;
}

// The open sheet of the book and the cell an entry point names; the failure text when either is wrong.
struct SheetCell {
  Book* book = nullptr;
  std::uint32_t row = 0;
  std::uint16_t column = 0;
};
std::optional<std::string> locate(std::string_view handle, std::string_view cell, SheetCell& out) {
  out.book = find(handle);
  if (out.book == nullptr || out.book->sheet == nullptr) return failure("no such sheet");
  if (!read_cell(cell, out.row, out.column)) return failure("bad cell");
  return std::nullopt;
}

std::optional<unsigned> read_colour(std::string_view text) {
  unsigned value = 0;
  if (text.size() != 6) return std::nullopt;
  auto [ptr, ec] = std::from_chars(text.data(), text.data() + 6, value, 16);
  if (ec != std::errc{} || ptr != text.data() + 6) return std::nullopt;
  return value;
}

// libxlsxwriter reads 0 as "no colour": black has its own code.
lxw_color_t library_colour(unsigned rgb) {
  return rgb == 0 ? static_cast<lxw_color_t>(LXW_COLOR_BLACK) : rgb;
}

std::string number_format(const ColumnFormat& c) {
  if (c.kind == 'D') return "dd.mm.yyyy";
  std::string f = "0";
  if (c.places > 0) f += "." + std::string(static_cast<std::size_t>(c.places), '0');
  return f;
}

void describe(lxw_format* f, const ColumnFormat& c) {
  if (c.kind == 'N' || c.kind == 'D') format_set_num_format(f, number_format(c).c_str());
}

lxw_format* cell_format(Book& b, std::uint32_t row, std::uint16_t column) {
  const bool header = row == 0;
  lxw_format* plain =
      header ? b.header : (column < b.column_formats.size() ? b.column_formats[column] : nullptr);
  if (b.pending.empty()) return plain;
  auto it = b.pending.find({row, column});
  if (it == b.pending.end()) return plain;
  const Colours colours = it->second;
  b.pending.erase(it);
  auto key = std::make_tuple(std::size_t{column}, header, colours.font, colours.background);
  auto found = b.coloured.find(key);
  if (found != b.coloured.end()) return found->second;
  lxw_format* f = workbook_add_format(b.workbook);
  if (header) {
    format_set_bold(f);
  } else if (column < b.columns.size()) {
    describe(f, b.columns[column]);
  }
  if (colours.font != kNoColour) format_set_font_color(f, library_colour(colours.font));
  if (colours.background != kNoColour) {
    format_set_pattern(f, LXW_PATTERN_SOLID);
    format_set_bg_color(f, library_colour(colours.background));
  }
  b.coloured.emplace(key, f);
  return f;
}

// At most `limit` characters, never splitting a UTF-8 sequence.
std::string_view cut_characters(std::string_view text, std::size_t limit) {
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
      if (characters == limit) return text.substr(0, i);
      ++characters;
    }
  }
  return text;
}

std::string set_colour(std::string_view handle, std::string_view cell, std::string_view colour,
                       bool background) {
  std::lock_guard lock(mutex);
  SheetCell at;
  if (auto failed = locate(handle, cell, at)) return *failed;
  const std::optional<unsigned> rgb = read_colour(colour);
  if (!rgb) return failure("bad colour");
  Colours& c = at.book->pending[{at.row, at.column}];
  (background ? c.background : c.font) = *rgb;
  return "1";
}

}  // namespace

std::string create_workbook(std::string_view path) {
  lxw_workbook_options options{};
  options.constant_memory = LXW_TRUE;
  options.use_zip64 = LXW_TRUE;
  const std::string p(path);
  lxw_workbook* wb = workbook_new_opt(p.c_str(), &options);
  if (wb == nullptr) return failure("cannot create the workbook");
  std::lock_guard lock(mutex);
  auto book = std::make_unique<Book>();
  book->workbook = wb;
  book->header = workbook_add_format(wb);
  format_set_bold(book->header);
  const int id = ++last_handle;
  books.emplace(id, std::move(book));
  return std::to_string(id);
}

std::string create_sheet(std::string_view handle, std::string_view name, std::string_view columns) {
  std::lock_guard lock(mutex);
  Book* b = find(handle);
  if (b == nullptr) return failure("no such workbook");
  if (b->sheet != nullptr) return failure("the workbook has its sheet");
  // The description is read whole first: a bad one leaves the workbook without a sheet, as it was.
  std::vector<std::pair<double, ColumnFormat>> parsed;
  std::size_t start = 0;
  while (!columns.empty() && start <= columns.size()) {
    std::size_t end = columns.find('|', start);
    if (end == std::string_view::npos) end = columns.size();
    const std::string_view item = columns.substr(start, end - start);
    const std::size_t s1 = item.find(';');
    const std::size_t s2 = s1 == std::string_view::npos ? s1 : item.find(';', s1 + 1);
    double width = 0;
    ColumnFormat c;
    if (s2 == std::string_view::npos || !read_number(item.substr(0, s1), width) || s2 != s1 + 2 ||
        !read_number(item.substr(s2 + 1), c.places) || c.places < 0 || c.places > 10) {
      return failure("bad column description");
    }
    c.kind = item[s1 + 1];
    if (c.kind != 'T' && c.kind != 'N' && c.kind != 'D') return failure("bad column kind");
    if (parsed.size() == LXW_COL_MAX) return failure("too many columns");
    parsed.emplace_back(width, c);
    start = end + 1;
  }
  const std::string n(name);
  b->sheet = workbook_add_worksheet(b->workbook, n.empty() ? nullptr : n.c_str());
  if (b->sheet == nullptr) return failure("bad sheet name");
  lxw_col_t index = 0;
  for (const auto& [width, c] : parsed) {
    lxw_format* f = nullptr;
    if (c.kind == 'N' || c.kind == 'D') {
      f = workbook_add_format(b->workbook);
      describe(f, c);
    }
    b->columns.push_back(c);
    b->column_formats.push_back(f);
    worksheet_set_column(b->sheet, index, index, width > 0 ? width : LXW_DEF_COL_WIDTH, f);
    ++index;
  }
  worksheet_freeze_panes(b->sheet, 1, 0);
  return "1";
}

std::string write_text(std::string_view handle, std::string_view cell, std::string_view text) {
  std::lock_guard lock(mutex);
  SheetCell at;
  if (auto failed = locate(handle, cell, at)) return *failed;
  const std::string value(cut_characters(text, kMaxCellCharacters));
  const lxw_error e = worksheet_write_string(at.book->sheet, at.row, at.column, value.c_str(),
                                             cell_format(*at.book, at.row, at.column));
  return e == LXW_NO_ERROR ? std::string("1") : failure(lxw_strerror(e));
}

std::string write_number(std::string_view handle, std::string_view cell, std::string_view number) {
  std::lock_guard lock(mutex);
  SheetCell at;
  if (auto failed = locate(handle, cell, at)) return *failed;
  double value = 0;
  if (!read_number(number, value)) return failure("bad number");
  const lxw_error e = worksheet_write_number(at.book->sheet, at.row, at.column, value,
                                             cell_format(*at.book, at.row, at.column));
  return e == LXW_NO_ERROR ? std::string("1") : failure(lxw_strerror(e));
}

std::string set_font_colour(std::string_view handle, std::string_view cell, std::string_view colour) {
  return set_colour(handle, cell, colour, false);
}

std::string set_background_colour(std::string_view handle, std::string_view cell, std::string_view colour) {
  return set_colour(handle, cell, colour, true);
}

std::string close_workbook(std::string_view handle) {
  std::unique_ptr<Book> book;
  {
    std::lock_guard lock(mutex);
    int id = 0;
    if (!read_number(handle, id)) return failure("no such workbook");
    auto it = books.find(id);
    if (it == books.end()) return failure("no such workbook");
    book = std::move(it->second);
    books.erase(it);
  }
  const lxw_error e = workbook_close(book->workbook);  // frees the workbook in every case
  book->workbook = nullptr;
  return e == LXW_NO_ERROR ? std::string("1") : failure(lxw_strerror(e));
}

}  // namespace zorva_util::spreadsheet
