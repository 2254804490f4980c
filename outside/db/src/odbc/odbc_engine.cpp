// The server engine over the ODBC driver manager: a connection per thread, a statement handle per run,
// every column read as text.
#include <sql.h>
#include <sqlext.h>

#include <list>
#include <mutex>
#include <utility>
#include <variant>

#include "db/odbc_engine.h"
#include "db/result_set.h"
#include "odbc_diagnostics.h"
#include "odbc_records.h"
#include "odbc_statement.h"
#include "procedure_run.h"
#include "runtime/number_text.h"
#include "runtime/text.h"

namespace db {
namespace {

using odbc::diagnose;
using odbc::succeeded;

// The process's one ODBC environment; it lives as long as the process, since connections of threads
// that end late may still be freed after any static destructor.
SQLHENV environment(Status& status) {
  static SQLHENV env = SQL_NULL_HENV;
  static Status failure;
  static std::once_flag once;
  std::call_once(once, [] {
    if (!succeeded(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env))) {
      failure = Status::statement_failed("The ODBC driver manager could not be initialised");
      env = SQL_NULL_HENV;
      return;
    }
    SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
  });
  status = failure;
  return env;
}

// Recently translated texts: the same statements come back often.
class ProgramCache {
 public:
  const Program& get(std::string_view text, const Translator& translator) {
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
      if (it->first == text) {
        entries_.splice(entries_.begin(), entries_, it);
        return entries_.front().second;
      }
    }
    entries_.emplace_front(std::string(text), translator ? translator(text) : translate_tsql(text));
    if (entries_.size() > 32) entries_.pop_back();
    return entries_.front().second;
  }

 private:
  std::list<std::pair<std::string, Program>> entries_;
};

class OdbcConnection final : public Connection {
 public:
  OdbcConnection(SQLHDBC dbc, std::shared_ptr<const OdbcOptions> options)
      : dbc_(dbc), options_(std::move(options)), records_(dbc, options_->sqlite_dialect) {}
  ~OdbcConnection() override {
    prepared_.clear();  // statement handles go before their connection
    SQLDisconnect(dbc_);
    SQLFreeHandle(SQL_HANDLE_DBC, dbc_);
  }

  bool usable() const override { return !lost_ && !records_.lost(); }
  RecordConnection* records() override { return &records_; }

  Status run(std::string_view statement, std::size_t max_columns, ResultSet& out) override {
    if (options_->sqlite_dialect) {
      const Program& program = programs_.get(statement, options_->translator);
      if (program.refused()) return Status::statement_failed(program.refusal);
      return run_steps(program.steps, max_columns, out);
    }
    CallEscape call;
    if (call_escape(statement, call)) return execute(call.text, max_columns, out, call.binds_retcode);
    return execute(std::string(runtime::trim_right(statement)), max_columns, out, false);
  }

 private:
  Status run_steps(const tsql::Steps& steps, std::size_t max_columns, ResultSet& out) {
    for (const tsql::Step& step : steps) {
      Status s = std::visit([&](const auto& node) { return run_node(node, max_columns, out); }, step.node);
      if (!s.ok()) return s;
    }
    return Status::success();
  }

  Status run_node(const tsql::Statement& node, std::size_t max_columns, ResultSet& out) {
    return execute(node.sql, max_columns, out, false);
  }

  Status run_node(const tsql::Conditional& node, std::size_t max_columns, ResultSet& out) {
    ResultSet answer;
    if (Status s = execute(node.condition_sql, 1, answer, false); !s.ok()) return s;
    const bool holds = answer.rows() > 0 && answer.columns() > 0 && answer.cell(0, 0) == "1";
    return run_steps(holds ? node.then_steps : node.else_steps, max_columns, out);
  }

  Status run_node(const tsql::Atomic& node, std::size_t max_columns, ResultSet& out) {
    ResultSet none;
    if (Status s = execute("SAVEPOINT atomic_steps", 0, none, false); !s.ok()) return s;
    Status s = run_steps(node.steps, max_columns, out);
    if (!s.ok()) execute("ROLLBACK TO atomic_steps", 0, none, false);
    execute("RELEASE atomic_steps", 0, none, false);
    return s;
  }

  // The stand-in's procedures run on the driver's own SQLite connection, which its extension names.
  Status run_node(const tsql::ProcedureCall& node, std::size_t max_columns, ResultSet& out) {
    sqlite3* db = driver_database();
    if (db == nullptr)
      return Status::statement_failed("Could not find stored procedure '" + node.name + "'.");
    SqlLink link(db);
    return detail::run_procedure(options_->procedures.get(), node, link, max_columns, out);
  }

  sqlite3* driver_database() {
    if (!options_->procedures) return nullptr;
    if (!asked_for_database_) {
      asked_for_database_ = true;
      ResultSet answer;
      if (execute("select mirlet_connection_handle()", 1, answer, false).ok() && answer.rows() == 1) {
        const auto address = runtime::leading_integer(answer.cell(0, 0));
        if (address && *address != 0)
          driver_database_ = reinterpret_cast<sqlite3*>(static_cast<std::intptr_t>(*address));
      }
    }
    return driver_database_;
  }

  // Queries come back again and again (a browse's pages, probes): they keep their prepared handle, as the
  // embedded engine keeps its prepared statements. Writes rarely repeat their literal values.
  static bool worth_preparing(std::string_view text) {
    const std::string_view t = runtime::trim_left(text);
    return t.size() > 7 && runtime::to_lower(t.substr(0, 7)) == "select ";
  }

  std::unique_ptr<odbc::StatementHandle> prepared(const std::string& text) {
    for (auto it = prepared_.begin(); it != prepared_.end(); ++it) {
      if (it->first == text) {
        auto handle = std::move(it->second);
        prepared_.erase(it);
        return handle;
      }
    }
    return nullptr;
  }

