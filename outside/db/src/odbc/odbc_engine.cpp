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

class Statement {
 public:
  explicit Statement(SQLHDBC dbc) { SQLAllocHandle(SQL_HANDLE_STMT, dbc, &handle_); }
  ~Statement() {
    if (handle_ != SQL_NULL_HSTMT) SQLFreeHandle(SQL_HANDLE_STMT, handle_);
  }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  SQLHSTMT get() const { return handle_; }

 private:
  SQLHSTMT handle_ = SQL_NULL_HSTMT;
};

bool approximate(SQLSMALLINT type) {
  return type == SQL_REAL || type == SQL_FLOAT || type == SQL_DOUBLE;
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
      : dbc_(dbc), options_(std::move(options)) {}
  ~OdbcConnection() override {
    SQLDisconnect(dbc_);
    SQLFreeHandle(SQL_HANDLE_DBC, dbc_);
  }

  bool usable() const override { return !lost_; }

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

  // Runs one statement text; the rows of its last result that has columns are the result.
  Status execute(const std::string& text, std::size_t max_columns, ResultSet& out, bool binds_retcode) {
    Statement stmt(dbc_);
    if (stmt.get() == SQL_NULL_HSTMT) return fail(diagnose(SQL_HANDLE_DBC, dbc_, "Allocating a statement"));
    if (options_->query_timeout_s > 0) {
      SQLSetStmtAttr(stmt.get(), SQL_ATTR_QUERY_TIMEOUT,
                     reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(options_->query_timeout_s)), 0);
    }
    SQLINTEGER ret_code = 0;
    SQLLEN ret_indicator = 0;
    if (binds_retcode) {
      const SQLRETURN rc = SQLBindParameter(stmt.get(), 1, SQL_PARAM_OUTPUT, SQL_C_SLONG, SQL_INTEGER, 0, 0,
                                            &ret_code, 0, &ret_indicator);
      if (!succeeded(rc)) return fail(diagnose(SQL_HANDLE_STMT, stmt.get(), "Binding the return code"));
    }
    SQLRETURN rc = SQLExecDirect(stmt.get(), reinterpret_cast<SQLCHAR*>(const_cast<char*>(text.c_str())),
                                 static_cast<SQLINTEGER>(text.size()));
    if (rc == SQL_NO_DATA) rc = SQL_SUCCESS;  // a write that touched no row
    if (!succeeded(rc)) return fail(diagnose(SQL_HANDLE_STMT, stmt.get(), "Running the statement"));
    bool have_rows = false;
    do {
      SQLSMALLINT columns = 0;
      if (!succeeded(SQLNumResultCols(stmt.get(), &columns))) columns = 0;
      if (columns > 0) {
        ResultSet rows;
        if (Status s = read_rows(stmt.get(), static_cast<std::size_t>(columns), max_columns, rows); !s.ok())
          return s;
        out = std::move(rows);
        have_rows = true;
      }
      rc = SQLMoreResults(stmt.get());
      if (rc != SQL_NO_DATA && !succeeded(rc))
        return fail(diagnose(SQL_HANDLE_STMT, stmt.get(), "Reading the next result"));
    } while (rc != SQL_NO_DATA);
    if (!have_rows && max_columns > 0) out.clear();
    if (binds_retcode)
      out.ret_code = static_cast<std::uint8_t>(ret_indicator == SQL_NULL_DATA ? 0 : ret_code);
    return Status::success();
  }

  Status read_rows(SQLHSTMT stmt, std::size_t columns, std::size_t max_columns, ResultSet& out) {
    out.clear();
    out.set_columns(std::min(columns, max_columns));
    std::vector<SQLSMALLINT> types(out.columns());
    for (std::size_t c = 0; c < out.columns(); ++c) {
      SQLCHAR name[256] = {};
      SQLSMALLINT name_length = 0, type = 0, digits = 0, nullable = 0;
      SQLULEN size = 0;
      SQLDescribeCol(stmt, static_cast<SQLUSMALLINT>(c + 1), name, sizeof name, &name_length, &type, &size,
                     &digits, &nullable);
      out.names.emplace_back(reinterpret_cast<const char*>(name));
      types[c] = type;
    }
    SQLRETURN rc;
    while (succeeded(rc = SQLFetch(stmt))) {
      for (std::size_t c = 0; c < out.columns(); ++c) {
        std::string cell;
        if (Status s = read_cell(stmt, c + 1, types[c], cell); !s.ok()) return s;
        out.add_cell(cell);
      }
    }
    if (rc != SQL_NO_DATA) return fail(diagnose(SQL_HANDLE_STMT, stmt, "Reading a row"));
    return Status::success();
  }

  // A column's text; NULL is the empty text. Only what a channel keeps (1000 letters of at most four
  // bytes) is read of a longer value.
  Status read_cell(SQLHSTMT stmt, std::size_t column, SQLSMALLINT type, std::string& out) {
    const auto n = static_cast<SQLUSMALLINT>(column);
    SQLLEN indicator = 0;
    if (approximate(type)) {
      double value = 0;
      const SQLRETURN rc = SQLGetData(stmt, n, SQL_C_DOUBLE, &value, sizeof value, &indicator);
      if (!succeeded(rc)) return fail(diagnose(SQL_HANDLE_STMT, stmt, "Reading a column"));
      if (indicator != SQL_NULL_DATA) out = format_real(value);
      return Status::success();
    }
    constexpr std::size_t kEnough = kColumnWidth * 4;
    char buffer[2048];
    while (out.size() < kEnough) {
      const SQLRETURN rc = SQLGetData(stmt, n, SQL_C_CHAR, buffer, sizeof buffer, &indicator);
      if (rc == SQL_NO_DATA) break;
      if (!succeeded(rc)) return fail(diagnose(SQL_HANDLE_STMT, stmt, "Reading a column"));
      if (indicator == SQL_NULL_DATA) break;
      // A part that did not fit fills the buffer less its terminator; the last part says its own length.
      const std::size_t got = (indicator == SQL_NO_TOTAL || indicator >= static_cast<SQLLEN>(sizeof buffer))
                                  ? sizeof buffer - 1
                                  : static_cast<std::size_t>(indicator);
      out.append(buffer, got);
      if (rc == SQL_SUCCESS) break;
    }
    return Status::success();
  }

  Status fail(const odbc::Diagnosis& d) {
    if (d.connection_lost) lost_ = true;
    return d.status;
  }

  SQLHDBC dbc_;
  std::shared_ptr<const OdbcOptions> options_;
  ProgramCache programs_;
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
