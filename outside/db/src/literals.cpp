// Text literals and plain numbers as they are written into statement texts.
#include "db/literals.h"

#include <algorithm>

#include "runtime/text.h"

namespace db {
namespace {

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

void append_escaped(std::string& out, std::string_view value) {
  for (const char c : value) {
    out.push_back(c);
    if (c == '\'') out.push_back('\'');
  }
}

}  // namespace

std::string escape_text(std::string_view value) {
  std::string out;
  out.reserve(value.size() + 2);
  append_escaped(out, value);
  return out;
}

std::string quote_text(std::string_view value) {
  std::string out;
  out.reserve(value.size() + 4);
  out.push_back('\'');
  append_escaped(out, value);
  out.push_back('\'');
  return out;
}

std::string number_literal(std::string_view text) {
  std::string_view t = runtime::trim(text);
  std::string out;
  if (!t.empty() && (t.front() == '-' || t.front() == '+')) {
    if (t.front() == '-') out += '-';
    t.remove_prefix(1);
  }
  const std::size_t point = t.find('.');
  const std::string_view whole = t.substr(0, point);
  const std::string_view fraction =
      point == std::string_view::npos ? std::string_view{} : t.substr(point + 1);
  const bool digits_only = std::all_of(whole.begin(), whole.end(), is_digit) &&
                           std::all_of(fraction.begin(), fraction.end(), is_digit);
  if (whole.empty() || !digits_only || (point != std::string_view::npos && fraction.empty())) return "0";
  out += t;
  return out;
}

}  // namespace db
