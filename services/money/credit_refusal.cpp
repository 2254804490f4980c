// Refusals of a credit sale and their override.
#include "money/credit_refusal.h"

#include "keldox/config_parameters.h"
#include "keldox/messages.h"
#include "keldox/permissions.h"
#include "runtime/text.h"

namespace keldox::money {

std::string credit_refusal_text(CreditBlocking mode, std::string_view name) {
  switch (mode) {
    case CreditBlocking::blocked:
      return "Sprzedaż dla płatnika " + std::string(name) + " jest zablokowana!";
    case CreditBlocking::overdue:
      return "Dla płatnika " + std::string(name) +
             " istnieją przeterminowane należności!|Odmowa wystawienia faktury.";
    case CreditBlocking::overdue_over_limit:
      return "Suma przeterminowanych należności i kwoty transakcji jest większa niż przyznany "
             "limit!|Odmowa wystawienia faktury.";
    case CreditBlocking::all_over_limit:
      return "Suma wszystkich należności i kwoty transakcji jest większa niż przyznany limit!|Odmowa "
             "wystawienia faktury.";
    case CreditBlocking::none:
      break;
  }
  return {};
}

bool refusal_stands(std::string_view text) {
  // HASLOFUNKCJI lets everything through when the override is off, so the parameter is asked here first.
  if (runtime::same_text(POBIERZPARAMKONF("BlokFuncHaslo", "s"), "Tak") &&
      HASLOFUNKCJI("LIMIT_KUPIECKI") == 1)
    return false;
  MSG_OSTRZEZENIE(text);
  return true;
}

}  // namespace keldox::money
