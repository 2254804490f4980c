// Date and time pictures: day numbers and clock values shown in the system's forms and read back.
#include <array>
#include <cstdio>
#include <vector>

#include "picture_forms.h"
#include "runtime/clock.h"
#include "runtime/date.h"
#include "runtime/text.h"

namespace runtime::picture_detail {

namespace {

constexpr std::array<const char*, 12> kMonthShort = {"sty", "lut", "mar", "kwi", "maj", "cze",
                                                     "lip", "sie", "wrz", "paź", "lis", "gru"};
constexpr std::array<const char*, 12> kMonthName = {"styczeń",  "luty",        "marzec",   "kwiecień",
                                                    "maj",      "czerwiec",    "lipiec",   "sierpień",
                                                    "wrzesień", "październik", "listopad", "grudzień"};
constexpr std::array<const char*, 12> kMonthOf = {"stycznia", "lutego",       "marca",     "kwietnia",
                                                  "maja",     "czerwca",      "lipca",     "sierpnia",
                                                  "września", "października", "listopada", "grudnia"};

// Layouts of the date forms 1..18; form 17 takes the configured short date instead. Tokens: yyyy, yy,
// MMMM (month name), MMM (short month), MM, M, GGGG (month name as in "7 grudnia"), dd, d.
constexpr std::array<const char*, 19> kDateLayouts = {
    "",           "MM/dd/yy",   "MM/dd/yyyy", "MMM dd, yyyy", "MMMM dd, yyyy",
    "dd/MM/yy",   "dd/MM/yyyy", "dd MMM yy",  "dd MMM yyyy",  "yy/MM/dd",
    "yyyy/MM/dd", "yyMMdd",     "yyyyMMdd",   "MM/yy",        "MM/yyyy",
    "yy/MM",      "yyyy/MM",    "",           "d GGGG yyyy"};

enum class Field { year, month, day };

struct Token {
  std::string_view text;
  Field field;
  bool words;  // a month written as a word
};

constexpr std::array<Token, 9> kTokens = {{{"yyyy", Field::year, false},
                                           {"yy", Field::year, false},
                                           {"MMMM", Field::month, true},
                                           {"MMM", Field::month, true},
                                           {"MM", Field::month, false},
                                           {"M", Field::month, false},
                                           {"GGGG", Field::month, true},
                                           {"dd", Field::day, false},
                                           {"d", Field::day, false}}};

const Token* token_at(std::string_view layout, std::size_t pos) {
  for (const Token& t : kTokens) {
    if (layout.substr(pos, t.text.size()) == t.text) return &t;
  }
  return nullptr;
}

std::string date_layout(const DateForm& f) {
  std::string layout = f.form == 17 ? short_date_format() : kDateLayouts[static_cast<std::size_t>(f.form)];
  if (f.form != 17) {
    for (char& c : layout) {
      if (c == '/') c = f.separator;
    }
  }
  return layout;
}

void append_padded(std::string& out, int value, int width) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*d", width, value);
  out += buf;
}

std::string render_date(DayNumber day, std::string_view layout) {
  const auto ymd = to_ymd(day);
  const int y = static_cast<int>(ymd.year());
  const int m = static_cast<int>(static_cast<unsigned>(ymd.month()));
  const int d = static_cast<int>(static_cast<unsigned>(ymd.day()));
  const std::size_t mi = static_cast<std::size_t>(m - 1);
  std::string out;
  for (std::size_t i = 0; i < layout.size();) {
    const Token* t = token_at(layout, i);
    if (!t) {
      out += layout[i++];
      continue;
    }
    i += t->text.size();
    if (t->text == "yyyy") append_padded(out, y, 4);
    if (t->text == "yy") append_padded(out, y % 100, 2);
    if (t->text == "MMMM") out += kMonthName[mi];
    if (t->text == "MMM") out += kMonthShort[mi];
    if (t->text == "GGGG") out += kMonthOf[mi];
    if (t->text == "MM") append_padded(out, m, 2);
    if (t->text == "M") append_padded(out, m, 1);
    if (t->text == "dd") append_padded(out, d, 2);
    if (t->text == "d") append_padded(out, d, 1);
  }
  return out;
}

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}
// ASCII letters and every byte of a multibyte character (the Polish letters of month names).
bool is_letter(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u >= 0x80;
}

