// A text written into a file by the utility module.
#include <string>

#include "keldox/files.h"
#include "keldox/messages.h"
#include "sql/util_library.h"

namespace keldox {

std::uint16_t UTWORZPLIK(std::string_view text) {
  const std::size_t bar = text.find('|');
  const std::string_view path = bar == std::string_view::npos ? text : text.substr(0, bar);
  const std::string_view content = bar == std::string_view::npos ? std::string_view() : text.substr(bar + 1);
  const util_library::Answer answer = util_library::call("ZapiszDaneDoPliku", {path, content});
  switch (answer.outcome) {
    case util_library::Outcome::library_not_loaded:
      MSG_OSTRZEZENIE("Wystąpił błąd podczas ładowania biblioteki ZORVAutilKS.dll");
      break;
    case util_library::Outcome::entry_point_missing:
      MSG_OSTRZEZENIE("Wystąpił błąd podczas uruchamiania funkcji ZapiszDaneDoPliku.");
      break;
    case util_library::Outcome::answered:
      // The module answers "1", or "-1" and its reason.
      if (answer.text.rfind("-1", 0) == 0) {
        MSG_OSTRZEZENIE("Nie udało się zapisać pliku " + std::string(path) + ".|" + answer.text.substr(2));
      }
      break;
  }
  return 0;
}

}  // namespace keldox
