// UTF-8 walking, width cuts, blank-insensitive comparison and case mapping of the system's texts.
#include "runtime/text.h"

#include <algorithm>
#include <cstdint>

namespace runtime {
namespace {

bool is_continuation(unsigned char b) {
  return (b & 0xC0) == 0x80;
}

}  // namespace

std::size_t utf8_char_length(std::string_view s, std::size_t pos) {
  if (pos >= s.size()) return 0;
  const auto lead = static_cast<unsigned char>(s[pos]);
  std::size_t len = 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    len = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    len = 3;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    len = 4;
  }
  if (pos + len > s.size()) return 1;
  for (std::size_t i = 1; i < len; ++i) {
    if (!is_continuation(static_cast<unsigned char>(s[pos + i]))) return 1;
  }
  return len;
}

std::size_t char_count(std::string_view s) {
  std::size_t n = 0;
  for (std::size_t pos = 0; pos < s.size(); pos += utf8_char_length(s, pos)) ++n;
  return n;
}

std::size_t byte_offset(std::string_view s, std::size_t chars) {
  std::size_t pos = 0;
  while (chars > 0 && pos < s.size()) {
    pos += utf8_char_length(s, pos);
    --chars;
  }
  return pos;
}

std::string_view trim_right(std::string_view s) {
  const auto end = s.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string_view{} : s.substr(0, end + 1);
}

std::string_view trim_left(std::string_view s) {
  const auto begin = s.find_first_not_of(' ');
  return begin == std::string_view::npos ? std::string_view{} : s.substr(begin);
}

std::string_view trim(std::string_view s) {
  return trim_left(trim_right(s));
}

std::string_view cut_to_width(std::string_view s, std::size_t width) {
  if (s.size() <= width) return s;  // a character takes at least one byte
  return s.substr(0, byte_offset(s, width));
}

std::string pad_to_width(std::string_view s, std::size_t width) {
  std::string out(cut_to_width(s, width));
  out.append(width - char_count(out), ' ');
  return out;
}

std::strong_ordering compare_text(std::string_view a, std::string_view b) {
  a = trim_right(a);
  b = trim_right(b);
  const int c = a.compare(b);
  return c < 0   ? std::strong_ordering::less
         : c > 0 ? std::strong_ordering::greater
                 : std::strong_ordering::equal;
}

bool same_text(std::string_view a, std::string_view b) {
  return trim_right(a) == trim_right(b);
}

char32_t decode_utf8(std::string_view s, std::size_t pos) {
  const std::size_t len = utf8_char_length(s, pos);
  if (len == 0) return 0;
  const auto lead = static_cast<unsigned char>(s[pos]);
  if (len == 1) return lead < 0x80 ? lead : 0xFFFD;
  char32_t cp = lead & (len == 2 ? 0x1F : len == 3 ? 0x0F : 0x07);
  for (std::size_t i = 1; i < len; ++i) cp = (cp << 6) | (static_cast<unsigned char>(s[pos + i]) & 0x3F);
  return cp;
}

void append_utf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

// Latin Extended-A pairs upper/lower as even/odd, except two runs where the upper letter is odd.
namespace {
bool odd_is_upper(char32_t c) {
  return (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
}
bool paired_ext_a(char32_t c) {
  return (c >= 0x100 && c <= 0x137) || (c >= 0x139 && c <= 0x148) || (c >= 0x14A && c <= 0x177) ||
         (c >= 0x179 && c <= 0x17E);
}
}  // namespace

char32_t upper_code_point(char32_t c) {
  if (c >= 'a' && c <= 'z') return c - 0x20;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
  if (c == 0xFF) return 0x178;
  if (paired_ext_a(c)) {
    const bool odd = (c & 1) != 0;
    const bool is_lower = odd_is_upper(c) ? !odd : odd;
    return is_lower ? c - 1 : c;
  }
  return c;
}

char32_t lower_code_point(char32_t c) {
  if (c >= 'A' && c <= 'Z') return c + 0x20;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
  if (c == 0x178) return 0xFF;
  if (paired_ext_a(c)) {
    const bool odd = (c & 1) != 0;
    const bool is_upper = odd_is_upper(c) ? odd : !odd;
    return is_upper ? c + 1 : c;
  }
  return c;
}

namespace {
template <typename Map>
std::string map_case(std::string_view s, Map map) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t pos = 0; pos < s.size();) {
    const std::size_t len = utf8_char_length(s, pos);
    const auto lead = static_cast<unsigned char>(s[pos]);
    if (lead < 0x80) {
      out.push_back(static_cast<char>(map(lead)));
    } else if (len == 1) {
      out.push_back(s[pos]);  // stray byte kept as it is
    } else {
      append_utf8(out, map(decode_utf8(s, pos)));
    }
    pos += len;
  }
  return out;
}
}  // namespace

