// The main window for people: the menu built from the menu table, and who works on which database.
#pragma once

#include <QMainWindow>

#include <span>
#include <string>
#include <vector>

#include "app/menu.h"

namespace ui_qt {
class GeometryStore;
}

namespace app {

class MainWindow : public QMainWindow {
 public:
  // `status` is the line at the bottom (user and database).
  MainWindow(std::span<const MenuEntry> entries, const std::string& status);

  // Saves a PNG of the window into `folder` once it has been shown (nothing when empty), then runs
  // `entries` in order and, if one ended the session or `quit_afterwards`, closes the window.
  void after_shown(std::string screenshot_folder, std::vector<const MenuEntry*> entries,
                   bool quit_afterwards);

  // Puts the window where `store` last kept it under "Mirlet" (a place off every screen, or nothing kept,
  // gives a visible default) and keeps it there again when the window closes. The store must outlive the
  // window.
  void keep_geometry(ui_qt::GeometryStore& store);

 protected:
  void showEvent(QShowEvent* event) override;
  // Tells the services the measures of the free area, for windows that fill it.
  void resizeEvent(QResizeEvent* event) override;
  // Closing the window by hand asks as "Koniec pracy" does.
  void closeEvent(QCloseEvent* event) override;

 private:
  void run_entry(const MenuEntry& entry);
  void end_session();
  void save_screenshot();
  void report_frame_metrics() const;

  bool ending_ = false;
  bool shown_once_ = false;
  std::string screenshot_folder_;
  std::vector<const MenuEntry*> startup_entries_;
  bool quit_afterwards_ = false;
  ui_qt::GeometryStore* geometry_ = nullptr;
};

}  // namespace app
