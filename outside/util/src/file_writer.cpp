// Whole-file writes through a temporary file and a rename.
#include "file_writer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace zorva_util {
namespace {

std::string failure(std::string_view what, int error) {
  return "-1" + std::string(what) + ": " + std::strerror(error);
}

}  // namespace

std::string write_text_file(const std::string& path, std::string_view text) {
  if (path.empty()) return "-1Nie podano ścieżki pliku";
  const std::string temporary = path + ".tmp";
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (file == nullptr) return failure(path, errno);
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  const int write_error = errno;
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) {
    std::remove(temporary.c_str());
    return failure(path, written ? errno : write_error);
  }
  std::error_code error;
  std::filesystem::rename(temporary, path, error);
  if (error) {
    std::remove(temporary.c_str());
    return "-1" + path + ": " + error.message();
  }
  return "1";
}

}  // namespace zorva_util
