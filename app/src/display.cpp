// Detecting a display before Qt is asked for one, so that a machine without it gets advice, not an abort.
#include "app/display.h"

namespace app {

bool has_display(const Environment& environment) {
  for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
    const char* value = environment(name);
    if (value && *value) return true;
  }
  return false;
}

std::string headless_hint() {
  return "Brak ekranu (nie ustawiono DISPLAY ani WAYLAND_DISPLAY), więc okna programu nie mogą się pokazać.\n"
         "Aby uruchomić program bez okien, podaj skrypt odpowiedzi:\n"
         "  mirlet --script PLIK [--run \"Pomoc > O programie\"]\n"
         "albo pracuj na ekranie wirtualnym Qt:\n"
         "  QT_QPA_PLATFORM=offscreen mirlet --screenshot FOLDER --quit-after-start\n";
}

}  // namespace app
