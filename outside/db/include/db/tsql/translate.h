// Translation of the T-SQL texts the system composes into programs the embedded SQLite engine can run.
#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace db::tsql {

struct Step;
using Steps = std::vector<Step>;

// One SQLite statement. `returns_rows` is true for a SELECT whose rows belong to the caller's channel;
// other statements are stepped to completion.
struct Statement {
  std::string sql;
  bool returns_rows = false;
};

// One argument of a procedure call as written: a literal (its decoded value in `value`) or, for anything
// else, a SQLite expression text in `value` that the executor may evaluate with `SELECT <value>`.
struct Argument {
  enum class Kind { Null, Integer, Decimal, Text, Expression };
  Kind kind = Kind::Null;
  std::string
      value;  // Integer/Decimal: the digits as written ("-1", "4.15"); Text: without quotes, '' undone
};

// `call X(...)`, `call X`, `exec X ...` and `&RetCode = call X(...)`. The name keeps its spelling (without
// a `dbo.` prefix); procedures are looked up case-insensitively by the executor.
struct ProcedureCall {
  std::string name;
  std::vector<Argument> arguments;
  bool binds_retcode = false;  // `&RetCode = call ...`: the channel's one-byte output binding is requested
};

// `if <condition> <block> [else <block>]`. `condition_sql` is a SELECT yielding one row whose first column
// is 1 when the condition holds and 0 otherwise (unknown counts as not holding, as on the server).
struct Conditional {
  std::string condition_sql;
  Steps then_steps;
  Steps else_steps;
};

// Steps that succeed or fail together: the executor runs them inside a savepoint and rolls the savepoint
// back when one fails, keeping the first error. Used where the server checks a definition before it
// replaces the old one (`alter view`): the last step probes the new object so that errors SQLite only
// finds on use surface here.
struct Atomic {
  Steps steps;
};

struct Step {
  std::variant<Statement, ProcedureCall, Conditional, Atomic> node;
};

// The result of translating one text (a batch of one or more statements). Either `refusal` is non-empty
// and names the construct that cannot be translated (nothing of the batch may run), or `steps` holds the
// batch in order. An empty batch (only comments, or session settings such as `SET DATEFIRST 1`) is a
// program with no steps.
struct Program {
  Steps steps;
  std::string refusal;

  bool refused() const { return !refusal.empty(); }
};

// Parses `tsql` into a tree and writes SQLite text from it. Never throws; never returns a statement it
// could not translate faithfully. The SQL it writes relies on the functions and the collation of
// functions.h being registered on the connection.
Program translate(std::string_view tsql);

// The SQLite text of a program for display (`sqlshell --translate`, tests): statements separated by ";\n",
// procedure calls and control flow in a readable pseudo form.
std::string describe(const Program& program);

}  // namespace db::tsql
