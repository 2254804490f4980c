// The Qt side of window geometries: screens, frames and the store.
#include "ui_qt/window_geometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "ui_qt/geometry_store.h"

namespace ui_qt {

void restore_geometry(QWidget& widget, GeometryStore& store, const std::string& name, int default_width,
                      int default_height) {
  std::vector<WindowGeometry> screens;
  const QScreen* primary = QGuiApplication::primaryScreen();
  if (primary) {
    const QRect a = primary->availableGeometry();
    screens.push_back({a.x(), a.y(), a.width(), a.height()});
  }
  for (const QScreen* screen : QGuiApplication::screens()) {
    if (screen == primary) continue;
    const QRect a = screen->availableGeometry();
    screens.push_back({a.x(), a.y(), a.width(), a.height()});
  }
  const WindowGeometry g = visible_geometry(store.load(name), screens, {0, 0, default_width, default_height});
  widget.resize(g.width, g.height);
  widget.move(g.x, g.y);
}

void save_geometry(const QWidget& widget, GeometryStore& store, const std::string& name) {
  const QPoint at = widget.pos();
  store.save(name, {at.x(), at.y(), widget.width(), widget.height()});
}

}  // namespace ui_qt
