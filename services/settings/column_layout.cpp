// The logic of the column configuration window: a working copy of one window's columns, its rules and
// its writing back into INI_KOL_BRO.
#include <algorithm>
#include <mutex>
#include <shared_mutex>

#include "dane/lists_settings.h"
#include "keldox/column_configuration.h"
#include "keldox/messages.h"
#include "keldox/window_register.h"
#include "runtime/text.h"

namespace keldox {
namespace {

using dane::IniKolBroEntry;

ConfiguredColumn configured(const IniKolBroEntry& e) {
  ConfiguredColumn c;
  c.id = e.ID_KOLUMNY;
  c.number = e.NUMER_KOLUMNY;
  c.caption = e.NAZWA_KOLUMNY.str();
  c.default_width = e.ROZMIAR_KOLUMNY;
  c.shown = e.ROZMIAR > 0;
  c.width = e.ROZMIAR > 0 ? e.ROZMIAR : e.ROZMIAR_KOLUMNY;
  c.picture = e.FORMAT_KOLUMNY.str();
  c.quantity = e.PODLEGA_OBCIECIU == 1;
  return c;
}

std::size_t lock_count(std::string_view window, std::size_t columns) {
  const std::string text(runtime::trim(POBIERZPARAMETROKNA(ColumnLayout::kLockedSetting, window)));
  std::size_t count = 0;
  for (char ch : text) {
    if (ch < '0' || ch > '9') return 0;
    count = std::min(count * 10 + static_cast<std::size_t>(ch - '0'), columns);
  }
  return count;
}

void warn_lock_rule(std::size_t last) {
  MSG_OSTRZEZENIE("Wszystkie kolumny do 1 do " + std::to_string(last) + " muszą być zablokowane!");
}

}  // namespace

ColumnLayout::ColumnLayout(std::string window) : window_(std::move(window)) {
  std::vector<IniKolBroEntry> entries;
  {
    const auto& list = dane::INI_KOL_BRO;
    std::shared_lock lock(list.mutex());
    for (const IniKolBroEntry& e : list) {
      if (runtime::same_text(e.NAZWA_OKNA.view(), runtime::cut_to_width(window_, 50))) entries.push_back(e);
    }
  }
  std::stable_sort(entries.begin(), entries.end(), [](const IniKolBroEntry& a, const IniKolBroEntry& b) {
    return a.KOLEJNOSC < b.KOLEJNOSC;
  });
  for (const IniKolBroEntry& e : entries) {
    if (e.UKRYTA == 1) {
      catalogue_hidden_.push_back(e.KOLEJNOSC);
    } else {
      columns_.push_back(configured(e));
    }
  }
  locked_ = lock_count(window_, columns_.size());
}

bool ColumnLayout::set_shown(std::size_t index, bool shown) {
  if (index >= columns_.size()) return false;
  columns_[index].shown = shown;
  return true;
}

bool ColumnLayout::set_width(std::size_t index, std::int32_t width) {
  if (index >= columns_.size() || width < 1) return false;
  columns_[index].width = width;
  return true;
}

bool ColumnLayout::set_picture(std::size_t index, std::string_view picture) {
  if (index >= columns_.size()) return false;
  columns_[index].picture = runtime::cut_to_width(picture, 200);
  return true;
}

bool ColumnLayout::move(std::size_t from, std::size_t to) {
  if (from >= columns_.size() || to >= columns_.size()) return false;
  ConfiguredColumn moved = std::move(columns_[from]);
  columns_.erase(columns_.begin() + static_cast<std::ptrdiff_t>(from));
  columns_.insert(columns_.begin() + static_cast<std::ptrdiff_t>(to), std::move(moved));
  return true;
}

bool ColumnLayout::set_locked(std::size_t index, bool locked) {
  if (index >= columns_.size()) return false;
  if (locked == is_locked(index)) return true;
  if (locked) {
    if (index > locked_) {
      warn_lock_rule(index + 1);
      return false;
    }
    locked_ = index + 1;
  } else {
    if (index + 1 < locked_) {
      warn_lock_rule(locked_);
      return false;
    }
    locked_ = index;
  }
  return true;
}

void ColumnLayout::apply() const {
  {
    auto& list = dane::INI_KOL_BRO;
    std::lock_guard lock(list.mutex());
    const std::string_view window = runtime::cut_to_width(window_, 50);
    // The columns not offered keep their places; the offered ones fill the others in their new order.
    std::int32_t position = 0;
    auto next_position = [&] {
      do {
        ++position;
      } while (std::find(catalogue_hidden_.begin(), catalogue_hidden_.end(), position) !=
               catalogue_hidden_.end());
      return position;
    };
    for (const ConfiguredColumn& c : columns_) {
      const std::int32_t p = next_position();
      if (!list.fetch<IniKolBroEntry::ByWindowColumn>(window, c.number)) continue;
      list.buffer.ROZMIAR = c.shown ? c.width : 0;
      list.buffer.KOLEJNOSC = p;
      list.buffer.FORMAT_KOLUMNY = c.picture;
      list.put();
    }
  }
  ZAPISZPARAMETROKNA(std::to_string(locked_), kLockedSetting, window_);
}

}  // namespace keldox
