// Filters that keep, drop or swap single characters: plain names, digits, one-line descriptions.
#include "keldox/text.h"
#include "runtime/text.h"

namespace keldox {
namespace {

constexpr std::size_t plain_name_limit = 999;
constexpr std::size_t digits_examined = 49;

// The base letter of a Polish letter, or 0 for any other character.
char plain_polish_letter(char32_t c) {
  switch (c) {
    case U'ą':
      return 'a';
    case U'ć':
      return 'c';
    case U'ę':
      return 'e';
    case U'ł':
      return 'l';
    case U'ń':
      return 'n';
    case U'ó':
      return 'o';
    case U'ś':
      return 's';
    case U'ź':
    case U'ż':
      return 'z';
    case U'Ą':
      return 'A';
    case U'Ć':
      return 'C';
    case U'Ę':
      return 'E';
    case U'Ł':
      return 'L';
    case U'Ń':
      return 'N';
    case U'Ó':
      return 'O';
    case U'Ś':
      return 'S';
    case U'Ź':
    case U'Ż':
      return 'Z';
    default:
      return 0;
  }
}

bool is_ascii_alnum(char32_t c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

}  // namespace

std::string TEKSTZPOLNAANG(std::string_view text) {
  std::string out;
  for (std::size_t pos = 0; pos < text.size() && out.size() < plain_name_limit;
       pos += runtime::utf8_char_length(text, pos)) {
    const char32_t c = runtime::decode_utf8(text, pos);
    if (const char plain = plain_polish_letter(c)) {
      out.push_back(plain);
    } else if (c == ' ' || c == '_' || c == '/') {
      out.push_back('_');
    } else if (is_ascii_alnum(c)) {
      out.push_back(static_cast<char>(c));
    }
  }
  return out;
}

std::string TYLKOZNAKINUMERYCZNE(std::string_view text) {
  std::string out;
  for (const char c : runtime::cut_to_width(text, digits_examined)) {
    if (c >= '0' && c <= '9') out.push_back(c);  // bytes of multibyte letters are never ASCII digits
  }
  return out;
}

std::string WYTNIJZNAKIZOPISU(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t removed = 0;
  for (const char c : text) {
    if (c == '\r') {
      out.push_back(' ');
    } else if (c == '\n') {
      ++removed;
    } else {
      out.push_back(c);
    }
  }
  out.append(removed, ' ');
  return out;
}

}  // namespace keldox
