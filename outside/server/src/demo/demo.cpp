// Creating the demo database: schema, then each part of the data in one transaction.
#include <sqlite3.h>

#include <filesystem>

#include "db/sqlite_engine.h"
#include "parts.h"
#include "server/functions.h"
#include "server/schema.h"

namespace server {

std::int64_t demo_last_rate_day() {
  return day_number(2026, 12, 4);
}

db::Status fill_demo_data(sqlite3* db, DemoSize size) {
  demo::Context c;
  c.db = db;
  c.size = size;
  db::SqlLink link(db);
  if (db::Status s = link.exec("BEGIN"); !s.ok()) return s;
  for (auto part : {demo::add_money, demo::add_companies, demo::add_users, demo::add_configuration,
                    demo::add_documents, demo::add_people, demo::add_windows, demo::add_reports,
                    demo::add_profiles, demo::add_credit, demo::add_access, demo::add_classifiers}) {
    part(c);
    if (!c.status.ok()) break;
  }
  if (!c.status.ok()) {
    link.exec("ROLLBACK");
    return c.status;
  }
  return link.exec("COMMIT");
}

db::Status make_demo_database(const std::string& path, DemoSize size) {
  std::error_code ec;
  if (std::filesystem::exists(path, ec))
    return db::Status::statement_failed("The file " + path + " exists already");
  db::SqliteOptions options;
  options.path = path;
  options.create = true;
  sqlite3* db = nullptr;
  if (db::Status s = db::open_sqlite(options, db); !s.ok()) return s;
  register_functions(db);
  db::Status s = create_schema(db);
  if (s.ok()) s = fill_demo_data(db, size);
  if (s.ok()) s = db::SqlLink(db).exec("ANALYZE");
  sqlite3_close_v2(db);
  if (!s.ok()) {
    for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(path + suffix, ec);
  }
  return s;
}

}  // namespace server
