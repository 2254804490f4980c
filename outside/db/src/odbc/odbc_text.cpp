// The ODBC connection text and the call escapes of the application's call spellings.
#include <cctype>
#include <string>

#include "db/odbc_engine.h"
#include "runtime/number_text.h"
#include "runtime/text.h"

namespace db {
namespace {

bool number_value(std::string_view value, int& out) {
  const auto n = runtime::leading_integer(value);
  if (!n || *n < 0 || *n > 3600 || std::to_string(*n) != runtime::trim(value)) return false;
  out = static_cast<int>(*n);
  return true;
}

// One "key=value" pair of a connection string; values in braces may hold semicolons.
struct Pair {
  std::string_view text;  // the pair as written, for passing on
  std::string key;        // upper case, trimmed
  std::string_view value;
};

std::vector<Pair> split_pairs(std::string_view s) {
  std::vector<Pair> pairs;
  std::size_t start = 0;
  while (start < s.size()) {
    std::size_t i = start;
    bool braced = false;
    while (i < s.size() && (braced || s[i] != ';')) {
      if (s[i] == '{') braced = true;
      if (s[i] == '}') braced = false;
      ++i;
    }
    const std::string_view text = s.substr(start, i - start);
    if (!runtime::trim(text).empty()) {
      const auto eq = text.find('=');
      Pair p{text, runtime::to_upper(runtime::trim(text.substr(0, eq))),
             eq == std::string_view::npos ? std::string_view{} : runtime::trim(text.substr(eq + 1))};
      pairs.push_back(p);
    }
    start = i + 1;
  }
  return pairs;
}

bool is_name_char(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_' || c == '.' || c == '#' || c == '@' ||
         c == '[' || c == ']';
}

// The word at the start of `s` (case-blind) followed by a blank, consumed.
bool take_word(std::string_view& s, std::string_view word) {
  if (s.size() <= word.size() || runtime::to_lower(s.substr(0, word.size())) != word) return false;
  if (!std::isspace(static_cast<unsigned char>(s[word.size()]))) return false;
  s = runtime::trim_left(s.substr(word.size()));
  return true;
}

}  // namespace

Status parse_odbc_text(std::string_view text, OdbcOptions& out) {
  out = OdbcOptions{};
  std::string passed;
  for (const Pair& p : split_pairs(text)) {
    if (p.key == "DIALECT") {
      if (runtime::to_lower(p.value) == "sqlite") {
        out.sqlite_dialect = true;
      } else if (!p.value.empty() && runtime::to_lower(p.value) != "tsql") {
        return Status::statement_failed("Invalid connection text: unknown dialect \"" + std::string(p.value) +
                                        "\" (sqlite or tsql)");
      }
    } else if (p.key == "LOGIN_TIMEOUT" || p.key == "QUERY_TIMEOUT") {
      int seconds = 0;
      if (!number_value(p.value, seconds))
        return Status::statement_failed("Invalid connection text: " + runtime::to_lower(p.key) +
                                        " needs a number of seconds");
      (p.key == "LOGIN_TIMEOUT" ? out.login_timeout_s : out.query_timeout_s) = seconds;
    } else {
      if (!passed.empty()) passed += ';';
      passed += runtime::trim(p.text);
    }
  }
  if (passed.empty())
    return Status::statement_failed("Invalid connection text: odbc: needs DSN=... or DRIVER=...");
  out.connection_string = std::move(passed);
  return Status::success();
}

bool call_escape(std::string_view statement, CallEscape& out) {
  std::string_view s = runtime::trim(statement);
  while (!s.empty() && s.back() == ';') s = runtime::trim_right(s.substr(0, s.size() - 1));
  out = CallEscape{};
  if (s.size() > 1 && s.front() == '&') {
    std::string_view rest = s.substr(1);
    if (runtime::to_lower(rest.substr(0, 7)) != "retcode") return false;
    rest = runtime::trim_left(rest.substr(7));
    if (rest.empty() || rest.front() != '=') return false;
    rest = runtime::trim_left(rest.substr(1));
    if (!take_word(rest, "call")) return false;
    out.binds_retcode = true;
    s = rest;
  } else if (!take_word(s, "call") && !take_word(s, "execute") && !take_word(s, "exec")) {
    return false;
  }
  std::size_t name_end = 0;
  while (name_end < s.size() && is_name_char(s[name_end])) ++name_end;
  if (name_end == 0) return false;
  const std::string_view name = s.substr(0, name_end);
  std::string_view args = runtime::trim(s.substr(name_end));
  if (!args.empty() && args.front() == '(') {
    if (args.back() != ')') return false;
    args = runtime::trim(args.substr(1, args.size() - 2));
  }
  out.text = std::string(out.binds_retcode ? "{? = call " : "{call ") + std::string(name);
  if (!args.empty()) out.text += "(" + std::string(args) + ")";
  out.text += "}";
  return true;
}

}  // namespace db
