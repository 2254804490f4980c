// Leading numbers of texts through std::from_chars, which reads the same in every locale.
#include "runtime/number_text.h"

#include <charconv>
#include <cmath>

#include "runtime/text.h"

namespace runtime {
namespace {

// The text from its number on: blanks gone and a plus sign dropped, since from_chars takes only a minus.
// Nothing when the sign is not followed by the number itself ("+-5", "++5").
std::optional<std::string_view> after_plus(std::string_view text) {
  std::string_view s = trim(text);
  if (s.starts_with('+')) {
    s.remove_prefix(1);
    if (s.starts_with('+') || s.starts_with('-')) return std::nullopt;
  }
  return s;
}

}  // namespace

std::optional<double> leading_number(std::string_view text, Exponent exponent) {
  const std::optional<std::string_view> s = after_plus(text);
  if (!s) return std::nullopt;
  const auto format = exponent == Exponent::read ? std::chars_format::general : std::chars_format::fixed;
  double value = 0.0;
  const auto [end, error] = std::from_chars(s->data(), s->data() + s->size(), value, format);
  if (error != std::errc() || end == s->data()) return std::nullopt;
  return value;
}

std::optional<std::int64_t> leading_integer(std::string_view text) {
  const std::optional<std::string_view> s = after_plus(text);
  if (!s) return std::nullopt;
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(s->data(), s->data() + s->size(), value);
  if (error != std::errc() || end == s->data()) return std::nullopt;
  return value;
}

double number_from_text(std::string_view text) {
  const std::optional<double> value = leading_number(text);
  return value && std::isfinite(*value) ? *value : 0.0;
}

}  // namespace runtime
