// Fuzz target: the translator must neither crash nor hang, and never send a mangled statement.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "tsql_fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace db::tsql::fuzz;
  const std::string_view raw(reinterpret_cast<const char*>(data), size);
  if (!translates_well(raw) || !translates_well(expanded(raw))) std::abort();
  return 0;
}
