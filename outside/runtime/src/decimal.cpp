// Decimal arithmetic: 64-bit units, 128-bit intermediates, rounding half away from zero.
#include "runtime/decimal.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <utility>

namespace runtime {

namespace {

using Wide = __int128;

constexpr int kMax = Decimal::kMaxDigits;

using decimal_detail::kPow10;

// Powers of ten up to 10^38, the largest that fits in 128 bits.
constexpr std::array<Wide, 39> kWidePow10 = [] {
  std::array<Wide, 39> p{};
  p[0] = 1;
  for (std::size_t i = 1; i < p.size(); ++i) p[i] = p[i - 1] * 10;
  return p;
}();

constexpr Wide kWideMax = static_cast<Wide>((static_cast<unsigned __int128>(1) << 127) - 1);

Wide wide_abs(Wide v) {
  return v < 0 ? -v : v;
}

// n / d rounded half away from zero, d > 0.
Wide round_div(Wide n, Wide d) {
  Wide q = n / d;
  Wide r = wide_abs(n % d);
  if (r >= d - r) q += n < 0 ? -1 : 1;
  return q;
}

// Division by each power of ten known at compile time, so that rounding multiplies instead of dividing.
template <std::size_t... K>
constexpr auto make_pow10_dividers(std::index_sequence<K...>) {
  return std::array<bool (*)(std::int64_t, std::int64_t&), sizeof...(K)>{
      &decimal_detail::round_div<kPow10[K + 1]>...};
}
constexpr auto kRoundDivPow10 = make_pow10_dividers(std::make_index_sequence<18>{});

// n / 10^k rounded half away from zero; false for k outside 0..18 and n near the 64-bit limits.
bool round_div_pow10(std::int64_t n, int k, std::int64_t& out) {
  if (k == 0) {
    out = n;
    return true;
  }
  if (k < 0 || k > 18) return false;
  return kRoundDivPow10[static_cast<std::size_t>(k - 1)](n, out);
}

// v * 10^k; false when that does not fit in 128 bits.
bool scale_up(Wide v, int k, Wide& out) {
  if (k > 38 || wide_abs(v) > kWideMax / kWidePow10[k]) return false;
  out = v * kWidePow10[k];
  return true;
}

bool valid_type(int digits, int places) {
  return places >= 0 && places <= digits && digits <= kMax;
}

DecimalStatus first_failure(const Decimal& a, const Decimal& b) {
  return a.ok() ? b.status() : a.status();
}

DecimalStatus precision_failure(const Decimal& p) {
  if (!p.ok()) return p.status();
  if (p.is_zero()) return DecimalStatus::division_by_zero;
  if (p.sign() < 0) return DecimalStatus::invalid;
  return DecimalStatus::ok;
}

bool is_blank(char c) {
  return c == ' ' || c == '\t';
}

// A number as written: sign, significant integer digits and the fraction digits.
struct WrittenNumber {
  bool valid = false;
  bool negative = false;
  std::string_view integer;   // without leading zeros
  std::string_view fraction;  // as written
};

WrittenNumber split_number(std::string_view text) {
  WrittenNumber n;
  std::size_t b = 0, e = text.size();
  while (b < e && is_blank(text[b])) ++b;
  while (e > b && is_blank(text[e - 1])) --e;
  if (b < e && (text[b] == '-' || text[b] == '+')) n.negative = text[b++] == '-';
  std::size_t int_begin = b;
  while (b < e && text[b] >= '0' && text[b] <= '9') ++b;
  std::size_t int_end = b;
  std::size_t frac_begin = b, frac_end = b;
  if (b < e && (text[b] == '.' || text[b] == ',')) {
    frac_begin = ++b;
    while (b < e && text[b] >= '0' && text[b] <= '9') ++b;
    frac_end = b;
  }
  if (b != e || (int_end == int_begin && frac_end == frac_begin)) return n;
  while (int_begin < int_end && text[int_begin] == '0') ++int_begin;
  n.valid = true;
  n.integer = text.substr(int_begin, int_end - int_begin);
  n.fraction = text.substr(frac_begin, frac_end - frac_begin);
  return n;
}

}  // namespace

struct DecimalAccess {
  // A result of the given places and integer digits; overflow when units does not fit them.
  static Decimal make(Wide units, int places, int int_digits) {
    if (int_digits + places > kMax) int_digits = kMax - places;
    if (wide_abs(units) >= kWidePow10[int_digits + places]) return Decimal::failed(DecimalStatus::overflow);
    Decimal d;
    d.units_ = static_cast<std::int64_t>(units);
    d.places_ = static_cast<std::uint8_t>(places);
    d.int_digits_ = static_cast<std::uint8_t>(int_digits);
    return d;
  }

