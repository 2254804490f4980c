#include "runtime/text.h"

#include <gtest/gtest.h>

namespace runtime {
namespace {

TEST(TextWidth, CountsCharactersNotBytes) {
  EXPECT_EQ(char_count(""), 0u);
  EXPECT_EQ(char_count("abc"), 3u);
  EXPECT_EQ(char_count("Zażółć gęślą jaźń"), 17u);
  EXPECT_EQ(char_count("\xC5"), 1u);  // truncated sequence counts as one
  EXPECT_EQ(char_count("\xC5"
                       "a"),
            2u);                          // lead byte without continuation
  EXPECT_EQ(char_count("\xFF\xFE"), 2u);  // bytes that never start a character
}

TEST(TextWidth, CutNeverSplitsALetter) {
  EXPECT_EQ(cut_to_width("Łódź", 2), "Łó");
  EXPECT_EQ(cut_to_width("Łódź", 4), "Łódź");
  EXPECT_EQ(cut_to_width("Łódź", 10), "Łódź");
  EXPECT_EQ(cut_to_width("Łódź", 0), "");
  EXPECT_EQ(cut_to_width("ab\xC5", 3), "ab\xC5");
  EXPECT_EQ(pad_to_width("żó", 4), "żó  ");
  EXPECT_EQ(pad_to_width("żółw", 2), "żó");
}

TEST(TextBlanks, TrimAndCompareIgnoreTrailingBlanks) {
  EXPECT_EQ(trim_right("ab  "), "ab");
  EXPECT_EQ(trim_right("   "), "");
  EXPECT_EQ(trim_left("  ab "), "ab ");
  EXPECT_EQ(trim("  ab "), "ab");
  EXPECT_TRUE(same_text("PLN", "PLN   "));
  EXPECT_FALSE(same_text(" PLN", "PLN"));
  EXPECT_EQ(compare_text("A  ", "A"), std::strong_ordering::equal);
  EXPECT_EQ(compare_text("A", "AB"), std::strong_ordering::less);
  EXPECT_EQ(compare_text("B ", "AB"), std::strong_ordering::greater);
}

struct CaseRow {
  const char* name;
  const char* lower;
  const char* upper;
};

class PolishCase : public ::testing::TestWithParam<CaseRow> {};

TEST_P(PolishCase, MapsBothWays) {
  EXPECT_EQ(to_upper(GetParam().lower), GetParam().upper);
  EXPECT_EQ(to_lower(GetParam().upper), GetParam().lower);
}

INSTANTIATE_TEST_SUITE_P(Letters, PolishCase,
                         ::testing::Values(CaseRow{"ascii", "abc xyz 123", "ABC XYZ 123"},
                                           CaseRow{"polish_all", "ąćęłńóśźż", "ĄĆĘŁŃÓŚŹŻ"},
                                           CaseRow{"sentence", "zażółć gęślą jaźń", "ZAŻÓŁĆ GĘŚLĄ JAŹŃ"},
                                           CaseRow{"czech_slovak", "čďěňřšťžůľĺŕ", "ČĎĚŇŘŠŤŽŮĽĹŔ"},
                                           CaseRow{"hungarian_german", "őűäöüé", "ŐŰÄÖÜÉ"}),
                         [](const auto& info) { return info.param.name; });

TEST(PolishCase, LeavesOtherCharactersAndStrayBytes) {
  EXPECT_EQ(to_upper("ß×÷€"), "ß×÷€");
  EXPECT_EQ(to_upper("a\xFF"
                     "b"),
            "A\xFF"
            "B");
  EXPECT_EQ(to_upper(std::string_view("a\0b", 3)), std::string("A\0B", 3));
}

TEST(TextPositions, AreOneBasedAndCountCharacters) {
  EXPECT_EQ(find_position("Łódź Kaliska", "Kal"), 6u);
  EXPECT_EQ(find_position("abcabc", "bc", 3), 5u);
  EXPECT_EQ(find_position("abc", "x"), 0u);
  EXPECT_EQ(find_position("abc", ""), 0u);
  EXPECT_EQ(find_position("abc", "a", 10), 0u);
  EXPECT_EQ(sub_text("Łódź Kaliska", 1, 4), "Łódź");
  EXPECT_EQ(sub_text("Łódź Kaliska", 6, 100), "Kaliska");
  EXPECT_EQ(sub_text("abc", 5, 2), "");
}

TEST(FixedTextField, CutsOnAssignmentAndComparesWithoutBlanks) {
  FixedText<3> sym = "PLNX";
  EXPECT_EQ(sym.str(), "PLN");
  sym = "żółw";
  EXPECT_EQ(sym.str(), "żół");
  FixedText<5> padded = "PLN  ";
  FixedText<3> plain = "PLN";
  EXPECT_TRUE(padded == plain);
  EXPECT_TRUE(padded == "PLN");
  EXPECT_EQ(padded.clipped(), "PLN");
  EXPECT_TRUE(FixedText<4>("   ").blank());
}

}  // namespace
}  // namespace runtime

namespace runtime {
namespace {

struct CollateRow {
  const char* name;
  const char* a;
  const char* b;
  int sign;
};

class Collation : public ::testing::TestWithParam<CollateRow> {};

TEST_P(Collation, OrdersLikeTheDatabase) {
  const auto& r = GetParam();
  const int c = collate_compare(r.a, r.b);
  EXPECT_EQ((c > 0) - (c < 0), r.sign);
  EXPECT_EQ(-((c > 0) - (c < 0)), [&] {
    const int d = collate_compare(r.b, r.a);
    return (d > 0) - (d < 0);
  }());
}

INSTANTIATE_TEST_SUITE_P(Pairs, Collation,
                         ::testing::Values(CollateRow{"case_blind", "złoty", "ZŁOTY", 0},
                                           CollateRow{"trailing_blanks", "PLN  ", "pln", 0},
                                           CollateRow{"l_before_l_stroke", "Lubin", "Łódź", -1},
                                           CollateRow{"l_stroke_before_m", "Łódź", "Mława", -1},
                                           CollateRow{"z_acute_before_z_dot", "źrebię", "żaba", -1},
                                           CollateRow{"a_ogonek_after_a", "ąb", "az", 1},
                                           CollateRow{"prefix_first", "Kra", "Kraków", -1},
                                           CollateRow{"digits_before_letters", "9", "A", -1},
                                           CollateRow{"leading_blank_counts", " B", "A", -1}),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace runtime
