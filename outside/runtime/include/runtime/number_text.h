// Reading the number a text starts with: one way for every layer, in the notation of statements and
// stored values (a point before the decimals) whatever the process locale says.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace runtime {

// Whether an exponent ("1e5", "2.5E-3") belongs to the number or ends it.
enum class Exponent { ends_number, read };

// The decimal number `text` starts with, blanks around it ignored, read as far as it goes ("12.5x" is
// 12.5): one optional sign, digits with an optional decimal part and, when asked, an exponent; "inf" and
// "nan" read as what they name. Nothing when the text does not start with a number, or the number lies
// beyond the range of a double.
std::optional<double> leading_number(std::string_view text, Exponent exponent = Exponent::ends_number);

// The whole number `text` starts with, blanks around it ignored, read as far as it goes ("12.5" is 12):
// one optional sign and digits. Nothing when the text does not start with one, or it lies beyond 64 bits.
std::optional<std::int64_t> leading_integer(std::string_view text);

// The number a field's or a user's text stands for: the leading number without an exponent ("1e5" is
// 1), and 0 for a text without one, for infinities and for NaN.
double number_from_text(std::string_view text);

}  // namespace runtime
