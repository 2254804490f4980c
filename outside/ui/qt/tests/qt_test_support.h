// Acting as a person in the Qt host's modal dialogs: wait for a dialog to come up, then press, type, close.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QFileInfo>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

namespace ui_qt::testing {

// Runs `action` on the modal dialog named `object_name` (any modal dialog when empty) as soon as it is the
// active modal widget and the active window (so that focus changes behave as they do for a person). A dialog
// that does not come up within a few seconds is a test failure, and whatever modal dialog is up then is
// closed so that the test never hangs.
inline void when_shown(const QString& object_name, std::function<void(QWidget*)> action) {
  auto* timer = new QTimer;
  auto tries = std::make_shared<int>(0);
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [timer, tries, object_name, action = std::move(action)] {
    QWidget* modal = QApplication::activeModalWidget();
    const bool found = modal && modal->isVisible() && QApplication::activeWindow() == modal &&
                       (object_name.isEmpty() || modal->objectName() == object_name);
    if (!found) {
      if (++*tries < 1000) return;
      ADD_FAILURE() << "no modal dialog " << object_name.toStdString() << " came up";
      timer->stop();
      timer->deleteLater();
      if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->done(0);
      return;
    }
    timer->stop();
    timer->deleteLater();
    action(modal);
  });
  timer->start();
}

// Runs `action` on the popup menu as soon as one is up. A popup that does not come up within a few seconds
// is a test failure.
inline void when_popup_shown(std::function<void(QWidget*)> action) {
  auto* timer = new QTimer;
  auto tries = std::make_shared<int>(0);
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [timer, tries, action = std::move(action)] {
    QWidget* popup = QApplication::activePopupWidget();
    if (!popup || !popup->isVisible()) {
      if (++*tries < 1000) return;
      ADD_FAILURE() << "no popup menu came up";
      timer->stop();
      timer->deleteLater();
      return;
    }
    timer->stop();
    timer->deleteLater();
    action(popup);
  });
  timer->start();
}

// Runs `action` on the message box as soon as one is up; one that does not come up within a few seconds is
// a test failure.
inline void when_box_shown(std::function<void(QMessageBox*)> action) {
  auto* timer = new QTimer;
  auto tries = std::make_shared<int>(0);
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [timer, tries, action = std::move(action)] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible()) {
      if (++*tries < 1000) return;
      ADD_FAILURE() << "no message box came up";
      timer->stop();
      timer->deleteLater();
      return;
    }
    timer->stop();
    timer->deleteLater();
    action(box);
  });
  timer->start();
}

// Lets queued work (deferred focus checks, repaints) run.
inline void settle() {
  QEventLoop loop;
  QTimer::singleShot(30, &loop, &QEventLoop::quit);
  loop.exec();
}

template <typename T>
T* child(QWidget* parent, const char* name) {
  T* found = parent->findChild<T*>(QString::fromUtf8(name));
  EXPECT_NE(found, nullptr) << "no " << name << " in " << parent->objectName().toStdString();
  return found;
}

// Every file exists and holds a picture.
inline void expect_png_files(const std::vector<std::string>& files, std::size_t at_least) {
  EXPECT_GE(files.size(), at_least);
  for (const auto& file : files) {
    const QFileInfo info(QString::fromStdString(file));
    EXPECT_TRUE(info.exists()) << file;
    EXPECT_GT(info.size(), 0) << file;
    EXPECT_TRUE(file.ends_with(".png")) << file;
  }
}

}  // namespace ui_qt::testing