// Runs of digits and runs of letters; everything else separates them.
std::vector<std::string_view> split_groups(std::string_view s) {
  std::vector<std::string_view> groups;
  for (std::size_t i = 0; i < s.size();) {
    std::size_t j = i;
    if (is_digit(s[i])) {
      while (j < s.size() && is_digit(s[j])) ++j;
    } else if (is_letter(s[i])) {
      while (j < s.size() && is_letter(s[j])) ++j;
    } else {
      ++i;
      continue;
    }
    groups.push_back(s.substr(i, j - i));
    i = j;
  }
  return groups;
}

int month_from_word(std::string_view word) {
  const std::string lower = to_lower(word);
  if (char_count(lower) < 3) return 0;
  for (std::size_t i = 0; i < 12; ++i) {
    const std::string_view full = kMonthName[i], of = kMonthOf[i];
    if (lower == kMonthShort[i] || full.substr(0, lower.size()) == lower ||
        of.substr(0, lower.size()) == lower) {
      return static_cast<int>(i) + 1;
    }
  }
  return 0;
}

// A whole number of at most `max_digits` digits; -1 otherwise.
int small_number(std::string_view digits, std::size_t max_digits) {
  if (digits.empty() || digits.size() > max_digits) return -1;
  int v = 0;
  for (char c : digits) {
    if (!is_digit(c)) return -1;
    v = v * 10 + (c - '0');
  }
  return v;
}

int full_year(std::string_view digits) {
  const int y = small_number(digits, 4);
  if (y < 0) return -1;
  if (digits.size() <= 2) return y < 50 ? 2000 + y : 1900 + y;
  return y;
}

PictureRead date_result(DayNumber day, const DateForm& f, bool blank) {
  PictureRead r;
  r.blank = blank;
  r.number = Decimal::whole(day);
  r.text = format_date(f, r.number);
  return r;
}

}  // namespace

std::string format_date(const DateForm& f, const Decimal& value) {
  const std::optional<long long> day = whole_in_range(value, 0, kOpenEnd);
  if (!day) return value.to_text();
  if (*day == 0) return {};
  return render_date(static_cast<DayNumber>(*day), date_layout(f));
}

PictureRead read_date(const DateForm& f, std::string_view typed) {
  const std::string_view t = trim(typed);
  if (t.empty()) return date_result(0, f, true);
  const std::string layout = date_layout(f);
  std::vector<const Token*> fields;
  std::size_t compact_length = 0;
  bool has_words = false;
  for (std::size_t i = 0; i < layout.size();) {
    const Token* tok = token_at(layout, i);
    if (!tok) {
      ++i;
      continue;
    }
    fields.push_back(tok);
    has_words = has_words || tok->words;
    compact_length += tok->text == "yyyy" ? 4 : 2;
    i += tok->text.size();
  }
  std::vector<std::string_view> groups;
  bool all_digits = true;
  for (char c : t) all_digits = all_digits && is_digit(c);
  if (all_digits && !has_words && t.size() == compact_length) {
    // Digits typed without separators: each field takes its full width.
    std::size_t pos = 0;
    for (const Token* tok : fields) {
      const std::size_t w = tok->text == "yyyy" ? 4 : 2;
      groups.push_back(t.substr(pos, w));
      pos += w;
    }
  } else {
    groups = split_groups(t);
  }
  if (groups.size() != fields.size()) return read_failure(ReadStatus::invalid);
  int year = -1, month = -1, day = 1;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const std::string_view g = groups[i];
    switch (fields[i]->field) {
      case Field::year:
        year = full_year(g);
        break;
      case Field::month:
        month = is_digit(g.front()) ? small_number(g, 2) : month_from_word(g);
        break;
      case Field::day:
        day = small_number(g, 2);
        break;
    }
  }
  if (year < 0 || month < 1 || day < 1) return read_failure(ReadStatus::invalid);
  const DayNumber d = make_day(year, static_cast<unsigned>(month), static_cast<unsigned>(day));
  if (d <= 0 || d > kOpenEnd) return read_failure(ReadStatus::invalid);
  return date_result(d, f, false);
}

