// The embedded engine: per-thread SQLite connections in WAL mode running translated programs.
#include "db/sqlite_engine.h"

#include <sqlite3.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <list>
#include <utility>
#include <variant>

#include "db/statement_cache.h"
#include "db/tsql/functions.h"
#include "procedure_run.h"
#include "runtime/text.h"
#include "sqlite_records.h"
#include "sqlite_rows.h"

namespace db {
namespace {

// Translations of recently sent texts: translation is pure, and the same texts come back often.
class ProgramCache {
 public:
  static constexpr std::size_t kCapacity = 32;

  const Program& get(std::string_view text, const Translator& translator) {
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
      if (it->first == text) {
        entries_.splice(entries_.begin(), entries_, it);
        return entries_.front().second;
      }
    }
    entries_.emplace_front(std::string(text), translator ? translator(text) : translate_tsql(text));
    if (entries_.size() > kCapacity) entries_.pop_back();
    return entries_.front().second;
  }

 private:
  std::list<std::pair<std::string, Program>> entries_;
};

bool blank_sql(std::string_view s) {
  return s.find_first_not_of(" \t\r\n;") == std::string_view::npos;
}

class SqliteConnection final : public Connection {
 public:
  SqliteConnection(sqlite3* db, std::shared_ptr<const SqliteOptions> options)
      : db_(db), options_(std::move(options)), link_(db, &cache_), records_(db) {}
  ~SqliteConnection() override {
    cache_.clear();
    sqlite3_close_v2(db_);
  }

  bool usable() const override { return !lost_ && !records_.lost(); }
  RecordConnection* records() override { return &records_; }

  Status run(std::string_view statement, std::size_t max_columns, ResultSet& out) override {
    if (Status s = check_file(); !s.ok()) return s;
    const Program& program = programs_.get(statement, options_->translator);
    if (program.refused()) return Status::statement_failed(program.refusal);
    return run_steps(program.steps, max_columns, out);
  }

 private:
  // A database file deleted or replaced under an open connection would go on silently on the old inode.
  // Asking costs a system call, so it is asked at most once per interval; a failed statement asks at once.
  Status check_file() {
    const auto now = std::chrono::steady_clock::now();
    if (now < next_file_check_) return Status::success();
    next_file_check_ = now + kFileCheckInterval;
    int moved = 0;
    if (sqlite3_file_control(db_, "main", SQLITE_FCNTL_HAS_MOVED, &moved) == SQLITE_OK && moved) {
      lost_ = true;
      return Status::transient_failure("the database file has been moved or deleted");
    }
    return Status::success();
  }

  Status fail(int rc) {
    next_file_check_ = {};
    const int primary = rc & 0xFF;
    if (primary == SQLITE_IOERR || primary == SQLITE_CANTOPEN || rc == SQLITE_READONLY_DBMOVED) lost_ = true;
    return sqlite_status(rc, sqlite3_errmsg(db_));
  }

  Status run_steps(const tsql::Steps& steps, std::size_t max_columns, ResultSet& out) {
    for (const tsql::Step& step : steps) {
      Status s = std::visit([&](const auto& node) { return run_node(node, max_columns, out); }, step.node);
      if (!s.ok()) return s;
    }
    return Status::success();
  }

  Status run_node(const tsql::Statement& node, std::size_t max_columns, ResultSet& out) {
    return run_sql(node.sql, max_columns, out);
  }

  Status run_node(const tsql::Conditional& node, std::size_t max_columns, ResultSet& out) {
    ResultSet answer;
    if (Status s = link_.query(node.condition_sql, {}, answer); !s.ok()) return s;
    const bool holds = answer.rows() > 0 && answer.columns() > 0 && answer.cell(0, 0) == "1";
    return run_steps(holds ? node.then_steps : node.else_steps, max_columns, out);
  }

  Status run_node(const tsql::Atomic& node, std::size_t max_columns, ResultSet& out) {
    if (Status s = link_.exec("SAVEPOINT atomic_steps"); !s.ok()) return s;
    Status s = run_steps(node.steps, max_columns, out);
    if (!s.ok()) link_.exec("ROLLBACK TO atomic_steps");
    link_.exec("RELEASE atomic_steps");
    return s;
  }

  Status run_node(const tsql::ProcedureCall& node, std::size_t max_columns, ResultSet& out) {
    return detail::run_procedure(options_->procedures.get(), node, link_, max_columns, out);
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
        for (std::size_t i = 0; i < out.columns(); ++i) {
          out.names.emplace_back(sqlite3_column_name(stmt, static_cast<int>(i)));
        }
      }
      int rc;
      while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) detail::append_row(stmt, out.columns(), out);
      Status s = rc == SQLITE_DONE ? Status::success() : fail(rc);
      // Only queries are kept: writes rarely repeat their literal values.
      if (blank_sql(tail) && s.ok() && sqlite3_stmt_readonly(stmt)) {
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
  detail::SqliteRecords records_;
  StatementCache cache_;
  ProgramCache programs_;
  bool lost_ = false;
  std::chrono::steady_clock::time_point next_file_check_{};
  static constexpr std::chrono::milliseconds kFileCheckInterval{50};
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
  tsql::register_tsql_functions(db);
  for (const auto& hook : options.on_connect) hook(db);
  out = db;
  return Status::success();
}

std::shared_ptr<Engine> make_sqlite_engine(SqliteOptions options) {
  return std::make_shared<SqliteEngine>(std::move(options));
}

}  // namespace db
