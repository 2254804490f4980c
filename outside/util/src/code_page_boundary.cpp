// Conversion between the module's UTF-8 and the callers' Windows-1250, by the runtime's tables.
//
// The module is stricter than the code page's round trip: a byte that Windows-1250 leaves undefined reads
// as "?", and a character that would only be written as such a byte is written as "?".
#include "code_page_boundary.h"

#include "runtime/code_page.h"
#include "runtime/text.h"

namespace zorva_util {
namespace {

constexpr runtime::CodePage kCodePage = runtime::CodePage::windows_1250;

}  // namespace

std::string windows1250_to_utf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (const char b : bytes) {
    const auto byte = static_cast<unsigned char>(b);
    if (byte < 0x80) {
      out.push_back(b);
    } else if (runtime::code_page_defines(byte, kCodePage)) {
      runtime::append_utf8(out, runtime::code_page_character(byte, kCodePage));
    } else {
      out.push_back('?');
    }
  }
  return out;
}

std::string utf8_to_windows1250(std::string_view text) {
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
    // Past the plain ASCII run: an invalid sequence decodes to U+FFFD, which the code page lacks, and an
    // overlong form of NUL would end the zero-terminated answer.
    unsigned char byte = 0;
    const bool written = runtime::code_page_byte(runtime::decode_utf8(text, pos), kCodePage, byte) &&
                         byte != 0 && runtime::code_page_defines(byte, kCodePage);
    *dst++ = written ? static_cast<char>(byte) : '?';
    pos += runtime::utf8_char_length(text, pos);
  }
  out.resize(static_cast<std::size_t>(dst - out.data()));
  return out;
}

}  // namespace zorva_util
