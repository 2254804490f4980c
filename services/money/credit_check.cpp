// The credit check before a trade document is issued.
#include "dane/table.h"
#include "keldox/credit_limits.h"
#include "keldox/sql.h"
#include "keldox/sql_text.h"
#include "money/credit_refusal.h"
#include "runtime/decimal.h"

namespace keldox {
namespace {

using runtime::Decimal;

constexpr int kDigits = 18;  // the column holds 19, beyond any document's amount
constexpr int kPlaces = 4;

Decimal amount(double value) {
  const Decimal d = Decimal::from_double(value, kDigits, kPlaces);
  return d.ok() ? d : Decimal::from_units(0, kPlaces);
}

// What the document leaves unpaid on issue: its total less what the caller and the document deduct.
Decimal credit_part(double deducted) {
  dane::Table* document = dane::find_table("DOKH");
  if (document == nullptr) return Decimal::from_units(0, kPlaces);
  return amount(document->number("WARTOSC_BRUTTO")) - amount(deducted) -
         amount(document->number("KWOTA_ODLICZONA"));
}

}  // namespace

std::uint8_t WALIDACJALIMITU(double contractor, double payer, std::uint8_t blocking, double limit,
                             double deducted) {
  const std::string name = FUNCSQL("select nazwa from kontrahent where id_kontrahenta=" + sql_id(payer));
  const auto mode = static_cast<CreditBlocking>(blocking);
  switch (mode) {
    case CreditBlocking::none:
      return 0;
    case CreditBlocking::blocked:
      return money::refusal_stands(money::credit_refusal_text(mode, name)) ? 1 : 0;
    case CreditBlocking::overdue:
    case CreditBlocking::overdue_over_limit:
    case CreditBlocking::all_over_limit:
      break;
    default:
      return 0;
  }
  const Decimal credit = credit_part(deducted);
  if (credit.sign() <= 0) return 0;
  if (mode != CreditBlocking::overdue && !(limit > 0)) return 0;
  dane::Table* document = dane::find_table("DOKH");
  const double id = document != nullptr ? document->number("ID_DOKUMENTU_HANDLOWEGO") : 0;
  return LIMITKUPIECKI(2, contractor, payer, credit.to_double(), id) == 1 ? 0 : 1;
}

}  // namespace keldox
