// The debug option that saves a PNG of every window and box when it opens.
#pragma once

#include <QObject>
#include <QString>

#include <mutex>
#include <string>
#include <vector>

class QWidget;

namespace ui_qt {

class Screenshots : public QObject {
 public:
  // Takes the folder from MIRLET_SCREENSHOT_DIR; none means off.
  Screenshots();

  void set_folder(const std::string& folder);
  // Saves `widget` as "<sequence>-<kind>-<name>.png" once it has been shown (each time it is shown).
  void watch(QWidget* widget, const std::string& kind, const std::string& name);
  std::vector<std::string> written() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void save(QWidget* widget);

  mutable std::mutex mutex_;
  std::string folder_;
  std::vector<std::string> written_;
};

}  // namespace ui_qt
