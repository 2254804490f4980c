// A Qt widget seen as a dane::Placement, so that the services can move and size real controls (a
// splitter and the panes beside it) from any thread.
#pragma once

#include <QPointer>
#include <QWidget>

#include "dane/geometry.h"

namespace ui_qt {

// Reads and sets the widget's geometry within its parent on the GUI thread. A widget that has been
// destroyed reads as an empty rect and ignores changes.
class WidgetPlacement : public dane::Placement {
 public:
  explicit WidgetPlacement(QWidget* widget) : widget_(widget) {}
  dane::Rect rect() const override;
  void set_rect(const dane::Rect& rect) override;

 private:
  QPointer<QWidget> widget_;
};

}  // namespace ui_qt
