// The XLS writer: a BIFF8 workbook stream in a compound file of our own making.
//
// The stream holds the globals (BOF, CODEPAGE 1200, fonts, number formats, cell formats, one BOUNDSHEET per
// sheet, EOF) and then each sheet (BOF, DIMENSIONS, COLINFO, WINDOW2 and PANE freezing the header, LABEL and
// NUMBER cells, EOF). Texts are LABEL records in UTF-16 (Polish letters survive without a code page), cut
// to the 255 characters a LABEL holds. A sheet takes 65,535 rows under its header; the next rows continue
// on another sheet with the header repeated. The stream is built in memory and laid into 512-byte sectors
// with a FAT (and DIFAT sectors past 109 FAT sectors) and a one-sector directory.
#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <memory>

#include "files/export_writers.h"
#include "runtime/text.h"

namespace keldox::spreadsheet {
namespace {

constexpr std::size_t kRowsPerSheet = 65535;
constexpr std::size_t kMaxColumns = 256;
constexpr std::size_t kMaxLabel = 255;

// Cell formats (XF indexes): 15 style formats come first, as readers expect.
constexpr std::uint16_t kXfGeneral = 15;
constexpr std::uint16_t kXfHeader = 16;
constexpr std::uint16_t kXfDate = 17;
constexpr std::uint16_t kXfNumber0 = 18;  // + places (0..4)
constexpr int kMaxXfPlaces = 4;

void put16(std::string& out, std::uint32_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>((v >> 8) & 0xFF);
}
void put32(std::string& out, std::uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}
void put_double(std::string& out, double d) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &d, sizeof bits);
  put32(out, static_cast<std::uint32_t>(bits));
  put32(out, static_cast<std::uint32_t>(bits >> 32));
}
void record(std::string& out, std::uint16_t type, const std::string& body) {
  put16(out, type);
  put16(out, static_cast<std::uint32_t>(body.size()));
  out += body;
}

// UTF-16LE of a UTF-8 text, at most `limit` code units (a surrogate pair is never split).
std::u16string utf16(std::string_view text, std::size_t limit) {
  std::u16string out;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    char32_t cp = 0xFFFD;
    std::size_t n = 1;
    if (c < 0x80) {
      cp = c;
    } else if ((c >> 5) == 6 && i + 1 < text.size()) {
      cp = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(text[i + 1]) & 0x3Fu);
      n = 2;
    } else if ((c >> 4) == 14 && i + 2 < text.size()) {
      cp = ((c & 0x0Fu) << 12) | ((static_cast<unsigned char>(text[i + 1]) & 0x3Fu) << 6) |
           (static_cast<unsigned char>(text[i + 2]) & 0x3Fu);
      n = 3;
    } else if ((c >> 3) == 30 && i + 3 < text.size()) {
      cp = ((c & 0x07u) << 18) | ((static_cast<unsigned char>(text[i + 1]) & 0x3Fu) << 12) |
           ((static_cast<unsigned char>(text[i + 2]) & 0x3Fu) << 6) |
           (static_cast<unsigned char>(text[i + 3]) & 0x3Fu);
      n = 4;
    }
    if (cp >= 0x10000) {
      if (out.size() + 2 > limit) break;
      cp -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (cp >> 10));
      out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      if (out.size() + 1 > limit) break;
      out += static_cast<char16_t>(cp);
    }
    i += n;
  }
  return out;
}

// XLUnicodeString (16-bit length) or ShortXLUnicodeString (8-bit length), always uncompressed.
void put_string(std::string& out, const std::u16string& s, bool short_length) {
  if (short_length) {
    out += static_cast<char>(s.size());
  } else {
    put16(out, static_cast<std::uint32_t>(s.size()));
  }
  out += static_cast<char>(1);
  for (char16_t c : s) put16(out, c);
}

std::string bof(std::uint16_t kind) {
  std::string b;
  put16(b, 0x0600);
  put16(b, kind);
  put16(b, 0x0DBB);
  put16(b, 0x07CC);
  put32(b, 0);
  put32(b, 0x06);
  return b;
}

