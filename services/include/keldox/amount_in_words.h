// Money amounts in words for printed documents: full Polish words and the short digit-by-digit form.
//
// Both functions round the amount to hundredths in decimal, half away from zero (1.005 is 1.01: the
// amount is read by its shortest decimal form, not by its binary neighbour), and spell that. The sign is
// the sign of the rounded amount. Amounts whose rounded value reaches 10^12 (the twelve digit positions
// of the printed form), NaN and infinities give an empty text. Results are cut to 500 characters.
#pragma once

#include <string>
#include <string_view>

namespace keldox {

// " dwadzieścia dwa złote pięć groszy": each word after one blank, so the text starts with a blank, or
// with "minus " for a negative amount. 0 gives "zero złotych zero groszy"; an amount that rounds to 0.00
// without being 0 gives an empty text. A currency other than blank, "zł" and "PLN" replaces the first
// hundredths word by currency + "/100" and then the first whole-unit word by the currency, inserted as
// given (blanks included).
std::string SLOWNIE(double amount, std::string_view currency = {});

// " jed* dwa* trz* 45/100" for 123.45: three letters and an asterisk per digit of the whole part (so
// " zer* 50/100" below one), then the hundredths over 100; "minus" takes the place of the leading blank
// of a negative amount, as in the full form.
std::string SLOWNIEKROTKO(double amount);

}  // namespace keldox
