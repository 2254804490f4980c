// Where windows keep their position and size between runs, and the rule that brings a remembered geometry
// back onto a screen the user can see.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dane/settings_file.h"

namespace ui_qt {

// A window's outer position and size in screen pixels, or a screen's available area.
using WindowGeometry = dane::WindowGeometry;

// Keeps geometries by window name ("ErrorWin", a window's procedure name). The settings-file object
// implements it; load gives nothing for a window never saved. Called on the GUI thread only.
class GeometryStore {
 public:
  virtual ~GeometryStore() = default;
  virtual std::optional<WindowGeometry> load(std::string_view window_name) = 0;
  virtual void save(std::string_view window_name, const WindowGeometry& geometry) = 0;
};

// A store that lives as long as the process (tests, runs without a user).
class MemoryGeometryStore : public GeometryStore {
 public:
  std::optional<WindowGeometry> load(std::string_view window_name) override;
  void save(std::string_view window_name, const WindowGeometry& geometry) override;

 private:
  std::map<std::string, WindowGeometry, std::less<>> saved_;
};

// The user's settings file (dane::settings_file(), GLO.PATH_INI): geometries under the window's name.
class SettingsGeometryStore : public GeometryStore {
 public:
  std::optional<WindowGeometry> load(std::string_view window_name) override;
  void save(std::string_view window_name, const WindowGeometry& geometry) override;
};

// The geometry to show a window with. A saved geometry is kept when it is sound: positive size and its
// top-left corner (where the title bar is grabbed) on one of `screens`; a size larger than that screen is
// cut to it. Anything else (nothing saved, negative or zero size, a position off every screen, such as the
// large negative one of a minimised window) gives `default_size` centred on the first screen.
WindowGeometry visible_geometry(const std::optional<WindowGeometry>& saved,
                                const std::vector<WindowGeometry>& screens, WindowGeometry default_size);

}  // namespace ui_qt
