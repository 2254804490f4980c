// Replacing every occurrence, collapsing blanks and appending a missing word.
#include <gtest/gtest.h>

#include "keldox/text.h"
#include "tests/named_rows.h"

namespace keldox {
namespace {

struct ReplaceRow {
  const char* name;
  const char* text;
  const char* search;
  const char* replacement;
  std::uint8_t case_sensitive;
  const char* expected;
};

class ReplaceText : public ::testing::TestWithParam<ReplaceRow> {};

TEST_P(ReplaceText, WritesResultBack) {
  const ReplaceRow& row = GetParam();
  std::string text = row.text;
  REPLACETEXT(text, row.search, row.replacement, row.case_sensitive);
  EXPECT_EQ(text, row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReplaceText,
    ::testing::Values(ReplaceRow{"ignores_case_by_default", "Abc abc", "ABC", "x", 0, "x x"},
                      ReplaceRow{"exact_case_on_request", "Abc abc", "ABC", "x", 1, "Abc abc"},
                      ReplaceRow{"exact_case_match", "Abc abc", "abc", "x", 1, "Abc x"},
                      ReplaceRow{"polish_letters_ignore_case", "Łódź i ŁÓDŹ", "łódź", "Kraków", 0,
                                 "Kraków i Kraków"},
                      ReplaceRow{"replacement_keeps_its_case", "a-b", "-", "XyZ", 0, "aXyZb"},
                      ReplaceRow{"blank_replacement_removes", "ala ma kota", "ma", "   ", 0, "ala kota"},
                      ReplaceRow{"replacement_trimmed", "a,b", ",", "; ", 0, "a;b"},
                      ReplaceRow{"growing_replacement_ends", "aba", "a", "aa", 0, "aabaa"},
                      ReplaceRow{"no_match_only_trims", "bez zmian   ", "xyz", "q", 0, "bez zmian"},
                      ReplaceRow{"empty_search_only_trims", "abc  ", "", "q", 0, "abc"},
                      ReplaceRow{"never_matches_half_a_letter", "ą", "\x85", "x", 1, "ą"},
                      ReplaceRow{"stray_byte_matches_itself", "a\x85z", "\x85", "-", 1, "a-z"}),
    [](const auto& info) { return info.param.name; });

struct TextRow {
  const char* name;
  const char* text;
  const char* expected;
};

class CollapseBlanks : public ::testing::TestWithParam<TextRow> {};

TEST_P(CollapseBlanks, LeavesSingleBlanks) {
  EXPECT_EQ(REPLACEALLSPACE(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, CollapseBlanks,
                         ::testing::Values(TextRow{"inner_runs", "a  b     c", "a b c"},
                                           TextRow{"leading_and_trailing", "   a   ", " a "},
                                           TextRow{"single_blanks_kept", "ż ó ł", "ż ó ł"}),
                         [](const auto& info) { return info.param.name; });

TEST(CollapseBlanks, WorksOnFirst999Characters) {
  std::string letters;
  for (int i = 0; i < 997; ++i) letters += "ł";
  EXPECT_EQ(REPLACEALLSPACE(letters + "  ab"), letters + " ");
}

struct AddRow {
  const char* name;
  const char* to_add;
  const char* existing;
  const char* expected;
};

class AddIfMissing : public ::testing::TestWithParam<AddRow> {};

TEST_P(AddIfMissing, AppendsOnlyMissingText) {
  EXPECT_EQ(DODAJTEKSTJESLINIEMA(GetParam().to_add, GetParam().existing), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, AddIfMissing,
                         ::testing::Values(AddRow{"present_ignoring_case", "abc", "XABCY", "XABCY"},
                                           AddRow{"polish_present_ignoring_case", "żółw", "ŻÓŁW morski",
                                                  "ŻÓŁW morski"},
                                           AddRow{"missing_appended", "d  ", "abc  ", "abc d"},
                                           AddRow{"to_empty_no_blank", "d", "", "d"},
                                           AddRow{"empty_adds_nothing", "  ", "abc ", "abc"}),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace keldox
