// The numbers texts start with: as a field reads them, with or without an exponent, and as whole
// numbers.
#include "runtime/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>

namespace runtime {
namespace {

struct NumberRow {
  const char* name;
  const char* text;
  double value;
};

void PrintTo(const NumberRow& row, std::ostream* out) {
  *out << row.name;
}

const std::string kHugeNumber(400, '9');

class NumberFromText : public ::testing::TestWithParam<NumberRow> {};

TEST_P(NumberFromText, ReadsTheLeadingNumber) {
  EXPECT_DOUBLE_EQ(number_from_text(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NumberFromText,
    ::testing::Values(NumberRow{"whole", "3000001", 3000001}, NumberRow{"blanks_around", "  12  ", 12},
                      NumberRow{"fraction", "23.00", 23}, NumberRow{"negative", "-0.5", -0.5},
                      NumberRow{"plus", "+7", 7}, NumberRow{"double_sign", "+-7", 0},
                      NumberRow{"two_pluses", "++7", 0}, NumberRow{"two_minuses", "--7", 0},
                      NumberRow{"trailing_text", "12.5x", 12.5}, NumberRow{"empty", "", 0},
                      NumberRow{"word", "Tak", 0}, NumberRow{"comma_stops", "1,5", 1},
                      NumberRow{"exponent_stops", "1e5", 1}, NumberRow{"infinity", "inf", 0},
                      NumberRow{"nan", "nan", 0}, NumberRow{"huge", kHugeNumber.c_str(), 0}),
    [](const auto& info) { return info.param.name; });

struct LeadingRow {
  const char* name;
  const char* text;
  bool read;
  double value;  // with the exponent read
};

void PrintTo(const LeadingRow& row, std::ostream* out) {
  *out << row.name;
}

class LeadingNumberWithExponent : public ::testing::TestWithParam<LeadingRow> {};

TEST_P(LeadingNumberWithExponent, ReadsAsFarAsTheNumberGoes) {
  const LeadingRow& r = GetParam();
  const std::optional<double> value = leading_number(r.text, Exponent::read);
  ASSERT_EQ(value.has_value(), r.read);
  if (r.read) {
    EXPECT_DOUBLE_EQ(*value, r.value);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LeadingNumberWithExponent,
    ::testing::Values(LeadingRow{"plain", "42", true, 42}, LeadingRow{"exponent", "1.5e3", true, 1500},
                      LeadingRow{"database_real", "1.0e+15", true, 1e15},
                      LeadingRow{"negative_exponent", " -2.5E-3 ", true, -0.0025},
                      LeadingRow{"exponent_without_digits", "7e", true, 7}, LeadingRow{"plus", "+5", true, 5},
                      LeadingRow{"double_sign", "+-5", false, 0}, LeadingRow{"empty", "", false, 0},
                      LeadingRow{"blank", "   ", false, 0}, LeadingRow{"word", "abc", false, 0},
                      LeadingRow{"point_only", ".", false, 0}, LeadingRow{"out_of_range", "1e999", false, 0}),
    [](const auto& info) { return info.param.name; });

TEST(LeadingNumber, KeepsInfinitiesAndNaNForTheCallerToJudge) {
  EXPECT_TRUE(std::isinf(leading_number("inf").value_or(0)));
  EXPECT_TRUE(std::isnan(leading_number("nan").value_or(0)));
}

struct IntegerRow {
  const char* name;
  const char* text;
  bool read;
  std::int64_t value;
};

void PrintTo(const IntegerRow& row, std::ostream* out) {
  *out << row.name;
}

class LeadingInteger : public ::testing::TestWithParam<IntegerRow> {};

TEST_P(LeadingInteger, ReadsTheWholeNumberPart) {
  const IntegerRow& r = GetParam();
  const std::optional<std::int64_t> value = leading_integer(r.text);
  ASSERT_EQ(value.has_value(), r.read);
  if (r.read) {
    EXPECT_EQ(*value, r.value);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LeadingInteger,
    ::testing::Values(IntegerRow{"plain", "1234", true, 1234}, IntegerRow{"blanks", "  -17 ", true, -17},
                      IntegerRow{"plus", "+8", true, 8}, IntegerRow{"fraction_dropped", "12.9", true, 12},
                      IntegerRow{"largest", "9223372036854775807", true, INT64_MAX},
                      IntegerRow{"beyond_64_bits", "9223372036854775808", false, 0},
                      IntegerRow{"double_sign", "-+1", false, 0}, IntegerRow{"word", "x1", false, 0},
                      IntegerRow{"empty", "", false, 0}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace runtime
