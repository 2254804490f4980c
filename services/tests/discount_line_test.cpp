// The converter's arithmetic: the opening base, the roundings of each edit, and over many random lines and
// edits, a line that stays consistent and never drifts by a grosz when what it shows is typed back.
#include <gtest/gtest.h>

#include <random>

#include "money/discount_line.h"

namespace keldox::money {
namespace {

using runtime::Decimal;

Decimal d(std::string_view text) {
  return Decimal::parse(text, 15, 2);
}

TEST(DiscountLine, OpensOnTheBaseThePriceImpliesAndRoundsEachEditToTheCent) {
  DiscountLine line(d("-10"), d("90"));
  EXPECT_EQ(line.base(), d("100"));
  EXPECT_EQ(line.amount(), d("-10"));

  DiscountLine seven(d("0"), d("7"));
  EXPECT_TRUE(seven.set_amount(d("3.33")));
  EXPECT_EQ(seven.percentage(), d("47.57"));
  EXPECT_EQ(seven.amount(), d("3.33"));
  EXPECT_EQ(seven.price(), d("10.33"));

  DiscountLine thousand(d("0"), d("1000"));
  EXPECT_FALSE(thousand.set_amount(d("0.05")));
  EXPECT_EQ(thousand.percentage(), d("0.01"));
  EXPECT_EQ(thousand.amount(), d("0.10"));
  EXPECT_TRUE(thousand.set_price(d("875.50")));
  EXPECT_EQ(thousand.percentage(), d("-12.45"));
  thousand.set_percentage(d("-100"));
  EXPECT_EQ(thousand.price(), d("0"));
}

TEST(DiscountLine, WithoutABaseNothingIsDividedByIt) {
  DiscountLine line(d("-100"), d("0"));
  EXPECT_EQ(line.base(), d("0"));
  EXPECT_FALSE(line.set_amount(d("5")));
  EXPECT_EQ(line.percentage(), d("-100"));
  EXPECT_EQ(line.amount(), d("0"));
  // A percentage too large for its field keeps the one before.
  DiscountLine tiny(d("0"), d("0.01"));
  EXPECT_FALSE(tiny.set_amount(d("100000")));
  EXPECT_EQ(tiny.percentage(), d("0"));
  EXPECT_EQ(tiny.price(), d("0.01"));
}

TEST(DiscountLine, RandomLinesAndEditsStayConsistentAndDoNotDrift) {
  std::mt19937_64 random(20261208);
  std::uniform_int_distribution<std::int64_t> cents(1, 9'999'999);      // 0.01 .. 99 999.99
  std::uniform_int_distribution<std::int64_t> percent(-9'999, 50'000);  // -99.99 .. 500.00 %
  std::uniform_int_distribution<int> edit(0, 2);
  const Decimal hundred = Decimal::whole(100);
  const Decimal cent = Decimal::from_units(1, 2);
  for (int n = 0; n < 2000; ++n) {
    const Decimal start_percentage = Decimal::from_units(percent(random), 2);
    const Decimal start_price = Decimal::from_units(cents(random), 2);
    DiscountLine line(start_percentage, start_price);
    const Decimal base = line.base();
    for (int step = 0; step < 6; ++step) {
      const Decimal typed = Decimal::from_units(edit(random) == 0 ? percent(random) : cents(random), 2);
      switch (edit(random)) {
        case 0:
          line.set_percentage(typed);
          break;
        case 1:
          line.set_amount(typed - base);
          break;
        default:
          line.set_price(typed);
          break;
      }
      ASSERT_EQ(line.base(), base);
      ASSERT_EQ(line.price(), base + line.amount());
      ASSERT_EQ(line.amount(), divide_rounded(base * line.percentage(), hundred, cent))
          << "base " << base.to_text() << " at " << line.percentage().to_text() << " %";
      // What the line shows, typed back, changes nothing.
      const DiscountLine shown = line;
      ASSERT_TRUE(line.set_amount(shown.amount())) << base.to_text() << " " << shown.amount().to_text();
      ASSERT_TRUE(line.set_price(shown.price()));
      line.set_percentage(shown.percentage());
      ASSERT_EQ(line.amount(), shown.amount());
      ASSERT_EQ(line.price(), shown.price());
    }
  }
}

}  // namespace
}  // namespace keldox::money
