// The arithmetic of the discount converter.
#include "money/discount_line.h"

#include "money/money_fields.h"

namespace keldox::money {

using runtime::Decimal;

namespace {
const Decimal kHundred = Decimal::whole(100);
}

DiscountLine::DiscountLine(const Decimal& percentage, const Decimal& price) : percentage_(percentage) {
  const Decimal divisor = kHundred + percentage;
  base_ = divisor.is_zero() ? Decimal::from_units(0, 2) : divide_rounded(price * kHundred, divisor, kCent);
  amount_ = amount_of(percentage_);
}

Decimal DiscountLine::amount_of(const Decimal& percentage) const {
  return divide_rounded(base_ * percentage, kHundred, kCent);
}

void DiscountLine::set_percentage(const Decimal& percentage) {
  percentage_ = percentage;
  amount_ = amount_of(percentage_);
}

bool DiscountLine::set_amount(const Decimal& typed) {
  if (!base_.is_zero()) {
    const Decimal p = divide_rounded(kHundred * typed, base_, kCent).fitted(7, 2);
    if (p.ok()) percentage_ = p;
  }
  amount_ = amount_of(percentage_);
  return amount_ == typed;
}

}  // namespace keldox::money
