// The window host for people: message boxes, the error window, progress windows, file dialogs, the
// clipboard, the desktop, help and modal dialogs for browses and forms, in Qt 6 Widgets and in Polish.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "dane/host.h"
#include "ui_qt/geometry_store.h"

namespace ui_qt {

// Create it on the GUI thread after the QApplication and destroy it before. Every call may come from any
// thread: the host does the work on the GUI thread and answers on the calling thread (a caller that is
// not the GUI thread waits; the GUI thread must not be waiting for that caller). Without a QApplication it
// behaves as the headless host.
//
// A window run from another thread runs its steps on the GUI thread while its dialog is open.
//
// When MIRLET_SCREENSHOT_DIR is set (or set_screenshot_dir is called) every window and box is saved there
// as a PNG when it opens, named "<sequence>-<kind>-<name>.png".
class QtHost : public dane::Host {
 public:
  // `geometry` keeps window positions; without one they live in memory for the run. Not owned.
  explicit QtHost(GeometryStore* geometry = nullptr);
  ~QtHost() override;
  QtHost(const QtHost&) = delete;
  QtHost& operator=(const QtHost&) = delete;

  void set_geometry_store(GeometryStore* geometry);
  // An empty folder turns the screenshots off.
  void set_screenshot_dir(const std::string& folder);
  // The PNG files written so far, in order.
  std::vector<std::string> screenshots() const;

  int message(const dane::MessageBox& box) override;
  void error_window(std::string_view text, std::string_view title) override;
  std::unique_ptr<dane::Progress> open_progress(std::string_view title) override;
  void set_busy(bool busy) override;
  std::optional<std::string> choose_file(const dane::FileDialog& dialog) override;
  void set_clipboard(std::string_view text) override;
  std::string clipboard() override;
  bool open_with_desktop(std::string_view target) override;
  void show_help(std::string_view help_file, std::string_view topic) override;
  void run_window(dane::Window& window) override;
  std::optional<std::size_t> popup_menu(const std::vector<dane::MenuItem>& items) override;
  // A modal calendar in Polish (weeks from Monday) with OK and Anuluj; Ctrl+D goes to today.
  std::optional<runtime::DayNumber> choose_date(std::string_view title, runtime::DayNumber initial) override;
  // Shown at the right of the status bar of every main window of the application, in a permanent label
  // named "status_text", so that the window's own messages keep their place. The last text stays readable.
  void set_status_text(std::string_view text) override;
  std::string status_text() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace ui_qt
