// Values written into statement texts: the one quoting of text literals and the one check of numbers, so
// that no text reaches a statement in a way that could end its literal or add to the statement.
#pragma once

#include <string>
#include <string_view>

namespace db {

// `value` with every single quote doubled, ready to stand between single quotes in a statement; nothing
// else changes.
std::string escape_text(std::string_view value);

// `value` as a statement's text literal: between single quotes, its own quotes doubled.
std::string quote_text(std::string_view value);

// `text` as a statement number: an optional minus, digits and an optional decimal part, blanks around
// ignored, a leading plus dropped. Anything else is "0", so that no text a user typed ever reaches a
// statement unquoted.
std::string number_literal(std::string_view text);

}  // namespace db
