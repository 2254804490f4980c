// Fuzz target: the translator may refuse any input but must neither crash nor hang, and whatever it does
// not refuse must be SQLite text that SQLite can parse (unknown tables and functions aside): it never
// sends a mangled statement. Bytes from 0x80 up stand for the subset's keywords and operators, so that
// the fuzzer reaches deep into the grammar.
#include <sqlite3.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "db/tsql/functions.h"
#include "db/tsql/translate.h"

namespace {

constexpr std::string_view kPieces[] = {
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

sqlite3* database() {
  static sqlite3* db = [] {
    sqlite3* d = nullptr;
    sqlite3_open(":memory:", &d);
    db::tsql::register_tsql_functions(d);
    return d;
  }();
  return db;
}

// SQLite's complaints about the text itself, as opposed to the objects it names.
bool malformed(const std::string& sql) {
  sqlite3_stmt* st = nullptr;
  const int rc = sqlite3_prepare_v2(database(), sql.c_str(), static_cast<int>(sql.size()), &st, nullptr);
  sqlite3_finalize(st);
  if (rc == SQLITE_OK) return false;
  const std::string_view message = sqlite3_errmsg(database());
  return message.find("syntax error") != std::string_view::npos ||
         message.find("unrecognized token") != std::string_view::npos ||
         message.find("incomplete input") != std::string_view::npos;
}

void check_steps(const db::tsql::Steps& steps) {
  for (const auto& step : steps) {
    if (const auto* s = std::get_if<db::tsql::Statement>(&step.node)) {
      if (s->sql.rfind("CREATE VIEW", 0) != 0 && s->sql.rfind("DROP", 0) != 0 && malformed(s->sql))
        std::abort();
    } else if (const auto* c = std::get_if<db::tsql::Conditional>(&step.node)) {
      if (malformed(c->condition_sql)) std::abort();
      check_steps(c->then_steps);
      check_steps(c->else_steps);
    } else if (const auto* a = std::get_if<db::tsql::Atomic>(&step.node)) {
      check_steps(a->steps);
    }
  }
}

void check(std::string_view tsql) {
  const auto program = db::tsql::translate(tsql);
  (void)db::tsql::describe(program);
  if (!program.refused()) check_steps(program.steps);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view raw(reinterpret_cast<const char*>(data), size);
  check(raw);
  std::string expanded;
  expanded.reserve(size * 4);
  constexpr std::size_t kCount = sizeof(kPieces) / sizeof(kPieces[0]);
  for (const std::uint8_t b : raw) {
    if (b >= 0x80) {
      expanded += kPieces[(b - 0x80) % kCount];
    } else {
      expanded += static_cast<char>(b);
    }
  }
  check(expanded);
  return 0;
}
