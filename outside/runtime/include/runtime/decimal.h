// Fixed-point decimals for money and rates: exact decimal arithmetic with reported overflow.
#pragma once

#include <array>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace runtime {

// Why a value is not usable. A failed value holds 0 and its status spreads through every operation it
// takes part in, so one check at the end of a computation is enough.
enum class DecimalStatus : std::uint8_t {
  ok,
  overflow,          // the result has more integer digits than its type allows
  division_by_zero,  // a divisor or a rounding precision was 0
  invalid,           // text that is no number, NaN or infinity, a type outside 0 <= places <= digits <= 18
};

// The digits and places of a decimal field.
struct DecimalType {
  int digits;
  int places;
};

inline constexpr DecimalType kMoney{15, 2};
inline constexpr DecimalType kVatRate{5, 2};
inline constexpr DecimalType kExchangeRate{15, 6};

// A decimal of at most 18 digits, `places` of them after the point, held as a 64-bit count of units of
// 10^-places. Arithmetic is exact in 128 bits and rounds, where it must, half away from zero.
//
// Results: +, - and * are exact when they fit in 18 digits, otherwise they keep as many places as fit
// next to their integer part; / keeps 17 digits. A result whose integer part has more digits than the
// larger integer part of its operands' types is an overflow. To round a product or a quotient to a
// precision exactly once, use multiply_rounded and divide_rounded rather than rounding * or /.
//
// Comparisons look at the value only (2.5 == 2.50) and treat a failed value as 0.
class Decimal {
 public:
  static constexpr int kMaxDigits = 18;

  constexpr Decimal() = default;

  // units * 10^-places in a type of `digits` digits; overflow when units has more digits than the type.
  static Decimal from_units(std::int64_t units, int places, int digits = kMaxDigits);
  static Decimal whole(std::int64_t n) { return from_units(n, 0); }
  static Decimal failed(DecimalStatus status);

  // Text such as " -1234,5 ": blanks around, an optional sign, digits with at most one decimal point or
  // comma (".5" and "5." are numbers, "" and "-" are not), no grouping. More places than the type has are
  // rounded half away from zero. Without a type the value keeps the places it was written with.
  static Decimal parse(std::string_view text, int digits, int places);
  static Decimal parse(std::string_view text, DecimalType type) {
    return parse(text, type.digits, type.places);
  }
  static Decimal parse(std::string_view text);

  // A double converts by its shortest round-trip decimal text, so 2.345 is 2.345 and not the binary
  // neighbour 2.34499.., then as parse() does. NaN and infinity are invalid.
  static Decimal from_double(double value, int digits, int places);
  static Decimal from_double(double value, DecimalType type) {
    return from_double(value, type.digits, type.places);
  }
  static Decimal from_double(double value);

  std::int64_t units() const { return units_; }
  int places() const { return places_; }
  int digits() const { return int_digits_ + places_; }
  DecimalStatus status() const { return status_; }
  bool ok() const { return status_ == DecimalStatus::ok; }
  bool is_zero() const { return units_ == 0; }
  int sign() const { return (units_ > 0) - (units_ < 0); }

  // The nearest double; 0.0 for a failed value.
  double to_double() const;
  // "-1234.50": every place of the type, no grouping; "" for a failed value.
  std::string to_text(char point = '.') const;

  // The nearest multiple of `precision` (0.01, 0.05, 1, 0.5 ...), exact halves away from zero; the result
  // has the precision's places. A precision of 0 is division_by_zero, a negative one is invalid.
  Decimal rounded(const Decimal& precision) const;
  // The same value in a type of `places` places (rounded half away from zero when places shrink).
  Decimal with_places(int places) const;
  // The value stored into a field of the given type: rounded to its places, overflow when too large.
  Decimal fitted(int digits, int places) const;
  Decimal fitted(DecimalType type) const { return fitted(type.digits, type.places); }

  Decimal operator-() const;
  Decimal abs() const { return units_ < 0 ? -*this : *this; }

  friend Decimal operator+(const Decimal& a, const Decimal& b);
  friend Decimal operator-(const Decimal& a, const Decimal& b);
  friend Decimal operator*(const Decimal& a, const Decimal& b);
  friend Decimal operator/(const Decimal& a, const Decimal& b);
  Decimal& operator+=(const Decimal& b) { return *this = *this + b; }
  Decimal& operator-=(const Decimal& b) { return *this = *this - b; }
  Decimal& operator*=(const Decimal& b) { return *this = *this * b; }
  Decimal& operator/=(const Decimal& b) { return *this = *this / b; }

