// Prepared inserts with bound values for the demo generator.
#include "insert.h"

#include <type_traits>
#include <variant>

#include "db/sqlite_engine.h"

namespace server::demo {

Insert::Insert(sqlite3* db, std::string_view table, std::string_view columns, db::Status& status)
    : db_(db), table_(table), status_(status) {
  std::size_t count = 1;
  for (char c : columns) count += c == ',';
  std::string sql = "INSERT INTO " + std::string(table) + " (" + std::string(columns) + ") VALUES (";
  for (std::size_t i = 0; i < count; ++i) sql += i ? ",?" : "?";
  sql += ")";
  const int rc = sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt_, nullptr);
  if (rc != SQLITE_OK && status_.ok())
    status_ = db::sqlite_status(rc, sqlite3_errmsg(db) + (" [" + table_ + "]"));
}

Insert::~Insert() {
  sqlite3_finalize(stmt_);
}

void Insert::row(const std::vector<db::Value>& values) {
  if (!status_.ok() || !stmt_) return;
  // A short row would keep the previous row's values in the columns it leaves out.
  if (static_cast<int>(values.size()) != sqlite3_bind_parameter_count(stmt_)) {
    status_ = db::Status::statement_failed("demo row of " + table_ + " has " + std::to_string(values.size()) +
                                           " values for " +
                                           std::to_string(sqlite3_bind_parameter_count(stmt_)) + " columns");
    return;
  }
  sqlite3_reset(stmt_);
  for (std::size_t i = 0; i < values.size(); ++i) {
    const int at = static_cast<int>(i) + 1;
    std::visit(
        [&](const auto& v) {
          using V = std::decay_t<decltype(v)>;
          if constexpr (std::is_same_v<V, std::int64_t>) {
            sqlite3_bind_int64(stmt_, at, v);
          } else if constexpr (std::is_same_v<V, db::Value::Decimal>) {
            sqlite3_bind_double(stmt_, at, db::Value::decimal(v.text).as_double());
          } else if constexpr (std::is_same_v<V, std::string>) {
            sqlite3_bind_text(stmt_, at, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT);
          } else if constexpr (std::is_same_v<V, db::Value::Bytes>) {
            sqlite3_bind_blob64(stmt_, at, v.data.data(), v.data.size(), SQLITE_TRANSIENT);
          } else {
            sqlite3_bind_null(stmt_, at);
          }
        },
        values[i].data);
  }
  const int rc = sqlite3_step(stmt_);
  if (rc != SQLITE_DONE) status_ = db::sqlite_status(rc, sqlite3_errmsg(db_) + (" [" + table_ + "]"));
}

}  // namespace server::demo
