// The in-memory geometry store and the rule that keeps restored windows on a visible screen.
#include "ui_qt/geometry_store.h"

#include "dane/library.h"

#include <algorithm>

namespace ui_qt {
namespace {

bool contains(const WindowGeometry& screen, int x, int y) {
  return x >= screen.x && y >= screen.y && x < screen.x + screen.width && y < screen.y + screen.height;
}

WindowGeometry centred(const WindowGeometry& screen, WindowGeometry size) {
  size.width = std::clamp(size.width, 1, std::max(1, screen.width));
  size.height = std::clamp(size.height, 1, std::max(1, screen.height));
  size.x = screen.x + (screen.width - size.width) / 2;
  size.y = screen.y + (screen.height - size.height) / 2;
  return size;
}

}  // namespace

std::optional<WindowGeometry> MemoryGeometryStore::load(std::string_view window_name) {
  const auto it = saved_.find(window_name);
  if (it == saved_.end()) return std::nullopt;
  return it->second;
}

void MemoryGeometryStore::save(std::string_view window_name, const WindowGeometry& geometry) {
  saved_.insert_or_assign(std::string(window_name), geometry);
}

WindowGeometry visible_geometry(const std::optional<WindowGeometry>& saved,
                                const std::vector<WindowGeometry>& screens, WindowGeometry default_size) {
  if (screens.empty()) return saved.value_or(default_size);
  if (saved && saved->width > 0 && saved->height > 0) {
    for (const auto& screen : screens) {
      if (!contains(screen, saved->x, saved->y)) continue;
      WindowGeometry g = *saved;
      g.width = std::min(g.width, screen.width);
      g.height = std::min(g.height, screen.height);
      // Pull a window that hangs over the right or bottom edge back so that all of it shows.
      g.x = std::min(g.x, screen.x + screen.width - g.width);
      g.y = std::min(g.y, screen.y + screen.height - g.height);
      return g;
    }
  }
  return centred(screens.front(), default_size);
}

}  // namespace ui_qt

namespace ui_qt {

std::optional<WindowGeometry> SettingsGeometryStore::load(std::string_view window_name) {
  return dane::settings_file().fetch_window(window_name);
}

void SettingsGeometryStore::save(std::string_view window_name, const WindowGeometry& geometry) {
  dane::settings_file().update_window(window_name, geometry);
}

}  // namespace ui_qt
