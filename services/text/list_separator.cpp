// The system list separator, asked of the utility module.
#include "keldox/messages.h"
#include "keldox/text.h"
#include "runtime/text.h"
#include "sql/util_library.h"

namespace keldox {

std::string POBIERZSYSTEMLISTSEPARATOR() {
  const util_library::Answer answer = util_library::call("SystemListSeparator");
  switch (answer.outcome) {
    case util_library::Outcome::answered:
      return std::string(runtime::cut_to_width(answer.text, 4));
    case util_library::Outcome::library_not_loaded:
      MSG_OSTRZEZENIE("Wystąpił błąd podczas ładowania biblioteki ZORVAutilKS.dll");
      return {};
    case util_library::Outcome::entry_point_missing:
      MSG_OSTRZEZENIE("Wystąpił błąd podczas uruchamiania funkcji odczytania separatora list.");
      return {};
  }
  return {};
}

}  // namespace keldox
