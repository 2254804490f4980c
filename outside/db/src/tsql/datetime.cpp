// Datetime arithmetic on the server's calendar base (1 January 1900) for the translated statements.
#include "datetime.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>

namespace db::tsql {
namespace {

constexpr std::int64_t kMillisPerDay = 86'400'000;
constexpr std::int64_t kUnixEpochDays = 25567;  // 1970-01-01 counted from 1900-01-01

bool digits(std::string_view s, std::size_t pos, std::size_t n, int& value) {
  if (pos + n > s.size()) return false;
  value = 0;
  for (std::size_t i = pos; i < pos + n; ++i) {
    if (s[i] < '0' || s[i] > '9') return false;
    value = value * 10 + (s[i] - '0');
  }
  return true;
}

bool valid_date(int y, int m, int d) {
  if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1) return false;
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
  return d <= kDays[m - 1] + (m == 2 && leap ? 1 : 0);
}

int days_in_month(int y, int m) {
  for (int d = 31; d >= 28; --d) {
    if (valid_date(y, m, d)) return d;
  }
  return 28;
}

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// Reads 'HH:MM[:SS[.fff]]' from s; the whole rest of s must be used.
bool parse_time(std::string_view s, std::int64_t& millis) {
  int h = 0;
  int mi = 0;
  int sec = 0;
  int ms = 0;
  if (!digits(s, 0, 2, h) || s.size() < 5 || s[2] != ':' || !digits(s, 3, 2, mi)) return false;
  std::size_t pos = 5;
  if (pos < s.size()) {
    if (s[pos] != ':' || !digits(s, pos + 1, 2, sec)) return false;
    pos += 3;
    if (pos < s.size()) {
      if (s[pos] != '.') return false;
      ++pos;
      int scale = 100;
      while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9') {
        ms += (s[pos] - '0') * scale;
        scale /= 10;
        ++pos;
      }
      if (pos != s.size()) return false;
    }
  }
  if (h > 23 || mi > 59 || sec > 59) return false;
  millis = ((h * 60 + mi) * 60 + sec) * 1000LL + ms;
  return true;
}

std::string two(int v) {
  return {static_cast<char>('0' + v / 10), static_cast<char>('0' + v % 10)};
}
std::string four(int v) {
  return two(v / 100) + two(v % 100);
}
std::string three(int v) {
  return std::string(1, static_cast<char>('0' + v / 100)) + two(v % 100);
}

std::string canonical_part(std::string_view p) {
  if (p == "yy" || p == "yyyy") return "year";
  if (p == "qq" || p == "q") return "quarter";
  if (p == "mm" || p == "m") return "month";
  if (p == "dy" || p == "y") return "dayofyear";
  if (p == "dd" || p == "d") return "day";
  if (p == "wk" || p == "ww") return "week";
  if (p == "dw") return "weekday";
  if (p == "hh") return "hour";
  if (p == "mi" || p == "n") return "minute";
  if (p == "ss" || p == "s") return "second";
  if (p == "ms") return "millisecond";
  return std::string(p);
}

std::int64_t floor_div(std::int64_t a, std::int64_t b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

}  // namespace

std::int64_t days_from_civil(int year, int month, int day) {
  const std::int64_t y = year - (month <= 2 ? 1 : 0);
  const std::int64_t era = floor_div(y, 400);
  const std::int64_t yoe = y - era * 400;
  const std::int64_t mp = (month + 9) % 12;
  const std::int64_t doy = (153 * mp + 2) / 5 + day - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468 + kUnixEpochDays;
}

