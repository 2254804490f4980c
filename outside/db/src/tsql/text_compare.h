// Text comparison as the server's case-insensitive collation does it: the PLCI order and LIKE matching.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace db::tsql {

// Three-way comparison: case-insensitive for ASCII, Polish and the other Latin letters, accent-sensitive,
// trailing blanks ignored; accented letters sort right after their base letter (a < ą < b). Bytes that
// are not valid UTF-8 compare by value after every character.
int compare_plci(std::string_view a, std::string_view b);

// `text LIKE pattern [ESCAPE escape]` with % and _, the server's [abc], [a-z] and [^a] classes, letters
// compared without regard to case and trailing blanks of both sides ignored. `escape` is 0 for none.
// Runs in O(|pattern| * |text|) at worst.
bool like_match(std::string_view pattern, std::string_view text, char32_t escape);

// Case-insensitive search used by CHARINDEX: the 1-based character position of `needle` in `hay` at or
// after character `start`, 0 when absent.
std::int64_t find_folded(std::string_view needle, std::string_view hay, std::int64_t start);

// REPLACE under the same collation: every occurrence of `needle`, found left to right without regard to
// case and never overlapping, becomes `replacement`; the rest of `hay` is kept byte for byte. An empty
// needle changes nothing.
std::string replace_folded(std::string_view hay, std::string_view needle, std::string_view replacement);

}  // namespace db::tsql
