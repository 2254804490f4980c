// The controls of a field's row in the classifier window, named by their numbers.
#pragma once

#include <cstddef>
#include <string>

namespace keldox::classifiers_detail {

inline std::string entry_control(std::size_t number) {
  return std::to_string(1100 + number);
}
// The field's own button: the dictionary, the calendar, the file browser or the web page.
inline std::string tool_control(std::size_t number) {
  return std::to_string(1200 + number);
}
inline std::string clear_control(std::size_t number) {
  return std::to_string(1300 + number);
}
inline std::string operator_control(std::size_t number) {
  return std::to_string(1400 + number);
}
// A hyperlink to files has both the file browser and the button that opens the object.
inline std::string open_control(std::size_t number) {
  return std::to_string(1500 + number);
}

}  // namespace keldox::classifiers_detail
