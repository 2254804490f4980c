// PNG snapshots of windows as they open, for checking what people would see on machines without a display.
#include "screenshots.h"

#include <QDir>
#include <QEvent>
#include <QPixmap>
#include <QVariant>
#include <QWidget>

#include <cstdlib>
#include <cstdio>

namespace ui_qt {
namespace {

constexpr const char* kFileProperty = "mirlet_screenshot_name";

// Letters and digits stay; everything else becomes "_" so that any title makes a file name.
std::string file_part(const std::string& text) {
  std::string out;
  for (const char c : text) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    out += plain ? c : '_';
  }
  return out.substr(0, 60);
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
  int sequence = 0;
  {
    std::lock_guard lock(mutex_);
    if (folder_.empty()) return;
    folder = folder_;
    sequence = ++sequence_;
  }
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
