// A window's toolbar and the tooltips of its controls on the dialog that shows it.
#include <QAction>
#include <QBoxLayout>
#include <QDialog>
#include <QToolBar>

#include "dane/popup.h"
#include "dane/window.h"
#include "host_context.h"
#include "runtime/text.h"
#include "ui_qt/icons.h"

namespace ui_qt {

void add_toolbar(QDialog& dialog, QBoxLayout& layout, dane::Window& window,
                 std::function<void()> after_press) {
  if (window.toolbar().empty()) return;
  auto* bar = new QToolBar(&dialog);
  bar->setObjectName("toolbar");
  bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  for (const dane::ToolButton& button : window.toolbar().buttons()) {
    const dane::ItemText text = dane::parse_item_text(button.text);
    QAction* action = bar->addAction(program_icon(text.icon), to_qt(text.label));
    action->setObjectName(QString::fromStdString(button.name));
    const std::string tip = button.tooltip.empty() ? window.tooltips().text(button.name) : button.tooltip;
    if (!tip.empty()) action->setToolTip(to_qt(tip));
    action->setEnabled(button.enabled);
    const std::string name = button.name;
    QObject::connect(action, &QAction::triggered, &dialog, [&window, name, after_press] {
      window.press_tool(name);
      if (after_press) after_press();
    });
  }
  layout.insertWidget(0, bar);
}

void apply_tooltips(QWidget& dialog, const dane::Window& window) {
  for (const auto& entry : window.tooltips().entries()) {
    for (QWidget* child : dialog.findChildren<QWidget*>()) {
      if (runtime::same_name(child->objectName().toStdString(), entry.control))
        child->setToolTip(to_qt(entry.text));
    }
  }
}

}  // namespace ui_qt
