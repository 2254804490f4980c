// Whole files into and out of BLOB fields of record buffers, in blocks, with the codes of the file layer.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <string>

#include "dane/error_object.h"
#include "dane/file_descriptor.h"
#include "dane/library.h"
#include "keldox/config_parameters.h"
#include "keldox/files.h"
#include "keldox/messages.h"
#include "runtime/number_text.h"
#include "runtime/text.h"

namespace keldox {
namespace {

constexpr std::uint16_t kBlankName = 36;
constexpr std::uint16_t kRefusedBySize = 1;
constexpr std::uint16_t kFileSystemFailure = 90;
constexpr std::size_t kBlock = 32768;

// The file layer's codes for the system's errors; the system's text goes to the error object.
std::uint16_t file_error(int error, std::string_view file) {
  dane::error_object().report(error, std::string(std::strerror(error)) + ": " + std::string(file));
  switch (error) {
    case ENOENT:
      return 2;
    case ENOTDIR:
      return 3;
    case EMFILE:
    case ENFILE:
      return 4;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case EINVAL:
    case ENAMETOOLONG:
    case EILSEQ:
      return 5;
    default:
      return kFileSystemFailure;
  }
}

long long size_limit_kb() {
  return static_cast<long long>(
      runtime::leading_number(runtime::trim(POBIERZPARAMKONF("MaxRozZdjecArt", "s"))).value_or(0.0));
}

std::uint16_t refuse_by_size(long long size, long long limit) {
  const long long size_kb = std::llround(static_cast<double>(size) / 1000.0);
  MSG_OSTRZEZENIE("Wybrane zdjęcie posiada rozmiar " + std::to_string(size_kb) + " kB.|" +
                  "Maksymalny dopuszczalny rozmiar wynosi " + std::to_string(limit) + " kB.|" +
                  "Jeżeli chcesz zmienić maksymalny rozmiar wejdź w Konfiguracja firmy->Artykuły.");
  return kRefusedBySize;
}

std::uint16_t not_a_blob(std::string_view field) {
  dane::error_object().report(kFileSystemFailure, "Pole " + std::string(field) + " nie jest polem BLOB");
  return kFileSystemFailure;
}

}  // namespace

std::uint16_t PLIKTOBLOB(std::string_view file_name, dane::Table& record, std::string_view field,
                         std::uint8_t ignore_limit) {
  const std::string path(runtime::trim(file_name));
  if (path.empty()) return kBlankName;
  dane::FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.get() < 0) return file_error(errno, path);
  struct stat info {};
  if (::fstat(file.get(), &info) != 0) return file_error(errno, path);
  if (S_ISDIR(info.st_mode)) return file_error(EISDIR, path);
  const long long size = static_cast<long long>(info.st_size);
  if (ignore_limit != 1) {
    const long long limit = size_limit_kb();
    if (limit * 1000 < size) return refuse_by_size(size, limit);
  }
  if (size == 0) return kBlankName;
  if (!record.is_blob(field)) return not_a_blob(field);

  std::string bytes;
  bytes.resize(static_cast<std::size_t>(size));
  std::size_t at = 0;
  while (at < bytes.size()) {
    const std::size_t want = std::min(kBlock, bytes.size() - at);
    const ssize_t got = ::read(file.get(), bytes.data() + at, want);
    if (got < 0) {
      if (errno == EINTR) continue;
      return file_error(errno, path);
    }
    if (got == 0) break;  // the file shrank while it was read: keep what it holds now
    at += static_cast<std::size_t>(got);
  }
  bytes.resize(at);
  if (bytes.empty()) return kBlankName;
  record.set_blob(field, std::move(bytes));
  return 0;
}

std::uint16_t BLOBTOPLIK(dane::Table& record, std::string_view field, std::string_view file_name) {
  const std::string path(runtime::trim(file_name));
  if (path.empty()) return kBlankName;
  if (!record.is_blob(field)) return not_a_blob(field);
  const std::string bytes = record.blob(field);
  if (bytes.empty()) return 0;

  std::string aside = path + ".XXXXXX";
  dane::FileDescriptor file(::mkstemp(aside.data()));
  if (file.get() < 0) return file_error(errno, path);
  ::fchmod(
      file.get(), 0666 & ~[] {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return mask;
      }());
  const auto fail = [&](int error) {
    ::unlink(aside.c_str());
    return file_error(error, path);
  };
  for (std::size_t at = 0; at < bytes.size();) {
    const std::size_t want = std::min(kBlock, bytes.size() - at);
    const ssize_t put = ::write(file.get(), bytes.data() + at, want);
    if (put < 0) {
      if (errno == EINTR) continue;
      return fail(errno);
    }
    at += static_cast<std::size_t>(put);
  }
  if (::fsync(file.get()) != 0) return fail(errno);
  if (!file.close()) return fail(errno);
  if (::rename(aside.c_str(), path.c_str()) != 0) return fail(errno);
  return 0;
}

std::uint16_t RPTTOBLOB(std::string_view report_file, dane::Table& record, std::string_view field) {
  const std::uint16_t result = PLIKTOBLOB(report_file, record, field, 1);
  if (result == 0) ::unlink(std::string(runtime::trim(report_file)).c_str());
  return result;
}

}  // namespace keldox