void civil_from_days(std::int64_t days, int& year, int& month, int& day) {
  const std::int64_t z = days - kUnixEpochDays + 719468;
  const std::int64_t era = floor_div(z, 146097);
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

bool in_range(const DateTime& dt) {
  return dt.days >= days_from_civil(1753, 1, 1) && dt.days <= days_from_civil(9999, 12, 31) &&
         dt.millis >= 0 && dt.millis < kMillisPerDay;
}

std::optional<DateTime> datetime_from_days(double days) {
  if (!std::isfinite(days) || std::fabs(days) > 4.0e6) return std::nullopt;
  const double whole = std::floor(days);
  DateTime dt{static_cast<std::int64_t>(whole), std::llround((days - whole) * kMillisPerDay)};
  if (dt.millis >= kMillisPerDay) {
    dt.millis -= kMillisPerDay;
    ++dt.days;
  }
  if (!in_range(dt)) return std::nullopt;
  return dt;
}

std::optional<DateTime> parse_datetime(std::string_view text, int style) {
  const std::string_view s = trim(text);
  int y = 0;
  int m = 0;
  int d = 0;
  std::size_t rest = 0;
  if (style == 103 || style == 104 || style == 105 || style == 3 || style == 4 || style == 5) {
    const char sep = (style % 100 == 3) ? '/' : (style % 100 == 4) ? '.' : '-';
    if (!digits(s, 0, 2, d) || s.size() < 10 || s[2] != sep || !digits(s, 3, 2, m) || s[5] != sep ||
        !digits(s, 6, 4, y)) {
      return std::nullopt;
    }
    rest = 10;
  } else if (s.size() >= 8 && digits(s, 0, 8, y) && (s.size() == 8 || s[8] == ' ')) {  // YYYYMMDD
    y = 0;
    digits(s, 0, 4, y);
    digits(s, 4, 2, m);
    digits(s, 6, 2, d);
    rest = 8;
  } else {
    if (!digits(s, 0, 4, y) || s.size() < 10 || (s[4] != '-' && s[4] != '.' && s[4] != '/') ||
        !digits(s, 5, 2, m) || s[7] != s[4] || !digits(s, 8, 2, d)) {
      return std::nullopt;
    }
    rest = 10;
  }
  if (!valid_date(y, m, d)) return std::nullopt;
  DateTime dt{days_from_civil(y, m, d), 0};
  if (rest < s.size()) {
    if (s[rest] != ' ' && s[rest] != 'T') return std::nullopt;
    if (!parse_time(trim(s.substr(rest + 1)), dt.millis)) return std::nullopt;
  }
  if (!in_range(dt)) return std::nullopt;
  return dt;
}

std::optional<std::string> format_datetime(const DateTime& dt, int style) {
  int y = 0;
  int m = 0;
  int d = 0;
  civil_from_days(dt.days, y, m, d);
  const int ms = static_cast<int>(dt.millis % 1000);
  const int total_seconds = static_cast<int>(dt.millis / 1000);
  const std::string time =
      two(total_seconds / 3600) + ":" + two(total_seconds / 60 % 60) + ":" + two(total_seconds % 60);
  const std::string date = four(y) + "-" + two(m) + "-" + two(d);
  switch (style) {
    case 0:
      return ms == 0 ? date + " " + time : date + " " + time + "." + three(ms);
    case 20:
    case 120:
      return date + " " + time;
    case 21:
    case 25:
    case 121:
      return date + " " + time + "." + three(ms);
    case 126:
      return date + "T" + time + (ms == 0 ? "" : "." + three(ms));
    case 23:
      return date;
    case 112:
      return four(y) + two(m) + two(d);
    case 102:
      return four(y) + "." + two(m) + "." + two(d);
    case 103:
      return two(d) + "/" + two(m) + "/" + four(y);
    case 104:
      return two(d) + "." + two(m) + "." + four(y);
    case 105:
      return two(d) + "-" + two(m) + "-" + four(y);
    case 101:
      return two(m) + "/" + two(d) + "/" + four(y);
    case 110:
      return two(m) + "-" + two(d) + "-" + four(y);
    case 8:
    case 108:
      return time;
    default:
      return std::nullopt;
  }
}

std::optional<std::int64_t> date_part(std::string_view part_in, const DateTime& dt) {
  const std::string part = canonical_part(part_in);
  int y = 0;
  int m = 0;
  int d = 0;
  civil_from_days(dt.days, y, m, d);
  if (part == "year") return y;
  if (part == "quarter") return (m - 1) / 3 + 1;
  if (part == "month") return m;
  if (part == "day") return d;
  if (part == "dayofyear") return dt.days - days_from_civil(y, 1, 1) + 1;
  if (part == "weekday") return ((dt.days % 7) + 7) % 7 + 1;  // 1900-01-01 was a Monday
  if (part == "week") {
    const std::int64_t jan1 = days_from_civil(y, 1, 1);
    const std::int64_t jan1_weekday = ((jan1 % 7) + 7) % 7;  // 0 = Monday
    return (dt.days - jan1 + jan1_weekday) / 7 + 1;
  }
  if (part == "hour") return dt.millis / 3'600'000;
  if (part == "minute") return dt.millis / 60'000 % 60;
  if (part == "second") return dt.millis / 1000 % 60;
  if (part == "millisecond") return dt.millis % 1000;
  return std::nullopt;
}

std::optional<std::int64_t> date_diff(std::string_view part_in, const DateTime& a, const DateTime& b) {
  const std::string part = canonical_part(part_in);
  int ya = 0, ma = 0, da = 0, yb = 0, mb = 0, db = 0;
  civil_from_days(a.days, ya, ma, da);
  civil_from_days(b.days, yb, mb, db);
  const std::int64_t ta = a.days * kMillisPerDay + a.millis;
  const std::int64_t tb = b.days * kMillisPerDay + b.millis;
  if (part == "year") return yb - ya;
  if (part == "quarter") return (yb * 4 + (mb - 1) / 3) - (ya * 4 + (ma - 1) / 3);
  if (part == "month") return (yb * 12 + mb) - (ya * 12 + ma);
  if (part == "day" || part == "dayofyear" || part == "weekday") return b.days - a.days;
  if (part == "week") return floor_div(b.days + 1, 7) - floor_div(a.days + 1, 7);  // weeks start on Sunday
  if (part == "hour") return floor_div(tb, 3'600'000) - floor_div(ta, 3'600'000);
  if (part == "minute") return floor_div(tb, 60'000) - floor_div(ta, 60'000);
  if (part == "second") return floor_div(tb, 1000) - floor_div(ta, 1000);
  if (part == "millisecond") return tb - ta;
  return std::nullopt;
}

std::optional<DateTime> date_add(std::string_view part_in, std::int64_t amount, const DateTime& dt) {
  const std::string part = canonical_part(part_in);
  if (amount > 4'000'000'000LL || amount < -4'000'000'000LL) return std::nullopt;
  DateTime r = dt;
  if (part == "year" || part == "quarter" || part == "month") {
    const std::int64_t months = part == "year" ? amount * 12 : part == "quarter" ? amount * 3 : amount;
    int y = 0;
    int m = 0;
    int d = 0;
    civil_from_days(dt.days, y, m, d);
    const std::int64_t index = static_cast<std::int64_t>(y) * 12 + (m - 1) + months;
    if (index < 0 || index > 9999 * 12 + 11) return std::nullopt;
    const int ny = static_cast<int>(index / 12);
    const int nm = static_cast<int>(index % 12) + 1;
    const int nd = std::min(d, days_in_month(ny, nm));
    r.days = days_from_civil(ny, nm, nd);
  } else {
    std::int64_t unit = 0;
    if (part == "day" || part == "dayofyear" || part == "weekday") {
      unit = kMillisPerDay;
    } else if (part == "week") {
      unit = 7 * kMillisPerDay;
    } else if (part == "hour") {
      unit = 3'600'000;
    } else if (part == "minute") {
      unit = 60'000;
    } else if (part == "second") {
      unit = 1000;
    } else if (part == "millisecond") {
      unit = 1;
    } else {
      return std::nullopt;
    }
    const std::int64_t total = dt.days * kMillisPerDay + dt.millis + amount * unit;
    r.days = floor_div(total, kMillisPerDay);
    r.millis = total - r.days * kMillisPerDay;
  }
  if (!in_range(r)) return std::nullopt;
  return r;
}

DateTime now_local() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t t = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&t, &local);
  DateTime dt;
  dt.days = days_from_civil(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
  dt.millis = ((local.tm_hour * 60LL + local.tm_min) * 60 + local.tm_sec) * 1000;
  return dt;
}

}  // namespace db::tsql
