// Texts of the system: UTF-8 in memory, widths counted in characters, trailing blanks never significant.
#pragma once

#include <compare>
#include <cstddef>
#include <string>
#include <string_view>

namespace runtime {

// Byte length of the UTF-8 character starting at s[pos]; an invalid or truncated sequence counts as one
// byte, so that any byte string can be walked without reading past its end.
std::size_t utf8_char_length(std::string_view s, std::size_t pos);

// Number of characters (not bytes) in s.
std::size_t char_count(std::string_view s);

// Byte offset of the character with the 0-based index `chars`, or s.size() when s is shorter.
std::size_t byte_offset(std::string_view s, std::size_t chars);

// s without its trailing blanks (the system's CLIP).
std::string_view trim_right(std::string_view s);
// s without its leading blanks.
std::string_view trim_left(std::string_view s);
std::string_view trim(std::string_view s);

// The first `width` characters of s; a multibyte letter is never split.
std::string_view cut_to_width(std::string_view s, std::size_t width);

// s cut to `width` characters and padded with blanks to exactly `width` characters.
std::string pad_to_width(std::string_view s, std::size_t width);

// Comparison ignoring trailing blanks, byte order otherwise (keys of the session lists).
std::strong_ordering compare_text(std::string_view a, std::string_view b);
bool same_text(std::string_view a, std::string_view b);

// Order of the database's usual collation: case-blind (Polish letters too), blind to trailing blanks, and
// in the Polish alphabet (a < ą < b < c < ć ... l < ł ... z < ź < ż). Negative, zero or positive.
int collate_compare(std::string_view a, std::string_view b);

// Upper and lower case of ASCII and of the Latin letters of the Central European code page
// (ą↔Ą, ć↔Ć, ę↔Ę, ł↔Ł, ń↔Ń, ó↔Ó, ś↔Ś, ź↔Ź, ż↔Ż and the Czech, Slovak and Hungarian ones).
std::string to_upper(std::string_view s);
std::string to_lower(std::string_view s);
char32_t upper_code_point(char32_t c);
char32_t lower_code_point(char32_t c);

// Whether a and b name the same thing: equal but for the case of their letters (as to_upper maps them)
// and their trailing blanks; a leading blank counts, and so does any other difference, a longer name
// included. A byte that starts no character matches only the same byte. Never allocates, so that lookups
// by name cost nothing on the heap.
bool same_name(std::string_view a, std::string_view b);

// Decodes the character at s[pos] (U+FFFD for an invalid sequence) and appends a code point as UTF-8.
char32_t decode_utf8(std::string_view s, std::size_t pos);
void append_utf8(std::string& out, char32_t c);

// 1-based positions counted in characters, as the system counts them: the position of the first
// occurrence of `needle` in `hay` at or after character `start` (0 when absent or needle is empty).
std::size_t find_position(std::string_view hay, std::string_view needle, std::size_t start = 1);
// `length` characters of s from the 1-based character position `start` (empty when start is past the end).
std::string_view sub_text(std::string_view s, std::size_t start, std::size_t length);

// A text field of fixed width in characters: what does not fit is cut silently on assignment.
template <std::size_t Width>
class FixedText {
 public:
  static constexpr std::size_t width = Width;

  FixedText() = default;
  FixedText(std::string_view s) : value_(cut_to_width(s, Width)) {}    // NOLINT: implicit like a field
  FixedText(const char* s) : FixedText(std::string_view(s)) {}         // NOLINT
  FixedText(const std::string& s) : FixedText(std::string_view(s)) {}  // NOLINT

  FixedText& operator=(std::string_view s) {
    value_.assign(cut_to_width(s, Width));
    return *this;
  }
  FixedText& operator=(const char* s) { return *this = std::string_view(s); }
  FixedText& operator=(const std::string& s) { return *this = std::string_view(s); }

  const std::string& str() const { return value_; }
  std::string_view view() const { return value_; }
  std::string_view clipped() const { return trim_right(value_); }
  bool blank() const { return clipped().empty(); }
  void clear() { value_.clear(); }
  operator std::string_view() const { return value_; }  // NOLINT

  friend bool operator==(const FixedText& a, std::string_view b) { return same_text(a.value_, b); }
  template <std::size_t W2>
  friend bool operator==(const FixedText& a, const FixedText<W2>& b) {
    return same_text(a.value_, b.view());
  }
  friend std::strong_ordering operator<=>(const FixedText& a, std::string_view b) {
    return compare_text(a.value_, b);
  }

 private:
  std::string value_;
};

}  // namespace runtime
