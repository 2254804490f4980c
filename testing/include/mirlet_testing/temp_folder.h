// A folder of a test's own under the system's temporary folder, removed with everything in it when the
// object goes, so that tests never share files and leave nothing behind.
#pragma once

#include <stdlib.h>  // mkdtemp

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

namespace mirlet_testing {

class TempFolder {
 public:
  // `prefix` begins the folder's name ("dbtest" gives /tmp/dbtest-a1B2c3), so that a folder left by a
  // test that crashed tells whose it was.
  explicit TempFolder(std::string_view prefix = "mirlet") {
    std::string pattern =
        (std::filesystem::temp_directory_path() / (std::string(prefix) + "-XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no temporary folder " + pattern);
    path_ = std::move(pattern);
  }
  ~TempFolder() { remove(); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The path of `name` inside the folder (nothing is created).
  std::string file(std::string_view name) const { return (path_ / name).string(); }

 private:
  // Tests take the write right away to make writes fail; it is given back first so that the folder can go.
  void remove() noexcept {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                 ec);
    std::filesystem::remove_all(path_, ec);
  }

  std::filesystem::path path_;
};

}  // namespace mirlet_testing
