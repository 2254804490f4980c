// Restoring and saving a widget's position and size through the geometry store.
#pragma once

#include <string>

class QWidget;

namespace ui_qt {

class GeometryStore;

// Puts `widget` where it was last saved under `name`, or at `default_width` x `default_height` centred on
// the primary screen when nothing sound was saved.
void restore_geometry(QWidget& widget, GeometryStore& store, const std::string& name, int default_width,
                      int default_height);
void save_geometry(const QWidget& widget, GeometryStore& store, const std::string& name);

}  // namespace ui_qt
