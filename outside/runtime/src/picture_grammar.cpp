// Parses display pictures into the forms of their families.
#include <cctype>

#include "picture_forms.h"

namespace runtime::picture_detail {

namespace {

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// Reads up to `max_digits` digits at s[pos]; nullopt when there is none.
std::optional<int> read_count(std::string_view s, std::size_t& pos, int max_digits) {
  int value = 0, n = 0;
  while (pos < s.size() && is_digit(s[pos]) && n < max_digits) {
    value = value * 10 + (s[pos++] - '0');
    ++n;
  }
  if (n == 0) return std::nullopt;
  return value;
}

// Reads "~text~" at s[pos] when present; false for a tilde that is never closed.
bool read_tilde_text(std::string_view s, std::size_t& pos, std::string& out) {
  if (pos >= s.size() || s[pos] != '~') return true;
  const std::size_t close = s.find('~', pos + 1);
  if (close == std::string_view::npos) return false;
  out.assign(s.substr(pos + 1, close - pos - 1));
  pos = close + 1;
  return true;
}

bool valid_width(int width) {
  return width >= 1 && width <= kMaxWidth;
}

std::optional<Form> parse_number(std::string_view body) {
  NumberForm f;
  std::size_t pos = 0;
  if (!read_tilde_text(body, pos, f.prefix)) return std::nullopt;
  if (pos < body.size() && body[pos] == '-') {
    f.is_signed = true;
    ++pos;
  }
  if (pos < body.size() && body[pos] == '_') {
    f.grouped = false;
    ++pos;
  }
  std::optional<int> width = read_count(body, pos, 4);
  if (!width || !valid_width(*width)) return std::nullopt;
  f.width = *width;
  if (pos < body.size() && body[pos] == '_') {
    f.grouped = false;
    ++pos;
  }
  if (pos < body.size() && (body[pos] == '.' || body[pos] == '`')) {
    f.point = body[pos] == '`' ? ',' : '.';
    ++pos;
    f.places = read_count(body, pos, 2).value_or(0);
    if (f.places > Decimal::kMaxDigits) return std::nullopt;
  }
  if (!read_tilde_text(body, pos, f.suffix)) return std::nullopt;
  if (pos != body.size()) return std::nullopt;
  return f;
}

std::optional<Form> parse_exponent(std::string_view body) {
  ExponentForm f;
  std::size_t pos = 0;
  std::optional<int> width = read_count(body, pos, 4);
  if (!width || !valid_width(*width)) return std::nullopt;
  f.width = *width;
  if (pos < body.size() && (body[pos] == '.' || body[pos] == '`')) {
    f.point = body[pos] == '`' ? ',' : '.';
    ++pos;
    f.places = read_count(body, pos, 2).value_or(0);
    if (f.places > 17) return std::nullopt;
  }
  if (pos != body.size()) return std::nullopt;
  return f;
}

std::optional<Form> parse_text(std::string_view body) {
  std::size_t pos = 0;
  std::optional<int> width = read_count(body, pos, 4);
  if (!width || !valid_width(*width) || pos != body.size()) return std::nullopt;
  return TextForm{*width};
}

// "form [separator]" of dates and times; nullopt when the form is outside 1..last.
std::optional<std::pair<int, char>> parse_form_number(std::string_view body, int last, char plain) {
  std::size_t pos = 0;
  std::optional<int> form = read_count(body, pos, 2);
  if (!form || *form < 1 || *form > last) return std::nullopt;
  char separator = plain;
  if (pos < body.size()) {
    switch (body[pos++]) {
      case '.':
        separator = '.';
        break;
      case '-':
        separator = '-';
        break;
      case '_':
        separator = ' ';
        break;
      case '`':
        separator = ',';
        break;
      default:
        return std::nullopt;
    }
  }
  if (pos != body.size()) return std::nullopt;
  return std::make_pair(*form, separator);
}

std::optional<Form> parse_pattern(std::string_view body) {
  if (body.size() < 2 || (body.back() != 'p' && body.back() != 'P')) return std::nullopt;
  std::string_view layout = body.substr(0, body.size() - 1);
  if (layout.size() > static_cast<std::size_t>(kMaxWidth) || layout.find('#') == std::string_view::npos) {
    return std::nullopt;
  }
  return PatternForm{std::string(layout)};
}

}  // namespace

std::optional<Form> parse_form(std::string_view picture) {
  if (!picture.empty() && picture.front() == '@') picture.remove_prefix(1);
  if (!picture.empty() && picture.back() == '@') picture.remove_suffix(1);
  if (picture.empty()) return std::nullopt;
  const std::string_view body = picture.substr(1);
  switch (std::tolower(static_cast<unsigned char>(picture.front()))) {
    case 'n':
      return parse_number(body);
    case 'e':
      return parse_exponent(body);
    case 's':
      return parse_text(body);
    case 'd':
      if (auto f = parse_form_number(body, 18, '/')) return DateForm{f->first, f->second};
      return std::nullopt;
    case 't':
      if (auto f = parse_form_number(body, 8, ':')) return TimeForm{f->first, f->second};
      return std::nullopt;
    case 'p':
      return parse_pattern(body);
    default:
      return std::nullopt;
  }
}

}  // namespace runtime::picture_detail
