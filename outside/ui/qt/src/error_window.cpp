// The error window: a failed statement or message in monospaced, selectable text, remembered as "ErrorWin".
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "host_context.h"
#include "ui_qt/window_geometry.h"

namespace ui_qt {

void show_error_window(std::string_view text, std::string_view title, HostContext& context) {
  static const std::string kName = "ErrorWin";
  QDialog dialog(dialog_parent());
  dialog.setObjectName(QString::fromStdString(kName));
  dialog.setWindowTitle(title.empty() ? QStringLiteral("Informacja") : to_qt(title));
  dialog.setSizeGripEnabled(true);

  auto* layout = new QVBoxLayout(&dialog);
  auto* edit = new QPlainTextEdit(&dialog);
  edit->setObjectName("text");
  edit->setReadOnly(true);
  edit->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  edit->setLineWrapMode(QPlainTextEdit::NoWrap);
  edit->setPlainText(to_qt(text));
  layout->addWidget(edit);
  auto* buttons = new QDialogButtonBox(&dialog);
  buttons->addButton(QStringLiteral("Zamknij"), QDialogButtonBox::AcceptRole);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  layout->addWidget(buttons);

  restore_geometry(dialog, *context.geometry, kName, 640, 360);
  context.screenshots.watch(&dialog, "error", kName);
  dialog.exec();
  save_geometry(dialog, *context.geometry, kName);
}

}  // namespace ui_qt
