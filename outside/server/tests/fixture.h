// A fresh demo database in a temporary folder, with direct connections for checking effects.
#pragma once

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>

#include "db/procedures.h"
#include "db/sqlite_engine.h"
#include "mirlet_testing/temp_folder.h"
#include "server/demo.h"
#include "server/functions.h"
#include "server/procedures.h"

namespace server::testing {

class DemoDb {
 public:
  explicit DemoDb(DemoSize size = DemoSize::Demo) : status_(make_demo_database(path_, size)) {}
  const std::string& path() const { return path_; }
  const db::Status& status() const { return status_; }

  // A connection configured like the engine's own (collation, functions, WAL, busy timeout).
  sqlite3* connect(int busy_timeout_ms = 5000) const {
    db::SqliteOptions o;
    o.path = path_;
    o.busy_timeout_ms = busy_timeout_ms;
    o.on_connect.push_back(register_functions);
    sqlite3* db = nullptr;
    return db::open_sqlite(o, db).ok() ? db : nullptr;
  }

 private:
  mirlet_testing::TempFolder folder_{"servertest"};
  std::string path_ = folder_.file("demo.db");
  db::Status status_;
};

// Runs a server procedure on a connection, as a `call` statement would.
inline db::Status call(sqlite3* db, std::string_view name, std::vector<db::Value> args,
                       db::ResultSet* out = nullptr) {
  db::SqlLink link(db);
  db::ResultSet rows;
  return procedures()->call(name, link, args, out ? *out : rows);
}

inline std::string scalar(sqlite3* db, std::string_view sql) {
  db::SqlLink link(db);
  return link.scalar(sql).value_or("<none>");
}

}  // namespace server::testing
