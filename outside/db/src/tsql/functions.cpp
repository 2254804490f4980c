// Registration of the PLCI collation and of the SQL functions that translated statements call.
#include "db/tsql/functions.h"

#include <sqlite3.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "datetime.h"
#include "runtime/text.h"
#include "text_compare.h"

namespace db::tsql {
namespace {

std::string_view text_of(sqlite3_value* v) {
  const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
  if (p == nullptr) return {};
  return {p, static_cast<std::size_t>(sqlite3_value_bytes(v))};
}

bool any_null(int argc, sqlite3_value** argv) {
  for (int i = 0; i < argc; ++i) {
    if (sqlite3_value_type(argv[i]) == SQLITE_NULL) return true;
  }
  return false;
}

void result_text(sqlite3_context* ctx, std::string_view s) {
  sqlite3_result_text64(ctx, s.data(), s.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
}

void error(sqlite3_context* ctx, const std::string& message) {
  sqlite3_result_error(ctx, message.c_str(), static_cast<int>(message.size()));
}

bool fits_limit(sqlite3_context* ctx, std::uint64_t bytes) {
  const int limit = sqlite3_limit(sqlite3_context_db_handle(ctx), SQLITE_LIMIT_LENGTH, -1);
  if (bytes > static_cast<std::uint64_t>(limit)) {
    sqlite3_result_error_toobig(ctx);
    return false;
  }
  return true;
}

int collate_plci(void*, int la, const void* a, int lb, const void* b) {
  return compare_plci({static_cast<const char*>(a), static_cast<std::size_t>(la)},
                      {static_cast<const char*>(b), static_cast<std::size_t>(lb)});
}

// ---- letters ----
void fn_upper(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (any_null(argc, argv)) return sqlite3_result_null(ctx);
  result_text(ctx, runtime::to_upper(text_of(argv[0])));
}

void fn_lower(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (any_null(argc, argv)) return sqlite3_result_null(ctx);
  result_text(ctx, runtime::to_lower(text_of(argv[0])));
}

// like(pattern, text [, escape]), the function behind `text LIKE pattern`.
void fn_like(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (any_null(argc, argv)) return sqlite3_result_null(ctx);
  char32_t escape = 0;
  if (argc == 3) {
    const std::string_view e = text_of(argv[2]);
    if (e.empty() || runtime::char_count(e) != 1)
      return error(ctx, "ESCAPE expression must be a single character");
    escape = runtime::decode_utf8(e, 0);
  }
  const std::string pattern(text_of(argv[0]));
  sqlite3_result_int(ctx, like_match(pattern, text_of(argv[1]), escape) ? 1 : 0);
}

// ---- numbers ----
std::optional<double> number_from_text(std::string_view s, bool& integral, std::int64_t& as_int) {
  s = runtime::trim(s);
  if (s.empty()) return std::nullopt;
  const std::string copy(s);
  char* end = nullptr;
  errno = 0;
  const long long i = std::strtoll(copy.c_str(), &end, 10);
  if (errno == 0 && end == copy.c_str() + copy.size()) {
    integral = true;
    as_int = i;
    return static_cast<double>(i);
  }
  end = nullptr;
  const double d = std::strtod(copy.c_str(), &end);
  if (end != copy.c_str() + copy.size() || !std::isfinite(d) ||
      copy.find_first_of("xXnN") != std::string::npos) {
    return std::nullopt;
  }
  integral = false;
  return d;
}

// The server's `+`: text + text joins, otherwise both sides are numbers (a text converted or refused).
void fn_add(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (any_null(argc, argv)) return sqlite3_result_null(ctx);
  const int ta = sqlite3_value_type(argv[0]);
  const int tb = sqlite3_value_type(argv[1]);
  if (ta == SQLITE_BLOB || tb == SQLITE_BLOB) return error(ctx, "Operand type clash: varbinary in +");
  if (ta == SQLITE_TEXT && tb == SQLITE_TEXT) {
    const std::string_view a = text_of(argv[0]);
    std::string joined(a);
    joined += text_of(argv[1]);
    return result_text(ctx, joined);
  }
  bool int_a = ta == SQLITE_INTEGER;
  bool int_b = tb == SQLITE_INTEGER;
  std::int64_t ia = int_a ? sqlite3_value_int64(argv[0]) : 0;
  std::int64_t ib = int_b ? sqlite3_value_int64(argv[1]) : 0;
  double da = sqlite3_value_double(argv[0]);
  double db = sqlite3_value_double(argv[1]);
  for (int k = 0; k < 2; ++k) {
    if (sqlite3_value_type(argv[k]) != SQLITE_TEXT) continue;
    bool integral = false;
    std::int64_t as_int = 0;
    const auto n = number_from_text(text_of(argv[k]), integral, as_int);
    if (!n) {
      return error(ctx, "Conversion failed when converting the varchar value '" +
                            std::string(runtime::cut_to_width(text_of(argv[k]), 40)) + "' to a number.");
    }
    (k == 0 ? da : db) = *n;
    (k == 0 ? ia : ib) = as_int;
    (k == 0 ? int_a : int_b) = integral;
  }
  if (int_a && int_b) {
    std::int64_t sum = 0;
    if (__builtin_add_overflow(ia, ib, &sum))
      return error(ctx, "Arithmetic overflow error converting expression.");
    return sqlite3_result_int64(ctx, sum);
  }
  sqlite3_result_double(ctx, da + db);
}

void fn_ceiling_floor(sqlite3_context* ctx, sqlite3_value** argv, bool ceiling) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
  if (sqlite3_value_type(argv[0]) == SQLITE_INTEGER)
    return sqlite3_result_int64(ctx, sqlite3_value_int64(argv[0]));
  const double v =
      ceiling ? std::ceil(sqlite3_value_double(argv[0])) : std::floor(sqlite3_value_double(argv[0]));
  if (std::fabs(v) < 9.0e18) return sqlite3_result_int64(ctx, static_cast<std::int64_t>(v));
  sqlite3_result_double(ctx, v);
}
void fn_ceiling(sqlite3_context* ctx, int, sqlite3_value** argv) {
  fn_ceiling_floor(ctx, argv, true);
}
void fn_floor(sqlite3_context* ctx, int, sqlite3_value** argv) {
  fn_ceiling_floor(ctx, argv, false);
}

void fn_power(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (any_null(argc, argv)) return sqlite3_result_null(ctx);
  if (sqlite3_value_type(argv[0]) == SQLITE_INTEGER && sqlite3_value_type(argv[1]) == SQLITE_INTEGER &&
      sqlite3_value_int64(argv[1]) >= 0) {
    const std::int64_t base = sqlite3_value_int64(argv[0]);
    std::int64_t exp = sqlite3_value_int64(argv[1]);
    std::int64_t result = 1;
    if (base == 0 || base == 1) {
      result = (base == 0 && exp > 0) ? 0 : 1;
    } else if (base == -1) {
      result = exp % 2 == 0 ? 1 : -1;
    } else {  // |base| >= 2 overflows within 63 steps
      for (; exp > 0; --exp) {
        if (__builtin_mul_overflow(result, base, &result))
          return error(ctx, "Arithmetic overflow error in POWER.");
      }
    }
    return sqlite3_result_int64(ctx, result);
  }
  const double v = std::pow(sqlite3_value_double(argv[0]), sqlite3_value_double(argv[1]));
  if (!std::isfinite(v)) return error(ctx, "An invalid floating point operation occurred.");
  sqlite3_result_double(ctx, v);
}

void fn_isnumeric(sqlite3_context* ctx, int, sqlite3_value** argv) {
  const int t = sqlite3_value_type(argv[0]);
  if (t == SQLITE_INTEGER || t == SQLITE_FLOAT) return sqlite3_result_int(ctx, 1);
  if (t != SQLITE_TEXT) return sqlite3_result_int(ctx, 0);
  bool integral = false;
  std::int64_t as_int = 0;
  sqlite3_result_int(ctx, number_from_text(text_of(argv[0]), integral, as_int) ? 1 : 0);
}

// STR(x [, length [, decimals]]): right-aligned, rounded; stars when the whole part does not fit.
void fn_str(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (any_null(argc, argv)) return sqlite3_result_null(ctx);
  const std::int64_t length = argc > 1 ? sqlite3_value_int64(argv[1]) : 10;
  std::int64_t decimals = argc > 2 ? sqlite3_value_int64(argv[2]) : 0;
  if (length <= 0 || length > 8000 || decimals < 0) return sqlite3_result_null(ctx);
  decimals = std::min<std::int64_t>(decimals, 16);
  const double v = sqlite3_value_double(argv[0]);
  std::string s;
  for (std::int64_t d = decimals; d >= 0; --d) {
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.*f", static_cast<int>(d), v);
    s = buf;
    if (static_cast<std::int64_t>(s.size()) <= length) break;
  }
  if (static_cast<std::int64_t>(s.size()) > length) s.assign(static_cast<std::size_t>(length), '*');
  s.insert(0, static_cast<std::size_t>(length) - s.size(), ' ');
  result_text(ctx, s);
}

// ---- texts ----
void fn_left_right(sqlite3_context* ctx, sqlite3_value** argv, bool left) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
    return sqlite3_result_null(ctx);
  }
  const std::int64_t n = sqlite3_value_int64(argv[1]);
  if (n < 0) {
    return error(ctx, std::string("Invalid length parameter passed to the ") + (left ? "left" : "right") +
                          " function.");
  }
  const std::string_view s = text_of(argv[0]);
  const std::size_t count = runtime::char_count(s);
  const auto take = static_cast<std::size_t>(std::min<std::int64_t>(n, static_cast<std::int64_t>(count)));
  if (left) return result_text(ctx, s.substr(0, runtime::byte_offset(s, take)));
  result_text(ctx, s.substr(runtime::byte_offset(s, count - take)));
}
void fn_left(sqlite3_context* ctx, int, sqlite3_value** argv) {
  fn_left_right(ctx, argv, true);
}
void fn_right(sqlite3_context* ctx, int, sqlite3_value** argv) {
  fn_left_right(ctx, argv, false);
}

