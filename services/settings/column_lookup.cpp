// The browses' questions about the column lists: a window's column range, and the width and picture of
// the column at a user position.
#include <algorithm>
#include <mutex>
#include <shared_mutex>

#include "dane/lists_settings.h"
#include "keldox/column_settings.h"
#include "runtime/text.h"

namespace keldox {
namespace {

using dane::IniKolBroEntry;

// The 1-based position in INI_KOL_BRO of the window's column at a user position, 0 when none. The list
// is normally ordered by window and column number: then only the window's own entries are walked.
std::size_t column_position(const dane::SessionList<IniKolBroEntry>& list, std::string_view window,
                            std::int32_t position) {
  const std::string_view name = runtime::cut_to_width(window, 50);
  if (!list.ordered_by<IniKolBroEntry::ByWindowColumn>()) {
    return list.position_of<IniKolBroEntry::ByWindowPosition>(name, position);
  }
  const auto entries = list.entries();
  auto it = std::partition_point(entries.begin(), entries.end(), [&](const IniKolBroEntry& e) {
    return runtime::compare_text(e.NAZWA_OKNA.view(), name) < 0;
  });
  for (; it != entries.end() && runtime::same_text(it->NAZWA_OKNA.view(), name); ++it) {
    if (it->KOLEJNOSC == position) return static_cast<std::size_t>(it - entries.begin()) + 1;
  }
  return 0;
}

}  // namespace

void POBIERZZAKRESKOLUMNBROWSERA(std::string_view window, std::int32_t& first, std::int32_t& last) {
  const auto& list = dane::INI_BRO;
  std::shared_lock lock(list.mutex());
  const dane::IniBroEntry* entry = list.find<dane::IniBroEntry::ByName>(runtime::cut_to_width(window, 50));
  first = entry ? entry->NR_KOL_PIERWSZEJ : 0;
  last = entry ? entry->NR_KOL_OSTATNIEJ : 0;
}

std::int32_t POBIERZKOLUMNEROZMIAR(std::string_view window, std::int32_t position) {
  const auto& list = dane::INI_KOL_BRO;
  std::shared_lock lock(list.mutex());
  const IniKolBroEntry* entry = list.entry(column_position(list, window, position));
  return entry && entry->UKRYTA == 0 ? entry->ROZMIAR : 0;
}

std::vector<UserColumn> user_columns(std::string_view window) {
  const auto& list = dane::INI_KOL_BRO;
  std::shared_lock lock(list.mutex());
  const std::string_view name = runtime::cut_to_width(window, 50);
  const auto entries = list.entries();
  auto it = entries.begin();
  auto end = entries.end();
  if (list.ordered_by<IniKolBroEntry::ByWindowColumn>()) {
    // Only the window's own run of the list is walked.
    it = std::partition_point(entries.begin(), entries.end(), [&](const IniKolBroEntry& e) {
      return runtime::compare_text(e.NAZWA_OKNA.view(), name) < 0;
    });
  }
  std::vector<UserColumn> out;
  for (; it != end; ++it) {
    if (!runtime::same_text(it->NAZWA_OKNA.view(), name)) {
      if (list.ordered_by<IniKolBroEntry::ByWindowColumn>()) break;
      continue;
    }
    out.push_back(
        {it->KOLEJNOSC, it->NUMER_KOLUMNY, it->UKRYTA == 0 ? it->ROZMIAR : 0, it->FORMAT_KOLUMNY.str()});
  }
  std::sort(out.begin(), out.end(),
            [](const UserColumn& a, const UserColumn& b) { return a.position < b.position; });
  return out;
}

std::string POBIERZKOLUMNEFORMAT(std::string_view window, std::int32_t position) {
  const auto& list = dane::INI_KOL_BRO;
  std::shared_lock lock(list.mutex());
  const IniKolBroEntry* entry = list.entry(column_position(list, window, position));
  return entry ? entry->FORMAT_KOLUMNY.str() : std::string{};
}

bool USTAWKOLUMNE(std::string_view picture, std::int32_t position, std::string_view window,
                  std::int32_t width) {
  auto& list = dane::INI_KOL_BRO;
  std::lock_guard lock(list.mutex());
  if (!list.read(column_position(list, window, position))) return false;
  list.buffer.FORMAT_KOLUMNY = picture;
  list.buffer.ROZMIAR = width;
  return list.put();
}

}  // namespace keldox
