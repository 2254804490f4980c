// Geometry of a Qt widget through the placement interface, marshalled to the GUI thread.
#include "ui_qt/widget_placement.h"

#include "gui_thread.h"

namespace ui_qt {

dane::Rect WidgetPlacement::rect() const {
  return run_on_gui_thread([this] {
    if (widget_.isNull()) return dane::Rect{};
    const QRect g = widget_->geometry();
    return dane::Rect{g.x(), g.y(), g.width(), g.height()};
  });
}

void WidgetPlacement::set_rect(const dane::Rect& rect) {
  run_on_gui_thread([this, rect] {
    if (!widget_.isNull()) widget_->setGeometry(rect.x, rect.y, rect.width, rect.height);
  });
}

}  // namespace ui_qt