void repeat(sqlite3_context* ctx, std::string_view s, std::int64_t n) {
  if (n < 0) return sqlite3_result_null(ctx);
  if (!fits_limit(ctx, static_cast<std::uint64_t>(n) * s.size())) return;
  std::string out;
  out.reserve(static_cast<std::size_t>(n) * s.size());
  for (std::int64_t i = 0; i < n; ++i) out += s;
  result_text(ctx, out);
}
void fn_replicate(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (any_null(argc, argv)) return sqlite3_result_null(ctx);
  repeat(ctx, text_of(argv[0]), sqlite3_value_int64(argv[1]));
}
void fn_space(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (any_null(argc, argv)) return sqlite3_result_null(ctx);
  repeat(ctx, " ", sqlite3_value_int64(argv[0]));
}

void fn_reverse(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (any_null(argc, argv)) return sqlite3_result_null(ctx);
  const std::string_view s = text_of(argv[0]);
  std::string out;
  out.reserve(s.size());
  for (std::size_t end = s.size(); end > 0;) {
    std::size_t start = end - 1;
    while (start > 0 && (static_cast<unsigned char>(s[start]) & 0xC0) == 0x80 && end - start < 4) --start;
    if (runtime::utf8_char_length(s, start) != end - start) start = end - 1;
    out.append(s.substr(start, end - start));
    end = start;
  }
  result_text(ctx, out);
}

