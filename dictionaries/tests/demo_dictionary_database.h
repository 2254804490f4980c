// A fresh demo database in a temporary folder for the dictionary windows' tests, and the log-in that
// loads the session's lists as the session start does.
#pragma once

#include <memory>
#include <string>

#include "dane/globals.h"
#include "db/client.h"
#include "mirlet_testing/temp_folder.h"
#include "server/demo.h"
#include "server/server.h"
#include "start/session_lists.h"

namespace slownik::testing {

class DemoDictionaryDatabase {
 public:
  // Makes the database and connects to it; false when either failed.
  bool create() {
    return server::make_demo_database(file(), server::DemoSize::Demo).ok() &&
           server::connect("sqlite:" + file(), client_).ok();
  }
  std::string file() const { return folder_.file("demo.db"); }
  db::Client& client() { return *client_; }

  // The user in company 1, with the utility module the loaders call and a settings file of the test's own.
  void log_in(double user) {
    dane::GLO.ID_FIRMY = 1;
    dane::GLO.ID_UZYTKOWNIKA = user;
    dane::GLO.TOOLTIPTYPE = 1;
    dane::GLO.PATH_INI = folder_.file("okna.ini");
    dane::GLO.LOCALPATH = MIRLET_UTIL_DIR;
    dane::GLOBALREQUEST = 0;
    start::load_session_lists();
  }

  // The first column of the first row of a statement, read past the windows' channels.
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

 private:
  mirlet_testing::TempFolder folder_{"slownik"};
  std::unique_ptr<db::Client> client_;
};

}  // namespace slownik::testing
