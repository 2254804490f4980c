// Feeds arbitrary doubles and currency texts to the amounts in words and traps on malformed results.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "keldox/amount_in_words.h"
#include "runtime/text.h"

namespace {

void require(bool condition) {
  if (!condition) __builtin_trap();
}

bool starts_with(const std::string& s, const char* prefix) {
  return s.rfind(prefix, 0) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  double amount = 0;
  const auto bits = input.ConsumeIntegral<std::uint64_t>();
  std::memcpy(&amount, &bits, sizeof amount);
  const std::string currency = input.ConsumeRemainingBytesAsString();

  const bool in_range = std::isfinite(amount) && std::fabs(amount) < 999999999999.99;
  const std::string polish = keldox::SLOWNIE(amount);
  require(polish.find("  ") == std::string::npos && runtime::char_count(polish) <= 500);
  require(polish.empty() || starts_with(polish, " ") || starts_with(polish, "minus ") ||
          polish == "zero złotych zero groszy");
  require(!in_range || std::fabs(amount) < 0.005 || !polish.empty());

  const std::string foreign = keldox::SLOWNIE(amount, currency);
  require(runtime::char_count(foreign) <= 500);

  const std::string short_form = keldox::SLOWNIEKROTKO(amount);
  if (in_range) require(!short_form.empty());
  if (!short_form.empty()) require(short_form.compare(short_form.size() - 4, 4, "/100") == 0);
  return 0;
}