namespace {

// Base letter of the lower-case Latin-1 (U+00E0..U+00FF) and Latin Extended-A (U+0100..U+017F) letters;
// '#' marks a character that is no letter.
constexpr std::string_view kLatin1Base = "aaaaaaaceeeeiiiidnooooo#ouuuuyty";
constexpr std::string_view kExtendedABase =
    "aaaaaaccccccccdddd"
    "eeeeeeeeeegggg"
    "gggghhhhiiiiiiii"
    "iiiijjkkklllllll"
    "lllnnnnnnnnnoooo"
    "oooorrrrrrssssss"
    "ssttttttuuuuuuuu"
    "uuuuwwyyyzzzzzzs";

// Sort weight of one character: every non-letter by its folded code point, then the letters, those of one
// base letter together with the base letter first (a < ą < b ... l < ł ... z < ź < ż); invalid bytes last.
std::uint64_t collation_weight(char32_t cp, bool valid) {
  if (!valid) return (std::uint64_t{3} << 40) | cp;
  const char32_t f = lower_code_point(cp);
  char base = 0;
  if (f >= 'a' && f <= 'z') {
    base = static_cast<char>(f);
  } else if (f >= 0xE0 && f <= 0xFF) {
    base = kLatin1Base[f - 0xE0];
  } else if (f == 0xDF) {
    base = 's';
  } else if (f >= 0x100 && f < 0x180) {
    base = kExtendedABase[f - 0x100];
  }
  if (base == 0 || base == '#') return f;
  const std::uint64_t variant = (f >= 'a' && f <= 'z') ? 0 : f;
  return (std::uint64_t{1} << 40) | (static_cast<std::uint64_t>(base - 'a') << 24) | variant;
}

std::uint64_t weight_at(std::string_view s, std::size_t pos, std::size_t& length) {
  const auto lead = static_cast<unsigned char>(s[pos]);
  length = utf8_char_length(s, pos);
  if (lead < 0x80) return collation_weight(lead, true);
  if (length == 1) return collation_weight(lead, false);
  return collation_weight(decode_utf8(s, pos), true);
}

}  // namespace

int collate_compare(std::string_view a, std::string_view b) {
  a = trim_right(a);
  b = trim_right(b);
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    std::size_t la = 0, lb = 0;
    const std::uint64_t wa = weight_at(a, i, la);
    const std::uint64_t wb = weight_at(b, j, lb);
    if (wa != wb) return wa < wb ? -1 : 1;
    i += la;
    j += lb;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  return 0;
}

namespace {

// A stray byte stands apart from every code point, as to_upper keeps it apart by leaving it as it is.
constexpr char32_t kStrayByte = 0x8000'0000;

// One character of a name as same_name compares it, and its length in bytes.
char32_t name_unit(std::string_view s, std::size_t pos, std::size_t& length) {
  length = utf8_char_length(s, pos);
  const auto lead = static_cast<unsigned char>(s[pos]);
  if (lead < 0x80) return upper_code_point(lead);
  if (length == 1) return kStrayByte | lead;
  return upper_code_point(decode_utf8(s, pos));
}

}  // namespace

bool same_name(std::string_view a, std::string_view b) {
  a = trim_right(a);
  b = trim_right(b);
  if (a == b) return true;
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    std::size_t la = 0, lb = 0;
    if (name_unit(a, i, la) != name_unit(b, j, lb)) return false;
    i += la;
    j += lb;
  }
  return i == a.size() && j == b.size();
}

std::string to_upper(std::string_view s) {
  return map_case(s, upper_code_point);
}
std::string to_lower(std::string_view s) {
  return map_case(s, lower_code_point);
}

std::size_t find_position(std::string_view hay, std::string_view needle, std::size_t start) {
  if (needle.empty() || start == 0) return 0;
  const std::size_t from = byte_offset(hay, start - 1);
  const auto found = hay.find(needle, from);
  if (found == std::string_view::npos) return 0;
  return char_count(hay.substr(0, found)) + 1;
}

std::string_view sub_text(std::string_view s, std::size_t start, std::size_t length) {
  if (start == 0) start = 1;
  const std::size_t from = byte_offset(s, start - 1);
  const std::size_t to = from + byte_offset(s.substr(from), length);
  return s.substr(from, to - from);
}

}  // namespace runtime
