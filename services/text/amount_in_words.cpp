// Polish words for money amounts, with the grammatical forms of złoty, grosz and the number groups.
#include "keldox/amount_in_words.h"

#include <array>
#include <cstdint>
#include <optional>

#include "runtime/decimal.h"
#include "runtime/text.h"

namespace keldox {
namespace {

constexpr std::size_t result_limit = 500;
constexpr std::int64_t hundredths_limit = 100'000'000'000'000;  // 10^12 whole units in hundredths

constexpr std::array<std::string_view, 10> units_words{"",     "jeden", "dwa",    "trzy",  "cztery",
                                                       "pięć", "sześć", "siedem", "osiem", "dziewięć"};
constexpr std::array<std::string_view, 10> teen_words{
    "dziesięć",   "jedenaście", "dwanaście",    "trzynaście",  "czternaście",
    "piętnaście", "szesnaście", "siedemnaście", "osiemnaście", "dziewiętnaście"};
constexpr std::array<std::string_view, 10> tens_words{"",
                                                      "",
                                                      "dwadzieścia",
                                                      "trzydzieści",
                                                      "czterdzieści",
                                                      "pięćdziesiąt",
                                                      "sześćdziesiąt",
                                                      "siedemdziesiąt",
                                                      "osiemdziesiąt",
                                                      "dziewięćdziesiąt"};
constexpr std::array<std::string_view, 10> hundreds_words{"",          "sto",        "dwieście", "trzysta",
                                                          "czterysta", "pięćset",    "sześćset", "siedemset",
                                                          "osiemset",  "dziewięćset"};

// Forms for one, for a few (2-4) and for many, per group from milliards down to hundredths.
constexpr std::size_t whole_units_group = 3;
constexpr std::array<std::array<std::string_view, 3>, 5> group_words{{
    {"miliard", "miliardy", "miliardów"},
    {"milion", "miliony", "milionów"},
    {"tysiąc", "tysiące", "tysięcy"},
    {"złoty", "złote", "złotych"},
    {"grosz", "grosze", "groszy"},
}};

constexpr std::array<std::string_view, 10> digit_abbreviations{"zer*", "jed*", "dwa*", "trz*", "czt*",
                                                               "pie*", "sze*", "sie*", "osi*", "dzi*"};

// The amount in hundredths, rounded half away from zero; nothing when it is not a number or does not fit
// the twelve whole digit positions.
std::optional<std::int64_t> hundredths(double amount) {
  const runtime::Decimal rounded = runtime::Decimal::from_double(amount, 14, 2);
  if (!rounded.ok()) return std::nullopt;
  const std::int64_t units = rounded.units();
  if (units >= hundredths_limit || units <= -hundredths_limit) return std::nullopt;
  return units;
}

void append_word(std::string& out, std::string_view word) {
  out.push_back(' ');
  out.append(word);
}

// Appends the words of one group of three digits and answers which form (0, 1, 2) its group word takes.
std::size_t append_group(std::string& out, int group) {
  const int d = group / 100;
  const int t = group / 10 % 10;
  const int u = group % 10;
  if (d != 0) append_word(out, hundreds_words[d]);
  if (t == 1) {
    append_word(out, teen_words[u]);
    return 2;
  }
  if (t != 0) append_word(out, tens_words[t]);
  if (u != 0) append_word(out, units_words[u]);
  if (d == 0 && t == 0 && u == 1) return 0;
  if (u >= 2 && u <= 4) return 1;
  return 2;
}

void replace_first(std::string& text, std::string_view search, std::string_view replacement) {
  const std::size_t found = text.find(search);
  if (found != std::string::npos) text.replace(found, search.size(), replacement);
}

// Replaces the first of the given words that occurs (tested in order); answers whether one did.
bool replace_first_of(std::string& text, std::initializer_list<std::string_view> words,
                      std::string_view replacement) {
  for (const std::string_view word : words) {
    if (text.find(word) != std::string::npos) {
      replace_first(text, word, replacement);
      return true;
    }
  }
  return false;
}

void cut_to_result_limit(std::string& text) {
  text.resize(runtime::cut_to_width(text, result_limit).size());
}

// The words of a rounded amount that is not 0.00.
std::string spell(std::int64_t rounded) {
  const std::int64_t magnitude = rounded < 0 ? -rounded : rounded;
  const std::int64_t whole = magnitude / 100;
  const std::array<int, 5> groups{static_cast<int>(whole / 1'000'000'000),
                                  static_cast<int>(whole / 1'000'000 % 1000),
                                  static_cast<int>(whole / 1000 % 1000), static_cast<int>(whole % 1000),
                                  static_cast<int>(magnitude % 100)};
  std::string out = rounded < 0 ? "minus" : "";
  out.reserve(256);
  bool higher_group_spoken = false;
  for (std::size_t g = 0; g < groups.size(); ++g) {
    if (groups[g] == 0) {
      // "jeden milion złotych": the currency still follows a round amount of thousands and more.
      if (g == whole_units_group && higher_group_spoken) append_word(out, group_words[g][2]);
      continue;
    }
    append_word(out, group_words[g][append_group(out, groups[g])]);
    if (g < whole_units_group) higher_group_spoken = true;
  }
  return out;
}

}  // namespace

std::string SLOWNIE(double amount, std::string_view currency) {
  const std::optional<std::int64_t> rounded = hundredths(amount);
  if (!rounded) return {};
  std::string out;
  if (*rounded != 0) {
    out = spell(*rounded);
  } else if (amount == 0) {
    out = "zero złotych zero groszy";
  }
  const std::string_view symbol = runtime::trim_right(currency);
  if (!symbol.empty() && symbol != "zł" && symbol != "PLN") {
    replace_first_of(out, {"grosze", "groszy", "grosz"}, std::string(currency) + "/100");
    replace_first_of(out, {"złotych", "złoty", "złote"}, currency);
  }
  cut_to_result_limit(out);
  return out;
}

std::string SLOWNIEKROTKO(double amount) {
  const std::optional<std::int64_t> rounded = hundredths(amount);
  if (!rounded) return {};
  const std::int64_t magnitude = *rounded < 0 ? -*rounded : *rounded;
  const std::string whole = std::to_string(magnitude / 100);
  const int cents = static_cast<int>(magnitude % 100);

  std::string out = *rounded < 0 ? "minus" : "";
  for (const char digit : whole) append_word(out, digit_abbreviations[static_cast<std::size_t>(digit - '0')]);
  out.push_back(' ');
  out.push_back(static_cast<char>('0' + cents / 10));
  out.push_back(static_cast<char>('0' + cents % 10));
  out.append("/100");
  return out;
}

}  // namespace keldox
