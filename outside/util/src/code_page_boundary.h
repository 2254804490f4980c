// Windows-1250 at the module's edge: texts arrive and leave in that code page, inside they are UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace zorva_util {

// A byte that the code page leaves undefined decodes to "?"; a character the code page lacks encodes to
// "?", and so does each byte of an invalid UTF-8 sequence. Neither conversion fails.
std::string windows1250_to_utf8(std::string_view bytes);
std::string utf8_to_windows1250(std::string_view text);

}  // namespace zorva_util
