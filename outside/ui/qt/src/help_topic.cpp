// The HTML file that stands for a topic of the system's help file, and the F1 key that opens it.
#include "ui_qt/help_topic.h"

#include <QDialog>
#include <QKeySequence>
#include <QShortcut>

#include <filesystem>

#include "dane/window.h"
#include "host_context.h"

namespace ui_qt {

std::string help_topic_path(std::string_view help_file, std::string_view topic) {
  namespace fs = std::filesystem;
  const fs::path file{std::string(help_file)};
  std::error_code ec;
  fs::path folder = fs::is_directory(file, ec) ? file : file.parent_path() / file.stem();
  return (folder / (topic.empty() ? std::string("index.htm") : std::string(topic))).string();
}

void add_help_key(QDialog& dialog, const dane::Window& window) {
  auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), &dialog);
  f1->setContext(Qt::WindowShortcut);
  QObject::connect(f1, &QShortcut::activated, &dialog, [&window] { window.open_help(); });
}

}  // namespace ui_qt