  friend bool operator==(const Decimal& a, const Decimal& b);
  friend std::strong_ordering operator<=>(const Decimal& a, const Decimal& b);

  // a * b rounded once to a multiple of `precision`; the result has the precision's places.
  friend Decimal multiply_rounded(const Decimal& a, const Decimal& b, const Decimal& precision);
  // a / b rounded once to a multiple of `precision`; the result has the precision's places.
  friend Decimal divide_rounded(const Decimal& a, const Decimal& b, const Decimal& precision);

 private:
  friend struct DecimalAccess;

  // multiply_rounded beyond its inline path: products past 64 bits, precisions other than 10^-n.
  static Decimal multiply_rounded_wide(const Decimal& a, const Decimal& b, const Decimal& precision);

  std::int64_t units_ = 0;
  std::uint8_t places_ = 0;
  std::uint8_t int_digits_ = kMaxDigits;
  DecimalStatus status_ = DecimalStatus::ok;
};

namespace decimal_detail {

inline constexpr std::array<std::int64_t, 19> kPow10 = [] {
  std::array<std::int64_t, 19> p{};
  p[0] = 1;
  for (std::size_t i = 1; i < p.size(); ++i) p[i] = p[i - 1] * 10;
  return p;
}();

template <std::int64_t D>
inline bool round_div(std::int64_t n, std::int64_t& out) {
  // D is even, so biasing by half of it before the truncating division rounds halves away from zero;
  // the bias is branch-free, as the halves of random amounts would defeat any predictor.
  std::int64_t biased = 0;
  if (__builtin_add_overflow(n, n < 0 ? -(D / 2) : D / 2, &biased)) return false;
  out = biased / D;
  return true;
}

// n / 10^k rounded half away from zero for the small k of everyday amounts and rates, with divisors the
// compiler knows; false for other k and for n within 10^k/2 of the 64-bit limits.
[[gnu::always_inline]] inline bool round_div_small_pow10(std::int64_t n, int k, std::int64_t& out) {
  switch (k) {
    case 0:
      out = n;
      return true;
    case 1:
      return round_div<kPow10[1]>(n, out);
    case 2:
      return round_div<kPow10[2]>(n, out);
    case 3:
      return round_div<kPow10[3]>(n, out);
    case 4:
      return round_div<kPow10[4]>(n, out);
    case 5:
      return round_div<kPow10[5]>(n, out);
    case 6:
      return round_div<kPow10[6]>(n, out);
    case 7:
      return round_div<kPow10[7]>(n, out);
    case 8:
      return round_div<kPow10[8]>(n, out);
    case 9:
      return round_div<kPow10[9]>(n, out);
    default:
      return false;
  }
}

}  // namespace decimal_detail

// A 64-bit product rounded to a power of ten (an amount times a rate to the grosz) stays inline.
inline Decimal multiply_rounded(const Decimal& a, const Decimal& b, const Decimal& precision) {
  std::int64_t product = 0, q = 0;
  if (a.status_ == DecimalStatus::ok && b.status_ == DecimalStatus::ok &&
      precision.status_ == DecimalStatus::ok && precision.units_ == 1 &&
      !__builtin_mul_overflow(a.units_, b.units_, &product) &&
      decimal_detail::round_div_small_pow10(product, a.places_ + b.places_ - precision.places_, q)) {
    const int places = precision.places_;
    int int_digits = a.int_digits_ > b.int_digits_ ? a.int_digits_ : b.int_digits_;
    if (int_digits + places > Decimal::kMaxDigits) int_digits = Decimal::kMaxDigits - places;
    const std::int64_t bound = decimal_detail::kPow10[int_digits + places];
    if (q < bound && q > -bound) {
      Decimal d;
      d.units_ = q;
      d.places_ = static_cast<std::uint8_t>(places);
      d.int_digits_ = static_cast<std::uint8_t>(int_digits);
      return d;
    }
  }
  return Decimal::multiply_rounded_wide(a, b, precision);
}

}  // namespace runtime
