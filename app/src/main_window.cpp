// The Qt main window: menus grouped from the table's paths, entries run on the GUI thread.
#include "main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QResizeEvent>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>

#include <map>

#include "dane/geometry.h"
#include "ui_qt/geometry_store.h"
#include "ui_qt/window_geometry.h"

namespace app {

MainWindow::MainWindow(std::span<const MenuEntry> entries, const std::string& status) {
  setWindowTitle("Mirlet");
  resize(900, 600);
  std::map<std::string, QMenu*> menus;
  for (const MenuEntry& entry : entries) {
    const std::vector<std::string> parts = split_menu_path(entry.path);
    QMenu* menu = nullptr;  // null: the menu bar itself
    std::string path;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
      path += parts[i] + ">";
      auto [it, added] = menus.try_emplace(path, nullptr);
      if (added) {
        const QString title = QString::fromStdString(parts[i]);
        it->second = menu ? menu->addMenu(title) : menuBar()->addMenu(title);
      }
      menu = it->second;
    }
    QAction* action = menu ? menu->addAction(QString::fromStdString(parts.back()))
                           : menuBar()->addAction(QString::fromStdString(parts.back()));
    action->setObjectName(QString::fromUtf8(entry.name.data(), static_cast<qsizetype>(entry.name.size())));
    connect(action, &QAction::triggered, this, [this, &entry] { run_entry(entry); });
  }
  auto* welcome = new QLabel(QString::fromStdString("Mirlet " + std::string(program_version())), this);
  welcome->setAlignment(Qt::AlignCenter);
  QFont font = welcome->font();
  font.setPointSize(font.pointSize() * 2);
  welcome->setFont(font);
  setCentralWidget(welcome);
  statusBar()->showMessage(QString::fromStdString(status));
}

void MainWindow::after_shown(std::string screenshot_folder, std::vector<const MenuEntry*> entries,
                             bool quit_afterwards) {
  screenshot_folder_ = std::move(screenshot_folder);
  startup_entries_ = std::move(entries);
  quit_afterwards_ = quit_afterwards;
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shown_once_) return;
  shown_once_ = true;
  // After the event loop has laid the window out and painted it once.
  QTimer::singleShot(0, this, [this] {
    save_screenshot();
    if (run_menu_entries(startup_entries_) == AfterEntry::EndSession || quit_afterwards_) end_session();
  });
}

namespace {
constexpr const char* kGeometryName = "Mirlet";
}  // namespace

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  report_frame_metrics();
}

void MainWindow::report_frame_metrics() const {
  dane::FrameMetrics metrics;
  const QWidget* area = centralWidget();
  metrics.client_width = area ? area->width() : width();
  metrics.client_height = area ? area->height() : height();
  metrics.border = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
  metrics.caption_height = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
  // The frame has a menu bar and no ribbon or icon bar, so nothing more is taken off the area.
  metrics.ribbon = dane::Ribbon::AutoHide;
  dane::set_frame_metrics(metrics);
}

void MainWindow::keep_geometry(ui_qt::GeometryStore& store) {
  geometry_ = &store;
  ui_qt::restore_geometry(*this, store, kGeometryName, 900, 600);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (ending_) {
    if (geometry_) ui_qt::save_geometry(*this, *geometry_, kGeometryName);
    event->accept();
    return;
  }
  const MenuEntry* end_work = find_menu_entry("System > Koniec pracy");
  if (end_work && end_work->action() == AfterEntry::Continue) {
    event->ignore();
    return;
  }
  ending_ = true;
  if (geometry_) ui_qt::save_geometry(*this, *geometry_, kGeometryName);
  event->accept();
}

void MainWindow::run_entry(const MenuEntry& entry) {
  if (entry.action() == AfterEntry::EndSession) end_session();
}

void MainWindow::end_session() {
  ending_ = true;
  close();
}

void MainWindow::save_screenshot() {
  if (screenshot_folder_.empty()) return;
  const QString folder = QString::fromStdString(screenshot_folder_);
  QDir().mkpath(folder);
  grab().save(folder + "/000-main-Mirlet.png", "PNG");
}

}  // namespace app
