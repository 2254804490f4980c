// Named per-user window settings (INI_PAR_OKNO): read and change in memory; the database gets them when
// the user's preferences are saved.
#include <mutex>
#include <shared_mutex>

#include "dane/lists_settings.h"
#include "keldox/window_register.h"
#include "runtime/text.h"

namespace keldox {

using dane::IniParOknoEntry;

std::string POBIERZPARAMETROKNA(std::string_view setting, std::string_view window) {
  const auto& list = dane::INI_PAR_OKNO;
  std::shared_lock lock(list.mutex());
  const IniParOknoEntry* entry = list.find<IniParOknoEntry::ByWindowSetting>(
      runtime::cut_to_width(window, 50), runtime::cut_to_width(setting, 50));
  return entry ? entry->WARTOSC.str() : std::string{};
}

bool ZAPISZPARAMETROKNA(std::string_view value, std::string_view setting, std::string_view window) {
  auto& list = dane::INI_PAR_OKNO;
  std::lock_guard lock(list.mutex());
  if (!list.fetch<IniParOknoEntry::ByWindowSetting>(runtime::cut_to_width(window, 50),
                                                    runtime::cut_to_width(setting, 50))) {
    return false;
  }
  list.buffer.WARTOSC = value;
  return list.put();
}

}  // namespace keldox
