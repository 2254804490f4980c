// The register of open module windows by name, through which windows find each other's threads.
#include <mutex>
#include <shared_mutex>

#include "dane/globals.h"
#include "dane/lists_settings.h"
#include "keldox/window_register.h"
#include "runtime/text.h"

namespace keldox {
namespace {

using dane::OknoEntry;

// Names are kept as the register holds them: upper case, at most 20 characters.
std::string register_key(std::string_view name) {
  return std::string(runtime::cut_to_width(runtime::to_upper(runtime::trim_right(name)), 20));
}

bool add_window(std::string_view name, const std::int32_t* thread) {
  auto& list = dane::OKNAQ;
  const std::string key = register_key(name);
  std::lock_guard lock(list.mutex());
  if (list.find<OknoEntry::ByName>(std::string_view(key))) return false;
  if (thread) list.buffer.WATEK = *thread;
  list.buffer.NAZWA = key;
  list.add_in_order<OknoEntry::ByName>();
  return true;
}

}  // namespace

bool DODAJOKNO(std::string_view name) {
  return add_window(name, nullptr);
}

bool DODAJOKNO(std::string_view name, std::int32_t thread) {
  return add_window(name, &thread);
}

void SKASUJOKNO(std::string_view name) {
  auto& list = dane::OKNAQ;
  const std::string key = register_key(name);
  {
    std::lock_guard lock(list.mutex());
    if (list.fetch<OknoEntry::ByName>(std::string_view(key))) {
      if (key == "ADMCTRL") dane::GLO.MODULKONTROLIAKTYWNY = 0;
      if (dane::GLO.ASYSTENTGRUPA.ID_WATKU == list.buffer.WATEK) dane::GLO.ASYSTENTGRUPA.ID_WATKU = 0;
      list.remove();
    }
  }
  dane::GLO.BRWOPENING = 0;
}

std::int32_t WEZOKNO(std::string_view name) {
  const auto& list = dane::OKNAQ;
  const std::string key = register_key(name);
  std::shared_lock lock(list.mutex());
  const OknoEntry* entry = list.find<OknoEntry::ByName>(std::string_view(key));
  return entry ? entry->WATEK : 0;
}

}  // namespace keldox
