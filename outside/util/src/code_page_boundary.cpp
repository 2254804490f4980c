// Conversion between the module's UTF-8 and the callers' Windows-1250, by tables that iconv fills.
//
// iconv defines the code page: at first use it decodes each of the 128 upper bytes once, and the two
// tables built from that answer every character afterwards. A whole query result then costs one lookup
// per non-ASCII character instead of an iconv round through UCS-4 for every text.
#include "code_page_boundary.h"

#include <iconv.h>

#include <array>
#include <cstdint>

namespace zorva_util {
namespace {

// Above the highest code point that Windows-1250 holds (U+2122, the trade mark sign).
constexpr char32_t kTableEnd = 0x2200;

struct Windows1250Tables {
  std::array<char32_t, 128> upper_to_unicode{};         // byte 0x80 + i; 0 where the code page has none
  std::array<unsigned char, kTableEnd> from_unicode{};  // 0 where the code page has no byte

  Windows1250Tables() {
    for (char32_t c = 0; c < 0x80; ++c) from_unicode[c] = static_cast<unsigned char>(c);
    iconv_t cd = iconv_open("UTF-32LE", "WINDOWS-1250");
    if (cd == reinterpret_cast<iconv_t>(-1)) return;
    for (unsigned byte = 0x80; byte <= 0xFF; ++byte) {
      char in = static_cast<char>(byte);
      unsigned char out[4] = {};
      char* src = &in;
      char* dst = reinterpret_cast<char*>(out);
      std::size_t src_left = 1;
      std::size_t dst_left = sizeof out;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
      if (iconv(cd, &src, &src_left, &dst, &dst_left) == static_cast<std::size_t>(-1)) continue;
      const char32_t code_point = static_cast<char32_t>(out[0] | out[1] << 8 | out[2] << 16 | out[3] << 24);
      upper_to_unicode[byte - 0x80] = code_point;
      if (code_point < kTableEnd) from_unicode[code_point] = static_cast<unsigned char>(byte);
    }
    iconv_close(cd);
  }
};

const Windows1250Tables& tables() {
  static const Windows1250Tables built;
  return built;
}

void append_utf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

// The code point of the valid UTF-8 sequence at text[pos] and its length; length 1 and code point
// U+FFFD for an invalid or truncated one.
char32_t decode_utf8(std::string_view text, std::size_t pos, std::size_t& length) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  length = lead >= 0xF0 && lead < 0xF5   ? 4
           : lead >= 0xE0 && lead < 0xF0 ? 3
           : lead >= 0xC2 && lead < 0xE0 ? 2
                                         : 0;
  if (length == 0 || pos + length > text.size()) {
    length = 1;
    return 0xFFFD;
  }
  char32_t c = lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[pos + i]);
    if ((next & 0xC0) != 0x80) {
      length = 1;
      return 0xFFFD;
    }
    c = c << 6 | (next & 0x3F);
  }
  return c;
}

}  // namespace

std::string windows1250_to_utf8(std::string_view bytes) {
  const Windows1250Tables& t = tables();
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (const char b : bytes) {
    const auto byte = static_cast<unsigned char>(b);
    if (byte < 0x80) {
      out.push_back(b);
    } else if (const char32_t c = t.upper_to_unicode[byte - 0x80]; c != 0) {
      append_utf8(out, c);
    } else {
      out.push_back('?');
    }
  }
  return out;
}

std::string utf8_to_windows1250(std::string_view text) {
  const Windows1250Tables& t = tables();
  std::string out(text.size(), '\0');  // never longer than its UTF-8 source
  char* dst = out.data();
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t ascii_end = pos;
    while (ascii_end < text.size() && static_cast<unsigned char>(text[ascii_end]) < 0x80) ++ascii_end;
    text.copy(dst, ascii_end - pos, pos);
    dst += ascii_end - pos;
    pos = ascii_end;
    if (pos == text.size()) break;
    std::size_t length = 1;
    const char32_t c = decode_utf8(text, pos, length);
    const unsigned char byte = c < kTableEnd ? t.from_unicode[c] : 0;
    *dst++ = byte != 0 ? static_cast<char>(byte) : '?';
    pos += length;
  }
  out.resize(static_cast<std::size_t>(dst - out.data()));
  return out;
}

}  // namespace zorva_util
