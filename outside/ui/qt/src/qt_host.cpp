// The Qt host: each call goes to the GUI thread, shows what it must and answers on the calling thread.
#include "ui_qt/qt_host.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QUrl>
#include <QVBoxLayout>

#include <mutex>

#include "dane/browse.h"
#include "dane/form.h"
#include "dane/window.h"
#include "gui_thread.h"
#include "host_context.h"
#include "ui_qt/help_topic.h"
#include "ui_qt/window_geometry.h"

namespace ui_qt {
namespace {

bool have_application() {
  return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

// A window with no widgets of its own yet: its title and a close button that asks it.
void run_plain_dialog(dane::Window& window, HostContext& context) {
  QDialog dialog(dialog_parent());
  dialog.setObjectName(QString::fromStdString(window.procedure_name()));
  dialog.setWindowTitle(to_qt(window.title()));
  auto* layout = new QVBoxLayout(&dialog);
  auto* buttons = new QDialogButtonBox(&dialog);
  buttons->addButton(QStringLiteral("Zamknij"), QDialogButtonBox::RejectRole);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(buttons);
  add_toolbar(dialog, *layout, window, [&] {
    if (window.closed()) dialog.done(QDialog::Accepted);
  });
  apply_tooltips(dialog, window);
  add_help_key(dialog, window);
  restore_geometry(dialog, *context.geometry, window.procedure_name(), 320, 120);
  context.screenshots.watch(&dialog, "window", window.procedure_name());
  // The dialog ends on each close request; a window that refuses to close is shown again.
  while (!window.closed()) {
    dialog.exec();
    window.request_close();
  }
  save_geometry(dialog, *context.geometry, window.procedure_name());
}

// The text goes into a label of its own at the right of each main window's status bar.
void show_status_text(const QString& text) {
  for (QWidget* top : QApplication::topLevelWidgets()) {
    auto* main = qobject_cast<QMainWindow*>(top);
    if (!main) continue;
    QStatusBar* bar = main->statusBar();
    auto* label = bar->findChild<QLabel*>(QStringLiteral("status_text"));
    if (!label) {
      label = new QLabel(bar);
      label->setObjectName(QStringLiteral("status_text"));
      bar->addPermanentWidget(label);
    }
    label->setText(text);
  }
}

QUrl desktop_url(const QString& target) {
  const QUrl url(target);
  if (url.isValid() && url.scheme().size() > 1) return url;  // "C:" is a drive, not a scheme
  return QUrl::fromLocalFile(target);
}

}  // namespace

struct QtHost::State {
  MemoryGeometryStore memory_geometry;
  HostContext context;
  dane::HeadlessHost headless;
  bool busy = false;
  mutable std::mutex status_mutex;
  std::string status_text;
};

QtHost::QtHost(GeometryStore* geometry) : state_(std::make_unique<State>()) {
  set_geometry_store(geometry);
}

QtHost::~QtHost() = default;

void QtHost::set_geometry_store(GeometryStore* geometry) {
  run_on_gui_thread([&] { state_->context.geometry = geometry ? geometry : &state_->memory_geometry; });
}

void QtHost::set_screenshot_dir(const std::string& folder) {
  state_->context.screenshots.set_folder(folder);
}

std::vector<std::string> QtHost::screenshots() const {
  return state_->context.screenshots.written();
}

int QtHost::message(const dane::MessageBox& box) {
  if (!have_application()) return state_->headless.message(box);
  return run_on_gui_thread([&] { return show_message_box(box, state_->context); });
}

void QtHost::error_window(std::string_view text, std::string_view title) {
  if (!have_application()) return;
  run_on_gui_thread([&] { show_error_window(text, title, state_->context); });
}

std::unique_ptr<dane::Progress> QtHost::open_progress(std::string_view title) {
  if (!have_application()) return state_->headless.open_progress(title);
  return open_progress_window(title, state_->context);
}

void QtHost::set_busy(bool busy) {
  if (!have_application()) return;
  run_on_gui_thread([&] {
    if (busy == state_->busy) return;
    state_->busy = busy;
    if (busy) {
      QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
      QApplication::restoreOverrideCursor();
    }
  });
}

std::optional<std::string> QtHost::choose_file(const dane::FileDialog& dialog) {
  if (!have_application()) return std::nullopt;
  return run_on_gui_thread([&] { return show_file_dialog(dialog, state_->context); });
}

void QtHost::set_clipboard(std::string_view text) {
  if (!have_application()) return state_->headless.set_clipboard(text);
  run_on_gui_thread([&] { QGuiApplication::clipboard()->setText(to_qt(text)); });
}

std::string QtHost::clipboard() {
  if (!have_application()) return state_->headless.clipboard();
  return run_on_gui_thread([&] { return QGuiApplication::clipboard()->text().toStdString(); });
}

bool QtHost::open_with_desktop(std::string_view target) {
  if (target.empty()) return false;
  if (dane::launch_desktop(target)) return true;
  if (!have_application()) return false;
  // Without xdg-utils Qt may still know a way (a desktop portal, its own launcher).
  return run_on_gui_thread([&] { return QDesktopServices::openUrl(desktop_url(to_qt(target))); });
}

void QtHost::show_help(std::string_view help_file, std::string_view topic) {
  open_with_desktop(help_topic_path(help_file, topic));
}

std::optional<std::size_t> QtHost::popup_menu(const std::vector<dane::MenuItem>& items) {
  if (!have_application()) return state_->headless.popup_menu(items);
  return run_on_gui_thread([&] { return show_popup_menu(items, state_->context); });
}

std::optional<runtime::DayNumber> QtHost::choose_date(std::string_view title, runtime::DayNumber initial) {
  if (!have_application()) return state_->headless.choose_date(title, initial);
  return run_on_gui_thread([&] { return show_calendar_dialog(title, initial, state_->context); });
}

void QtHost::set_status_text(std::string_view text) {
  {
    std::lock_guard lock(state_->status_mutex);
    state_->status_text.assign(text);
  }
  if (!have_application()) return;
  run_on_gui_thread([&] { show_status_text(to_qt(text)); });
}

std::string QtHost::status_text() const {
  std::lock_guard lock(state_->status_mutex);
  return state_->status_text;
}

void QtHost::run_window(dane::Window& window) {
  if (!have_application()) return state_->headless.run_window(window);
  run_on_gui_thread([&] {
    switch (window.kind()) {
      case dane::Window::Kind::Browse:
        run_browse_dialog(static_cast<dane::BrowseWindow&>(window), state_->context);
        break;
      case dane::Window::Kind::Form:
        run_form_dialog(static_cast<dane::FormWindow&>(window), state_->context);
        break;
      case dane::Window::Kind::Plain:
        run_plain_dialog(window, state_->context);
        break;
    }
  });
}

}  // namespace ui_qt
