// Net and gross amounts by VAT code, in decimal arithmetic from the rate of VATQ to the rounded result.
#include "keldox/vat.h"

#include <cmath>
#include <mutex>
#include <shared_mutex>

#include "dane/lists_money.h"
#include "runtime/decimal.h"
#include "runtime/text.h"

namespace keldox {
namespace {

using runtime::Decimal;

constexpr runtime::DecimalType kRateType{7, 2};
constexpr int kPrecisionPlaces = 4;

std::optional<Decimal> rate_of(std::string_view code) {
  std::shared_lock lock(dane::VATQ.mutex());
  const dane::VatEntry* entry = dane::VATQ.find<dane::VatEntry::ByCode>(runtime::trim_right(code));
  if (!entry) return std::nullopt;
  return Decimal::from_double(entry->STAWKA, kRateType);
}

Decimal precision_of(std::optional<double> precision) {
  const Decimal p = precision && std::isfinite(*precision)
                        ? Decimal::from_double(*precision, Decimal::kMaxDigits, kPrecisionPlaces)
                        : Decimal{};
  return p.ok() && p.sign() > 0 ? p : Decimal::from_units(1, 2);
}

// The result as a double; a computation that left decimal range gives the amount back unchanged.
double result_of(const Decimal& result, double amount) {
  return result.ok() ? result.to_double() : amount;
}

}  // namespace

double POBIERZSTAWKEVAT(std::string_view code) {
  const auto rate = rate_of(code);
  return rate ? rate->to_double() : -3.0;
}

double OBLICZBRUTTO(double net, std::string_view code, std::optional<double> precision) {
  if (!std::isfinite(net)) return 0.0;
  const Decimal amount = Decimal::from_double(net);
  const Decimal p = precision_of(precision);
  const auto rate = rate_of(code);
  if (!rate) return result_of(amount.rounded(p), net);
  const Decimal factor = Decimal::whole(1) + *rate / Decimal::whole(100);
  return result_of(multiply_rounded(amount, factor, p), net);
}

double OBLICZNETTO(double gross, std::string_view code, std::optional<double> precision,
                   std::optional<double> tax_free_part) {
  if (!std::isfinite(gross)) return 0.0;
  const Decimal amount = Decimal::from_double(gross);
  const Decimal p = precision_of(precision);
  const auto rate = rate_of(code);
  if (!rate) return result_of(amount.rounded(p), gross);

  const Decimal tax_free =
      tax_free_part && std::isfinite(*tax_free_part) ? Decimal::from_double(*tax_free_part) : Decimal{};
  if (!tax_free.ok() || tax_free.sign() <= 0) {
    const Decimal factor = Decimal::whole(1) + *rate / Decimal::whole(100);
    return result_of(divide_rounded(amount, factor, p), gross);
  }
  const Decimal tax = divide_rounded((amount - tax_free) * *rate, Decimal::whole(100) + *rate, p);
  return result_of((amount - tax).rounded(p), gross);
}

}  // namespace keldox
