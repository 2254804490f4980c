// What a statement text becomes before the embedded engine runs it: SQL steps, procedure calls, branches.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "db/value.h"

namespace db {

struct Step {
  enum class Kind { Sql, Call, IfExists };
  Kind kind = Kind::Sql;
  std::string sql;               // Sql: SQLite text; IfExists: the query whose first row decides
  std::string procedure;         // Call: name as written, without owner prefix
  std::vector<Value> args;       // Call: literal arguments
  bool binds_ret_code = false;   // Call: written `&RetCode = call ...`
  std::vector<Step> then_steps;  // IfExists: run when the query returns a row
  std::vector<Step> else_steps;  // IfExists: run otherwise
  bool negated = false;          // IfExists: `if not exists`
};

struct Program {
  std::optional<std::string> refusal;  // set when the text cannot be translated; names the construct
  std::vector<Step> steps;
};

// Turns an application statement text into a program for the embedded engine.
using Translator = std::function<Program(std::string_view)>;

// The translator used when none is given: the text runs as SQLite SQL unchanged.
Program pass_through(std::string_view statement);

}  // namespace db
