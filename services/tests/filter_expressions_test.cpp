// Browse filter and sort expressions rewritten as T-SQL, with the piece limits that shape their results.
#include <gtest/gtest.h>

#include <string>

#include "access/cut_off_filter.h"
#include "keldox/filters.h"
#include "runtime/text.h"
#include "tests/named_rows.h"

namespace keldox {
namespace {

std::string repeat(std::string_view unit, std::size_t times) {
  std::string out;
  for (std::size_t i = 0; i < times; ++i) out.append(unit);
  return out;
}

bool letters_whole(std::string_view s) {
  for (std::size_t pos = 0; pos < s.size();) {
    const std::size_t length = runtime::utf8_char_length(s, pos);
    if (length == 1 && static_cast<unsigned char>(s[pos]) >= 0x80) return false;
    pos += length;
  }
  return true;
}

struct TextRow {
  const char* name;
  std::string text;
  std::string expected;
};

class RemovePrefixes : public ::testing::TestWithParam<TextRow> {};

TEST_P(RemovePrefixes, LeavesBareFieldNames) {
  EXPECT_EQ(FILTR2SQL(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Filters, RemovePrefixes,
    ::testing::Values(TextRow{"two_prefixes", "PRA:NAZWISKO='A' AND PRA2:X=1", "NAZWISKO='A' AND X=1"},
                      TextRow{"dot_ends_prefix", "A.B:C", "A.C"},
                      TextRow{"digits_and_underscore_belong", "T_1:POLE_2>0", "POLE_2>0"},
                      TextRow{"colon_in_literal_takes_digits", "A.T='12:30'", "A.T='30'"},
                      TextRow{"lone_colon_removed", "X = :Y", "X = Y"}, TextRow{"double_colon", "AB::C", "C"},
                      TextRow{"polish_letter_is_no_identifier", "CENAŁ:X", "CENAŁX"},
                      TextRow{"stray_byte_is_no_identifier", "\xC5:X", "\xC5X"},
                      TextRow{"trailing_blanks_cut", "PRA:X=1   ", "X=1"}, TextRow{"only_colons", ":::", ""},
                      TextRow{"empty", "", ""},
                      TextRow{"working_width_cuts_before_rewrite", repeat("ż", 19'999) + "X:Y",
                              repeat("ż", 19'999) + "X"}),
    [](const auto& info) { return info.param.name; });

class SubstringTest : public ::testing::TestWithParam<TextRow> {};

TEST_P(SubstringTest, BecomesLike) {
  EXPECT_EQ(REPLACEINSTRINGNALIKE(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Filters, SubstringTest,
    ::testing::Values(
        TextRow{"example", "INSTRING('kow',A.NAZWISKO,1,1) <> 0 AND A.ID>0",
                "A.NAZWISKO like '%kow%' AND A.ID>0"},
        TextRow{"text_before_kept", "A.ID>0 AND INSTRING('kow',A.NAZWISKO,1,1) <> 0",
                "A.ID>0 AND A.NAZWISKO like '%kow%'"},
        TextRow{"only_first_of_two", "INSTRING('a',A.X,1,1) <> 0 OR INSTRING('b',A.Y,1,1) <> 0",
                "A.X like '%a%' OR INSTRING('b',A.Y,1,1) <> 0"},
        TextRow{"polish_needle", "INSTRING('żółw',A.OPIS,1,1) <> 0", "A.OPIS like '%żółw%'"},
        TextRow{"needle_comma_cuts_it", "INSTRING('ab,c',A.X,1,1) <> 0", "c',A.X like '%a%'"},
        TextRow{"empty_quoted_needle", "INSTRING('',A.X,1,1) <> 0", "A.X like '%%'"},
        TextRow{"no_close_marker_unchanged", "INSTRING('a',A.X) > 0   ", "INSTRING('a',A.X) > 0"},
        TextRow{"no_open_marker_unchanged", "A.X,1,1) <> 0", "A.X,1,1) <> 0"}, TextRow{"empty", "", ""},
        // Positions the original arithmetic could not handle (negative lengths): defined answers.
        TextRow{"comma_first_empty_needle", "INSTRING(,A.X,1,1) <> 0", "A.X like '%%'"},
        TextRow{"comma_second_empty_needle", "INSTRING(',A.X,1,1) <> 0", "A.X like '%%'"},
        TextRow{"no_comma_field_is_all", "INSTRING(A.X,1,1) <> 0", "A.X like '%%'"},
        TextRow{"close_marker_before_open_skipped", "A.K,1,1) <> 0 OR INSTRING('a',A.Y,1,1) <> 0",
                "A.K,1,1) <> 0 OR A.Y like '%a%'"},
        TextRow{"close_marker_only_before_open", ",1,1) <> 0 INSTRING('a',A.Y)",
                ",1,1) <> 0 INSTRING('a',A.Y)"},
        // Piece limits, counted in letters.
        TextRow{"text_before_held_to_100", repeat("ż", 99) + "łą" + "INSTRING('a',A.X,1,1) <> 0",
                repeat("ż", 99) + "łA.X like '%a%'"},
        TextRow{"text_after_held_to_100", "INSTRING('a',A.X,1,1) <> 0" + repeat("ę", 101),
                "A.X like '%a%'" + repeat("ę", 100)},
        TextRow{"needle_held_to_49", "INSTRING('" + repeat("ś", 50) + "',A.X,1,1) <> 0",
                "A.X like '%" + repeat("ś", 49) + "%'"},
        TextRow{"field_held_to_49", "INSTRING('a'," + repeat("Ą", 50) + ",1,1) <> 0",
                repeat("Ą", 49) + " like '%a%'"},
        TextRow{"arguments_past_100_lose_comma", "INSTRING('" + repeat("ó", 98) + "',A.X,1,1) <> 0",
                "'" + repeat("ó", 48) + " like '%%'"}),
    [](const auto& info) { return info.param.name; });

struct DescendingRow {
  const char* name;
  const char* alias1;
  const char* alias2;
  std::string text;
  std::string expected;
};

class DescendingTerms : public ::testing::TestWithParam<DescendingRow> {};

TEST_P(DescendingTerms, GetDesc) {
  const DescendingRow& row = GetParam();
  EXPECT_EQ(REPLACEMINUSNADESC(row.alias1, row.alias2, row.text), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Filters, DescendingTerms,
    ::testing::Values(
        DescendingRow{"example", "", "A.", "A.X,-A.Y,-A.Z", "A.X,A.Y desc,A.Z desc"},
        DescendingRow{"single_term", "", "A.", "-A.NAZWISKO", "A.NAZWISKO desc"},
        DescendingRow{"alias2_then_alias1", "B.", "A.", "-B.X,-A.Y", "B.X desc,A.Y desc"},
        DescendingRow{"other_alias_minus_stays", "", "A.", "A.X,-B.Y", "A.X,-B.Y"},
        DescendingRow{"no_aliases_unchanged", "", "", "-A.X", "-A.X"},
        DescendingRow{"blank_alias_skipped", "", "   ", "-A.X  ", "-A.X"},
        DescendingRow{"alias_blanks_cut", "", "A.  ", "-A.X", "A.X desc"},
        DescendingRow{"minus_left_before_term_read_again", "", "A.", "X,--A.Y", "X,A.Y desc desc"},
        DescendingRow{"polish_alias", "", "Ż.", "-Ż.X", "Ż.X desc"},
        DescendingRow{"before_held_to_100", "", "A.", repeat("ł", 99) + "ńę,-A.X",
                      repeat("ł", 99) + "ńA.X desc"},
        DescendingRow{"term_held_to_100", "", "A.", "-A." + repeat("ó", 96), "A." + repeat("ó", 96) + " d"},
        DescendingRow{"rest_held_to_100", "", "A.", "-A.X," + repeat("ę", 100),
                      "A.X desc," + repeat("ę", 99)}),
    [](const auto& info) { return info.param.name; });

struct PrepareRow {
  const char* name;
  const char* alias1;
  const char* alias2;
  std::string prefix2;
  std::string prefix1;
  std::string text;
  std::string expected;
};

class PrepareFilter : public ::testing::TestWithParam<PrepareRow> {};

TEST_P(PrepareFilter, MakesTsql) {
  const PrepareRow& row = GetParam();
  EXPECT_EQ(PRZYGOTUJFILTR(row.alias1, row.alias2, row.prefix2, row.prefix1, row.text), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Filters, PrepareFilter,
    ::testing::Values(
        PrepareRow{"usual_filter", "", "A.", "", "PRA:", "PRA:NAZWISKO='X'", "A.NAZWISKO='X'"},
        PrepareRow{"usual_sort", "", "A.", "", "PRA:", "PRA:KOD,-PRA:NAZWISKO", "A.KOD,A.NAZWISKO desc"},
        PrepareRow{"usual_substring_test", "", "A.", "", "PRA:", "INSTRING('kow',PRA:NAZWISKO,1,1) <> 0",
                   "A.NAZWISKO like '%kow%'"},
        PrepareRow{"empty_prefixes_only_translate", "", "", "", "",
                   "PRA:ID>0 AND INSTRING('x',N,1,1) <> 0 AND (SUB(K,1,2))='AB'",
                   "PRA:ID>0 AND N like '%x%' AND (SUBSTRING(K,1,2))='AB'"},
        PrepareRow{"both_prefixes", "B.", "A.", "KON:", "PRA:", "PRA:ID=KON:ID_PRA,-KON:KOD",
                   "A.ID=B.ID_PRA,B.KOD desc"},
        PrepareRow{"blanks_of_prefixes_and_aliases_cut", "", "A.  ", "", "PRA:   ", "PRA:X=1   ", "A.X=1"},
        PrepareRow{"alias_containing_prefix_ends", "", "PRA:A.", "", "PRA:", "PRA:X=1 AND PRA:Y=2",
                   "PRA:A.X=1 AND PRA:A.Y=2"},
        PrepareRow{"prefix_held_to_100", "", "A.", "", repeat("ż", 100) + "Q:", repeat("ż", 100) + "X=1",
                   "A.X=1"}),
    [](const auto& info) { return info.param.name; });

// The working buffer held at most 20,000 characters after each replacement, so an occurrence that a
// growing alias pushes across its end is lost rather than replaced.
TEST(PrepareFilter, GrowingAliasLosesWhatCrossesTheWorkingWidth) {
  const std::string text = "x" + repeat("PR", 9'999) + "P";
  EXPECT_EQ(PRZYGOTUJFILTR("", "QQQ", "", "PR", text), "x" + repeat("QQQ", 6'666) + "P");
}

struct JoinRow {
  const char* name;
  const char* component;
  const char* filter;
  const char* expected;
};

class JoinConditions : public ::testing::TestWithParam<JoinRow> {};

TEST_P(JoinConditions, LeaveOutEmptyParts) {
  EXPECT_EQ(DODAJKOMPONENTFILTRA(GetParam().component, GetParam().filter), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Filters, JoinConditions,
                         ::testing::Values(JoinRow{"both", "B=2", "A=1", "A=1 AND B=2"},
                                           JoinRow{"empty_filter", "B=2  ", "", "B=2"},
                                           JoinRow{"empty_component", "", "A=1  ", "A=1"},
                                           JoinRow{"blank_component", "   ", "A=1", "A=1"},
                                           JoinRow{"neither", "  ", "", ""}),
                         [](const auto& info) { return info.param.name; });

struct CutOffRow {
  const char* name;
  std::string field;
  std::int32_t first_day;
  std::string expected;  // before padding to 50
};

class CutOff : public ::testing::TestWithParam<CutOffRow> {};

TEST_P(CutOff, FiftyCharacters) {
  const std::string result = cut_off_filter(GetParam().field, GetParam().first_day);
  EXPECT_EQ(runtime::char_count(result), 50u);
  EXPECT_EQ(runtime::trim_right(result), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Filters, CutOff,
                         ::testing::Values(CutOffRow{"zero_is_blank", "A.DATA", 0, ""},
                                           CutOffRow{"negative_is_blank", "A.DATA", -5, ""},
                                           CutOffRow{"day_80000", "A.DATA", 80'000, "A.DATA>=80000"},
                                           CutOffRow{"field_blanks_cut", "A.DATA   ", 1, "A.DATA>=1"},
                                           CutOffRow{"held_to_50_letters", repeat("ź", 45), 80'000,
                                                     repeat("ź", 45) + ">=800"}),
                         [](const auto& info) { return info.param.name; });

// Whatever comes in, results stay within the working width and keep valid letters whole.
TEST(FilterExpressions, HugeInputHeldToWorkingWidth) {
  const std::string huge = repeat("ą:(SUB(-A.", 30'000);
  for (const std::string& result :
       {FILTR2SQL(huge), REPLACEINSTRINGNALIKE(huge), REPLACEMINUSNADESC("", "A.", huge),
        PRZYGOTUJFILTR("", "A.", "", "ą", huge), DODAJKOMPONENTFILTRA(huge, huge)}) {
    EXPECT_LE(runtime::char_count(result), 20'000u);
    EXPECT_TRUE(letters_whole(result));
  }
}

}  // namespace
}  // namespace keldox
