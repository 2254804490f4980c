// Text functions the whole application shares: code pages, transliteration, lines and fields, replacing.
//
// Texts are UTF-8; every width and limit below counts characters, never bytes, and a cut never splits a
// letter. Any byte string is accepted: an invalid UTF-8 byte counts as one character and is carried
// through unchanged unless a function says otherwise. Results are cut to the width of the field they
// belong to but never padded with blanks (trailing blanks are never significant), except where a
// function keeps the length of its input. No function throws or fails.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace keldox {

// DOS Mazovia bytes to text: the 18 Polish letters are read from their Mazovia codes, every apostrophe
// becomes "_", and any other byte is read as the Windows-1250 byte it always was. Only the first 199
// bytes (characters of the old code page) are converted.
std::string MAZOVIATOWINDOWS(std::string_view mazovia_bytes);

// Text to DOS Mazovia bytes: the 18 Polish letters get their Mazovia codes and every other character its
// Windows-1250 byte; a character missing from that code page, or an invalid byte, becomes "?". Only the
// first 199 characters are converted; apostrophes stay.
std::string WINDOWSTOMAZOVIA(std::string_view text);

// Plain ASCII name: Polish letters lose their marks, blank "_" and "/" become "_", digits and ASCII
// letters stay, everything else is dropped. At most 999 characters.
std::string TEKSTZPOLNAANG(std::string_view text);

// The digits 0-9 among the first 49 characters of the text, in order.
std::string TYLKOZNAKINUMERYCZNE(std::string_view text);

// A description of several lines as one line: carriage return becomes a blank, line feed is removed,
// and the text is blank-padded back to its own length in characters.
std::string WYTNIJZNAKIZOPISU(std::string_view text);

// Line `line_number` (1-based) of a text whose lines end with CR LF, looking at its first 500 characters.
// Answers false and leaves `line` untouched when the text has no such line (and for a line number below
// 1); for line 1 of a text without any line break, only a line that is not blank counts.
bool POBIERZLINIE(std::string_view text, std::string& line, std::int32_t line_number);

// Word-wrapping, one piece per call: examines `width` characters from the 1-based `position` (below 1
// reads as 1) and returns the piece up to the last blank, a carriage return or the end of the text. The
// width is held between 1 and 100, the result's width, so that no character is consumed without being
// returned. On return `position` holds the last character consumed (the separating blank or carriage
// return, or the last character of a hard cut); the caller goes on from the next one and stops when it
// is 0 (the text is finished).
std::string PODZIELLINIE(std::string_view text, std::int32_t& position, std::int32_t width);

// Field `field_number` of a text split at the first character of `separator`; the last field keeps the
// text's trailing blanks. Fewer separators than needed give an empty text; field numbers below 1 read
// as 1. An empty separator splits nothing: field 1 is the whole text, any other field is empty.
std::string SPLITSTRING(std::string_view text, std::int32_t field_number, std::string_view separator);

// Replaces every occurrence of `search` in `text`, ignoring letter case (Polish letters included) unless
// `case_sensitive` is not 0. Trailing blanks of the replacement, of the text before each match and of
// the whole result are dropped, so a blank replacement removes the search text. An empty search text
// matches nothing, and with no match the text is only trimmed.
void REPLACETEXT(std::string& text, std::string_view search, std::string_view replacement,
                 std::uint8_t case_sensitive = 0);

// The first 999 characters of the text with every run of blanks reduced to one blank.
std::string REPLACEALLSPACE(std::string_view text);

// `existing` trimmed, with `to_add` appended after one blank unless it already occurs there (compared
// without letter case, both trimmed); an empty `existing` gets no blank.
std::string DODAJTEKSTJESLINIEMA(std::string_view to_add, std::string_view existing);

// Address line "street house/flat", each part trimmed; the house number only when not blank, the flat
// number only when both are not blank. At most 99 characters.
std::string PODAJADRES(std::string_view street, std::string_view house_number = {},
                       std::string_view flat_number = {});

// Upper-case hexadecimal: eight digits, most significant byte first (a negative number in two's
// complement), and two digits of a byte.
std::string LONGTOHEX(std::int32_t value);
std::string BYTETOHEX(std::uint8_t value);

// The system's list separator as the utility module ZORVAutilKS reads it from the locale (";" where
// numbers use a decimal comma, else ","), at most 4 characters. Empty, after a warning, when the module
// or its entry point is missing.
std::string POBIERZSYSTEMLISTSEPARATOR();

}  // namespace keldox
