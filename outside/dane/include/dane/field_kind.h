// How a host shows a field of a form or a column of a described window, and lets it be edited.
#pragma once

#include <cstdint>

namespace dane {

enum class FieldKind : std::uint8_t {
  Text,    // a line in the picture
  Number,  // a line in a number picture, to the right
  Date,    // a date line with the calendar button
  Check,   // a check box: "1" ticked, "0" not
  Choice,  // a drop list of `choices`; the value is the chosen text
  Lookup,  // a line with the button that calls another dictionary's browse (control lookup_control(name))
  Memo,    // several lines of text
};

}  // namespace dane
