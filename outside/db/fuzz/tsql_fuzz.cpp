// Fuzz target: the translator may refuse any input but must neither crash nor hang.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "db/tsql/translate.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto program = db::tsql::translate(std::string_view(reinterpret_cast<const char*>(data), size));
  (void)db::tsql::describe(program);
  return 0;
}
