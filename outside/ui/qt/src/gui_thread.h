// Runs a piece of work on the GUI thread and hands its result back to the calling thread.
#pragma once

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

#include <optional>
#include <type_traits>
#include <utility>

namespace ui_qt {

inline bool on_gui_thread() {
  const QCoreApplication* app = QCoreApplication::instance();
  return app != nullptr && QThread::currentThread() == app->thread();
}

// Calls `work` directly on the GUI thread; from any other thread it queues it there and waits. Without an
// application there is no GUI thread to wait for: the work runs where it is (callers check first).
template <typename Work>
auto run_on_gui_thread(Work&& work) -> std::invoke_result_t<Work&> {
  using Result = std::invoke_result_t<Work&>;
  QCoreApplication* app = QCoreApplication::instance();
  if (app == nullptr || on_gui_thread()) return work();
  if constexpr (std::is_void_v<Result>) {
    QMetaObject::invokeMethod(
        app, [&work] { work(); }, Qt::BlockingQueuedConnection);
  } else {
    std::optional<Result> result;
    QMetaObject::invokeMethod(
        app, [&work, &result] { result.emplace(work()); }, Qt::BlockingQueuedConnection);
    return std::move(*result);
  }
}

}  // namespace ui_qt
