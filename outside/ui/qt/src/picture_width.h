// How many characters a display picture shows, for sizing columns and fields until pictures are formatted.
#pragma once

#include <string_view>

namespace ui_qt {

// The first number of the picture: "@s40" 40, "@n-14.2" 14, "@d17" 17; 0 when it has none.
inline int picture_chars(std::string_view picture) {
  int chars = 0;
  bool in_number = false;
  for (const char c : picture) {
    if (c >= '0' && c <= '9') {
      in_number = true;
      chars = chars * 10 + (c - '0');
      if (chars > 1000) return 1000;
    } else if (in_number) {
      break;
    }
  }
  return chars;
}

}  // namespace ui_qt