void fn_charindex(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (any_null(argc, argv)) return sqlite3_result_null(ctx);
  const std::int64_t start = argc > 2 ? sqlite3_value_int64(argv[2]) : 1;
  const std::string needle(text_of(argv[0]));
  sqlite3_result_int64(ctx, find_folded(needle, text_of(argv[1]), start));
}

void fn_replace(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (any_null(argc, argv)) return sqlite3_result_null(ctx);
  result_text(ctx, replace_folded(text_of(argv[0]), text_of(argv[1]), text_of(argv[2])));
}

void fn_newid(sqlite3_context* ctx, int, sqlite3_value**) {
  unsigned char b[16];
  sqlite3_randomness(sizeof b, b);
  b[6] = static_cast<unsigned char>((b[6] & 0x0F) | 0x40);
  b[8] = static_cast<unsigned char>((b[8] & 0x3F) | 0x80);
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (int i = 0; i < 16; ++i) {
    if (i == 4 || i == 6 || i == 8 || i == 10) out += '-';
    out += kHex[b[i] >> 4];
    out += kHex[b[i] & 0x0F];
  }
  result_text(ctx, out);
}

// ---- dates ----
constexpr const char* kBadDate = "Conversion failed when converting date and/or time from character string.";
constexpr const char* kDateRange = "The conversion resulted in an out-of-range datetime value.";

