// The single-byte code pages where texts leave or enter the program: bank files, old DOS data.
//
// The conversions never fail. Decoding gives every byte a character (a byte the code page leaves
// undefined comes back as the control character of the same number, so it survives a round trip).
// Encoding writes "?" for a character the code page lacks and for each byte of an invalid UTF-8 sequence.
// The tables and conversions live in the runtime (runtime/code_page.h); keldox's callers keep these names.
#pragma once

#include "runtime/code_page.h"

namespace keldox {

using runtime::CodePage;

using runtime::decode_code_page;
using runtime::encode_code_page;

using runtime::code_page_byte;
using runtime::code_page_character;

}  // namespace keldox