namespace {

struct TimeLayout {
  bool seconds;
  bool separated;
  bool twelve_hour;
};

constexpr std::array<TimeLayout, 9> kTimeLayouts = {{{false, false, false},
                                                     {false, true, false},
                                                     {false, false, false},
                                                     {false, true, true},
                                                     {true, true, false},
                                                     {true, false, false},
                                                     {true, true, true},
                                                     {false, true, false},
                                                     {true, true, false}}};

}  // namespace

std::string format_time(const TimeForm& f, const Decimal& value) {
  const std::optional<long long> clock = whole_in_range(value, 0, kClockPerDay - 1);
  if (!clock) return value.to_text();
  const TimeLayout l = kTimeLayouts[static_cast<std::size_t>(f.form)];
  const ClockParts p = split_clock(static_cast<ClockValue>(*clock));
  const int hour = l.twelve_hour ? (p.hour % 12 == 0 ? 12 : p.hour % 12) : p.hour;
  std::string out;
  append_padded(out, hour, 2);
  if (l.separated) out += f.separator;
  append_padded(out, p.minute, 2);
  if (l.seconds) {
    if (l.separated) out += f.separator;
    append_padded(out, p.second, 2);
  }
  if (l.twelve_hour) out += p.hour < 12 ? "AM" : "PM";
  return out;
}

PictureRead read_time(const TimeForm& f, std::string_view typed) {
  std::string_view t = trim(typed);
  PictureRead r;
  if (t.empty()) {
    r.blank = true;
    r.number = Decimal::whole(0);
    r.text = format_time(f, r.number);
    return r;
  }
  int half = 0;  // 1 AM, 2 PM
  if (t.size() >= 2) {
    const std::string tail = to_upper(t.substr(t.size() - 2));
    if (tail == "AM" || tail == "PM") {
      half = tail == "AM" ? 1 : 2;
      t = trim_right(t.substr(0, t.size() - 2));
    }
  }
  std::vector<std::string_view> groups;
  bool all_digits = !t.empty();
  for (char c : t) all_digits = all_digits && is_digit(c);
  if (all_digits && t.size() > 2) {
    // hhmm or hhmmss typed without separators.
    if (t.size() != 4 && t.size() != 6) return read_failure(ReadStatus::invalid);
    for (std::size_t i = 0; i < t.size(); i += 2) groups.push_back(t.substr(i, 2));
  } else {
    for (std::size_t i = 0; i < t.size();) {
      if (!is_digit(t[i])) {
        if (is_letter(t[i])) return read_failure(ReadStatus::invalid);
        ++i;
        continue;
      }
      std::size_t j = i;
      while (j < t.size() && is_digit(t[j])) ++j;
      groups.push_back(t.substr(i, j - i));
      i = j;
    }
  }
  if (groups.empty() || groups.size() > 4) return read_failure(ReadStatus::invalid);
  int parts[4] = {0, 0, 0, 0};
  for (std::size_t i = 0; i < groups.size(); ++i) {
    parts[i] = small_number(groups[i], 2);
    if (parts[i] < 0) return read_failure(ReadStatus::invalid);
  }
  // Hundredths are a decimal fraction of the second: ",5" is 50.
  if (groups.size() == 4 && groups[3].size() == 1) parts[3] *= 10;
  int hour = parts[0];
  if (half != 0) {
    if (hour < 1 || hour > 12) return read_failure(ReadStatus::invalid);
    hour = hour % 12 + (half == 2 ? 12 : 0);
  }
  if (hour > 23 || parts[1] > 59 || parts[2] > 59) return read_failure(ReadStatus::invalid);
  r.number = Decimal::whole(make_clock(hour, parts[1], parts[2], parts[3]));
  r.text = format_time(f, r.number);
  return r;
}

}  // namespace runtime::picture_detail