std::string font(bool bold) {
  std::string f;
  put16(f, 200);  // height in twips
  put16(f, 0);    // attributes
  put16(f, 0x7FFF);
  put16(f, bold ? 700 : 400);
  put16(f, 0);                  // escapement
  f += '\0';                    // underline
  f += '\0';                    // family
  f += static_cast<char>(238);  // character set: Central European
  f += '\0';
  put_string(f, u"Arial", true);
  return f;
}

std::string xf(std::uint16_t font_index, std::uint16_t format, bool style) {
  std::string x;
  put16(x, font_index);
  put16(x, format);
  put16(x, style ? 0xFFF5 : 0x0001);  // style: locked, style XF; cell: locked, parent 0
  put16(x, 0x0020);                   // general alignment, bottom
  put16(x, 0);
  put32(x, 0);
  put32(x, 0);
  put16(x, 0x20C0);
  return x;
}

std::string number_format(std::uint16_t id, std::string_view text) {
  std::string f;
  put16(f, id);
  put_string(f, utf16(text, 255), false);
  return f;
}

struct Sheet {
  std::string cells;
  std::size_t rows = 0;  // the header included
};

class XlsWriter final : public SheetWriter {
 public:
  explicit XlsWriter(std::string path) : path_(std::move(path)) {}

  bool begin(const std::vector<ExportColumn>& columns) override {
    if (columns.size() > kMaxColumns) {
      error_ = "XLS mieści najwyżej 256 kolumn";
      return false;
    }
    columns_ = &columns;
    new_sheet();
    return true;
  }

  bool row(const dane::Row& row, std::size_t number) override {
    if (sheets_.back().rows > kRowsPerSheet) new_sheet();
    Sheet& s = sheets_.back();
    const auto r = static_cast<std::uint16_t>(s.rows);
    for (std::size_t i = 0; i < columns_->size(); ++i) {
      const ExportColumn& c = (*columns_)[i];
      const CellValue v = cell_value(c, field_of(row, c.field), number);
      switch (v.kind) {
        case CellValue::Kind::number:
          put_number(s.cells, r, i, number_xf(v.places), v.number);
          break;
        case CellValue::Kind::date:
          put_number(s.cells, r, i, kXfDate, spreadsheet_serial(v.number));
          break;
        case CellValue::Kind::text:
          if (!v.text.empty()) put_label(s.cells, r, i, kXfGeneral, v.text);
          break;
      }
    }
    ++s.rows;
    return true;
  }

  bool finish() override {
    const std::string stream = workbook_stream();
    std::ofstream file(path_, std::ios::binary | std::ios::trunc);
    if (!file) return fail();
    write_compound_file(file, stream);
    file.flush();
    if (!file) return fail();
    file.close();
    if (!file) return fail();
    return true;
  }

 private:
  bool fail() {
    error_ = std::strerror(errno);
    return false;
  }

  static std::uint16_t number_xf(int places) {
    return static_cast<std::uint16_t>(kXfNumber0 + std::clamp(places, 0, kMaxXfPlaces));
  }

  void new_sheet() {
    sheets_.emplace_back();
    Sheet& s = sheets_.back();
    for (std::size_t i = 0; i < columns_->size(); ++i)
      put_label(s.cells, 0, i, kXfHeader, (*columns_)[i].header);
    s.rows = 1;
  }

  static void put_label(std::string& out, std::uint16_t row, std::size_t column, std::uint16_t format,
                        std::string_view text) {
    std::string b;
    put16(b, row);
    put16(b, static_cast<std::uint32_t>(column));
    put16(b, format);
    put_string(b, utf16(text, kMaxLabel), false);
    record(out, 0x0204, b);
  }

  static void put_number(std::string& out, std::uint16_t row, std::size_t column, std::uint16_t format,
                         double value) {
    std::string b;
    put16(b, row);
    put16(b, static_cast<std::uint32_t>(column));
    put16(b, format);
    put_double(b, value);
    record(out, 0x0203, b);
  }

