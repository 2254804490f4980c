// Searching a text character by character, with or without letter case.
#pragma once

#include <cstddef>
#include <string_view>

namespace keldox::text_match {

inline constexpr std::size_t npos = std::string_view::npos;

// Byte offset of the first occurrence of `needle` in `hay` at or after byte `from` (which must start a
// character), or npos. Matches start and end on character boundaries only, an invalid byte matches only
// the same byte, and `ignore_case` compares letters through their upper case (Polish letters included).
// An empty needle matches nothing. On a match, `match_end` receives the byte offset just past it.
std::size_t find(std::string_view hay, std::string_view needle, std::size_t from, bool ignore_case,
                 std::size_t& match_end);

}  // namespace keldox::text_match
