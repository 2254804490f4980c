// A working session for the dictionary windows: a fresh demo database in a temporary folder, reached
// through a recording and a fault-injecting client, the scripted host installed, and the user's
// permissions, column layouts and VAT rates loaded as the session start loads them.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dane/database.h"
#include "dane/host.h"
#include "db/test_clients.h"
#include "demo_dictionary_database.h"
#include "ui_script/script_host.h"

namespace slownik::testing {

class DictionarySession : public ::testing::Test {
 protected:
  // The administrator unless a test logs in as someone else (3000002: the seller, who may look at
  // currencies and banks but not change them; 3000003: nothing in company 1).
  void SetUp() override {
    ASSERT_TRUE(database_.create());
    recording_ = std::make_unique<db::RecordingClient>(database_.client());
    faults_ = std::make_unique<db::FaultClient>(*recording_);
    dane::install_database(faults_.get());
    dane::install_host(&host_);
    start_session(3000001);
  }
  void TearDown() override {
    dane::install_host(nullptr);
    dane::install_database(nullptr);
  }

  void start_session(double user) {
    database_.log_in(user);
    recording_->forget();
  }

  std::string database_file() const { return database_.file(); }
  std::string value_of(const std::string& statement) { return database_.value_of(statement); }
  bool run(const std::string& statement) { return database_.run(statement); }

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
  DemoDictionaryDatabase database_;
  std::unique_ptr<db::RecordingClient> recording_;
  std::unique_ptr<db::FaultClient> faults_;
};

}  // namespace slownik::testing
