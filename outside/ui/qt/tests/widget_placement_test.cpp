// Real widgets moved through the placement interface, from the GUI thread and from a worker thread.
#include "ui_qt/widget_placement.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFrame>
#include <QWidget>

#include <atomic>
#include <thread>

namespace ui_qt {
namespace {

TEST(WidgetPlacement, MovesTheWidgetFromAnyThreadAndForgetsADestroyedOne) {
  QWidget parent;
  parent.resize(400, 300);
  auto* pane = new QFrame(&parent);
  pane->setGeometry(10, 20, 100, 200);
  WidgetPlacement placement(pane);
  EXPECT_EQ(placement.rect(), (dane::Rect{10, 20, 100, 200}));

  placement.set_rect({15, 20, 95, 200});
  EXPECT_EQ(pane->geometry(), QRect(15, 20, 95, 200));

  dane::Rect seen_from_worker;
  std::atomic<bool> finished = false;
  std::thread worker([&] {
    placement.set_rect({30, 40, 50, 60});
    seen_from_worker = placement.rect();
    finished = true;
  });
  while (!finished) QApplication::processEvents();
  worker.join();
  EXPECT_EQ(seen_from_worker, (dane::Rect{30, 40, 50, 60}));
  EXPECT_EQ(pane->geometry(), QRect(30, 40, 50, 60));

  delete pane;
  EXPECT_EQ(placement.rect(), dane::Rect{});
  placement.set_rect({1, 2, 3, 4});  // nothing to move, and no crash
}

}  // namespace
}  // namespace ui_qt
