// Writing an export aside and renaming it into place; the CSV writer.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "files/export_writers.h"
#include "runtime/code_page.h"

namespace keldox::spreadsheet {
namespace {

class CsvWriter final : public SheetWriter {
 public:
  CsvWriter(const std::string& path, char separator) : path_(path), separator_(separator) {}
  ~CsvWriter() override {
    if (file_ != nullptr) std::fclose(file_);
  }

  bool begin(const std::vector<ExportColumn>& columns) override {
    columns_ = &columns;
    file_ = std::fopen(path_.c_str(), "wb");
    if (file_ == nullptr) return fail();
    std::vector<std::string> headers;
    for (const ExportColumn& c : columns)
      headers.push_back(csv_text({CellValue::Kind::text, c.header, 0, 0}));
    return put(csv_line(headers, separator_));
  }

  bool row(const dane::Row& row, std::size_t number) override {
    values_.clear();
    for (const ExportColumn& c : *columns_)
      values_.push_back(csv_text(cell_value(c, field_of(row, c.field), number)));
    return put(csv_line(values_, separator_));
  }

  bool finish() override {
    std::FILE* f = file_;
    file_ = nullptr;
    if (std::fflush(f) != 0 || std::ferror(f) != 0) {
      const int e = errno;
      std::fclose(f);
      errno = e;
      return fail();
    }
    if (std::fclose(f) != 0) return fail();
    return true;
  }

 private:
  bool put(const std::string& line) {
    encoded_ = runtime::encode_code_page(line, runtime::CodePage::windows_1250);
    encoded_ += "\r\n";
    if (std::fwrite(encoded_.data(), 1, encoded_.size(), file_) != encoded_.size()) return fail();
    return true;
  }
  bool fail() {
    error_ = std::strerror(errno);
    return false;
  }

  std::string path_;
  char separator_;
  std::FILE* file_ = nullptr;
  const std::vector<ExportColumn>* columns_ = nullptr;
  std::vector<std::string> values_;
  std::string encoded_;
};

// A unique name beside the target, in the same folder so that the final rename never crosses filesystems.
std::string aside_name(const std::filesystem::path& target, std::string& error) {
  std::filesystem::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
  const int fd = mkstemp(pattern.data());
  if (fd < 0) {
    error = std::strerror(errno);
    return {};
  }
  close(fd);
  return pattern;
}

}  // namespace

std::unique_ptr<SheetWriter> csv_writer(const std::string& path, char separator) {
  return std::make_unique<CsvWriter>(path, separator);
}

WriteOutcome write_file(const std::string& path, FileType type, const std::vector<ExportColumn>& columns,
                        const RowFeed& rows, char separator, const ColourOf* colours,
                        const std::function<void(std::size_t)>& progress) {
  WriteOutcome out;
  const auto failed = [&](const std::string& reason) {
    out.ok = false;
    out.message = "Nie można zapisać pliku " + path + ". Powód: " + reason;
    return out;
  };
  std::string error;
  const std::string aside = aside_name(path, error);
  if (aside.empty()) return failed(error);
  std::unique_ptr<SheetWriter> writer = type == FileType::csv   ? csv_writer(aside, separator)
                                        : type == FileType::xls ? xls_writer(aside)
                                                                : xlsx_writer(aside, colours);
  bool ok = writer->begin(columns);
  std::vector<dane::Row> batch;
  std::string read_failure;
  while (ok && rows(batch, read_failure)) {
    for (const dane::Row& r : batch) {
      if (!(ok = writer->row(r, ++out.rows))) break;
    }
    if (progress) progress(out.rows);
  }
  if (ok && !read_failure.empty()) {
    writer.reset();
    std::remove(aside.c_str());
    return failed(read_failure);
  }
  ok = ok && writer->finish();
  if (!ok) {
    const std::string reason = writer->error();
    writer.reset();
    std::remove(aside.c_str());
    return failed(reason);
  }
  writer.reset();
  if (std::rename(aside.c_str(), path.c_str()) != 0) {
    const std::string reason = std::strerror(errno);
    std::remove(aside.c_str());
    return failed(reason);
  }
  // mkstemp makes the file for its owner alone; an export is an ordinary file.
  const mode_t mask = umask(0);
  umask(mask);
  chmod(path.c_str(), 0666 & ~mask);
  out.ok = true;
  return out;
}

}  // namespace keldox::spreadsheet
