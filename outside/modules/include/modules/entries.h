// The library entries of the application's other modules, as far as the system calls them. Each records
// its call, so that the order in which the libraries start and end can be checked.
#pragma once

#include "dane/library.h"

namespace modules {

#define MIRLET_MODULE_ENTRIES(module)                                \
  namespace module {                                                 \
  void INIT(dane::ErrorObject* error, dane::SettingsFile* settings); \
  void KILL();                                                       \
  }

MIRLET_MODULE_ENTRIES(dokument)
MIRLET_MODULE_ENTRIES(veltaris)
MIRLET_MODULE_ENTRIES(admin)
MIRLET_MODULE_ENTRIES(kontrahent)
MIRLET_MODULE_ENTRIES(produkcja)
MIRLET_MODULE_ENTRIES(sad)
MIRLET_MODULE_ENTRIES(remanent)
MIRLET_MODULE_ENTRIES(torven)
MIRLET_MODULE_ENTRIES(crm)
MIRLET_MODULE_ENTRIES(sylvanek)

#undef MIRLET_MODULE_ENTRIES

}  // namespace modules
