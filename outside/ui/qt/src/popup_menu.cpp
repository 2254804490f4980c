// Popup menus at the pointer, with the program's icons before the labels.
#include <QAction>
#include <QCursor>
#include <QMenu>

#include <vector>

#include "host_context.h"
#include "ui_qt/icons.h"

namespace ui_qt {

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
  const QAction* chosen = menu.exec(QCursor::pos());
  for (std::size_t i = 0; i < actions.size(); ++i) {
    if (chosen != nullptr && actions[i] == chosen) return i;
  }
  return std::nullopt;
}

}  // namespace ui_qt
