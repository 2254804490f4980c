// A fresh demo database per test with the session pointed at it, the bridge module beside it, and helpers
// for the user's parameters and the column lists.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "dane/database.h"
#include "dane/globals.h"
#include "dane/lists_settings.h"
#include "db/client.h"
#include "mirlet_testing/temp_folder.h"
#include "runtime/text.h"
#include "server/demo.h"
#include "server/server.h"

namespace keldox::testing {

inline constexpr double kAdministrator = 3000001;
inline constexpr double kOrdinaryUser = 3000002;

class ColumnDemoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dane::reset_session();
    folder_.emplace("columns");
    path_ = folder_->file("demo.db");
    const db::Status made = server::make_demo_database(path_, server::DemoSize::Demo);
    ASSERT_TRUE(made.ok()) << made.text;
    ASSERT_TRUE(server::connect("sqlite:" + path_, client_).ok());
    dane::install_database(client_.get());
    use_bridge(true);
    dane::GLO.ID_FIRMY = 1;
    dane::GLO.ID_UZYTKOWNIKA = kAdministrator;
  }
  void TearDown() override {
    dane::install_database(nullptr);
    client_.reset();
    dane::reset_session();
    folder_.reset();
  }

  // With the bridge the lists come from the utility module; without it (a folder without the module)
  // the loaders fall back to the pass-through channel after the module's warnings.
  void use_bridge(bool bridge) {
    dane::GLO.LOCALPATH = bridge ? std::string(MIRLET_UTIL_DIR) : std::string("/nonexistent");
    dane::GLO.OWNERNAME = "sqlite:" + path_;
  }

  static void set_user_parameter(const char* code, const char* value) {
    auto& list = dane::U_PARAMKONFQ;
    if (list.fetch<dane::ParamKonfEntry::ByCode>(runtime::to_upper(code))) {
      list.buffer.WARTOSC = value;
      list.put();
      return;
    }
    list.buffer = dane::ParamKonfEntry{0, runtime::to_upper(code), "@S20", value};
    list.add_in_order<dane::ParamKonfEntry::ByCode>();
  }

  const dane::IniKolBroEntry* column_entry(std::string_view window, int number) const {
    return dane::INI_KOL_BRO.find<dane::IniKolBroEntry::ByWindowColumn>(window, number);
  }

  std::optional<mirlet_testing::TempFolder> folder_;
  std::string path_;
  std::unique_ptr<db::Client> client_;
};

}  // namespace keldox::testing
