// The list separator from the decimal point of the environment's numeric locale.
#include "list_separator.h"

#include <langinfo.h>
#include <locale.h>

#include <string_view>

namespace zorva_util {

std::string system_list_separator() {
  std::string_view decimal_point = ".";
  locale_t environment = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
  if (environment != static_cast<locale_t>(nullptr)) {
    decimal_point = nl_langinfo_l(RADIXCHAR, environment);
  } else if (const lconv* current = localeconv(); current != nullptr && current->decimal_point != nullptr) {
    decimal_point = current->decimal_point;
  }
  const bool decimal_comma = decimal_point == ",";
  if (environment != static_cast<locale_t>(nullptr)) freelocale(environment);
  return decimal_comma ? ";" : ",";
}

}  // namespace zorva_util
