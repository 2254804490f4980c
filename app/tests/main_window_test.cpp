// The Qt main window on the offscreen platform: what it tells the services about its free area.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStyle>

#include <cstdlib>

#include "app/menu.h"
#include "dane/geometry.h"
#include "main_window.h"

namespace app {
namespace {

TEST(MainWindowFrame, ReportsItsFreeAreaAndFollowsResizing) {
  dane::set_frame_metrics({});
  MainWindow window(menu_entries(), "test");
  window.resize(1000, 700);
  window.show();
  QApplication::processEvents();
  const QWidget* area = window.centralWidget();
  ASSERT_NE(area, nullptr);
  dane::FrameMetrics metrics = dane::frame_metrics();
  EXPECT_EQ(metrics.client_width, area->width());
  EXPECT_EQ(metrics.client_height, area->height());
  EXPECT_GT(metrics.client_width, 900);
  EXPECT_LT(metrics.client_height, 700);  // the menu and status bars are not free area
  EXPECT_EQ(metrics.border, window.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &window));
  EXPECT_EQ(metrics.ribbon, dane::Ribbon::AutoHide);

  window.resize(640, 480);
  QApplication::processEvents();
  metrics = dane::frame_metrics();
  EXPECT_EQ(metrics.client_width, area->width());
  EXPECT_LT(metrics.client_width, 700);
  window.close();
}

}  // namespace
}  // namespace app

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  ::testing::InitGoogleTest(&argc, argv);
  QApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
