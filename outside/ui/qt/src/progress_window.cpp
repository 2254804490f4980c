// Progress windows: a line of text, a bar with its percentage (or a moving busy indicator for work of unknown
// length) and a counter, that stay up while work goes on, from any thread.
#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
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
      auto* line = new QHBoxLayout;
      bar_ = new QProgressBar(dialog_);
      bar_->setObjectName("bar");
      bar_->setRange(0, 100);
      bar_->setValue(0);
      bar_->setTextVisible(false);
      line->addWidget(bar_, 1);
      percent_ = new QLabel(QStringLiteral("0%"), dialog_);
      percent_->setObjectName("percent");
      percent_->setMinimumWidth(percent_->fontMetrics().horizontalAdvance(QStringLiteral("100%")));
      percent_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
      line->addWidget(percent_);
      counter_ = new QLabel(dialog_);
      counter_->setObjectName("counter");
      counter_->hide();
      line->addWidget(counter_);
      layout->addLayout(line);
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
      if (!bar_ || !percent_) return;
      const int shown = std::clamp(percent, 0, 100);
      bar_->setValue(shown);
      percent_->setText(QString::number(shown) + QStringLiteral("%"));
    });
  }

  // A bar of no range is Qt's busy indicator: it moves by itself while the event loop runs.
  void set_busy_indicator(bool busy) override {
    run_on_gui_thread([&] {
      if (!bar_ || !percent_) return;
      bar_->setRange(0, busy ? 0 : 100);
      percent_->setVisible(!busy);
    });
  }

  void set_counter(std::string_view counter) override {
    run_on_gui_thread([&] {
      if (!counter_) return;
      counter_->setText(to_qt(counter));
      counter_->setVisible(!counter.empty());
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
  QPointer<QLabel> percent_;
  QPointer<QLabel> counter_;
  QPointer<QPushButton> stop_;
  std::atomic<bool> offered_{false};
  std::atomic<bool> cancelled_{false};
};

}  // namespace

std::unique_ptr<dane::Progress> open_progress_window(std::string_view title, HostContext& context) {
  return std::make_unique<ProgressWindow>(title, context);
}

}  // namespace ui_qt
