// A database file in a fresh temporary folder, removed with the fixture.
#pragma once

#include <string>

#include "db/channel_client.h"
#include "mirlet_testing/temp_folder.h"

namespace db::testing {

class TempDb {
 public:
  const std::string& path() const { return path_; }
  std::string text(std::string_view options = "create=1") const {
    return "sqlite:" + path_ + (options.empty() ? "" : "?" + std::string(options));
  }

 private:
  mirlet_testing::TempFolder folder_{"dbtest"};
  std::string path_ = folder_.file("test.db");
};

}  // namespace db::testing
