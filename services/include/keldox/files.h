// Files kept in the database and file names made from texts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace keldox {

// A text that can serve as a file name: trimmed, "|", "/", "\", ">" and "<" become "_", the characters
// "`", "\"", ".", "~", "+", "-", ",", ";", ":", "[" and "]" are dropped, at most 999 characters.
std::string WALIDUJNAZWEPLIKU(std::string_view text);

}  // namespace keldox
