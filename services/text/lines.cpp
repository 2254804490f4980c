// Lines, wrapped pieces and separated fields of a text.
#include <algorithm>

#include "keldox/text.h"
#include "runtime/text.h"
#include "text/text_match.h"

namespace keldox {
namespace {

constexpr std::size_t line_text_limit = 500;
constexpr std::int32_t piece_limit = 100;
constexpr std::string_view line_break = "\r\n";

}  // namespace

bool POBIERZLINIE(std::string_view text, std::string& line, std::int32_t line_number) {
  if (line_number < 1) return false;
  const std::string_view lines = runtime::trim_right(runtime::cut_to_width(text, line_text_limit));
  std::size_t start = 0;
  for (std::int32_t skipped = 1; skipped < line_number; ++skipped) {
    const std::size_t found = lines.find(line_break, start);
    if (found == std::string_view::npos) return false;
    start = found + line_break.size();
  }
  const std::size_t end = std::min(lines.find(line_break, start), lines.size());
  const std::string_view found_line = lines.substr(start, end - start);
  // A single line counts only with something on it; a text of several lines may have blank ones.
  if (line_number == 1 && end == lines.size() && runtime::trim_right(found_line).empty()) return false;
  line.assign(found_line);
  return true;
}

std::string PODZIELLINIE(std::string_view text, std::int32_t& position, std::int32_t width) {
  // The result holds 100 characters: a wider window would consume text that the piece cannot return.
  const std::int32_t window = std::clamp(width, std::int32_t{1}, piece_limit);
  const std::string_view t = runtime::trim_right(text);
  const std::int64_t first = std::max<std::int64_t>(position, 1);
  const std::size_t start = runtime::byte_offset(t, static_cast<std::size_t>(first - 1));

  std::size_t pos = start;
  std::int64_t index = first;  // 1-based character position of `pos`
  std::size_t blank_pos = std::string_view::npos;
  std::int64_t blank_index = 0;
  std::string_view piece;
  bool done = false;
  for (std::int32_t examined = 0; examined < window && pos < t.size(); ++examined) {
    if (t[pos] == '\r') {
      piece = t.substr(start, pos - start);
      position = static_cast<std::int32_t>(index);
      done = true;
      break;
    }
    if (t[pos] == ' ') {
      blank_pos = pos;
      blank_index = index;
    }
    pos += runtime::utf8_char_length(t, pos);
    ++index;
  }
  if (!done) {
    if (pos >= t.size()) {
      piece = t.substr(start);
      position = 0;
    } else if (blank_pos != std::string_view::npos) {
      piece = t.substr(start, blank_pos - start);
      position = static_cast<std::int32_t>(blank_index);
    } else {
      piece = t.substr(start, pos - start);
      position = static_cast<std::int32_t>(index - 1);
    }
  }
  if (!piece.empty() && piece.front() == '\n') piece.remove_prefix(1);  // the rest of a CR LF pair
  return std::string(piece);
}

std::string SPLITSTRING(std::string_view text, std::int32_t field_number, std::string_view separator) {
  if (separator.empty()) return field_number <= 1 ? std::string(text) : std::string();
  const std::string_view sep = separator.substr(0, runtime::utf8_char_length(separator, 0));
  const std::string_view trimmed = runtime::trim_right(text);
  std::size_t start = 0;
  for (std::int32_t field = 1; field < field_number; ++field) {
    std::size_t after = 0;
    if (text_match::find(trimmed, sep, start, false, after) == text_match::npos) return {};
    start = after;
  }
  std::size_t unused = 0;
  const std::size_t end = std::min(text_match::find(text, sep, start, false, unused), text.size());
  return std::string(text.substr(start, end - start));
}

}  // namespace keldox
