// Fuzz target: the translator may refuse any input but must neither crash nor hang. Bytes from 0x80 up
// also stand for the subset's keywords and operators, so that the fuzzer reaches deep into the grammar.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view raw(reinterpret_cast<const char*>(data), size);
  (void)db::tsql::describe(db::tsql::translate(raw));

  std::string expanded;
  expanded.reserve(size * 4);
  constexpr std::size_t kCount = sizeof(kPieces) / sizeof(kPieces[0]);
  for (const std::uint8_t b : std::string_view(raw)) {
    if (b >= 0x80) {
      expanded += kPieces[(b - 0x80) % kCount];
    } else {
      expanded += static_cast<char>(b);
    }
  }
  (void)db::tsql::describe(db::tsql::translate(expanded));
  return 0;
}
