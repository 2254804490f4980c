// A database file in a fresh temporary folder, removed with the fixture.
#pragma once

#include <filesystem>
#include <string>

#include "db/channel_client.h"

namespace db::testing {

class TempDb {
 public:
  TempDb() {
    std::string pattern = (std::filesystem::temp_directory_path() / "dbtest-XXXXXX").string();
    dir_ = mkdtemp(pattern.data());
    path_ = dir_ + "/test.db";
  }
  ~TempDb() { std::filesystem::remove_all(dir_); }
  const std::string& path() const { return path_; }
  std::string text(std::string_view options = "create=1") const {
    return "sqlite:" + path_ + (options.empty() ? "" : "?" + std::string(options));
  }

 private:
  std::string dir_;
  std::string path_;
};

}  // namespace db::testing
