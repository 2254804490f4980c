// Stand-in entries of the other modules: each starts and ends once and leaves a record of it.
#include "modules/entries.h"

namespace modules {

#define MIRLET_MODULE_ENTRY_BODIES(module, NAME)                      \
  namespace module {                                                  \
  namespace {                                                         \
  dane::LibraryEntry& entry() {                                       \
    static dane::LibraryEntry e(NAME, {}, {});                        \
    return e;                                                         \
  }                                                                   \
  }                                                                   \
  void INIT(dane::ErrorObject* error, dane::SettingsFile* settings) { \
    entry().init(error, settings);                                    \
  }                                                                   \
  void KILL() {                                                       \
    entry().kill();                                                   \
  }                                                                   \
  }

MIRLET_MODULE_ENTRY_BODIES(dokument, "DOKUMENT")
MIRLET_MODULE_ENTRY_BODIES(veltaris, "VELTARIS")
MIRLET_MODULE_ENTRY_BODIES(admin, "ADMIN")
MIRLET_MODULE_ENTRY_BODIES(kontrahent, "KONTRAHENT")
MIRLET_MODULE_ENTRY_BODIES(produkcja, "PRODUKCJA")
MIRLET_MODULE_ENTRY_BODIES(sad, "SAD")
MIRLET_MODULE_ENTRY_BODIES(remanent, "REMANENT")
MIRLET_MODULE_ENTRY_BODIES(torven, "TORVEN")
MIRLET_MODULE_ENTRY_BODIES(crm, "CRM")
MIRLET_MODULE_ENTRY_BODIES(sylvanek, "SYLVANEK")

}  // namespace modules
