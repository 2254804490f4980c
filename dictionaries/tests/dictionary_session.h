// A working session for the dictionary windows: a fresh demo database in a temporary folder, reached
// through a recording and a fault-injecting client, the scripted host installed, and the user's
// permissions, column layouts and VAT rates loaded as the session start loads them.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "dane/database.h"
#include "dane/globals.h"
#include "dane/host.h"
#include "db/test_clients.h"
#include "server/demo.h"
#include "server/server.h"
#include "start/session_lists.h"
#include "ui_script/script_host.h"

namespace slownik::testing {

class DictionarySession : public ::testing::Test {
 protected:
  // The administrator unless a test logs in as someone else (3000002: the seller, who may look at
  // currencies and banks but not change them; 3000003: nothing in company 1).
  void SetUp() override { start_session(3000001); }
  void TearDown() override {
    dane::install_host(nullptr);
    dane::install_database(nullptr);
    faults_.reset();
    recording_.reset();
    client_.reset();
    std::filesystem::remove_all(folder_);
  }

  void start_session(double user) {
    if (folder_.empty()) {
      std::string pattern = (std::filesystem::temp_directory_path() / "slownik-XXXXXX").string();
      folder_ = mkdtemp(pattern.data());
      ASSERT_TRUE(server::make_demo_database(database_file(), server::DemoSize::Demo).ok());
      ASSERT_TRUE(server::connect("sqlite:" + database_file(), client_).ok());
      recording_ = std::make_unique<db::RecordingClient>(*client_);
      faults_ = std::make_unique<db::FaultClient>(*recording_);
      dane::install_database(faults_.get());
      dane::install_host(&host_);
    }
    dane::GLO.ID_FIRMY = 1;
    dane::GLO.ID_UZYTKOWNIKA = user;
    dane::GLO.TOOLTIPTYPE = 1;
    dane::GLO.PATH_INI = folder_ + "/okna.ini";
    dane::GLO.LOCALPATH = MIRLET_UTIL_DIR;  // the utility module the loaders call
    start::load_session_lists();
    recording_->forget();
  }

  std::string database_file() const { return folder_ + "/demo.db"; }

  // The first column of the first row of a statement, read past the session's clients.
  std::string value_of(const std::string& statement) {
    client_->open(db::Channel::VAX1);
    std::string out;
    if (client_->send(db::Channel::VAX1, statement).ok() && client_->next(db::Channel::VAX1).ok())
      out = std::string(client_->field(db::Channel::VAX1, 1));
    client_->close(db::Channel::VAX1);
    return out;
  }
  bool run(const std::string& statement) {
    client_->open(db::Channel::VAX1);
    const bool ok = client_->send(db::Channel::VAX1, statement).ok();
    client_->close(db::Channel::VAX1);
    return ok;
  }

  // The statements the windows sent that contain `part`.
  std::vector<std::string> sent(std::string_view part) const {
    std::vector<std::string> out;
    for (const std::string& s : recording_->statements()) {
      if (s.find(part) != std::string::npos) out.push_back(s);
    }
    return out;
  }

  // The boxes shown, as "title: text".
  std::vector<std::string> messages() const {
    std::vector<std::string> out;
    for (const ui_script::Shown& s : host_.shown()) {
      if (s.kind == "message") out.push_back(s.title + ": " + s.text);
    }
    return out;
  }
  // The script's failures (an unexpected box, a step that could not run); empty when all went as written.
  std::string failures() const {
    std::string out;
    for (const std::string& f : host_.failures()) out += f + "\n";
    return out;
  }
  std::vector<ui_script::Shown> shown(std::string_view kind) const {
    std::vector<ui_script::Shown> out;
    for (const ui_script::Shown& s : host_.shown()) {
      if (s.kind == kind) out.push_back(s);
    }
    return out;
  }

  ui_script::ScriptHost host_;
  std::string folder_;
  std::unique_ptr<db::Client> client_;
  std::unique_ptr<db::RecordingClient> recording_;
  std::unique_ptr<db::FaultClient> faults_;
};

}  // namespace slownik::testing
