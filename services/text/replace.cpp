// Replacing within texts: every occurrence with write-back, runs of blanks, appending a missing word.
#include "keldox/text.h"
#include "runtime/text.h"
#include "text/text_match.h"

namespace keldox {
namespace {

constexpr std::size_t blank_runs_limit = 999;

void append_trimmed_result(std::string& result, std::string_view tail) {
  result.resize(runtime::trim_right(result).size());
  result.append(tail);
}

}  // namespace

void REPLACETEXT(std::string& text, std::string_view search, std::string_view replacement,
                 std::uint8_t case_sensitive) {
  const bool ignore_case = case_sensitive == 0;
  const std::string_view trimmed_replacement = runtime::trim_right(replacement);
  std::string result;
  std::size_t rest = 0;
  std::size_t match_end = 0;
  for (std::size_t found = text_match::find(text, search, 0, ignore_case, match_end);
       found != text_match::npos; found = text_match::find(text, search, rest, ignore_case, match_end)) {
    append_trimmed_result(result, std::string_view(text).substr(rest, found - rest));
    result.append(trimmed_replacement);
    rest = match_end;
  }
  append_trimmed_result(result, runtime::trim_right(std::string_view(text).substr(rest)));
  text = std::move(result);
}

std::string REPLACEALLSPACE(std::string_view text) {
  std::string out;
  for (const char c : runtime::cut_to_width(text, blank_runs_limit)) {
    if (c == ' ' && !out.empty() && out.back() == ' ') continue;
    out.push_back(c);
  }
  return out;
}

std::string DODAJTEKSTJESLINIEMA(std::string_view to_add, std::string_view existing) {
  const std::string_view add = runtime::trim_right(to_add);
  const std::string_view base = runtime::trim_right(existing);
  std::size_t unused = 0;
  if (add.empty() || text_match::find(base, add, 0, true, unused) != text_match::npos)
    return std::string(base);
  std::string out(base);
  if (!out.empty()) out.push_back(' ');
  out.append(add);
  return out;
}

}  // namespace keldox
