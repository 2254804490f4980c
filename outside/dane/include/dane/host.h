// The window host: what the platform gives the system (message boxes, the error window, progress, dialogs,
// clipboard, the desktop, help). Controllers and services talk only to this interface; the Qt host shows it
// to people, the scripted host answers it in tests and headless runs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/date.h"

namespace dane {

class Window;

enum class Icon { None, Question, Information, Exclamation, Error };

// Standard buttons and the codes a box answers with when one of them is pressed.
namespace button {
inline constexpr int kOk = 1;
inline constexpr int kYes = 2;
inline constexpr int kNo = 4;
inline constexpr int kAbort = 8;
inline constexpr int kRetry = 16;
inline constexpr int kIgnore = 32;
inline constexpr int kCancel = 64;
}  // namespace button

// A message box. Either `buttons` holds a set of standard button codes (OR-ed) and the answer is the code of
// the pressed one, or `custom_buttons` holds texts ("Zapisz zmianę|Nowy wariant|...") and the answer is the
// 1-based index of the pressed one. "|" in `text` starts a new line.
struct MessageBox {
  std::string title;
  std::string text;
  Icon icon = Icon::None;
  int buttons = button::kOk;
  std::vector<std::string> custom_buttons;
  int default_answer = button::kOk;
};

// Splits "A|B|C" into its parts (the system's list of button texts and of message lines).
std::vector<std::string> split_bar_list(std::string_view text);

// A progress window: a bar 0..100 with its percentage and a line of text. Closes when destroyed.
class Progress {
 public:
  virtual ~Progress() = default;
  virtual void set_percent(int percent) = 0;
  virtual void set_text(std::string_view text) = 0;
  virtual void redraw() = 0;
  // Work of unknown length: a moving busy indicator in place of the bar and its percentage.
  virtual void set_busy_indicator(bool /*busy*/) {}
  // A counter beside the bar ("12 / 40"); the empty text hides it.
  virtual void set_counter(std::string_view /*counter*/) {}
  // Offers the user a button that stops the work; cancelled() then tells whether it was pressed.
  virtual void allow_cancel() {}
  // True once the user asked to stop (a window without a cancel button never asks).
  virtual bool cancelled() { return false; }
};

// An open or save dialog. `filters` is the system's "Pliki tekstowe|*.txt|Wszystkie pliki|*.*" form.
struct FileDialog {
  enum class Kind { Open, Save } kind = Kind::Open;
  std::string title;
  std::string initial_path;
  std::string filters;
};

// One line of a popup menu as a host shows it: the label ("&" marks the accelerator), the icon's resource
// name ("~dodaj2.ico", empty for none), or a separator line.
struct MenuItem {
  std::string label;
  std::string icon;
  bool enabled = true;
  bool separator = false;
};

class Host {
 public:
  virtual ~Host() = default;

  // Waits for the answer on the calling thread.
  virtual int message(const MessageBox& box) = 0;
  // The resizable error window with monospaced `text`; its geometry is kept under "ErrorWin".
  virtual void error_window(std::string_view text, std::string_view title) = 0;
  virtual std::unique_ptr<Progress> open_progress(std::string_view title) = 0;
  virtual void set_busy(bool busy) = 0;
  // The chosen path, or nothing when the user cancelled.
  virtual std::optional<std::string> choose_file(const FileDialog& dialog) = 0;
  virtual void set_clipboard(std::string_view text) = 0;
  virtual std::string clipboard() = 0;
  // Opens a file, a web address or a "mailto:" address with the desktop; false when that failed.
  virtual bool open_with_desktop(std::string_view target) = 0;
  // Opens `topic` of the help file `help_file` (an HTML topic in the desktop browser).
  virtual void show_help(std::string_view help_file, std::string_view topic) = 0;
  // Shows an initialised window and feeds it the user's actions until it closes.
  virtual void run_window(Window& window) = 0;
  // Shows a popup menu at the pointer and waits: the index of the chosen item, or nothing when dismissed.
  // A host without menus dismisses it.
  virtual std::optional<std::size_t> popup_menu(const std::vector<MenuItem>& items);
  // A date chosen on a calendar that opens at `initial` (today when 0): its day number, or nothing when the
  // user cancelled. A host without a calendar cancels.
  virtual std::optional<runtime::DayNumber> choose_date(std::string_view title, runtime::DayNumber initial);
  // Shows a line of text in the main window's status line (the session period, for instance). A host
  // without a main window shows nothing.
  virtual void set_status_text(std::string_view text);
};

// The process-wide host. Until one is installed a headless host answers every box with its default and keeps
// the clipboard in memory. install_host(nullptr) restores it. The host must outlive its installation.
Host& host();
void install_host(Host* h);

// The headless host: default answers, no windows, the desktop reached through xdg-open.
class HeadlessHost : public Host {
 public:
  int message(const MessageBox& box) override;
  void error_window(std::string_view text, std::string_view title) override;
  std::unique_ptr<Progress> open_progress(std::string_view title) override;
  void set_busy(bool busy) override;
  std::optional<std::string> choose_file(const FileDialog& dialog) override;
  void set_clipboard(std::string_view text) override;
  std::string clipboard() override;
  bool open_with_desktop(std::string_view target) override;
  void show_help(std::string_view help_file, std::string_view topic) override;
  // Nobody can act in a window here: it closes at once, cancelled.
  void run_window(Window& window) override;

 private:
  std::string clipboard_;
};

// Starts `xdg-open target` (or `xdg-email` for "mailto:" addresses) without waiting; false when it
// could not be started.
bool launch_desktop(std::string_view target);

}  // namespace dane