  std::string sheet_stream(const Sheet& s) const {
    std::string out;
    record(out, 0x0809, bof(0x0010));
    std::string dim;
    put32(dim, 0);
    put32(dim, static_cast<std::uint32_t>(s.rows));
    put16(dim, 0);
    put16(dim, static_cast<std::uint32_t>(columns_->size()));
    put16(dim, 0);
    record(out, 0x0200, dim);
    for (std::size_t i = 0; i < columns_->size(); ++i) {
      const int width = (*columns_)[i].width;
      if (width <= 0) continue;
      std::string col;
      put16(col, static_cast<std::uint32_t>(i));
      put16(col, static_cast<std::uint32_t>(i));
      put16(col, static_cast<std::uint32_t>(std::min(width, 255) * 256));
      put16(col, kXfGeneral);
      put16(col, 0);
      put16(col, 0);
      record(out, 0x007D, col);
    }
    out += s.cells;
    std::string window;
    put16(window, 0x06B6 | 0x0008 | 0x0100);  // the usual view, frozen without a split line
    put16(window, 0);
    put16(window, 0);
    put32(window, 64);
    put16(window, 0);
    put16(window, 0);
    put32(window, 0);
    record(out, 0x023E, window);
    std::string pane;
    put16(pane, 0);
    put16(pane, 1);
    put16(pane, 1);
    put16(pane, 0);
    pane += static_cast<char>(2);
    pane += '\0';
    record(out, 0x0041, pane);
    record(out, 0x000A, {});
    return out;
  }

  std::string workbook_stream() const {
    std::string globals;
    record(globals, 0x0809, bof(0x0005));
    std::string codepage;
    put16(codepage, 1200);
    record(globals, 0x0042, codepage);
    for (int i = 0; i < 4; ++i) record(globals, 0x0031, font(false));
    record(globals, 0x0031, font(true));  // index 5: index 4 is never used
    record(globals, 0x041E, number_format(164, "dd.mm.yyyy"));
    record(globals, 0x041E, number_format(165, "0.0"));
    record(globals, 0x041E, number_format(166, "0.000"));
    record(globals, 0x041E, number_format(167, "0.0000"));
    for (int i = 0; i < 15; ++i) record(globals, 0x00E0, xf(0, 0, true));
    record(globals, 0x00E0, xf(0, 0, false));    // 15 general
    record(globals, 0x00E0, xf(5, 0, false));    // 16 header, bold
    record(globals, 0x00E0, xf(0, 164, false));  // 17 date
    record(globals, 0x00E0, xf(0, 1, false));    // 18 "0"
    record(globals, 0x00E0, xf(0, 165, false));  // 19 "0.0"
    record(globals, 0x00E0, xf(0, 2, false));    // 20 "0.00"
    record(globals, 0x00E0, xf(0, 166, false));  // 21 "0.000"
    record(globals, 0x00E0, xf(0, 167, false));  // 22 "0.0000"
    std::string style;
    put16(style, 0x8000);
    style += '\0';
    style += static_cast<char>(0xFF);
    record(globals, 0x0293, style);

    std::vector<std::string> sheets;
    std::vector<std::u16string> names;
    std::size_t boundsheets = 0;
    for (std::size_t i = 0; i < sheets_.size(); ++i) {
      sheets.push_back(sheet_stream(sheets_[i]));
      names.push_back(utf16("Arkusz" + std::to_string(i + 1), 31));
      boundsheets += 4 + 4 + 2 + 2 + names.back().size() * 2;
    }
    std::size_t offset = globals.size() + boundsheets + 4;  // + the globals' EOF
    for (std::size_t i = 0; i < sheets.size(); ++i) {
      std::string b;
      put32(b, static_cast<std::uint32_t>(offset));
      put16(b, 0);
      put_string(b, names[i], true);
      record(globals, 0x0085, b);
      offset += sheets[i].size();
    }
    record(globals, 0x000A, {});
    for (const std::string& s : sheets) globals += s;
    // A stream under 4096 bytes would belong in the mini stream; padding after the last EOF keeps it in
    // ordinary sectors, and readers stop at that EOF.
    if (globals.size() < 4096) globals.resize(4096, '\0');
    return globals;
  }

