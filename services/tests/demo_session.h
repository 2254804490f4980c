// A session on a fresh demo database in a temporary folder: installed as the session's client while it lives.
#pragma once

#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>

#include "dane/database.h"
#include "dane/globals.h"
#include "db/client.h"
#include "mirlet_testing/temp_folder.h"
#include "server/demo.h"
#include "server/server.h"

namespace keldox::testing {

class DemoSession {
 public:
  explicit DemoSession(double company = 1, double user = 3000001) {
    folder_.emplace("keldoxdemo");
    status_ = server::make_demo_database(folder_->file("demo.db"), server::DemoSize::Demo);
    if (status_.ok()) status_ = server::connect("sqlite:" + folder_->file("demo.db"), client_);
    if (status_.ok()) dane::install_database(client_.get());
    dane::GLO.ID_FIRMY = company;
    dane::GLO.ID_UZYTKOWNIKA = user;
  }
  ~DemoSession() {
    dane::install_database(nullptr);
    client_.reset();
    folder_.reset();
  }
  DemoSession(const DemoSession&) = delete;
  DemoSession& operator=(const DemoSession&) = delete;

  bool ok() const { return status_.ok(); }
  const std::string& error() const { return status_.text; }
  std::string file() const { return folder_->file("demo.db"); }

 private:
  std::optional<mirlet_testing::TempFolder> folder_;
  db::Status status_;
  std::unique_ptr<db::Client> client_;
};

}  // namespace keldox::testing
