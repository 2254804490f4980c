// SQLite result codes as client statuses; the fallback PLCI collation.
#include <sqlite3.h>

#include <string>

#include "db/sqlite_engine.h"
#include "runtime/text.h"

namespace db {

Status sqlite_status(int rc, std::string_view message) {
  switch (rc & 0xFF) {
    case SQLITE_OK:
    case SQLITE_ROW:
    case SQLITE_DONE:
      return Status::success();
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN:
    case SQLITE_PROTOCOL:
      return Status::transient_failure(message);
    case SQLITE_READONLY:
      if (rc == SQLITE_READONLY_DBMOVED) return Status::transient_failure(message);
      break;
    default:
      break;
  }
  return Status::statement_failed(std::string(message));
}

namespace {

int compare_plci(void*, int la, const void* a, int lb, const void* b) {
  const std::string ua =
      runtime::to_upper(runtime::trim_right({static_cast<const char*>(a), std::size_t(la)}));
  const std::string ub =
      runtime::to_upper(runtime::trim_right({static_cast<const char*>(b), std::size_t(lb)}));
  const int c = ua.compare(ub);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

}  // namespace

void register_fallback_collation(sqlite3* db) {
  sqlite3_create_collation_v2(db, "PLCI", SQLITE_UTF8, nullptr, compare_plci, nullptr);
}

}  // namespace db
