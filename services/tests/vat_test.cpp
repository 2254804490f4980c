#include "keldox/vat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "dane/lists_money.h"

namespace keldox {
namespace {

class Vat : public ::testing::Test {
 protected:
  void SetUp() override {
    dane::VATQ.reset();
    add("23", 23.0);
    add("8", 8.0);
    add("5", 5.0);
    add("0", 0.0);
    add("zw", 0.0);
  }
  void TearDown() override { dane::VATQ.reset(); }
  static void add(const char* code, double rate) {
    dane::VATQ.buffer.KOD_VAT = code;
    dane::VATQ.buffer.STAWKA = rate;
    dane::VATQ.add();
  }
};

TEST_F(Vat, RateOfACodeOrMinusThree) {
  EXPECT_DOUBLE_EQ(POBIERZSTAWKEVAT("23"), 23.0);
  EXPECT_DOUBLE_EQ(POBIERZSTAWKEVAT("23    "), 23.0);
  EXPECT_DOUBLE_EQ(POBIERZSTAWKEVAT("zw"), 0.0);
  EXPECT_DOUBLE_EQ(POBIERZSTAWKEVAT("np"), -3.0);
  EXPECT_DOUBLE_EQ(POBIERZSTAWKEVAT(""), -3.0);
  dane::VATQ.reset();
  EXPECT_DOUBLE_EQ(POBIERZSTAWKEVAT("23"), -3.0);  // before the rates are loaded every code is unknown
}

struct GrossRow {
  const char* name;
  double net;
  const char* code;
  std::optional<double> precision;
  double gross;
};

class GrossFromNet : public Vat, public ::testing::WithParamInterface<GrossRow> {};

TEST_P(GrossFromNet, RoundsOnceHalfAwayFromZero) {
  const auto& r = GetParam();
  EXPECT_DOUBLE_EQ(OBLICZBRUTTO(r.net, r.code, r.precision), r.gross);
}

INSTANTIATE_TEST_SUITE_P(
    Amounts, GrossFromNet,
    ::testing::Values(GrossRow{"hundred_at_23", 100, "23", std::nullopt, 123.00},
                      GrossRow{"whole_zloty_precision", 10, "23", 1.0, 12},
                      GrossRow{"unknown_code_only_rounds", 10.004, "np", std::nullopt, 10.00},
                      GrossRow{"half_grosz_rounds_up", 0.5, "5", std::nullopt, 0.53},  // 0.525
                      GrossRow{"negative_half_away", -0.5, "5", std::nullopt, -0.53},  // -0.525
                      GrossRow{"binary_trap", 1.15, "0", std::nullopt, 1.15},
                      GrossRow{"five_grosze_precision", 10.01, "8", 0.05, 10.80},  // 10.8108
                      GrossRow{"zero_precision_means_grosze", 100, "23", 0.0, 123.00},
                      GrossRow{"negative_precision_means_grosze", 100.001, "0", -1.0, 100.00},
                      GrossRow{"large_amount", 123456789012.34, "23", std::nullopt, 151851850485.18}),
    [](const auto& info) { return info.param.name; });

struct NetRow {
  const char* name;
  double gross;
  const char* code;
  std::optional<double> precision;
  std::optional<double> tax_free;
  double net;
};

class NetFromGross : public Vat, public ::testing::WithParamInterface<NetRow> {};

TEST_P(NetFromGross, RoundsOnceHalfAwayFromZero) {
  const auto& r = GetParam();
  EXPECT_DOUBLE_EQ(OBLICZNETTO(r.gross, r.code, r.precision, r.tax_free), r.net);
}

INSTANTIATE_TEST_SUITE_P(
    Amounts, NetFromGross,
    ::testing::Values(NetRow{"gross_123_at_23", 123, "23", std::nullopt, std::nullopt, 100.00},
                      NetRow{"gross_100_at_23", 100, "23", std::nullopt, std::nullopt, 81.30},
                      NetRow{"tax_free_part_stays_in_net", 123, "23", 0.01, 23.0, 104.30},
                      NetRow{"zero_tax_free_part_is_none", 123, "23", 0.01, 0.0, 100.00},
                      NetRow{"negative_tax_free_part_is_none", 123, "23", 0.01, -5.0, 100.00},
                      NetRow{"zero_precision_means_grosze", 100, "23", 0.0, std::nullopt, 81.30},
                      NetRow{"whole_zloty", 100, "23", 1.0, std::nullopt, 81},
                      NetRow{"unknown_code_only_rounds", 10.005, "xx", std::nullopt, std::nullopt, 10.01},
                      NetRow{"exact_half_of_a_grosz", 1.05, "5", std::nullopt, std::nullopt, 1.00},
                      NetRow{"negative_gross", -123, "23", std::nullopt, std::nullopt, -100.00}),
    [](const auto& info) { return info.param.name; });

TEST_F(Vat, NumbersThatAreNotAmountsGiveADefinedAnswer) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(OBLICZBRUTTO(nan, "23"), 0.0);
  EXPECT_EQ(OBLICZNETTO(inf, "23"), 0.0);
  EXPECT_EQ(OBLICZNETTO(100, "23", nan, nan), 81.30);
  EXPECT_EQ(OBLICZBRUTTO(1e30, "23"), 1e30);  // beyond decimal range: unchanged
  EXPECT_EQ(OBLICZBRUTTO(-0.0, "23"), 0.0);
}

}  // namespace
}  // namespace keldox