  void keep_prepared(const std::string& text, std::unique_ptr<odbc::StatementHandle> handle) {
    SQLFreeStmt(handle->get(), SQL_CLOSE);
    prepared_.emplace_front(text, std::move(handle));
    if (prepared_.size() > kPreparedHandles) prepared_.pop_back();
  }

  // Runs one statement text; the rows of its last result that has columns are the result.
  Status execute(const std::string& text, std::size_t max_columns, ResultSet& out, bool binds_retcode) {
    const bool reusable = !binds_retcode && worth_preparing(text);
    std::unique_ptr<odbc::StatementHandle> stmt = reusable ? prepared(text) : nullptr;
    const bool was_prepared = stmt != nullptr;
    if (!stmt) {
      stmt = std::make_unique<odbc::StatementHandle>(dbc_);
      if (!stmt->valid()) return fail(diagnose(SQL_HANDLE_DBC, dbc_, "Allocating a statement"));
      if (options_->query_timeout_s > 0) {
        SQLSetStmtAttr(stmt->get(), SQL_ATTR_QUERY_TIMEOUT,
                       reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(options_->query_timeout_s)), 0);
      }
    }
    SQLINTEGER ret_code = 0;
    SQLLEN ret_indicator = 0;
    if (binds_retcode) {
      const SQLRETURN rc = SQLBindParameter(stmt->get(), 1, SQL_PARAM_OUTPUT, SQL_C_SLONG, SQL_INTEGER, 0, 0,
                                            &ret_code, 0, &ret_indicator);
      if (!succeeded(rc)) return fail(diagnose(SQL_HANDLE_STMT, stmt->get(), "Binding the return code"));
    }
    SQLRETURN rc;
    if (reusable) {
      rc = was_prepared ? SQL_SUCCESS : stmt->prepare(text);
      if (succeeded(rc)) rc = stmt->execute_prepared();
    } else {
      rc = stmt->execute(text);
    }
    if (!succeeded(rc)) return fail(diagnose(SQL_HANDLE_STMT, stmt->get(), "Running the statement"));
    bool have_rows = false;
    do {
      SQLSMALLINT columns = 0;
      if (!succeeded(SQLNumResultCols(stmt->get(), &columns))) columns = 0;
      if (columns > 0) {
        ResultSet rows;
        if (!succeeded(stmt->read_rows(max_columns, rows)))
          return fail(diagnose(SQL_HANDLE_STMT, stmt->get(), "Reading a row"));
        out = std::move(rows);
        have_rows = true;
      }
      rc = SQLMoreResults(stmt->get());
      if (rc != SQL_NO_DATA && !succeeded(rc))
        return fail(diagnose(SQL_HANDLE_STMT, stmt->get(), "Reading the next result"));
    } while (rc != SQL_NO_DATA);
    if (!have_rows && max_columns > 0) out.clear();
    if (binds_retcode)
      out.ret_code = static_cast<std::uint8_t>(ret_indicator == SQL_NULL_DATA ? 0 : ret_code);
    if (reusable) keep_prepared(text, std::move(stmt));
    return Status::success();
  }

  Status fail(const odbc::Diagnosis& d) {
    if (d.connection_lost) lost_ = true;
    return d.status;
  }

  SQLHDBC dbc_;
  std::shared_ptr<const OdbcOptions> options_;
  ProgramCache programs_;
  odbc::OdbcRecords records_;
  static constexpr std::size_t kPreparedHandles = 16;
  std::list<std::pair<std::string, std::unique_ptr<odbc::StatementHandle>>> prepared_;
  bool lost_ = false;
  bool asked_for_database_ = false;
  sqlite3* driver_database_ = nullptr;
};

class OdbcEngine final : public Engine {
 public:
  explicit OdbcEngine(OdbcOptions options)
      : options_(std::make_shared<const OdbcOptions>(std::move(options))) {}

  Status connect(std::unique_ptr<Connection>& out) override {
    Status s;
    SQLHENV env = environment(s);
    if (!s.ok()) return s;
    SQLHDBC dbc = SQL_NULL_HDBC;
    if (!succeeded(SQLAllocHandle(SQL_HANDLE_DBC, env, &dbc)))
      return diagnose(SQL_HANDLE_ENV, env, "Allocating a connection").status;
    const auto seconds = reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(options_->login_timeout_s));
    SQLSetConnectAttr(dbc, SQL_ATTR_LOGIN_TIMEOUT, seconds, 0);
    SQLSetConnectAttr(dbc, SQL_ATTR_CONNECTION_TIMEOUT, seconds, 0);
    const std::string& text = options_->connection_string;
    const SQLRETURN rc =
        SQLDriverConnect(dbc, nullptr, reinterpret_cast<SQLCHAR*>(const_cast<char*>(text.c_str())),
                         static_cast<SQLSMALLINT>(text.size()), nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT);
    if (!succeeded(rc)) {
      odbc::Diagnosis d = diagnose(SQL_HANDLE_DBC, dbc, "Connecting");
      SQLFreeHandle(SQL_HANDLE_DBC, dbc);
      return d.status;
    }
    out = std::make_unique<OdbcConnection>(dbc, options_);
    return Status::success();
  }

  std::string describe() const override {
    return std::string("odbc:") + (options_->sqlite_dialect ? "dialect=sqlite;" : "") + "...";
  }

 private:
  std::shared_ptr<const OdbcOptions> options_;
};

}  // namespace

std::shared_ptr<Engine> make_odbc_engine(OdbcOptions options) {
  return std::make_shared<OdbcEngine>(std::move(options));
}

}  // namespace db
