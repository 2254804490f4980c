// Reading numbers out of the texts that fill list records.
#include "dane/record_fields.h"

#include <charconv>
#include <cmath>

namespace dane {

double number_from_text(std::string_view text) {
  std::string_view s = runtime::trim(text);
  if (!s.empty() && s.front() == '+') {
    s.remove_prefix(1);
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) return 0.0;
  }
  double value = 0.0;
  const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value, std::chars_format::fixed);
  if (error != std::errc() || end == s.data() || !std::isfinite(value)) return 0.0;
  return value;
}

}  // namespace dane