// A datetime argument: a number of days since 1900 or a datetime text. Reports the error itself.
std::optional<DateTime> datetime_arg(sqlite3_context* ctx, sqlite3_value* v, int style) {
  switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
    case SQLITE_FLOAT: {
      auto dt = datetime_from_days(sqlite3_value_double(v));
      if (!dt) error(ctx, kDateRange);
      return dt;
    }
    case SQLITE_TEXT: {
      auto dt = parse_datetime(text_of(v), style);
      if (!dt) error(ctx, kBadDate);
      return dt;
    }
    default:
      error(ctx, "Explicit conversion from varbinary to datetime is not allowed.");
      return std::nullopt;
  }
}

int style_arg(sqlite3_value* v) {
  return sqlite3_value_type(v) == SQLITE_NULL ? 0 : sqlite3_value_int(v);
}

void fn_datetime_common(sqlite3_context* ctx, int argc, sqlite3_value** argv, bool date_only) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
  const int style = argc > 1 ? style_arg(argv[1]) : 0;
  auto dt = datetime_arg(ctx, argv[0], style);
  if (!dt) return;
  if (date_only) dt->millis = 0;
  result_text(ctx, *format_datetime(*dt, date_only ? 23 : 0));
}
void fn_datetime(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  fn_datetime_common(ctx, argc, argv, false);
}
void fn_date(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  fn_datetime_common(ctx, argc, argv, true);
}

// convert(varchar(n), x, style) and cast(x as varchar(n)): datetime texts are written in the style.
void fn_to_text(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
  const int style = argc > 1 ? style_arg(argv[1]) : 0;
  const std::int64_t length = argc > 2 ? sqlite3_value_int64(argv[2]) : -1;
  std::string out;
  const std::string_view text = text_of(argv[0]);
  if (style != 0 && sqlite3_value_type(argv[0]) == SQLITE_TEXT) {
    if (const auto dt = parse_datetime(text, 0)) {
      const auto formatted = format_datetime(*dt, style);
      if (!formatted)
        return error(ctx, std::to_string(style) + " is not a valid style number when converting.");
      out = *formatted;
    } else {
      out = text;
    }
  } else {
    out = text;
  }
  if (length >= 0) out = std::string(runtime::cut_to_width(out, static_cast<std::size_t>(length)));
  result_text(ctx, out);
}

void fn_getdate(sqlite3_context* ctx, int, sqlite3_value**) {
  result_text(ctx, *format_datetime(now_local(), 120));
}

void fn_datepart(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (any_null(argc, argv)) return sqlite3_result_null(ctx);
  const auto dt = datetime_arg(ctx, argv[1], 0);
  if (!dt) return;
  const auto v = date_part(runtime::to_lower(text_of(argv[0])), *dt);
  if (!v) return error(ctx, "Invalid date part " + std::string(text_of(argv[0])));
  sqlite3_result_int64(ctx, *v);
}

void fn_datename(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (any_null(argc, argv)) return sqlite3_result_null(ctx);
  const auto dt = datetime_arg(ctx, argv[1], 0);
  if (!dt) return;
  const std::string part = runtime::to_lower(text_of(argv[0]));
  const auto v = date_part(part, *dt);
  if (!v) return error(ctx, "Invalid date part " + part);
  static constexpr const char* kMonths[] = {"styczeń",  "luty",        "marzec",   "kwiecień",
                                            "maj",      "czerwiec",    "lipiec",   "sierpień",
                                            "wrzesień", "październik", "listopad", "grudzień"};
  static constexpr const char* kDays[] = {"poniedziałek", "wtorek", "środa",    "czwartek",
                                          "piątek",       "sobota", "niedziela"};
  if (part == "month" || part == "mm" || part == "m") return result_text(ctx, kMonths[*v - 1]);
  if (part == "weekday" || part == "dw") return result_text(ctx, kDays[*v - 1]);
  result_text(ctx, std::to_string(*v));
}