  // An exact result v at `scale`: overflow when its integer part has more than int_digits digits;
  // otherwise it keeps as many of its places as fit in 18 digits.
  static Decimal settle(Wide v, int scale, int int_digits) {
    const Wide magnitude = wide_abs(v);
    if (int_digits + scale <= 38 && magnitude >= kWidePow10[int_digits + scale]) {
      return Decimal::failed(DecimalStatus::overflow);
    }
    if (magnitude < kWidePow10[kMax]) return make(v, scale, int_digits);
    int length = kMax + 1;
    while (length < 39 && magnitude >= kWidePow10[length]) ++length;
    for (int drop = length - kMax; drop <= scale; ++drop) {
      Wide r = round_div(v, kWidePow10[drop]);
      if (wide_abs(r) < kWidePow10[kMax]) return make(r, scale - drop, int_digits);
    }
    return Decimal::failed(DecimalStatus::overflow);
  }

  // v, counted at scale `from`, counted at scale `to`; false on overflow.
  static bool rescale(Wide v, int from, int to, Wide& out) {
    if (to >= from) return scale_up(v, to - from, out);
    out = round_div(v, kWidePow10[from - to]);
    return true;
  }

  static Decimal from_written(const WrittenNumber& n, int places, int int_digits) {
    if (n.integer.size() > static_cast<std::size_t>(kMax)) return Decimal::failed(DecimalStatus::overflow);
    Wide units = 0;
    for (char c : n.integer) units = units * 10 + (c - '0');
    for (int i = 0; i < places; ++i) {
      std::size_t idx = static_cast<std::size_t>(i);
      units = units * 10 + (idx < n.fraction.size() ? n.fraction[idx] - '0' : 0);
    }
    if (n.fraction.size() > static_cast<std::size_t>(places) && n.fraction[places] >= '5') ++units;
    return make(n.negative ? -units : units, places, int_digits);
  }

  // v at scale s rounded to the nearest multiple of the precision p (already checked).
  static Decimal round_to(Wide v, int s, const Decimal& p, int int_digits) {
    const int pp = p.places_;
    const std::int64_t q = p.units_;
    std::int64_t fast = 0;
    if (q == 1 && v >= std::numeric_limits<std::int64_t>::min() &&
        v <= std::numeric_limits<std::int64_t>::max() &&
        round_div_pow10(static_cast<std::int64_t>(v), s - pp, fast)) {
      return make(fast, pp, int_digits);
    }
    const int common = s > pp ? s : pp;
    Wide scaled;
    if (!scale_up(v, common - s, scaled)) return Decimal::failed(DecimalStatus::overflow);
    const Wide step = static_cast<Wide>(q) * kWidePow10[common - pp];
    return make(round_div(scaled, step) * q, pp, int_digits);
  }

  static int larger_int_digits(const Decimal& a, const Decimal& b) {
    return a.int_digits_ > b.int_digits_ ? a.int_digits_ : b.int_digits_;
  }
};

Decimal Decimal::failed(DecimalStatus status) {
  Decimal d;
  d.status_ = status;
  return d;
}

Decimal Decimal::from_units(std::int64_t units, int places, int digits) {
  if (!valid_type(digits, places)) return failed(DecimalStatus::invalid);
  return DecimalAccess::make(units, places, digits - places);
}

Decimal Decimal::parse(std::string_view text, int digits, int places) {
  if (!valid_type(digits, places)) return failed(DecimalStatus::invalid);
  WrittenNumber n = split_number(text);
  if (!n.valid) return failed(DecimalStatus::invalid);
  return DecimalAccess::from_written(n, places, digits - places);
}

Decimal Decimal::parse(std::string_view text) {
  WrittenNumber n = split_number(text);
  if (!n.valid) return failed(DecimalStatus::invalid);
  if (n.integer.size() > static_cast<std::size_t>(kMax)) return failed(DecimalStatus::overflow);
  int room = kMax - static_cast<int>(n.integer.size());
  int places =
      n.fraction.size() < static_cast<std::size_t>(room) ? static_cast<int>(n.fraction.size()) : room;
  return DecimalAccess::from_written(n, places, kMax - places);
}

namespace {

// The shortest fixed-point text that reads back as the same double.
bool shortest_text(double value, std::array<char, 400>& buf, std::string_view& out) {
  if (!std::isfinite(value)) return false;
  auto [end, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), value, std::chars_format::fixed);
  if (ec != std::errc()) return false;
  out = std::string_view(buf.data(), static_cast<std::size_t>(end - buf.data()));
  return true;
}

}  // namespace

