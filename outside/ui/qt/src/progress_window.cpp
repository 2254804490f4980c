// Progress windows: a bar and a line of text that stay up while work goes on, from any thread.
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <atomic>

#include "gui_thread.h"
#include "host_context.h"

namespace ui_qt {
namespace {

class ProgressWindow : public dane::Progress {
 public:
  ProgressWindow(std::string_view title, HostContext& context) {
    run_on_gui_thread([&] {
      dialog_ = new QDialog(dialog_parent());
      dialog_->setObjectName("progress");
      dialog_->setWindowTitle(to_qt(title));
      dialog_->setMinimumWidth(360);
      auto* layout = new QVBoxLayout(dialog_);
      label_ = new QLabel(dialog_);
      label_->setObjectName("text");
      layout->addWidget(label_);
      bar_ = new QProgressBar(dialog_);
      bar_->setObjectName("bar");
      bar_->setRange(0, 100);
      bar_->setValue(0);
      layout->addWidget(bar_);
      stop_ = new QPushButton(QStringLiteral("Przerwij"), dialog_);
      stop_->setObjectName("stop");
      stop_->hide();
      QObject::connect(stop_, &QPushButton::clicked, dialog_, [this] { cancelled_ = true; });
      layout->addWidget(stop_, 0, Qt::AlignRight);
      context.screenshots.watch(dialog_, "progress", std::string(title));
      dialog_->show();
    });
  }

  ~ProgressWindow() override {
    run_on_gui_thread([&] { delete dialog_.data(); });
  }

  void set_percent(int percent) override {
    run_on_gui_thread([&] {
      if (bar_) bar_->setValue(std::clamp(percent, 0, 100));
    });
  }

  void set_text(std::string_view text) override {
    run_on_gui_thread([&] {
      if (label_) label_->setText(to_qt(text));
    });
  }

  void allow_cancel() override {
    run_on_gui_thread([&] {
      if (!dialog_ || !stop_) return;
      // While the stop button can be pressed, nothing else of the program takes the user's input.
      dialog_->setWindowModality(Qt::ApplicationModal);
      offered_ = true;
      stop_->show();
      dialog_->show();
    });
  }

  // Work on the GUI thread lets the press of the stop button arrive first; from any other thread the GUI
  // thread takes it by itself.
  bool cancelled() override {
    if (offered_ && on_gui_thread()) QCoreApplication::processEvents();
    return cancelled_;
  }

  // Work that runs on the GUI thread starves the event loop; let the window paint itself.
  void redraw() override {
    run_on_gui_thread([&] {
      if (dialog_) dialog_->repaint();
      QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
  }

 private:
  QPointer<QDialog> dialog_;
  QPointer<QLabel> label_;
  QPointer<QProgressBar> bar_;
  QPointer<QPushButton> stop_;
  std::atomic<bool> offered_{false};
  std::atomic<bool> cancelled_{false};
};

}  // namespace

std::unique_ptr<dane::Progress> open_progress_window(std::string_view title, HostContext& context) {
  return std::make_unique<ProgressWindow>(title, context);
}

}  // namespace ui_qt
