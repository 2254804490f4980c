// A demo database with test tables, the session pointed at the built utility module, boxes recorded.
#pragma once

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <optional>
#include <string>

#include "dane/globals.h"
#include "db/sqlite_engine.h"
#include "message_recorder.h"
#include "mirlet_testing/temp_folder.h"
#include "server/demo.h"

namespace keldox::testing {

// Rows of PARAMETRY_TESTU, the table that the bridge tests load into lists.
inline constexpr int kParameterRows = 10000;

// KOD of row i: 26 characters, Polish letters included, so that the 20-character list field cuts it.
inline std::string parameter_code(int i) {
  return "KÓD_ŻÓŁTY_" + std::to_string(100000 + i) + "_ĄĘŚĆŃ";
}

class UtilLibraryTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_.emplace("bridgetest");
    const std::string path = folder_->file("demo.db");
    ASSERT_TRUE(server::make_demo_database(path, server::DemoSize::Demo).ok());
    db::SqliteOptions options;
    options.path = path;
    sqlite3* db = nullptr;
    ASSERT_TRUE(db::open_sqlite(options, db).ok());
    std::string script =
        "begin; create table PARAMETRY_TESTU (ID_POZYCJI integer, KOD varchar(40), MASKA varchar(20), "
        "WARTOSC varchar(500));";
    for (int i = 1; i <= kParameterRows; ++i) {
      script += "insert into PARAMETRY_TESTU values (" + std::to_string(i) + ", '" + parameter_code(i) +
                "', 'M" + std::to_string(i % 7) + "', '" + std::string(420, 'w') + "');";
    }
    script += "commit;";
    ASSERT_EQ(sqlite3_exec(db, script.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    connection_text_ = "sqlite:" + path;
  }
  static void TearDownTestSuite() { folder_.reset(); }

  void SetUp() override {
    saved_local_path_ = dane::GLO.LOCALPATH.str();
    saved_owner_ = dane::GLO.OWNERNAME.str();
    dane::GLO.LOCALPATH = std::string(MIRLET_UTIL_DIR) + "   ";
    dane::GLO.OWNERNAME = connection_text_;
  }
  void TearDown() override {
    dane::GLO.LOCALPATH = saved_local_path_;
    dane::GLO.OWNERNAME = saved_owner_;
  }

  static inline std::optional<mirlet_testing::TempFolder> folder_;
  static inline std::string connection_text_;
  MessageRecorder boxes;

 private:
  std::string saved_local_path_;
  std::string saved_owner_;
};

}  // namespace keldox::testing
