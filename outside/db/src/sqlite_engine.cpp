// The embedded engine: per-thread SQLite connections in WAL mode running translated programs.
#include "db/sqlite_engine.h"

#include <sqlite3.h>

#include <atomic>
#include <list>
#include <utility>

#include "runtime/text.h"
#include "sqlite_rows.h"

namespace db {
namespace {

// Prepared statements of recently run texts: a browse or a probe sends the same text again and again.
class StatementCache {
 public:
  static constexpr std::size_t kCapacity = 32;

  ~StatementCache() {
    for (auto& [text, stmt] : entries_) sqlite3_finalize(stmt);
  }
  sqlite3_stmt* take(std::string_view text) {
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
      if (it->first == text) {
        sqlite3_stmt* stmt = it->second;
        entries_.erase(it);
        return stmt;
      }
    }
    return nullptr;
  }
  void give_back(std::string_view text, sqlite3_stmt* stmt) {
    sqlite3_reset(stmt);
    entries_.emplace_front(std::string(text), stmt);
    if (entries_.size() > kCapacity) {
      sqlite3_finalize(entries_.back().second);
      entries_.pop_back();
    }
  }

 private:
  std::list<std::pair<std::string, sqlite3_stmt*>> entries_;
};

bool blank_sql(std::string_view s) {
  return s.find_first_not_of(" \t\r\n;") == std::string_view::npos;
}

class SqliteConnection final : public Connection {
 public:
  SqliteConnection(sqlite3* db, std::shared_ptr<const SqliteOptions> options)
      : db_(db), options_(std::move(options)), link_(db) {}
  ~SqliteConnection() override {
    cache_ = {};
    sqlite3_close_v2(db_);
  }

  bool usable() const override { return !lost_; }

  Status run(std::string_view statement, std::size_t max_columns, ResultSet& out) override {
    if (Status s = check_file(); !s.ok()) return s;
    Program program = options_->translator ? options_->translator(statement) : pass_through(statement);
    if (program.refusal) return Status::statement_failed(*program.refusal);
    return run_steps(program.steps, max_columns, out);
  }

 private:
  // A database file deleted or replaced under an open connection would go on silently on the old inode.
  Status check_file() {
    int moved = 0;
    if (sqlite3_file_control(db_, "main", SQLITE_FCNTL_HAS_MOVED, &moved) == SQLITE_OK && moved) {
      lost_ = true;
      return Status::transient_failure("the database file has been moved or deleted");
    }
    return Status::success();
  }

  Status fail(int rc) {
    const int primary = rc & 0xFF;
    if (primary == SQLITE_IOERR || primary == SQLITE_CANTOPEN || rc == SQLITE_READONLY_DBMOVED) lost_ = true;
    return sqlite_status(rc, sqlite3_errmsg(db_));
  }

  Status run_steps(const std::vector<Step>& steps, std::size_t max_columns, ResultSet& out) {
    for (const Step& step : steps) {
      Status s;
      switch (step.kind) {
        case Step::Kind::Sql:
          s = run_sql(step.sql, max_columns, out);
          break;
        case Step::Kind::Call:
          s = run_call(step, max_columns, out);
          break;
        case Step::Kind::IfExists: {
          bool found = false;
          s = exists(step.sql, found);
          if (s.ok())
            s = run_steps(found != step.negated ? step.then_steps : step.else_steps, max_columns, out);
          break;
        }
      }
      if (!s.ok()) return s;
    }
    return Status::success();
  }

  Status run_call(const Step& step, std::size_t max_columns, ResultSet& out) {
    if (!options_->procedures) {
      return Status::statement_failed("Could not find stored procedure '" + step.procedure + "'.");
    }
    ResultSet rows;
    Status s = options_->procedures->call(step.procedure, link_, step.args, rows);
    if (!s.ok()) return s;
    out.clear();
    out.set_columns(std::min(rows.columns(), max_columns));
    for (std::size_t r = 0; r < rows.rows(); ++r) {
      for (std::size_t c = 0; c < out.columns(); ++c) out.add_cell(rows.cell(r, c));
    }
    if (step.binds_ret_code) out.ret_code = rows.ret_code.value_or(0);
    return Status::success();
  }

