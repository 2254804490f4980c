// Plain names, digit filtering and one-line descriptions.
#include <gtest/gtest.h>

#include "keldox/text.h"
#include "runtime/text.h"
#include "tests/named_rows.h"

namespace keldox {
namespace {

struct FilterRow {
  const char* name;
  const char* text;
  const char* expected;
};

class PlainName : public ::testing::TestWithParam<FilterRow> {};

TEST_P(PlainName, KeepsAsciiLettersDigitsAndUnderscores) {
  EXPECT_EQ(TEKSTZPOLNAANG(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, PlainName,
                         ::testing::Values(FilterRow{"polish_sentence", "Zażółć gęślą jaźń / 2016",
                                                     "Zazolc_gesla_jazn___2016"},
                                           FilterRow{"upper_letters", "ĄĆĘŁŃÓŚŹŻ", "ACELNOSZZ"},
                                           FilterRow{"punctuation_dropped", "a,b.c-d(e)", "abcde"},
                                           FilterRow{"underscore_and_slash", "a_b/c d", "a_b_c_d"},
                                           FilterRow{"other_accents_dropped", "Müller čaj", "Mller_aj"},
                                           FilterRow{"broken_bytes_dropped", "a\xC5\xFFz", "az"}),
                         [](const auto& info) { return info.param.name; });

TEST(PlainName, StopsAt999Characters) {
  std::string text;
  for (int i = 0; i < 600; ++i) text += "ż_";
  EXPECT_EQ(TEKSTZPOLNAANG(text).size(), 999u);
}

class DigitsOnly : public ::testing::TestWithParam<FilterRow> {};

TEST_P(DigitsOnly, KeepsDigitsOfFirst49Characters) {
  EXPECT_EQ(TYLKOZNAKINUMERYCZNE(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DigitsOnly,
    ::testing::Values(FilterRow{"nip_with_dashes", "PL 526-000-12-46", "5260001246"},
                      FilterRow{"no_digits", "ąęź abc", ""},
                      // 48 Polish letters (96 bytes) leave room for exactly one more character.
                      FilterRow{"limit_counts_characters",
                                "ąąąąąąąąąąąąąąąąąąąąąąąąąąąąąąąąąąąąąąąąąąąąąąąą12", "1"},
                      FilterRow{"digit_50_ignored", "0123456789012345678901234567890123456789012345678X9",
                                "0123456789012345678901234567890123456789012345678"}),
    [](const auto& info) { return info.param.name; });

class OneLineDescription : public ::testing::TestWithParam<FilterRow> {};

TEST_P(OneLineDescription, JoinsLinesAndKeepsLength) {
  const std::string out = WYTNIJZNAKIZOPISU(GetParam().text);
  EXPECT_EQ(out, GetParam().expected);
  EXPECT_EQ(runtime::char_count(out), runtime::char_count(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Texts, OneLineDescription,
                         ::testing::Values(FilterRow{"crlf_lines", "Łódź\r\nul. Długa", "Łódź ul. Długa "},
                                           FilterRow{"lone_feeds", "a\nb\nc", "abc  "},
                                           FilterRow{"lone_returns", "a\rb", "a b"},
                                           FilterRow{"one_line", "bez zmian", "bez zmian"}),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace keldox
