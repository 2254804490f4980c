// Open and save dialogs with the system's filters.
#include <QFileDialog>
#include <QFileInfo>

#include "host_context.h"
#include "ui_qt/file_filters.h"

namespace ui_qt {

std::optional<std::string> show_file_dialog(const dane::FileDialog& request, HostContext& context) {
  const bool save = request.kind == dane::FileDialog::Kind::Save;
  QFileDialog dialog(dialog_parent(), to_qt(request.title));
  dialog.setObjectName(save ? "save" : "open");
  // Qt's own dialog on every desktop: the same look and labels everywhere, and it can be captured.
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Szukaj w:"));
  dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Nazwa pliku:"));
  dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Pliki typu:"));
  dialog.setLabelText(QFileDialog::Accept, save ? QStringLiteral("Zapisz") : QStringLiteral("Otwórz"));
  dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Anuluj"));
  const QString filters = QString::fromStdString(qt_file_filters(request.filters));
  if (!filters.isEmpty()) dialog.setNameFilters(filters.split(QStringLiteral(";;")));
  if (!request.initial_path.empty()) {
    const QFileInfo initial(to_qt(request.initial_path));
    if (initial.isDir()) {
      dialog.setDirectory(initial.absoluteFilePath());
    } else {
      dialog.setDirectory(initial.absolutePath());
      dialog.selectFile(initial.fileName());
    }
  }
  context.screenshots.watch(&dialog, save ? "save" : "open", request.title);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front().toStdString();
}

}  // namespace ui_qt
