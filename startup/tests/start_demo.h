// A demo database shared by a test suite, the session pointed at it and at the built utility module,
// and the message boxes recorded.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dane/database.h"
#include "dane/globals.h"
#include "dane/host.h"
#include "db/client.h"
#include "keldox/query_bridge.h"
#include "mirlet_testing/temp_folder.h"
#include "server/demo.h"
#include "server/server.h"

namespace start::testing {

inline constexpr double kAdministrator = 3000001;
inline constexpr double kLimitedUser = 3000004;
inline constexpr double kUserWithoutGroup = 3000005;

class MessageRecorder final : public dane::HeadlessHost {
 public:
  MessageRecorder() { dane::install_host(this); }
  ~MessageRecorder() override { dane::install_host(nullptr); }
  MessageRecorder(const MessageRecorder&) = delete;
  MessageRecorder& operator=(const MessageRecorder&) = delete;

  int message(const dane::MessageBox& box) override {
    shown.push_back(box.text);
    return box.default_answer;
  }
  std::vector<std::string> shown;
};

class StartDemo : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_.emplace("startdemo");
    ASSERT_TRUE(server::make_demo_database(folder_->file("demo.db"), server::DemoSize::Demo).ok());
  }
  static void TearDownTestSuite() { folder_.reset(); }

  void SetUp() override {
    dane::reset_session();
    ASSERT_TRUE(server::connect(connection_text(), client_).ok());
    dane::install_database(client_.get());
    dane::GLO.LOCALPATH = MIRLET_UTIL_DIR;
    dane::GLO.OWNERNAME = connection_text();
    ASSERT_EQ(keldox::DOTNETUTWORZPOLACZENIESQL(), "1");
  }
  void TearDown() override {
    dane::install_database(nullptr);
    dane::reset_session();
  }

  static std::string connection_text() { return "sqlite:" + folder_->file("demo.db"); }
  db::Client& client() { return *client_; }

  static void as_user(double user, double company, double warehouse = 1) {
    dane::GLO.ID_UZYTKOWNIKA = user;
    dane::GLO.ID_FIRMY = company;
    dane::GLO.ID_MAGAZYNU = warehouse;
  }

  static inline std::optional<mirlet_testing::TempFolder> folder_;
  std::unique_ptr<db::Client> client_;
  MessageRecorder boxes;
};

}  // namespace start::testing
