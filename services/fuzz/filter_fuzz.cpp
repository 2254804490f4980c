// Feeds arbitrary filter and sort texts, prefixes and aliases to the filter rewrites and traps on any
// result that breaks their contracts.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "access/cut_off_filter.h"
#include "keldox/filters.h"
#include "keldox/sql_text.h"
#include "runtime/text.h"

namespace {

constexpr std::size_t working_width = 20'000;
constexpr std::size_t rewritten_term_width = 100 + 49 + 8 + 49 + 2 + 100;
constexpr std::size_t rebuilt_sort_width = 3 * 100;

void require(bool condition) {
  if (!condition) __builtin_trap();
}

bool letters_whole(std::string_view s) {
  for (std::size_t pos = 0; pos < s.size();) {
    const std::size_t length = runtime::utf8_char_length(s, pos);
    if (length == 1 && static_cast<unsigned char>(s[pos]) >= 0x80) return false;
    pos += length;
  }
  return true;
}

std::string working(std::string_view text) {
  return std::string(runtime::trim_right(runtime::cut_to_width(text, working_width)));
}

// A text made of random pieces and of the markers the rewrites look for, so that they are met often.
std::string compose_text(FuzzedDataProvider& input, const std::string& prefix, const std::string& alias) {
  static constexpr const char* markers[] = {"INSTRING(", ",1,1) <> 0", "(SUB(", "-", ":", "'", ",", " ", "ż"};
  constexpr std::size_t marker_count = sizeof(markers) / sizeof(markers[0]);
  std::string text;
  while (input.remaining_bytes() > 0) {
    const auto choice = input.ConsumeIntegralInRange<std::size_t>(0, marker_count + 2);
    if (choice < marker_count) {
      text.append(markers[choice]);
    } else if (choice == marker_count) {
      text.append(prefix);
    } else if (choice == marker_count + 1) {
      text.append(alias);
    } else {
      text.append(input.ConsumeRandomLengthString(64));
    }
  }
  return text;
}

void check_prefix_removal(const std::string& text) {
  const std::string result = keldox::FILTR2SQL(text);
  require(result.find(':') == std::string::npos);
  require(result.size() <= working(text).size());
}

void check_substring_test(const std::string& text) {
  const std::string source = working(text);
  const std::string result = keldox::REPLACEINSTRINGNALIKE(text);
  if (source.find("INSTRING(") == std::string::npos) {
    require(result == source);
  } else {
    require(result == source || runtime::char_count(result) <= rewritten_term_width);
  }
}

void check_descending(const std::string& alias1, const std::string& alias2, const std::string& text) {
  const std::string source = working(text);
  const std::string result = keldox::REPLACEMINUSNADESC(alias1, alias2, text);
  require(std::count(result.begin(), result.end(), '-') <= std::count(source.begin(), source.end(), '-'));
  require(runtime::char_count(result) <= std::max(runtime::char_count(source), rebuilt_sort_width));
  // Byte search agrees with the letter-wise one only on whole letters.
  const std::string_view last_alias = runtime::trim_right(alias1);
  if (!last_alias.empty() && letters_whole(last_alias) && letters_whole(result))
    require(result.find("-" + std::string(last_alias)) == std::string::npos);
}

void check_prepare(const std::string& alias1, const std::string& alias2, const std::string& prefix2,
                   const std::string& prefix1, const std::string& text) {
  const std::string result = keldox::PRZYGOTUJFILTR(alias1, alias2, prefix2, prefix1, text);
  require(runtime::char_count(result) <= working_width);
  const std::string translated_only = std::string(runtime::cut_to_width(
      keldox::REPLACEPROC2(keldox::REPLACEMINUSNADESC(alias1, alias2, keldox::REPLACEINSTRINGNALIKE(text)),
                           "(SUB(", "(SUBSTRING("),
      working_width));
  require(keldox::PRZYGOTUJFILTR(alias1, alias2, "  ", "", text) == translated_only);
  const bool whole_input = letters_whole(text) && letters_whole(alias1) && letters_whole(alias2) &&
                           letters_whole(prefix1) && letters_whole(prefix2);
  if (whole_input) require(letters_whole(result));
}

void check_join(const std::string& component, const std::string& filter) {
  const std::string result = keldox::DODAJKOMPONENTFILTRA(component, filter);
  require(runtime::char_count(result) <= working_width);
  const std::string existing = working(filter);
  require(result.compare(0, existing.size(), existing) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const auto first_day = input.ConsumeIntegral<std::int32_t>();
  const std::string alias1 = input.ConsumeRandomLengthString(8);
  const std::string alias2 = input.ConsumeRandomLengthString(8);
  const std::string prefix2 = input.ConsumeRandomLengthString(8);
  const std::string prefix1 = input.ConsumeRandomLengthString(120);
  const bool beyond_working_width = input.ConsumeIntegral<std::uint8_t>() == 255;  // rarely: it is slow
  std::string text = compose_text(input, prefix1, "-" + alias2);
  if (beyond_working_width && !text.empty()) {
    const std::string unit = text;
    while (text.size() <= working_width) text.append(unit);
  }

  check_prefix_removal(text);
  check_substring_test(text);
  check_descending(alias1, alias2, text);
  check_prepare(alias1, alias2, prefix2, prefix1, text);
  check_join(alias1 + text, text);
  require(runtime::char_count(keldox::cut_off_filter(alias1 + text, first_day)) == 50);
  return 0;
}
