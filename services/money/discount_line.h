// The arithmetic of the discount converter: a base price and the discount or markup on it as a percentage
// and as an amount, the resulting price always base + amount. Every step rounds to the cent, halves away
// from zero.
#pragma once

#include "runtime/decimal.h"

namespace keldox::money {

class DiscountLine {
 public:
  // From the caller's percentage and resulting price. At -100 % no base can be told from the price: it is 0.
  DiscountLine(const runtime::Decimal& percentage, const runtime::Decimal& price);

  const runtime::Decimal& base() const { return base_; }
  const runtime::Decimal& percentage() const { return percentage_; }
  const runtime::Decimal& amount() const { return amount_; }
  runtime::Decimal price() const { return base_ + amount_; }

  void set_percentage(const runtime::Decimal& percentage);
  // An amount typed: the percentage it makes, and the amount that percentage gives back, which is kept.
  // False when that differs from what was typed. Without a base, or with a percentage beyond 7 digits,
  // the percentage stays and its own amount is kept.
  bool set_amount(const runtime::Decimal& amount);
  // A resulting price typed: its amount over the base, taken as a typed amount.
  bool set_price(const runtime::Decimal& price) { return set_amount(price - base_); }

 private:
  runtime::Decimal amount_of(const runtime::Decimal& percentage) const;

  runtime::Decimal base_;
  runtime::Decimal percentage_;
  runtime::Decimal amount_;
};

}  // namespace keldox::money
