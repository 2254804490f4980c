// Byte tables of the single-byte code pages, read once from iconv, and the conversions built on them.
//
// iconv defines the code pages: at first use it decodes each byte once, and the tables built from its
// answers serve every character afterwards, one array lookup each instead of an iconv round per text.
#include "runtime/code_page.h"

#include <iconv.h>

#include <array>
#include <utility>
#include <vector>

#include "runtime/text.h"

namespace runtime {
namespace {

// Above the highest code point that either code page holds (U+25A0, the black square of 852); a
// character beyond it, should iconv ever give one, is kept in a short list instead.
constexpr char32_t kTableEnd = 0x2600;

class ByteTable {
 public:
  explicit ByteTable(const char* iconv_name) {
    const iconv_t cd = iconv_open("UTF-32LE", iconv_name);
    const bool open = cd != reinterpret_cast<iconv_t>(-1);
    for (unsigned b = 0; b < 256; ++b) {
      // A byte iconv cannot read (or every byte, should the converter be missing) keeps its own number.
      char32_t character = b;
      defined_[b] = open && read_byte(cd, static_cast<unsigned char>(b), character);
      characters_[b] = character;
      add_byte(character, static_cast<unsigned char>(b));
    }
    if (open) iconv_close(cd);
  }

  char32_t character(unsigned char byte) const { return characters_[byte]; }
  bool defines(unsigned char byte) const { return defined_[byte]; }

  bool byte(char32_t character, unsigned char& out) const {
    if (character < 0x80) {
      out = static_cast<unsigned char>(character);
      return true;
    }
    if (character < kTableEnd) {
      if (!known_[character]) return false;
      out = bytes_[character];
      return true;
    }
    for (const auto& [c, b] : beyond_) {
      if (c == character) {
        out = b;
        return true;
      }
    }
    return false;
  }

 private:
  static bool read_byte(iconv_t cd, unsigned char byte, char32_t& character) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char in[1] = {static_cast<char>(byte)};
    unsigned char out[4] = {};
    char* in_ptr = in;
    char* out_ptr = reinterpret_cast<char*>(out);
    std::size_t in_left = 1;
    std::size_t out_left = sizeof out;
    if (iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left) == static_cast<std::size_t>(-1) || out_left != 0) {
      return false;
    }
    character = static_cast<char32_t>(out[0] | (out[1] << 8) | (out[2] << 16) |
                                      (static_cast<char32_t>(out[3]) << 24));
    return true;
  }

  // The first byte of a character keeps it: a character is written as the lowest byte that reads as it.
  void add_byte(char32_t character, unsigned char byte) {
    if (character < kTableEnd) {
      if (known_[character]) return;
      known_[character] = true;
      bytes_[character] = byte;
      return;
    }
    for (const auto& entry : beyond_) {
      if (entry.first == character) return;
    }
    beyond_.emplace_back(character, byte);
  }

  std::array<char32_t, 256> characters_{};
  std::array<bool, 256> defined_{};
  std::array<unsigned char, kTableEnd> bytes_{};
  std::array<bool, kTableEnd> known_{};
  std::vector<std::pair<char32_t, unsigned char>> beyond_;
};

const ByteTable& table(CodePage code_page) {
  static const ByteTable windows_1250("CP1250");
  static const ByteTable cp852("CP852");
  return code_page == CodePage::cp852 ? cp852 : windows_1250;
}

}  // namespace

bool code_page_byte(char32_t character, CodePage code_page, unsigned char& byte) {
  return table(code_page).byte(character, byte);
}

char32_t code_page_character(unsigned char byte, CodePage code_page) {
  return table(code_page).character(byte);
}

bool code_page_defines(unsigned char byte, CodePage code_page) {
  return table(code_page).defines(byte);
}

std::string encode_code_page(std::string_view text, CodePage code_page) {
  const ByteTable& bytes = table(code_page);
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size(); pos += utf8_char_length(text, pos)) {
    // An invalid sequence decodes to U+FFFD, which no single-byte code page holds.
    unsigned char byte = '?';
    if (!bytes.byte(decode_utf8(text, pos), byte)) byte = '?';
    out.push_back(static_cast<char>(byte));
  }
  return out;
}

std::string decode_code_page(std::string_view bytes, CodePage code_page) {
  const ByteTable& characters = table(code_page);
  std::string out;
  out.reserve(bytes.size() * 2);
  for (const char byte : bytes) append_utf8(out, characters.character(static_cast<unsigned char>(byte)));
  return out;
}

}  // namespace runtime
