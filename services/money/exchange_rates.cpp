// Converters between currencies, purchase prices and a rate stored by hand, over the rate procedures.
#include "keldox/exchange_rates.h"

#include <string>

#include "dane/database.h"
#include "keldox/config_parameters.h"
#include "keldox/messages.h"
#include "keldox/permissions.h"
#include "keldox/sql.h"
#include "keldox/sql_text.h"
#include "runtime/clock.h"
#include "runtime/date.h"
#include "runtime/decimal.h"
#include "runtime/text.h"

namespace keldox {
namespace {

using runtime::Decimal;

const Decimal kRatePrecision = Decimal::from_units(1, 6);
const Decimal kPricePrecision = Decimal::from_units(1, 2);

Decimal decimal_of(double value, int places) {
  return Decimal::from_double(value, 18, places);
}

runtime::DayNumber day_or_today(std::optional<double> day) {
  return day && *day != 0 ? static_cast<runtime::DayNumber>(*day) : runtime::today();
}

// A rate as a statement and a question write it: its places, without trailing zeros.
std::string rate_text(const Decimal& rate) {
  std::string text = rate.to_text();
  if (text.find('.') != std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  return text;
}

}  // namespace

std::int32_t configured_rate_source() {
  return runtime::same_text(runtime::trim(POBIERZPARAMKONF("PropKursBanku", "s")), "ECB") ? kRateSourceEcb
                                                                                          : kRateSourceNbp;
}

double WAL_POBIERZPRZELICZNIK(std::string_view currency1, std::string_view currency2,
                              std::optional<double> day, std::optional<double> divisor,
                              std::int32_t* source) {
  if (runtime::trim_right(currency1) == runtime::trim_right(currency2)) return 1;
  const runtime::DayNumber when = day_or_today(day);
  const Decimal by = divisor ? decimal_of(*divisor, 6) : Decimal{};
  const bool divided = divisor && by.ok() && !by.is_zero();
  const std::string_view to = divided ? std::string_view{} : currency2;
  std::int32_t from_source = configured_rate_source();
  if (source != nullptr) {
    if (*source != 1) from_source = *source;
    *source = from_source;
  }
  EXECSQL("call AP_PobierzKursWaluty(" + sql_text(currency1) + "," + sql_text(to) + "," +
          std::to_string(when) + "," + std::to_string(from_source) + ")");
  const bool found = next_row();
  const Decimal rate = found ? Decimal::parse(column(1)) : Decimal{};
  CLOSESQL();
  if (!found || !rate.ok()) {
    MSG_OSTRZEZENIE("Na dzień " + runtime::short_date_text(when) + " nie zdefiniowano kursów walut!");
    return 1;
  }
  const Decimal result = divided ? divide_rounded(rate, by, kRatePrecision) : rate.rounded(kRatePrecision);
  return result.ok() ? result.to_double() : 1;
}

double WAL_WYLICZCENEZAKUPU(std::string_view currency_a, double p, double q, std::string_view currency_b,
                            double rate, std::uint8_t direction) {
  const bool b_blank = runtime::trim(currency_b).empty();
  const Decimal r = decimal_of(rate, 6);
  if (direction == 0) {
    if (b_blank) return p;
    const Decimal price = divide_rounded(decimal_of(p, 6), r, kPricePrecision);
    return price.ok() ? price.to_double() : 0;  // a rate of 0 gives no price
  }
  if (!b_blank && runtime::trim_right(currency_b) == runtime::trim_right(currency_a)) return q;
  const Decimal price = multiply_rounded(decimal_of(q, 6), r, kPricePrecision);
  return price.ok() ? price.to_double() : 0;
}

std::uint8_t AKTUALIZACJAKURSUWAL(std::string_view currency, double rate, std::optional<double> day,
                                  std::optional<std::int32_t> source) {
  const runtime::DayNumber when = day_or_today(day);
  const std::int32_t bank = source ? *source : configured_rate_source();
  const Decimal value = decimal_of(rate, 6);
  const std::string text = value.ok() ? rate_text(value) : "0";
  const std::string symbol(runtime::trim_right(currency));
  if (MSG_PYTANIE("Czy dodać/zaktualizować kurs " + text + " dla waluty " + symbol +
                  " w tabeli kursów walut na dzień " + runtime::short_date_text(when) + " ?") != 2)
    return 0;
  if (POBIERZUPRAWNIENIE("BankiKursWal") == 0) {
    MSG_OSTRZEZENIE("Brak uprawnień na edycję kursów walut!");
    return 0;
  }
  EXECSQL("call AP_AktualizujKursWaluty(" + std::to_string(when) + "," +
          std::to_string(runtime::clock_now()) + "," + sql_text(symbol) + "," + text + "," +
          std::to_string(bank) + ")");
  const db::Status status = dane::database().last_error();
  CLOSESQL();
  if (!status.ok()) {
    MSG_OSTRZEZENIE(status.text);
    return 0;
  }
  return 1;
}

}  // namespace keldox
