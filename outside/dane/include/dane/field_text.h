// A form field's text as people see and type it, and the value the form keeps for it, both by its picture.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dane {

// What a field shows for its stored value: the picture's text without the blanks the picture pads it with
// (an editor aligns it). A field without a picture shows the value itself.
std::string field_shown_text(std::string_view picture, std::string_view value);

// The value to store for what was typed into a field, or nothing when the text is not a value of the
// picture (a date that does not exist, letters in a number, a number too wide for the picture). Numbers
// are stored as decimal text with a point ("1234.50"), dates as day numbers, times as clock values, texts
// as the picture cuts them; blank text stores "". A field without a picture, or with one that is not
// known, stores the text as typed.
std::optional<std::string> field_value_from_typed(std::string_view picture, std::string_view typed);

// Day numbers as the calendar exchanges them: "dd.mm.yyyy", and back (nothing when it is no date).
std::string calendar_date_text(std::int32_t day);
std::optional<std::int32_t> calendar_date_from_text(std::string_view text);

// Whether the picture is a date's, so that a calendar may help to fill the field.
bool is_date_picture(std::string_view picture);

// How a password field's value appears in records of what was shown: a fixed mask, "" when empty.
std::string masked_value(std::string_view value);

}  // namespace dane
