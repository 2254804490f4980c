// VAT arithmetic over the session's list of active rates (VATQ): the rate of a code and the conversions
// between net and gross amounts, computed in decimal and rounded half away from zero.
#pragma once

#include <optional>
#include <string_view>

namespace keldox {

// The rate in per cent of the VAT code (trailing blanks ignored), or -3 when VATQ does not hold it.
double POBIERZSTAWKEVAT(std::string_view code);

// Gross amount of `net` at the code's rate, rounded to `precision` (0.01 when omitted, zero or negative).
// An unknown code leaves the amount untaxed, only rounded.
double OBLICZBRUTTO(double net, std::string_view code, std::optional<double> precision = std::nullopt);

// Net amount of `gross`, rounded to `precision` (0.01 when omitted, zero or negative). With a tax-free part
// above zero the tax is computed on the taxed remainder only and the tax-free part stays in the net amount.
// An unknown code leaves the amount untaxed, only rounded.
//
// Amounts that are not numbers give 0; amounts too large for 18 decimal digits come back unchanged.
double OBLICZNETTO(double gross, std::string_view code, std::optional<double> precision = std::nullopt,
                   std::optional<double> tax_free_part = std::nullopt);

}  // namespace keldox
