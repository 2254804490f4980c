// Statements and messages of a description filled with a record's values: {FIELD} is the field's trimmed
// value (in a statement with its single quotes doubled, so that a value can never end the literal it
// stands in), {#FIELD} the value as a number, {@FIRMA} the current company and {@UZYTKOWNIK} the user.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace slownik {

using FieldValue = std::function<std::string(std::string_view field)>;

std::string fill_statement(std::string_view pattern, const FieldValue& value);
std::string fill_message(std::string_view pattern, const FieldValue& value);

}  // namespace slownik
