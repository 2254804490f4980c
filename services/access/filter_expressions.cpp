// Rewrites browse filter and sort expressions of the window framework into T-SQL text.
#include "keldox/filters.h"

#include <algorithm>
#include <vector>

#include "keldox/sql_text.h"
#include "runtime/text.h"
#include "text/text_match.h"

namespace keldox {
namespace {

constexpr std::size_t working_width = 20'000;
constexpr std::size_t piece_width = 100;
constexpr std::size_t part_width = 49;
constexpr std::size_t prefix_width = 100;
constexpr std::size_t npos = std::string_view::npos;

constexpr std::string_view substring_test_open = "INSTRING(";
constexpr std::string_view substring_test_close = ",1,1) <> 0";

// The text as the working buffer holds it: at most 20,000 characters, trailing blanks cut.
std::string_view working_text(std::string_view text) {
  return runtime::trim_right(runtime::cut_to_width(text, working_width));
}

std::string_view piece(std::string_view text) {
  return runtime::cut_to_width(text, piece_width);
}

// ASCII bytes only: every byte of a multibyte letter or a stray byte is 0x80 or above, so a byte test
// never takes part of a letter for an identifier.
bool is_identifier_byte(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// Every occurrence of `search` replaced left to right; a replacement is never searched again. After each
// replacement what the working buffer cannot hold is dropped before searching on, as the buffer did.
std::string replace_each(std::string_view text, std::string_view search, std::string_view replacement) {
  if (search.empty()) return std::string(text);
  // Byte offsets of the characters of the text and of its end, so that positions and the moving end of
  // the buffer are found without walking the text again.
  std::vector<std::size_t> char_starts;
  for (std::size_t pos = 0; pos < text.size(); pos += runtime::utf8_char_length(text, pos))
    char_starts.push_back(pos);
  char_starts.push_back(text.size());
  const auto char_index = [&char_starts](std::size_t byte) {
    return static_cast<std::size_t>(std::lower_bound(char_starts.begin(), char_starts.end(), byte) -
                                    char_starts.begin());
  };
  const std::size_t replacement_chars = runtime::char_count(replacement);
  std::string out;
  std::size_t out_chars = 0;
  std::size_t rest_char = 0;
  std::size_t held_chars = char_starts.size() - 1;  // characters of the text still in the buffer
  for (;;) {
    const std::size_t rest_byte = char_starts[rest_char];
    const std::string_view rest = text.substr(rest_byte, char_starts[held_chars] - rest_byte);
    std::size_t match_end = 0;
    const std::size_t at = text_match::find(rest, search, 0, false, match_end);
    if (at == text_match::npos) return out.append(rest);
    out.append(rest.substr(0, at)).append(replacement);
    out_chars += char_index(rest_byte + at) - rest_char + replacement_chars;
    if (out_chars >= working_width) return std::string(runtime::cut_to_width(out, working_width));
    rest_char = char_index(rest_byte + match_end);
    held_chars = std::min(held_chars, rest_char + (working_width - out_chars));
  }
}

// One pass of the descending rewrite for one alias; each round removes a minus and adds none, so it ends.
// The kept part before a rewritten term held no term, so the next search starts where one could begin
// across its end.
std::string mark_descending(std::string text, std::string_view alias) {
  const std::string term_start = "-" + std::string(alias);
  const std::size_t overlap_chars = runtime::char_count(term_start) - 1;
  std::size_t match_end = 0;
  for (auto minus = text_match::find(text, term_start, 0, false, match_end); minus != text_match::npos;) {
    const std::string_view whole = text;
    const std::size_t comma = whole.find(',', minus + 1);
    const std::size_t term_end = comma == npos ? whole.size() : comma;
    std::string term(whole.substr(minus + 1, term_end - minus - 1));
    term.append(" desc");
    const std::string_view left = piece(whole.substr(0, minus));
    const std::size_t left_chars = runtime::char_count(left);
    std::string rebuilt(left);
    rebuilt.append(piece(term));
    if (comma != npos) rebuilt.append(piece(whole.substr(comma)));
    text = std::move(rebuilt);
    const std::size_t from = runtime::byte_offset(text, left_chars - std::min(left_chars, overlap_chars));
    minus = text_match::find(text, term_start, from, false, match_end);
  }
  return text;
}

}  // namespace

std::string FILTR2SQL(std::string_view text) {
  const std::string_view source = working_text(text);
  std::string out;
  out.reserve(source.size());
  for (const char c : source) {
    if (c != ':') {
      out.push_back(c);
      continue;
    }
    while (!out.empty() && is_identifier_byte(out.back())) out.pop_back();
  }
  return out;
}

std::string REPLACEINSTRINGNALIKE(std::string_view text) {
  const std::string_view source = working_text(text);
  const std::size_t open = source.find(substring_test_open);
  if (open == npos) return std::string(source);
  const std::size_t arguments_start = open + substring_test_open.size();
  const std::size_t close = source.find(substring_test_close, arguments_start);
  if (close == npos) return std::string(source);

  const std::string_view head = piece(source.substr(0, open));
  const std::string_view arguments = piece(source.substr(arguments_start, close - arguments_start));
  const std::string_view tail = piece(source.substr(close + substring_test_close.size()));

  // The arguments read 'needle',field: the needle lies between the first character and the one before
  // the comma, both taken for quotes.
  const std::size_t comma = arguments.find(',');
  std::string_view needle;
  std::string_view field = arguments;
  if (comma != npos) {
    const std::size_t comma_position = runtime::char_count(arguments.substr(0, comma)) + 1;
    if (comma_position > 3) needle = runtime::sub_text(arguments, 2, comma_position - 3);
    field = arguments.substr(comma + 1);
  }
  needle = runtime::cut_to_width(needle, part_width);
  field = runtime::cut_to_width(field, part_width);

  std::string out(head);
  out.append(field).append(" like '%").append(needle).append("%'").append(tail);
  return out;
}

std::string REPLACEMINUSNADESC(std::string_view alias1, std::string_view alias2, std::string_view text) {
  std::string out(working_text(text));
  for (const std::string_view alias : {runtime::trim_right(alias2), runtime::trim_right(alias1)}) {
    if (!alias.empty()) out = mark_descending(std::move(out), alias);
  }
  return out;
}

std::string PRZYGOTUJFILTR(std::string_view alias1, std::string_view alias2, std::string_view prefix2,
                           std::string_view prefix1, std::string_view text) {
  std::string out(working_text(text));
  const std::string_view first_prefix = runtime::trim_right(runtime::cut_to_width(prefix1, prefix_width));
  const std::string_view second_prefix = runtime::trim_right(runtime::cut_to_width(prefix2, prefix_width));
  out = replace_each(out, first_prefix, runtime::trim_right(alias2));
  out = replace_each(out, second_prefix, runtime::trim_right(alias1));
  out = REPLACEINSTRINGNALIKE(out);
  out = REPLACEMINUSNADESC(alias1, alias2, out);
  out = REPLACEPROC2(out, "(SUB(", "(SUBSTRING(");
  return std::string(runtime::cut_to_width(out, working_width));
}

std::string DODAJKOMPONENTFILTRA(std::string_view component, std::string_view filter) {
  const std::string_view added = runtime::trim_right(runtime::cut_to_width(component, working_width));
  const std::string_view existing = runtime::trim_right(runtime::cut_to_width(filter, working_width));
  if (existing.empty()) return std::string(added);
  if (added.empty()) return std::string(existing);
  std::string out(existing);
  out.append(" AND ").append(added);
  return std::string(runtime::cut_to_width(out, working_width));
}

}  // namespace keldox
