// What the host's dialogs share: the geometry store, the screenshots and the parent for new windows.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dane/host.h"
#include "runtime/date.h"
#include "screenshots.h"
#include "ui_qt/geometry_store.h"

class QBoxLayout;
class QDialog;
class QWidget;

namespace dane {
class Window;
class BrowseWindow;
class FormWindow;
}  // namespace dane

namespace ui_qt {

struct HostContext {
  GeometryStore* geometry = nullptr;
  Screenshots screenshots;
};

// The window a new dialog belongs to: the modal one on top, else the active one, else none.
QWidget* dialog_parent();
QString to_qt(std::string_view text);
// Puts the window's toolbar (if it has one) at the top of `layout`; a press runs the window's step and then
// `after_press`, which shows the outcome.
void add_toolbar(QDialog& dialog, QBoxLayout& layout, dane::Window& window,
                 std::function<void()> after_press);
// Gives the dialog's widgets named as the window's controls their tooltips; call it once the dialog is built.
void apply_tooltips(QWidget& dialog, const dane::Window& window);
// F1 anywhere in `dialog` opens the window's help topic through the installed host.
void add_help_key(QDialog& dialog, const dane::Window& window);

// Each runs on the GUI thread.
int show_message_box(const dane::MessageBox& box, HostContext& context);
void show_error_window(std::string_view text, std::string_view title, HostContext& context);
std::unique_ptr<dane::Progress> open_progress_window(std::string_view title, HostContext& context);
std::optional<std::string> show_file_dialog(const dane::FileDialog& dialog, HostContext& context);
void run_browse_dialog(dane::BrowseWindow& window, HostContext& context);
void run_form_dialog(dane::FormWindow& window, HostContext& context);
// The calendar opens on `initial` (today when 0); the chosen day, or nothing when cancelled.
std::optional<runtime::DayNumber> show_calendar_dialog(std::string_view title, runtime::DayNumber initial,
                                                       HostContext& context);
std::optional<std::size_t> show_popup_menu(const std::vector<dane::MenuItem>& items, HostContext& context);

}  // namespace ui_qt
