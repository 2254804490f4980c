// The record-action labels of a browse's popup, with their icons.
#include "keldox/browse_popup.h"

#include <string>

namespace keldox {

void USTAW4IKONYBROWSERA(dane::PopupMenu& popup, int mode) {
  if (mode != 0 && mode != 1) return;
  struct Action {
    const char* item;
    const char* icon_and_label;
  };
  static constexpr Action kActions[] = {
      {"Insert", "(~dodaj2.ico)]Dodaj"},
      {"Change", "(~popraw2.ico)]Popraw"},
      {"Delete", "(~usun2.ico)]Usuń"},
      {"Select", "(~wybierz.ico)]Wybierz"},
  };
  const std::string property = std::to_string(dane::kIconProperty);
  for (const Action& a : kActions) {
    popup.set_text(a.item, (mode == 0 ? "[" : "") + property + a.icon_and_label);
  }
}

}  // namespace keldox
