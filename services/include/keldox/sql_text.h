// Building statement texts: replacing inside a text, and putting a text value between quotes safely.
#pragma once

#include <string>
#include <string_view>

#include "db/literals.h"

namespace keldox {

// The text with the first occurrence of `search` replaced; unchanged when it does not occur.
std::string REPLACEPROC(std::string_view text, std::string_view search, std::string_view replacement);

// Every occurrence of `search` replaced, left to right, never re-reading what was put in (a replacement
// that contains the search text cannot loop). The text and the result hold at most 79,999 characters.
// An empty search leaves the text unchanged.
std::string REPLACEPROC2(std::string_view text, std::string_view search, std::string_view replacement);

// The value with every single quote doubled, ready to stand between quotes in a statement.
inline std::string sql_escape(std::string_view value) {
  return db::escape_text(value);
}
// The value as a T-SQL text literal: 'value' with its quotes doubled.
inline std::string sql_text(std::string_view value) {
  return db::quote_text(value);
}

// An identifier (held as a double) as a plain whole number: 5 → "5", never "5.0" or "5e+06". A value
// that is not a finite number is written as 0.
std::string sql_id(double id);

}  // namespace keldox
