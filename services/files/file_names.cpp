#include "keldox/files.h"

#include "runtime/text.h"

namespace keldox {

std::string WALIDUJNAZWEPLIKU(std::string_view text) {
  constexpr std::size_t kLimit = 999;
  std::string out;
  for (char c : runtime::trim(text)) {
    switch (c) {
      case '|':
      case '/':
      case '\\':
      case '>':
      case '<':
        out += '_';
        break;
      case '`':
      case '"':
      case '.':
      case '~':
      case '+':
      case '-':
      case ',':
      case ';':
      case ':':
      case '[':
      case ']':
        break;
      default:
        out += c;
    }
  }
  return std::string(runtime::cut_to_width(out, kLimit));
}

}  // namespace keldox
