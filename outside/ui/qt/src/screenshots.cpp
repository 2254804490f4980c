// PNG snapshots of windows as they open, for checking what people would see on machines without a display.
#include "screenshots.h"

#include "runtime/text.h"

#include <QDir>
#include <QEvent>
#include <QPixmap>
#include <QVariant>
#include <QWidget>

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace ui_qt {
namespace {

// Shared by all hosts of the process, so that files of different runs in one folder never overwrite each
// other.
std::atomic<int> next_sequence{0};

constexpr const char* kFileProperty = "mirlet_screenshot_name";

// Letters and digits stay (Polish ones too: names are UTF-8); everything else becomes "_" so that any title
// makes a file name.
std::string file_part(const std::string& text) {
  std::string out;
  for (const char c : text) {
    const auto u = static_cast<unsigned char>(c);
    const bool keep = u >= 0x80 || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    out += keep ? c : '_';
  }
  return std::string(runtime::cut_to_width(out, 60));
}

}  // namespace

Screenshots::Screenshots() {
  if (const char* folder = std::getenv("MIRLET_SCREENSHOT_DIR")) folder_ = folder;
}

void Screenshots::set_folder(const std::string& folder) {
  std::lock_guard lock(mutex_);
  folder_ = folder;
}

std::vector<std::string> Screenshots::written() const {
  std::lock_guard lock(mutex_);
  return written_;
}

void Screenshots::watch(QWidget* widget, const std::string& kind, const std::string& name) {
  {
    std::lock_guard lock(mutex_);
    if (folder_.empty()) return;
  }
  widget->setProperty(kFileProperty, QString::fromStdString(file_part(kind) + "-" + file_part(name)));
  widget->installEventFilter(this);
}

bool Screenshots::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Show && watched->isWidgetType()) save(static_cast<QWidget*>(watched));
  return false;
}

void Screenshots::save(QWidget* widget) {
  std::string folder;
  {
    std::lock_guard lock(mutex_);
    if (folder_.empty()) return;
    folder = folder_;
  }
  const int sequence = ++next_sequence;
  QDir().mkpath(QString::fromStdString(folder));
  char number[16];
  std::snprintf(number, sizeof number, "%03d-", sequence);
  const std::string path =
      folder + "/" + number + widget->property(kFileProperty).toString().toStdString() + ".png";
  if (!widget->grab().save(QString::fromStdString(path), "PNG")) return;
  std::lock_guard lock(mutex_);
  written_.push_back(path);
}

}  // namespace ui_qt
