// Byte tables of the single-byte code pages, read once from iconv, and the conversions built on them.
#include "keldox/code_page.h"

#include <iconv.h>

#include <array>
#include <cstring>
#include <unordered_map>

#include "runtime/text.h"

namespace keldox {
namespace {

class ByteTable {
 public:
  explicit ByteTable(const char* iconv_name) {
    const iconv_t cd = iconv_open("UTF-32LE", iconv_name);
    for (unsigned b = 0; b < 256; ++b) {
      // A byte iconv cannot read (or every byte, should the converter be missing) keeps its own number.
      char32_t character = b;
      if (cd != reinterpret_cast<iconv_t>(-1)) character = read_byte(cd, static_cast<unsigned char>(b));
      characters_[b] = character;
      bytes_.emplace(character, static_cast<unsigned char>(b));
    }
    if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
  }

  char32_t character(unsigned char byte) const { return characters_[byte]; }

  bool byte(char32_t character, unsigned char& out) const {
    if (character < 0x80) {
      out = static_cast<unsigned char>(character);
      return true;
    }
    const auto found = bytes_.find(character);
    if (found == bytes_.end()) return false;
    out = found->second;
    return true;
  }

 private:
  static char32_t read_byte(iconv_t cd, unsigned char byte) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char in[1] = {static_cast<char>(byte)};
    unsigned char out[4] = {};
    char* in_ptr = in;
    char* out_ptr = reinterpret_cast<char*>(out);
    std::size_t in_left = 1;
    std::size_t out_left = sizeof out;
    if (iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left) == static_cast<std::size_t>(-1) || out_left != 0) {
      return byte;
    }
    return static_cast<char32_t>(out[0] | (out[1] << 8) | (out[2] << 16) |
                                 (static_cast<char32_t>(out[3]) << 24));
  }

  std::array<char32_t, 256> characters_{};
  std::unordered_map<char32_t, unsigned char> bytes_;
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

std::string encode_code_page(std::string_view text, CodePage code_page) {
  const ByteTable& bytes = table(code_page);
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size(); pos += runtime::utf8_char_length(text, pos)) {
    // An invalid sequence decodes to U+FFFD, which no single-byte code page holds.
    unsigned char byte = '?';
    if (!bytes.byte(runtime::decode_utf8(text, pos), byte)) byte = '?';
    out.push_back(static_cast<char>(byte));
  }
  return out;
}

std::string decode_code_page(std::string_view bytes, CodePage code_page) {
  const ByteTable& characters = table(code_page);
  std::string out;
  out.reserve(bytes.size() * 2);
  for (const char byte : bytes)
    runtime::append_utf8(out, characters.character(static_cast<unsigned char>(byte)));
  return out;
}

}  // namespace keldox
