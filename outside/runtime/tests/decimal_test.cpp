// Tests of Decimal: rounding, parsing, arithmetic and the reported failures.
#include "runtime/decimal.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace runtime {
namespace {

using S = DecimalStatus;

Decimal num(const char* text) {
  return Decimal::parse(text);
}

struct RoundRow {
  const char* name;
  const char* value;
  const char* precision;
  const char* expected;
};

class DecimalRounded : public ::testing::TestWithParam<RoundRow> {};

TEST_P(DecimalRounded, GoesToNearestMultipleHalvesAwayFromZero) {
  const RoundRow& r = GetParam();
  Decimal d = num(r.value).rounded(num(r.precision));
  ASSERT_TRUE(d.ok());
  EXPECT_EQ(d.to_text(), r.expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, DecimalRounded,
                         ::testing::Values(RoundRow{"half_cent_up", "0.005", "0.01", "0.01"},
                                           RoundRow{"negative_half_cent_down", "-0.005", "0.01", "-0.01"},
                                           RoundRow{"just_below_half", "0.00499999", "0.01", "0.00"},
                                           RoundRow{"negative_just_below_half", "-0.00499999", "0.01",
                                                    "0.00"},
                                           RoundRow{"binary_trap_2_345", "2.345", "0.01", "2.35"},
                                           RoundRow{"negative_2_345", "-2.345", "0.01", "-2.35"},
                                           RoundRow{"nickel_half", "1.025", "0.05", "1.05"},
                                           RoundRow{"nickel_below_half", "1.024", "0.05", "1.00"},
                                           RoundRow{"nickel_negative", "-1.075", "0.05", "-1.10"},
                                           RoundRow{"whole_half", "2.5", "1", "3"},
                                           RoundRow{"whole_negative_half", "-2.5", "1", "-3"},
                                           RoundRow{"whole_from_many_places", "12.4999999999", "1", "12"},
                                           RoundRow{"half_unit", "7.25", "0.5", "7.5"},
                                           RoundRow{"finer_than_value", "3.1", "0.001", "3.100"},
                                           RoundRow{"to_hundreds", "150", "100", "200"}),
                         [](const auto& info) { return info.param.name; });

TEST(DecimalRounded, BadPrecisionIsReported) {
  EXPECT_EQ(num("1.5").rounded(num("0")).status(), S::division_by_zero);
  EXPECT_EQ(num("1.5").rounded(num("-0.01")).status(), S::invalid);
  EXPECT_EQ(Decimal::failed(S::overflow).rounded(num("0.01")).status(), S::overflow);
}

struct ParseRow {
  const char* name;
  const char* text;
  DecimalType type;
  const char* expected;  // nullptr when a failure is expected
  S status;
};

class DecimalParse : public ::testing::TestWithParam<ParseRow> {};

TEST_P(DecimalParse, ReadsTextIntoType) {
  const ParseRow& r = GetParam();
  Decimal d = Decimal::parse(r.text, r.type);
  EXPECT_EQ(d.status(), r.status);
  if (r.expected) {
    EXPECT_EQ(d.to_text(), r.expected);
  } else {
    EXPECT_TRUE(d.is_zero());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DecimalParse,
    ::testing::Values(ParseRow{"plain", "1234.5", kMoney, "1234.50", S::ok},
                      ParseRow{"comma_point", "1234,56", kMoney, "1234.56", S::ok},
                      ParseRow{"blanks_around", "  -12.3 \t", kMoney, "-12.30", S::ok},
                      ParseRow{"plus_sign", "+7", kMoney, "7.00", S::ok},
                      ParseRow{"no_integer_part", ".5", kMoney, "0.50", S::ok},
                      ParseRow{"no_fraction_digits", "5.", kMoney, "5.00", S::ok},
                      ParseRow{"leading_zeros", "000000000000000000001.5", kMoney, "1.50", S::ok},
                      ParseRow{"too_many_places_up", "1.005", kMoney, "1.01", S::ok},
                      ParseRow{"too_many_places_negative", "-1.005", kMoney, "-1.01", S::ok},
                      ParseRow{"too_many_places_down", "1.00499", kMoney, "1.00", S::ok},
                      ParseRow{"largest_money", "9999999999999.99", kMoney, "9999999999999.99", S::ok},
                      ParseRow{"money_overflow", "10000000000000", kMoney, nullptr, S::overflow},
                      ParseRow{"rounding_into_overflow", "9999999999999.995", kMoney, nullptr, S::overflow},
                      ParseRow{"rate_places", "4.1234565", kExchangeRate, "4.123457", S::ok},
                      ParseRow{"huge", "123456789012345678901234567890", kMoney, nullptr, S::overflow},
                      ParseRow{"empty", "", kMoney, nullptr, S::invalid},
                      ParseRow{"blank", "   ", kMoney, nullptr, S::invalid},
                      ParseRow{"sign_only", "-", kMoney, nullptr, S::invalid},
                      ParseRow{"point_only", ".", kMoney, nullptr, S::invalid},
                      ParseRow{"two_points", "1.2.3", kMoney, nullptr, S::invalid},
                      ParseRow{"point_and_comma", "1,234.5", kMoney, nullptr, S::invalid},
                      ParseRow{"inner_blank", "1 234", kMoney, nullptr, S::invalid},
                      ParseRow{"letters", "12a", kMoney, nullptr, S::invalid},
                      ParseRow{"double_sign", "--1", kMoney, nullptr, S::invalid},
                      ParseRow{"bad_type", "1", DecimalType{19, 2}, nullptr, S::invalid},
                      ParseRow{"places_above_digits", "1", DecimalType{2, 3}, nullptr, S::invalid}),
    [](const auto& info) { return info.param.name; });

TEST(DecimalParse, UntypedKeepsWrittenPlaces) {
  EXPECT_EQ(num("2.345").places(), 3);
  EXPECT_EQ(num("2.345").to_text(','), "2,345");
  EXPECT_EQ(num("-0.10").to_text(), "-0.10");
  EXPECT_EQ(num("123456789012345678").to_text(), "123456789012345678");
  EXPECT_EQ(num("1234567890123456789").status(), S::overflow);
  EXPECT_EQ(num("0.1234567890123456789").to_text(), "0.123456789012345679");
}

struct DoubleRow {
  const char* name;
  double value;
  DecimalType type;
  const char* expected;
  S status;
};

class DecimalFromDouble : public ::testing::TestWithParam<DoubleRow> {};

TEST_P(DecimalFromDouble, ConvertsByShortestText) {
  const DoubleRow& r = GetParam();
  Decimal d = Decimal::from_double(r.value, r.type);
  EXPECT_EQ(d.status(), r.status);
  EXPECT_EQ(d.to_text(), r.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DecimalFromDouble,
    ::testing::Values(
        DoubleRow{"binary_trap_kept", 2.345, DecimalType{15, 3}, "2.345", S::ok},
        DoubleRow{"binary_trap_rounds_up", 2.345, kMoney, "2.35", S::ok},
        DoubleRow{"negative_trap", -1.005, kMoney, "-1.01", S::ok},
        DoubleRow{"tenth_plus_fifth", 0.1 + 0.2, kMoney, "0.30", S::ok},
        DoubleRow{"negative_zero", -0.0, kMoney, "0.00", S::ok},
        DoubleRow{"tiny", 1e-300, kMoney, "0.00", S::ok}, DoubleRow{"too_big", 1e20, kMoney, "", S::overflow},
        DoubleRow{"largest_double", std::numeric_limits<double>::max(), kMoney, "", S::overflow},
        DoubleRow{"nan", std::numeric_limits<double>::quiet_NaN(), kMoney, "", S::invalid},
        DoubleRow{"infinity", std::numeric_limits<double>::infinity(), kMoney, "", S::invalid},
        DoubleRow{"minus_infinity", -std::numeric_limits<double>::infinity(), kMoney, "", S::invalid}),
    [](const auto& info) { return info.param.name; });

TEST(DecimalToDouble, RoundTripsTheNearestDouble) {
  EXPECT_EQ(num("2.345").to_double(), 2.345);
  EXPECT_EQ(num("-0.01").to_double(), -0.01);
  EXPECT_EQ(num("123456789012345678").to_double(), 123456789012345678.0);
  EXPECT_EQ(num("12345678901234.5678").to_double(), 12345678901234.5678);
  EXPECT_EQ(Decimal::failed(S::invalid).to_double(), 0.0);
  EXPECT_EQ(Decimal::from_double(std::nan("")).to_double(), 0.0);
}

struct ArithmeticRow {
  const char* name;
  char op;
  const char* a;
  const char* b;
  const char* expected;  // ignored unless status is ok
  S status;
};

class DecimalArithmetic : public ::testing::TestWithParam<ArithmeticRow> {};

Decimal apply(char op, const Decimal& a, const Decimal& b) {
  switch (op) {
    case '+':
      return a + b;
    case '-':
      return a - b;
    case '*':
      return a * b;
    default:
      return a / b;
  }
}

TEST_P(DecimalArithmetic, ComputesExactlyOrReports) {
  const ArithmeticRow& r = GetParam();
  Decimal d = apply(r.op, num(r.a), num(r.b));
  ASSERT_EQ(d.status(), r.status);
  if (r.status == S::ok) {
    EXPECT_EQ(d, num(r.expected)) << d.to_text();
  } else {
    EXPECT_TRUE(d.is_zero());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DecimalArithmetic,
    ::testing::Values(
        ArithmeticRow{"add_mixed_places", '+', "0.1", "0.22", "0.32", S::ok},
        ArithmeticRow{"add_negative", '+', "-5.25", "2", "-3.25", S::ok},
        ArithmeticRow{"subtract_to_zero", '-', "0.30", "0.3", "0", S::ok},
        ArithmeticRow{"subtract_below_zero", '-', "1", "1.01", "-0.01", S::ok},
        ArithmeticRow{"add_overflow", '+', "999999999999999999", "1", "", S::overflow},
        ArithmeticRow{"subtract_overflow", '-', "-999999999999999999", "1", "", S::overflow},
        ArithmeticRow{"multiply_exact", '*', "1234.56", "4.123456", "5090.65383936", S::ok},
        ArithmeticRow{"multiply_signs", '*', "-2.5", "-0.4", "1.00", S::ok},
        ArithmeticRow{"multiply_overflow", '*', "999999999999", "1000000000", "", S::overflow},
        ArithmeticRow{"multiply_int64_edge", '*', "4294967296", "4294967296", "", S::overflow},
        ArithmeticRow{"divide_third", '/', "1", "3", "0.33333333333333333", S::ok},
        ArithmeticRow{"divide_two_thirds_rounds", '/', "2", "3", "0.66666666666666667", S::ok},
        ArithmeticRow{"divide_negative", '/', "-10", "4", "-2.5", S::ok},
        ArithmeticRow{"divide_by_zero", '/', "1", "0", "", S::division_by_zero},
        ArithmeticRow{"divide_by_zero_with_places", '/', "1.00", "0.000", "", S::division_by_zero},
        ArithmeticRow{"divide_overflow", '/', "100000000000000000", "0.000000000000000001", "", S::overflow}),
    [](const auto& info) { return info.param.name; });

TEST(DecimalArithmetic, FailureSpreadsThroughLaterSteps) {
  Decimal bad = num("1") / num("0");
  Decimal total = (bad + num("5")) * num("2") - num("1");
  EXPECT_EQ(total.status(), S::division_by_zero);
  EXPECT_EQ((num("5") + bad).status(), S::division_by_zero);
  EXPECT_EQ((num("x") + bad).status(), S::invalid);
}

TEST(DecimalArithmetic, ResultTypesFollowOperands) {
  Decimal money = Decimal::parse("100.00", kMoney);
  Decimal rate = Decimal::parse("4.123456", kExchangeRate);
  Decimal vat = Decimal::parse("23", kVatRate);
  EXPECT_EQ((money + money).to_text(), "200.00");
  EXPECT_EQ((money + money).digits(), 15);
  EXPECT_EQ((money * vat).to_text(), "2300.0000");
  EXPECT_EQ((money * rate).to_text(), "412.34560000");
  // 18 digits hold 5 of the 8 places of a product of 13 integer digits.
  EXPECT_EQ((Decimal::parse("1234567890123.45", kMoney) * rate).to_text(), "5090686373936.88064");
  EXPECT_EQ((num("1.5") * num("0.333333333333333333")).to_text(), "0.500000000000000000");
  EXPECT_EQ((money * money * money * money).status(), S::ok);
  EXPECT_EQ((money * money * money * money * money * money * money).status(), S::overflow);
}

struct FusedRow {
  const char* name;
  char op;
  const char* a;
  const char* b;
  const char* precision;
  const char* expected;
  S status;
};

class DecimalFused : public ::testing::TestWithParam<FusedRow> {};

TEST_P(DecimalFused, RoundsOnce) {
  const FusedRow& r = GetParam();
  Decimal d = r.op == '*' ? multiply_rounded(num(r.a), num(r.b), num(r.precision))
                          : divide_rounded(num(r.a), num(r.b), num(r.precision));
  ASSERT_EQ(d.status(), r.status);
  if (r.status == S::ok) {
    EXPECT_EQ(d.to_text(), r.expected);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DecimalFused,
    ::testing::Values(
        FusedRow{"vat_on_net", '*', "123.45", "0.23", "0.01", "28.39", S::ok},
        FusedRow{"half_product_up", '*', "0.5", "0.01", "0.01", "0.01", S::ok},
        FusedRow{"half_product_negative", '*', "-0.5", "0.01", "0.01", "-0.01", S::ok},
        // a * b is 0.4999999999999999995, which * keeps as 0.500000000000000000.
        FusedRow{"no_double_rounding", '*', "1.5", "0.333333333333333333", "1", "0", S::ok},
        FusedRow{"currency_conversion", '*', "1999.99", "4.315789", "0.01", "8631.53", S::ok},
        FusedRow{"product_of_large_values", '*', "9999999999999.99", "0.999999", "0.01", "9999989999999.99",
                 S::ok},
        FusedRow{"rate_times_rate_to_cent", '*', "4.123456", "1.234567", "0.01", "5.09", S::ok},
        // The product lies within half a step of the 64-bit limit, where biasing before dividing would wrap.
        FusedRow{"product_at_64_bit_limit", '*', "0.14", "658812288346769697", "1", "92233720368547758",
                 S::ok},
        FusedRow{"to_nickel", '*', "3.3", "1.01", "0.05", "3.35", S::ok},
        FusedRow{"product_overflow", '*', "999999999999999999", "999999999999999999", "0.01", "",
                 S::overflow},
        FusedRow{"net_from_gross", '/', "123.00", "1.23", "0.01", "100.00", S::ok},
        FusedRow{"third_to_cent", '/', "1", "3", "0.01", "0.33", S::ok},
        FusedRow{"half_quotient", '/', "1", "8", "0.01", "0.13", S::ok},
        FusedRow{"negative_half_quotient", '/', "-1", "8", "0.01", "-0.13", S::ok},
        FusedRow{"tiny_quotient", '/', "0.000000000000000001", "999999999999999999", "0.000000000000000001",
                 "0.000000000000000000", S::ok},
        FusedRow{"divisor_beyond_128_bits", '/', "0.000000000000000001", "999999999999999999",
                 "999999999999999999", "0", S::ok},
        FusedRow{"divide_by_zero", '/', "1", "0", "0.01", "", S::division_by_zero},
        FusedRow{"zero_precision", '*', "1", "1", "0.00", "", S::division_by_zero},
        FusedRow{"negative_precision", '/', "1", "1", "-1", "", S::invalid}),
    [](const auto& info) { return info.param.name; });

TEST(DecimalCompare, ComparesValuesAcrossPlaces) {
  EXPECT_EQ(num("2.5"), num("2.50"));
  EXPECT_LT(num("-0.01"), num("0"));
  EXPECT_GT(num("0.000001"), num("0"));
  EXPECT_LT(num("999999999999999.999"), num("999999999999999999"));
  EXPECT_GT(num("-999999999999999.999"), num("-999999999999999999"));
  EXPECT_EQ(num("-1.10") <=> num("-1.1"), std::strong_ordering::equal);
  EXPECT_EQ(num("x") <=> num("0"), std::strong_ordering::equal);
}

TEST(DecimalFitted, StoresIntoFieldType) {
  EXPECT_EQ(num("2.345").fitted(kMoney).to_text(), "2.35");
  EXPECT_EQ(num("99999").fitted(kVatRate).status(), S::overflow);
  EXPECT_EQ(num("999.99").fitted(kVatRate).to_text(), "999.99");
  EXPECT_EQ(num("1.5").with_places(0).to_text(), "2");
  EXPECT_EQ(num("1.5").with_places(3).to_text(), "1.500");
  EXPECT_EQ(num("1.5").with_places(19).status(), S::invalid);
  EXPECT_EQ(Decimal::from_units(1000, 2, 3).status(), S::overflow);
  EXPECT_EQ(Decimal::from_units(-99, 2, 2).to_text(), "-0.99");
}

}  // namespace
}  // namespace runtime
