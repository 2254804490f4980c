// The DOS Mazovia code page of old data files: its 18 Polish letters over the Windows-1250 bytes.
#include <array>

#include "keldox/code_page.h"
#include "keldox/text.h"
#include "runtime/text.h"

namespace keldox {
namespace {

constexpr std::size_t working_limit = 199;

struct PolishLetter {
  unsigned char mazovia;
  char32_t character;
};

// Mazovia kept the Windows-1250 bytes of everything else, so only these letters move.
constexpr std::array<PolishLetter, 18> polish_letters{{
    {0x8F, U'Ą'},
    {0x95, U'Ć'},
    {0x90, U'Ę'},
    {0x9C, U'Ł'},
    {0xA5, U'Ń'},
    {0xA3, U'Ó'},
    {0x98, U'Ś'},
    {0xA0, U'Ź'},
    {0xA1, U'Ż'},
    {0x86, U'ą'},
    {0x8D, U'ć'},
    {0x91, U'ę'},
    {0x92, U'ł'},
    {0xA4, U'ń'},
    {0xA2, U'ó'},
    {0x9E, U'ś'},
    {0xA6, U'ź'},
    {0xA7, U'ż'},
}};

}  // namespace

std::string MAZOVIATOWINDOWS(std::string_view mazovia_bytes) {
  const std::string_view bytes = mazovia_bytes.substr(0, working_limit);
  std::string out;
  out.reserve(bytes.size() * 2);
  for (const char raw : bytes) {
    const auto byte = static_cast<unsigned char>(raw);
    if (byte == '\'') {
      out.push_back('_');  // the old data used the apostrophe where statements cannot take it
      continue;
    }
    char32_t character = 0;
    for (const PolishLetter& letter : polish_letters) {
      if (letter.mazovia == byte) character = letter.character;
    }
    if (character == 0) character = code_page_character(byte, CodePage::windows_1250);
    runtime::append_utf8(out, character);
  }
  return out;
}

std::string WINDOWSTOMAZOVIA(std::string_view text) {
  const std::string_view cut = runtime::cut_to_width(text, working_limit);
  std::string out;
  out.reserve(cut.size());
  for (std::size_t pos = 0; pos < cut.size(); pos += runtime::utf8_char_length(cut, pos)) {
    const char32_t character = runtime::decode_utf8(cut, pos);
    unsigned char byte = 0;
    bool found = false;
    for (const PolishLetter& letter : polish_letters) {
      if (letter.character == character) {
        byte = letter.mazovia;
        found = true;
      }
    }
    if (!found && !code_page_byte(character, CodePage::windows_1250, byte)) byte = '?';
    out.push_back(static_cast<char>(byte));
  }
  return out;
}

}  // namespace keldox
