// The single-byte code pages where texts leave or enter the program: bank files, old DOS data, the
// utility module's entry points. Inside the program every text is UTF-8.
//
// The tables are read once from iconv. The conversions never fail: decoding gives every byte a character
// (a byte the code page leaves undefined comes back as the control character of the same number, so it
// survives a round trip); encoding writes "?" for a character the code page lacks and for each byte of an
// invalid UTF-8 sequence.
#pragma once

#include <string>
#include <string_view>

namespace runtime {

enum class CodePage {
  windows_1250,  // the Central European Windows code page the application's data was written in
  cp852,         // the Central European DOS code page that banks still expect in transfer files
};

std::string encode_code_page(std::string_view text, CodePage code_page);
std::string decode_code_page(std::string_view bytes, CodePage code_page);

// The single byte for one character, or false when the code page has none.
bool code_page_byte(char32_t character, CodePage code_page, unsigned char& byte);
// The character of one byte.
char32_t code_page_character(unsigned char byte, CodePage code_page);
// Whether the code page gives the byte a character of its own (false for the bytes it leaves undefined,
// which code_page_character passes through as control characters).
bool code_page_defines(unsigned char byte, CodePage code_page);

}  // namespace runtime