Decimal Decimal::from_double(double value, int digits, int places) {
  std::array<char, 400> buf;
  std::string_view text;
  if (!shortest_text(value, buf, text)) return failed(DecimalStatus::invalid);
  return parse(text, digits, places);
}

Decimal Decimal::from_double(double value) {
  std::array<char, 400> buf;
  std::string_view text;
  if (!shortest_text(value, buf, text)) return failed(DecimalStatus::invalid);
  return parse(text);
}

double Decimal::to_double() const {
  if (!ok()) return 0.0;
  constexpr std::int64_t kExact = std::int64_t{1} << 53;
  if (units_ > -kExact && units_ < kExact) {
    // Both operands are exact doubles, so the one division rounds correctly.
    return static_cast<double>(units_) / static_cast<double>(kPow10[places_]);
  }
  std::string text = to_text();
  double v = 0.0;
  std::from_chars(text.data(), text.data() + text.size(), v);
  return v;
}

std::string Decimal::to_text(char point) const {
  if (!ok()) return {};
  std::array<char, 24> digits;
  std::uint64_t u = units_ < 0 ? 0 - static_cast<std::uint64_t>(units_) : static_cast<std::uint64_t>(units_);
  int n = 0;
  do {
    digits[static_cast<std::size_t>(n++)] = static_cast<char>('0' + u % 10);
    u /= 10;
  } while (u != 0 || n <= places_);
  std::string out;
  out.reserve(static_cast<std::size_t>(n) + 2);
  if (units_ < 0) out += '-';
  for (int i = n - 1; i >= 0; --i) {
    out += digits[static_cast<std::size_t>(i)];
    if (i == places_ && i != 0) out += point;
  }
  return out;
}

Decimal Decimal::rounded(const Decimal& precision) const {
  if (!ok()) return *this;
  if (DecimalStatus s = precision_failure(precision); s != DecimalStatus::ok) return failed(s);
  return DecimalAccess::round_to(units_, places_, precision, int_digits_);
}

Decimal Decimal::with_places(int places) const {
  if (!ok()) return *this;
  if (places < 0 || places > kMax) return failed(DecimalStatus::invalid);
  Wide out = 0;
  if (!DecimalAccess::rescale(units_, places_, places, out)) return failed(DecimalStatus::overflow);
  return DecimalAccess::make(out, places, int_digits_);
}

Decimal Decimal::fitted(int digits, int places) const {
  if (!ok()) return *this;
  if (!valid_type(digits, places)) return failed(DecimalStatus::invalid);
  Wide out = 0;
  if (!DecimalAccess::rescale(units_, places_, places, out)) return failed(DecimalStatus::overflow);
  return DecimalAccess::make(out, places, digits - places);
}

Decimal Decimal::operator-() const {
  Decimal d = *this;
  d.units_ = -units_;
  return d;
}

namespace {

Decimal add(const Decimal& a, const Decimal& b, bool subtract) {
  if (DecimalStatus s = first_failure(a, b); s != DecimalStatus::ok) return Decimal::failed(s);
  const int places = a.places() > b.places() ? a.places() : b.places();
  const Wide x = static_cast<Wide>(a.units()) * kWidePow10[places - a.places()];
  const Wide y = static_cast<Wide>(b.units()) * kWidePow10[places - b.places()];
  return DecimalAccess::settle(subtract ? x - y : x + y, places, DecimalAccess::larger_int_digits(a, b));
}

}  // namespace

Decimal operator+(const Decimal& a, const Decimal& b) {
  return add(a, b, false);
}
Decimal operator-(const Decimal& a, const Decimal& b) {
  return add(a, b, true);
}

