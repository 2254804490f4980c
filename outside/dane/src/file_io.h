// Whole-file reads and crash-safe replacement of a file, for small files that must never be left half
// written.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace dane::file_io {

// Files larger than this are treated as unreadable rather than loaded into memory.
inline constexpr std::size_t max_file_size = 16 * 1024 * 1024;

enum class ReadStatus { ok, missing, failed };

struct ReadResult {
  ReadStatus status = ReadStatus::failed;
  std::string bytes;
};

// The whole content of `path`; `missing` when it does not exist, `failed` when it cannot be read
// (not a regular file, no permission, larger than max_file_size, I/O error).
ReadResult read_file(const std::string& path);

// Creates the missing folders above `path`; false when they do not exist and cannot be made.
bool ensure_parent_folder(const std::string& path);

// Replaces `path` with `bytes` so that at every moment the file is either the old or the new one:
// writes a temporary file in the same folder, flushes it to disk, renames it over `path` and flushes the
// folder. Missing parent folders are created. Keeps the permission bits of an existing file. Returns false
// (and leaves `path` and its folder as they were, apart from created folders) when any step fails.
bool replace_file(const std::string& path, std::string_view bytes);

// An exclusive advisory lock (flock) on a lock file, held for the lifetime of the object. It serialises
// processes as well as threads of one process, since each lock opens its own file description.
class FileLock {
 public:
  explicit FileLock(const std::string& lock_path);
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  bool locked() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

}  // namespace dane::file_io
