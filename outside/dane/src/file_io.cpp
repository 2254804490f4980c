// Whole-file reads, the temporary-file-and-rename replacement and the flock-based lock.
#include "file_io.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "dane/file_descriptor.h"

namespace dane::file_io {
namespace {

bool write_all(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

bool sync(int fd) {
  while (::fsync(fd) != 0) {
    if (errno != EINTR) return false;
  }
  return true;
}

void sync_folder(const std::filesystem::path& folder) {
  // The rename has happened by now; a folder that cannot be flushed does not make the write a failure.
  FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) sync(dir.get());
}

std::filesystem::path parent_folder(const std::string& path) {
  const std::filesystem::path target(path);
  return target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
}

}  // namespace

ReadResult read_file(const std::string& path) {
  ReadResult result;
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (fd.get() < 0) {
    result.status = errno == ENOENT ? ReadStatus::missing : ReadStatus::failed;
    return result;
  }
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode) ||
      static_cast<std::size_t>(st.st_size) > max_file_size) {
    return result;
  }
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      result.bytes.clear();
      return result;
    }
    if (n == 0) break;
    result.bytes.append(buffer, static_cast<std::size_t>(n));
    if (result.bytes.size() > max_file_size) {
      result.bytes.clear();
      return result;
    }
  }
  result.status = ReadStatus::ok;
  return result;
}

bool ensure_parent_folder(const std::string& path) {
  const std::filesystem::path folder = parent_folder(path);
  std::error_code ec;
  if (std::filesystem::is_directory(folder, ec)) return true;
  std::filesystem::create_directories(folder, ec);
  return std::filesystem::is_directory(folder, ec);
}

bool replace_file(const std::string& path, std::string_view bytes) {
  namespace fs = std::filesystem;
  const fs::path target(path);
  const fs::path folder = parent_folder(path);
  if (!ensure_parent_folder(path)) return false;

  std::string temp = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
  FileDescriptor fd(::mkostemp(temp.data(), O_CLOEXEC));
  if (fd.get() < 0) return false;

  struct stat old {};
  const bool ok = (::stat(path.c_str(), &old) != 0 || ::fchmod(fd.get(), old.st_mode & 07777) == 0) &&
                  write_all(fd.get(), bytes) && sync(fd.get()) && fd.close() &&
                  ::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) {
    ::unlink(temp.c_str());
    return false;
  }
  sync_folder(folder);
  return true;
}

FileLock::FileLock(const std::string& lock_path) {
  fd_ = ::open(lock_path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY, 0600);
  if (fd_ < 0) return;
  while (::flock(fd_, LOCK_EX) != 0) {
    if (errno != EINTR) {
      ::close(fd_);
      fd_ = -1;
      return;
    }
  }
}

FileLock::~FileLock() {
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace dane::file_io
