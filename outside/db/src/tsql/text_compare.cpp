// The PLCI collation order, LIKE matching and case-insensitive search over UTF-8 texts.
#include "text_compare.h"

#include <algorithm>
#include <string>
#include <vector>

#include "runtime/text.h"

namespace db::tsql {
namespace {

struct Decoded {
  char32_t cp;
  std::size_t length;
  bool valid;
};

Decoded decode(std::string_view s, std::size_t pos) {
  const auto lead = static_cast<unsigned char>(s[pos]);
  if (lead < 0x80) return {lead, 1, true};
  const std::size_t len = runtime::utf8_char_length(s, pos);
  if (len == 1) return {lead, 1, false};
  return {runtime::decode_utf8(s, pos), len, true};
}

char32_t fold(char32_t c) {
  return runtime::lower_code_point(c);
}

std::string_view trim_blanks(std::string_view s) {
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

// A decoded pattern element of LIKE.
struct PatternItem {
  enum Kind { Literal, AnyOne, AnyRun, Set } kind;
  char32_t cp = 0;        // Literal: folded
  std::size_t first = 0;  // Set: range in `ranges`
  std::size_t count = 0;
  bool negated = false;
};

struct Range {
  char32_t low;
  char32_t high;
};

std::vector<char32_t> folded_chars(std::string_view s) {
  std::vector<char32_t> out;
  out.reserve(s.size());
  for (std::size_t pos = 0; pos < s.size();) {
    const Decoded d = decode(s, pos);
    out.push_back(d.valid ? fold(d.cp) : 0x110000 + d.cp);
    pos += d.length;
  }
  return out;
}

bool set_contains(const PatternItem& item, const std::vector<Range>& ranges, char32_t c) {
  bool in = false;
  for (std::size_t i = item.first; i < item.first + item.count && !in; ++i) {
    in = c >= ranges[i].low && c <= ranges[i].high;
  }
  return in != item.negated;
}

}  // namespace

// One collation order for the database and for the browses that sort in memory.
int compare_plci(std::string_view a, std::string_view b) {
  return runtime::collate_compare(a, b);
}

bool like_match(std::string_view pattern_text, std::string_view text_in, char32_t escape) {
  const std::vector<char32_t> p = folded_chars(trim_blanks(pattern_text));
  const std::vector<char32_t> t = folded_chars(trim_blanks(text_in));
  const char32_t esc = escape == 0 ? 0 : fold(escape);
  std::vector<PatternItem> items;
  std::vector<Range> ranges;
  items.reserve(p.size());
  for (std::size_t i = 0; i < p.size(); ++i) {
    const char32_t c = p[i];
    if (esc != 0 && c == esc && i + 1 < p.size()) {
      items.push_back({PatternItem::Literal, p[++i]});
    } else if (c == '%') {
      if (items.empty() || items.back().kind != PatternItem::AnyRun) items.push_back({PatternItem::AnyRun});
    } else if (c == '_') {
      items.push_back({PatternItem::AnyOne});
    } else if (c == '[') {
      std::size_t close = i + 1;
      if (close < p.size() && p[close] == '^') ++close;
      if (close < p.size()) ++close;  // a ']' right after '[' is a member
      while (close < p.size() && p[close] != ']') ++close;
      if (close >= p.size()) {
        items.push_back({PatternItem::Literal, c});
        continue;
      }
      PatternItem set{PatternItem::Set};
      std::size_t k = i + 1;
      if (p[k] == '^') {
        set.negated = true;
        ++k;
      }
      set.first = ranges.size();
      for (; k < close; ++k) {
        if (k + 2 < close && p[k + 1] == '-') {
          ranges.push_back({p[k], p[k + 2]});
          k += 2;
        } else {
          ranges.push_back({p[k], p[k]});
        }
      }
      set.count = ranges.size() - set.first;
      items.push_back(set);
      i = close;
    } else {
      items.push_back({PatternItem::Literal, c});
    }
  }
  // Greedy matching that backtracks only to the last %: correct for these patterns and never exponential.
  std::size_t pi = 0;
  std::size_t ti = 0;
  std::size_t star = items.size();
  std::size_t star_text = 0;
  while (ti < t.size()) {
    if (pi < items.size()) {
      const PatternItem& it = items[pi];
      if (it.kind == PatternItem::AnyRun) {
        star = pi++;
        star_text = ti;
        continue;
      }
      const bool ok = it.kind == PatternItem::AnyOne || (it.kind == PatternItem::Literal && it.cp == t[ti]) ||
                      (it.kind == PatternItem::Set && set_contains(it, ranges, t[ti]));
      if (ok) {
        ++pi;
        ++ti;
        continue;
      }
    }
    if (star == items.size()) return false;
    pi = star + 1;
    ti = ++star_text;
  }
  while (pi < items.size() && items[pi].kind == PatternItem::AnyRun) ++pi;
  return pi == items.size();
}

std::int64_t find_folded(std::string_view needle, std::string_view hay, std::int64_t start) {
  const std::vector<char32_t> n = folded_chars(needle);
  const std::vector<char32_t> h = folded_chars(hay);
  if (n.empty()) return 0;
  const std::size_t from = start > 1 ? static_cast<std::size_t>(start - 1) : 0;
  for (std::size_t i = from; i + n.size() <= h.size(); ++i) {
    std::size_t k = 0;
    while (k < n.size() && h[i + k] == n[k]) ++k;
    if (k == n.size()) return static_cast<std::int64_t>(i + 1);
  }
  return 0;
}

std::string replace_folded(std::string_view hay, std::string_view needle, std::string_view replacement) {
  const std::vector<char32_t> n = folded_chars(needle);
  if (n.empty()) return std::string(hay);
  std::vector<char32_t> h;
  std::vector<std::size_t> offsets;  // byte offset of each character of `hay`, and its end
  h.reserve(hay.size());
  offsets.reserve(hay.size() + 1);
  for (std::size_t pos = 0; pos < hay.size();) {
    const Decoded d = decode(hay, pos);
    h.push_back(d.valid ? fold(d.cp) : 0x110000 + d.cp);
    offsets.push_back(pos);
    pos += d.length;
  }
  offsets.push_back(hay.size());
  std::string out;
  out.reserve(hay.size());
  std::size_t copied = 0;  // characters of `hay` already copied or replaced
  for (std::size_t i = 0; i + n.size() <= h.size();) {
    if (std::equal(n.begin(), n.end(), h.begin() + static_cast<std::ptrdiff_t>(i))) {
      out.append(hay.substr(offsets[copied], offsets[i] - offsets[copied]));
      out.append(replacement);
      i += n.size();
      copied = i;
    } else {
      ++i;
    }
  }
  out.append(hay.substr(offsets[copied]));
  return out;
}

}  // namespace db::tsql