  Status exists(const std::string& sql, bool& found) {
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(db_, sql.c_str(), static_cast<int>(sql.size()), &stmt, nullptr);
    if (rc != SQLITE_OK) return fail(rc);
    rc = sqlite3_step(stmt);
    found = rc == SQLITE_ROW;
    sqlite3_finalize(stmt);
    return rc == SQLITE_ROW || rc == SQLITE_DONE ? Status::success() : fail(rc);
  }

  // Runs every statement of the text; the rows of the last statement that has columns are the result.
  // Rows are read to the end at once, so that no read transaction stays open between the caller's reads.
  Status run_sql(std::string_view sql, std::size_t max_columns, ResultSet& out) {
    while (!blank_sql(sql)) {
      sqlite3_stmt* stmt = cache_.take(sql);
      std::string_view tail;
      if (!stmt) {
        const char* rest = nullptr;
        const int rc = sqlite3_prepare_v3(db_, sql.data(), static_cast<int>(sql.size()),
                                          SQLITE_PREPARE_PERSISTENT, &stmt, &rest);
        if (rc != SQLITE_OK) return fail(rc);
        if (!stmt) break;
        tail = sql.substr(static_cast<std::size_t>(rest - sql.data()));
      }
      const auto columns = static_cast<std::size_t>(sqlite3_column_count(stmt));
      if (columns > 0) {
        out.clear();
        out.set_columns(std::min(columns, max_columns));
      }
      int rc;
      while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) detail::append_row(stmt, out.columns(), out);
      Status s = rc == SQLITE_DONE ? Status::success() : fail(rc);
      if (blank_sql(tail) && s.ok()) {
        cache_.give_back(sql, stmt);
      } else {
        sqlite3_finalize(stmt);
      }
      if (!s.ok()) return s;
      sql = tail;
    }
    return Status::success();
  }

  sqlite3* db_;
  std::shared_ptr<const SqliteOptions> options_;
  SqlLink link_;
  StatementCache cache_;
  bool lost_ = false;
};

class SqliteEngine final : public Engine {
 public:
  explicit SqliteEngine(SqliteOptions options)
      : options_(std::make_shared<const SqliteOptions>(std::move(options))) {}

  Status connect(std::unique_ptr<Connection>& out) override {
    sqlite3* db = nullptr;
    // A file that existed once and was lost is never silently replaced by a new empty one.
    SqliteOptions once = *options_;
    once.create = options_->create && !created_.load();
    if (Status s = open_sqlite(once, db); !s.ok()) return s;
    created_ = true;
    out = std::make_unique<SqliteConnection>(db, options_);
    return Status::success();
  }

  std::string describe() const override { return "sqlite:" + options_->path; }

 private:
  std::shared_ptr<const SqliteOptions> options_;
  std::atomic<bool> created_{false};
};

}  // namespace

Status open_sqlite(const SqliteOptions& options, sqlite3*& out) {
  out = nullptr;
  int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
  if (options.create) flags |= SQLITE_OPEN_CREATE;
  sqlite3* db = nullptr;
  int rc = sqlite3_open_v2(options.path.c_str(), &db, flags, nullptr);
  if (rc != SQLITE_OK) {
    Status s = sqlite_status(rc, db ? sqlite3_errmsg(db) : "cannot open the database");
    if (s.ok() || !s.transient())
      s = Status::transient_failure(s.text.empty() ? "cannot open the database" : s.text);
    s.text += " (" + options.path + ")";
    sqlite3_close_v2(db);
    return s;
  }
  sqlite3_extended_result_codes(db, 1);
  sqlite3_busy_timeout(db, options.busy_timeout_ms);
  for (const char* pragma : {"PRAGMA journal_mode=WAL", "PRAGMA synchronous=NORMAL"}) {
    rc = sqlite3_exec(db, pragma, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
      Status s = sqlite_status(rc, sqlite3_errmsg(db));
      sqlite3_close_v2(db);
      return s;
    }
  }
  register_fallback_collation(db);
  for (const auto& hook : options.on_connect) hook(db);
  out = db;
  return Status::success();
}

std::shared_ptr<Engine> make_sqlite_engine(SqliteOptions options) {
  return std::make_shared<SqliteEngine>(std::move(options));
}

}  // namespace db
