// The record-action labels of a browse's popup, with their icons.
#include "keldox/browse_popup.h"

#include <string>

namespace keldox {

void USTAW4IKONYBROWSERA(dane::PopupMenu& popup, int mode) {
  if (mode != 0 && mode != 1) return;
  struct Action {
    const char* item;
    const char* icon;
    const char* label;
  };
  static constexpr Action kActions[] = {
      {"Insert", "~dodaj2.ico", "Dodaj"},
      {"Change", "~popraw2.ico", "Popraw"},
      {"Delete", "~usun2.ico", "Usuń"},
      {"Select", "~wybierz.ico", "Wybierz"},
  };
  for (const Action& a : kActions) {
    std::string text = dane::item_text_with_icon(a.icon, a.label);
    if (mode == 1) text.erase(0, 1);  // the same text without its leading "["
    popup.set_text(a.item, text);
  }
}

}  // namespace keldox