  static void write_compound_file(std::ofstream& file, const std::string& stream) {
    constexpr std::uint32_t kFree = 0xFFFFFFFF, kEnd = 0xFFFFFFFE, kFatSector = 0xFFFFFFFD,
                            kDifSector = 0xFFFFFFFC;
    const std::size_t data = (stream.size() + 511) / 512;
    std::size_t fat = 1, difat = 0;
    for (;;) {
      const std::size_t total = data + 1 + fat + difat;
      const std::size_t need_fat = (total + 127) / 128;
      const std::size_t need_difat = need_fat > 109 ? (need_fat - 109 + 126) / 127 : 0;
      if (need_fat == fat && need_difat == difat) break;
      fat = need_fat;
      difat = need_difat;
    }
    const std::size_t dir_sector = data;
    const std::size_t first_fat = data + 1;
    const std::size_t first_difat = first_fat + fat;

    std::vector<std::uint32_t> table(fat * 128, kFree);
    for (std::size_t i = 0; i < data; ++i)
      table[i] = i + 1 == data ? kEnd : static_cast<std::uint32_t>(i + 1);
    table[dir_sector] = kEnd;
    for (std::size_t i = 0; i < fat; ++i) table[first_fat + i] = kFatSector;
    for (std::size_t i = 0; i < difat; ++i) table[first_difat + i] = kDifSector;

    std::string header;
    header += std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    header.append(16, '\0');
    put16(header, 0x003E);
    put16(header, 0x0003);
    put16(header, 0xFFFE);
    put16(header, 9);
    put16(header, 6);
    header.append(6, '\0');
    put32(header, 0);  // directory sectors: none counted in version 3
    put32(header, static_cast<std::uint32_t>(fat));
    put32(header, static_cast<std::uint32_t>(dir_sector));
    put32(header, 0);
    put32(header, 4096);
    put32(header, kEnd);
    put32(header, 0);
    put32(header, difat > 0 ? static_cast<std::uint32_t>(first_difat) : kEnd);
    put32(header, static_cast<std::uint32_t>(difat));
    for (std::size_t i = 0; i < 109; ++i)
      put32(header, i < fat ? static_cast<std::uint32_t>(first_fat + i) : kFree);
    file.write(header.data(), static_cast<std::streamsize>(header.size()));

    file.write(stream.data(), static_cast<std::streamsize>(stream.size()));
    const std::size_t pad = data * 512 - stream.size();
    const std::string zeros(pad, '\0');
    file.write(zeros.data(), static_cast<std::streamsize>(pad));

    std::string dir;
    const auto entry = [&dir](std::u16string_view name, std::uint8_t type, std::uint32_t child,
                              std::uint32_t start, std::uint32_t size) {
      std::string e;
      for (char16_t c : name) put16(e, c);
      e.resize(64, '\0');
      put16(e, name.empty() ? 0 : static_cast<std::uint32_t>((name.size() + 1) * 2));
      e += static_cast<char>(type);
      e += static_cast<char>(type == 0 ? 0 : 1);  // black
      put32(e, kFree);
      put32(e, kFree);
      put32(e, child);
      e.append(16 + 4 + 16, '\0');
      put32(e, start);
      put32(e, size);
      put32(e, 0);
      dir += e;
    };
    entry(u"Root Entry", 5, 1, kEnd, 0);
    entry(u"Workbook", 2, kFree, 0, static_cast<std::uint32_t>(stream.size()));
    entry(u"", 0, kFree, 0, 0);
    entry(u"", 0, kFree, 0, 0);
    file.write(dir.data(), static_cast<std::streamsize>(dir.size()));

    std::string fat_bytes;
    for (std::uint32_t v : table) put32(fat_bytes, v);
    file.write(fat_bytes.data(), static_cast<std::streamsize>(fat_bytes.size()));

    std::string difat_bytes;
    for (std::size_t d = 0; d < difat; ++d) {
      for (std::size_t k = 0; k < 127; ++k) {
        const std::size_t i = 109 + d * 127 + k;
        put32(difat_bytes, i < fat ? static_cast<std::uint32_t>(first_fat + i) : kFree);
      }
      put32(difat_bytes, d + 1 < difat ? static_cast<std::uint32_t>(first_difat + d + 1) : kEnd);
    }
    file.write(difat_bytes.data(), static_cast<std::streamsize>(difat_bytes.size()));
  }

  std::string path_;
  const std::vector<ExportColumn>* columns_ = nullptr;
  std::vector<Sheet> sheets_;
};

}  // namespace

std::unique_ptr<SheetWriter> xls_writer(const std::string& path) {
  return std::make_unique<XlsWriter>(path);
}

}  // namespace keldox::spreadsheet
