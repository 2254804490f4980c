// Number, exponent and pattern pictures: formatting through Decimal and reading typed numbers.
#include <cctype>
#include <charconv>
#include <cstdint>
#include <cstdio>

#include "picture_forms.h"
#include "runtime/text.h"

namespace runtime::picture_detail {

PictureRead read_failure(ReadStatus status) {
  PictureRead r;
  r.status = status;
  return r;
}

std::string fill(int width, char c) {
  return std::string(static_cast<std::size_t>(width), c);
}

std::optional<long long> whole_in_range(const Decimal& value, long long low, long long high) {
  if (!value.ok()) return std::nullopt;
  const Decimal whole = value.with_places(0);
  if (whole != value || whole.units() < low || whole.units() > high) return std::nullopt;
  return whole.units();
}

namespace {

std::string right_aligned(const std::string& text, int width) {
  const std::size_t chars = char_count(text);
  if (chars > static_cast<std::size_t>(width)) return fill(width, '#');
  return std::string(static_cast<std::size_t>(width) - chars, ' ') + text;
}

// The number as the field shows it, before alignment; nullopt when the value is failed.
std::optional<std::string> number_text(const NumberForm& f, const Decimal& value) {
  const Decimal v = value.with_places(f.places);
  if (!v.ok()) return std::nullopt;
  const std::string digits = v.abs().to_text(f.point);
  const std::size_t point =
      f.places > 0 ? digits.size() - static_cast<std::size_t>(f.places) - 1 : digits.size();
  std::string out;
  if (v.sign() < 0) out += '-';
  out += f.prefix;
  for (std::size_t i = 0; i < point; ++i) {
    if (f.grouped && i > 0 && (point - i) % 3 == 0) out += ' ';
    out += digits[i];
  }
  out.append(digits, point, std::string::npos);
  out += f.suffix;
  return out;
}

std::uint64_t pow10(int k) {
  std::uint64_t p = 1;
  while (k-- > 0) p *= 10;
  return p;
}

bool starts_with(std::string_view s, std::string_view p) {
  return !p.empty() && s.substr(0, p.size()) == p;
}
bool ends_with(std::string_view s, std::string_view p) {
  return !p.empty() && s.size() >= p.size() && s.substr(s.size() - p.size()) == p;
}

// Blanks that a grouped number may contain: the blank, the no-break space and the narrow no-break space.
std::size_t grouping_blank_length(std::string_view s, std::size_t pos) {
  if (s[pos] == ' ') return 1;
  if (s.substr(pos, 2) == "\xC2\xA0") return 2;
  if (s.substr(pos, 3) == "\xE2\x80\xAF") return 3;
  return 0;
}

}  // namespace

std::string format_number(const NumberForm& f, const Decimal& value) {
  const std::optional<std::string> text = number_text(f, value);
  return text ? right_aligned(*text, f.width) : fill(f.width, '#');
}

PictureRead read_number(const NumberForm& f, std::string_view typed) {
  std::string_view t = trim(typed);
  PictureRead r;
  if (t.empty()) {
    r.blank = true;
    r.number = Decimal::from_units(0, f.places);
    r.text = format_number(f, r.number);
    return r;
  }
  // One sign, before or after the text of the prefix.
  bool negative = false, signed_text = false;
  const auto take_sign = [&] {
    if (!signed_text && !t.empty() && (t.front() == '-' || t.front() == '+')) {
      negative = t.front() == '-';
      signed_text = true;
      t = trim_left(t.substr(1));
    }
  };
  take_sign();
  const std::string_view prefix = trim(f.prefix), suffix = trim(f.suffix);
  if (starts_with(t, prefix)) t = trim_left(t.substr(prefix.size()));
  take_sign();
  if (ends_with(t, suffix)) t = trim_right(t.substr(0, t.size() - suffix.size()));
  std::string plain;
  for (std::size_t i = 0; i < t.size();) {
    const std::size_t blank = grouping_blank_length(t, i);
    if (blank == 0) {
      plain += t[i++];
      continue;
    }
    // A grouping blank stands only between digits.
    const bool between = i > 0 && std::isdigit(static_cast<unsigned char>(t[i - 1])) &&
                         i + blank < t.size() && std::isdigit(static_cast<unsigned char>(t[i + blank]));
    if (!between) return read_failure(ReadStatus::invalid);
    i += blank;
  }
  if (plain.empty() || plain.front() == '-' || plain.front() == '+') return read_failure(ReadStatus::invalid);
  Decimal n = Decimal::parse(plain, Decimal::kMaxDigits, f.places);
  if (n.status() == DecimalStatus::overflow) return read_failure(ReadStatus::overflow);
  if (!n.ok()) return read_failure(ReadStatus::invalid);
  if (negative && !n.is_zero()) {
    if (!f.is_signed) return read_failure(ReadStatus::negative);
    n = -n;
  }
  const std::optional<std::string> shown = number_text(f, n);
  if (!shown || char_count(*shown) > static_cast<std::size_t>(f.width))
    return read_failure(ReadStatus::overflow);
  r.number = n;
  r.text = right_aligned(*shown, f.width);
  return r;
}

std::string format_exponent(const ExponentForm& f, const Decimal& value) {
  if (!value.ok()) return fill(f.width, '#');
  // places+1 significant digits of the units, rounded half away from zero like every number shown.
  std::uint64_t u = value.units() < 0 ? 0 - static_cast<std::uint64_t>(value.units())
                                      : static_cast<std::uint64_t>(value.units());
  const int wanted = f.places + 1;
  int length = 1;
  while (length < 20 && u >= pow10(length)) ++length;
  int exponent = u == 0 ? 0 : length - 1 - value.places();
  std::uint64_t mantissa = u;
  if (length > wanted) {
    const std::uint64_t step = pow10(length - wanted);
    mantissa = u / step + (u % step >= step - u % step ? 1 : 0);
    if (mantissa == pow10(wanted)) {
      mantissa /= 10;
      ++exponent;
    }
  } else {
    mantissa = u * pow10(wanted - length);
  }
  const std::string digits =
      mantissa == 0 ? std::string(static_cast<std::size_t>(wanted), '0') : std::to_string(mantissa);
  std::string text = value.sign() < 0 ? "-" : "";
  text += digits[0];
  if (f.places > 0) {
    text += f.point;
    text.append(digits, 1, std::string::npos);
  }
  char tail[16];
  std::snprintf(tail, sizeof tail, "e%c%02d", exponent < 0 ? '-' : '+', exponent < 0 ? -exponent : exponent);
  text += tail;
  return right_aligned(text, f.width);
}

PictureRead read_exponent(const ExponentForm& f, std::string_view typed) {
  std::string t(trim(typed));
  PictureRead r;
  if (t.empty()) {
    r.blank = true;
    r.text = format_exponent(f, r.number);
    return r;
  }
  if (std::size_t comma = t.find(','); comma != std::string::npos) t[comma] = '.';
  if (t.front() == '+') t.erase(0, 1);
  double v = 0.0;
  const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
  if (ec == std::errc::result_out_of_range) return read_failure(ReadStatus::overflow);
  if (ec != std::errc() || end != t.data() + t.size()) return read_failure(ReadStatus::invalid);
  r.number = Decimal::from_double(v);
  if (r.number.status() == DecimalStatus::overflow) return read_failure(ReadStatus::overflow);
  if (!r.number.ok()) return read_failure(ReadStatus::invalid);
  r.text = format_exponent(f, r.number);
  if (r.text.front() == '#') return read_failure(ReadStatus::overflow);
  return r;
}

std::string format_pattern(const PatternForm& f, const Decimal& value) {
  std::size_t slots = 0;
  for (char c : f.layout) slots += c == '#';
  const Decimal whole = value.with_places(0);
  std::string digits = whole.ok() && whole.sign() >= 0 ? whole.to_text() : std::string();
  if (digits.empty() || digits.size() > slots) return fill(static_cast<int>(char_count(f.layout)), '#');
  digits.insert(0, slots - digits.size(), '0');
  std::string out = f.layout;
  std::size_t next = 0;
  for (char& c : out) {
    if (c == '#') c = digits[next++];
  }
  return out;
}

PictureRead read_pattern(const PatternForm& f, std::string_view typed) {
  std::size_t slots = 0;
  for (char c : f.layout) slots += c == '#';
  PictureRead r;
  std::string digits;
  for (char c : typed) {
    if (c >= '0' && c <= '9') {
      digits += c;
    } else if (c != ' ' && f.layout.find(c) == std::string::npos) {
      return read_failure(ReadStatus::invalid);
    }
  }
  if (trim(typed).empty()) {
    r.blank = true;
  } else if (digits.size() != slots) {
    return read_failure(ReadStatus::invalid);
  }
  r.number = digits.empty() ? Decimal() : Decimal::parse(digits);
  if (!r.number.ok()) return read_failure(ReadStatus::overflow);
  r.text = format_pattern(f, r.number);
  return r;
}

}  // namespace runtime::picture_detail