void fn_datediff(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (any_null(argc, argv)) return sqlite3_result_null(ctx);
  const auto a = datetime_arg(ctx, argv[1], 0);
  if (!a) return;
  const auto b = datetime_arg(ctx, argv[2], 0);
  if (!b) return;
  const auto v = date_diff(runtime::to_lower(text_of(argv[0])), *a, *b);
  if (!v) return error(ctx, "Invalid date part " + std::string(text_of(argv[0])));
  sqlite3_result_int64(ctx, *v);
}

void fn_dateadd(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (any_null(argc, argv)) return sqlite3_result_null(ctx);
  const auto dt = datetime_arg(ctx, argv[2], 0);
  if (!dt) return;
  const double amount = sqlite3_value_double(argv[1]);
  if (!std::isfinite(amount) || std::fabs(amount) > 4.0e9) return error(ctx, kDateRange);
  const auto r = date_add(runtime::to_lower(text_of(argv[0])), static_cast<std::int64_t>(amount), *dt);
  if (!r) return error(ctx, "Adding a value to a 'datetime' column caused an overflow.");
  result_text(ctx, *format_datetime(*r, 0));
}

struct Registration {
  const char* name;
  int args;
  void (*fn)(sqlite3_context*, int, sqlite3_value**);
  bool deterministic;
};

constexpr Registration kRegistrations[] = {
    {"upper", 1, fn_upper, true},
    {"lower", 1, fn_lower, true},
    {"like", 2, fn_like, true},
    {"like", 3, fn_like, true},
    {"tsql_add", 2, fn_add, true},
    {"tsql_ceiling", 1, fn_ceiling, true},
    {"tsql_floor", 1, fn_floor, true},
    {"tsql_power", 2, fn_power, true},
    {"tsql_isnumeric", 1, fn_isnumeric, true},
    {"tsql_str", 1, fn_str, true},
    {"tsql_str", 2, fn_str, true},
    {"tsql_str", 3, fn_str, true},
    {"tsql_left", 2, fn_left, true},
    {"tsql_right", 2, fn_right, true},
    {"tsql_replicate", 2, fn_replicate, true},
    {"tsql_space", 1, fn_space, true},
    {"tsql_reverse", 1, fn_reverse, true},
    {"tsql_charindex", 2, fn_charindex, true},
    {"tsql_charindex", 3, fn_charindex, true},
    {"tsql_replace", 3, fn_replace, true},
    {"tsql_newid", 0, fn_newid, false},
    {"tsql_datetime", 1, fn_datetime, true},
    {"tsql_datetime", 2, fn_datetime, true},
    {"tsql_date", 1, fn_date, true},
    {"tsql_date", 2, fn_date, true},
    {"tsql_to_text", 1, fn_to_text, true},
    {"tsql_to_text", 2, fn_to_text, true},
    {"tsql_to_text", 3, fn_to_text, true},
    {"tsql_getdate", 0, fn_getdate, false},
    {"tsql_datepart", 2, fn_datepart, true},
    {"tsql_datename", 2, fn_datename, true},
    {"tsql_datediff", 3, fn_datediff, true},
    {"tsql_dateadd", 3, fn_dateadd, true},
};

}  // namespace

bool register_tsql_functions(sqlite3* db) {
  if (db == nullptr) return false;
  // "name" is always a name, as on the server with QUOTED_IDENTIFIER ON: a misspelt column fails instead
  // of silently becoming a text.
  bool ok = sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr) == SQLITE_OK;
  ok = sqlite3_create_collation_v2(db, kTextCollation, SQLITE_UTF8, nullptr, collate_plci, nullptr) ==
       SQLITE_OK;
  for (const auto& r : kRegistrations) {
    // Innocuous: views and triggers of the schema call these functions even with trusted_schema off.
    const int flags = SQLITE_UTF8 | SQLITE_INNOCUOUS | (r.deterministic ? SQLITE_DETERMINISTIC : 0);
    ok = sqlite3_create_function_v2(db, r.name, r.args, flags, nullptr, r.fn, nullptr, nullptr, nullptr) ==
             SQLITE_OK &&
         ok;
  }
  return ok;
}

}  // namespace db::tsql