Decimal operator*(const Decimal& a, const Decimal& b) {
  if (DecimalStatus s = first_failure(a, b); s != DecimalStatus::ok) return Decimal::failed(s);
  return DecimalAccess::settle(static_cast<Wide>(a.units()) * b.units(), a.places() + b.places(),
                               DecimalAccess::larger_int_digits(a, b));
}

Decimal operator/(const Decimal& a, const Decimal& b) {
  if (DecimalStatus s = first_failure(a, b); s != DecimalStatus::ok) return Decimal::failed(s);
  if (b.is_zero()) return Decimal::failed(DecimalStatus::division_by_zero);
  // The quotient keeps 17 digits: as many places as its integer part leaves free.
  const Wide whole = wide_abs(static_cast<Wide>(a.units()) * kWidePow10[b.places()]) /
                     wide_abs(static_cast<Wide>(b.units()) * kWidePow10[a.places()]);
  int whole_digits = 0;
  while (whole_digits <= kMax && whole >= kWidePow10[whole_digits]) ++whole_digits;
  const int int_digits = DecimalAccess::larger_int_digits(a, b);
  if (whole_digits > int_digits) return Decimal::failed(DecimalStatus::overflow);
  const int places = whole_digits < kMax ? kMax - 1 - whole_digits : 0;
  // a/10^pa / (b/10^pb) counted in 10^-places is a * 10^(places - pa + pb) / b.
  const int k = places - a.places() + b.places();
  Wide n = a.units(), d = b.units();
  if (k >= 0) {
    if (!scale_up(n, k, n)) return Decimal::failed(DecimalStatus::overflow);
  } else {
    d *= kWidePow10[-k];
  }
  if (d < 0) {
    n = -n;
    d = -d;
  }
  return DecimalAccess::make(round_div(n, d), places, int_digits);
}

bool operator==(const Decimal& a, const Decimal& b) {
  return (a <=> b) == 0;
}

std::strong_ordering operator<=>(const Decimal& a, const Decimal& b) {
  const std::int64_t x = a.ok() ? a.units() : 0;
  const std::int64_t y = b.ok() ? b.units() : 0;
  const int pa = a.ok() ? a.places() : 0;
  const int pb = b.ok() ? b.places() : 0;
  if (pa == pb) return x <=> y;
  const int common = pa > pb ? pa : pb;
  return static_cast<Wide>(x) * kWidePow10[common - pa] <=> static_cast<Wide>(y) * kWidePow10[common - pb];
}

Decimal Decimal::multiply_rounded_wide(const Decimal& a, const Decimal& b, const Decimal& precision) {
  if (DecimalStatus s = first_failure(a, b); s != DecimalStatus::ok) return Decimal::failed(s);
  if (DecimalStatus s = precision_failure(precision); s != DecimalStatus::ok) return Decimal::failed(s);
  return DecimalAccess::round_to(static_cast<Wide>(a.units()) * b.units(), a.places() + b.places(), precision,
                                 DecimalAccess::larger_int_digits(a, b));
}

Decimal divide_rounded(const Decimal& a, const Decimal& b, const Decimal& precision) {
  if (DecimalStatus s = first_failure(a, b); s != DecimalStatus::ok) return Decimal::failed(s);
  if (DecimalStatus s = precision_failure(precision); s != DecimalStatus::ok) return Decimal::failed(s);
  if (b.is_zero()) return Decimal::failed(DecimalStatus::division_by_zero);
  // (a/10^pa) / (b/10^pb) / (q/10^pp) = a * 10^(pb+pp-pa) / (b*q): the count of precision steps.
  const std::int64_t q = precision.units();
  const int pp = precision.places();
  const int int_digits = DecimalAccess::larger_int_digits(a, b);
  const int e = b.places() + pp - a.places();
  Wide n = a.units();
  Wide d = static_cast<Wide>(b.units()) * q;
  if (e >= 0) {
    if (!scale_up(n, e, n)) return Decimal::failed(DecimalStatus::overflow);
  } else if (!scale_up(d, -e, d)) {
    return Decimal::from_units(0, pp, int_digits + pp > kMax ? kMax : int_digits + pp);
  }
  if (d < 0) {
    n = -n;
    d = -d;
  }
  return DecimalAccess::make(round_div(n, d) * q, pp, int_digits);
}

}  // namespace runtime
