// The table of dictionary windows, in the order of the main program's "Słowniki" menu.
#include "runtime/text.h"
#include "slownik/dictionaries.h"
#include "windows/windows.h"

namespace slownik {
const std::vector<const Description*>& descriptions() {
  static const std::vector<const Description*> all = {&vat_rates(), &currencies(), &banks(), &countries(),
                                                      &classifier_dictionaries()};
  return all;
}

const Description* find_description(std::string_view procedure) {
  const std::string_view wanted = runtime::trim(procedure);
  for (const Description* d : descriptions()) {
    if (runtime::same_name(d->browse, wanted) || (!d->form.empty() && runtime::same_name(d->form, wanted)))
      return d;
  }
  return nullptr;
}

std::span<const DictionaryEntry> dictionary_menu() {
  static const std::vector<DictionaryEntry> menu = [] {
    std::vector<DictionaryEntry> out;
    for (const Description* d : descriptions()) {
      if (!d->menu.empty() && d->open) out.push_back(DictionaryEntry{d->menu, d->browse, d->open});
    }
    return out;
  }();
  return menu;
}

}  // namespace slownik
