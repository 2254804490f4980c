// The XLSX writer: the utility module's spreadsheet entry points, the module loaded once for the whole
// file (an export calls them for every cell) and unloaded at the end.
#include <dlfcn.h>

#include <charconv>
#include <cstdio>
#include <memory>

#include "files/export_writers.h"
#include "keldox/code_page.h"
#include "runtime/code_page.h"
#include "runtime/picture.h"
#include "runtime/text.h"
#include "sql/util_library.h"

namespace keldox::spreadsheet {
namespace {

using One = const char* (*)(const char*);
using Three = const char* (*)(const char*, const char*, const char*);

constexpr std::string_view kLoadFailure = "Wystąpił błąd podczas ładowania biblioteki ZORVAutilKS.dll";
constexpr std::string_view kNoCreate = "Wystąpił błąd podczas uruchamiania funkcji utworzenia pliku XLSX.";
constexpr std::string_view kNoSheet = "Wystąpił błąd podczas uruchamiania funkcji utworzenia arkusza XLSX.";
constexpr std::string_view kNoSave = "Wystąpił błąd podczas uruchamiania funkcji zapisu arkusza XLSX.";

std::string hex_colour(std::uint32_t rgb) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "%06X", rgb & 0xFFFFFF);
  return buffer;
}

class XlsxWriter final : public SheetWriter {
 public:
  XlsxWriter(std::string path, const ColourOf* colours) : path_(std::move(path)), colours_(colours) {}
  ~XlsxWriter() override {
    // An export that stopped half-way still closes its workbook (into the file that is then removed).
    if (!handle_.empty() && save_ != nullptr) save_(handle_.c_str());
    if (module_ != nullptr) dlclose(module_);
  }

  bool begin(const std::vector<ExportColumn>& columns) override {
    columns_ = &columns;
    module_ = dlopen(util_library::module_path().c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module_ == nullptr) return fail(kLoadFailure);
    const auto create = reinterpret_cast<One>(dlsym(module_, "UtworzPlikExcel"));
    if (create == nullptr) return fail(kNoCreate);
    const auto sheet = reinterpret_cast<Three>(dlsym(module_, "UtworzArkuszExcel"));
    text_ = reinterpret_cast<Three>(dlsym(module_, "ZapiszDaneDoKomorkiTekst"));
    number_ = reinterpret_cast<Three>(dlsym(module_, "ZapiszDaneDoKomorkiLiczba"));
    font_ = reinterpret_cast<Three>(dlsym(module_, "UstawKolorCzcionkiNaKomorce"));
    background_ = reinterpret_cast<Three>(dlsym(module_, "UstawKolorTlaNaKomorce"));
    save_ = reinterpret_cast<One>(dlsym(module_, "ZapiszArkuszExcel"));
    if (sheet == nullptr || text_ == nullptr || number_ == nullptr || font_ == nullptr ||
        background_ == nullptr) {
      return fail(kNoSheet);
    }
    if (save_ == nullptr) return fail(kNoSave);
    const std::string created = answer(create(to_1250(path_).c_str()));
    if (created.starts_with("-1") || created.empty()) return fail(created.empty() ? "" : created.substr(2));
    handle_ = created;
    std::string description;
    for (const ExportColumn& c : columns) {
      if (!description.empty()) description += '|';
      const runtime::PictureKind kind = runtime::picture_kind(c.picture);
      description += std::to_string(c.width > 0 ? c.width : 0);
      description += kind == runtime::PictureKind::date     ? ";D;0"
                     : kind == runtime::PictureKind::number ? ";N;"
                                                            : ";T;";
      if (kind == runtime::PictureKind::number) {
        description += std::to_string(cell_value(c, "0", 1).places);
      } else if (kind != runtime::PictureKind::date) {
        description += '0';
      }
    }
    if (!ok(sheet(handle_.c_str(), "Arkusz1", description.c_str()))) return false;
    for (std::size_t i = 0; i < columns.size(); ++i) {
      if (!ok(text_(handle_.c_str(), cell(0, i), to_1250(columns[i].header).c_str()))) return false;
    }
    return true;
  }

  bool row(const dane::Row& row, std::size_t number) override {
    for (std::size_t i = 0; i < columns_->size(); ++i) {
      const ExportColumn& c = (*columns_)[i];
      const CellValue v = cell_value(c, field_of(row, c.field), number);
      const char* at = cell(number, i);
      if (colours_ != nullptr && *colours_) {
        const CellColours colours = (*colours_)(row, c.field);
        if (colours.font && !ok(font_(handle_.c_str(), at, hex_colour(*colours.font).c_str()))) return false;
        if (colours.background &&
            !ok(background_(handle_.c_str(), at, hex_colour(*colours.background).c_str()))) {
          return false;
        }
      }
      switch (v.kind) {
        case CellValue::Kind::number:
        case CellValue::Kind::date: {
          const double value = v.kind == CellValue::Kind::date ? spreadsheet_serial(v.number) : v.number;
          const auto [end, ec] = std::to_chars(number_text_, number_text_ + sizeof number_text_ - 1, value);
          *end = '\0';
          if (!ok(number_(handle_.c_str(), at, number_text_))) return false;
          break;
        }
        case CellValue::Kind::text:
          if (!v.text.empty() && !ok(text_(handle_.c_str(), at, to_1250(v.text).c_str()))) return false;
          break;
      }
    }
    return true;
  }

  bool finish() override {
    const std::string saved = answer(save_(handle_.c_str()));
    handle_.clear();
    if (saved != "1") return fail(saved.size() > 2 ? saved.substr(2) : saved);
    return true;
  }

 private:
  bool fail(std::string_view reason) {
    error_ = std::string(reason);
    return false;
  }
  bool ok(const char* raw) {
    if (raw != nullptr && raw[0] == '1' && raw[1] == '\0') return true;
    const std::string a = answer(raw);
    return fail(a.size() > 2 ? a.substr(2) : a);
  }
  static std::string answer(const char* raw) {
    return raw == nullptr ? std::string{} : decode_code_page(raw, CodePage::windows_1250);
  }
  static std::string to_1250(std::string_view text) { return encode_code_page(text, CodePage::windows_1250); }
  const char* cell(std::size_t row, std::size_t column) {
    char* p = cell_text_;
    p = std::to_chars(p, cell_text_ + 20, row).ptr;
    *p++ = ',';
    p = std::to_chars(p, cell_text_ + 40, column).ptr;
    *p = '\0';
    return cell_text_;
  }

  std::string path_;
  const ColourOf* colours_;
  const std::vector<ExportColumn>* columns_ = nullptr;
  void* module_ = nullptr;
  std::string handle_;
  Three text_ = nullptr, number_ = nullptr, font_ = nullptr, background_ = nullptr;
  One save_ = nullptr;
  char cell_text_[48] = {};
  char number_text_[40] = {};
};

}  // namespace

std::unique_ptr<SheetWriter> xlsx_writer(const std::string& path, const ColourOf* colours) {
  return std::make_unique<XlsxWriter>(path, colours);
}

}  // namespace keldox::spreadsheet
