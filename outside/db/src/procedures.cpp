// The registry of server routines and the SQL helper they work with.
#include "db/procedures.h"

#include <sqlite3.h>

#include "db/sqlite_engine.h"
#include "db/statement_cache.h"
#include "runtime/text.h"
#include "sqlite_rows.h"

namespace db {
namespace {

// A statement for one run: from the link's cache when it has one, and given back to it after the run.
struct Prepared {
  StatementCache* cache = nullptr;
  std::string_view sql;
  sqlite3_stmt* stmt = nullptr;
  ~Prepared() {
    if (stmt == nullptr) return;
    if (cache != nullptr) {
      sqlite3_clear_bindings(stmt);
      cache->give_back(sql, stmt);
    } else {
      sqlite3_finalize(stmt);
    }
  }
};

Status prepare(sqlite3* h, StatementCache* cache, std::string_view sql, const std::vector<Value>& params,
               Prepared& p) {
  p.cache = cache;
  p.sql = sql;
  p.stmt = cache != nullptr ? cache->take(sql) : nullptr;
  int rc = SQLITE_OK;
  if (p.stmt == nullptr) {
    const char* tail = nullptr;
    rc = sqlite3_prepare_v3(h, sql.data(), static_cast<int>(sql.size()),
                            cache != nullptr ? SQLITE_PREPARE_PERSISTENT : 0, &p.stmt, &tail);
    // Only a text of one statement is kept: the rest of a longer one would be lost on the next run.
    if (rc == SQLITE_OK && tail != nullptr &&
        std::string_view(tail).find_first_not_of(" \t\r\n;") != std::string_view::npos)
      p.cache = nullptr;
  }
  if (rc == SQLITE_OK && p.stmt) rc = detail::bind_values(p.stmt, params);
  if (rc != SQLITE_OK) {
    p.cache = nullptr;  // a statement that failed to bind is not kept
    return sqlite_status(rc, sqlite3_errmsg(h));
  }
  if (!p.stmt) return Status::statement_failed("Empty statement");
  return Status::success();
}

}  // namespace

Status SqlLink::exec(std::string_view sql, const std::vector<Value>& params) {
  Prepared p;
  if (Status s = prepare(handle_, cache_, sql, params, p); !s.ok()) return s;
  int rc;
  while ((rc = sqlite3_step(p.stmt)) == SQLITE_ROW) {
  }
  return rc == SQLITE_DONE ? Status::success() : sqlite_status(rc, sqlite3_errmsg(handle_));
}

Status SqlLink::query(std::string_view sql, const std::vector<Value>& params, ResultSet& out) {
  Prepared p;
  if (Status s = prepare(handle_, cache_, sql, params, p); !s.ok()) return s;
  const auto columns = static_cast<std::size_t>(sqlite3_column_count(p.stmt));
  if (out.columns() == 0) {
    out.set_columns(columns);
    for (std::size_t i = 0; i < columns; ++i)
      out.names.emplace_back(sqlite3_column_name(p.stmt, static_cast<int>(i)));
  }
  int rc;
  while ((rc = sqlite3_step(p.stmt)) == SQLITE_ROW)
    detail::append_row(p.stmt, std::min(columns, out.columns()), out);
  return rc == SQLITE_DONE ? Status::success() : sqlite_status(rc, sqlite3_errmsg(handle_));
}

std::optional<std::string> SqlLink::scalar(std::string_view sql, const std::vector<Value>& params,
                                           Status* status) {
  ResultSet rows;
  Status s = query(sql, params, rows);
  if (status) *status = s;
  if (!s.ok() || rows.rows() == 0 || rows.columns() == 0) return std::nullopt;
  return std::string(rows.cell(0, 0));
}

int SqlLink::changes() const {
  return sqlite3_changes(handle_);
}

std::int64_t SqlLink::last_insert_id() const {
  return sqlite3_last_insert_rowid(handle_);
}

void ProcedureRegistry::add(std::string_view name, std::size_t min_args, std::size_t max_args,
                            Procedure routine) {
  entries_[runtime::to_upper(name)] = Entry{min_args, max_args, std::move(routine)};
}

bool ProcedureRegistry::contains(std::string_view name) const {
  return entries_.find(runtime::to_upper(name)) != entries_.end();
}

Status ProcedureRegistry::call(std::string_view name, SqlLink& db, const std::vector<Value>& args,
                               ResultSet& out) const {
  const auto it = entries_.find(runtime::to_upper(name));
  if (it == entries_.end()) {
    return Status::statement_failed("Could not find stored procedure '" + std::string(name) + "'.");
  }
  const Entry& e = it->second;
  if (args.size() < e.min_args || args.size() > e.max_args) {
    return Status::statement_failed("Procedure or function " + std::string(name) +
                                    " has a wrong number of arguments specified.");
  }
  // Outside a caller's transaction the routine takes the write lock at once: a routine that reads before
  // it writes could otherwise find its snapshot outdated by another workstation and fail without waiting.
  const bool own_transaction = sqlite3_get_autocommit(db.handle()) != 0;
  if (Status s = db.exec(own_transaction ? "BEGIN IMMEDIATE" : "SAVEPOINT procedure_call"); !s.ok()) return s;
  ProcedureCall call{db, args, out, std::nullopt};
  Status s = e.routine(call);
  if (s.ok()) {
    s = db.exec(own_transaction ? "COMMIT" : "RELEASE procedure_call");
  }
  if (!s.ok()) {
    if (own_transaction) {
      db.exec("ROLLBACK");
    } else {
      db.exec("ROLLBACK TO procedure_call");
      db.exec("RELEASE procedure_call");
    }
  }
  if (call.ret_code) out.ret_code = call.ret_code;
  return s;
}

}  // namespace db
