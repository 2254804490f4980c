// What the translator's fuzz target checks, shared with the regression test of the inputs it found: the
// translator may refuse any input, but whatever it does not refuse must be SQLite text that SQLite can
// parse (unknown tables and functions aside). Bytes from 0x80 up stand for the subset's keywords and
// operators, so that the fuzzer reaches deep into the grammar.
#pragma once

#include <sqlite3.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "db/tsql/functions.h"
#include "db/tsql/translate.h"

namespace db::tsql::fuzz {

inline constexpr std::string_view kPieces[] = {
    "select ",
    "from ",
    "where ",
    "and ",
    "or ",
    "not ",
    "exists ",
    "in ",
    "like ",
    "between ",
    "is null ",
    "top 1 ",
    "distinct ",
    "group by ",
    "order by ",
    "having ",
    "union all ",
    "insert into ",
    "values ",
    "update ",
    "set ",
    "delete ",
    "if ",
    "begin ",
    "end ",
    "else ",
    "call ",
    "exec ",
    "&RetCode = call ",
    "alter view ",
    "as ",
    "with (nolock) ",
    "inner join ",
    "left outer join ",
    " on ",
    "isnull(",
    "convert(varchar(30),",
    "cast(",
    " as datetime)",
    " as decimal(16,2))",
    "dbo.",
    "case when ",
    " then ",
    " end ",
    "len(",
    "+",
    "'a''b'",
    "N'żółw'",
    "5and ",
    "(",
    ")",
    ",",
    "=",
    "<>",
    "t.a",
    "x",
    "[n]",
    "1",
    "-1",
    "4.15",
    ";",
    "getdate()",
    "datediff(dd,",
    "substring(",
    "count(*)",
    "*",
    "select 1 from t where ",
};

inline sqlite3* database() {
  static sqlite3* db = [] {
    sqlite3* d = nullptr;
    sqlite3_open(":memory:", &d);
    db::tsql::register_tsql_functions(d);
    return d;
  }();
  return db;
}

// SQLite's complaints about the text itself, as opposed to the objects it names. The kind of complaint is
// read from the message's fixed parts only: a name in the statement ("[incomplete input]") is quoted in
// other messages and must not pass for one.
inline bool malformed(const std::string& sql) {
  sqlite3_stmt* st = nullptr;
  const int rc = sqlite3_prepare_v2(database(), sql.c_str(), static_cast<int>(sql.size()), &st, nullptr);
  sqlite3_finalize(st);
  if (rc == SQLITE_OK) return false;
  const std::string_view message = sqlite3_errmsg(database());
  return message == "incomplete input" || message.starts_with("unrecognized token: ") ||
         (message.starts_with("near \"") && message.ends_with("\": syntax error"));
}

// False when a statement the translator did not refuse is one SQLite cannot parse.
inline bool well_formed(const db::tsql::Steps& steps) {
  for (const auto& step : steps) {
    if (const auto* s = std::get_if<db::tsql::Statement>(&step.node)) {
      if (s->sql.rfind("CREATE VIEW", 0) != 0 && s->sql.rfind("DROP", 0) != 0 && malformed(s->sql))
        return false;
    } else if (const auto* c = std::get_if<db::tsql::Conditional>(&step.node)) {
      if (malformed(c->condition_sql) || !well_formed(c->then_steps) || !well_formed(c->else_steps))
        return false;
    } else if (const auto* a = std::get_if<db::tsql::Atomic>(&step.node)) {
      if (!well_formed(a->steps)) return false;
    }
  }
  return true;
}

inline bool translates_well(std::string_view tsql) {
  const auto program = db::tsql::translate(tsql);
  (void)db::tsql::describe(program);
  return program.refused() || well_formed(program.steps);
}

// The input with each byte from 0x80 up replaced by its piece.
inline std::string expanded(std::string_view raw) {
  std::string out;
  out.reserve(raw.size() * 4);
  constexpr std::size_t kCount = sizeof(kPieces) / sizeof(kPieces[0]);
  for (const char c : raw) {
    const auto b = static_cast<std::uint8_t>(c);
    if (b >= 0x80) {
      out += kPieces[(b - 0x80) % kCount];
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace db::tsql::fuzz
