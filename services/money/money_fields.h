// Money values in the fields of the small money windows: decimals of 15 digits with 2 places.
#pragma once

#include <string>
#include <string_view>

#include "runtime/decimal.h"

namespace keldox::money {

inline const runtime::Decimal kCent = runtime::Decimal::from_units(1, 2);

// A field's stored value ("1234.50") as a money decimal; 0 for anything that is no number.
inline runtime::Decimal amount_of(std::string_view stored) {
  const runtime::Decimal d = runtime::Decimal::parse(stored, 15, 2);
  return d.ok() ? d : runtime::Decimal::from_units(0, 2);
}

inline runtime::Decimal amount_of(double value) {
  const runtime::Decimal d = runtime::Decimal::from_double(value, 15, 2);
  return d.ok() ? d : runtime::Decimal::from_units(0, 2);
}

inline std::string stored(const runtime::Decimal& d) {
  return d.with_places(2).to_text();
}

}  // namespace keldox::money
