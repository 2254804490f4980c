// Quoting of text literals and the check of plain numbers: a typed text never ends its literal early and
// never reaches a statement unquoted.
#include "db/literals.h"

#include <gtest/gtest.h>

#include <ostream>

namespace db {
namespace {

struct QuoteRow {
  const char* name;
  const char* value;
  const char* escaped;
  const char* quoted;
};

void PrintTo(const QuoteRow& row, std::ostream* out) {
  *out << row.name;
}

class Quoting : public ::testing::TestWithParam<QuoteRow> {};

TEST_P(Quoting, AnApostropheNeverEndsTheLiteral) {
  EXPECT_EQ(escape_text(GetParam().value), GetParam().escaped);
  EXPECT_EQ(quote_text(GetParam().value), GetParam().quoted);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Quoting,
    ::testing::Values(QuoteRow{"empty", "", "", "''"},
                      QuoteRow{"plain", "Kowalski", "Kowalski", "'Kowalski'"},
                      QuoteRow{"apostrophe", "O'Brien", "O''Brien", "'O''Brien'"},
                      QuoteRow{"only_quotes", "''", "''''", "''''''"},
                      QuoteRow{"injection", "'; delete from WALUTY --", "''; delete from WALUTY --",
                               "'''; delete from WALUTY --'"},
                      QuoteRow{"other_marks_kept", "Łódź \"x\" \\", "Łódź \"x\" \\", "'Łódź \"x\" \\'"}),
    [](const auto& info) { return info.param.name; });

struct NumberCase {
  const char* name;
  const char* text;
  const char* literal;
};
class NumberLiteral : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumberLiteral, OnlyPlainNumbersPass) {
  EXPECT_EQ(number_literal(GetParam().text), GetParam().literal);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NumberLiteral,
    ::testing::Values(NumberCase{"Integer", "42", "42"}, NumberCase{"Blanks", "  7 ", "7"},
                      NumberCase{"Negative", "-3", "-3"}, NumberCase{"Plus", "+5", "5"},
                      NumberCase{"Decimal", "1234.50", "1234.50"}, NumberCase{"Empty", "", "0"},
                      NumberCase{"SignOnly", "-", "0"}, NumberCase{"TrailingPoint", "5.", "0"},
                      NumberCase{"LeadingPoint", ".5", "0"}, NumberCase{"TwoPoints", "1.2.3", "0"},
                      NumberCase{"Exponent", "1e5", "0"}, NumberCase{"Injection", "1 or 1=1", "0"},
                      NumberCase{"Comment", "1--", "0"}, NumberCase{"Text", "abc", "0"}),
    [](const ::testing::TestParamInfo<NumberCase>& info) { return info.param.name; });

}  // namespace
}  // namespace db
