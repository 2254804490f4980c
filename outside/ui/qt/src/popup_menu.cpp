// Popup menus at the pointer, with the program's icons before the labels.
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QMenu>

#include <vector>

#include "host_context.h"
#include "ui_qt/icons.h"

namespace ui_qt {
namespace {

// The list the popup belongs to: the one with the focus, else the browse list of the active window (whose
// locator keeps the focus while the list takes the keys).
QAbstractItemView* popup_list() {
  if (auto* view = qobject_cast<QAbstractItemView*>(QApplication::focusWidget())) return view;
  QWidget* window = QApplication::activeWindow();
  return window ? window->findChild<QAbstractItemView*>("list") : nullptr;
}

// At the pointer; asked from the keyboard while the pointer is away from the list, under the current row.
QPoint popup_position() {
  QPoint at = QCursor::pos();
  QAbstractItemView* view = popup_list();
  if (!view) return at;
  const QRect row = view->visualRect(view->currentIndex());
  if (row.isValid() && !view->viewport()->rect().contains(view->viewport()->mapFromGlobal(at)))
    at = view->viewport()->mapToGlobal(row.bottomLeft() + QPoint(0, 1));
  return at;
}

}  // namespace

std::optional<std::size_t> show_popup_menu(const std::vector<dane::MenuItem>& items, HostContext& context) {
  QMenu menu(dialog_parent());
  menu.setObjectName("popup");
  std::vector<QAction*> actions;
  actions.reserve(items.size());
  for (const dane::MenuItem& item : items) {
    if (item.separator) {
      actions.push_back(menu.addSeparator());
      continue;
    }
    QAction* action = menu.addAction(program_icon(item.icon), to_qt(item.label));
    action->setEnabled(item.enabled);
    actions.push_back(action);
  }
  context.screenshots.watch(&menu, "popup", "menu");
  const QAction* chosen = menu.exec(popup_position());
  for (std::size_t i = 0; i < actions.size(); ++i) {
    if (chosen != nullptr && actions[i] == chosen) return i;
  }
  return std::nullopt;
}

}  // namespace ui_qt
