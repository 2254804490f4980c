// A working session of the main program: the database, the log-in, the session globals and the libraries,
// from start to end.
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <string_view>

#include "dane/error_object.h"
#include "dane/settings_file.h"
#include "db/client.h"
#include "db/status.h"

namespace app {

// The database a session works on.
struct Database {
  std::unique_ptr<db::Client> client;
  std::string connection;  // as the user gave it ("" for the default)
  std::string file;        // the embedded database file
  bool created = false;    // made with the demo data by this run
};

// Connects to the database named by the connection text. An embedded database file that does not exist
// yet (the default one or one named "sqlite:PATH") is created first with the demo data, folders included.
db::Status open_database(std::string_view connection, Database& out);

// The user who logged in.
struct User {
  double id = 0;
  std::string login;  // IDENTYFIKATOR
  std::string name;
};

// Looks the user up in UZYTKOWNIK. Refuses, with a text fit for the user, an identifier that is not there
// or whose account is switched off (AKTYWNY = 0), and reports a database failure as such.
db::Status log_in(db::Client& client, double user_id, User& out);

// The session: construct it with an open database and a logged-in user; it installs the database client,
// sets the session globals the log-in gives and runs START:INIT with its own error object and the user's
// settings file. end() (or the destructor) runs START:KILL and uninstalls the client; the libraries start
// and end once per process.
class Session {
 public:
  Session(Database database, User user, std::string program_folder);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  void end();

  const User& user() const { return user_; }
  const Database& database() const { return database_; }
  dane::ErrorObject& errors() { return errors_; }
  dane::SettingsFile& settings() { return settings_; }

 private:
  Database database_;
  User user_;
  dane::ErrorObject errors_;
  dane::SettingsFile settings_;
  bool ended_ = false;
};

// The folder of the running program (from /proc/self/exe), or that of `argv0` when that cannot be read.
std::string program_folder(std::string_view argv0);

}  // namespace app
