// Character-wise search that never matches half a letter and treats stray bytes as themselves.
#include "text/text_match.h"

#include "runtime/text.h"

namespace keldox::text_match {
namespace {

// Code points above the Unicode range stand for invalid bytes, so that they only equal themselves.
constexpr char32_t stray_byte_base = 0x110000;

char32_t key_at(std::string_view s, std::size_t pos, std::size_t len, bool ignore_case) {
  const auto lead = static_cast<unsigned char>(s[pos]);
  if (len == 1 && lead >= 0x80) return stray_byte_base + lead;
  const char32_t c = runtime::decode_utf8(s, pos);
  return ignore_case ? runtime::upper_code_point(c) : c;
}

// Whether `needle` matches `hay` from byte `pos`; on success `end` is the byte just past the match.
bool matches_at(std::string_view hay, std::size_t pos, std::string_view needle, bool ignore_case,
                std::size_t& end) {
  std::size_t n = 0;
  while (n < needle.size()) {
    if (pos >= hay.size()) return false;
    const std::size_t hay_len = runtime::utf8_char_length(hay, pos);
    const std::size_t needle_len = runtime::utf8_char_length(needle, n);
    if (key_at(hay, pos, hay_len, ignore_case) != key_at(needle, n, needle_len, ignore_case)) return false;
    pos += hay_len;
    n += needle_len;
  }
  end = pos;
  return true;
}

}  // namespace

std::size_t find(std::string_view hay, std::string_view needle, std::size_t from, bool ignore_case,
                 std::size_t& match_end) {
  if (needle.empty()) return npos;
  for (std::size_t pos = from; pos < hay.size(); pos += runtime::utf8_char_length(hay, pos)) {
    if (matches_at(hay, pos, needle, ignore_case, match_end)) return pos;
  }
  return npos;
}

}  // namespace keldox::text_match
